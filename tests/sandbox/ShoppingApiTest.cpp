// The Shopping API calls of quarn-sandbox against a frozen clock: answer
// shapes in eBay's element order, the item calls, failures and compression.
#include <gtest/gtest.h>
#include <zlib.h>

#include <map>
#include <set>

#include "sandbox/SandboxProcess.h"
#include "sandbox/SchemaOrder.h"
#include "sandbox/XmlAnswer.h"

namespace {

SandboxProcess& Sandbox() {
  SandboxProcess& s = SandboxProcess::Frozen();
  EXPECT_TRUE(s.Running());
  return s;
}

std::string Body(const httplib::Result& r) {
  return r ? r->body : std::string();
}

// Item numbers of the first page of a search.
std::vector<std::string> SomeItemIds(const std::string& inner, int site = 77) {
  XmlAnswer a(Body(Sandbox().Call("FindItemsAdvanced", inner, site)));
  return a.Texts("//e:Item/e:ItemID");
}

std::string Inflate(const std::string& data, int windowBits, bool* complete) {
  z_stream z{};
  inflateInit2(&z, windowBits);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  std::string out;
  char buf[16384];
  int rc = Z_OK;
  while (rc == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(buf);
    z.avail_out = sizeof buf;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(buf, sizeof buf - z.avail_out);
    if (rc == Z_BUF_ERROR && z.avail_in == 0) break;
  }
  if (complete) *complete = rc == Z_STREAM_END;
  inflateEnd(&z);
  return out;
}

TEST(ShoppingApi, GeteBayTimeAnswersTheSandboxClock) {
  auto r = Sandbox().Call("GeteBayTime", "");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_EQ(r->get_header_value("Content-Type"), "text/xml;charset=utf-8");
  XmlAnswer a(r->body);
  ASSERT_TRUE(a.Ok());
  EXPECT_EQ(a.RootName(), "GeteBayTimeResponse");
  EXPECT_EQ(a.Text("/e:GeteBayTimeResponse/e:Ack"), "Success");
  EXPECT_EQ(a.Text("/e:GeteBayTimeResponse/e:Timestamp"), "2024-05-01T12:00:00.000Z");
  EXPECT_EQ(a.ChildNames("/*")[0],
            (std::vector<std::string>{"Timestamp", "Ack", "Build", "Version"}));
}

TEST(ShoppingApi, AnswersFollowTheSchemasElementOrder) {
  SchemaOrder schema;
  ASSERT_TRUE(schema.Load(
      QUARN_SHARED_DIR "/ebay-samples/Shopping_2009-WSDL_element-order_FindItemsAdvanced_etc.txt"));
  auto bidded = SomeItemIds(
      "<MaxEntries>20</MaxEntries><ItemType>AuctionItemsOnly</ItemType><BidCountMin>1</"
      "BidCountMin>");
  ASSERT_FALSE(bidded.empty());
  std::string ids;
  for (const auto& id : bidded)
    ids += "<ItemID>" + id + "</ItemID>";
  struct Case {
    std::string call, inner;
  } cases[] = {
      {"FindItemsAdvanced",
       "<MaxEntries>100</MaxEntries><PostalCode>10115</"
       "PostalCode><IncludeSelector>Details,SellerInfo,ItemSpecifics,"
       "SearchDetails,CategoryHistogram,ExpansionItemCount</IncludeSelector>"},
      {"FindItemsAdvanced",
       "<ItemSort>BestMatchCategoryGroup</ItemSort><MaxEntries>30</MaxEntries>"},
      {"GetMultipleItems",
       ids + "<IncludeSelector>Details,Description,ItemSpecifics,ShippingCosts</IncludeSelector>"},
      {"GetMultipleItems", ids},
      {"GetItemStatus", ids},
      {"GetSingleItem",
       "<ItemID>" + bidded[0] +
           "</ItemID><IncludeSelector>Description,Details,ItemSpecifics,ShippingCosts</"
           "IncludeSelector>"},
      {"GeteBayTime", ""},
      {"GetSingleItem", "<ItemID>1</ItemID>"},  // a failure: Errors
  };
  std::map<std::string, int> seen;  // every checked type must have been seen
  for (const Case& c : cases) {
    XmlAnswer a(Body(Sandbox().Call(c.call, c.inner)));
    ASSERT_TRUE(a.Ok()) << c.call;
    EXPECT_EQ(a.RootName(), c.call + "Response");
    for (const char* e : {"Item", "Seller", "HighBidder", "ShippingCostSummary", "SearchResult",
                          "Errors", "CategoryHistogram", "ItemSpecifics", "Description",
                          "DistanceFromBuyer", "CategoryGroupIDPath"}) {
      seen[e] += a.Count(std::string("//e:") + e);
    }
    EXPECT_EQ(schema.Check(c.call + "ResponseType", a.ChildNames("/*")[0]), "") << c.call;
    for (const auto& names : a.ChildNames("//e:Item"))
      EXPECT_EQ(schema.Check("SimpleItemType", names), "") << c.call;
    for (const auto& names : a.ChildNames("//e:Seller | //e:HighBidder"))
      EXPECT_EQ(schema.Check("SimpleUserType", names), "");
    for (const auto& names : a.ChildNames("//e:ShippingCostSummary")) {
      EXPECT_EQ(schema.Check("ShippingCostSummaryType", names), "");
    }
    for (const auto& names : a.ChildNames("//e:SearchResult"))
      EXPECT_EQ(schema.Check("SearchResultType", names), "");
    for (const auto& names : a.ChildNames("//e:Errors"))
      EXPECT_EQ(schema.Check("ErrorType", names), "");
    for (const auto& names : a.ChildNames("//e:CategoryHistogram/e:Category")) {
      EXPECT_EQ(schema.Check("CategoryType", names), "");
    }
  }
  for (const auto& [element, count] : seen)
    EXPECT_GT(count, 0) << element;
}

TEST(ShoppingApi, ItemCallsAnswerEveryKnownNumberInOrder) {
  auto ids = SomeItemIds("<MaxEntries>21</MaxEntries>");
  ASSERT_EQ(ids.size(), 21u);
  std::string twenty, all;
  for (size_t i = 0; i < ids.size(); ++i)
    (i < 20 ? twenty : all) += "<ItemID>" + ids[i] + "</ItemID>";
  all = twenty + all;
  for (const char* call : {"GetMultipleItems", "GetItemStatus"}) {
    XmlAnswer ok(Body(Sandbox().Call(call, twenty)));
    EXPECT_EQ(ok.Text("//e:Ack"), "Success") << call;
    EXPECT_EQ(ok.Texts("//e:Item/e:ItemID"),
              std::vector<std::string>(ids.begin(), ids.begin() + 20))
        << call;

    XmlAnswer tooMany(Body(Sandbox().Call(call, all)));
    EXPECT_EQ(tooMany.Text("//e:Ack"), "Failure") << call;
    EXPECT_EQ(tooMany.Text("//e:Errors/e:ErrorParameters/e:Value"), "ItemID") << call;

    // Unknown numbers are left out; when none is known the call fails.
    XmlAnswer mixed(
        Body(Sandbox().Call(call, "<ItemID>999</ItemID><ItemID>" + ids[3] + "</ItemID>")));
    EXPECT_EQ(mixed.Texts("//e:Item/e:ItemID"), std::vector<std::string>{ids[3]}) << call;
    XmlAnswer none(Body(Sandbox().Call(call, "<ItemID>999</ItemID>")));
    EXPECT_EQ(none.Text("//e:Errors/e:ErrorCode"), "10.12") << call;
  }
}

TEST(ShoppingApi, GetSingleItemIncludeSelectorAddsItsParts) {
  // A listing with pictures and specifics, so every part has something to show.
  auto ids = SomeItemIds(
      "<MaxEntries>50</MaxEntries><SearchFlag>Picture</SearchFlag><Condition>Used</Condition>");
  ASSERT_FALSE(ids.empty());
  struct Case {
    std::string selector;
    std::vector<std::string> present, absent;
  } cases[] = {
      {"",
       {"PictureURL", "Location", "Country", "Title"},
       {"Description", "ItemSpecifics", "Seller", "StartTime", "ShippingCostSummary"}},
      {"Description", {"Description"}, {"ItemSpecifics", "Seller"}},
      {"ItemSpecifics", {"ItemSpecifics"}, {"Description", "Seller"}},
      {"Details",
       {"Seller", "StartTime", "PaymentMethods", "CurrentPrice", "Site", "PostalCode"},
       {"Description"}},
      {"shippingcosts", {"ShippingCostSummary"}, {"Description", "Seller"}},
  };
  for (const Case& c : cases) {
    std::string inner = "<ItemID>" + ids[0] + "</ItemID>";
    if (!c.selector.empty()) inner += "<IncludeSelector>" + c.selector + "</IncludeSelector>";
    XmlAnswer a(Body(Sandbox().Call("GetSingleItem", inner)));
    EXPECT_EQ(a.Text("//e:Ack"), "Success");
    for (const auto& e : c.present)
      EXPECT_GT(a.Count("//e:Item/e:" + e), 0) << c.selector << " lacks " << e;
    for (const auto& e : c.absent)
      EXPECT_EQ(a.Count("//e:Item/e:" + e), 0) << c.selector << " has " << e;
  }
  XmlAnswer specifics(Body(Sandbox().Call(
      "GetSingleItem",
      "<ItemID>" + ids[0] + "</ItemID><IncludeSelector>ItemSpecifics</IncludeSelector>")));
  EXPECT_EQ(specifics.Text("//e:NameValueList[e:Name='Condition']/e:Value"), "Gebraucht");
}

TEST(ShoppingApi, GetItemStatusCarriesOnlyWhatChanges) {
  auto ids = SomeItemIds("<MaxEntries>10</MaxEntries><BidCountMin>1</BidCountMin>");
  ASSERT_FALSE(ids.empty());
  XmlAnswer a(Body(Sandbox().Call("GetItemStatus", "<ItemID>" + ids[0] + "</ItemID>")));
  const std::set<std::string> allowed = {
      "ItemID",        "BuyItNowAvailable", "ConvertedBuyItNowPrice", "EndTime",
      "ListingType",   "BidCount",          "ConvertedCurrentPrice",  "HighBidder",
      "ListingStatus", "TimeLeft"};
  auto names = a.ChildNames("//e:Item");
  ASSERT_EQ(names.size(), 1u);
  for (const auto& n : names[0])
    EXPECT_TRUE(allowed.count(n)) << n;
  EXPECT_NE(a.Text("//e:HighBidder/e:UserID"), "");
  EXPECT_EQ(a.Text("//e:ListingStatus"), "Active");
}

TEST(ShoppingApi, FailuresLookLikeEbays) {
  struct Case {
    const char* what;
    std::string call, body, appId;
    int site;
    std::string code, root, parameter;
  } cases[] = {
      {"foreign application id", "GeteBayTime", SandboxProcess::Document("GeteBayTime", ""),
       "SomeoneElse-0000", 77, "1.20", "GeteBayTimeResponse", ""},
      {"unknown call", "GetUserProfile", SandboxProcess::Document("GetUserProfile", ""),
       SandboxProcess::kAppId, 77, "1.21", "GetUserProfileResponse", ""},
      {"malformed", "FindItemsAdvanced",
       "<FindItemsAdvancedRequest xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Query",
       SandboxProcess::kAppId, 77, "1.22", "FindItemsAdvancedResponse", ""},
      {"unknown item", "GetSingleItem",
       SandboxProcess::Document("GetSingleItem", "<ItemID>123456789012</ItemID>"),
       SandboxProcess::kAppId, 77, "10.12", "GetSingleItemResponse", "ItemID"},
      {"bad enumeration", "FindItemsAdvanced",
       SandboxProcess::Document("FindItemsAdvanced", "<ItemSort>Cheapest</ItemSort>"),
       SandboxProcess::kAppId, 77, "1.22", "FindItemsAdvancedResponse", "ItemSort"},
      {"unknown site", "GeteBayTime", SandboxProcess::Document("GeteBayTime", ""),
       SandboxProcess::kAppId, 42, "1.22", "GeteBayTimeResponse", "X-EBAY-API-SITE-ID"},
      {"header and body disagree", "GeteBayTime",
       SandboxProcess::Document("GetItemStatus", "<ItemID>1</ItemID>"), SandboxProcess::kAppId, 77,
       "1.22", "GeteBayTimeResponse", "X-EBAY-API-CALL-NAME"},
  };
  for (const Case& c : cases) {
    httplib::Headers headers = {{"X-EBAY-API-APP-ID", c.appId},
                                {"X-EBAY-API-SITE-ID", std::to_string(c.site)},
                                {"X-EBAY-API-VERSION", "567"},
                                {"X-EBAY-API-CALL-NAME", c.call}};
    auto r = Sandbox().Client().Post("/shopping?", headers, c.body, "text/xml;charset=utf-8");
    ASSERT_TRUE(r) << c.what;
    EXPECT_EQ(r->status, 200) << c.what;
    XmlAnswer a(r->body);
    ASSERT_TRUE(a.Ok()) << c.what;
    EXPECT_EQ(a.RootName(), c.root) << c.what;
    EXPECT_EQ(a.Text("/*/e:Ack"), "Failure") << c.what;
    EXPECT_EQ(a.Text("/*/e:Errors/e:ErrorCode"), c.code) << c.what;
    EXPECT_EQ(a.Text("/*/e:Errors/e:SeverityCode"), "Error") << c.what;
    EXPECT_EQ(a.Text("/*/e:Errors/e:ErrorClassification"), "RequestError") << c.what;
    EXPECT_NE(a.Text("/*/e:Errors/e:ShortMessage"), "") << c.what;
    EXPECT_NE(a.Text("/*/e:Errors/e:LongMessage"), "") << c.what;
    EXPECT_EQ(a.Text("/*/e:Errors/e:ErrorParameters/e:Value"), c.parameter) << c.what;
    EXPECT_EQ(a.Count("/*/e:SearchResult | /*/e:Item"), 0) << c.what;
  }
}

TEST(ShoppingApi, AnswersAreCompressedWhenAsked) {
  const std::string request =
      SandboxProcess::Document("FindItemsAdvanced", "<MaxEntries>50</MaxEntries>");
  httplib::Headers base = {{"X-EBAY-API-APP-ID", SandboxProcess::kAppId},
                           {"X-EBAY-API-SITE-ID", "77"}};
  auto plain = Sandbox().Client().Post("/shopping?", base, request, "text/xml");
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->has_header("Content-Encoding"));
  struct Case {
    const char* accept;
    const char* encoding;
    int windowBits;
  } cases[] = {{"gzip", "gzip", 31},
               {"deflate", "deflate", 15},
               {"gzip;q=0, deflate", "deflate", 15},
               {"br, gzip", "gzip", 31},
               {"identity", "", 0}};
  for (const Case& c : cases) {
    httplib::Headers headers = base;
    headers.emplace("Accept-Encoding", c.accept);
    auto r = Sandbox().Client().Post("/shopping?", headers, request, "text/xml");
    ASSERT_TRUE(r) << c.accept;
    EXPECT_EQ(r->get_header_value("Content-Encoding"), c.encoding) << c.accept;
    EXPECT_EQ(std::stoul(r->get_header_value("Content-Length")), r->body.size());
    if (c.windowBits == 0) {
      EXPECT_EQ(r->body, plain->body);
      continue;
    }
    EXPECT_LT(r->body.size(), plain->body.size() / 3) << c.accept;
    bool complete = false;
    EXPECT_EQ(Inflate(r->body, c.windowBits, &complete), plain->body) << c.accept;
    EXPECT_TRUE(complete) << c.accept;
  }
}

