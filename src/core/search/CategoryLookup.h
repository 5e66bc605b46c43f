#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// What the search side needs to know of a site's category tree: the chain of
// categories from the top level down to a category, and texts made from it
// (the result list's group captions, the search captions). The category tree
// supplies the real answers; anything that can name a category's path (a
// test's fake tree, a cache) can stand in. Until one is installed, every
// category is unknown.
class TCategoryLookup {
 public:
  struct TPathEntry {
    QByteArray CategoryID;
    QString Caption;
  };

  virtual ~TCategoryLookup() = default;

  // The categories from the top level down to the category itself; empty when
  // the site's tree does not hold the category.
  virtual QList<TPathEntry> CategoryPath(int siteID, const QByteArray& categoryID) const = 0;

  // The category's path as one text, top level first, the levels joined by
  // " > "; empty when the category is unknown.
  virtual QString CategoryCaption(int siteID, const QByteArray& categoryID) const;

  // The path text with a separator (empty: " > ", or " < " reversed), at most
  // levelLimit levels (0: all), from the category upwards when reversed;
  // nothing when the category is unknown.
  virtual std::optional<QString> FormatPath(int siteID, const QByteArray& categoryID,
                                            const QString& separator, int levelLimit,
                                            bool reverse) const;

  // The process-wide lookup: the installed one, or one that knows no category.
  static const TCategoryLookup& Current();
  // Installs the process-wide lookup (not owned); nullptr: none again.
  static void SetCurrent(const TCategoryLookup* lookup);
};
