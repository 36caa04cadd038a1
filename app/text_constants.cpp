#include "app/text_constants.h"

const std::string_view SplashTitleText = "807741DD052111272F9ACA6813B58281";
