#include "gui/app/AlertWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/app/FormatText.h"

TAlertWindow::TAlertWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("AlertWindow"));
  setFixedSize(300, 100);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setStyleSheet(QStringLiteral("#AlertWindow { background: #fffbe6; border: 1px solid #b59f3b; }"));
  TextLabel_ = new QLabel(this);
  TextLabel_->setWordWrap(true);
  TextLabel_->setTextFormat(Qt::RichText);
  TextLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PositionLabel_ = new QLabel(this);
  PrevButton_ = new QToolButton(this);
  PrevButton_->setArrowType(Qt::LeftArrow);
  NextButton_ = new QToolButton(this);
  NextButton_->setArrowType(Qt::RightArrow);
  CloseButton_ = new QToolButton(this);
  CloseButton_->setText(QStringLiteral("×"));
  for (QToolButton* b : {PrevButton_, NextButton_, CloseButton_})
    b->setAutoRaise(true);

  auto* top = new QHBoxLayout;
  top->addWidget(PrevButton_);
  top->addWidget(PositionLabel_);
  top->addWidget(NextButton_);
  top->addStretch(1);
  top->addWidget(CloseButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 2, 6, 6);
  layout->addLayout(top);
  layout->addWidget(TextLabel_, 1);

  HideTimer_.setSingleShot(true);
  HideTimer_.setInterval(kHideAfterMs);
  connect(&HideTimer_, &QTimer::timeout, this, &QWidget::hide);
  connect(CloseButton_, &QToolButton::clicked, this, &QWidget::hide);
  connect(PrevButton_, &QToolButton::clicked, this, [this] { ShowMessage(Current_ - 1); });
  connect(NextButton_, &QToolButton::clicked, this, [this] { ShowMessage(Current_ + 1); });
  connect(TextLabel_, &QLabel::linkActivated, this, [this] { Q_EMIT LinkActivated(Current_); });
}

void TAlertWindow::SetTexts(const QString& closeHint, const QString& nextHint,
                            const QString& prevHint, const QString& positionFormat) {
  CloseButton_->setToolTip(closeHint);
  NextButton_->setToolTip(nextHint);
  PrevButton_->setToolTip(prevHint);
  PositionFormat_ = positionFormat;
}

void TAlertWindow::AddMessage(const QString& text, QWidget* tab, bool showAlways, int kind) {
  Messages_.append({text, kind, tab});
  if (showAlways || !isVisible()) ShowMessage(Messages_.size() - 1);
}

void TAlertWindow::Popup() {
  if (!Messages_.isEmpty()) ShowMessage(Current_ < 0 ? Messages_.size() - 1 : Current_);
}

void TAlertWindow::ShowMessage(int index) {
  if (index < 0 || index >= Messages_.size()) return;
  Current_ = index;
  const Message& m = Messages_[index];
  // A message with a tab is a link to that tab.
  TextLabel_->setText(m.Tab ? QStringLiteral("<a href=\"tab\">") + m.Text.toHtmlEscaped() +
                                  QStringLiteral("</a>")
                            : m.Text.toHtmlEscaped());
  PositionLabel_->setText(FormatText(PositionFormat_, {index + 1, int(Messages_.size())}));
  PrevButton_->setEnabled(index > 0);
  NextButton_->setEnabled(index + 1 < Messages_.size());
  PlaceOnScreen();
  show();
  raise();
  HideTimer_.start();
}

void TAlertWindow::PlaceOnScreen() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.right() - width() - 8, area.bottom() - height() - 8);
  }
}
