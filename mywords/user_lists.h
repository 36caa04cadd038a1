// CUserLists: the program's side of the user's own lists, the word book, the history and the
// own terms of one data folder. Every read and change goes through userdata/ (one transaction
// under the list's lock, saved by write-then-rename), so the program shares the lock and the
// safe save with gdict and with other copies of itself, and a change that another one made is
// read before saving.
//
// Every failure is reported in a Chinese message box (platform/message_box.h) and the call says
// so by its result; a damaged file is reported once (per damage: a later damage of the same file,
// kept aside under a new name, is reported again), and the program goes on with what could be
// read. Lives on the user-interface thread; the history is saved on a thread of its own.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/dict_store.h"
#include "userdata/history.h"
#include "userdata/own_term_import.h"
#include "userdata/own_terms.h"
#include "userdata/word_book.h"

class CHistoryWriter;
class QSettings;

class CUserLists : public QObject {
    Q_OBJECT
public:
    // The setting that turns the history on (true, the default) or off.
    static constexpr char kHistorySetting[] = "history/enabled";

    // The lists of the data folder folder (userdata/data_folder.h); settings keeps the history
    // switch.
    CUserLists(std::string folder, std::unique_ptr<QSettings> settings);
    // Saves the searches still queued for the history first.
    ~CUserLists() override;

    const std::string& Folder() const { return m_folder; }
    // The window over which the messages are shown; none by default.
    void SetMessageOwner(QWidget* owner) { m_owner = owner; }

    // The word book, newest first; nullopt when it could not be read.
    std::optional<std::vector<CWordBookEntry>> ReadWordBook();
    // Whether the word book holds the entry english, chinese (code page 936), as the file holds it
    // now: the file is read again when it changed since the last look.
    bool IsInWordBook(std::string_view english, std::string_view chinese);
    // Adds the entry to the word book, or takes it out when the book holds it; whether the book
    // holds it afterwards, nullopt when the change failed.
    std::optional<bool> ToggleWordBook(std::string_view english, std::string_view chinese);
    // False when the change failed.
    bool RemoveFromWordBook(std::string_view english, std::string_view chinese);

    bool HistoryEnabled() const;
    void SetHistoryEnabled(bool enabled);
    // Records a search for query (code page 936, as typed) that found results entries, unless
    // the history is off. Returns at once: the save follows on the history's thread.
    void RecordSearch(std::string query, std::uint64_t results);
    // Returns once every search recorded so far has been saved.
    void FlushHistory();
    // The history, newest first (the searches recorded so far included); nullopt on a failure.
    std::optional<std::vector<CHistoryEntry>> ReadHistory();
    // Forgets every search; false when that failed.
    bool ClearHistory();

    // The own terms in the order they were added; nullopt when they could not be read.
    std::optional<std::vector<COwnTerm>> ReadOwnTerms();
    // Changes of the own terms (userdata/own_terms.h); nullopt when the change failed.
    std::optional<COwnTermOutcome> AddOwnTerm(const COwnTerm& term);
    std::optional<COwnTermOutcome> EditOwnTerm(std::string_view english, std::string_view chinese,
                                               const COwnTerm& term);
    bool RemoveOwnTerm(std::string_view english, std::string_view chinese);
    std::optional<CImportCounts> ImportOwnTerms(const CImportedTerms& imported);
    // The own terms as a store for the dictionary page's search. The file's modification time and
    // size are looked at on every call: while they stay, the same store comes back; after a
    // change, by this program, another copy of it or gdict, a new one read from the file. A file
    // that cannot be read gives an empty store, reported once until the file changes. Search
    // results that point into a store stay valid while the caller holds the store.
    std::shared_ptr<const CDictStore> OwnTermStore();

signals:
    // A change made through this object (the history: a search saved, or the history cleared).
    void wordBookChanged();
    void historyChanged();
    void ownTermsChanged();

private:
    struct FileStamp {
        bool exists = false;
        std::filesystem::file_time_type time{};
        std::uintmax_t size = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp StampOf(const std::string& path);

    // Runs call(), reporting a CUserDataError with action; nullopt for a failure.
    template <class Call>
    auto Attempt(const QString& action, Call&& call) -> std::optional<decltype(call())>;
    void ReportDamage(const std::optional<CDamageReport>& damage);
    void ReportFailure(const QString& action, const CUserDataError& error);
    // Reads the word book into m_wordBookPairs when the file changed since it was last read.
    void RefreshWordBookPairs();

    std::string m_folder;
    std::unique_ptr<QSettings> m_settings;
    QPointer<QWidget> m_owner;
    CWordBook m_wordBook;
    CHistory m_history;
    COwnTerms m_ownTerms;
    std::unique_ptr<CHistoryWriter> m_historyWriter;
    // The damage already reported: the file and the name of its copy.
    std::set<std::pair<std::string, std::string>> m_reportedDamage;
    std::set<std::pair<std::string, std::string>> m_wordBookPairs;
    std::optional<FileStamp> m_wordBookStamp;
    std::shared_ptr<const CDictStore> m_ownTermStore;
    std::optional<FileStamp> m_ownTermStamp;
};
