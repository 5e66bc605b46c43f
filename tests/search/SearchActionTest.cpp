#include "core/search/SearchAction.h"

#include <gtest/gtest.h>

#include <QHash>
#include <functional>

#include "core/app/AppCore.h"
#include "core/app/Clock.h"
#include "core/app/LanguageTable.h"
#include "core/search/CategoryLookup.h"
#include "core/shopping/AdvancedSearchRequest.h"
#include "core/shopping/SellerSearchRequest.h"

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(14, 7, 9));

// A small category tree of the German site: Leica below Analogkameras below
// Foto & Camcorder.
class TFakeCategoryTree : public TCategoryLookup {
 public:
  QList<TPathEntry> CategoryPath(int siteID, const QByteArray& categoryID) const override {
    if (siteID != 77) return {};
    if (categoryID == "15230")
      return {{"625", QStringLiteral("Foto & Camcorder")},
              {"15229", QStringLiteral("Analogkameras")},
              {"15230", QStringLiteral("Leica")}};
    if (categoryID == "625") return {{"625", QStringLiteral("Foto & Camcorder")}};
    return {};
  }
};

class SearchActionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LanguageTable().LoadFile(QStringLiteral(QUARN_SOURCE_DIR "/data/common/Lang.ini"),
                             QStringLiteral("Deutsch"));
    AppCore().Version = TVersionInfo::Current();
    QuarnClock::SetLocalSource([] { return kNow; });
    TCategoryLookup::SetCurrent(&Tree);
    TSearchAction::SetCountryNameLookup([](const QByteArray& code) {
      return code == "DE" ? QStringLiteral("Deutschland") : QString();
    });
  }
  void TearDown() override {
    QuarnClock::SetLocalSource(nullptr);
    TCategoryLookup::SetCurrent(nullptr);
    TSearchAction::SetCountryNameLookup(nullptr);
  }

  TFakeCategoryTree Tree;
};

QString Text(const TSearchAction& action, const char* path) {
  return action.Root().SelectSingleNode(path).Text();
}

TEST_F(SearchActionTest, NewActionIsUndefinedMadeNowAndRunOnce) {
  TSearchAction action;
  EXPECT_EQ(action.Root().NodeName(), "Action");
  EXPECT_EQ(action.RequestType(), "Undefined");
  EXPECT_EQ(action.Root().SelectSingleNode("./Data").Attribute("Version"),
            AppCore().Version.VersionString);
  EXPECT_FALSE(AppCore().Version.VersionString.isEmpty());
  EXPECT_EQ(Text(action, "./Info/Created"), "2024-03-05 14:07:09");
  EXPECT_EQ(Text(action, "./Info/LastCall"), "2024-03-05 14:07:09");
  EXPECT_EQ(action.CallsCount(), 1);
  EXPECT_FALSE(action.IsSearchRequest());
  EXPECT_EQ(action.CreateRequest(), nullptr);
  EXPECT_EQ(action.SearchTypeCode(), 0);
  EXPECT_EQ(action.Caption(), "");

  // Texts that are empty, broken or of another root give the same new action.
  for (const char* text : {"", "<Action><Data>", "plain words", "<Other/>"}) {
    TSearchAction parsed{QString::fromLatin1(text)};
    EXPECT_EQ(parsed.Xml(), action.Xml()) << text;
  }
  // Midnight leaves the time out.
  EXPECT_EQ(TSearchAction::DateTimeText(QDateTime(QDate(2024, 3, 5), QTime(0, 0))), "2024-03-05");
}

TEST_F(SearchActionTest, MissingPartsAreCreatedAndTheCountReadsLeniently) {
  TSearchAction action(
      QStringLiteral("<Action><Info><CallsCount>zwei</CallsCount></Info></Action>"));
  EXPECT_TRUE(action.Root().SelectSingleNode("./Data"));
  EXPECT_EQ(action.CallsCount(), 0);
  // Data without a Type stays without one.
  action.SetRequestType(QStringLiteral("TSellerSearchRequest"));
  EXPECT_FALSE(action.Root().SelectSingleNode("./Data").HasAttribute("Type"));

  QuarnClock::SetLocalSource([] { return QDateTime(QDate(2024, 4, 1), QTime(0, 0)); });
  action.RegisterCall();
  EXPECT_EQ(action.CallsCount(), 1);
  EXPECT_EQ(Text(action, "./Info/LastCall"), "2024-04-01");
  action.RegisterCall();
  EXPECT_EQ(action.CallsCount(), 2);
  EXPECT_EQ(action.Root().SelectNodes("./Info/LastCall").size(), 1u);
}

