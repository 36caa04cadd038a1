#include "platform/page_path.h"

#include <QUrl>

#include "platform/mbcs.h"

std::string PagePath(std::string_view path) {
    if (auto ansi = mbcs::FromUtf8(path)) return *ansi;
    return QUrl::fromLocalFile(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())))
        .toEncoded()
        .toStdString();
}
