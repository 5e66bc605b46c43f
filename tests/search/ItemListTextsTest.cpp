#include "core/search/ItemListTexts.h"

#include <gtest/gtest.h>

#include "core/app/AppCore.h"
#include "core/app/Clock.h"
#include "core/app/LanguageTable.h"
#include "core/search/ItemListColumns.h"
#include "core/shopping/SimpleItem.h"

namespace {

using C = TItemListColumns;

// English texts, US number format, and a fixed eBay clock: Monday 20 July
// 2009, 12:00 local time.
class ItemListTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    LanguageTable().LoadFile(QStringLiteral(QUARN_SOURCE_DIR "/data/common/Lang.ini"),
                             QStringLiteral("English"));
    SavedConfig = AppCore().Config;
    QuarnClock::SetEBaySource([this] { return Now; });
  }
  void TearDown() override {
    QuarnClock::SetEBaySource({});
    AppCore().Config = SavedConfig;
    LanguageTable().Clear();
  }

  QString Cell(const TSimpleItem& item, int column) const {
    return TItemListTexts::CellText(item, column, Now, Us);
  }

  QDateTime Now{QDate(2009, 7, 20), QTime(12, 0)};
  QLocale Us{QLocale::English, QLocale::UnitedStates};
  TConfigTable SavedConfig;
};

void Auction(TSimpleItem& item, TMoney price, TMoney shipping, TCurrencyCode currency) {
  item.ListingType = TListingType::Chinese;
  item.CurrentPrice = price;
  item.ShippingServiceCost = shipping;
  item.CurrencyID = currency;
}

