#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace quenlar {

namespace {
constexpr int kConnectTimeoutMs = 1000;
const QByteArray kShowRequest = QByteArrayLiteral("show\n");
} // namespace

QString SingleInstance::sanitisedName(const QString &name) {
    QString safe;
    for (const QChar c : name) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-')
            safe += c;
    }
    return safe.isEmpty() ? QStringLiteral("quenlar") : safe;
}

QString SingleInstance::defaultFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

SingleInstance::SingleInstance(const QString &name, const QString &folder, QObject *parent) : QObject(parent) {
    const QString base = QDir(folder).filePath(QStringLiteral("quenlar-") + sanitisedName(name));
    socketPath_ = base + QStringLiteral(".socket");
    lock_ = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    // A running copy may hold the lock for days: only a lock whose process is gone is stale.
    lock_->setStaleLockTime(0);
    // A lock left by a copy that crashed is taken over: QLockFile sees that its process is gone.
    primary_ = lock_->tryLock(0);
    if (primary_)
        listen();
    else
        delivered_ = askRunningCopyToShow();
}

SingleInstance::~SingleInstance() {
    server_.close();
    if (primary_)
        lock_->unlock();
}

void SingleInstance::listen() {
    // Holding the lock means any socket file left here belongs to a copy that is gone.
    QLocalServer::removeServer(socketPath_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(socketPath_))
        qWarning("Cannot listen on %s: %s; a second start will not find this copy", qUtf8Printable(socketPath_),
                 qUtf8Printable(server_.errorString()));
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto handle = [this, socket] {
                if (socket->bytesAvailable() > 0 && socket->readAll().startsWith(kShowRequest.trimmed()))
                    emit showRequested();
            };
            if (socket->bytesAvailable() > 0)
                handle();
            else
                connect(socket, &QLocalSocket::readyRead, this, handle);
        }
    });
}

bool SingleInstance::askRunningCopyToShow() {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kShowRequest);
    const bool written = socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return written;
}

} // namespace quenlar
