// CHistoryWriter: records searches in the history file on a thread of its own, so that the
// dictionary page never waits for a save (each one flushes the file to the disk). Searches are
// saved one after the other in the order they were given, each in one transaction of
// userdata/history.h, and so share the history's lock with gdict and other copies of the program.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "userdata/history.h"

class CHistoryWriter {
public:
    // What became of one search: the damage found in the file when the save went through, or
    // the failure when it did not. Called on the writer's thread.
    using Outcome = std::function<void(const std::optional<CDamageReport>& damage,
                                       const std::optional<CUserDataError>& failure)>;

    // Saves into the history of the data folder folder; outcome hears of every save.
    CHistoryWriter(const std::string& folder, Outcome outcome);
    // Saves what is still queued, then ends the thread.
    ~CHistoryWriter();
    CHistoryWriter(const CHistoryWriter&) = delete;
    CHistoryWriter& operator=(const CHistoryWriter&) = delete;

    // Queues a search for query (code page 936, as typed) that found results entries, at time.
    void Record(std::string query, std::uint64_t results, std::chrono::sys_seconds time);

    // Returns once every search queued before the call has been saved (or has failed).
    void Flush();

private:
    struct Search {
        std::string query;
        std::uint64_t results;
        std::chrono::sys_seconds time;
    };

    void Run();

    CHistory m_history;
    Outcome m_outcome;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Search> m_queue;
    bool m_saving = false;
    bool m_ending = false;
    std::thread m_thread;
};
