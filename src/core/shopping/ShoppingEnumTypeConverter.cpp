#include "core/shopping/ShoppingEnumTypeConverter.h"

#include <QHash>
#include <array>

namespace {

struct TTable {
  QStringList Texts;
  QHash<QString, int> Ordinals;
};

TTable MakeTable(std::initializer_list<const char*> values) {
  TTable t;
  t.Texts.append(QString());
  for (const char* v : values) {
    t.Ordinals.insert(QLatin1String(v), int(t.Texts.size()));
    t.Texts.append(QLatin1String(v));
  }
  return t;
}

const std::array<TTable, 11>& Tables() {
  static const std::array<TTable, 11> tables = {
      MakeTable({"AdType", "Auction", "Chinese", "Dutch", "Express", "FixedPriceItem", "Half",
                 "LeadGeneration", "Live", "PersonalOffer", "StoresFixedPrice", "Unknown"}),
      MakeTable({"Charity", "DigitalDelivery", "FreeShipping", "Gallery", "GermanMotorsSearchable",
                 "GetItFast", "Gift", "LocalSearch", "Lot", "NowAndNew", "Picture"}),
      MakeTable({"Commercial", "Private", "Undefined"}),
      MakeTable({"BestMatch", "BestMatchCategoryGroup", "BidCount", "Country", "CurrentBid",
                 "Distance", "EndTime", "PricePlusShipping", "StartDate"}),
      MakeTable({"Ascending", "Descending"}),
      MakeTable({"New", "Used"}),
      MakeTable({"AdFormat", "AllFixedPriceItemTypes", "AllItems", "AllItemTypes",
                 "AuctionItemsOnly", "ClassifiedItemsOnly", "ExcludeStoreInventory",
                 "FixedPricedItem", "FixedPriceExcludeStoreInventory", "StoreInventoryOnly"}),
      MakeTable({"Active", "Completed", "Ended"}),
      MakeTable({"AmEx",
                 "CashInPerson",
                 "CashOnPickup",
                 "CCAccepted",
                 "COD",
                 "Discover",
                 "ELV",
                 "LoanCheck",
                 "MOCC",
                 "MoneyXferAccepted",
                 "MoneyXferAcceptedInCheckout",
                 "None",
                 "Other",
                 "OtherOnlinePayments",
                 "PaisaPayAccepted",
                 "PaisaPayEscrowEMI",
                 "PaymentSeeDescription",
                 "PayPal",
                 "PersonalCheck",
                 "VisaMC"}),
      MakeTable({"AUD", "CAD", "CHF", "EUR", "GBP", "HKD", "INR", "MYR", "PHP", "PLN", "SEK", "SGD",
                 "TWD", "USD"}),
      MakeTable({"None", "Yellow", "Blue", "Turquoise", "Purple", "Red", "Green", "YellowShooting",
                 "TurquoiseShooting", "PurpleShooting", "RedShooting"}),
  };
  return tables;
}

const TTable& TableOf(TShoppingEnumKind kind) {
  return Tables()[size_t(kind)];
}

}  // namespace

int TShoppingEnumTypeConverter::Ordinal(TShoppingEnumKind kind, const QString& text) {
  return TableOf(kind).Ordinals.value(text, 0);
}

QString TShoppingEnumTypeConverter::Text(TShoppingEnumKind kind, int ordinal) {
  const QStringList& texts = TableOf(kind).Texts;
  return ordinal > 0 && ordinal < texts.size() ? texts[ordinal] : QString();
}

int TShoppingEnumTypeConverter::Count(TShoppingEnumKind kind) {
  return int(TableOf(kind).Texts.size());
}

const QStringList& TShoppingEnumTypeConverter::Table(TShoppingEnumKind kind) {
  return TableOf(kind).Texts;
}
