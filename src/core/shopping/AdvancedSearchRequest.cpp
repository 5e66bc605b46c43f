#include "core/shopping/AdvancedSearchRequest.h"

#include "core/shopping/MSXMLTools.h"
#include "core/shopping/ShoppingEnumTypeConverter.h"

namespace {

// A stored integer; text that is not one means "not set".
qint32 StoredInt(TXMLNode data, const char* path) {
  return GetNodeInt(data, path, -1);
}

}  // namespace

QString TAdvancedSearchRequest::PriceText(TMoney price) const {
  // General number format: up to 15 significant digits, "." and no grouping.
  return FormatSettings.toString(Money::ToDouble(price), 'g', 15);
}

void TAdvancedSearchRequest::BuildRequest(std::unique_ptr<TXMLDocument>& document) {
  TCategorySearchRequest::BuildRequest(document);
  TXMLNode root = document->DocumentElement();
  if (!QueryKeywords.isEmpty()) root.AppendElement("QueryKeywords", QueryKeywords);
  if (BidCountMin >= 0) root.AppendElement("BidCountMin", QString::number(BidCountMin));
  if (BidCountMax >= 0) root.AppendElement("BidCountMax", QString::number(BidCountMax));
  if (ItemType != TItemType::NotSet)
    root.AppendElement("ItemType", TShoppingEnumTypeConverter::ToText(ItemType));
  // A postal code only means something with a radius or when sorting by distance.
  if (!PostalCode.isEmpty() && (MaxDistance >= 0 || ItemSort == TItemSort::Distance)) {
    root.AppendElement("PostalCode", QString::fromUtf8(PostalCode));
    if (MaxDistance >= 0) root.AppendElement("MaxDistance", QString::number(MaxDistance));
  }
  if (PriceMin >= 0) root.AppendElement("PriceMin", PriceText(PriceMin));
  if (PriceMax >= 0) root.AppendElement("PriceMax", PriceText(PriceMax));
  for (int ordinal = 1; ordinal <= 15; ++ordinal)
    if ((SearchFlags >> ordinal) & 1u)
      root.AppendElement("SearchFlag",
                         TShoppingEnumTypeConverter::Text(TShoppingEnumKind::SearchFlag, ordinal));
  if (SellerBusinessType != TSellerBusinessType::NotSet)
    root.AppendElement("SellerBusinessType",
                       TShoppingEnumTypeConverter::ToText(SellerBusinessType));
  if (Condition != TItemCondition::NotSet)
    root.AppendElement("Condition", TShoppingEnumTypeConverter::ToText(Condition));
  if (DescriptionSearch) root.AppendElement("DescriptionSearch", QStringLiteral("true"));
  if (!ItemsAvailableTo.isEmpty())
    root.AppendElement("ItemsAvailableTo", QString::fromUtf8(ItemsAvailableTo));
  if (!ItemsLocatedIn.isEmpty())
    root.AppendElement("ItemsLocatedIn", QString::fromUtf8(ItemsLocatedIn));
}

void TAdvancedSearchRequest::Reset() {
  TCategorySearchRequest::Reset();
  BidCountMin = -1;
  BidCountMax = -1;
  DescriptionSearch = false;
  ItemsAvailableTo.clear();
  ItemsLocatedIn.clear();
  ItemType = TItemType::NotSet;
  MaxDistance = -1;
  PostalCode.clear();
  PriceMin = -1;
  PriceMax = -1;
  QueryKeywords.clear();
  SearchFlags = 0;
  SellerBusinessType = TSellerBusinessType::NotSet;
}

