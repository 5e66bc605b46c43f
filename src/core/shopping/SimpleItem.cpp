#include "core/shopping/SimpleItem.h"

#include <QSet>
#include <cmath>

#include "core/shopping/EShopping.h"
#include "core/shopping/ISODateTime.h"
#include "core/shopping/ItemElementReader.h"
#include "core/shopping/ShoppingEnumTypeConverter.h"
#include "core/shopping/SimpleItemList.h"
#include "core/shopping/SiteList.h"

namespace {

// A price pair: the site's own amount, then eBay's converted one, each
// replacing the value only when it is a readable number. The currency of the
// first converted amount that names one becomes the listing's currency.
void ReadPrice(const TItemElementReader& reader, TItemField plain, TItemField converted,
               TMoney& price, TCurrencyCode& currency) {
  if (const TXMLNode n = reader.First(plain)) Money::TryParse(n.Text(), price);
  if (const TXMLNode n = reader.First(converted)) {
    Money::TryParse(n.Text(), price);
    if (currency == TCurrencyCode::NotSet)
      currency = TShoppingEnumTypeConverter::FromText<TCurrencyCode>(n.Attribute("currencyID"));
  }
}

// EndTime and StartTime come in UTC and are kept in local time. A text whose
// time part is broken still yields its date (at local midnight).
void ReadDateTime(const TItemElementReader& reader, TItemField name, QDateTime& value) {
  const TXMLNode n = reader.First(name);
  if (!n) return;
  const QString text = n.Text();
  if (text.isEmpty()) return;
  QDateTime parsed;
  if (ISODateTime::TryParse(text, parsed))
    value = ISODateTime::ToLocal(parsed);
  else if (parsed.isValid())
    value = QDateTime(parsed.date(), QTime(0, 0), Qt::LocalTime);
  else
    value = QDateTime();
}

void ReadText(const TItemElementReader& reader, TItemField name, QString& value) {
  if (const TXMLNode n = reader.First(name)) value = n.Text();
}

void ReadNarrow(const TItemElementReader& reader, TItemField name, QByteArray& value) {
  if (const TXMLNode n = reader.First(name)) value = n.Text().toUtf8();
}

void ReadFlag(const TItemElementReader& reader, TItemField name, bool& value) {
  value = reader.Bool(name, value);
}

}  // namespace

TSimpleItem::TSimpleItem() = default;

TSimpleItem::TSimpleItem(TSimpleItemList* owner) : Owner(owner) {}

TSimpleItem::~TSimpleItem() = default;

void TSimpleItem::SetItemID(const QByteArray& itemID) {
  if (itemID == FItemID) return;
  FItemID = itemID;
  if (Owner) Owner->ItemIDChanged(this);
}

