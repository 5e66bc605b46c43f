#pragma once

#include <QString>
#include <QStringList>

// The optional parts of an answer a call asks for. A sorted set that compares
// without regard to case and accepts only its allowed values; an accepted
// value is stored in the allowed spelling, because eBay reads the selector
// case-sensitively.
class TBaseIncludeSelector {
 public:
  explicit TBaseIncludeSelector(QStringList allowedValues = {});
  virtual ~TBaseIncludeSelector() = default;

  QStringList AllowedValues;

  // The value's index in sorted order (also when it was there already), or -1
  // when it is not allowed (always, when nothing is allowed).
  int Add(const QString& value);
  int IndexOf(const QString& value) const;
  bool Contains(const QString& value) const { return IndexOf(value) >= 0; }
  void Clear() { FValues.clear(); }
  int Count() const { return int(FValues.size()); }
  const QStringList& Values() const { return FValues; }
  // The values comma-separated in sorted order: "Details,SellerInfo".
  QString Text() const { return FValues.join(QLatin1Char(',')); }

 private:
  QStringList FValues;
};