TEST_F(SearchActionTest, FingerprintDigestsTheTextsOfDataDepthFirst) {
  TSearchAction example(QStringLiteral(
      "<Action><Data Type=\"Attributes\"><SiteID>77</SiteID><CategoryID>12</CategoryID></Data>"
      "</Action>"));
  EXPECT_EQ(example.FingerprintText(), "SiteID=77;CategoryID=12;");
  EXPECT_EQ(example.Fingerprint(), "0c30397d8f678384a6a53782c015bb2c");

  // Attributes and empty elements take no part, a blank value does, CDATA
  // counts like text, children follow their parent, and only the first text
  // of an element is taken.
  TSearchAction nested(QStringLiteral(
      "<Action><Data Type=\"X\"><SiteID Kind=\"a\">3</SiteID><CategoryID/>"
      "<QueryKeywords> </QueryKeywords><Note><![CDATA[a<b]]></Note>"
      "<SearchFlags><SearchFlag>Gallery</SearchFlag><SearchFlag>Lot</SearchFlag></SearchFlags>"
      "<Mixed>x<Part>y</Part>z</Mixed></Data></Action>"));
  EXPECT_EQ(nested.FingerprintText(),
            "SiteID=3;QueryKeywords= ;Note=a<b;SearchFlag=Gallery;SearchFlag=Lot;Mixed=x;Part=y;");
}

TEST_F(SearchActionTest, FingerprintIgnoresTypeVersionTimesCountsAndCaption) {
  const QString data = QStringLiteral("<SiteID>77</SiteID><CategoryID>15230</CategoryID>");
  TSearchAction category(QStringLiteral("<Action><Data Type=\"TCategorySearchRequest\">") + data +
                         QStringLiteral("</Data></Action>"));
  TSearchAction keyword(
      QStringLiteral("<Action><Data Type=\"TAdvancedSearchRequest\" Version=\"1.0\">") + data +
      QStringLiteral("</Data></Action>"));
  const QString fingerprint = category.Fingerprint();
  EXPECT_EQ(keyword.Fingerprint(), fingerprint);

  keyword.SetCustomCaption(QStringLiteral("Meine Leicas"));
  keyword.RegisterCall();
  keyword.SetLastCall(kNow.addDays(3));
  EXPECT_EQ(keyword.Fingerprint(), fingerprint);

  TSellerSearchRequest seller;
  seller.SiteID = 77;
  seller.SellerID = QStringLiteral("15230");
  EXPECT_NE(TSearchAction(seller).Fingerprint(), fingerprint);
}

TEST_F(SearchActionTest, RequestsRoundTripThroughTheAction) {
  TAdvancedSearchRequest request;
  request.SiteID = 77;
  request.CategoryID = "15230";
  request.QueryKeywords = QStringLiteral("leica <m6> & \"summicron\"");
  request.PriceMin = 105000;
  request.ItemType = TItemType::AuctionItemsOnly;
  request.IncludeSearchFlag(TSearchFlag::Gallery);

  const TSearchAction action(request);
  EXPECT_EQ(action.RequestType(), "TAdvancedSearchRequest");
  EXPECT_EQ(action.Root().SelectSingleNode("./Data").Attribute("Version"),
            AppCore().Version.VersionString);
  EXPECT_TRUE(action.IsSearchRequest());
  EXPECT_EQ(action.SearchTypeCode(), 2);
  EXPECT_EQ(action.CallsCount(), 1);

  const std::unique_ptr<TBaseSearchRequest> created = action.CreateRequest();
  const auto* copy = dynamic_cast<const TAdvancedSearchRequest*>(created.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->SiteID, 77);
  EXPECT_EQ(copy->CategoryID, "15230");
  EXPECT_EQ(copy->QueryKeywords, request.QueryKeywords);
  EXPECT_EQ(copy->PriceMin, 105000);
  EXPECT_EQ(copy->ItemType, TItemType::AuctionItemsOnly);
  EXPECT_EQ(copy->SearchFlags, request.SearchFlags);

  // Another request replaces the parameters in place; Info stays.
  TSearchAction changed;
  changed.SetCustomCaption(QStringLiteral("x"));
  changed.SetRequest(request);
  TSellerSearchRequest seller;
  seller.SiteID = 3;
  seller.SellerID = QStringLiteral("camera-corner");
  changed.SetRequest(seller);
  EXPECT_EQ(changed.RequestType(), "TSellerSearchRequest");
  EXPECT_EQ(changed.Root().SelectNodes("./Data").size(), 1u);
  EXPECT_EQ(changed.Root().FirstChildElement().NodeName(), "Data");
  EXPECT_EQ(changed.CustomCaption(), "x");
  EXPECT_EQ(changed.SearchTypeCode(), 3);
}

