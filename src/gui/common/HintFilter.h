#pragma once

#include <QObject>

// Shows every hint of the program for 10 seconds, with each "@" in its text
// turned into a line break, so one hint text can span several lines.
class THintFilter : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  static constexpr int kHintMilliseconds = 10000;

  // "@" becomes a line break.
  static QString HintText(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
