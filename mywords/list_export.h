// Writing a list to a file the user chooses: the save dialog opens at the documents folder, and
// the file is written whole or left as it was (userdata/exports.h).
#pragma once

#include <QString>
#include <functional>
#include <string>

class QWidget;

// Asks for a file (caption, suggestedName, filter as platform/file_dialog.h takes them), then
// writes the text that textFor gives for the chosen path into it. Returns the path written, or
// an empty string when the person cancelled or the write failed (reported in a message box over
// owner).
QString ExportToChosenFile(QWidget* owner, const QString& caption, const QString& suggestedName,
                           const QString& filter,
                           const std::function<std::string(const QString& path)>& textFor);

// True when path names a CSV file (ends with ".csv", letter case ignored).
bool IsCsvPath(const QString& path);