TEST_F(SearchActionTest, SearchTypeCodesFollowTheType) {
  const std::pair<const char*, int> cases[] = {
      {"TCategorySearchRequest", 1}, {"TAdvancedSearchRequest", 2},
      {"TSellerSearchRequest", 3},   {"Attributes", 7},
      {"TBaseSearchRequest", 0},     {"Undefined", 0},
      {"tcategorysearchrequest", 0}};
  for (const auto& [type, code] : cases) {
    TSearchAction action;
    action.SetRequestType(QString::fromLatin1(type));
    EXPECT_EQ(action.SearchTypeCode(), code) << type;
  }
}

TEST_F(SearchActionTest, AttributeSearchesKeepTheirPairsAndShowOnlyTheCustomCaption) {
  const TSearchAction::TPairs pairs = {
      {QStringLiteral("SiteID"), QStringLiteral("77")},
      {QStringLiteral("AttributeSearchURL"), QStringLiteral("http://search/?a=1&b=<2>")},
      {QStringLiteral("not a name"), QStringLiteral("left out")}};
  TSearchAction action(QStringLiteral("Attributes"), pairs);
  EXPECT_EQ(action.RequestType(), "Attributes");
  EXPECT_EQ(action.SearchTypeCode(), 7);
  EXPECT_FALSE(action.IsSearchRequest());
  EXPECT_EQ(action.CreateRequest(), nullptr);
  EXPECT_EQ(action.FingerprintText(), "SiteID=77;AttributeSearchURL=http://search/?a=1&b=<2>;");
  EXPECT_EQ(action.Caption(), "");
  action.SetCustomCaption(QStringLiteral("Analoge Kameras"));
  EXPECT_EQ(action.Caption(), "Analoge Kameras");

  // New pairs replace the old ones completely.
  action.SetPairs({{QStringLiteral("SiteID"), QStringLiteral("3")}});
  EXPECT_EQ(action.FingerprintText(), "SiteID=3;");
}

struct TCaptionCase {
  const char* Name;
  std::function<std::unique_ptr<TBaseSearchRequest>()> Request;
  const char* CustomCaption;
  QString Expected;
};

std::unique_ptr<TBaseSearchRequest> Keyword(
    const std::function<void(TAdvancedSearchRequest&)>& fill = nullptr) {
  auto request = std::make_unique<TAdvancedSearchRequest>();
  request->SiteID = 77;
  request->QueryKeywords = QStringLiteral("leica");
  if (fill) fill(*request);
  return request;
}

std::unique_ptr<TBaseSearchRequest> Category(const char* id) {
  auto request = std::make_unique<TCategorySearchRequest>();
  request->SiteID = 77;
  request->CategoryID = id;
  request->Condition = TItemCondition::New;  // shown for keyword searches only
  return request;
}

