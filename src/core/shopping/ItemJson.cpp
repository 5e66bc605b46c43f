#include "core/shopping/ItemJson.h"

#include <QJsonArray>

#include "core/shopping/ISODateTime.h"
#include "core/shopping/ShoppingEnumTypeConverter.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/Site.h"

namespace ItemJson {

namespace {

QJsonValue Time(const QDateTime& value) {
  return value.isValid() ? QJsonValue(ISODateTime::ToText(value)) : QJsonValue(QJsonValue::Null);
}

QJsonObject User(const TSimpleUser& user) {
  return QJsonObject{
      {QStringLiteral("UserID"), user.UserID},
      {QStringLiteral("FeedbackScore"), user.FeedbackScore},
      {QStringLiteral("FeedbackRatingStar"),
       TShoppingEnumTypeConverter::ToText(user.FeedbackRatingStar)},
      {QStringLiteral("UserAnonymized"), user.UserAnonymized},
  };
}

}  // namespace

QJsonObject ToJson(const TSimpleItem& item) {
  QJsonArray payment;
  for (int ordinal = 0; ordinal <= 31; ++ordinal)
    if ((item.PaymentMethods >> ordinal) & 1u)
      payment.append(TShoppingEnumTypeConverter::Text(TShoppingEnumKind::PaymentMethod, ordinal));
  return QJsonObject{
      {QStringLiteral("ItemID"), QString::fromUtf8(item.ItemID())},
      {QStringLiteral("PageNumber"), item.PageNumber},
      {QStringLiteral("PagePosition"), item.PagePosition},
      {QStringLiteral("BestOfferEnabled"), item.BestOfferEnabled},
      {QStringLiteral("BidCount"), int(item.BidCount)},
      {QStringLiteral("BuyItNowAvailable"), item.BuyItNowAvailable},
      {QStringLiteral("BuyItNowPrice"), Money::ToText(item.BuyItNowPrice)},
      {QStringLiteral("Country"), item.Country},
      {QStringLiteral("CurrentPrice"), Money::ToText(item.CurrentPrice)},
      {QStringLiteral("Description"), item.Description},
      {QStringLiteral("DistanceFromBuyer"),
       QJsonObject{{QStringLiteral("Value"), item.DistanceFromBuyer.Value},
                   {QStringLiteral("Unit"), item.DistanceFromBuyer.Unit}}},
      {QStringLiteral("EndTime"), Time(item.EndTime)},
      {QStringLiteral("GalleryURL"), item.GalleryURL},
      {QStringLiteral("HighBidder"), User(item.HighBidder)},
      {QStringLiteral("GetItFast"), item.GetItFast},
      {QStringLiteral("Gift"), item.Gift},
      {QStringLiteral("ItemSpecifics"), QJsonArray::fromStringList(item.ItemSpecifics)},
      {QStringLiteral("ListingStatus"), TShoppingEnumTypeConverter::ToText(item.ListingStatus)},
      {QStringLiteral("ListingType"), TShoppingEnumTypeConverter::ToText(item.ListingType)},
      {QStringLiteral("Location"), item.Location},
      {QStringLiteral("PaymentMethods"), payment},
      {QStringLiteral("PictureExists"), item.PictureExists},
      {QStringLiteral("PostalCode"), QString::fromUtf8(item.PostalCode)},
      {QStringLiteral("PrimaryCategoryID"), QString::fromUtf8(item.PrimaryCategoryID)},
      {QStringLiteral("SecondaryCategoryID"), QString::fromUtf8(item.SecondaryCategoryID)},
      {QStringLiteral("Seller"), User(item.Seller)},
      {QStringLiteral("ShippingServiceCost"), Money::ToText(item.ShippingServiceCost)},
      {QStringLiteral("Site"),
       item.Site ? QJsonValue(item.Site->Name) : QJsonValue(QJsonValue::Null)},
      {QStringLiteral("StartTime"), Time(item.StartTime)},
      {QStringLiteral("Subtitle"), item.Subtitle},
      {QStringLiteral("Title"), item.Title},
      {QStringLiteral("ViewItemURLForNaturalSearch"), item.ViewItemURLForNaturalSearch},
      {QStringLiteral("CurrencyID"), TShoppingEnumTypeConverter::ToText(item.CurrencyID)},
      {QStringLiteral("Condition"), TShoppingEnumTypeConverter::ToText(item.Condition)},
      {QStringLiteral("PictureURLs"), QJsonArray::fromStringList(item.PictureURLs)},
  };
}

}  // namespace ItemJson
