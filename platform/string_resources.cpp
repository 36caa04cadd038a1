#include "platform/string_resources.h"

#include <QFile>

namespace {

constexpr int kFirstStringId = 101;
constexpr int kLastStringId = 113;

}  // namespace

std::string LoadStringResource(std::string_view name) {
    QFile file(QStringLiteral(":/strings/%1.txt")
                   .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

StringTable LoadStringTable() {
    StringTable table;
    for (int id = kFirstStringId; id <= kLastStringId; ++id) {
        std::string text = LoadStringResource(std::to_string(id));
        if (!text.empty()) table.emplace(id, std::move(text));
    }
    return table;
}
