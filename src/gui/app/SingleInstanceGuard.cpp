#include "gui/app/SingleInstanceGuard.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

TSingleInstanceGuard::TSingleInstanceGuard(const QString& programFolder, QObject* parent)
    : QObject(parent) {
  const QByteArray id = QCryptographicHash::hash(programFolder.toUtf8() + '|' + qgetenv("USER"),
                                                 QCryptographicHash::Md5);
  Name_ = QStringLiteral("quarn-") + QString::fromLatin1(id.toHex().left(16));
}

TSingleInstanceGuard::~TSingleInstanceGuard() = default;

bool TSingleInstanceGuard::Acquire() {
  {
    QLocalSocket probe;
    probe.connectToServer(Name_);
    if (probe.waitForConnected(500)) {
      probe.write("raise\n");
      probe.waitForBytesWritten(500);
      probe.disconnectFromServer();
      return false;
    }
  }
  // Nobody answers: a socket file left by a crashed instance may still be there.
  QLocalServer::removeServer(Name_);
  Server_ = new QLocalServer(this);
  Server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!Server_->listen(Name_)) return true;  // cannot guard; run anyway
  connect(Server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* s = Server_->nextPendingConnection()) {
      connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
      Q_EMIT RaiseRequested();
    }
  });
  return true;
}
