// One editor per user: a lock file serialises starts, and a local socket
// server is the running instance. A second start hands its directory and
// arguments to the running one and ends.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <memory>

namespace qz {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // name distinguishes independent instances (tests); the default is per user.
    explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString DefaultName();

    // Waits for the start lock. Held until ReleaseStartLock, so that a second
    // start made while this one starts up finds the server ready.
    bool AcquireStartLock();
    void ReleaseStartLock();

    // Sends dir and args to a running instance. True when one took them.
    bool HandOver(const QString& dir, const QStringList& args, int timeoutMs = 5000);

    // Becomes the running instance: starts listening for hand-overs.
    bool Listen();

signals:
    void handOverReceived(const QString& dir, const QStringList& args);

private:
    void OnConnection();

    QString name_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace qz
