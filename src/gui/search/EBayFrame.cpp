#include "gui/search/EBayFrame.h"

TEBayFrame::TEBayFrame(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("EBayFrame"));
}

void TEBayFrame::SetBusy(bool busy) {
  Busy_ = busy;
  Q_EMIT OnBusyChange(this, busy);  // raised even when the value stays the same
}

void TEBayFrame::SearchStarted() {
  SetBusy(true);
  Q_EMIT OnSearchBegin(this);
}

void TEBayFrame::SearchFinished() {
  SetBusy(false);
  Q_EMIT OnSearchEnd(this);
}

void TEBayFrame::CancelSearch() {
  if (Busy_) SearchFinished();
}

void TEBayFrame::SetCaption(int typeCode, const QString& caption) {
  CurrentCaption_ = caption;
  QString shown = caption;
  shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
  Q_EMIT OnCaptionChange(this, typeCode, shown);
}
