// One editor per user and display: a lock file serialises starts, a second
// lock held for the whole run marks the living instance, and a local socket
// server in the user's runtime folder takes the hand-overs. A second start
// hands its directory and arguments to the running one and ends.
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
    // name distinguishes independent instances (tests); the default is per
    // user and display. A name without '/' lives in the runtime folder.
    explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString DefaultName();
    // The display this process shows on, as a file-name-safe word.
    static QString DisplayKey();

    // Waits for the start lock. Held until ReleaseStartLock, so that a second
    // start made while this one starts up finds the server ready.
    bool AcquireStartLock();
    void ReleaseStartLock();

    // Sends dir and args to a running instance. Waits while a living instance
    // is slow to answer, up to patienceMs: Unreachable then, NoInstance as soon
    // as no instance lives (this one then holds the mark).
    enum class HandOverResult { Done, NoInstance, Unreachable };
    HandOverResult HandOver(const QString& dir, const QStringList& args, int patienceMs = 60000);

    // Whether another living process is the running instance. When none is,
    // this one takes the mark and keeps it until it ends.
    bool OtherInstanceAlive();

    // Becomes the running instance: starts listening for hand-overs. Refused
    // while another living process holds the mark.
    bool Listen();

    QString ServerName() const { return socket_; }

signals:
    void handOverReceived(const QString& dir, const QStringList& args);

private:
    void OnConnection();

    QString name_;    // base of the lock files
    QString socket_;  // the server's socket path
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLockFile> owner_;
    QLocalServer server_;
};

}  // namespace qz
