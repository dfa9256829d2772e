#include "common/ui/MachineTrayIcon.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>

#include "common/shell/TimingLog.h"

namespace kavo9 {

std::filesystem::path MachineTrayIcon::SocketFile(const std::filesystem::path& machineDir) {
  return machineDir / "run" / "tray.sock";
}

MachineTrayIcon::MachineTrayIcon(const std::filesystem::path& machineDir)
    : server_(std::make_unique<QLocalServer>()),
      machineDir_(machineDir),
      socket_(SocketFile(machineDir)) {
  // The socket of an ended holder is stale: this process holds the single-instance name.
  QLocalServer::removeServer(QString::fromStdString(socket_.string()));
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(QString::fromStdString(socket_.string()))) return;
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
          if (socket->bytesAvailable() > 256) socket->abort();
          return;
        }
        socket->write(Answer(socket->readLine(256).trimmed()) + "\n");
        socket->flush();
        socket->disconnectFromServer();
      });
    }
  });
}

MachineTrayIcon::~MachineTrayIcon() {
  server_->close();
}

QByteArray MachineTrayIcon::Answer(const QByteArray& line) {
  const QList<QByteArray> words = line.split(' ');
  bool ok = words.size() == 2;
  const uint32_t number = ok ? words[1].toUInt(&ok) : 0;
  QJsonObject reply{{"ok", true}};
  if (words[0] == "click" && ok) {
    Click(number);
  } else if (words[0] == "pick" && ok) {
    const bool offered =
        menu && std::any_of(menu->begin(), menu->end(),
                            [number](const TrayMenuItem& item) { return item.command == number; });
    if (!offered) return R"({"ok":false,"error":"that item is not in the open menu"})";
    NoteTiming(machineDir_, "tray", "pick-" + std::to_string(number));
    Choose(number);
  } else if (words[0] != "state" || words.size() != 1) {
    return R"({"ok":false,"error":"expected state, click N or pick N"})";
  }
  QJsonArray items;
  if (menu) {
    for (const TrayMenuItem& item : *menu) {
      items.append(
          QJsonObject{{"command", int(item.command)}, {"text", QString::fromStdString(item.text)}});
    }
  }
  reply["added"] = added;
  reply["icon"] = int(icon);
  reply["tip"] = QString::fromStdString(TipDisplayText(tip));
  reply["menu"] = items;
  return QJsonDocument(reply).toJson(QJsonDocument::Compact);
}

}  // namespace kavo9
