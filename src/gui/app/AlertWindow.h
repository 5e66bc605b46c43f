#pragma once

#include <QPointer>
#include <QTimer>
#include <QVector>
#include <QWidget>

class QLabel;
class QToolButton;

// The notification window: a small frameless window in the bottom right corner
// of the screen, above all others, that shows one message at a time and hides
// itself after five seconds. Messages stay until the program ends.
class TAlertWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHideAfterMs = 5000;

  struct Message {
    QString Text;
    int Kind = 0;  // 0 plain notice, 2 new-bid alert
    QPointer<QWidget> Tab;
  };

  explicit TAlertWindow(QWidget* parent = nullptr);

  // Adds a message and shows it; when the window is already showing another
  // message, it is shown only when showAlways is on.
  void AddMessage(const QString& text, QWidget* tab, bool showAlways, int kind);
  int Count() const { return Messages_.size(); }
  int Current() const { return Current_; }
  const Message& MessageAt(int i) const { return Messages_[i]; }
  // Shows the window with the current message (the tools menu's entry).
  void Popup();
  void ShowMessage(int index);

  // Texts: the button hints and the position format ("%d of %d").
  void SetTexts(const QString& closeHint, const QString& nextHint, const QString& prevHint,
                const QString& positionFormat);

 Q_SIGNALS:
  // A message's link was clicked.
  void LinkActivated(int index);

 private:
  void PlaceOnScreen();

  QVector<Message> Messages_;
  int Current_ = -1;
  QString PositionFormat_ = QStringLiteral("%d / %d");
  QLabel* TextLabel_;
  QLabel* PositionLabel_;
  QToolButton* PrevButton_;
  QToolButton* NextButton_;
  QToolButton* CloseButton_;
  QTimer HideTimer_;
};
