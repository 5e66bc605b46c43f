// FindItemsAdvanced against a frozen 400-listing catalogue: every filter,
// sorting, paging and keyword forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "sandbox/SandboxProcess.h"
#include "sandbox/XmlAnswer.h"

namespace {

constexpr int kListings = 400;  // per site, all running at the frozen moment

const char* kAll = "<IncludeSelector>Details,SellerInfo,ItemSpecifics</IncludeSelector>";

std::unique_ptr<XmlAnswer> Find(const std::string& inner, int site = 77) {
  auto r = SandboxProcess::Frozen().Call("FindItemsAdvanced", inner, site);
  return std::make_unique<XmlAnswer>(r ? r->body : std::string());
}

std::string Field(const XmlAnswer& a, int i, const std::string& path) {
  return a.Text("(//e:Item)[" + std::to_string(i) + "]/" + path);
}

double Number(const std::string& s) {
  return s.empty() ? -1 : std::stod(s);
}

std::string Lower(std::string s) {
  for (char& c : s)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

int Total(const XmlAnswer& a) {
  return std::stoi("0" + a.Text("/*/e:TotalItems"));
}

TEST(FindItems, ARequestWithoutKeywordsCategoryOrSellerMatchesTheWholeSite) {
  for (int site : {77, 0, 223}) {
    auto a = Find("", site);
    EXPECT_EQ(a->Text("/*/e:Ack"), "Success");
    EXPECT_EQ(Total(*a), kListings) << site;
    EXPECT_EQ(a->Count("//e:Item"), 20) << site;  // eBay's default page size
  }
}

TEST(FindItems, PagesAddUpToTheTotals) {
  std::set<std::string> seen;
  int pages = 0;
  for (int page = 1;; ++page) {
    auto a =
        Find("<PageNumber>" + std::to_string(page) + "</PageNumber><MaxEntries>30</MaxEntries>");
    EXPECT_EQ(Total(*a), kListings);
    EXPECT_EQ(a->Text("/*/e:TotalPages"), "14");
    EXPECT_EQ(a->Text("/*/e:PageNumber"), std::to_string(page));
    if (a->Count("/*/e:SearchResult") == 0) {
      EXPECT_EQ(page, 15);  // one past the last page: totals, but no result
      break;
    }
    pages = page;
    EXPECT_EQ(a->Count("//e:Item"), page < 14 ? 30 : kListings - 13 * 30);
    for (const auto& id : a->Texts("//e:Item/e:ItemID"))
      EXPECT_TRUE(seen.insert(id).second) << id;
  }
  EXPECT_EQ(pages, 14);
  EXPECT_EQ(seen.size(), static_cast<size_t>(kListings));
}

TEST(FindItems, PageNumberAndMaxEntriesMustBeInRange) {
  for (const char* inner : {"<MaxEntries>0</MaxEntries>", "<MaxEntries>201</MaxEntries>",
                            "<MaxEntries>ten</MaxEntries>", "<PageNumber>0</PageNumber>",
                            "<PageNumber>-3</PageNumber>"}) {
    auto a = Find(inner);
    EXPECT_EQ(a->Text("/*/e:Ack"), "Failure") << inner;
    EXPECT_EQ(a->Text("//e:ErrorCode"), "1.22") << inner;
  }
  EXPECT_EQ(Find("<MaxEntries>200</MaxEntries>")->Count("//e:Item"), 200);
}

TEST(FindItems, NothingMatchingMeansNoSearchResult) {
  auto a = Find("<QueryKeywords>xyzzyplugh</QueryKeywords>");
  EXPECT_EQ(a->Text("/*/e:Ack"), "Success");
  EXPECT_EQ(a->Count("/*/e:SearchResult"), 0);
  EXPECT_EQ(a->Text("/*/e:TotalItems"), "0");
  EXPECT_EQ(a->Text("/*/e:TotalPages"), "0");
}

// Every listing of the answer must satisfy the filter, and the filter must
// actually leave some listings out.
TEST(FindItems, EveryFilterHoldsForEveryListing) {
  auto first = Find(
      std::string("<MaxEntries>1</MaxEntries><SellerBusinessType>Private</SellerBusinessType>") +
      kAll);
  const std::string seller = Field(*first, 1, "e:Seller/e:UserID");
  ASSERT_FALSE(seller.empty());
  using Check = std::function<bool(const XmlAnswer&, int)>;
  struct Case {
    std::string inner;
    Check holds;
  } cases[] = {
      {"<QueryKeywords>Canon</QueryKeywords>",
       [](const XmlAnswer& a, int i) {
         return Lower(Field(a, i, "e:Title")).find("canon") != std::string::npos;
       }},
      {"<QueryKeywords>canon EOS</QueryKeywords>",
       [](const XmlAnswer& a, int i) {
         std::string t = Lower(Field(a, i, "e:Title"));
         return t.find("canon") != std::string::npos && t.find("eos") != std::string::npos;
       }},
      {"<CategoryID>625</CategoryID>",  // a top-level category: its sub-categories count
       [](const XmlAnswer& a, int i) {
         std::string c = Field(a, i, "e:PrimaryCategoryID");
         return c == "31388" || c == "3323";
       }},
      {"<CategoryID>31388</CategoryID>",
       [](const XmlAnswer& a, int i) { return Field(a, i, "e:PrimaryCategoryID") == "31388"; }},
      {"<PriceMin>10</PriceMin><PriceMax>50</PriceMax>",
       [](const XmlAnswer& a, int i) {
         double p = Number(Field(a, i, "e:ConvertedCurrentPrice"));
         return p >= 10 && p <= 50;
       }},
      {"<ItemType>AuctionItemsOnly</ItemType>",
       [](const XmlAnswer& a, int i) { return Field(a, i, "e:ListingType") == "Chinese"; }},
      {"<ItemType>FixedPriceExcludeStoreInventory</ItemType>",
       [](const XmlAnswer& a, int i) { return Field(a, i, "e:ListingType") == "FixedPriceItem"; }},
      {"<ItemType>StoreInventoryOnly</ItemType>",
       [](const XmlAnswer& a, int i) {
         return Field(a, i, "e:ListingType") == "StoresFixedPrice";
       }},
      {"<ItemType>AllFixedPriceItemTypes</ItemType>",
       [](const XmlAnswer& a, int i) { return Field(a, i, "e:ListingType") != "Chinese"; }},
      {"<Condition>New</Condition>",
       [](const XmlAnswer& a, int i) {
         return Field(a, i, "e:ItemSpecifics/e:NameValueList[e:Name='Condition']/e:Value") == "Neu";
       }},
      {"<Condition>Used</Condition>",
       [](const XmlAnswer& a, int i) {
         return Field(a, i, "e:ItemSpecifics/e:NameValueList[e:Name='Condition']/e:Value") ==
                "Gebraucht";
       }},
      {"<SellerBusinessType>Commercial</SellerBusinessType>",
       [](const XmlAnswer& a, int i) {
         return Field(a, i, "e:Seller/e:SellerBusinessType") == "Commercial";
       }},
      {"<SellerID>" + seller + "</SellerID>",
       [seller](const XmlAnswer& a, int i) { return Field(a, i, "e:Seller/e:UserID") == seller; }},
      {"<PostalCode>10115</PostalCode><MaxDistance>300</MaxDistance>",
       [](const XmlAnswer& a, int i) {
         return Number(Field(a, i, "e:DistanceFromBuyer")) <= 300 &&
                Field(a, i, "e:DistanceFromBuyer/@unit") == "km";
       }},
      {"<ItemsLocatedIn>AT</ItemsLocatedIn>",
       [](const XmlAnswer& a, int i) { return Field(a, i, "e:Country") == "AT"; }},
      {"<ItemsAvailableTo>US</ItemsAvailableTo>",
       [](const XmlAnswer& a, int i) { return Field(a, i, "e:ShipToLocations") == "Worldwide"; }},
      {"<ItemsAvailableTo>FR</ItemsAvailableTo>",
       [](const XmlAnswer& a, int i) { return Field(a, i, "e:ShipToLocations") != "DE"; }},
      {"<SearchFlag>FreeShipping</SearchFlag>",
       [](const XmlAnswer& a, int i) {
         return Field(a, i, "e:ShippingCostSummary/e:ShippingType") == "Free";
       }},
      {"<SearchFlag>Picture</SearchFlag><SearchFlag>Gallery</SearchFlag>",
       [](const XmlAnswer& a, int i) {
         return !Field(a, i, "e:PictureURL").empty() && !Field(a, i, "e:GalleryURL").empty();
       }},
      {"<BidCountMin>5</BidCountMin><BidCountMax>50</BidCountMax>",
       [](const XmlAnswer& a, int i) {
         double b = Number(Field(a, i, "e:BidCount"));
         return b >= 5 && b <= 50;
       }},
  };
  for (const Case& c : cases) {
    auto a = Find("<MaxEntries>200</MaxEntries>" + c.inner + kAll);
    ASSERT_EQ(a->Text("/*/e:Ack"), "Success") << c.inner;
    int n = a->Count("//e:Item");
    EXPECT_GT(n, 0) << c.inner;
    EXPECT_LT(Total(*a), kListings) << c.inner;
    for (int i = 1; i <= n; ++i) {
      if (!c.holds(*a, i)) {
        ADD_FAILURE() << c.inner << ": " << Field(*a, i, "e:ItemID") << " "
                      << Field(*a, i, "e:Title");
        break;
      }
    }
  }
}

TEST(FindItems, UnknownValuesAreRefusedWithTheirElement) {
  for (const char* element :
       {"ItemType", "Condition", "SellerBusinessType", "SearchFlag", "SortOrder", "ItemSort"}) {
    auto a = Find(std::string("<") + element + ">Nonsense</" + element + ">");
    EXPECT_EQ(a->Text("//e:Errors/e:ErrorParameters/e:Value"), element);
  }
  // A postal code nobody knows, and a radius without one.
  EXPECT_EQ(Find("<PostalCode>ZZ</PostalCode>")->Text("//e:ErrorParameters/e:Value"), "PostalCode");
  EXPECT_EQ(Find("<MaxDistance>20</MaxDistance>")->Text("//e:ErrorParameters/e:Value"),
            "PostalCode");
  EXPECT_EQ(Find("<PriceMin>cheap</PriceMin>")->Text("//e:ErrorParameters/e:Value"), "PriceMin");
}

TEST(FindItems, DescriptionSearchAlsoLooksInDescriptions) {
  // A word of the German descriptions that no title carries.
  auto titles = Find("<QueryKeywords>Zahlungseingang</QueryKeywords>");
  auto descriptions = Find(
      "<QueryKeywords>Zahlungseingang</QueryKeywords><DescriptionSearch>true</DescriptionSearch>");
  EXPECT_EQ(Total(*titles), 0);
  EXPECT_EQ(Total(*descriptions), kListings);
}

TEST(FindItems, KeywordOperators) {
  int canon = Total(*Find("<QueryKeywords>canon</QueryKeywords>"));
  int nikon = Total(*Find("<QueryKeywords>NIKON</QueryKeywords>"));
  ASSERT_GT(canon, 0);
  ASSERT_GT(nikon, 0);
  EXPECT_EQ(Total(*Find("<QueryKeywords>(canon,nikon)</QueryKeywords>")), canon + nikon);
  EXPECT_GE(Total(*Find("<QueryKeywords>cano*</QueryKeywords>")), canon);
  auto without = Find("<MaxEntries>200</MaxEntries><QueryKeywords>canon -eos</QueryKeywords>");
  EXPECT_LT(Total(*without), canon);
  for (const auto& t : without->Texts("//e:Title"))
    EXPECT_EQ(Lower(t).find("eos"), std::string::npos) << t;
}

TEST(FindItems, SortOrdersHold) {
  struct Case {
    std::string sort, order, field;
    bool numeric;
  } cases[] = {
      {"CurrentBid", "Ascending", "e:ConvertedCurrentPrice", true},
      {"CurrentBid", "Descending", "e:ConvertedCurrentPrice", true},
      {"EndTime", "Ascending", "e:EndTime", false},
      {"StartDate", "Descending", "e:StartTime", false},
      {"BidCount", "Descending", "e:BidCount", true},
      {"Distance", "Ascending", "e:DistanceFromBuyer", true},
      {"Country", "Ascending", "e:Country", false},
  };
  for (const Case& c : cases) {
    auto a =
        Find("<ItemSort>" + c.sort + "</ItemSort><SortOrder>" + c.order +
             "</SortOrder><PostalCode>80331</PostalCode>" + "<MaxEntries>100</MaxEntries>" + kAll);
    auto values = a->Texts("//e:Item/" + c.field);
    ASSERT_EQ(values.size(), 100u) << c.sort;
    for (size_t i = 1; i < values.size(); ++i) {
      bool inOrder =
          c.numeric
              ? (c.order == "Ascending" ? Number(values[i - 1]) <= Number(values[i])
                                        : Number(values[i - 1]) >= Number(values[i]))
              : (c.order == "Ascending" ? values[i - 1] <= values[i] : values[i - 1] >= values[i]);
      ASSERT_TRUE(inOrder) << c.sort << " " << c.order << ": " << values[i - 1] << " then "
                           << values[i];
    }
  }
  // Price plus shipping: the sum is what is sorted.
  auto a = Find(std::string("<ItemSort>PricePlusShipping</ItemSort><MaxEntries>100</MaxEntries>") +
                kAll);
  double previous = -1;
  for (int i = 1; i <= 100; ++i) {
    double total =
        Number(Field(*a, i, "e:ConvertedCurrentPrice")) +
        std::max(0.0, Number(Field(*a, i, "e:ShippingCostSummary/e:ShippingServiceCost")));
    EXPECT_GE(total + 1e-9, previous);
    previous = total;
  }
}

TEST(FindItems, BestMatchCategoryGroupAnswersOneResultPerCategory) {
  auto a = Find("<ItemSort>BestMatchCategoryGroup</ItemSort><MaxEntries>50</MaxEntries>");
  int groups = a->Count("/*/e:SearchResult");
  EXPECT_GT(groups, 1);
  int items = 0;
  for (int g = 1; g <= groups; ++g) {
    std::string group = "(/*/e:SearchResult)[" + std::to_string(g) + "]";
    EXPECT_NE(a->Text(group + "/e:CategoryGroupNamePath"), "");
    int n = a->Count(group + "/e:ItemArray/e:Item");
    EXPECT_GT(n, 0);
    EXPECT_GE(std::stoi(a->Text(group + "/e:CategoryGroupItemCount")), n);
    items += n;
  }
  EXPECT_EQ(items, 50);
}

}  // namespace
