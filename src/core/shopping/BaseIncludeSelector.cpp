#include "core/shopping/BaseIncludeSelector.h"

#include <algorithm>

TBaseIncludeSelector::TBaseIncludeSelector(QStringList allowedValues)
    : AllowedValues(std::move(allowedValues)) {}

int TBaseIncludeSelector::IndexOf(const QString& value) const {
  for (int i = 0; i < Count(); ++i)
    if (FValues[i].compare(value, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

int TBaseIncludeSelector::Add(const QString& value) {
  const auto allowed =
      std::find_if(AllowedValues.cbegin(), AllowedValues.cend(),
                   [&](const QString& a) { return a.compare(value, Qt::CaseInsensitive) == 0; });
  if (allowed == AllowedValues.cend()) return -1;
  const int existing = IndexOf(*allowed);
  if (existing >= 0) return existing;
  const auto pos = std::lower_bound(
      FValues.begin(), FValues.end(), *allowed,
      [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  const int index = int(pos - FValues.begin());
  FValues.insert(index, *allowed);
  return index;
}
