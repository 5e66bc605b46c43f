#include "core/search/ViewedItems.h"

#include "core/app/Clock.h"
#include "core/shopping/SimpleItem.h"

#include <climits>

namespace {

bool HasEnded(const TSimpleItem& item, const QDateTime& now) {
  return item.EndTime.isValid() && item.EndTime <= now;
}

}  // namespace

TViewedItems::TViewedItems() = default;
TViewedItems::~TViewedItems() = default;

void TViewedItems::RecordViewed(const TSimpleItem& item) {
  // A listing without an end time was never completed by eBay's answer; the
  // side bar could show nothing sensible for it.
  if (!item.EndTime.isValid() || item.ItemID().isEmpty()) return;
  const QByteArray itemID = item.ItemID();
  if (CountNewViews && !FViewedItems.contains(itemID) && FViewedCount < INT_MAX) ++FViewedCount;
  auto copy = std::make_shared<TSimpleItem>();
  copy->Assign(item);
  FViewedItems.insert(itemID, std::move(copy));
  FViewedOrder.append(itemID);
  if (OnAddThumb) OnAddThumb(itemID, item.GalleryURL);
}

bool TViewedItems::IsViewed(const QString& itemID) const {
  const QString trimmed = itemID.trimmed();
  return !trimmed.isEmpty() && FViewedItems.contains(trimmed.toUtf8());
}

const TSimpleItem* TViewedItems::ViewedItem(const QByteArray& itemID) const {
  const auto it = FViewedItems.constFind(itemID);
  return it == FViewedItems.constEnd() ? nullptr : it.value().get();
}

int TViewedItems::CountEndedViewed() const {
  const QDateTime now = QuarnClock::NowEBayOrLocal();
  int count = 0;
  for (const auto& item : FViewedItems)
    if (HasEnded(*item, now)) ++count;
  return count;
}

void TViewedItems::ClearEndedViewed() {
  const QDateTime now = QuarnClock::NowEBayOrLocal();
  for (const QByteArray& itemID : std::as_const(FViewedOrder)) {
    const auto it = FViewedItems.constFind(itemID);
    if (it == FViewedItems.constEnd() || !HasEnded(*it.value(), now)) continue;
    if (OnHideThumb) OnHideThumb(itemID);
    FViewedItems.erase(it);
  }
  // Every place of a forgotten number goes, also the later ones of a number
  // opened twice: the order names only stored listings.
  FViewedOrder.removeIf([this](const QByteArray& id) { return !FViewedItems.contains(id); });
}

void TViewedItems::ClearAllViewed() {
  if (OnClearThumbs) OnClearThumbs();
  FViewedOrder.clear();
  FViewedItems.clear();
}

void TViewedItems::DeleteViewed(const QByteArray& itemID) {
  if (!FViewedItems.remove(itemID)) return;
  FViewedOrder.removeAll(itemID);
  if (OnHideThumb) OnHideThumb(itemID);
}
