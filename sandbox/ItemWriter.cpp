#include "ItemWriter.h"

#include <cmath>
#include <cstdio>

#include "ListingText.h"
#include "TextUtil.h"

namespace {

const char* kPaymentNames[] = {"PayPal",
                               "MoneyXferAccepted",
                               "CashOnPickup",
                               "COD",
                               "VisaMC",
                               "PersonalCheck",
                               "MOCC",
                               "AmEx",
                               "PaisaPayAccepted",
                               "PaymentSeeDescription",
                               "MoneyXferAcceptedInCheckout"};

std::string Anonymised(const std::string& id) {
  if (id.size() < 2) return "a***a";
  return std::string(1, id.front()) + "***" + std::string(1, id.back());
}

void WriteUser(XmlWriter& xml, const char* element, const std::string& userId, int score,
               bool withAnonymised, bool anonymised) {
  xml.Open(element);
  xml.Element("UserID", anonymised ? Anonymised(userId) : userId);
  if (withAnonymised) xml.Bool("FeedbackPrivate", false);
  xml.Element("FeedbackRatingStar", ItemWriter::RatingStar(score));
  xml.Element("FeedbackScore", score);
  if (withAnonymised) xml.Bool("UserAnonymized", anonymised);
  xml.Close(element);
}

}  // namespace

const char* ItemWriter::ListingType(ListingFormat format) {
  switch (format) {
    case ListingFormat::Chinese:
      return "Chinese";
    case ListingFormat::FixedPrice:
      return "FixedPriceItem";
    case ListingFormat::StoresFixedPrice:
      return "StoresFixedPrice";
    case ListingFormat::AdType:
      return "AdType";
  }
  return "Unknown";
}

const char* ItemWriter::RatingStar(int s) {
  if (s < 10) return "None";
  if (s < 50) return "Yellow";
  if (s < 100) return "Blue";
  if (s < 500) return "Turquoise";
  if (s < 1000) return "Purple";
  if (s < 5000) return "Red";
  if (s < 10000) return "Green";
  if (s < 25000) return "YellowShooting";
  if (s < 50000) return "TurquoiseShooting";
  if (s < 100000) return "PurpleShooting";
  return "RedShooting";
}

const char* ItemWriter::StatusText(ListingStatus status) {
  switch (status) {
    case ListingStatus::Active:
      return "Active";
    case ListingStatus::Ended:
      return "Ended";
    case ListingStatus::Completed:
      return "Completed";
  }
  return "Active";
}

