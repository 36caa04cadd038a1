// CSingleInstance: one program at a time for each user. The first program listens on a local
// socket in the user's runtime folder; a program started while it runs tells it to come
// forward and ends. A socket left behind by a program that crashed is taken over.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

class CSingleInstance : public QObject {
    Q_OBJECT
public:
    // How long a start waits for the running program to take its message.
    static constexpr int kTalkMs = 2000;

    // The socket of the application name in the user's runtime folder
    // (QStandardPaths::RuntimeLocation); folder, when not empty, names another folder.
    explicit CSingleInstance(const QString& folder = QString());
    ~CSingleInstance() override;

    // True when this is the program that runs: it listens from now on. False when another runs;
    // it has been told to come forward. When the socket cannot be had for any other reason
    // (no runtime folder, no room), this program runs all the same, alone or not, and true is
    // returned.
    bool Claim();

    const QString& SocketPath() const { return m_path; }

signals:
    // Another start asked this program to come forward.
    void ActivationRequested();

private:
    void OnConnection();
    void ReadMessages(QLocalSocket& socket);

    QString m_path;
    QLocalServer m_server;
};
