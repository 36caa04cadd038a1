#include "platform/chinese_locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWebEngineProfile>
#include <memory>

#include "platform/ansi_text.h"
#include "platform/debug_output.h"

void InstallChineseLocale() {
    // The web engine takes its locale from Qt's default when it starts.
    QLocale::setDefault(
        QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China));

    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_zh_CN", "qtwebengine_zh_CN"}) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(QLatin1String(name), directory)) {
            DebugOutput(ToAnsi(QStringLiteral("Qt translation %1.qm not found in %2\r\n")
                                   .arg(QLatin1String(name), directory)));
            continue;
        }
        translator->setParent(QCoreApplication::instance());
        QCoreApplication::installTranslator(translator.release());
    }
    QWebEngineProfile::defaultProfile()->setHttpAcceptLanguage(QStringLiteral("zh-CN,zh"));
}
