#include "core/shopping/ItemElementReader.h"

#include <QByteArray>
#include <QHash>
#include <cstring>

#include "core/shopping/MSXMLTools.h"

namespace {

const char* const kFieldNames[] = {"BestOfferEnabled",
                                   "BidCount",
                                   "BuyItNowAvailable",
                                   "BuyItNowPrice",
                                   "ConvertedBuyItNowPrice",
                                   "Country",
                                   "CurrentPrice",
                                   "ConvertedCurrentPrice",
                                   "Description",
                                   "DistanceFromBuyer",
                                   "EndTime",
                                   "GalleryURL",
                                   "GetItFast",
                                   "Gift",
                                   "ItemID",
                                   "ItemSpecifics",
                                   "NameValueList",
                                   "ListingStatus",
                                   "ListingType",
                                   "Location",
                                   "PaymentMethods",
                                   "PictureExists",
                                   "PictureURL",
                                   "PostalCode",
                                   "PrimaryCategoryID",
                                   "SecondaryCategoryID",
                                   "Seller",
                                   "HighBidder",
                                   "ShippingCostSummary",
                                   "ShippingServiceCost",
                                   "Site",
                                   "StartTime",
                                   "Subtitle",
                                   "Title",
                                   "ViewItemURLForNaturalSearch",
                                   "FeedbackRatingStar",
                                   "FeedbackScore",
                                   "UserID",
                                   "UserAnonymized"};
static_assert(sizeof(kFieldNames) / sizeof(kFieldNames[0]) == size_t(TItemField::Count));

int FieldOf(const char* name) {
  static const QHash<QByteArray, int> table = [] {
    QHash<QByteArray, int> t;
    int field = 0;
    for (const char* n : kFieldNames)
      t.insert(QByteArray(n), field++);
    return t;
  }();
  return table.value(QByteArray::fromRawData(name, qsizetype(std::strlen(name))), -1);
}

}  // namespace

const char* TItemElementReader::Name(TItemField field) {
  return field < TItemField::Count ? kFieldNames[size_t(field)] : "";
}

TItemElementReader::TItemElementReader(TXMLNode element) {
  for (TXMLNode child = element.FirstChildElement(); child; child = child.NextSiblingElement()) {
    if (!child.IsInNamespace(kEBayNamespace)) continue;
    const int field = FieldOf(child.LocalNameRaw());
    if (field < 0) continue;
    if (FCount[size_t(field)]++ == 0) FFirst[size_t(field)] = child;
  }
}

std::vector<TXMLNode> TItemElementReader::All(TItemField field) const {
  std::vector<TXMLNode> found;
  const size_t count = FCount[size_t(field)];
  if (count == 0) return found;
  found.reserve(count);
  const char* name = Name(field);
  for (TXMLNode child = FFirst[size_t(field)]; child && found.size() < count;
       child = child.NextSiblingElement())
    if (child.IsInNamespace(kEBayNamespace) && child.HasLocalName(name)) found.push_back(child);
  return found;
}

QString TItemElementReader::Text(TItemField field, const QString& def) const {
  const TXMLNode node = First(field);
  return node ? node.Text() : def;
}

bool TItemElementReader::Bool(TItemField field, bool def) const {
  const TXMLNode node = First(field);
  if (node && node.Text().trimmed().toLower() == QLatin1String("true")) return true;
  return def;
}
