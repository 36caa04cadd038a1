// Stands in for the desktop's web browser while it lives: every address of its scheme (http
// unless told otherwise) that the program asks the desktop to open is kept, in order, instead of
// being opened.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <vector>

class BrowserRecorder : public QObject {
    Q_OBJECT
public:
    explicit BrowserRecorder(QString scheme = QStringLiteral("http"));
    ~BrowserRecorder() override;

    std::vector<QUrl> opened;

public slots:
    void Open(const QUrl& url);

private:
    QString m_scheme;
};
