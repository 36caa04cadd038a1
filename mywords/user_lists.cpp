#include "mywords/user_lists.h"

#include <QSettings>
#include <QWidget>
#include <algorithm>

#include "files/file_name.h"
#include "mywords/history_writer.h"
#include "mywords/user_list_messages.h"
#include "platform/message_box.h"
#include "userdata/own_term_store.h"
#include "userdata/utc_time.h"

CUserLists::CUserLists(std::string folder, std::unique_ptr<QSettings> settings)
    : m_folder(std::move(folder)),
      m_settings(std::move(settings)),
      m_wordBook(m_folder),
      m_history(m_folder),
      m_ownTerms(m_folder) {
    m_historyWriter = std::make_unique<CHistoryWriter>(
        m_folder, [this](const std::optional<CDamageReport>& damage,
                         const std::optional<CUserDataError>& failure) {
            // Told on the user-interface thread; dropped when this object is gone by then.
            QMetaObject::invokeMethod(
                this,
                [this, damage, failure] {
                    ReportDamage(damage);
                    if (failure) ReportFailure(QStringLiteral("无法保存查询记录"), *failure);
                    emit historyChanged();
                },
                Qt::QueuedConnection);
        });
}

CUserLists::~CUserLists() {
    m_historyWriter.reset();
}

CUserLists::FileStamp CUserLists::StampOf(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file = PathOfName(path);
    FileStamp stamp;
    stamp.time = std::filesystem::last_write_time(file, error);
    if (error) return {};
    stamp.size = std::filesystem::file_size(file, error);
    if (error) return {};
    stamp.exists = true;
    return stamp;
}

template <class Call>
auto CUserLists::Attempt(const QString& action, Call&& call) -> std::optional<decltype(call())> {
    try {
        return call();
    } catch (const CUserDataError& error) {
        ReportFailure(action, error);
    } catch (const std::exception& error) {
        ReportFailure(action, CUserDataError(CUserDataError::Cause::io, error.what()));
    }
    return std::nullopt;
}

void CUserLists::ReportDamage(const std::optional<CDamageReport>& damage) {
    if (!damage || !m_reportedDamage.emplace(damage->file, damage->keptAs).second) return;
    ShowMessageBox(m_owner, DamageMessage(*damage), MessageBoxType::IconWarning);
}

void CUserLists::ReportFailure(const QString& action, const CUserDataError& error) {
    ShowMessageBox(m_owner, FailureMessage(action, error), MessageBoxType::IconError);
}

std::optional<std::vector<CWordBookEntry>> CUserLists::ReadWordBook() {
    auto read = Attempt(QStringLiteral("无法读取生词本"), [&] { return m_wordBook.Read(); });
    if (!read) return std::nullopt;
    ReportDamage(read->damage);
    return std::move(read->records);
}

void CUserLists::RefreshWordBookPairs() {
    const FileStamp stamp = StampOf(m_wordBook.path());
    if (m_wordBookStamp == stamp) return;
    // Taken before the read: a change while it reads is read again next time.
    m_wordBookStamp = stamp;
    m_wordBookPairs.clear();
    if (!stamp.exists) return;
    if (const auto entries = ReadWordBook()) {
        for (const CWordBookEntry& entry : *entries) {
            m_wordBookPairs.emplace(entry.english, entry.chinese);
        }
    }
}

bool CUserLists::IsInWordBook(std::string_view english, std::string_view chinese) {
    RefreshWordBookPairs();
    return m_wordBookPairs.count({std::string(english), std::string(chinese)}) != 0;
}

std::optional<bool> CUserLists::ToggleWordBook(std::string_view english, std::string_view chinese) {
    const bool held = IsInWordBook(english, chinese);
    const auto change = held ? Attempt(QStringLiteral("无法移出生词本"),
                                       [&] { return m_wordBook.Remove(english, chinese); })
                             : Attempt(QStringLiteral("无法加入生词本"),
                                       [&] { return m_wordBook.Add(english, chinese); });
    m_wordBookStamp.reset();
    if (!change) return std::nullopt;
    ReportDamage(change->damage);
    emit wordBookChanged();
    return !held;
}

