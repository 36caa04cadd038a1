#include "app/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include "platform/debug_output.h"

namespace {

constexpr char kComeForward[] = "show\n";

// True when a program listens at path and took the message to come forward.
bool TellRunningProgram(const QString& path) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(CSingleInstance::kTalkMs)) return false;
    socket.write(kComeForward);
    return socket.waitForBytesWritten(CSingleInstance::kTalkMs);
}

}  // namespace

CSingleInstance::CSingleInstance(const QString& folder) {
    const QString directory =
        folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                         : folder;
    if (!directory.isEmpty()) {
        m_path = QDir(directory).filePath(QCoreApplication::applicationName() + ".socket");
    }
    connect(&m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnConnection);
}

CSingleInstance::~CSingleInstance() = default;

bool CSingleInstance::Claim() {
    if (m_path.isEmpty()) return true;
    // Two programs started at once must not both find no one and both listen: the look and
    // the start of listening happen under a lock, which a program that died holding it frees.
    QLockFile lock(m_path + ".lock");
    if (!lock.tryLock(kTalkMs)) DebugOutput("The single-program lock could not be taken\r\n");
    if (TellRunningProgram(m_path)) return false;
    // No one answers at the socket: it was left behind by a program that ended without
    // removing it.
    QLocalServer::removeServer(m_path);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_path)) {
        DebugOutput("No single-program socket: " + m_server.errorString().toStdString() + "\r\n");
    }
    return true;
}

void CSingleInstance::OnConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadMessages(*socket); });
        ReadMessages(*socket);
    }
}

void CSingleInstance::ReadMessages(QLocalSocket& socket) {
    // Whatever a start sends ends in a line; only the message to come forward is known.
    while (socket.canReadLine()) {
        if (socket.readLine() == kComeForward) emit ActivationRequested();
    }
}
