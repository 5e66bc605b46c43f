#pragma once

#include <QtGlobal>

// The Shopping API enumerations. Ordinal 0 of each means "not set" and has the
// empty text; the others keep eBay's code texts (see TShoppingEnumTypeConverter).

enum class TListingType : quint8 {
  NotSet,
  AdType,
  Auction,
  Chinese,
  Dutch,
  Express,
  FixedPriceItem,
  Half,
  LeadGeneration,
  Live,
  PersonalOffer,
  StoresFixedPrice,
  Unknown
};

enum class TSearchFlag : quint8 {
  NotSet,
  Charity,
  DigitalDelivery,
  FreeShipping,
  Gallery,
  GermanMotorsSearchable,
  GetItFast,
  Gift,
  LocalSearch,
  Lot,
  NowAndNew,
  Picture
};

enum class TSellerBusinessType : quint8 { NotSet, Commercial, Private, Undefined };

enum class TItemSort : quint8 {
  NotSet,
  BestMatch,
  BestMatchCategoryGroup,
  BidCount,
  Country,
  CurrentBid,
  Distance,
  EndTime,
  PricePlusShipping,
  StartDate
};

enum class TSortOrder : quint8 { NotSet, Ascending, Descending };

enum class TItemCondition : quint8 { NotSet, New, Used };

enum class TItemType : quint8 {
  NotSet,
  AdFormat,
  AllFixedPriceItemTypes,
  AllItems,
  AllItemTypes,
  AuctionItemsOnly,
  ClassifiedItemsOnly,
  ExcludeStoreInventory,
  FixedPricedItem,
  FixedPriceExcludeStoreInventory,
  StoreInventoryOnly
};

enum class TListingStatus : quint8 { NotSet, Active, Completed, Ended };

enum class TPaymentMethod : quint8 {
  NotSet,
  AmEx,
  CashInPerson,
  CashOnPickup,
  CCAccepted,
  COD,
  Discover,
  ELV,
  LoanCheck,
  MOCC,
  MoneyXferAccepted,
  MoneyXferAcceptedInCheckout,
  None,
  Other,
  OtherOnlinePayments,
  PaisaPayAccepted,
  PaisaPayEscrowEMI,
  PaymentSeeDescription,
  PayPal,
  PersonalCheck,
  VisaMC
};

enum class TCurrencyCode : quint8 {
  NotSet,
  AUD,
  CAD,
  CHF,
  EUR,
  GBP,
  HKD,
  INR,
  MYR,
  PHP,
  PLN,
  SEK,
  SGD,
  TWD,
  USD
};

enum class TFeedbackRatingStar : quint8 {
  NotSet,
  None,
  Yellow,
  Blue,
  Turquoise,
  Purple,
  Red,
  Green,
  YellowShooting,
  TurquoiseShooting,
  PurpleShooting,
  RedShooting
};

// What a refresh changed in a listing; the list raises only these three.
enum TItemChangeKind : quint8 { ickPictures = 0, ickPrice = 3, ickEnded = 4 };

// Sets: bit n stands for ordinal n.
using TPaymentMethods = quint32;  // ordinals 0..31
using TSearchFlags = quint16;     // ordinals 0..15

// The enumerations the converter knows, one string table each.
enum class TShoppingEnumKind : quint8 {
  ListingType,
  SearchFlag,
  SellerBusinessType,
  ItemSort,
  SortOrder,
  ItemCondition,
  ItemType,
  ListingStatus,
  PaymentMethod,
  CurrencyCode,
  FeedbackRatingStar
};

template <typename E>
struct TShoppingEnumTraits;
#define QUARN_SHOPPING_ENUM_KIND(E, K)                              \
  template <>                                                       \
  struct TShoppingEnumTraits<E> {                                   \
    static constexpr TShoppingEnumKind Kind = TShoppingEnumKind::K; \
  };
QUARN_SHOPPING_ENUM_KIND(TListingType, ListingType)
QUARN_SHOPPING_ENUM_KIND(TSearchFlag, SearchFlag)
QUARN_SHOPPING_ENUM_KIND(TSellerBusinessType, SellerBusinessType)
QUARN_SHOPPING_ENUM_KIND(TItemSort, ItemSort)
QUARN_SHOPPING_ENUM_KIND(TSortOrder, SortOrder)
QUARN_SHOPPING_ENUM_KIND(TItemCondition, ItemCondition)
QUARN_SHOPPING_ENUM_KIND(TItemType, ItemType)
QUARN_SHOPPING_ENUM_KIND(TListingStatus, ListingStatus)
QUARN_SHOPPING_ENUM_KIND(TPaymentMethod, PaymentMethod)
QUARN_SHOPPING_ENUM_KIND(TCurrencyCode, CurrencyCode)
QUARN_SHOPPING_ENUM_KIND(TFeedbackRatingStar, FeedbackRatingStar)
#undef QUARN_SHOPPING_ENUM_KIND
