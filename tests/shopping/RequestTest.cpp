#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "core/shopping/AdvancedSearchRequest.h"
#include "core/shopping/EShoppingEmptyResult.h"
#include "core/shopping/EShoppingReturnError.h"
#include "core/shopping/EShoppingReturnOther.h"
#include "core/shopping/EShoppingReturnWarning.h"
#include "core/shopping/MultipleItemsDetailDataRequest.h"
#include "core/shopping/MultipleItemsMinimalDataRequest.h"
#include "core/shopping/MultipleItemsStatusDataRequest.h"
#include "core/shopping/SellerSearchRequest.h"
#include "core/shopping/ShoppingAPIAccess.h"
#include "core/shopping/ShoppingEnumTypeConverter.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/SimpleItemList.h"
#include "core/shopping/TimeRequest.h"
#include "shopping/ShoppingTestUtil.h"

using namespace ShoppingTest;

namespace {

// "Name=text" for every child of the request's root, in order, and the root's name.
struct TBuilt {
  QString Root;
  QStringList Children;
  QByteArray Xml;
};

TBuilt Build(TBaseRequest& request) {
  TBuilt built;
  built.Xml = request.RequestXML();
  TXMLDocument doc;
  EXPECT_TRUE(doc.LoadXMLBytes(built.Xml)) << built.Xml.constData();
  const TXMLNode root = doc.DocumentElement();
  built.Root = root.LocalName();
  EXPECT_EQ(root.NamespaceURI(), "urn:ebay:apis:eBLBaseComponents");
  for (TXMLNode child = root.FirstChildElement(); child; child = child.NextSiblingElement()) {
    EXPECT_EQ(child.NamespaceURI(), "urn:ebay:apis:eBLBaseComponents");
    built.Children << child.LocalName() + QLatin1Char('=') + child.Text();
  }
  return built;
}

TEST(BaseRequest, HeadersAddressTheCall) {
  ShoppingAPIAccess().AppID.clear();
  InstallShoppingApiAppID();
  EXPECT_EQ(ShoppingAPIAccess().AppID.size(), 36);

  TAdvancedSearchRequest search;
  EXPECT_EQ(search.SiteID, -1);
  EXPECT_EQ(search.GetHeaders(),
            QStringList({"X-EBAY-API-APP-ID=Brisk7d21-f0c8-3b96-d7e4-2a8f39b10e7",
                         "X-EBAY-API-VERSION=567", "X-EBAY-API-REQUEST-ENCODING=XML",
                         "X-EBAY-API-CALL-NAME=FindItemsAdvanced"}));
  search.SiteID = 0;
  EXPECT_EQ(search.GetHeaders().at(1), "X-EBAY-API-SITE-ID=0");

  struct Case {
    std::unique_ptr<TBaseRequest> Request;
    const char* CallName;
    const char* Root;
  };
  std::vector<Case> cases;
  cases.push_back(
      {std::make_unique<TSellerSearchRequest>(), "FindItemsAdvanced", "FindItemsAdvancedRequest"});
  cases.push_back({std::make_unique<TCategorySearchRequest>(), "FindItemsAdvanced",
                   "FindItemsAdvancedRequest"});
  cases.push_back({std::make_unique<TMultipleItemsMinimalDataRequest>(), "GetMultipleItems",
                   "GetMultipleItemsRequest"});
  cases.push_back({std::make_unique<TMultipleItemsStatusDataRequest>(), "GetItemStatus",
                   "GetItemStatusRequest"});
  cases.push_back({std::make_unique<TMultipleItemsDetailDataRequest>(), "GetSingleItem",
                   "GetSingleItemRequest"});
  cases.push_back({std::make_unique<TTimeRequest>(), "GeteBayTime", "GeteBayTimeRequest"});
  for (Case& c : cases) {
    SCOPED_TRACE(c.CallName);
    c.Request->SiteID = 77;
    const QStringList headers = c.Request->GetHeaders();
    ASSERT_EQ(headers.size(), 5);
    EXPECT_EQ(headers[1], "X-EBAY-API-SITE-ID=77");
    EXPECT_EQ(headers.last(), QStringLiteral("X-EBAY-API-CALL-NAME=") + c.CallName);
    const TBuilt built = Build(*c.Request);
    EXPECT_EQ(built.Root, c.Root);
    EXPECT_TRUE(built.Xml.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
  }
}

TEST(BaseRequest, OnlyTheFirstUtf8DeclarationIsRewritten) {
  EXPECT_EQ(TBaseRequest::DecodeResponse("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r/>"),
            "<?xml version=\"1.0\" encoding=\"utf-16\"?><r/>");
  EXPECT_EQ(
      TBaseRequest::DecodeResponse("<?xml encoding=\"utf-8\"?><r>encoding=\"Utf-8\" stays</r>"),
      "<?xml encoding=\"utf-16\"?><r>encoding=\"Utf-8\" stays</r>");
  EXPECT_EQ(TBaseRequest::DecodeResponse("<r>Gr\xC3\xBC\xC3\x9F"
                                         "e</r>"),
            QString::fromUtf8("<r>Grüße</r>"));
  // Bytes that are not UTF-8 decode to replacement characters, never a crash.
  EXPECT_TRUE(TBaseRequest::DecodeResponse("<r>\xFF\xFE</r>").startsWith("<r>"));
}

TEST(BaseRequest, ResponseTextRepairsBrokenUtf8) {
  const TResponseText good = TResponseText::FromBody("<?xml encoding=\"UTF-8\"?><r>\xC3\xBC</r>");
  EXPECT_EQ(good.Utf8(), "<?xml encoding=\"UTF-8\"?><r>\xC3\xBC</r>");
  EXPECT_EQ(good.Text(), QString::fromUtf8("<?xml encoding=\"utf-16\"?><r>ü</r>"));
  const TResponseText broken = TResponseText::FromBody("<r>\xFF ok \xC3</r>");
  EXPECT_TRUE(broken.Utf8().isValidUtf8());
  EXPECT_EQ(broken.Text(), QString::fromUtf8("<r>\xFF ok \xC3</r>"));
  // Repaired text still parses: the bad bytes became replacement characters.
  TMultipleItemsMinimalDataRequest request;
  std::unique_ptr<TXMLDocument> document;
  request.ParseResponse(broken, document);
  ASSERT_NE(document, nullptr);
  EXPECT_TRUE(document->DocumentElement().Text().contains(QChar(0xFFFD)));
}

TEST(BaseRequest, AcknowledgementDecidesTheException) {
  struct Case {
    const char* Name;
    QByteArray Answer;
    const char* Class;  // nullptr: accepted
    const char* Message;
  };
  const Case cases[] = {
      {"success", Fixture("GetMultipleItems_response_ebay-us_2007-07.xml"), nullptr, ""},
      {"no ack",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><R xmlns=\"urn:ebay:apis:eBLBaseComponents\"/>",
       nullptr, ""},
      {"failure", Fixture("FindItems_failure_RequestError.xml"), "EShoppingReturnError",
       "Input data is invalid."},
      {"timeout", Fixture("FindItems_failure_timeout.xml"), "EShoppingReturnError",
       "The request timed out."},
      {"warning",
       "<R xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Ack>Warning</Ack><Errors><ShortMessage>w"
       "</ShortMessage></Errors></R>",
       "EShoppingReturnWarning", "w"},
      {"other",
       "<R xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Ack>PartialFailure</Ack><Errors>"
       "<ShortMessage>first</ShortMessage></Errors><Errors><ShortMessage>second</ShortMessage>"
       "</Errors></R>",
       "EShoppingReturnOther", "first"},
      {"bare other", "<R xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Ack>success</Ack></R>",
       "EShoppingReturnOther", ""},
      // In another namespace "Ack" is not eBay's acknowledgement.
      {"wrong namespace", "<R xmlns=\"urn:other\"><Ack>Failure</Ack></R>", nullptr, ""},
      {"not xml", "<html><body>Service Unavailable</body>", "EShopping",
       "XML-Daten konnten nicht geladen werden. \n\r"},
      {"truncated", Fixture("GetMultipleItems_response_ebay-us_2007-07.xml").left(700), "EShopping",
       "XML-Daten konnten nicht geladen werden. "},
      {"empty", "", "EShopping", "XML-Daten konnten nicht geladen werden. "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TMultipleItemsMinimalDataRequest request;
    std::unique_ptr<TXMLDocument> document;
    try {
      request.ParseResponse(TBaseRequest::DecodeResponse(c.Answer), document);
      EXPECT_EQ(c.Class, nullptr);
      EXPECT_NE(document, nullptr);
    } catch (const EShopping& e) {
      ASSERT_NE(c.Class, nullptr) << e.what();
      EXPECT_STREQ(e.ClassName(), c.Class);
      if (*c.Message)
        EXPECT_TRUE(e.Message().startsWith(QString::fromUtf8(c.Message))) << e.what();
      else
        EXPECT_TRUE(e.Message().isEmpty()) << e.what();
      EXPECT_EQ(document, nullptr);
    }
  }
  // The long message and the code come along.
  TMultipleItemsMinimalDataRequest request;
  std::unique_ptr<TXMLDocument> document;
  try {
    request.ParseResponse(
        TBaseRequest::DecodeResponse(Fixture("FindItems_failure_RequestError.xml")), document);
    FAIL();
  } catch (const EShoppingReturnError& e) {
    EXPECT_EQ(
        e.LongMessage,
        "Input data for the given tag is invalid or missing. Please check API documentation.");
    EXPECT_EQ(e.ErrorCode, "1.22");
  }
  // The message of a broken answer names the reason and quotes the line.
  try {
    request.ParseResponse(TResponseText::FromBody("<r>\n<a>1</b>\n</r>"), document);
    FAIL();
  } catch (const EShopping& e) {
    EXPECT_TRUE(e.Message().endsWith(" in <a>1</b>")) << e.what();
  }
}

TEST(BaseRequest, HandleResponseDataDeliversErrorsToOnError) {
  TMultipleItemsMinimalDataRequest request;
  std::vector<std::string> errors;
  request.OnError = [&](TBaseRequest* sender, const EShopping& e) {
    EXPECT_EQ(sender, &request);
    errors.push_back(e.ClassName());
  };
  request.HandleResponseData(Fixture("FindItems_failure_timeout.xml"));
  request.HandleResponseData("not xml at all");
  request.HandleResponseData(Fixture("GetMultipleItems_response_ebay-us_2007-07.xml"));
  EXPECT_EQ(errors, std::vector<std::string>({"EShoppingReturnError", "EShopping"}));
}

TEST(IncludeSelector, AcceptsOnlyAllowedValuesCaseInsensitively) {
  TFindItemsAdvancedIncludeSelector search;
  EXPECT_GE(search.Add("sellerinfo"), 0);
  EXPECT_EQ(search.Add("Description"), -1);
  EXPECT_EQ(search.Add("Details"), 0);
  EXPECT_EQ(search.Add("DETAILS"), 0);
  EXPECT_EQ(search.Count(), 2);
  EXPECT_EQ(search.Text(), "Details,SellerInfo");
  EXPECT_TRUE(search.Contains("sellerINFO"));

  TGetSingleItemIncludeSelector single;
  EXPECT_EQ(single.Add("ShippingCosts"), 0);
  EXPECT_EQ(single.Add("Description"), 0);
  EXPECT_EQ(single.Add("SellerInfo"), -1);
  EXPECT_EQ(single.Text(), "Description,ShippingCosts");

  TBaseIncludeSelector nothingAllowed;
  EXPECT_EQ(nothingAllowed.Add("Details"), -1);
  EXPECT_EQ(nothingAllowed.Text(), "");
}

TEST(SearchRequest, DefaultsSendOnlyTheRoot) {
  TAdvancedSearchRequest request;
  EXPECT_TRUE(Build(request).Children.isEmpty());
  request.MaxEntries = 50;
  request.SortOrder = TSortOrder::Descending;  // never without a sort key
  request.PageNumber = 1;
  EXPECT_EQ(Build(request).Children, QStringList({"MaxEntries=50"}));
  TSellerSearchRequest seller;
  seller.SellerID = QStringLiteral("kamera-kiste");
  EXPECT_EQ(Build(seller).Children, QStringList({"SellerID=kamera-kiste"}));
}

TEST(SearchRequest, AdvancedRequestWritesEveryElementInOrder) {
  TAdvancedSearchRequest r;
  r.SiteID = 77;
  r.ItemSort = TItemSort::Distance;
  r.SortOrder = TSortOrder::Ascending;
  r.PageNumber = 3;
  r.MaxEntries = 50;
  r.IncludeSelector.Add("SellerInfo");
  r.IncludeSelector.Add("Details");
  r.CategoryID = "4687";
  r.Condition = TItemCondition::Used;
  r.QueryKeywords = QStringLiteral("leica m6 <schwarz> & mehr");
  r.BidCountMin = 0;
  r.BidCountMax = 10;
  r.ItemType = TItemType::AuctionItemsOnly;
  r.PostalCode = "80331";
  r.MaxDistance = 50;
  r.PriceMin = 50000;
  r.PriceMax = 1250000;
  r.IncludeSearchFlag(TSearchFlag::Gallery);
  r.IncludeSearchFlag(TSearchFlag::FreeShipping);
  r.IncludeSearchFlag(TSearchFlag::NotSet);  // never sent
  r.SellerBusinessType = TSellerBusinessType::Private;
  r.DescriptionSearch = true;
  r.ItemsAvailableTo = "DE";
  r.ItemsLocatedIn = "AT";
  EXPECT_EQ(Build(r).Children, QStringList({"ItemSort=Distance",
                                            "SortOrder=Ascending",
                                            "PageNumber=3",
                                            "MaxEntries=50",
                                            "IncludeSelector=Details,SellerInfo",
                                            "CategoryID=4687",
                                            "QueryKeywords=leica m6 <schwarz> & mehr",
                                            "BidCountMin=0",
                                            "BidCountMax=10",
                                            "ItemType=AuctionItemsOnly",
                                            "PostalCode=80331",
                                            "MaxDistance=50",
                                            "PriceMin=5",
                                            "PriceMax=125",
                                            "SearchFlag=FreeShipping",
                                            "SearchFlag=Gallery",
                                            "SellerBusinessType=Private",
                                            "Condition=Used",
                                            "DescriptionSearch=true",
                                            "ItemsAvailableTo=DE",
                                            "ItemsLocatedIn=AT"}));
  // The category search keeps the condition to itself.
  TCategorySearchRequest category;
  category.CategoryID = "4687";
  category.Condition = TItemCondition::Used;
  EXPECT_EQ(Build(category).Children, QStringList({"CategoryID=4687"}));
}

TEST(SearchRequest, PostalCodeDistanceAndPriceConditions) {
  struct Case {
    const char* PostalCode;
    int MaxDistance;
    TItemSort Sort;
    TMoney PriceMin;
    QStringList Expected;
  };
  const Case cases[] = {
      {"80331", -1, TItemSort::NotSet, -1, {}},
      {"80331", -1, TItemSort::Distance, -1, {"ItemSort=Distance", "PostalCode=80331"}},
      {"80331", 0, TItemSort::NotSet, -1, {"PostalCode=80331", "MaxDistance=0"}},
      {"", 25, TItemSort::NotSet, -1, {}},
      {"", -1, TItemSort::NotSet, 0, {"PriceMin=0"}},
      {"", -1, TItemSort::NotSet, 125000, {"PriceMin=12.5"}},
      {"", -1, TItemSort::NotSet, 1, {"PriceMin=0.0001"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.PostalCode + std::to_string(c.MaxDistance) + std::to_string(c.PriceMin));
    TAdvancedSearchRequest r;
    r.PostalCode = c.PostalCode;
    r.MaxDistance = c.MaxDistance;
    r.ItemSort = c.Sort;
    r.PriceMin = c.PriceMin;
    EXPECT_EQ(Build(r).Children, c.Expected);
  }
}

TEST(SearchRequest, SaveAndLoadRoundTrip) {
  TAdvancedSearchRequest r;
  r.SiteID = 77;
  r.QueryKeywords = QStringLiteral("Grüße & <Tags>");
  r.DescriptionSearch = true;
  r.IncludeSearchFlag(TSearchFlag::FreeShipping);
  r.IncludeSearchFlag(TSearchFlag::Gallery);
  r.PriceMin = 50000;
  r.PriceMax = 125000;
  r.CategoryID = "4687";
  r.Condition = TItemCondition::New;
  r.BidCountMax = 3;
  r.ItemType = TItemType::StoreInventoryOnly;
  r.ItemsAvailableTo = "DE";
  r.MaxDistance = 20;
  r.PostalCode = "80331";
  r.SellerBusinessType = TSellerBusinessType::Commercial;
  // Sorting, page and selector are not kept.
  r.ItemSort = TItemSort::EndTime;
  r.SortOrder = TSortOrder::Descending;
  r.PageNumber = 4;
  r.MaxEntries = 50;
  r.IncludeSelector.Add("Details");

  const std::unique_ptr<TXMLDocument> saved = r.SaveData();
  const TXMLNode data = saved->DocumentElement();
  EXPECT_EQ(data.LocalName(), "Data");
  EXPECT_EQ(data.Attribute("Type"), "TAdvancedSearchRequest");
  QStringList order;
  for (TXMLNode c = data.FirstChildElement(); c; c = c.NextSiblingElement())
    order << c.LocalName();
  EXPECT_EQ(order, QStringList({"SiteID", "CategoryID", "Condition", "QueryKeywords", "BidCountMax",
                                "ItemType", "ItemsAvailableTo", "MaxDistance", "PostalCode",
                                "PriceMin", "PriceMax", "SearchFlags", "SellerBusinessType"}));
  EXPECT_EQ(GetNodeText(data, "./PriceMin", ""), "5");
  EXPECT_EQ(GetNodeText(data, "./PriceMax", ""), "12.5");

  // Through text, as the history file keeps it.
  TXMLDocument reread;
  ASSERT_TRUE(reread.LoadXMLBytes(saved->Xml()));
  const std::unique_ptr<TBaseSearchRequest> loaded =
      TBaseSearchRequest::CreateFromData(reread.DocumentElement());
  ASSERT_NE(loaded, nullptr);
  auto* l = dynamic_cast<TAdvancedSearchRequest*>(loaded.get());
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->SiteID, 77);
  EXPECT_EQ(l->QueryKeywords, r.QueryKeywords);
  EXPECT_TRUE(l->DescriptionSearch);
  EXPECT_EQ(l->SearchFlags, r.SearchFlags);
  EXPECT_EQ(l->PriceMin, 50000);
  EXPECT_EQ(l->PriceMax, 125000);
  EXPECT_EQ(l->CategoryID, "4687");
  EXPECT_EQ(l->Condition, TItemCondition::New);
  EXPECT_EQ(l->BidCountMin, -1);
  EXPECT_EQ(l->BidCountMax, 3);
  EXPECT_EQ(l->ItemType, TItemType::StoreInventoryOnly);
  EXPECT_EQ(l->ItemsAvailableTo, "DE");
  EXPECT_EQ(l->ItemsLocatedIn, "");
  EXPECT_EQ(l->MaxDistance, 20);
  EXPECT_EQ(l->PostalCode, "80331");
  EXPECT_EQ(l->SellerBusinessType, TSellerBusinessType::Commercial);
  EXPECT_EQ(l->ItemSort, TItemSort::NotSet);
  EXPECT_EQ(l->SortOrder, TSortOrder::NotSet);
  EXPECT_EQ(l->PageNumber, 1);
  EXPECT_EQ(l->MaxEntries, 20);
  EXPECT_EQ(l->IncludeSelector.Count(), 0);

  TSellerSearchRequest seller;
  seller.SellerID = QStringLiteral("kamera-kiste");
  seller.SiteID = 3;
  const auto sellerData = seller.SaveData();
  const auto sellerBack = TBaseSearchRequest::CreateFromData(sellerData->DocumentElement());
  ASSERT_NE(dynamic_cast<TSellerSearchRequest*>(sellerBack.get()), nullptr);
  EXPECT_EQ(static_cast<TSellerSearchRequest*>(sellerBack.get())->SellerID, "kamera-kiste");
  EXPECT_EQ(sellerBack->SiteID, 3);
}

TEST(SearchRequest, LoadDataCopesWithDamagedStorage) {
  TXMLDocument doc;
  ASSERT_TRUE(doc.LoadXMLBytes(
      "<Data Type=\"TAdvancedSearchRequest\"><SiteID>-1</SiteID><BidCountMin>many</BidCountMin>"
      "<MaxDistance>99999999999</MaxDistance><PriceMin>cheap</PriceMin><ItemType>Any</ItemType>"
      "<SearchFlags><SearchFlag>Gallery</SearchFlag><SearchFlag>Sparkles</SearchFlag>"
      "<Other>Lot</Other></SearchFlags><Condition>mint</Condition></Data>"));
  TAdvancedSearchRequest r;
  r.QueryKeywords = QStringLiteral("gone after reset");
  r.LoadData(doc.DocumentElement());
  EXPECT_EQ(r.SiteID, -1);
  EXPECT_EQ(r.QueryKeywords, "");
  EXPECT_EQ(r.BidCountMin, -1);
  EXPECT_EQ(r.MaxDistance, -1);
  EXPECT_EQ(r.PriceMin, -1);
  EXPECT_EQ(r.ItemType, TItemType::NotSet);
  EXPECT_EQ(r.Condition, TItemCondition::NotSet);
  // The unknown flag becomes ordinal 0, which is kept but never sent.
  EXPECT_TRUE(r.HasSearchFlag(TSearchFlag::NotSet));
  EXPECT_TRUE(r.HasSearchFlag(TSearchFlag::Gallery));
  EXPECT_FALSE(r.HasSearchFlag(TSearchFlag::Lot));
  EXPECT_EQ(Build(r).Children, QStringList({"SearchFlag=Gallery"}));

  TXMLDocument bad;
  ASSERT_TRUE(bad.LoadXMLBytes("<Data Type=\"TSellerSearchRequest\"><SiteID>DE</SiteID></Data>"));
  EXPECT_THROW(TBaseSearchRequest::CreateFromData(bad.DocumentElement()), EShopping);
  TXMLDocument unknown;
  ASSERT_TRUE(unknown.LoadXMLBytes("<Data Type=\"TEvilRequest\"/>"));
  EXPECT_EQ(TBaseSearchRequest::CreateFromData(unknown.DocumentElement()), nullptr);
}

TEST(SearchRequest, ParseSearchResultNeedsItsStructure) {
  TAdvancedSearchRequest request;
  TSimpleItemList list;
  list.SetAutoFetchDetails(false);
  std::unique_ptr<TXMLDocument> document;

  request.ParseSearchResult(
      TBaseRequest::DecodeResponse(Fixture("FindItemsAdvanced_response_ebay-us_2007-07.xml")), list,
      document);
  ASSERT_NE(document, nullptr);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(1)->ItemID(), "123000268898");
  EXPECT_EQ(list.Items(1)->PageNumber, 1);
  EXPECT_EQ(list.Items(1)->PagePosition, 2);
  EXPECT_EQ(list.Items(1)->CurrentPrice, 1777980000);
  EXPECT_EQ(list.Items(1)->Owner.data(), &list);

  struct Case {
    const char* Name;
    QByteArray Answer;
    const char* Class;
    const char* Message;
  };
  const Case cases[] = {
      {"no results", Fixture("FindItems_response_noresults_2008-01.xml"), "EShoppingEmptyResult",
       "Keine Artikel gefunden. SearchResult-Knoten nicht vorhanden."},
      {"no item array",
       "<R xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Ack>Success</Ack><SearchResult/></R>",
       "EShopping", "Der ItemArray-Knoten wurde nicht gefunden."},
      {"failure", Fixture("FindItems_failure_RequestError.xml"), "EShoppingReturnError",
       "Input data is invalid."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      request.ParseSearchResult(TBaseRequest::DecodeResponse(c.Answer), list, document);
      FAIL();
    } catch (const EShopping& e) {
      EXPECT_STREQ(e.ClassName(), c.Class);
      EXPECT_EQ(e.Message(), QString::fromUtf8(c.Message));
      EXPECT_EQ(document, nullptr);
    }
  }
  EXPECT_EQ(list.Count(), 2);

  // A page number that is no number counts as 0; an unreadable listing is
  // skipped and reported, the rest of the page arrives.
  std::vector<QString> itemErrors;
  list.Clear();
  request.ParseSearchResult(
      TResponseText::FromBody(
          "<R xmlns=\"urn:ebay:apis:eBLBaseComponents\"><SearchResult><ItemArray>"
          "<Item><ItemID>1</ItemID></Item><Item><ItemID>2</ItemID><BidCount>two</BidCount></Item>"
          "<Item><ItemID>3</ItemID></Item></ItemArray></SearchResult><PageNumber>x</PageNumber></"
          "R>"),
      list, document, [&](const EShopping& e) { itemErrors.push_back(e.Message()); });
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(1)->ItemID(), "3");
  EXPECT_EQ(list.Items(1)->PagePosition, 3);
  EXPECT_EQ(list.Items(1)->PageNumber, 0);
  EXPECT_EQ(itemErrors.size(), 1u);
}

TEST(MultipleItemsRequest, BatchesAndSelectorInTheDocument) {
  TMultipleItemsMinimalDataRequest multiple;
  for (int i = 1; i <= 12; ++i)
    multiple.ItemIDs.append(QByteArray::number(i));
  const TBuilt built = Build(multiple);
  EXPECT_EQ(built.Root, "GetMultipleItemsRequest");
  EXPECT_EQ(built.Children.size(), 10);
  EXPECT_EQ(built.Children.first(), "ItemID=1");
  EXPECT_EQ(built.Children.last(), "ItemID=10");

  TMultipleItemsDetailDataRequest single;
  single.ItemIDs = {"250123456789", "2"};
  EXPECT_EQ(Build(single).Children, QStringList({"ItemID=250123456789"}));
  single.IncludeSelector.Add("ShippingCosts");
  single.IncludeSelector.Add("Details");
  EXPECT_EQ(Build(single).Children,
            QStringList({"ItemID=250123456789", "IncludeSelector=Details,ShippingCosts"}));
  EXPECT_EQ(single.BatchSize, 1);
}

TEST(MultipleItemsRequest, EveryItemOfAnAnswerReachesOnItem) {
  TMultipleItemsStatusDataRequest request;
  std::vector<QByteArray> ids;
  std::vector<QString> errors;
  TSimpleItemList list;
  list.SetAutoFetchDetails(false);
  request.OnItem = [&](TBaseMultipleItemsRequest*, const QByteArray& id, TXMLNode item) {
    ids.push_back(id);
    list.ApplyItemNode(id, item);
  };
  request.OnError = [&](TBaseRequest*, const EShopping& e) { errors.push_back(e.Message()); };
  request.HandleResponseData(Fixture("GetMultipleItems_response_ebay-us_2007-07.xml"));
  EXPECT_EQ(ids, std::vector<QByteArray>({"190000456297", "280000052600", "9600579283"}));
  request.HandleResponseData(ItemsAnswer({"<Title>no number</Title>",
                                          "<ItemID>5</ItemID>"
                                          "<BidCount>1.5</BidCount>",
                                          "<ItemID>6</ItemID>"}));
  EXPECT_EQ(ids.size(), 5u);
  EXPECT_EQ(ids.back(), "6");
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.IndexOfID("5"), -1);
  request.HandleResponseData(Fixture("GetItemStatus_response.xml"));
  EXPECT_EQ(list.FindByID("190000456297")->ListingStatus, TListingStatus::Completed);
  EXPECT_EQ(list.FindByID("280000052600")->BuyItNowPrice, 150000);
}

