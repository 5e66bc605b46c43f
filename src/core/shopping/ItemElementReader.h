#pragma once

#include <QString>
#include <array>
#include <vector>

#include "core/shopping/XMLNode.h"

// The child elements a listing, a user and their parts are read by.
enum class TItemField : quint8 {
  BestOfferEnabled,
  BidCount,
  BuyItNowAvailable,
  BuyItNowPrice,
  ConvertedBuyItNowPrice,
  Country,
  CurrentPrice,
  ConvertedCurrentPrice,
  Description,
  DistanceFromBuyer,
  EndTime,
  GalleryURL,
  GetItFast,
  Gift,
  ItemID,
  ItemSpecifics,
  NameValueList,
  ListingStatus,
  ListingType,
  Location,
  PaymentMethods,
  PictureExists,
  PictureURL,
  PostalCode,
  PrimaryCategoryID,
  SecondaryCategoryID,
  Seller,
  HighBidder,
  ShippingCostSummary,
  ShippingServiceCost,
  Site,
  StartTime,
  Subtitle,
  Title,
  ViewItemURLForNaturalSearch,
  FeedbackRatingStar,
  FeedbackScore,
  UserID,
  UserAnonymized,
  Count
};

// Reads the child elements of one Shopping API element ("Item", "Seller").
// First(field) is what the path "./ebay:Field" selects: the first child
// element in the API namespace with that name. The children are sorted into
// fields by name in one walk, so reading the forty fields of a listing costs
// one pass over its children instead of forty searches.
class TItemElementReader {
 public:
  explicit TItemElementReader(TXMLNode element);

  TXMLNode First(TItemField field) const { return FFirst[size_t(field)]; }
  std::vector<TXMLNode> All(TItemField field) const;
  // The text of First(field), or def when there is none.
  QString Text(TItemField field, const QString& def) const;
  // def, or true when First(field)'s text, trimmed and lower-cased, is "true".
  bool Bool(TItemField field, bool def) const;

  // The element name of a field.
  static const char* Name(TItemField field);

 private:
  static constexpr size_t kFieldCount = size_t(TItemField::Count);

  std::array<TXMLNode, kFieldCount> FFirst{};
  std::array<quint16, kFieldCount> FCount{};
};
