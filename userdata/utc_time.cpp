#include "userdata/utc_time.h"

#include <algorithm>
#include <cstdio>

namespace {

struct CivilTime {
    int year;
    unsigned month, day, hour, minute, second;
};

CivilTime CivilOf(std::chrono::sys_seconds time) {
    using namespace std::chrono;
    constexpr sys_days kFirst = year{0} / January / 1;
    constexpr sys_days kLast = year{9999} / December / 31;
    time = std::clamp(time, sys_seconds(kFirst),
                      sys_seconds(kLast) + hours(23) + minutes(59) + seconds(59));
    const sys_days day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss<seconds> clock(time - day);
    return {static_cast<int>(date.year()),
            static_cast<unsigned>(date.month()),
            static_cast<unsigned>(date.day()),
            static_cast<unsigned>(clock.hours().count()),
            static_cast<unsigned>(clock.minutes().count()),
            static_cast<unsigned>(clock.seconds().count())};
}

// The number written by the count digits at text[at...], or -1 when one of them is no digit.
int Digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::string FormatUtcTime(std::chrono::sys_seconds time) {
    const CivilTime t = CivilOf(time);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02u:%02u:%02uZ", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::optional<std::chrono::sys_seconds> ParseUtcTime(std::string_view text) {
    using namespace std::chrono;
    constexpr std::string_view kShape = "0000-00-00T00:00:00Z";
    if (text.size() != kShape.size()) return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] != '0' && text[i] != kShape[i]) return std::nullopt;
    }
    const int y = Digits(text, 0, 4), mo = Digits(text, 5, 2), d = Digits(text, 8, 2);
    const int h = Digits(text, 11, 2), mi = Digits(text, 14, 2), s = Digits(text, 17, 2);
    if (y < 0 || mo < 0 || d < 0 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) {
        return std::nullopt;
    }
    const year_month_day date{year{y}, month{static_cast<unsigned>(mo)},
                              day{static_cast<unsigned>(d)}};
    if (!date.ok()) return std::nullopt;
    return sys_seconds(sys_days(date)) + hours(h) + minutes(mi) + seconds(s);
}

std::string FileNameStamp(std::chrono::sys_seconds time) {
    const CivilTime t = CivilOf(time);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02u-%02u%02u%02u", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

std::chrono::sys_seconds UtcNow() {
    return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
}
