#include "settings/notice_state.h"

std::atomic<std::int32_t> showNoticeInPage{0};
