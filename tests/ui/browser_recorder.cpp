#include "browser_recorder.h"

#include <QDesktopServices>

BrowserRecorder::BrowserRecorder() {
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open");
}

BrowserRecorder::~BrowserRecorder() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void BrowserRecorder::Open(const QUrl& url) {
    opened.push_back(url);
}
