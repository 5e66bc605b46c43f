#include "core/search/CategoryLookup.h"

#include <QStringList>
#include <algorithm>

namespace {

class TNoCategories : public TCategoryLookup {
 public:
  QList<TPathEntry> CategoryPath(int, const QByteArray&) const override { return {}; }
};

const TCategoryLookup*& Installed() {
  static const TCategoryLookup* lookup = nullptr;
  return lookup;
}

}  // namespace

QString TCategoryLookup::CategoryCaption(int siteID, const QByteArray& categoryID) const {
  return FormatPath(siteID, categoryID, QString(), 0, false).value_or(QString());
}

std::optional<QString> TCategoryLookup::FormatPath(int siteID, const QByteArray& categoryID,
                                                   const QString& separator, int levelLimit,
                                                   bool reverse) const {
  const QList<TPathEntry> path = CategoryPath(siteID, categoryID);
  if (path.isEmpty()) return std::nullopt;
  const QString sep = !separator.isEmpty() ? separator
                      : reverse            ? QStringLiteral(" < ")
                                           : QStringLiteral(" > ");
  QStringList parts;
  for (const TPathEntry& entry : path)
    parts << entry.Caption;
  if (reverse) std::reverse(parts.begin(), parts.end());
  if (levelLimit > 0 && parts.size() > levelLimit) parts = parts.mid(0, levelLimit);
  return parts.join(sep);
}

const TCategoryLookup& TCategoryLookup::Current() {
  static const TNoCategories none;
  const TCategoryLookup* lookup = Installed();
  return lookup ? *lookup : none;
}

void TCategoryLookup::SetCurrent(const TCategoryLookup* lookup) {
  Installed() = lookup;
}
