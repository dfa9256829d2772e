#include "apps/Stavio/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace kavo9 {
namespace {

constexpr int kWaitMs = 3000;
constexpr uint32_t kOpenCommand = 32771;
constexpr uint32_t kTrayCallback = 0x0464;
constexpr uint32_t kLeftDoubleClick = 0x0203;

}  // namespace

SingleInstance::SingleInstance(QString socketPath) : socketPath_(std::move(socketPath)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Acquire() {
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socketPath_)) {
    // Either another instance holds the name, or an ended one left its socket file behind.
    QLocalSocket probe;
    probe.connectToServer(socketPath_);
    if (probe.waitForConnected(kWaitMs)) {
      server_.reset();
      return false;
    }
    QLocalServer::removeServer(socketPath_);
    if (!server_->listen(socketPath_)) {
      server_.reset();
      return false;
    }
  }
  connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
  return true;
}

bool SingleInstance::NotifyRunning() {
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  if (!socket.waitForConnected(kWaitMs)) return false;
  QByteArray title;
  while (!title.contains('\n')) {
    if (!socket.waitForReadyRead(kWaitMs)) return false;
    title += socket.readAll();
    if (title.size() > 256) return false;
  }
  const QByteArray message = title.trimmed() == "Kavo9"
                                 ? QByteArray::number(kOpenCommand) + "\n"
                                 : QByteArray::number(kTrayCallback) + " " +
                                       QByteArray::number(kLeftDoubleClick) + "\n";
  socket.write(message);
  socket.waitForBytesWritten(kWaitMs);
  socket.disconnectFromServer();
  return true;
}

void SingleInstance::OnConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    const QString title = title_ ? title_() : QStringLiteral("HideDlg");
    socket->write(title.toUtf8() + "\n");
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > 256) socket->abort();
        return;
      }
      const QList<QByteArray> words = socket->readLine(256).trimmed().split(' ');
      bool ok = false;
      const uint32_t message = words.value(0).toUInt(&ok);
      const uint32_t parameter = words.size() > 1 ? words[1].toUInt() : 0;
      // Only the two messages a second instance sends are taken.
      if (ok && handler_ &&
          (message == kOpenCommand || (message == kTrayCallback && parameter == kLeftDoubleClick))) {
        handler_(message, parameter);
      }
      socket->disconnectFromServer();
    });
  }
}

}  // namespace kavo9
