#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include "core/shopping/Money.h"
#include "core/shopping/ShoppingEnums.h"

class TSimpleItem;

// The texts a result list shows in its cells, one rule per column, formatted
// for reading with the settings of the moment (price format, shipping in the
// price, day names, foreign currency only). The current time is passed in so
// the same rules serve the list, the print page and the tests.
class TItemListTexts {
 public:
  // The text of a language key; the key itself when the table lacks it, so a
  // stale language file shows a wrong word instead of breaking the painting.
  static QString Lang(const char* key);

  // The text of a listing's cell in the given column.
  static QString CellText(const TSimpleItem& item, int column, const QDateTime& now,
                          const QLocale& locale);
  // The count cell of a group row: "(12 items)".
  static QString GroupCountText(int count);

  // A price with the price format, and with the price plus shipping after " / "
  // when the setting asks for it; zero and below as a plain number.
  static QString PriceText(TMoney value, TMoney shipping, const QLocale& locale);
  // Shipping cost with the price format; empty when there is none.
  static QString ShippingText(TMoney shipping, const QLocale& locale);
  // Adds " " and the currency symbol to a non-empty amount text (no euro sign
  // while only foreign currencies are to be marked).
  static QString WithCurrency(const QString& amount, TCurrencyCode currency);
  // "2 d 3 h 10 m" in the language's words, "ended" once the end has passed,
  // empty for a listing without an end time.
  static QString TimeLeftText(const QDateTime& end, const QDateTime& now);
  // "Today 14:05", "Tomorrow 14:05", "Yesterday 14:05", else "23.07 09:26",
  // with the short day name in front when dayName is set; empty when unset.
  static QString MomentText(const QDateTime& when, const QDateTime& now, bool dayName,
                            const QLocale& locale);
  // Postal code, location and country: "80331 München / Deutschland".
  static QString LocationText(const TSimpleItem& item);
  static QString HighBidderText(const TSimpleItem& item);
  static QString StateText(const TSimpleItem& item);
};