void TSimpleItem::LoadFromNode(TXMLNode item) {
  const TItemElementReader reader(item);

  ReadFlag(reader, TItemField::BestOfferEnabled, BestOfferEnabled);
  if (const TXMLNode n = reader.First(TItemField::BidCount)) {
    bool ok = false;
    const int count = n.Text().trimmed().toInt(&ok);
    if (!ok)
      throw EShopping(
          QStringLiteral("'%1' ist kein gültiger Integerwert (BidCount des Artikels %2).")
              .arg(n.Text().left(40), QString::fromUtf8(FItemID)));
    BidCount = qMax(0, count);
  }
  ReadFlag(reader, TItemField::BuyItNowAvailable, BuyItNowAvailable);
  ReadPrice(reader, TItemField::BuyItNowPrice, TItemField::ConvertedBuyItNowPrice, BuyItNowPrice,
            CurrencyID);
  ReadText(reader, TItemField::Country, Country);
  ReadPrice(reader, TItemField::CurrentPrice, TItemField::ConvertedCurrentPrice, CurrentPrice,
            CurrencyID);
  ReadText(reader, TItemField::Description, Description);
  if (const TXMLNode n = reader.First(TItemField::DistanceFromBuyer)) {
    bool ok = false;
    const double value = n.Text().trimmed().toDouble(&ok);
    if (ok && std::isfinite(value)) DistanceFromBuyer.Value = value;
    if (n.HasAttribute("unit")) DistanceFromBuyer.Unit = n.Attribute("unit");
  }
  ReadDateTime(reader, TItemField::EndTime, EndTime);
  ReadText(reader, TItemField::GalleryURL, GalleryURL);
  ReadFlag(reader, TItemField::GetItFast, GetItFast);
  ReadFlag(reader, TItemField::Gift, Gift);
  if (const TXMLNode n = reader.First(TItemField::ItemID)) SetItemID(n.Text().toUtf8());

  {
    std::vector<TXMLNode> entries;
    for (const TXMLNode& specifics : reader.All(TItemField::ItemSpecifics)) {
      const std::vector<TXMLNode> more =
          TItemElementReader(specifics).All(TItemField::NameValueList);
      entries.insert(entries.end(), more.begin(), more.end());
    }
    if (!entries.empty()) {
      ItemSpecifics.clear();
      for (const TXMLNode& entry : entries) {
        const TXMLNode nameNode = entry.FirstChildElement();
        if (!nameNode.HasLocalName("Name")) continue;
        const TXMLNode valueNode = entry.LastChildElement();
        if (!valueNode.HasLocalName("Value")) continue;
        const QString name = nameNode.Text();
        const QString value = valueNode.Text();
        if (name == QLatin1String("Condition")) {
          Condition = TShoppingEnumTypeConverter::FromText<TItemCondition>(value);
          if (Condition == TItemCondition::NotSet) {
            const QString lower = value.toLower();
            if (lower == QLatin1String("neu"))
              Condition = TItemCondition::New;
            else if (lower == QLatin1String("gebraucht"))
              Condition = TItemCondition::Used;
          }
        }
        ItemSpecifics.append(name + QLatin1Char('=') + value);
      }
    }
  }

  if (const TXMLNode n = reader.First(TItemField::ListingStatus))
    ListingStatus = TShoppingEnumTypeConverter::FromText<TListingStatus>(n.Text());
  if (const TXMLNode n = reader.First(TItemField::ListingType))
    ListingType = TShoppingEnumTypeConverter::FromText<TListingType>(n.Text());
  ReadText(reader, TItemField::Location, Location);
  for (const TXMLNode& n : reader.All(TItemField::PaymentMethods)) {
    const int ordinal = int(TShoppingEnumTypeConverter::FromText<TPaymentMethod>(n.Text()));
    if (ordinal <= 31) PaymentMethods |= TPaymentMethods(1) << ordinal;
  }
  ReadFlag(reader, TItemField::PictureExists, PictureExists);

  const std::vector<TXMLNode> pictures = reader.All(TItemField::PictureURL);
  if (!pictures.empty()) {
    // Addresses compare without regard to case; a set keeps thousands of them linear.
    QSet<QString> known;
    known.reserve(PictureURLs.size() + qsizetype(pictures.size()));
    for (const QString& url : std::as_const(PictureURLs))
      known.insert(url.toLower());
    for (const TXMLNode& n : pictures) {
      const QString url = n.Text();
      const QString key = url.toLower();
      if (known.contains(key)) continue;
      known.insert(key);
      PictureURLs.append(url);
    }
  }

  ReadNarrow(reader, TItemField::PostalCode, PostalCode);
  ReadNarrow(reader, TItemField::PrimaryCategoryID, PrimaryCategoryID);
  ReadNarrow(reader, TItemField::SecondaryCategoryID, SecondaryCategoryID);
  if (const TXMLNode n = reader.First(TItemField::Seller)) Seller.LoadFromNode(n);
  if (const TXMLNode n = reader.First(TItemField::HighBidder)) HighBidder.LoadFromNode(n);
  for (const TXMLNode& summary : reader.All(TItemField::ShippingCostSummary)) {
    if (const TXMLNode n = TItemElementReader(summary).First(TItemField::ShippingServiceCost)) {
      Money::TryParse(n.Text(), ShippingServiceCost);
      break;
    }
  }

  // An absent "Site" looks up the current site's name, so the site stays; an
  // unknown text leaves the listing without site.
  const QString siteText = reader.Text(TItemField::Site, Site ? Site->Name : QStringLiteral("nil"));
  Site = SiteList().FindByName(siteText);

  ReadDateTime(reader, TItemField::StartTime, StartTime);
  ReadText(reader, TItemField::Subtitle, Subtitle);
  ReadText(reader, TItemField::Title, Title);
  ReadText(reader, TItemField::ViewItemURLForNaturalSearch, ViewItemURLForNaturalSearch);

  // eBay reports the price of a fixed-price listing as its current price.
  if (CurrentPrice > 0 &&
      (ListingType == TListingType::Express || ListingType == TListingType::FixedPriceItem ||
       ListingType == TListingType::StoresFixedPrice)) {
    BuyItNowPrice = CurrentPrice;
    CurrentPrice = 0;
  }
}

