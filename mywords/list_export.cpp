#include "mywords/list_export.h"

#include "mywords/user_list_messages.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "userdata/exports.h"

QString ExportToChosenFile(QWidget* owner, const QString& caption, const QString& suggestedName,
                           const QString& filter,
                           const std::function<std::string(const QString& path)>& textFor) {
    const QString path = ChooseSaveFile(owner, caption, suggestedName, filter);
    if (path.isEmpty()) return {};
    try {
        WriteExport(FileNameOf(path), textFor(path));
    } catch (const CUserDataError& error) {
        ShowMessageBox(owner, FailureMessage(QStringLiteral("无法导出"), error),
                       MessageBoxType::IconError);
        return {};
    }
    return path;
}

bool IsCsvPath(const QString& path) {
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}
