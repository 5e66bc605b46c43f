#pragma once

#include <QString>
#include <QStringList>

#include "core/shopping/ShoppingEnums.h"

// Text forms of the Shopping API enumerations. Text to ordinal compares
// exactly (eBay's codes are case-sensitive) and gives 0 for anything unknown;
// ordinal to text gives "" for 0 and for ordinals outside the table. The
// tables are built once and shared.
class TShoppingEnumTypeConverter {
 public:
  static int Ordinal(TShoppingEnumKind kind, const QString& text);
  static QString Text(TShoppingEnumKind kind, int ordinal);
  // Number of ordinals including 0.
  static int Count(TShoppingEnumKind kind);
  // The table, index = ordinal (entry 0 is "").
  static const QStringList& Table(TShoppingEnumKind kind);

  template <typename E>
  static E FromText(const QString& text) {
    return E(Ordinal(TShoppingEnumTraits<E>::Kind, text));
  }
  template <typename E>
  static QString ToText(E value) {
    return Text(TShoppingEnumTraits<E>::Kind, int(value));
  }
};
