#include "core/shopping/PendingIDList.h"

bool TPendingIDList::Add(const QByteArray& itemID) {
  if (FIndex.contains(itemID)) return false;
  FIndex.insert(itemID, FOrder.size());
  FOrder.push_back(itemID);
  FLive.push_back(true);
  return true;
}

bool TPendingIDList::Remove(const QByteArray& itemID) {
  const auto it = FIndex.constFind(itemID);
  if (it == FIndex.constEnd()) return false;
  const size_t place = it.value();
  FIndex.erase(it);
  FLive[place] = false;
  FOrder[place].clear();
  if (FOrder.size() > 64 && FOrder.size() > 2 * size_t(FIndex.size())) Compact();
  return true;
}

void TPendingIDList::Clear() {
  FOrder.clear();
  FLive.clear();
  FIndex.clear();
}

QByteArrayList TPendingIDList::Values() const {
  QByteArrayList values;
  values.reserve(FIndex.size());
  for (size_t i = 0; i < FOrder.size(); ++i)
    if (FLive[i]) values.append(FOrder[i]);
  return values;
}

void TPendingIDList::Compact() {
  std::vector<QByteArray> order;
  order.reserve(size_t(FIndex.size()));
  for (size_t i = 0; i < FOrder.size(); ++i) {
    if (!FLive[i]) continue;
    FIndex[FOrder[i]] = order.size();
    order.push_back(std::move(FOrder[i]));
  }
  FOrder = std::move(order);
  FLive.assign(FOrder.size(), true);
}
