#include "dictionary/dict_store.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <stdexcept>

#include "dictionary/archive_reader.h"
#include "dictionary/file_error.h"
#include "files/file_name.h"

namespace {

// A missing file is "not found" when its folder exists and an invalid path when it does not.
CFileError::Cause CauseOfOpenFailure(const std::string& path, int error) {
    if (path.empty()) return CFileError::Cause::badPath;
    const CFileError::Cause cause = CFileError::CauseOfErrno(error);
    if (cause != CFileError::Cause::fileNotFound) return cause;
    const std::filesystem::path folder = PathOfName(path).parent_path();
    std::error_code ignored;
    return folder.empty() || std::filesystem::is_directory(folder, ignored)
               ? cause
               : CFileError::Cause::badPath;
}

}  // namespace

void CDictStore::LoadFile(const std::string& path) {
    // A directory opens for reading here but not on every platform: refuse it alike everywhere.
    std::error_code error;
    if (std::filesystem::is_directory(PathOfName(path), error)) {
        throw CFileError(CFileError::Cause::accessDenied, path);
    }
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFile(path, "rb"), &std::fclose);
    if (!file) throw CFileError(CauseOfOpenFailure(path, errno), path);
    CArchiveReader archive(file.get());
    const long skipped = ReadEntries(archive);
    if (skipped > 0) throw CFileError(CFileError::Cause::damaged, path, skipped);
}

long CDictStore::ReadEntries(CArchiveReader& archive) {
    const std::int32_t count = archive.ReadInt32();
    if (count > 0) ReserveFor(static_cast<std::uint32_t>(count), archive.BytesLeft());
    long skipped = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        // Room for the entry first: once its texts are in m_texts, appending it cannot fail.
        if (m_entries.size() == m_entries.capacity()) {
            m_entries.reserve(std::max<std::size_t>(64, 2 * m_entries.capacity()));
        }
        const char* const texts = m_texts.data();
        CDictEntry entry;
        if (!entry.ReadRecord(archive, m_texts)) {
            ++skipped;
            continue;
        }
        m_entries.push_back(entry);
        PointEntriesAtTexts(texts);
    }
    return skipped;
}

void CDictStore::AddEntry(std::string_view english, std::string_view chinese) {
    if (english.find('\0') != std::string_view::npos ||
        chinese.find('\0') != std::string_view::npos) {
        throw std::invalid_argument("a dictionary text holds no zero byte");
    }
    // Room for everything first, so that nothing after it can fail.
    if (m_entries.size() == m_entries.capacity()) {
        m_entries.reserve(std::max<std::size_t>(64, 2 * m_entries.capacity()));
    }
    const std::size_t needed = m_texts.size() + english.size() + chinese.size() + 2;
    const char* const texts = m_texts.data();
    if (needed > m_texts.capacity()) m_texts.reserve(std::max(needed, 2 * m_texts.capacity()));
    PointEntriesAtTexts(texts);
    CDictEntry entry;
    entry.english = std::string_view(m_texts.data() + m_texts.size(), english.size());
    m_texts.append(english).push_back('\0');
    entry.chinese = std::string_view(m_texts.data() + m_texts.size(), chinese.size());
    m_texts.append(chinese).push_back('\0');
    m_entries.push_back(entry);
}

void CDictStore::ReserveFor(std::uint32_t count, std::optional<std::uint64_t> bytesLeft) {
    if (!bytesLeft) return;
    // A record takes at least its reserved words and a length byte, and its texts take at most
    // half of its hexadecimal digits (two zero bytes for a record without any).
    constexpr std::uint64_t kSmallestRecord = 4 * CDictEntry::kReservedWords + 1;
    const std::uint64_t records = std::min<std::uint64_t>(count, *bytesLeft / kSmallestRecord);
    const char* const texts = m_texts.data();
    try {
        m_entries.reserve(m_entries.size() + records);
        m_texts.reserve(m_texts.size() + *bytesLeft / 2);
    } catch (const std::bad_alloc&) {
        // Too much at once: the store grows as it reads instead.
    }
    PointEntriesAtTexts(texts);
}

void CDictStore::PointEntriesAtTexts(const char* textsBefore) {
    if (m_texts.data() == textsBefore) return;
    const char* text = m_texts.data();
    for (CDictEntry& entry : m_entries) {
        entry.english = std::string_view(text, entry.english.size());
        text += entry.english.size() + 1;
        entry.chinese = std::string_view(text, entry.chinese.size());
        text += entry.chinese.size() + 1;
    }
}