TEST(ShoppingApi, ConvertedPricesAreInTheRequestedSitesCurrency) {
  auto ids = SomeItemIds("<MaxEntries>1</MaxEntries>");
  ASSERT_EQ(ids.size(), 1u);
  std::string inner = "<ItemID>" + ids[0] + "</ItemID><IncludeSelector>Details</IncludeSelector>";
  XmlAnswer german(Body(Sandbox().Call("GetSingleItem", inner, 77)));
  XmlAnswer american(Body(Sandbox().Call("GetSingleItem", inner, 0)));
  XmlAnswer swiss(Body(Sandbox().Call("GetSingleItem", inner, 193)));
  EXPECT_EQ(german.Text("//e:ConvertedCurrentPrice/@currencyID"), "EUR");
  EXPECT_EQ(american.Text("//e:ConvertedCurrentPrice/@currencyID"), "USD");
  EXPECT_EQ(swiss.Text("//e:ConvertedCurrentPrice/@currencyID"), "CHF");
  // The listing's own price stays in its site's currency.
  EXPECT_EQ(american.Text("//e:CurrentPrice/@currencyID"), "EUR");
  EXPECT_EQ(american.Text("//e:CurrentPrice"), german.Text("//e:CurrentPrice"));
  EXPECT_NE(american.Text("//e:ConvertedCurrentPrice"), german.Text("//e:ConvertedCurrentPrice"));
}

