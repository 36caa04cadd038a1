#include "browser_recorder.h"

#include <QDesktopServices>
#include <utility>

BrowserRecorder::BrowserRecorder(QString scheme) : m_scheme(std::move(scheme)) {
    QDesktopServices::setUrlHandler(m_scheme, this, "Open");
}

BrowserRecorder::~BrowserRecorder() {
    QDesktopServices::unsetUrlHandler(m_scheme);
}

void BrowserRecorder::Open(const QUrl& url) {
    opened.push_back(url);
}
