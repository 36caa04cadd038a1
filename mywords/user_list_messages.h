// What the program tells the user, in Chinese, when one of the user's own lists could not be read
// or changed, or was damaged.
#pragma once

#include <QString>
#include <string_view>

#include "userdata/list_file.h"
#include "userdata/own_term_import.h"
#include "userdata/term_text.h"
#include "userdata/user_data_error.h"

// The Chinese name of the list kept in the file named path ("生词本", "查询记录", "我的词条"), or
// "文件" for another file.
QString ListNameOf(std::string_view path);

// "我的词条文件已损坏：第 3、5 行无法读取，已略过。原来的文件另存为：PATH": which list, which
// lines, and where the file as it was is kept, or, when the copy could not be made, that the file
// was left as it was and why.
QString DamageMessage(const CDamageReport& damage);

// What failed, in Chinese, after action ("无法加入生词本"): the list locked by another program, a
// file of a later version, a text the list cannot hold, a file that cannot be read or written,
// no data folder; then the detail of error.
QString FailureMessage(const QString& action, const CUserDataError& error);

// "为空", "太长", ...: what is wrong with a text, after the name of the text.
QString TextProblemMessage(CTextProblem problem);

// "第 3 行：有 1 个字段，应为 2 或 3 个": a line that an import skipped, and why.
QString SkippedLineMessage(const CSkippedLine& skipped);