void TSimpleItem::Assign(const TSimpleItem& source) {
  if (&source == this) return;
  PageNumber = source.PageNumber;
  PagePosition = source.PagePosition;
  BestOfferEnabled = source.BestOfferEnabled;
  BidCount = source.BidCount;
  BuyItNowAvailable = source.BuyItNowAvailable;
  BuyItNowPrice = source.BuyItNowPrice;
  Country = source.Country;
  CurrentPrice = source.CurrentPrice;
  Description = source.Description;
  DistanceFromBuyer = source.DistanceFromBuyer;
  EndTime = source.EndTime;
  GalleryURL = source.GalleryURL;
  HighBidder = source.HighBidder;
  GetItFast = source.GetItFast;
  Gift = source.Gift;
  SetItemID(source.FItemID);
  ItemSpecifics = source.ItemSpecifics;
  ListingStatus = source.ListingStatus;
  ListingType = source.ListingType;
  Location = source.Location;
  PaymentMethods = source.PaymentMethods;
  PictureExists = source.PictureExists;
  PostalCode = source.PostalCode;
  PrimaryCategoryID = source.PrimaryCategoryID;
  SecondaryCategoryID = source.SecondaryCategoryID;
  Seller = source.Seller;
  ShippingServiceCost = source.ShippingServiceCost;
  Site = source.Site;
  StartTime = source.StartTime;
  Subtitle = source.Subtitle;
  Title = source.Title;
  ViewItemURLForNaturalSearch = source.ViewItemURLForNaturalSearch;
  CurrencyID = source.CurrencyID;
  PictureURLs = source.PictureURLs;
}

void TSimpleItem::MergeFrom(const TSimpleItem& source) {
  if (&source == this) return;
  BestOfferEnabled = source.BestOfferEnabled;
  BuyItNowAvailable = source.BuyItNowAvailable;
  GetItFast = source.GetItFast;
  Gift = source.Gift;
  SetItemID(source.FItemID);
  PictureExists = source.PictureExists;

  if (source.BidCount != 0) BidCount = source.BidCount;
  if (source.ListingStatus != TListingStatus::NotSet) ListingStatus = source.ListingStatus;
  if (source.ListingType != TListingType::NotSet) ListingType = source.ListingType;
  if (source.CurrencyID != TCurrencyCode::NotSet) CurrencyID = source.CurrencyID;

  if (source.BuyItNowPrice > 0) BuyItNowPrice = source.BuyItNowPrice;
  if (source.CurrentPrice > 0) CurrentPrice = source.CurrentPrice;
  if (source.ShippingServiceCost > 0) ShippingServiceCost = source.ShippingServiceCost;
  if (source.EndTime.isValid()) EndTime = source.EndTime;
  if (source.StartTime.isValid()) StartTime = source.StartTime;
  if (source.PageNumber > 0) PageNumber = source.PageNumber;
  if (source.PagePosition > 0) PagePosition = source.PagePosition;
  if (source.DistanceFromBuyer.Value > 0) DistanceFromBuyer = source.DistanceFromBuyer;

  auto takeText = [](QString& own, const QString& other) {
    if (!other.isEmpty()) own = other;
  };
  auto takeNarrow = [](QByteArray& own, const QByteArray& other) {
    if (!other.isEmpty()) own = other;
  };
  takeText(Country, source.Country);
  takeText(Description, source.Description);
  takeText(GalleryURL, source.GalleryURL);
  takeText(Location, source.Location);
  takeNarrow(PostalCode, source.PostalCode);
  takeNarrow(PrimaryCategoryID, source.PrimaryCategoryID);
  takeNarrow(SecondaryCategoryID, source.SecondaryCategoryID);
  takeText(Subtitle, source.Subtitle);
  takeText(Title, source.Title);
  takeText(ViewItemURLForNaturalSearch, source.ViewItemURLForNaturalSearch);
  if (source.PaymentMethods != 0) PaymentMethods = source.PaymentMethods;

  if (!source.Seller.UserID.isEmpty()) Seller = source.Seller;
  if (!source.HighBidder.UserID.isEmpty()) HighBidder = source.HighBidder;
  if (!source.ItemSpecifics.isEmpty()) ItemSpecifics = source.ItemSpecifics;
  if (!source.PictureURLs.isEmpty()) PictureURLs = source.PictureURLs;
  if (source.Site) Site = source.Site;
}

bool TSimpleItem::IsAuction() const {
  return ListingType == TListingType::Auction || ListingType == TListingType::Chinese ||
         ListingType == TListingType::Dutch || ListingType == TListingType::Live;
}

bool TSimpleItem::IsBuyItNow() const {
  return BuyItNowAvailable || ListingType == TListingType::Express ||
         ListingType == TListingType::FixedPriceItem ||
         ListingType == TListingType::StoresFixedPrice;
}

bool TSimpleItem::HasPicture() const {
  return PictureExists || !PictureURLs.isEmpty();
}

bool TSimpleItem::HasPaymentMethod(TPaymentMethod method) const {
  return int(method) <= 31 && (PaymentMethods >> int(method)) & 1u;
}

void TSimpleItem::Update() {
  TSimpleItemList* owner = Owner.data();
  if (!owner)
    throw EShopping(QStringLiteral(
        "Die Prozedur TSimpleItem.Update; kann nur ausgeführt werden, wenn der Artikel einer "
        "TSimpleItemList zugeordnet wurde."));
  owner->ItemItemizeBegin(nullptr);
  try {
    owner->ItemItemize(FItemID);
  } catch (...) {
    owner->ItemItemizeEnd();
    throw;
  }
  owner->ItemItemizeEnd();
}
