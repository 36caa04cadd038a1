// The notice worker: once per start it asks the publisher's notice server for a notice, beside
// the user-interface thread. The last answer is kept in a per-user cache file, so that the notice
// of the previous run is used when the server cannot be reached. A notice counts only when it
// holds "LUMA_AD"; "LUMA_POWERAD" asks for it after every result, "LUMA_UPGRADE" tells the user
// to upgrade.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class CStartupSettings;

namespace NoticeMarker {
constexpr std::string_view Ad = "LUMA_AD";
constexpr std::string_view PowerAd = "LUMA_POWERAD";
constexpr std::string_view Upgrade = "LUMA_UPGRADE";
}  // namespace NoticeMarker

// The response file's name in the per-user cache folder.
constexpr const char* kResponseFileName = "Ad1234.exe";

// The largest notice: a larger answer is refused and the cached one kept, and a larger cached
// file is not read. A notice is a few lines of HTML; this keeps what the page builds from it
// small.
constexpr std::int64_t kNoticeMaxBytes = 64 * 1024;

// The response file as a notice text: its lines without their line ends (a line feed, and a
// carriage return right before it), joined with nothing between them. A file that cannot be
// opened gives the empty text, as does one larger than kNoticeMaxBytes (with a debug line); a
// symbolic link at path is not followed.
std::string ReadNoticeFile(const std::string& path);

// One pass of the worker with the given request address (code page 936) and response file:
// the cached notice, the fetch (of at most kNoticeMaxBytes), then the markers. It blocks in the
// network and, for an upgrade, until the user has closed the message box.
void RunNoticePass(CStartupSettings& settings, const std::string& requestAddress,
                   const std::string& responsePath);

// The worker's thread: deciphers the notice server's address (string 112), adds "?Ver=" and the
// version, and runs one pass with responsePath. Returns 0.
unsigned NoticeWorker(CStartupSettings* settings, const std::string& responsePath);

// Starts the worker, once per process, on a thread of its own that nothing waits for.
void StartNoticeWorker(CStartupSettings& settings);

// Runs pass on a detached thread that NoticeWorkerRunning reports on. An exception that leaves
// pass (a failed hand-over of the message box, a conversion error, memory exhaustion) ends the
// pass with a debug line, "Notice worker stopped: <what>"; the program goes on.
void LaunchNoticeWorker(std::function<void()> pass);

// True while a worker started here has not finished; the process then ends without tearing down
// what the worker may still be using.
bool NoticeWorkerRunning();