TEST(TimeRequest, ClockArithmeticOnTheTick) {
  TTimeRequest time;
  quint32 tick = 1000;
  time.TickSource = [&] { return tick; };
  int onTime = 0;
  time.OnTime = [&](TTimeRequest*) { ++onTime; };
  EXPECT_FALSE(time.CurrentEBayTimeUTC().isValid());
  EXPECT_FALSE(time.CurrentEBayTime().isValid());

  time.ResponseTick = tick;  // as PrepareHTTP leaves it
  tick += 400;
  time.HandleResponseData(Fixture("GeteBayTime_response.xml"));
  EXPECT_EQ(onTime, 1);
  EXPECT_EQ(time.RoundTripMs, 400u);
  EXPECT_EQ(time.ResponseTick, 1400u);
  const QDateTime tenOClock(QDate(2008, 5, 20), QTime(10, 0), Qt::UTC);
  EXPECT_EQ(time.EBayTime, tenOClock);
  EXPECT_EQ(time.CurrentEBayTimeUTC(), tenOClock.addMSecs(400));
  tick += 2500;
  EXPECT_EQ(time.CurrentEBayTimeUTC(), tenOClock.addMSecs(2900));
  EXPECT_EQ(time.CurrentEBayTime(), tenOClock.addMSecs(2900).toLocalTime());

  // The tick wraps after 2^32 ms; differences still come out right.
  time.ResponseTick = 0xFFFFFF00u;
  tick = 0x90;
  time.HandleResponseData(Fixture("GeteBayTime_response.xml"));
  EXPECT_EQ(time.RoundTripMs, 0x190u);
  tick = 0x90 + 100;
  EXPECT_EQ(time.CurrentEBayTimeUTC(), tenOClock.addMSecs(0x190 + 100));

  // A failure keeps the time and is reported; an answer without a usable
  // timestamp clears it.
  int errors = 0;
  time.OnError = [&](TBaseRequest*, const EShopping&) { ++errors; };
  time.HandleResponseData(Fixture("FindItems_failure_timeout.xml"));
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(time.EBayTime, tenOClock);
  time.HandleResponseData(
      "<GeteBayTimeResponse xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Ack>Success</Ack>"
      "<Timestamp>2008-13-01T00:00:00.000Z</Timestamp></GeteBayTimeResponse>");
  EXPECT_FALSE(time.EBayTime.isValid());
  EXPECT_EQ(time.RoundTripMs, 0u);
  EXPECT_FALSE(time.CurrentEBayTimeUTC().isValid());
  EXPECT_EQ(onTime, 2);
}

}  // namespace
