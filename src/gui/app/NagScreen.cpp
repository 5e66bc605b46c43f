#include "gui/app/NagScreen.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

TNagScreen::TNagScreen(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("NagScreen"));
  setFixedSize(350, 200);

  auto* title = new QLabel(QStringLiteral("Quarn"), this);
  QFont titleFont = title->font();
  titleFont.setPointSize(28);
  titleFont.setBold(true);
  title->setFont(titleFont);
  title->setStyleSheet(QStringLiteral("color: white;"));

  VersionLabel = new QLabel(this);
  VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
  VersionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  BetaLabel = new QLabel(this);
  BetaLabel->setObjectName(QStringLiteral("BetaLabel"));
  BetaLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  StatusLabel = new QLabel(this);
  StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
  QFont bold = StatusLabel->font();
  bold.setBold(true);
  StatusLabel->setFont(bold);
  for (QLabel* l : {VersionLabel, BetaLabel, StatusLabel})
    l->setStyleSheet(QStringLiteral("color: white;"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 14);
  layout->addWidget(title);
  layout->addWidget(VersionLabel);
  layout->addWidget(BetaLabel);
  layout->addStretch(1);
  layout->addWidget(StatusLabel);

  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
}

void TNagScreen::SetVersion(const QString& displayedVersion, const QString& betaText) {
  VersionLabel->setText(QStringLiteral("Version ") + displayedVersion);
  BetaLabel->setText(betaText);
}

void TNagScreen::SetBootStatus(const QString& text) {
  StatusLabel->setText(text);
  StatusLabel->repaint();
}

void TNagScreen::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QLinearGradient g(0, 0, width(), height());
  g.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
  g.setColorAt(1, QColor(0x0b, 0x23, 0x45));
  p.fillRect(rect(), g);
  p.setPen(QColor(255, 255, 255, 60));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}
