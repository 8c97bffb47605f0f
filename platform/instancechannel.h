// The running copy of the program listens on a local socket beside its lock file. A
// second start hands it a file to open, or asks it to come to the front, and waits
// a bounded time for the answer, so that a copy that hangs never hangs the start.
#pragma once

#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class QLocalServer;
class QLocalSocket;

// The lock file's path with ".socket" appended: in the user's runtime folder, or in
// /tmp under the user's id where there is none.
QString instanceChannelName();

// What a second start asks of the running copy.
struct InstanceRequest {
    enum class Kind { Raise, Open };
    Kind kind = Kind::Raise;
    QString path; // absolute path of the file to open
};

// One line: "raise", or "open " and the path percent-encoded, so that no byte of a
// path can end the line early.
QByteArray encodeRequest(const InstanceRequest& request);
// Nothing for a line that is no request: unknown words, a relative or empty path.
std::optional<InstanceRequest> decodeRequest(const QByteArray& line);

enum class HandOffResult {
    Delivered,  // the running copy acknowledged the request
    NoListener, // nothing listens: the copy holding the lock does not take requests
    NoAnswer,   // it took the connection but did not acknowledge in time
};

// Sends the request to the copy listening on name and waits at most timeoutMs in all.
// While nothing listens there yet (the copy holding the lock is still starting), it
// tries again within that time.
HandOffResult sendToRunningInstance(const InstanceRequest& request,
                                    const QString& name = instanceChannelName(),
                                    int timeoutMs = 5000);

// The running copy's side. Each request is acknowledged as soon as it is read; what
// it asks is done by whoever takes the signals. Requests read before
// deliverRequests() are kept, so the socket can listen while the window is still
// being made and no file handed over meanwhile is lost.
class InstanceListener : public QObject {
    Q_OBJECT
  public:
    explicit InstanceListener(QObject* parent = nullptr);

    // Listens on name. Only the holder of the lock calls this: a socket left behind
    // by a copy that was killed is removed first, as no copy can be using it. False
    // when the socket cannot be made.
    bool listen(const QString& name = instanceChannelName());

    // Signals the requests kept so far, in order, and every later one as it is read.
    void deliverRequests();

  signals:
    void raiseRequested();
    void openRequested(const QString& path);

  private:
    void acceptConnections();
    void readRequest(QLocalSocket* socket);
    void deliver(const InstanceRequest& request);

    QLocalServer* server_;
    std::vector<InstanceRequest> held_;
    bool holding_ = true;
};
