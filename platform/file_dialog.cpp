#include "platform/file_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

FileDialogAnswerer& Answerer() {
    static FileDialogAnswerer answerer;
    return answerer;
}

QString DocumentsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

QString Choose(QWidget* owner, const FileDialogRequest& request) {
    if (Answerer()) return Answerer()(request);
    return request.save
               ? QFileDialog::getSaveFileName(owner, request.caption, request.path, request.filter)
               : QFileDialog::getOpenFileName(owner, request.caption, request.path, request.filter);
}

}  // namespace

QString ChooseSaveFile(QWidget* owner, const QString& caption, const QString& suggestedName,
                       const QString& filter) {
    return Choose(owner, {true, caption, DocumentsFolder() + "/" + suggestedName, filter});
}

QString ChooseOpenFile(QWidget* owner, const QString& caption, const QString& filter) {
    return Choose(owner, {false, caption, DocumentsFolder(), filter});
}

FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer) {
    FileDialogAnswerer previous = std::move(Answerer());
    Answerer() = std::move(answerer);
    return previous;
}

std::string FileNameOf(const QString& path) {
#ifdef _WIN32
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

QString PathOfFileName(std::string_view name) {
#ifdef _WIN32
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
#else
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
#endif
}
