#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class TSimpleItem;

// The listings the user opened during this run, shown green in the result
// lists and as a list of thumbnails in the side bar. Each keeps a private
// copy of its listing, so the side bar's list keeps working after the search
// tab that showed it has been cleared. Nothing here is stored between runs.
//
// The side bar's gallery follows the store through three hooks; an unset hook
// does nothing.
class TViewedItems {
 public:
  // A thumbnail for the item number with the listing's gallery picture; the
  // gallery keeps a thumbnail it already has and scrolls to its end.
  using TAddThumbHandler = std::function<void(const QByteArray& itemID, const QString& pictureURL)>;
  using THideThumbHandler = std::function<void(const QByteArray& itemID)>;
  using TClearThumbsHandler = std::function<void()>;

  TViewedItems();
  ~TViewedItems();
  TViewedItems(const TViewedItems&) = delete;
  TViewedItems& operator=(const TViewedItems&) = delete;

  TAddThumbHandler OnAddThumb;
  THideThumbHandler OnHideThumb;
  TClearThumbsHandler OnClearThumbs;

  // While on, every first view of a number counts one more for ViewedCount.
  bool CountNewViews = false;

  // Records an opened listing. A listing without an end time or item number
  // is not recorded.
  void RecordViewed(const TSimpleItem& item);
  // Whether the number (blanks around it ignored) was opened; false for a blank text.
  bool IsViewed(const QString& itemID) const;
  // The stored copy of a viewed listing, valid until the number is recorded
  // again or forgotten; none when it is not stored.
  const TSimpleItem* ViewedItem(const QByteArray& itemID) const;
  // The stored listings that have ended by the current eBay time (local time while none is known).
  int CountEndedViewed() const;
  // Forgets the ended listings and hides their thumbnails.
  void ClearEndedViewed();
  // Forgets every listing and empties the gallery.
  void ClearAllViewed();
  // Forgets one listing: its first place in the order, its copy and its thumbnail.
  void DeleteViewed(const QByteArray& itemID);

  // The numbers in the order they were opened; a number opened twice is in it twice.
  const QList<QByteArray>& ViewedOrder() const { return FViewedOrder; }
  // The number of stored listings.
  int Count() const { return int(FViewedItems.size()); }

  // Listings viewed for the first time since the counter was last reset; the
  // maker's server is told this number and the counter starts again.
  qint32 ViewedCount() const { return FViewedCount; }
  void SetViewedCount(qint32 count) { FViewedCount = count; }

 private:
  QHash<QByteArray, std::shared_ptr<const TSimpleItem>> FViewedItems;
  QList<QByteArray> FViewedOrder;
  qint32 FViewedCount = 0;
};
