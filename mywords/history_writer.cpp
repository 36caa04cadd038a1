#include "mywords/history_writer.h"

CHistoryWriter::CHistoryWriter(const std::string& folder, Outcome outcome)
    : m_history(folder), m_outcome(std::move(outcome)), m_thread([this] { Run(); }) {}

CHistoryWriter::~CHistoryWriter() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_ending = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CHistoryWriter::Record(std::string query, std::uint64_t results,
                            std::chrono::sys_seconds time) {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back({std::move(query), results, time});
    }
    m_changed.notify_all();
}

void CHistoryWriter::Flush() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.empty() && !m_saving; });
}

void CHistoryWriter::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_ending || !m_queue.empty(); });
        if (m_queue.empty()) return;  // ending, and nothing left to save
        const Search search = std::move(m_queue.front());
        m_queue.pop_front();
        m_saving = true;
        lock.unlock();
        std::optional<CDamageReport> damage;
        std::optional<CUserDataError> failure;
        try {
            damage = m_history.Add(search.query, search.results, search.time).damage;
        } catch (const CUserDataError& error) {
            failure = error;
        } catch (const std::exception& error) {
            failure = CUserDataError(CUserDataError::Cause::io, error.what());
        }
        if (m_outcome) m_outcome(damage, failure);
        lock.lock();
        m_saving = false;
        m_changed.notify_all();
    }
}
