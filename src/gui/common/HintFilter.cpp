#include "gui/common/HintFilter.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

QString THintFilter::HintText(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('@'), QLatin1Char('\n'));
  return out;
}

bool THintFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->toolTip().isEmpty()) return false;
  const auto* help = static_cast<QHelpEvent*>(event);
  QToolTip::showText(help->globalPos(), HintText(widget->toolTip()), widget, QRect(),
                     kHintMilliseconds);
  return true;
}
