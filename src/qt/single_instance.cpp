#include "qt/single_instance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace qz {

namespace {
constexpr quint32 kMagic = 0x515A3332;  // "QZ32"
constexpr char kAccepted = 1;
}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultName() {
    return QStringLiteral("qz32editor-%1").arg(getuid());
}

bool SingleInstance::AcquireStartLock() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    lock_ = std::make_unique<QLockFile>(dir + '/' + name_ + ".lock");
    // A lock left by a process that died is taken over at once.
    lock_->setStaleLockTime(0);
    return lock_->lock();
}

void SingleInstance::ReleaseStartLock() {
    if (lock_) lock_->unlock();
}

bool SingleInstance::HandOver(const QString& dir, const QStringList& args, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out << kMagic << dir << args;
    QDataStream framed(&socket);
    framed << payload;
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    // The running instance answers once it has taken the request; a second
    // start ends either way, but the answer keeps it alive until then.
    if (!socket.waitForReadyRead(timeoutMs)) return false;
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == kAccepted;
}

bool SingleInstance::Listen() {
    // Only reached while holding the start lock with no server answering, so
    // any socket file left behind belongs to an instance that died.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(name_);
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QByteArray payload;
            in >> payload;
            if (!in.commitTransaction()) return;  // wait for the rest
            QDataStream body(payload);
            quint32 magic = 0;
            QString dir;
            QStringList args;
            body >> magic >> dir >> args;
            if (magic != kMagic || body.status() != QDataStream::Ok) {
                socket->abort();
                return;
            }
            socket->write(&kAccepted, 1);
            socket->flush();
            emit handOverReceived(dir, args);
        });
    }
}

}  // namespace qz
