#include "app/single_instance.h"

#include <unistd.h>
#include <QLocalSocket>

namespace novu {

namespace {

const char kRestore[] = "restore\n";
constexpr int kConnectTimeoutMs = 500;

}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
}

QString SingleInstance::DefaultName() {
    // One instance per user: the socket lives in a folder shared by every user.
    return QStringLiteral("CNOVU_GMouseApp-%1").arg(getuid());
}

bool SingleInstance::AskRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kConnectTimeoutMs)) {
        return false;
    }
    socket.write(kRestore);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen() {
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(name_);
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            if (socket->canReadLine() && socket->readLine().startsWith("restore")) {
                emit restoreRequested();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        read();  // the request may have arrived with the connection
    }
}

}  // namespace novu
