// An HTTP server on 127.0.0.1 for the online tests, served by the event loop of the thread that
// made it. Each path answers the way the test told it to; every request's head is kept.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <map>
#include <vector>

class QTcpSocket;

class LoopbackServer : public QObject {
public:
    // Listens on port, or on a free one for 0.
    explicit LoopbackServer(quint16 port = 0);

    // "http://127.0.0.1:<port>" + path.
    QString Address(const QString& path) const;
    // An address on 127.0.0.1 where nothing listens.
    static QString DeadAddress(const QString& path);

    // path answers 200 with body of the given type.
    void Serve(const QString& path, const QByteArray& body,
               const QByteArray& contentType = "text/plain");
    // path announces a body of declaredLength bytes, sends sent of them and hangs up.
    void ServeBroken(const QString& path, const QByteArray& sent, qint64 declaredLength);
    // path answers 200 with body and no length: the body ends when the connection closes.
    void ServeUnsized(const QString& path, const QByteArray& body);
    // path answers 302, sending the browser to location.
    void ServeRedirect(const QString& path, const QByteArray& location);
    // path never answers.
    void ServeNothing(const QString& path);

    std::vector<QByteArray> requests;

private:
    struct Answer {
        QByteArray head;
        QByteArray body;
        bool hangUp = false;
        bool silent = false;
    };
    void OnConnection();
    void OnRequest(QTcpSocket* socket, QByteArray& received);

    QTcpServer m_server;
    std::map<QString, Answer> m_answers;
};
