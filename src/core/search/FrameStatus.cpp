#include "core/search/FrameStatus.h"

namespace {
QString Positive(int v) {
  return v > 0 ? QString::number(v) : QString();
}
}  // namespace

QStringList TFrameStatus::CounterPanelTexts() const {
  const QString pages =
      (FirstPage > 0 || LastPage > 0)
          ? QString::number(FirstPage) + QStringLiteral(" - ") + QString::number(LastPage)
          : QString();
  return {pages, Positive(TotalPages), Positive(ListedCount), Positive(TotalItems)};
}
