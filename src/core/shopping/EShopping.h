#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Failures of the Shopping API layer: an answer that is not XML, a result
// without the nodes it must have, a listing that cannot be read. Handlers of
// an answer catch the family and pass it to an OnError event.
class EShopping : public std::exception {
 public:
  explicit EShopping(QString message) : FMessage(std::move(message)), FWhat(FMessage.toUtf8()) {}

  const QString& Message() const { return FMessage; }
  const char* what() const noexcept override { return FWhat.constData(); }
  // The class name, for logs and the command line.
  virtual const char* ClassName() const { return "EShopping"; }

 private:
  QString FMessage;
  QByteArray FWhat;
};
