#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "core/shopping/Distance.h"
#include "core/shopping/Money.h"
#include "core/shopping/ShoppingEnums.h"
#include "core/shopping/SimpleUser.h"
#include "core/shopping/XMLNode.h"

class TSimpleItemList;
class TSite;

// One eBay listing, filled from the "Item" elements of Shopping API answers.
// Its identity is the item number. A listing made by a list points back to it
// (Owner) so it can refresh itself through the list; the pointer clears itself
// when the list goes away.
class TSimpleItem {
 public:
  TSimpleItem();
  explicit TSimpleItem(TSimpleItemList* owner);
  ~TSimpleItem();
  TSimpleItem(const TSimpleItem&) = delete;
  TSimpleItem& operator=(const TSimpleItem&) = delete;

  QPointer<TSimpleItemList> Owner;
  qint32 PageNumber = 0;    // result page it came from, 0: not from a search page
  qint32 PagePosition = 0;  // 1-based position on that page
  bool BestOfferEnabled = false;
  // A ten-day auction can draw hundreds of bids: kept whole, never wrapped.
  qint32 BidCount = 0;
  bool BuyItNowAvailable = false;
  TMoney BuyItNowPrice = 0;
  QString Country;
  TMoney CurrentPrice = 0;
  QString Description;
  TDistance DistanceFromBuyer;
  QDateTime EndTime;  // local time; invalid: not set
  QString GalleryURL;
  TSimpleUser HighBidder;
  bool GetItFast = false;
  bool Gift = false;
  QStringList ItemSpecifics;  // "name=value" lines
  TListingStatus ListingStatus = TListingStatus::NotSet;
  TListingType ListingType = TListingType::NotSet;
  QString Location;
  TPaymentMethods PaymentMethods = 0;
  bool PictureExists = false;
  QByteArray PostalCode;
  QByteArray PrimaryCategoryID;
  QByteArray SecondaryCategoryID;
  TSimpleUser Seller;
  TMoney ShippingServiceCost = 0;
  TSite* Site = nullptr;  // points into SiteList(); not owned
  QDateTime StartTime;    // local time; invalid: not set
  QString Subtitle;
  QString Title;
  QString ViewItemURLForNaturalSearch;
  TCurrencyCode CurrencyID = TCurrencyCode::NotSet;  // currency of the stored prices
  TItemCondition Condition = TItemCondition::NotSet;
  QStringList PictureURLs;  // no two equal without regard to case

  // The item number. Set through SetItemID so the owner's index stays right.
  const QByteArray& ItemID() const { return FItemID; }
  void SetItemID(const QByteArray& itemID);

  // Reads the fields from an "Item" element; absent elements keep their values,
  // so a later, shorter answer refreshes without losing anything. Unknown texts
  // become "not set", unreadable numbers keep the previous value. A BidCount
  // that is not an integer raises EShopping after the fields before it were read.
  void LoadFromNode(TXMLNode item);
  // Copies every data field of source except Owner and Condition.
  void Assign(const TSimpleItem& source);
  // Takes the informative fields of source (set, non-empty, above zero).
  void MergeFrom(const TSimpleItem& source);

  bool IsAuction() const;
  bool IsBuyItNow() const;
  bool HasPicture() const;
  bool HasPaymentMethod(TPaymentMethod method) const;

  // Refreshes the listing through its owner list (its itemize request or a
  // GetMultipleItems call). Raises EShopping when the listing has no owner.
  void Update();

 private:
  QByteArray FItemID;
};