void ItemWriter::Write(XmlWriter& xml, const ItemView& v, uint32_t parts) {
  const Listing& l = *v.listing;
  const SiteCatalogue& site = *v.site;
  const SiteInfo& info = *site.site;
  const ListingState& st = v.state;
  const bool status = parts & kPartStatusOnly;
  const bool details = !status && (parts & kPartDetails);
  const bool core = status || (parts & kPartCore);
  const bool auctionWithBin = l.format == ListingFormat::Chinese && l.binPrice > 0;
  auto converted = [&](int64_t cents) {
    return SiteTable::Convert(cents, info.currency, v.currency);
  };
  const CategoryNode& category = site.tree->Node(l.category);

  xml.Open("Item");
  if (details) {
    xml.Bool("BestOfferEnabled", l.bestOffer);
    if (auctionWithBin) xml.Amount("BuyItNowPrice", l.binPrice, info.currency);
  }
  if (parts & kPartDescription) xml.Element("Description", ListingText::Description(site, l));
  xml.Element("ItemID", v.itemId);
  if (core && auctionWithBin) {
    xml.Bool("BuyItNowAvailable", st.buyItNowAvailable);
    if (st.buyItNowAvailable)
      xml.Amount("ConvertedBuyItNowPrice", converted(l.binPrice), v.currency);
  }
  xml.Element("EndTime", TextUtil::IsoTime(v.originMs + int64_t{l.endSec} * 1000));
  if (details) xml.Element("StartTime", TextUtil::IsoTime(v.originMs + int64_t{l.startSec} * 1000));
  if (!status) {
    xml.Element("ViewItemURLForNaturalSearch", *v.base + "itm/" + l.slug + "?item=" + v.itemId);
  }
  xml.Element("ListingType", ListingType(l.format));
  if (parts & kPartLocation) xml.Element("Location", l.town->name);
  if (details) {
    for (size_t b = 0; b < std::size(kPaymentNames); ++b) {
      if (l.payments & (1u << b)) xml.Element("PaymentMethods", kPaymentNames[b]);
    }
  }
  if ((parts & kPartGallery) && !status) {
    std::string gallery = ListingText::GalleryPath(v.itemId, l);
    if (!gallery.empty()) xml.Element("GalleryURL", *v.base + gallery);
  }
  if ((parts & kPartPictures) && !status) {
    for (const std::string& p : ListingText::PicturePaths(v.itemId, l))
      xml.Element("PictureURL", *v.base + p);
  }
  if (details) xml.Element("PostalCode", l.town->postalCode);
  if (!status) {
    xml.Element("PrimaryCategoryID", category.id);
    xml.Element("PrimaryCategoryName", category.namePath);
  }
  if (details) xml.Element("Quantity", l.quantity);
  if ((parts & kPartSeller) && !status) {
    const Seller& s = site.sellers[l.seller];
    xml.Open("Seller");
    xml.Element("UserID", s.userId);
    xml.Element("FeedbackRatingStar", RatingStar(s.feedbackScore));
    xml.Element("FeedbackScore", s.feedbackScore);
    xml.Element("SellerBusinessType", s.commercial ? "Commercial" : "Private");
    if (s.commercial) {
      xml.Element("StoreURL", *v.base + "str/" + s.storeSlug);
      xml.Element("StoreName", s.storeName);
    }
    char percent[16];
    std::snprintf(percent, sizeof percent, "%d.%d", s.positivePermille / 10,
                  s.positivePermille % 10);
    xml.Element("PositiveFeedbackPercent", percent);
    xml.Close("Seller");
  }
  xml.Element("BidCount", st.bidCount);
  xml.Amount("ConvertedCurrentPrice", converted(st.currentPrice), v.currency);
  if (details) xml.Amount("CurrentPrice", st.currentPrice, info.currency);
  if ((details || status) && st.highBidder >= 0) {
    const Member& m = site.bidders[static_cast<size_t>(st.highBidder)];
    WriteUser(xml, "HighBidder", m.userId, m.feedbackScore, true, st.highBidderAnonymised);
  }
  xml.Element("ListingStatus", StatusText(st.status));
  if (details) {
    bool sold = st.status != ListingStatus::Active && st.bidCount > 0;
    xml.Element("QuantitySold", sold ? 1 : 0);
    switch (l.shipsTo) {
      case ShipsTo::Worldwide:
        xml.Element("ShipToLocations", "Worldwide");
        break;
      case ShipsTo::Europe:
        xml.Element("ShipToLocations", "Europe");
        break;
      case ShipsTo::Domestic:
        xml.Element("ShipToLocations", l.town->country);
        break;
    }
    xml.Element("Site", info.name);
  }
  xml.Element("TimeLeft", TextUtil::Duration(st.secondsLeft));
  if (!status) xml.Element("Title", l.title);
  if ((parts & kPartShipping) && !status) {
    xml.Open("ShippingCostSummary");
    if (l.shipping >= 0) {
      xml.Amount("ShippingServiceCost", converted(l.shipping), v.currency);
      if (parts & kPartShippingDetail) xml.Amount("InsuranceCost", 0, v.currency);
    }
    xml.Element("ShippingType", l.shipping < 0    ? "NotSpecified"
                                : l.shipping == 0 ? "Free"
                                                  : "Flat");
    xml.Close("ShippingCostSummary");
  }
  if ((parts & kPartSpecifics) && !status) {
    auto specifics = ListingText::Specifics(site, l);
    if (!specifics.empty()) {
      xml.Open("ItemSpecifics");
      for (const auto& [name, value] : specifics) {
        xml.Open("NameValueList");
        xml.Element("Name", name);
        xml.Element("Value", value);
        xml.Close("NameValueList");
      }
      xml.Close("ItemSpecifics");
    }
  }
  if (details) {
    if (!l.subtitle.empty()) xml.Element("Subtitle", l.subtitle);
    if (l.motorsSearchable) xml.Bool("GermanMotorsSearchable", true);
    xml.Bool("GetItFast", l.getItFast);
    xml.Bool("Gift", l.gift);
    xml.Bool("PictureExists", l.pictures > 0);
    if (l.format == ListingFormat::StoresFixedPrice) {
      const Seller& s = site.sellers[l.seller];
      xml.Open("Storefront");
      xml.Element("StoreURL", *v.base + "str/" + s.storeSlug);
      xml.Element("StoreName", s.storeName);
      xml.Close("Storefront");
    }
  }
  if (v.distance >= 0 && !status) {
    xml.ElementWithAttribute("DistanceFromBuyer", "unit", v.miles ? "mi" : "km",
                             std::to_string(static_cast<int64_t>(std::lround(v.distance))));
  }
  if ((parts & kPartLocation) && !status) xml.Element("Country", l.town->country);
  xml.Close("Item");
}
