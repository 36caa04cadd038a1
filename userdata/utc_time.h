// Times of the user's data, as the list files write them: ISO 8601 in UTC to the second,
// "2024-05-01T08:30:00Z".
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// The time in the form above; years outside 0000-9999 are clamped to them.
std::string FormatUtcTime(std::chrono::sys_seconds time);

// The time that text writes in exactly the form above, or nullopt (another form, a date or time
// that does not exist).
std::optional<std::chrono::sys_seconds> ParseUtcTime(std::string_view text);

// The time as a part of a file name, "20240501-083000" (UTC).
std::string FileNameStamp(std::chrono::sys_seconds time);

// Now, to the second.
std::chrono::sys_seconds UtcNow();
