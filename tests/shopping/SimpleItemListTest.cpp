#include <gtest/gtest.h>

#include <vector>

#include "core/shopping/EShopping.h"
#include "core/shopping/PendingIDList.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/SimpleItemList.h"
#include "shopping/ShoppingTestUtil.h"

using namespace ShoppingTest;

namespace {

// A list that makes no calls: details refreshes are off.
struct QuietList {
  QuietList() { List.SetAutoFetchDetails(false); }
  TSimpleItem* AddID(const QByteArray& id) {
    auto* item = new TSimpleItem(&List);
    item->SetItemID(id);
    List.Add(item);
    return item;
  }
  TSimpleItemList List;
};

struct TChange {
  TItemChangeKind Kind;
  QByteArray ItemID;
  int Index;
  bool operator==(const TChange&) const = default;
};

TEST(SimpleItemList, FindsTheFirstListingWithANumber) {
  QuietList q;
  std::vector<int> added;
  q.List.OnItemAdded = [&](TSimpleItemList* sender, int index, TSimpleItem* item) {
    EXPECT_EQ(sender, &q.List);
    EXPECT_EQ(sender->Items(index), item);
    added.push_back(index);
  };
  TSimpleItem* a = q.AddID("1");
  TSimpleItem* b = q.AddID("2");
  TSimpleItem* a2 = q.AddID("1");
  EXPECT_EQ(added, std::vector<int>({0, 1, 2}));
  EXPECT_EQ(q.List.IndexOfID("1"), 0);
  EXPECT_EQ(q.List.FindByID("2"), b);
  EXPECT_EQ(q.List.IndexOfID("3"), -1);
  EXPECT_EQ(q.List.FindByID("3"), nullptr);

  // Without the first one the duplicate is found; its index follows the shifts.
  EXPECT_EQ(q.List.Extract(a), a);
  EXPECT_EQ(a->Owner.data(), &q.List);  // extracting does not free or disown
  delete a;
  EXPECT_EQ(q.List.FindByID("1"), a2);
  EXPECT_EQ(q.List.IndexOfID("1"), 1);
  q.List.Delete(0);
  EXPECT_EQ(q.List.IndexOfID("1"), 0);
  EXPECT_EQ(q.List.IndexOfID("2"), -1);

  // A number changed on a listing in the list is found under its new value.
  a2->SetItemID("9");
  EXPECT_EQ(q.List.IndexOfID("1"), -1);
  EXPECT_EQ(q.List.IndexOfID("9"), 0);
  // Numbers compare exactly.
  q.AddID("ABC");
  EXPECT_EQ(q.List.IndexOfID("abc"), -1);
}

TEST(SimpleItemList, ClearRaisesOnClearedBeforeTheListingsGo) {
  QuietList q;
  int cleared = 0;
  q.List.OnCleared = [&](TSimpleItemList* sender) {
    ++cleared;
    EXPECT_EQ(sender->Count(), cleared == 1 ? 0 : 2);
  };
  q.List.Clear();
  EXPECT_EQ(cleared, 1);
  q.AddID("1");
  q.AddID("2");
  q.List.Clear();
  EXPECT_EQ(cleared, 2);
  EXPECT_EQ(q.List.Count(), 0);
  EXPECT_EQ(q.List.IndexOfID("1"), -1);
}

TEST(SimpleItemList, ListingsForgetADeadOwner) {
  auto* list = new TSimpleItemList;
  list->SetAutoFetchDetails(false);
  TSimpleItem detached;
  auto* item = new TSimpleItem(list);
  list->Add(item);
  list->Extract(item);
  delete list;
  EXPECT_TRUE(item->Owner.isNull());
  EXPECT_THROW(item->Update(), EShopping);
  delete item;
  EXPECT_THROW(detached.Update(), EShopping);
}

TEST(SimpleItemList, ApplyItemNodeRaisesChangesInOrder) {
  QuietList q;
  std::vector<TChange> changes;
  q.List.OnItemChanged = [&](TSimpleItemList*, TItemChangeKind kind, TSimpleItem* item, int index) {
    changes.push_back({kind, item->ItemID(), index});
  };
  int added = 0;
  q.List.OnItemAdded = [&](TSimpleItemList*, int, TSimpleItem*) { ++added; };

  // Unknown numbers become new listings, without a change event.
  TItems first(ItemsAnswer(
      {"<ItemID>7</ItemID><ListingType>Chinese</ListingType><ListingStatus>Active</ListingStatus>"
       "<BidCount>1</BidCount><ConvertedCurrentPrice>5</ConvertedCurrentPrice>"
       "<PictureURL>http://p/1</PictureURL>",
       "<ItemID>8</ItemID><ListingType>FixedPriceItem</ListingType>"
       "<ConvertedCurrentPrice>9</ConvertedCurrentPrice><ListingStatus>Active</ListingStatus>"}));
  q.List.ApplyItemNode("7", first.Item(0));
  q.List.ApplyItemNode("8", first.Item(1));
  EXPECT_EQ(added, 2);
  EXPECT_TRUE(changes.empty());

  // Same pictures, same price: nothing to report.
  q.List.ApplyItemNode("7", first.Item(0));
  EXPECT_TRUE(changes.empty());

  // A new picture, a new bid and the end, in that order, on the refreshed listing.
  TItems second(ItemsAnswer(
      {"<ItemID>7</ItemID><ListingStatus>Completed</ListingStatus><BidCount>2</BidCount>"
       "<PictureURL>http://p/1</PictureURL><PictureURL>http://p/2</PictureURL>",
       "<ItemID>8</ItemID><ConvertedCurrentPrice>8</ConvertedCurrentPrice>"}));
  q.List.ApplyItemNode("7", second.Item(0));
  q.List.ApplyItemNode("8", second.Item(1));
  EXPECT_EQ(
      changes,
      std::vector<TChange>(
          {{ickPictures, "7", 0}, {ickPrice, "7", 0}, {ickEnded, "7", 0}, {ickPrice, "8", 1}}));
  EXPECT_EQ(q.List.Count(), 2);
  EXPECT_EQ(q.List.Items(1)->BuyItNowPrice, 80000);
}

TEST(SimpleItemList, ApplyItemNodeClearsPendingOnlyForReadableListings) {
  QuietList q;
  q.List.ItemItemizeBegin();
  q.List.ItemItemize("1");
  q.List.ItemItemize("2");
  q.List.ItemItemize("1");
  EXPECT_EQ(q.List.PendingIDs().Values(), QByteArrayList({"1", "2"}));
  TItems answer(ItemsAnswer({"<ItemID>1</ItemID>", "<ItemID>2</ItemID><BidCount>x</BidCount>"}));
  q.List.ApplyItemNode("1", answer.Item(0));
  EXPECT_THROW(q.List.ApplyItemNode("2", answer.Item(1)), EShopping);
  EXPECT_EQ(q.List.Count(), 1);
  EXPECT_FALSE(q.List.IsPending("1"));
  EXPECT_TRUE(q.List.IsPending("2"));
}

TEST(SimpleItemList, ItemizeOutsideARunIsRefused) {
  QuietList q;
  EXPECT_THROW(q.List.ItemItemize("1"), EShopping);
  // An unmatched End does not open a run either.
  q.List.ItemItemizeEnd();
  EXPECT_EQ(q.List.ItemizeCount(), 0);
  EXPECT_THROW(q.List.ItemItemize("1"), EShopping);
}

TEST(PendingIDList, KeepsOrderThroughManyRemovals) {
  TPendingIDList ids;
  for (int i = 0; i < 1000; ++i)
    ids.Add(QByteArray::number(i));
  EXPECT_FALSE(ids.Add("5"));
  for (int i = 0; i < 1000; ++i)
    if (i % 10) EXPECT_TRUE(ids.Remove(QByteArray::number(i)));
  EXPECT_FALSE(ids.Remove("1"));
  EXPECT_EQ(ids.Count(), 100);
  const QByteArrayList values = ids.Values();
  ASSERT_EQ(values.size(), 100);
  for (int i = 0; i < 100; ++i)
    EXPECT_EQ(values[i], QByteArray::number(i * 10));
  ids.Add("1");
  EXPECT_EQ(ids.Values().last(), "1");
  EXPECT_TRUE(ids.Contains("990"));
  ids.Clear();
  EXPECT_TRUE(ids.IsEmpty());
}

}  // namespace