TEST_F(ItemListTexts, PriceCellsFollowFormatShippingAndCurrencySettings) {
  struct Case {
    const char* Name;
    TMoney Price;
    TMoney Shipping;
    TCurrencyCode Currency;
    bool WithShip;
    bool OnlyForeign;
    const char* PriceText;
    const char* ShipText;
  };
  const Case cases[] = {
      {"price and shipping", 100000, 45000, TCurrencyCode::EUR, true, false, "10.00 / 14.50 \u20AC",
       "4.50 \u20AC"},
      {"shipping not added", 100000, 45000, TCurrencyCode::EUR, false, false, "10.00 \u20AC",
       "4.50 \u20AC"},
      {"zero price, no shipping", 0, 0, TCurrencyCode::EUR, true, false, "0 \u20AC", ""},
      {"thousands", 12345000, 0, TCurrencyCode::USD, true, false, "1,234.50 US-$", ""},
      {"euro left out", 100000, 0, TCurrencyCode::EUR, true, true, "10.00", ""},
      {"pound kept", 100000, 20000, TCurrencyCode::GBP, false, true, "10.00 \u00A3", "2.00 \u00A3"},
      {"no symbol, no blank", 100000, 0, TCurrencyCode::PHP, true, false, "10.00", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    AppCore().Config.PriceWithShip = c.WithShip;
    AppCore().Config.ShowOnlyForeignCurrency = c.OnlyForeign;
    TSimpleItem item;
    Auction(item, c.Price, c.Shipping, c.Currency);
    EXPECT_EQ(Cell(item, C::Price), QString::fromUtf8(c.PriceText));
    EXPECT_EQ(Cell(item, C::Shipping), QString::fromUtf8(c.ShipText));
  }
}

TEST_F(ItemListTexts, AuctionAndBuyItNowColumnsShowOnlyTheirKind) {
  TSimpleItem auction;
  Auction(auction, 50000, 0, TCurrencyCode::EUR);
  auction.BidCount = 3;
  EXPECT_EQ(Cell(auction, C::Bids), QStringLiteral("3"));
  EXPECT_EQ(Cell(auction, C::BuyItNow), QString());

  TSimpleItem fixed;
  fixed.ListingType = TListingType::FixedPriceItem;
  fixed.BuyItNowPrice = 125000;
  fixed.CurrencyID = TCurrencyCode::EUR;
  EXPECT_EQ(Cell(fixed, C::Bids), QString());
  EXPECT_EQ(Cell(fixed, C::Price), QString());
  EXPECT_EQ(Cell(fixed, C::BuyItNow), QString::fromUtf8("12.50 \u20AC"));

  // A user-chosen format applies to every amount.
  AppCore().Config.PriceFormat = QStringLiteral("%.0f");
  EXPECT_EQ(Cell(fixed, C::BuyItNow), QString::fromUtf8("13 \u20AC"));
}

TEST_F(ItemListTexts, TimeLeftCountsDaysHoursMinutesUntilTheEnd) {
  struct Case {
    const char* Name;
    qint64 SecondsLeft;
    const char* Text;
  };
  const Case cases[] = {
      {"2 d 3 h 10 m", ((2 * 24 + 3) * 60 + 10) * 60, "2d 3h 10m"},
      {"seconds are cut", 59, "0d 0h 0m"},
      // Exactly two days to go is not the end yet.
      {"exactly two days", 2 * 86400, "2d 0h 0m"},
      {"exactly one hour", 3600, "0d 1h 0m"},
      {"ends now", 0, "Ended"},
      {"ended yesterday", -86400, "Ended"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TSimpleItem item;
    item.EndTime = Now.addSecs(c.SecondsLeft);
    EXPECT_EQ(Cell(item, C::Left), QString::fromLatin1(c.Text));
  }
  TSimpleItem noEnd;
  EXPECT_EQ(Cell(noEnd, C::Left), QString());
  EXPECT_EQ(TItemListTexts::GroupCountText(3), QStringLiteral("(3 items)"));
}

TEST_F(ItemListTexts, EndAndStartTimesNameNearDaysAndShowDayNamesOtherwise) {
  struct Case {
    const char* Name;
    QDateTime When;
    bool DayName;
    const char* End;
    const char* Start;
  };
  const Case cases[] = {
      {"tomorrow", QDateTime(QDate(2009, 7, 21), QTime(14, 5)), true, "Tomorrow 14:05",
       "Tomorrow 14:05"},
      {"today", QDateTime(QDate(2009, 7, 20), QTime(0, 1)), true, "Today 00:01", "Today 00:01"},
      {"yesterday late", QDateTime(QDate(2009, 7, 19), QTime(23, 59)), true, "Yesterday 23:59",
       "Yesterday 23:59"},
      {"later day", QDateTime(QDate(2009, 7, 23), QTime(9, 26)), true, "Thu 23.07 09:26",
       "23.07 09:26"},
      {"day name off", QDateTime(QDate(2009, 7, 18), QTime(9, 26)), false, "18.07 09:26",
       "18.07 09:26"},
      {"not set", QDateTime(), true, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    AppCore().Config.ShowDayName = c.DayName;
    TSimpleItem item;
    item.EndTime = c.When;
    item.StartTime = c.When;
    EXPECT_EQ(Cell(item, C::End), QString::fromLatin1(c.End));
    EXPECT_EQ(Cell(item, C::Listed), QString::fromLatin1(c.Start));
  }
}

TEST_F(ItemListTexts, LocationUsersAndConditionCells) {
  struct Case {
    const char* Postal;
    const char* Location;
    const char* Country;
    const char* Text;
  };
  const Case cases[] = {
      {"80331", "Muenchen", "DE", "80331 Muenchen / DE"},
      {"", "Muenchen", "DE", "Muenchen / DE"},
      {"80331", "", "DE", "80331 / DE"},
      {"", "", "DE", "DE"},
      {"80331", "Muenchen", "", "80331 Muenchen"},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    TSimpleItem item;
    item.PostalCode = c.Postal;
    item.Location = QLatin1String(c.Location);
    item.Country = QLatin1String(c.Country);
    EXPECT_EQ(Cell(item, C::Location), QLatin1String(c.Text)) << c.Text;
  }

  TSimpleItem item;
  item.SetItemID("110012345678");
  item.Seller.UserID = QStringLiteral("seller-1");
  item.HighBidder.UserID = QStringLiteral("bidder-9");
  item.Condition = TItemCondition::Used;
  EXPECT_EQ(Cell(item, C::Number), QStringLiteral("110012345678"));
  EXPECT_EQ(Cell(item, C::Seller), QStringLiteral("seller-1"));
  EXPECT_EQ(Cell(item, C::HighBidder), QStringLiteral("bidder-9"));
  EXPECT_EQ(Cell(item, C::State), QStringLiteral("Used"));
  item.HighBidder.UserAnonymized = true;
  EXPECT_EQ(Cell(item, C::HighBidder), QStringLiteral("- anonym -"));
  for (int empty : {int(C::Dest), int(C::LocationInfo), int(C::Picture), int(C::Category)})
    EXPECT_EQ(Cell(item, empty), QString()) << empty;
}

}  // namespace