TEST_F(SearchActionTest, CaptionsShowTheSearchAndItsConditions) {
  const TCaptionCase cases[] = {
      {"query alone", [] { return Keyword(); }, "", QStringLiteral("leica")},
      {"minimum price, blanks doubled",
       [] { return Keyword([](auto& r) { r.PriceMin = 100000; }); }, "",
       QStringLiteral("leica [ Preis:ab  10  € ]")},
      {"both limits zero", [] { return Keyword([](auto& r) { r.PriceMin = r.PriceMax = 0; }); }, "",
       QStringLiteral("leica")},
      {"both limits, whole numbers, pound site",
       [] {
         return Keyword([](auto& r) {
           r.SiteID = 3;
           r.PriceMin = 109900;
           r.PriceMax = 2500000;
         });
       },
       "", QStringLiteral("leica [ Preis:ab  10  bis  250  £ ]")},
      {"maximum only", [] { return Keyword([](auto& r) { r.PriceMax = 2500000; }); }, "",
       QStringLiteral("leica [ Preis:bis  250  € ]")},
      {"condition alone is written unchanged",
       [] { return Keyword([](auto& r) { r.Condition = TItemCondition::New; }); }, "",
       QStringLiteral("leica [Zustand:Neu]")},
      {"conditions joined by commas in order",
       [] {
         return Keyword([](auto& r) {
           r.SellerBusinessType = TSellerBusinessType::Commercial;
           r.Condition = TItemCondition::Used;
           r.PriceMin = 100000;
         });
       },
       "", QStringLiteral("leica [ Preis:ab  10  € ,Zustand:Gebraucht,Verkäufertyp:Gewerblich]")},
      {"item types",
       [] { return Keyword([](auto& r) { r.ItemType = TItemType::AuctionItemsOnly; }); }, "",
       QStringLiteral("leica [ Angebotsformat:Nur  Auktionen ]")},
      {"other item types name only the field",
       [] { return Keyword([](auto& r) { r.ItemType = TItemType::AllItems; }); }, "",
       QStringLiteral("leica [Angebotsformat:]")},
      {"private sellers",
       [] { return Keyword([](auto& r) { r.SellerBusinessType = TSellerBusinessType::Private; }); },
       "", QStringLiteral("leica [Verkäufertyp:Privat]")},
      {"postal code and radius",
       [] {
         return Keyword([](auto& r) {
           r.PostalCode = "10115";
           r.MaxDistance = 25;
         });
       },
       "", QStringLiteral("leica [ Entfernung(PLZ:10115,  Umkreis  (km):25) ]")},
      {"countries by name",
       [] {
         return Keyword([](auto& r) {
           r.ItemsAvailableTo = "DE";
           r.ItemsLocatedIn = "XX";
         });
       },
       "", QStringLiteral("leica [ Lieferbar  nach  \"Deutschland\" , Artikelstandort  \"\" ]")},
      {"query in a category: leaf first, two levels",
       [] { return Keyword([](auto& r) { r.CategoryID = "15230"; }); }, "",
       QStringLiteral("\"leica\" in Leica < Analogkameras")},
      {"category search", [] { return Category("15230"); }, "",
       QStringLiteral("Leica < Analogkameras")},
      {"top-level category", [] { return Category("625"); }, "",
       QStringLiteral("Foto & Camcorder")},
      {"category not in the tree", [] { return Category("99999"); }, "", QString()},
      {"category not in the tree, custom caption", [] { return Category("99999"); }, "Meine",
       QStringLiteral("Meine")},
      {"custom caption heads the built one",
       [] { return Keyword([](auto& r) { r.Condition = TItemCondition::New; }); }, "Meine",
       QStringLiteral("Meine(leica [Zustand:Neu])")},
      {"conditions without a main text show nothing",
       [] {
         return Keyword([](auto& r) {
           r.QueryKeywords.clear();
           r.PriceMin = 100000;
         });
       },
       "", QString()},
      {"seller search",
       [] {
         auto r = std::make_unique<TSellerSearchRequest>();
         r->SiteID = 77;
         r->SellerID = QStringLiteral("fotohaus-berlin");
         return std::unique_ptr<TBaseSearchRequest>(std::move(r));
       },
       "", QStringLiteral("fotohaus-berlin")},
      {"plain base search", [] { return std::make_unique<TBaseSearchRequest>(); }, "", QString()},
  };
  for (const TCaptionCase& c : cases) {
    TSearchAction action(*c.Request());
    action.SetCustomCaption(QString::fromUtf8(c.CustomCaption));
    EXPECT_EQ(action.Caption(), c.Expected) << c.Name;
  }
}

TEST_F(SearchActionTest, CaptionsWithoutLookupsOrWithDamagedDataDoNotFail) {
  TCategoryLookup::SetCurrent(nullptr);
  TSearchAction::SetCountryNameLookup(nullptr);
  EXPECT_EQ(TSearchAction(*Category("15230")).Caption(), "");
  EXPECT_EQ(TSearchAction(*Keyword([](auto& r) { r.ItemsAvailableTo = "DE"; })).Caption(),
            "leica [ Lieferbar  nach  \"\" ]");

  // A stored SiteID that is no number: the request cannot be made, the
  // caption falls back to the custom caption.
  TSearchAction damaged(QStringLiteral(
      "<Action><Data Type=\"TAdvancedSearchRequest\"><SiteID>abc</SiteID>"
      "<QueryKeywords>leica</QueryKeywords></Data><Info><CustomCaption>Alt</CustomCaption></Info>"
      "</Action>"));
  EXPECT_THROW(damaged.CreateRequest(), EShopping);
  EXPECT_EQ(damaged.Caption(), "Alt");
}

TEST_F(SearchActionTest, AssignAndCloneMakeSeparateCopies) {
  TSearchAction original(*Keyword());
  original.SetCustomCaption(QStringLiteral("a"));
  const std::unique_ptr<TSearchAction> clone = original.Clone();
  TSearchAction assigned;
  assigned.Assign(original);
  assigned.Assign(assigned);
  original.SetCustomCaption(QStringLiteral("b"));
  EXPECT_EQ(clone->Xml(), assigned.Xml());
  EXPECT_EQ(clone->CustomCaption(), "a");
  EXPECT_EQ(clone->Fingerprint(), original.Fingerprint());
}

}  // namespace