TEST(ShoppingApi, ListingsAreWrittenInTheSitesLanguage) {
  struct Case {
    int site;
    const char* currency;
    std::set<std::string> conditions;
    const char* brandName;
  } cases[] = {{77, "EUR", {"Neu", "Gebraucht"}, "Marke"},
               {0, "USD", {"New", "Used"}, "Brand"},
               {71, "EUR", {"New", "Used"}, "Marque"},
               {3, "GBP", {"New", "Used"}, "Brand"}};
  for (const Case& c : cases) {
    XmlAnswer a(Body(Sandbox().Call(
        "FindItemsAdvanced",
        "<MaxEntries>200</MaxEntries><IncludeSelector>Details,ItemSpecifics</IncludeSelector>",
        c.site)));
    std::set<std::string> conditions;
    for (const auto& v : a.Texts("//e:NameValueList[e:Name='Condition']/e:Value"))
      conditions.insert(v);
    EXPECT_EQ(conditions, c.conditions) << c.site;
    EXPECT_GT(a.Count(std::string("//e:NameValueList[e:Name='") + c.brandName + "']"), 0) << c.site;
    for (const auto& cur : a.Texts("//@currencyID"))
      ASSERT_EQ(cur, c.currency) << c.site;
    // Pictures at the sandbox's own address: some listings have none, a few
    // addresses carry a query and an upper-case extension.
    auto pictures = a.Texts("//e:PictureURL");
    EXPECT_GT(pictures.size(), 200u);
    for (const auto& p : pictures)
      EXPECT_EQ(p.rfind(Sandbox().Address() + "pics/", 0), 0u) << p;
    EXPECT_LT(a.Count("//e:Item[e:PictureURL]"), 200);
    bool upperWithQuery = false;
    for (const auto& p : pictures)
      upperWithQuery |= p.find(".JPG?") != std::string::npos;
    EXPECT_TRUE(upperWithQuery) << c.site;
  }
}

}  // namespace
