#include "ui/main/FileHandOff.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace vemo {
namespace {

constexpr int kHandOffTimeoutMs = 5000;
// How long a copy still starting up (it holds the lock but does not listen yet) is waited for.
constexpr int kServerStartMs = 15000;
constexpr int kRetryMs = 100;

} // namespace

FileHandOffServer::FileHandOffServer(const QString& socketPath, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
    // Only the lock holder gets here: a socket file left there belongs to a copy that was killed.
    QLocalServer::removeServer(socketPath);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(socketPath);
    connect(server_, &QLocalServer::newConnection, this, &FileHandOffServer::readClient);
}

bool FileHandOffServer::isListening() const {
    return server_->isListening();
}

// One line per connection: the file's absolute path in UTF-8.  The answer "1" tells the sender it was
// taken.
void FileHandOffServer::readClient() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            if (!client->canReadLine()) {
                return;
            }
            const QString path = QString::fromUtf8(client->readLine()).trimmed();
            client->write("1\n");
            client->flush();
            if (!path.isEmpty()) {
                emit fileReceived(path);
            }
        });
    }
}

bool HandFileToRunningCopy(const QString& socketPath, const QString& file) {
    QLocalSocket socket;
    const QDeadlineTimer deadline(kServerStartMs);
    socket.connectToServer(socketPath);
    // A server that is not there yet fails at once rather than being waited for: try again until the
    // running copy has built its window and listens.
    while (!socket.waitForConnected(kHandOffTimeoutMs)) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(kRetryMs);
        socket.abort();
        socket.connectToServer(socketPath);
    }
    socket.write(QFileInfo(file).absoluteFilePath().toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kHandOffTimeoutMs)) {
        return false;
    }
    return socket.waitForReadyRead(kHandOffTimeoutMs) && socket.readLine().trimmed() == "1";
}

} // namespace vemo
