// What the dictionary page shows of the server's notice: the notice itself is the start-up
// settings' noticeText; this flag asks for it after every result as well.
#pragma once

#include <atomic>
#include <cstdint>

// 0 at start; set to 1 (never back) by the notice worker when the notice asks to follow every
// result. The worker stores noticeText before it sets the flag, so a reader that sees 1 reads a
// complete notice.
extern std::atomic<std::int32_t> showNoticeInPage;
