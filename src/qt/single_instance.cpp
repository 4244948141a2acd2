#include "qt/single_instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QThread>
#include <optional>
#include <QStandardPaths>
#include <unistd.h>

namespace qz {

namespace {
constexpr quint32 kMagic = 0x515A3332;  // "QZ32"
constexpr char kAccepted = 1;

QString RuntimeFolder() {
    // XDG_RUNTIME_DIR is private to the user and emptied at logout; Qt falls
    // back to a private folder of its own when the session has none.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dir.isEmpty() ? QDir::tempPath() : dir;
}

// A socket path must fit sun_path (108 bytes with its NUL). A deep runtime
// folder gets a short name in /tmp made from the whole path, which keeps it
// per user and display; the socket itself is private to the user.
QString SocketPath(const QString& name) {
    if (name.toLocal8Bit().size() < 100) return name;
    const QByteArray digest =
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("/tmp/qz32editor-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest));
}

}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent) {
    name_ = name.contains('/') ? name : RuntimeFolder() + '/' + name;
    socket_ = SocketPath(name_);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DisplayKey() {
    QString key = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (key.isEmpty()) key = qEnvironmentVariable("DISPLAY");
    if (key.isEmpty()) key = qEnvironmentVariable("QT_QPA_PLATFORM", "console");
    for (QChar& c : key)
        if (!c.isLetterOrNumber() && c != '.' && c != '-') c = '_';
    return key;
}

QString SingleInstance::DefaultName() {
    return QStringLiteral("qz32editor-%1-%2").arg(getuid()).arg(DisplayKey());
}

namespace {
std::unique_ptr<QLockFile> MakeLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    // A lock left by a process that died is taken over at once; a living
    // holder keeps it however long it runs.
    lock->setStaleLockTime(0);
    return lock;
}
}  // namespace

bool SingleInstance::AcquireStartLock() {
    lock_ = MakeLock(name_ + ".lock");
    return lock_->lock();
}

bool SingleInstance::OtherInstanceAlive() {
    if (owner_) return false;
    auto owner = MakeLock(name_ + ".owner");
    if (!owner->tryLock(0)) return owner->error() == QLockFile::LockFailedError;
    owner_ = std::move(owner);
    return false;
}

void SingleInstance::ReleaseStartLock() {
    if (lock_) lock_->unlock();
}

SingleInstance::HandOverResult SingleInstance::HandOver(const QString& dir,
                                                       const QStringList& args, int patienceMs) {
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out << kMagic << dir << args;
    QElapsedTimer waited;
    waited.start();
    // A busy editor (a long replace, a modal box) may be slow to answer. The
    // request is sent once per connection and the same connection is waited
    // on, so that a late answer never opens the files twice; between waits,
    // an instance that died frees the name for this start.
    auto giveUp = [&]() -> std::optional<HandOverResult> {
        if (!OtherInstanceAlive()) return HandOverResult::NoInstance;
        if (waited.elapsed() >= patienceMs) return HandOverResult::Unreachable;
        return std::nullopt;
    };
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(socket_);
        if (socket.waitForConnected(1000)) {
            QDataStream framed(&socket);
            framed << payload;
            socket.flush();
            while (socket.state() == QLocalSocket::ConnectedState && !socket.bytesAvailable()) {
                if (socket.waitForReadyRead(500)) break;
                if (auto end = giveUp()) return *end;
            }
            char answer = 0;
            if (socket.read(&answer, 1) == 1 && answer == kAccepted) return HandOverResult::Done;
        }
        if (auto end = giveUp()) return *end;
        QThread::msleep(100);
    }
}

bool SingleInstance::Listen() {
    if (OtherInstanceAlive()) return false;
    // Holding the mark, any socket file left behind belongs to an instance
    // that died.
    QLocalServer::removeServer(socket_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(socket_);
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
