#pragma once

#include <QString>
#include <QtGlobal>

// Money is a signed 64-bit count of ten-thousandths: four decimal places,
// exact sums, no binary rounding surprises in comparisons.
using TMoney = qint64;

namespace Money {

inline constexpr TMoney kScale = 10000;

// Parses a decimal number with "." as separator (an exponent is allowed),
// rounding to the nearest ten-thousandth. False, leaving value alone, for text
// that is not a finite number or does not fit.
bool TryParse(const QString& text, TMoney& value);
// The amount as a double (for display and the general number format).
double ToDouble(TMoney value);
// The amount rounded to money; false when the double is not finite or does not fit.
bool FromDouble(double amount, TMoney& value);
// Plain decimal text with "." and only the digits needed: 12.5, 100, 0.0001, -3.
QString ToText(TMoney value);

}  // namespace Money
