#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <vector>

// Item numbers requested and not yet answered, in the order they were asked
// for, without duplicates. Each answer removes its number, so removal and
// look-up are constant time; removed places are compacted away now and then.
class TPendingIDList {
 public:
  // Appends the number unless it is there; false when it was.
  bool Add(const QByteArray& itemID);
  // Removes the number; false when it was not there.
  bool Remove(const QByteArray& itemID);
  bool Contains(const QByteArray& itemID) const { return FIndex.contains(itemID); }
  int Count() const { return int(FIndex.size()); }
  bool IsEmpty() const { return FIndex.isEmpty(); }
  void Clear();
  // The numbers in order.
  QByteArrayList Values() const;

 private:
  void Compact();

  std::vector<QByteArray> FOrder;    // with holes where numbers were removed
  std::vector<bool> FLive;           // false for a hole
  QHash<QByteArray, size_t> FIndex;  // number -> its place in FOrder
};
