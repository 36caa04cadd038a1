#include "mywords/user_list_messages.h"

#include <QStringList>

#include "platform/file_dialog.h"
#include "userdata/history.h"
#include "userdata/own_terms.h"
#include "userdata/word_book.h"

namespace {

bool EndsWith(std::string_view path, std::string_view name) {
    return path.size() > name.size() && path.ends_with(name) &&
           (path[path.size() - name.size() - 1] == '/' ||
            path[path.size() - name.size() - 1] == '\\');
}

}  // namespace

QString ListNameOf(std::string_view path) {
    if (EndsWith(path, CWordBook::kFileName)) return QStringLiteral("生词本");
    if (EndsWith(path, CHistory::kFileName)) return QStringLiteral("查询记录");
    if (EndsWith(path, COwnTerms::kFileName)) return QStringLiteral("我的词条");
    return QStringLiteral("文件");
}

QString DamageMessage(const CDamageReport& damage) {
    QStringList lines;
    for (const long line : damage.lines) lines << QString::number(line);
    QString message = QStringLiteral("%1文件已损坏：第 %2 行无法读取，已略过。\n%3\n\n")
                          .arg(ListNameOf(damage.file), lines.join(QStringLiteral("、")),
                               PathOfFileName(damage.file));
    if (!damage.keptAs.empty()) {
        message += QStringLiteral("原来的文件另存为：\n%1").arg(PathOfFileName(damage.keptAs));
    } else {
        message += QStringLiteral("无法另存原来的文件，文件保持原样（%1）。")
                       .arg(QString::fromStdString(damage.keepFailure));
    }
    return message;
}

QString FailureMessage(const QString& action, const CUserDataError& error) {
    QString why;
    switch (error.cause()) {
        case CUserDataError::Cause::locked:
            why = QStringLiteral("另一个程序正在使用这个列表，请稍后再试。");
            break;
        case CUserDataError::Cause::newerFormat:
            why = QStringLiteral("文件由更新版本的程序写成，本程序不读也不改它。");
            break;
        case CUserDataError::Cause::badText:
            why = QStringLiteral(
                "文字不能收入列表（为空、太长、含控制字符或不是简体中文编码能表示的文字）。");
            break;
        case CUserDataError::Cause::noDataFolder:
            why = QStringLiteral("系统没有给出保存用户数据的文件夹。");
            break;
        case CUserDataError::Cause::io:
            why = QStringLiteral("文件无法读取或写入。");
            break;
    }
    return QStringLiteral("%1：%2\n\n详细信息：%3")
        .arg(action, why, QString::fromUtf8(error.what()));
}

QString TextProblemMessage(CTextProblem problem) {
    switch (problem) {
        case CTextProblem::empty:
            return QStringLiteral("为空");
        case CTextProblem::notUtf8:
            return QStringLiteral("不是 UTF-8 文字");
        case CTextProblem::notCodePage936:
            return QStringLiteral("含有简体中文编码（GBK）不能表示的字符");
        case CTextProblem::controlCharacter:
            return QStringLiteral("含有控制字符");
        case CTextProblem::tooLong:
            return QStringLiteral("太长");
    }
    return QStringLiteral("不能收入列表");
}

QString SkippedLineMessage(const CSkippedLine& skipped) {
    QString why;
    switch (skipped.problem) {
        case CSkippedLine::Problem::fieldCount:
            why = QStringLiteral("有 %1 个字段，应为 2 或 3 个").arg(skipped.fieldCount);
            break;
        case CSkippedLine::Problem::unclosedQuote:
            why = QStringLiteral("引号没有结束");
            break;
        case CSkippedLine::Problem::textAfterQuote:
            why = QStringLiteral("结束引号后还有文字");
            break;
        case CSkippedLine::Problem::badText: {
            const std::string_view field = skipped.field;
            const QString name = field == "English text"   ? QStringLiteral("英文")
                                 : field == "Chinese text" ? QStringLiteral("中文")
                                                           : QStringLiteral("备注");
            why = name + TextProblemMessage(skipped.text);
            break;
        }
    }
    return QStringLiteral("第 %1 行：%2").arg(skipped.line).arg(why);
}