std::unique_ptr<TXMLDocument> TAdvancedSearchRequest::SaveData() const {
  std::unique_ptr<TXMLDocument> document = TCategorySearchRequest::SaveData();
  TXMLNode root = document->DocumentElement();
  root.SetAttribute("Type", QStringLiteral("TAdvancedSearchRequest"));
  if (!QueryKeywords.isEmpty()) {
    TXMLNode keywords = root.AppendElement("QueryKeywords", QueryKeywords);
    if (DescriptionSearch) keywords.SetAttribute("DescriptionSearch", QStringLiteral("true"));
  }
  if (BidCountMin >= 0) root.AppendElement("BidCountMin", QString::number(BidCountMin));
  if (BidCountMax >= 0) root.AppendElement("BidCountMax", QString::number(BidCountMax));
  if (ItemType != TItemType::NotSet)
    root.AppendElement("ItemType", TShoppingEnumTypeConverter::ToText(ItemType));
  if (!ItemsAvailableTo.isEmpty())
    root.AppendElement("ItemsAvailableTo", QString::fromUtf8(ItemsAvailableTo));
  if (!ItemsLocatedIn.isEmpty())
    root.AppendElement("ItemsLocatedIn", QString::fromUtf8(ItemsLocatedIn));
  if (MaxDistance >= 0) root.AppendElement("MaxDistance", QString::number(MaxDistance));
  if (!PostalCode.isEmpty()) root.AppendElement("PostalCode", QString::fromUtf8(PostalCode));
  if (PriceMin >= 0) root.AppendElement("PriceMin", PriceText(PriceMin));
  if (PriceMax >= 0) root.AppendElement("PriceMax", PriceText(PriceMax));
  if (SearchFlags != 0) {
    TXMLNode flags = root.AppendElement("SearchFlags");
    for (int ordinal = 0; ordinal <= 15; ++ordinal)
      if ((SearchFlags >> ordinal) & 1u)
        flags.AppendElement(
            "SearchFlag", TShoppingEnumTypeConverter::Text(TShoppingEnumKind::SearchFlag, ordinal));
  }
  if (SellerBusinessType != TSellerBusinessType::NotSet)
    root.AppendElement("SellerBusinessType",
                       TShoppingEnumTypeConverter::ToText(SellerBusinessType));
  return document;
}

void TAdvancedSearchRequest::LoadData(TXMLNode data) {
  TCategorySearchRequest::LoadData(data);
  if (const TXMLNode n = data.SelectSingleNode("./QueryKeywords")) {
    QueryKeywords = n.Text();
    if (n.Attribute("DescriptionSearch") == QLatin1String("true")) DescriptionSearch = true;
  }
  BidCountMin = StoredInt(data, "./BidCountMin");
  BidCountMax = StoredInt(data, "./BidCountMax");
  MaxDistance = StoredInt(data, "./MaxDistance");
  if (const TXMLNode n = data.SelectSingleNode("./ItemType"))
    ItemType = TShoppingEnumTypeConverter::FromText<TItemType>(n.Text());
  if (const TXMLNode n = data.SelectSingleNode("./SellerBusinessType"))
    SellerBusinessType = TShoppingEnumTypeConverter::FromText<TSellerBusinessType>(n.Text());
  if (const TXMLNode n = data.SelectSingleNode("./ItemsAvailableTo"))
    ItemsAvailableTo = n.Text().toUtf8();
  if (const TXMLNode n = data.SelectSingleNode("./ItemsLocatedIn"))
    ItemsLocatedIn = n.Text().toUtf8();
  if (const TXMLNode n = data.SelectSingleNode("./PostalCode")) PostalCode = n.Text().toUtf8();
  if (const TXMLNode n = data.SelectSingleNode("./PriceMin")) Money::TryParse(n.Text(), PriceMin);
  if (const TXMLNode n = data.SelectSingleNode("./PriceMax")) Money::TryParse(n.Text(), PriceMax);
  if (const TXMLNode flags = data.SelectSingleNode("./SearchFlags")) {
    for (TXMLNode f = flags.FirstChildElement(); f; f = f.NextSiblingElement()) {
      if (!f.HasLocalName("SearchFlag")) continue;
      const int ordinal = int(TShoppingEnumTypeConverter::FromText<TSearchFlag>(f.Text()));
      if (ordinal <= 15) SearchFlags |= TSearchFlags(1u << ordinal);
    }
  }
}
