// Stands in for the desktop's web browser while it lives: every http address the program asks
// the desktop to open is kept, in order, instead of being opened.
#pragma once

#include <QObject>
#include <QUrl>
#include <vector>

class BrowserRecorder : public QObject {
    Q_OBJECT
public:
    BrowserRecorder();
    ~BrowserRecorder() override;

    std::vector<QUrl> opened;

public slots:
    void Open(const QUrl& url);
};
