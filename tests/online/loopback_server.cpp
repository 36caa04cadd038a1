#include "loopback_server.h"

#include <QTcpSocket>
#include <memory>

LoopbackServer::LoopbackServer(quint16 port) {
    m_server.listen(QHostAddress::LocalHost, port);
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackServer::OnConnection);
}

QString LoopbackServer::Address(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}

QString LoopbackServer::DeadAddress(const QString& path) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path);
}

void LoopbackServer::Serve(const QString& path, const QByteArray& body,
                           const QByteArray& contentType) {
    m_answers[path] = {"HTTP/1.1 200 OK\r\nContent-Type: " + contentType + "\r\nContent-Length: " +
                           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n",
                       body};
}

void LoopbackServer::ServeBroken(const QString& path, const QByteArray& sent,
                                 qint64 declaredLength) {
    m_answers[path] = {"HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(declaredLength) +
                           "\r\nConnection: close\r\n\r\n",
                       sent, true};
}

void LoopbackServer::ServeUnsized(const QString& path, const QByteArray& body) {
    m_answers[path] = {"HTTP/1.0 200 OK\r\nConnection: close\r\n\r\n", body};
}

void LoopbackServer::ServeRedirect(const QString& path, const QByteArray& location) {
    m_answers[path] = {"HTTP/1.1 302 Found\r\nLocation: " + location +
                           "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
                       {}};
}

void LoopbackServer::ServeNothing(const QString& path) {
    m_answers[path] = {{}, {}, false, true};
}

void LoopbackServer::OnConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, received] {
            received->append(socket->readAll());
            OnRequest(socket, *received);
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LoopbackServer::OnRequest(QTcpSocket* socket, QByteArray& received) {
    const qsizetype end = received.indexOf("\r\n\r\n");
    if (end < 0) return;
    const QByteArray head = received.left(end);
    received.clear();
    requests.push_back(head);
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const QString target = requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString();
    const auto answer = m_answers.find(target.section('?', 0, 0));
    if (answer == m_answers.end()) {
        socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    if (answer->second.silent) return;
    socket->write(answer->second.head);
    socket->write(answer->second.body);
    if (answer->second.hangUp) {
        socket->flush();
        socket->abort();
        return;
    }
    socket->disconnectFromHost();
}
