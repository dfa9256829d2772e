#include "common/ui/SingleInstance.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include "common/platform/TrayIcon.h"
#include "common/shell/InstanceMessages.h"

namespace kavo9 {
namespace {

constexpr int kWaitMs = 3000;

}  // namespace

SingleInstance::SingleInstance(const std::filesystem::path& machineDir)
    : lock_(InstanceLockFile(machineDir)),
      socketPath_(QString::fromStdString(InstanceSocketFile(machineDir).string())) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Acquire() {
  if (!lock_.TryAcquire()) return false;
  // The name is ours: whatever socket file is there was left by an instance that has ended.
  QLocalServer::removeServer(socketPath_);
  server_ = std::make_unique<QLocalServer>();
  if (!server_->listen(socketPath_)) {
    // Still the only instance (the lock says so); a second one will find no socket and end.
    server_.reset();
    return true;
  }
  connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
  return true;
}

bool SingleInstance::NotifyRunning() {
  QLocalSocket socket;
  // The running instance may hold the name and still be starting: give it a moment to listen.
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(kWaitMs)) break;
    if (waited.elapsed() > kWaitMs) return false;
    QThread::msleep(50);
  }
  QByteArray title;
  while (!title.contains('\n')) {
    if (!socket.waitForReadyRead(kWaitMs)) return false;
    title += socket.readAll();
    if (title.size() > 256) return false;
  }
  const QByteArray message = title.trimmed() == kMainWindowTitle
                                 ? QByteArray::number(kCmdOpen) + "\n"
                                 : QByteArray::number(kMsgTrayCallback) + " " +
                                       QByteArray::number(WM_LBUTTONDBLCLK) + "\n";
  socket.write(message);
  socket.waitForBytesWritten(kWaitMs);
  socket.disconnectFromServer();
  return true;
}

void SingleInstance::OnConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    const QString title = title_ ? title_() : QString::fromLatin1(kControllerTitle);
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
          (message == kCmdOpen || (message == kMsgTrayCallback && parameter == WM_LBUTTONDBLCLK))) {
        handler_(message, parameter);
      }
      socket->disconnectFromServer();
    });
  }
}

}  // namespace kavo9