bool CUserLists::RemoveFromWordBook(std::string_view english, std::string_view chinese) {
    const auto change = Attempt(QStringLiteral("无法移出生词本"),
                                [&] { return m_wordBook.Remove(english, chinese); });
    m_wordBookStamp.reset();
    if (!change) return false;
    ReportDamage(change->damage);
    emit wordBookChanged();
    return true;
}

bool CUserLists::HistoryEnabled() const {
    return m_settings->value(QString::fromLatin1(kHistorySetting), true).toBool();
}

void CUserLists::SetHistoryEnabled(bool enabled) {
    m_settings->setValue(QString::fromLatin1(kHistorySetting), enabled);
    m_settings->sync();
}

void CUserLists::RecordSearch(std::string query, std::uint64_t results) {
    if (!HistoryEnabled()) return;
    m_historyWriter->Record(std::move(query), results, UtcNow());
}

void CUserLists::FlushHistory() {
    m_historyWriter->Flush();
}

std::optional<std::vector<CHistoryEntry>> CUserLists::ReadHistory() {
    FlushHistory();
    auto read = Attempt(QStringLiteral("无法读取查询记录"), [&] { return m_history.Read(); });
    if (!read) return std::nullopt;
    ReportDamage(read->damage);
    return std::move(read->records);
}

bool CUserLists::ClearHistory() {
    // A search recorded before the clear is not saved after it.
    FlushHistory();
    const auto change =
        Attempt(QStringLiteral("无法清空查询记录"), [&] { return m_history.Clear(); });
    if (!change) return false;
    ReportDamage(change->damage);
    emit historyChanged();
    return true;
}

std::optional<std::vector<COwnTerm>> CUserLists::ReadOwnTerms() {
    auto read = Attempt(QStringLiteral("无法读取我的词条"), [&] { return m_ownTerms.Read(); });
    if (!read) return std::nullopt;
    ReportDamage(read->damage);
    return std::move(read->records);
}

std::optional<COwnTermOutcome> CUserLists::AddOwnTerm(const COwnTerm& term) {
    const auto change =
        Attempt(QStringLiteral("无法添加词条"), [&] { return m_ownTerms.Add(term); });
    if (!change) return std::nullopt;
    ReportDamage(change->damage);
    emit ownTermsChanged();
    return change->outcome;
}

std::optional<COwnTermOutcome> CUserLists::EditOwnTerm(std::string_view english,
                                                       std::string_view chinese,
                                                       const COwnTerm& term) {
    const auto change = Attempt(QStringLiteral("无法修改词条"),
                                [&] { return m_ownTerms.Edit(english, chinese, term); });
    if (!change) return std::nullopt;
    ReportDamage(change->damage);
    emit ownTermsChanged();
    return change->outcome;
}

bool CUserLists::RemoveOwnTerm(std::string_view english, std::string_view chinese) {
    const auto change = Attempt(QStringLiteral("无法删除词条"),
                                [&] { return m_ownTerms.Remove(english, chinese); });
    if (!change) return false;
    ReportDamage(change->damage);
    emit ownTermsChanged();
    return true;
}

std::optional<CImportCounts> CUserLists::ImportOwnTerms(const CImportedTerms& imported) {
    auto counts =
        Attempt(QStringLiteral("无法导入词条"), [&] { return m_ownTerms.Import(imported); });
    if (!counts) return std::nullopt;
    ReportDamage(counts->damage);
    emit ownTermsChanged();
    return counts;
}

std::shared_ptr<const CDictStore> CUserLists::OwnTermStore() {
    const FileStamp stamp = StampOf(m_ownTerms.path());
    if (m_ownTermStore && m_ownTermStamp == stamp) return m_ownTermStore;
    m_ownTermStamp = stamp;
    std::vector<COwnTerm> terms;
    if (stamp.exists) {
        if (auto read = ReadOwnTerms()) terms = std::move(*read);
    }
    auto store =
        Attempt(QStringLiteral("无法读取我的词条"), [&] { return MakeOwnTermStore(terms); });
    m_ownTermStore = store ? std::shared_ptr<const CDictStore>(*std::move(store))
                           : std::make_shared<const CDictStore>();
    return m_ownTermStore;
}
