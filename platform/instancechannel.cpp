#include "platform/instancechannel.h"

#include "platform/singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace {

const QByteArray kRaiseWord = "raise";
const QByteArray kOpenWord = "open ";
const QByteArray kAcknowledgement = "ok\n";
// A request is one line of at most this many bytes; more is no request of ours.
constexpr qint64 kLongestRequest = 16 * 1024;
// A connection that sends no request within this time is closed.
constexpr int kRequestTimeoutMilliseconds = 10000;

// How often a second start tries again while the copy holding the lock is not yet
// listening: it takes the lock before it builds its window and opens the socket.
constexpr unsigned long kConnectRetryMilliseconds = 50;

int remaining(const QDeadlineTimer& deadline) {
    return static_cast<int>(std::max<qint64>(0, deadline.remainingTime()));
}

// Whether a failed connection may still succeed: nothing listens on the name yet,
// or a socket left by a killed copy is still there.
bool notListeningYet(QLocalSocket::LocalSocketError error) {
    return error == QLocalSocket::ServerNotFoundError ||
           error == QLocalSocket::ConnectionRefusedError;
}

// Connects to name, trying again until the deadline while nothing listens there.
// Nothing once connected, else why it failed.
std::optional<HandOffResult> connectBefore(QLocalSocket& socket, const QString& name,
                                           const QDeadlineTimer& deadline) {
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(remaining(deadline)))
            return std::nullopt;
        const QLocalSocket::LocalSocketError error = socket.error();
        if (!notListeningYet(error))
            return error == QLocalSocket::SocketTimeoutError ? HandOffResult::NoAnswer
                                                             : HandOffResult::NoListener;
        if (deadline.remainingTime() <= static_cast<qint64>(kConnectRetryMilliseconds))
            return HandOffResult::NoListener;
        socket.abort();
        QThread::msleep(kConnectRetryMilliseconds);
    }
}

} // namespace

QString instanceChannelName() {
    return QString::fromStdString(SingleInstanceGuard::lockFilePath()) + QStringLiteral(".socket");
}

QByteArray encodeRequest(const InstanceRequest& request) {
    if (request.kind == InstanceRequest::Kind::Raise)
        return kRaiseWord + '\n';
    return kOpenWord + QUrl::toPercentEncoding(request.path, "/") + '\n';
}

std::optional<InstanceRequest> decodeRequest(const QByteArray& line) {
    if (line == kRaiseWord)
        return InstanceRequest{InstanceRequest::Kind::Raise, {}};
    if (!line.startsWith(kOpenWord))
        return std::nullopt;
    const QString path = QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(5)));
    if (path.isEmpty() || !QDir::isAbsolutePath(path) || path.contains(QChar(0)))
        return std::nullopt;
    return InstanceRequest{InstanceRequest::Kind::Open, path};
}

HandOffResult sendToRunningInstance(const InstanceRequest& request, const QString& name,
                                    int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    if (const std::optional<HandOffResult> failed = connectBefore(socket, name, deadline))
        return *failed;
    socket.write(encodeRequest(request));
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (socket.bytesToWrite() > 0)
            socket.waitForBytesWritten(remaining(deadline));
        if (deadline.hasExpired() || !socket.waitForReadyRead(remaining(deadline)))
            return HandOffResult::NoAnswer;
        answer += socket.readAll();
    }
    return answer.startsWith(kAcknowledgement) ? HandOffResult::Delivered : HandOffResult::NoAnswer;
}

InstanceListener::InstanceListener(QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceListener::acceptConnections);
}

bool InstanceListener::listen(const QString& name) {
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

void InstanceListener::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        QTimer::singleShot(kRequestTimeoutMilliseconds, socket, [socket] { socket->abort(); });
    }
}

void InstanceListener::readRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kLongestRequest)
            socket->abort();
        return;
    }
    const std::optional<InstanceRequest> request = decodeRequest(socket->readLine().trimmed());
    if (!request) {
        socket->abort();
        return;
    }
    socket->write(kAcknowledgement);
    socket->flush();
    socket->disconnectFromServer();
    if (holding_)
        held_.push_back(*request);
    else
        deliver(*request);
}

void InstanceListener::deliverRequests() {
    holding_ = false;
    std::vector<InstanceRequest> held;
    held.swap(held_);
    for (const InstanceRequest& request : held)
        deliver(request);
}

void InstanceListener::deliver(const InstanceRequest& request) {
    if (request.kind == InstanceRequest::Kind::Raise)
        emit raiseRequested();
    else
        emit openRequested(request.path);
}
