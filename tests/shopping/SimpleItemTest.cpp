#include <gtest/gtest.h>

#include "core/shopping/Currency.h"
#include "core/shopping/EShopping.h"
#include "core/shopping/ISODateTime.h"
#include "core/shopping/ShoppingEnumTypeConverter.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/SiteList.h"
#include "shopping/ShoppingTestUtil.h"

using namespace ShoppingTest;

namespace {

QDateTime Utc(const char* text) {
  QDateTime t = QDateTime::fromString(QLatin1String(text), Qt::ISODateWithMs);
  t.setTimeSpec(Qt::UTC);
  return t;
}

void Load(TSimpleItem& item, const QByteArray& inner) {
  TItems items(ItemsAnswer({inner}));
  ASSERT_TRUE(items.Loaded);
  item.LoadFromNode(items.Item());
}

TEST(SimpleItem, LoadsEveryFieldOfADetailAnswer) {
  TItems items(Fixture("GetSingleItem_full_de.xml"));
  ASSERT_TRUE(items.Loaded);
  TSimpleItem item;
  item.LoadFromNode(items.Item());
  EXPECT_EQ(item.ItemID(), "250123456789");
  EXPECT_TRUE(item.BestOfferEnabled);
  EXPECT_EQ(item.BidCount, 7);
  EXPECT_TRUE(item.BuyItNowAvailable);
  EXPECT_EQ(item.BuyItNowPrice, 890000);
  EXPECT_EQ(item.CurrentPrice, 615000);
  EXPECT_EQ(item.CurrencyID, TCurrencyCode::EUR);
  EXPECT_EQ(item.Country, "DE");
  EXPECT_EQ(item.Description, "<p>Gut erhaltenes Modell</p>");
  EXPECT_EQ(item.DistanceFromBuyer.Value, 12.5);
  EXPECT_EQ(item.DistanceFromBuyer.Unit, "km");
  EXPECT_EQ(item.EndTime.toUTC(), Utc("2008-05-27T17:04:00.000"));
  EXPECT_EQ(
      item.EndTime.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
      Utc("2008-05-27T17:04:00.000").toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
  EXPECT_EQ(item.StartTime.toUTC(), Utc("2008-05-20T17:04:00.000"));
  EXPECT_EQ(item.GalleryURL, "http://thumbs.ebaystatic.com/pict/250123456789.jpg");
  EXPECT_FALSE(item.GetItFast);
  EXPECT_TRUE(item.Gift);
  EXPECT_EQ(item.ItemSpecifics, QStringList({"Condition=gebraucht", "Marke=Leica"}));
  EXPECT_EQ(item.Condition, TItemCondition::Used);
  EXPECT_EQ(item.ListingStatus, TListingStatus::Active);
  EXPECT_EQ(item.ListingType, TListingType::Chinese);
  EXPECT_EQ(item.Location, QString::fromUtf8("München"));
  EXPECT_TRUE(item.HasPaymentMethod(TPaymentMethod::PayPal));
  EXPECT_TRUE(item.HasPaymentMethod(TPaymentMethod::MoneyXferAccepted));
  EXPECT_TRUE(item.HasPaymentMethod(TPaymentMethod::CashOnPickup));
  EXPECT_FALSE(item.HasPaymentMethod(TPaymentMethod::COD));
  EXPECT_TRUE(item.PictureExists);
  // The third address differs only in case from the first.
  EXPECT_EQ(item.PictureURLs,
            QStringList({"http://i1.ebayimg.com/01/i/a.JPG", "http://i1.ebayimg.com/01/i/b.JPG"}));
  EXPECT_EQ(item.PostalCode, "80331");
  EXPECT_EQ(item.PrimaryCategoryID, "4687");
  EXPECT_EQ(item.SecondaryCategoryID, "15230");
  EXPECT_EQ(item.Seller.UserID, "kamera-kiste");
  EXPECT_EQ(item.Seller.FeedbackRatingStar, TFeedbackRatingStar::Turquoise);
  EXPECT_EQ(item.Seller.FeedbackScore, 487);
  EXPECT_FALSE(item.Seller.UserAnonymized);
  EXPECT_EQ(item.HighBidder.UserID, "b***r");
  EXPECT_TRUE(item.HighBidder.UserAnonymized);
  EXPECT_EQ(item.ShippingServiceCost, 69000);
  ASSERT_NE(item.Site, nullptr);
  EXPECT_EQ(item.Site->SiteID, 77);
  EXPECT_EQ(item.Subtitle, "mit Originalverpackung");
  EXPECT_EQ(item.Title, QString::fromUtf8("Leica M6 Gehäuse, schwarz"));
  EXPECT_EQ(item.ViewItemURLForNaturalSearch, "http://cgi.ebay.de/Leica-M6_W0QQitemZ250123456789");
  EXPECT_TRUE(item.IsAuction());
  EXPECT_TRUE(item.IsBuyItNow());
  EXPECT_TRUE(item.HasPicture());
}

TEST(SimpleItem, FlagsAreOnlyEverSet) {
  struct Case {
    const char* Text;
    bool Before;
    bool After;
  };
  const Case cases[] = {
      {"true", false, true}, {"TRUE ", false, true},  {" True\n", false, true},
      {"false", true, true}, {"false", false, false}, {"1", false, false},
      {"", true, true},      {"yes", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    TSimpleItem item;
    item.BuyItNowAvailable = c.Before;
    Load(item, QByteArray("<BuyItNowAvailable>") + c.Text + "</BuyItNowAvailable>");
    EXPECT_EQ(item.BuyItNowAvailable, c.After);
  }
  // A refresh without the element keeps every flag and the bid count.
  TSimpleItem item;
  Load(item, "<BidCount>4</BidCount><Gift>true</Gift>");
  Load(item, "<Title>later</Title>");
  EXPECT_EQ(item.BidCount, 4);
  EXPECT_TRUE(item.Gift);
  EXPECT_EQ(item.Title, "later");
}

TEST(SimpleItem, FixedPriceListingsShowTheirPriceAsBuyItNow) {
  TSimpleItem fixed;
  Load(fixed,
       "<ListingType>FixedPriceItem</ListingType>"
       "<ConvertedCurrentPrice currencyID=\"USD\">12.5</ConvertedCurrentPrice>");
  EXPECT_EQ(fixed.BuyItNowPrice, 125000);
  EXPECT_EQ(fixed.CurrentPrice, 0);
  EXPECT_TRUE(fixed.IsBuyItNow());
  EXPECT_FALSE(fixed.IsAuction());

  TSimpleItem auction;
  Load(auction,
       "<ListingType>Chinese</ListingType>"
       "<ConvertedCurrentPrice currencyID=\"USD\">12.5</ConvertedCurrentPrice>");
  EXPECT_EQ(auction.CurrentPrice, 125000);
  EXPECT_EQ(auction.BuyItNowPrice, 0);
}

TEST(SimpleItem, CurrencyComesFromTheFirstConvertedPriceOnly) {
  TSimpleItem item;
  Load(item, "<CurrentPrice currencyID=\"GBP\">3</CurrentPrice>");
  EXPECT_EQ(item.CurrencyID, TCurrencyCode::NotSet);  // unconverted prices say nothing
  EXPECT_EQ(item.CurrentPrice, 30000);
  // The converted price wins over the site's own one.
  Load(item,
       "<CurrentPrice currencyID=\"GBP\">3</CurrentPrice>"
       "<ConvertedCurrentPrice currencyID=\"EUR\">4.25</ConvertedCurrentPrice>");
  EXPECT_EQ(item.CurrencyID, TCurrencyCode::EUR);
  EXPECT_EQ(item.CurrentPrice, 42500);
  Load(item, "<ConvertedBuyItNowPrice currencyID=\"USD\">9</ConvertedBuyItNowPrice>");
  EXPECT_EQ(item.CurrencyID, TCurrencyCode::EUR);
  EXPECT_EQ(item.BuyItNowPrice, 90000);
}

TEST(SimpleItem, ReadsBrokenNumbersAndTextsAsDefaults) {
  TSimpleItem item;
  Load(item,
       "<ConvertedCurrentPrice currencyID=\"USD\">5</ConvertedCurrentPrice>"
       "<ShippingCostSummary><ShippingServiceCost>2</ShippingServiceCost></ShippingCostSummary>"
       "<ListingType>Chinese</ListingType><ListingStatus>Active</ListingStatus>"
       "<Site>UK</Site>");
  Load(item,
       "<ConvertedCurrentPrice currencyID=\"XXX\">1e400</ConvertedCurrentPrice>"
       "<ShippingCostSummary><ShippingServiceCost>abc</ShippingServiceCost></ShippingCostSummary>"
       "<BuyItNowPrice>99999999999999999999</BuyItNowPrice>"
       "<DistanceFromBuyer unit=\"mi\">nan-ish</DistanceFromBuyer>"
       "<ListingType>SuperAuction</ListingType><ListingStatus>active</ListingStatus>"
       "<Site>Atlantis</Site><BidCount>-1</BidCount>"
       "<Seller><FeedbackScore>lots</FeedbackScore><FeedbackRatingStar>Gold</FeedbackRatingStar>"
       "</Seller>");
  EXPECT_EQ(item.CurrentPrice, 50000);
  EXPECT_EQ(item.ShippingServiceCost, 20000);
  EXPECT_EQ(item.BuyItNowPrice, 0);
  EXPECT_EQ(item.DistanceFromBuyer.Value, 0);
  EXPECT_EQ(item.DistanceFromBuyer.Unit, "mi");
  EXPECT_EQ(item.ListingType, TListingType::NotSet);
  EXPECT_EQ(item.ListingStatus, TListingStatus::NotSet);  // texts compare exactly
  EXPECT_EQ(item.Site, nullptr);
  EXPECT_EQ(item.BidCount, 0);  // a negative count means none
  EXPECT_EQ(item.Seller.FeedbackScore, 0);
  EXPECT_EQ(item.Seller.FeedbackRatingStar, TFeedbackRatingStar::NotSet);

  // Negative amounts are numbers like any other.
  Load(item, "<ConvertedCurrentPrice>-2.5</ConvertedCurrentPrice>");
  EXPECT_EQ(item.CurrentPrice, -25000);
}

TEST(SimpleItem, ANonIntegerBidCountIsAnEShoppingAfterTheFieldsBeforeIt) {
  for (const char* text : {"many", "1.5", "99999999999", ""}) {
    SCOPED_TRACE(text);
    TSimpleItem item;
    item.BidCount = 2;
    TItems items(ItemsAnswer({QByteArray("<BestOfferEnabled>true</BestOfferEnabled><BidCount>") +
                              text + "</BidCount><Title>t</Title>"}));
    EXPECT_THROW(item.LoadFromNode(items.Item()), EShopping);
    EXPECT_TRUE(item.BestOfferEnabled);
    EXPECT_EQ(item.BidCount, 2);
    EXPECT_EQ(item.Title, "");
  }
}

TEST(SimpleItem, BidCountsAboveTwoHundredFiftyFiveStayWhole) {
  for (auto [text, expected] : {std::pair{"600", 600}, std::pair{"256", 256}, std::pair{"-3", 0}}) {
    TSimpleItem item;
    Load(item, QByteArray("<BidCount>") + text + "</BidCount>");
    EXPECT_EQ(item.BidCount, expected) << text;
  }
}

TEST(SimpleItem, DateTimesAreReadAsUtcIntoLocalTime) {
  struct Case {
    const char* Text;
    const char* Utc;     // expected value in UTC, nullptr: not set
    bool MidnightLocal;  // only the date part was good
  };
  const Case cases[] = {
      {"2008-05-20T17:04:00.000Z", "2008-05-20T17:04:00.000", false},
      {"2008-05-20 17:04", "2008-05-20T17:04:00.000", false},
      {"20080520T170400,123", "2008-05-20T17:04:00.123", false},
      {"2008-05-20T1704", "2008-05-20T17:04:00.000", false},
      {"2008-05-20T17:04.5", nullptr, true},
      {"2008-05-20T25:00:00", nullptr, true},
      {"2008-05-20T17:04:00.12", nullptr, true},
      {"2008-05-20T17:04:00Z", nullptr, true},
      {"2008-02-30T10:00:00.000Z", nullptr, false},
      {"0000-01-01T10:00:00.000Z", nullptr, false},
      {"2008-5-20T10:00:00.000Z", nullptr, false},
      {"yesterday", nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    TSimpleItem item;
    item.EndTime = QDateTime::currentDateTime();
    Load(item, QByteArray("<EndTime>") + c.Text + "</EndTime>");
    if (c.Utc) {
      EXPECT_EQ(item.EndTime.toUTC(), Utc(c.Utc));
    } else if (c.MidnightLocal) {
      EXPECT_EQ(item.EndTime, QDateTime(QDate(2008, 5, 20), QTime(0, 0), Qt::LocalTime));
    } else {
      EXPECT_FALSE(item.EndTime.isValid());
    }
  }
  // An empty element is no time at all: the value stays.
  TSimpleItem item;
  Load(item, "<EndTime>2008-05-20T17:04:00.000Z</EndTime>");
  Load(item, "<EndTime></EndTime>");
  EXPECT_EQ(item.EndTime.toUTC(), Utc("2008-05-20T17:04:00.000"));
  EXPECT_EQ(ISODateTime::ToText(item.EndTime), "2008-05-20T17:04:00.000Z");
}

TEST(ISODateTime, LocalTimeFollowsTheZonesChanges) {
  const QByteArray saved = qgetenv("TZ");
  qputenv("TZ", "Europe/Berlin");
  struct Case {
    const char* Utc;
    const char* Local;
  };
  // Summer time began at 01:00 UTC on 1990-03-25 and ended at 01:00 UTC on 1990-09-30.
  const Case cases[] = {{"1990-03-25T00:59:59.000", "1990-03-25T01:59:59+01:00"},
                        {"1990-03-25T01:00:00.000", "1990-03-25T03:00:00+02:00"},
                        {"1990-09-30T00:59:59.000", "1990-09-30T02:59:59+02:00"},
                        {"1990-09-30T01:00:00.000", "1990-09-30T02:00:00+01:00"},
                        {"1960-01-01T12:00:00.000", "1960-01-01T13:00:00+01:00"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Utc);
    const QDateTime local = ISODateTime::ToLocal(Utc(c.Utc));
    EXPECT_EQ(local.toString(Qt::ISODate), c.Local);
    EXPECT_EQ(local, Utc(c.Utc));
  }
  if (saved.isNull())
    qunsetenv("TZ");
  else
    qputenv("TZ", saved);
}

TEST(SimpleItem, ConditionComesFromTheItemSpecific) {
  struct Case {
    const char* Value;
    TItemCondition Expected;
  };
  const Case cases[] = {{"gebraucht", TItemCondition::Used}, {"Used", TItemCondition::Used},
                        {"GEBRAUCHT", TItemCondition::Used}, {"Neu", TItemCondition::New},
                        {"New", TItemCondition::New},        {"used", TItemCondition::NotSet},
                        {"wie neu", TItemCondition::NotSet}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Value);
    TSimpleItem item;
    item.Condition = TItemCondition::New;
    Load(item, QByteArray("<ItemSpecifics><NameValueList><Name>Condition</Name><Value>") + c.Value +
                   "</Value></NameValueList></ItemSpecifics>");
    EXPECT_EQ(item.Condition, c.Expected);
  }
  // Entries without a trailing Value add nothing; a refresh replaces the lines.
  TSimpleItem item;
  Load(item,
       "<ItemSpecifics><NameValueList><Name>A</Name><Value>1</Value></NameValueList>"
       "<NameValueList><Name>B</Name></NameValueList>"
       "<NameValueList><Value>x</Value><Name>C</Name></NameValueList></ItemSpecifics>");
  EXPECT_EQ(item.ItemSpecifics, QStringList({"A=1"}));
  Load(item,
       "<ItemSpecifics><NameValueList><Name>D</Name><Value>2</Value></NameValueList>"
       "</ItemSpecifics>");
  EXPECT_EQ(item.ItemSpecifics, QStringList({"D=2"}));
  EXPECT_EQ(item.Condition, TItemCondition::NotSet);
}

TEST(SimpleItem, PicturesAreCollectedWithoutDuplicates) {
  TSimpleItem item;
  Load(item, "<PictureURL>http://a/1.jpg</PictureURL><PictureURL>http://a/2.jpg</PictureURL>");
  Load(item, "<PictureURL>HTTP://A/1.JPG</PictureURL><PictureURL>http://a/3.jpg</PictureURL>");
  EXPECT_EQ(item.PictureURLs, QStringList({"http://a/1.jpg", "http://a/2.jpg", "http://a/3.jpg"}));

  // Ten thousand addresses, half of them repeated in another case, stay quick and unique.
  QByteArray many;
  for (int i = 0; i < 10000; ++i)
    many += "<PictureURL>http://pics/" + QByteArray::number(i % 5000) + (i < 5000 ? "a" : "A") +
            ".jpg</PictureURL>";
  TSimpleItem crowded;
  Load(crowded, many);
  EXPECT_EQ(crowded.PictureURLs.size(), 5000);
}

TEST(SimpleItem, SiteIsLookedUpByNameOrCode) {
  TSimpleItem item;
  Load(item, "<Site>Germany</Site>");
  ASSERT_NE(item.Site, nullptr);
  EXPECT_EQ(item.Site->SiteID, 77);
  Load(item, "<Title>no site element</Title>");
  ASSERT_NE(item.Site, nullptr);
  EXPECT_EQ(item.Site->SiteID, 77);
  Load(item, "<Site>CH</Site>");
  EXPECT_EQ(item.Site->SiteID, 193);
  Load(item, "<Site></Site>");
  EXPECT_EQ(item.Site->SiteID, 100);  // the empty code of eBay Motors
  TSimpleItem none;
  Load(none, "<Title>x</Title>");
  EXPECT_EQ(none.Site, nullptr);
}

TEST(SimpleItem, ElementsOutsideTheApiNamespaceAreNotRead) {
  TItems items(
      "<GetSingleItemResponse xmlns=\"urn:ebay:apis:other\"><Item><ItemID>1</ItemID>"
      "<Title>t</Title></Item></GetSingleItemResponse>");
  ASSERT_TRUE(items.Loaded);
  EXPECT_FALSE(items.Item());
  TSimpleItem item;
  item.LoadFromNode(items.Doc->DocumentElement().FirstChildElement());
  EXPECT_EQ(item.ItemID(), "");
  EXPECT_EQ(item.Title, "");
}

TEST(SimpleItem, AssignCopiesAllButOwnerAndCondition) {
  TItems items(Fixture("GetSingleItem_full_de.xml"));
  TSimpleItem source;
  source.LoadFromNode(items.Item());
  source.PageNumber = 3;
  source.PagePosition = 7;
  TSimpleItem copy;
  copy.Assign(source);
  EXPECT_EQ(copy.ItemID(), source.ItemID());
  EXPECT_EQ(copy.PictureURLs, source.PictureURLs);
  EXPECT_EQ(copy.ItemSpecifics, source.ItemSpecifics);
  EXPECT_EQ(copy.Seller, source.Seller);
  EXPECT_EQ(copy.HighBidder, source.HighBidder);
  EXPECT_EQ(copy.DistanceFromBuyer, source.DistanceFromBuyer);
  EXPECT_EQ(copy.EndTime, source.EndTime);
  EXPECT_EQ(copy.Site, source.Site);
  EXPECT_EQ(copy.CurrencyID, source.CurrencyID);
  EXPECT_EQ(copy.PageNumber, 3);
  EXPECT_EQ(copy.PagePosition, 7);
  EXPECT_EQ(copy.PaymentMethods, source.PaymentMethods);
  EXPECT_EQ(copy.Description, source.Description);
  EXPECT_EQ(copy.Condition, TItemCondition::NotSet);
}

TEST(SimpleItem, MergeFromTakesOnlyInformativeFields) {
  TItems items(Fixture("GetSingleItem_full_de.xml"));
  TSimpleItem full;
  full.LoadFromNode(items.Item());

  TSimpleItem sparse;
  sparse.SetItemID("250123456789");
  sparse.Title = QStringLiteral("new title");
  sparse.CurrentPrice = 700000;
  sparse.ListingStatus = TListingStatus::Ended;

  TSimpleItem merged;
  merged.Assign(full);
  merged.MergeFrom(sparse);
  EXPECT_EQ(merged.Title, "new title");
  EXPECT_EQ(merged.CurrentPrice, 700000);
  EXPECT_EQ(merged.ListingStatus, TListingStatus::Ended);
  // Empty, zero and unset fields of the source leave ours alone...
  EXPECT_EQ(merged.BuyItNowPrice, full.BuyItNowPrice);
  EXPECT_EQ(merged.PictureURLs, full.PictureURLs);
  EXPECT_EQ(merged.Seller, full.Seller);
  EXPECT_EQ(merged.EndTime, full.EndTime);
  EXPECT_EQ(merged.Site, full.Site);
  EXPECT_EQ(merged.BidCount, full.BidCount);
  EXPECT_EQ(merged.PaymentMethods, full.PaymentMethods);
  // ...but the flags are always taken.
  EXPECT_FALSE(merged.BestOfferEnabled);
  EXPECT_FALSE(merged.Gift);
  EXPECT_FALSE(merged.PictureExists);
}

TEST(ShoppingEnumTypeConverter, TablesRoundTripAndCompareExactly) {
  const struct {
    TShoppingEnumKind Kind;
    int Count;
  } kinds[] = {{TShoppingEnumKind::ListingType, 13},       {TShoppingEnumKind::SearchFlag, 12},
               {TShoppingEnumKind::SellerBusinessType, 4}, {TShoppingEnumKind::ItemSort, 10},
               {TShoppingEnumKind::SortOrder, 3},          {TShoppingEnumKind::ItemCondition, 3},
               {TShoppingEnumKind::ItemType, 11},          {TShoppingEnumKind::ListingStatus, 4},
               {TShoppingEnumKind::PaymentMethod, 21},     {TShoppingEnumKind::CurrencyCode, 15},
               {TShoppingEnumKind::FeedbackRatingStar, 12}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(int(k.Kind));
    EXPECT_EQ(TShoppingEnumTypeConverter::Count(k.Kind), k.Count);
    EXPECT_EQ(TShoppingEnumTypeConverter::Text(k.Kind, 0), "");
    EXPECT_EQ(TShoppingEnumTypeConverter::Text(k.Kind, k.Count), "");
    for (int i = 1; i < k.Count; ++i) {
      const QString text = TShoppingEnumTypeConverter::Text(k.Kind, i);
      EXPECT_EQ(TShoppingEnumTypeConverter::Ordinal(k.Kind, text), i);
      EXPECT_EQ(TShoppingEnumTypeConverter::Ordinal(k.Kind, text.toLower()),
                text == text.toLower() ? i : 0);
    }
  }
  EXPECT_EQ(TShoppingEnumTypeConverter::FromText<TListingType>("StoresFixedPrice"),
            TListingType::StoresFixedPrice);
  EXPECT_EQ(TShoppingEnumTypeConverter::ToText(TPaymentMethod::VisaMC), "VisaMC");
  EXPECT_EQ(TShoppingEnumTypeConverter::ToText(TFeedbackRatingStar::RedShooting), "RedShooting");
  EXPECT_EQ(int(TShoppingEnumTypeConverter::FromText<TCurrencyCode>("USD")), 14);
  EXPECT_EQ(TShoppingEnumTypeConverter::FromText<TItemSort>(""), TItemSort::NotSet);
}

TEST(Currency, SymbolsAndSiteCurrencies) {
  EXPECT_EQ(TCurrency::CurrencySymbol(TCurrencyCode::EUR), QString::fromUtf8("€"));
  EXPECT_EQ(TCurrency::CurrencySymbol(TCurrencyCode::PLN), QString::fromUtf8("zł"));
  EXPECT_EQ(TCurrency::CurrencySymbol(TCurrencyCode::USD), "US-$");
  EXPECT_EQ(TCurrency::CurrencySymbol(TCurrencyCode::PHP), "");
  EXPECT_EQ(TCurrency::CurrencySymbol(TCurrencyCode::NotSet), "");
  EXPECT_EQ(TCurrency::SiteCurrency(100), TCurrencyCode::USD);
  EXPECT_EQ(TCurrency::SiteCurrency(205), TCurrencyCode::EUR);
  EXPECT_EQ(TCurrency::SiteCurrency(193), TCurrencyCode::CHF);
  EXPECT_EQ(TCurrency::SiteCurrency(196), TCurrencyCode::NotSet);
  EXPECT_EQ(TCurrency::SiteCurrency(-1), TCurrencyCode::NotSet);
  // Every site but Taiwan, Canada French and China has a currency.
  for (int i = 0; i < SiteList().Count(); ++i) {
    const int id = SiteList().Items(i)->SiteID;
    EXPECT_EQ(TCurrency::SiteCurrency(id) == TCurrencyCode::NotSet,
              id == 196 || id == 210 || id == 223)
        << id;
  }
}

TEST(SiteList, HoldsTheTwentyFiveSitesInMenuOrder) {
  TSiteList& sites = SiteList();
  ASSERT_EQ(sites.Count(), 25);
  EXPECT_EQ(sites.Items(0)->Name, "Australia");
  EXPECT_EQ(sites.Items(24)->Name, "USA");
  EXPECT_EQ(sites.Items(25), nullptr);
  ASSERT_NE(sites.FindByName(""), nullptr);
  EXPECT_EQ(sites.FindByName("")->SiteID, 100);
  EXPECT_EQ(sites.FindByName("UK")->SiteID, 3);
  EXPECT_EQ(sites.FindByName("BENL")->SiteID, 123);
  EXPECT_EQ(sites.FindByName("germany"), nullptr);
  EXPECT_EQ(sites.IndexOfSiteID(0), 24);
  EXPECT_EQ(sites.IndexOfSiteID(42), -1);
  EXPECT_EQ(sites.FindBySiteID(16)->LocalName("de"), QString::fromUtf8("Österreich"));
  EXPECT_EQ(sites.FindBySiteID(16)->LocalName("en"), "Austria");
  EXPECT_EQ(sites.FindBySiteID(201)->LocalName("en"), "Hong Kong");
  EXPECT_EQ(sites.FindBySiteID(223)->LocalName("de"), "China");
  TSite site;
  site.Name = QStringLiteral("X");
  site.SetLocalName("fr", QStringLiteral("Y"));
  site.SetLocalName("fr", QStringLiteral("Z"));
  EXPECT_EQ(site.LangNames.size(), 1u);
  EXPECT_EQ(site.LocalName("fr"), "Z");
}

TEST(Money, ParsesAndPrintsFourDecimals) {
  struct Case {
    const char* Text;
    bool Ok;
    TMoney Value;
    const char* Printed;
  };
  const Case cases[] = {{"12.5", true, 125000, "12.5"},
                        {" 100 ", true, 1000000, "100"},
                        {"0.00005", true, 1, "0.0001"},
                        {"1e3", true, 10000000, "1000"},
                        {"-3", true, -30000, "-3"},
                        {"12,5", false, 0, ""},
                        {"", false, 0, ""},
                        {"inf", false, 0, ""},
                        {"1e300", false, 0, ""},
                        {"abc", false, 0, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    TMoney value = 0;
    EXPECT_EQ(Money::TryParse(QLatin1String(c.Text), value), c.Ok);
    EXPECT_EQ(value, c.Value);
    if (c.Ok) EXPECT_EQ(Money::ToText(value), c.Printed);
  }
  EXPECT_EQ(Money::ToText(std::numeric_limits<TMoney>::min()), "-922337203685477.5808");
}

}  // namespace
