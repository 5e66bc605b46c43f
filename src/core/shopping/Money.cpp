#include "core/shopping/Money.h"

#include <cmath>

namespace Money {

namespace {
// Beyond this the product with kScale no longer fits 64 bits.
constexpr double kLimit = 9.2e14;
}  // namespace

bool FromDouble(double amount, TMoney& value) {
  if (!std::isfinite(amount) || std::fabs(amount) >= kLimit) return false;
  value = TMoney(std::llround(amount * double(kScale)));
  return true;
}

bool TryParse(const QString& text, TMoney& value) {
  bool ok = false;
  const double amount = text.trimmed().toDouble(&ok);
  return ok && FromDouble(amount, value);
}

double ToDouble(TMoney value) {
  return double(value) / double(kScale);
}

QString ToText(TMoney value) {
  const bool negative = value < 0;
  // The magnitude as unsigned, so the smallest value does not overflow.
  const quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
  QString text = QString::number(magnitude / quint64(kScale));
  quint64 fraction = magnitude % quint64(kScale);
  if (fraction) {
    QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
    while (digits.endsWith(QLatin1Char('0')))
      digits.chop(1);
    text += QLatin1Char('.') + digits;
  }
  return negative ? QLatin1Char('-') + text : text;
}

}  // namespace Money
