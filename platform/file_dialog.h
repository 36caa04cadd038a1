// The file dialogs of the program's imports and exports, opened at the user's documents folder,
// through one service that tests can answer in place of the person who chooses the file; and
// the program's file names (files/file_name.h) as Qt's strings and back.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QWidget;

struct FileDialogRequest {
    bool save = false;  // a file to write (true) or to read
    QString caption;
    QString path;    // where the dialog opens: the documents folder, with the suggested name
    QString filter;  // "制表符分隔文件 (*.tsv)" ...
};

// Chooses a file, answering in place of the dialog; an empty string for none (cancelled).
using FileDialogAnswerer = std::function<QString(const FileDialogRequest&)>;

// Asks for a file to write, the dialog opening at the documents folder with suggestedName; the
// file chosen, or an empty string when the person cancels. owner may be null.
QString ChooseSaveFile(QWidget* owner, const QString& caption, const QString& suggestedName,
                       const QString& filter);
// Asks for a file to read, the dialog opening at the documents folder.
QString ChooseOpenFile(QWidget* owner, const QString& caption, const QString& filter);

// From now on every dialog is answered by answerer instead of being shown; an empty answerer
// brings the real dialogs back. Returns the answerer that was in place.
FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer);

// A path as Qt holds it as a file name of the program's, and back.
std::string FileNameOf(const QString& path);
QString PathOfFileName(std::string_view name);
