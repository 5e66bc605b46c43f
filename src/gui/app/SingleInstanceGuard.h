#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// Keeps one running instance per installation and user. The first instance
// listens on a local socket; a second one finds it there, asks it to come to
// the front and ends.
class TSingleInstanceGuard : public QObject {
  Q_OBJECT
 public:
  explicit TSingleInstanceGuard(const QString& programFolder, QObject* parent = nullptr);
  ~TSingleInstanceGuard() override;

  // True when this is the only instance (the guard then listens). False when
  // another instance runs; it has been asked to come to the front.
  bool Acquire();

  static QString Message() {
    return QStringLiteral("Es kann nur eine Instanz von Quarn ausgeführt werden.");
  }

 Q_SIGNALS:
  // Another instance asked this one to come to the front.
  void RaiseRequested();

 private:
  QString Name_;
  QLocalServer* Server_ = nullptr;
};
