#pragma once

#include <QWidget>

class QLabel;

// The boot screen: shown from the program entry until the main window exists,
// with the version and the text of the start-up step that is running.
class TNagScreen : public QWidget {
  Q_OBJECT
 public:
  explicit TNagScreen(QWidget* parent = nullptr);

  void SetVersion(const QString& displayedVersion, const QString& betaText);
  // Shows the text at once: the start-up keeps the event loop busy, so the
  // label is repainted explicitly.
  void SetBootStatus(const QString& text);

  QLabel* VersionLabel;
  QLabel* BetaLabel;
  QLabel* StatusLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
