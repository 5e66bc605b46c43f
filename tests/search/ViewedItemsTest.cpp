#include "core/search/ViewedItems.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "core/app/Clock.h"
#include "core/shopping/SimpleItem.h"

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(12, 0));

std::unique_ptr<TSimpleItem> Listing(const char* itemID, const QDateTime& endTime,
                                     const char* title = "Leica M6") {
  auto item = std::make_unique<TSimpleItem>();
  item->SetItemID(itemID);
  item->EndTime = endTime;
  item->Title = QString::fromUtf8(title);
  item->GalleryURL = QStringLiteral("http://pics/") + QLatin1String(itemID) + ".jpg";
  return item;
}

// The side bar's gallery as the hooks see it.
class ViewedItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QuarnClock::SetLocalSource([] { return kNow; });
    QuarnClock::SetEBaySource(nullptr);
    Viewed.CountNewViews = true;
    Viewed.OnAddThumb = [this](const QByteArray& id, const QString& url) {
      Calls << QStringLiteral("add ") + QString::fromLatin1(id) + QLatin1Char(' ') + url;
    };
    Viewed.OnHideThumb = [this](const QByteArray& id) {
      Calls << QStringLiteral("hide ") + QString::fromLatin1(id);
    };
    Viewed.OnClearThumbs = [this] { Calls << QStringLiteral("clear"); };
  }
  void TearDown() override {
    QuarnClock::SetLocalSource(nullptr);
    QuarnClock::SetEBaySource(nullptr);
  }

  TViewedItems Viewed;
  QStringList Calls;
};

TEST_F(ViewedItemsTest, ListingsWithoutEndTimeOrNumberAreNotRecorded) {
  Viewed.RecordViewed(*Listing("110", QDateTime()));
  Viewed.RecordViewed(*Listing("", kNow.addDays(1)));
  EXPECT_FALSE(Viewed.IsViewed(QStringLiteral("110")));
  EXPECT_EQ(Viewed.Count(), 0);
  EXPECT_TRUE(Viewed.ViewedOrder().isEmpty());
  EXPECT_EQ(Viewed.ViewedCount(), 0);
  EXPECT_TRUE(Calls.isEmpty());
}

TEST_F(ViewedItemsTest, OpeningAListingTwiceCountsItOnceAndKeepsTheNewestCopy) {
  std::unique_ptr<TSimpleItem> first = Listing("110", kNow.addDays(1));
  Viewed.RecordViewed(*first);
  first.reset();  // the search tab is cleared: the copy lives on
  Viewed.RecordViewed(*Listing("110", kNow.addDays(1), "Leica M6 TTL"));
  Viewed.RecordViewed(*Listing("220", kNow.addDays(1)));

  EXPECT_EQ(Viewed.ViewedCount(), 2);
  EXPECT_EQ(Viewed.Count(), 2);
  EXPECT_EQ(Viewed.ViewedOrder(), QList<QByteArray>({"110", "110", "220"}));
  ASSERT_NE(Viewed.ViewedItem("110"), nullptr);
  EXPECT_EQ(Viewed.ViewedItem("110")->Title, "Leica M6 TTL");
  EXPECT_EQ(Viewed.ViewedItem("999"), nullptr);
  // The gallery is asked each time; it keeps a thumbnail it already has.
  EXPECT_EQ(Calls, QStringList({"add 110 http://pics/110.jpg", "add 110 http://pics/110.jpg",
                                "add 220 http://pics/220.jpg"}));

  EXPECT_TRUE(Viewed.IsViewed(QStringLiteral(" 110 ")));
  EXPECT_FALSE(Viewed.IsViewed(QStringLiteral("  ")));
  EXPECT_FALSE(Viewed.IsViewed(QStringLiteral("111")));

  // Before the side bar counts, nothing is counted.
  TViewedItems quiet;
  quiet.RecordViewed(*Listing("330", kNow.addDays(1)));
  EXPECT_EQ(quiet.ViewedCount(), 0);
  EXPECT_TRUE(quiet.IsViewed(QStringLiteral("330")));
}

TEST_F(ViewedItemsTest, ClearingEndedListingsKeepsTheRunningOnes) {
  Viewed.RecordViewed(*Listing("110", kNow.addSecs(-60)));
  Viewed.RecordViewed(*Listing("220", kNow.addSecs(3600)));
  Viewed.RecordViewed(*Listing("330", kNow));  // ends this very moment
  Viewed.RecordViewed(*Listing("110", kNow.addSecs(-60)));
  Calls.clear();

  EXPECT_EQ(Viewed.CountEndedViewed(), 2);
  Viewed.ClearEndedViewed();
  EXPECT_EQ(Viewed.Count(), 1);
  EXPECT_TRUE(Viewed.IsViewed(QStringLiteral("220")));
  EXPECT_FALSE(Viewed.IsViewed(QStringLiteral("110")));
  // Both places of the number opened twice go.
  EXPECT_EQ(Viewed.ViewedOrder(), QList<QByteArray>({"220"}));
  EXPECT_EQ(Calls, QStringList({"hide 110", "hide 330"}));
  EXPECT_EQ(Viewed.CountEndedViewed(), 0);

  // Once eBay's clock is known it decides, not the local one.
  QuarnClock::SetEBaySource([] { return kNow.addSecs(7200); });
  EXPECT_EQ(Viewed.CountEndedViewed(), 1);
  Viewed.ClearEndedViewed();
  EXPECT_EQ(Viewed.Count(), 0);
  EXPECT_TRUE(Viewed.ViewedOrder().isEmpty());
}

TEST_F(ViewedItemsTest, DeletingAndClearingForgetListingsAndTheirThumbnails) {
  Viewed.RecordViewed(*Listing("110", kNow.addDays(1)));
  Viewed.RecordViewed(*Listing("220", kNow.addDays(1)));
  Viewed.RecordViewed(*Listing("110", kNow.addDays(1)));
  Calls.clear();

  Viewed.DeleteViewed("110");
  Viewed.DeleteViewed("999");
  EXPECT_FALSE(Viewed.IsViewed(QStringLiteral("110")));
  EXPECT_EQ(Viewed.ViewedOrder(), QList<QByteArray>({"220"}));
  EXPECT_EQ(Calls, QStringList({"hide 110"}));

  // Viewing it again later counts as a first view again.
  Viewed.RecordViewed(*Listing("110", kNow.addDays(1)));
  EXPECT_EQ(Viewed.ViewedCount(), 3);

  Calls.clear();
  Viewed.ClearAllViewed();
  EXPECT_EQ(Viewed.Count(), 0);
  EXPECT_TRUE(Viewed.ViewedOrder().isEmpty());
  EXPECT_EQ(Calls, QStringList({"clear"}));

  // Without hooks nothing fails.
  TViewedItems bare;
  bare.RecordViewed(*Listing("110", kNow.addSecs(-1)));
  bare.ClearEndedViewed();
  bare.RecordViewed(*Listing("110", kNow.addDays(1)));
  bare.DeleteViewed("110");
  bare.ClearAllViewed();
  EXPECT_EQ(bare.Count(), 0);
}

}  // namespace
