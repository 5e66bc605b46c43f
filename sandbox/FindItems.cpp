#include "FindItems.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <map>

#include "AuctionModel.h"
#include "Catalogue.h"
#include "TextUtil.h"

namespace {

const char* kFlags[] = {"Charity",
                        "DigitalDelivery",
                        "FreeShipping",
                        "Gallery",
                        "GermanMotorsSearchable",
                        "GetItFast",
                        "Gift",
                        "LocalSearch",
                        "Lot",
                        "NowAndNew",
                        "Picture"};
const char* kItemTypes[] = {"AdFormat",
                            "AllFixedPriceItemTypes",
                            "AllItems",
                            "AllItemTypes",
                            "AuctionItemsOnly",
                            "ClassifiedItemsOnly",
                            "ExcludeStoreInventory",
                            "FixedPricedItem",
                            "FixedPriceExcludeStoreInventory",
                            "StoreInventoryOnly"};
const char* kSorts[] = {
    "BestMatch", "BestMatchCategoryGroup", "BidCount", "Country", "CurrentBid", "Distance",
    "EndTime",   "PricePlusShipping",      "StartDate"};

template <size_t N>
int IndexIn(const char* (&list)[N], const std::string& text) {
  for (size_t i = 0; i < N; ++i) {
    if (text == list[i]) return static_cast<int>(i);
  }
  return -1;
}

// Bits of the search flags, in the order of kFlags.
enum FlagBit : uint32_t {
  kCharity = 1u << 0,
  kDigitalDelivery = 1u << 1,
  kFreeShipping = 1u << 2,
  kGallery = 1u << 3,
  kGermanMotorsSearchable = 1u << 4,
  kGetItFast = 1u << 5,
  kGift = 1u << 6,
  kLot = 1u << 8,
  kNowAndNew = 1u << 9,
  kPicture = 1u << 10,
};

bool TypeMatches(const std::string& type, ListingFormat f) {
  if (type.empty() || type == "AllItemTypes") return true;
  bool auction = f == ListingFormat::Chinese, fixed = f == ListingFormat::FixedPrice;
  bool store = f == ListingFormat::StoresFixedPrice, ad = f == ListingFormat::AdType;
  if (type == "AuctionItemsOnly") return auction;
  if (type == "FixedPricedItem" || type == "AllFixedPriceItemTypes") return fixed || store;
  if (type == "FixedPriceExcludeStoreInventory") return fixed;
  if (type == "StoreInventoryOnly") return store;
  if (type == "AllItems" || type == "ExcludeStoreInventory") return !store;
  if (type == "AdFormat" || type == "ClassifiedItemsOnly") return ad;
  return true;
}

std::vector<uint32_t> Intersect(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  std::vector<uint32_t> out;
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

std::vector<uint32_t> Unite(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  std::vector<uint32_t> out;
  std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

std::string Country(std::string text) {
  text = TextUtil::Trim(text);
  for (char& c : text)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text == "UK" ? "GB" : text;
}

}  // namespace

FindItems::FindItems(const Catalogue& catalogue, const SiteCatalogue& site,
                     const AnswerContext& context)
    : catalogue_(catalogue), site_(site), context_(context) {}

bool FindItems::ParseKeywords(const std::string& text, ShoppingError& error) {
  keywords_ = TextUtil::Trim(text);
  if (keywords_.size() > 350) {
    error = ShoppingRequest::InvalidInput("QueryKeywords");
    return false;
  }
  auto makeTerm = [](std::string word, Term& term) {
    if (!word.empty() && word.back() == '*') {
      word.pop_back();
      // A one-letter prefix would drag in most of the catalogue: taken as a word.
      term.prefix = word.size() >= 2;
    }
    term.words = TextUtil::Words(word);
    return !term.words.empty();
  };
  size_t i = 0;
  while (i < keywords_.size()) {
    char c = keywords_[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    std::vector<Term> group;
    if (c == '(') {
      // (a,b,c): any one of them
      size_t close = keywords_.find(')', i);
      std::string inner =
          keywords_.substr(i + 1, (close == std::string::npos ? keywords_.size() : close) - i - 1);
      i = close == std::string::npos ? keywords_.size() : close + 1;
      size_t start = 0;
      while (start <= inner.size()) {
        size_t comma = inner.find_first_of(", ", start);
        std::string word =
            inner.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        Term t;
        if (makeTerm(word, t)) group.push_back(std::move(t));
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
    } else {
      size_t end = i;
      while (end < keywords_.size() && !std::isspace(static_cast<unsigned char>(keywords_[end])))
        ++end;
      std::string word = keywords_.substr(i, end - i);
      i = end;
      Term t;
      if (word.size() > 1 && word[0] == '-') {
        if (makeTerm(word.substr(1), t)) excluded_.push_back(std::move(t));
        continue;
      }
      if (makeTerm(word, t)) group.push_back(std::move(t));
    }
    if (!group.empty()) groups_.push_back(std::move(group));
  }
  if (groups_.size() + excluded_.size() > 40) {
    error = ShoppingRequest::InvalidInput("QueryKeywords");
    return false;
  }
  return true;
}

bool FindItems::Parse(const ShoppingRequest& r, ShoppingError& e) {
  auto bad = [&](const char* parameter) {
    e = ShoppingRequest::InvalidInput(parameter);
    return false;
  };
  auto intField = [&](const char* name, int lo, int hi, int& out) {
    const std::string* t = r.First(name);
    if (!t) return true;
    int64_t v = 0;
    if (!TextUtil::ParseInt(*t, v) || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
  };
  if (const std::string* k = r.First("QueryKeywords")) {
    if (!ParseKeywords(*k, e)) return false;
  }
  if (const std::string* d = r.First("DescriptionSearch"))
    descriptionSearch_ = TextUtil::Lower(TextUtil::Trim(*d)) == "true";
  if (const std::string* c = r.First("CategoryID")) {
    categoryGiven_ = true;
    categoryId_ = TextUtil::Trim(*c);
    if (categoryId_.empty() || categoryId_.size() > 10) return bad("CategoryID");
    category_ = site_.tree->Find(categoryId_);
  }
  for (const char* name : {"PriceMin", "PriceMax"}) {
    if (const std::string* t = r.First(name)) {
      double v = 0;
      if (!TextUtil::ParseDecimal(*t, v) || v < 0 || v > 1e12) return bad(name);
      (std::string_view(name) == "PriceMin" ? priceMin_ : priceMax_) = std::llround(v * 100);
    }
  }
  if (!intField("BidCountMin", 0, 1000000, bidMin_)) return bad("BidCountMin");
  if (!intField("BidCountMax", 0, 1000000, bidMax_)) return bad("BidCountMax");
  if (!intField("FeedbackScoreMin", 0, 100000000, feedbackMin_)) return bad("FeedbackScoreMin");
  if (!intField("FeedbackScoreMax", 0, 100000000, feedbackMax_)) return bad("FeedbackScoreMax");
  if (const std::string* t = r.First("EndTimeFrom")) {
    if (!TextUtil::ParseIsoTime(*t, endFromMs_)) return bad("EndTimeFrom");
  }
  if (const std::string* t = r.First("EndTimeTo")) {
    if (!TextUtil::ParseIsoTime(*t, endToMs_)) return bad("EndTimeTo");
  }
  if (const std::string* t = r.First("ItemType")) {
    itemType_ = TextUtil::Trim(*t);
    if (IndexIn(kItemTypes, itemType_) < 0) return bad("ItemType");
  }
  if (const std::string* t = r.First("Condition")) {
    std::string c = TextUtil::Trim(*t);
    if (c == "New")
      condition_ = 1;
    else if (c == "Used")
      condition_ = 2;
    else
      return bad("Condition");
  }
  if (const std::string* t = r.First("SellerBusinessType")) {
    std::string b = TextUtil::Trim(*t);
    if (b == "Commercial")
      businessType_ = 1;
    else if (b == "Private")
      businessType_ = 2;
    else if (b != "Undefined")
      return bad("SellerBusinessType");
  }
  for (const std::string& s : r.All("SellerID")) {
    if (TextUtil::Trim(s).empty()) return bad("SellerID");
    sellerGiven_ = true;
    sellers_.push_back(site_.FindSeller(s));
  }
  for (const std::string& s : r.All("SellerIDExclude"))
    excludedSellers_.push_back(site_.FindSeller(s));
  if (const std::string* t = r.First("PostalCode")) {
    buyer_ = SiteTable::FindByPostalCode(site_.site->country, *t);
    if (!buyer_ || TextUtil::Trim(*t).size() > 12) return bad("PostalCode");
  }
  if (!intField("MaxDistance", 0, 100000, maxDistance_)) return bad("MaxDistance");
  if (maxDistance_ >= 0 && !buyer_) return bad("PostalCode");
  for (auto [name, target] :
       {std::pair{"ItemsAvailableTo", &availableTo_}, std::pair{"ItemsLocatedIn", &locatedIn_}}) {
    if (const std::string* t = r.First(name)) {
      *target = Country(*t);
      if (target->size() != 2 || !std::isalpha(static_cast<unsigned char>((*target)[0])) ||
          !std::isalpha(static_cast<unsigned char>((*target)[1]))) {
        return bad(name);
      }
    }
  }
  for (const std::string& f : r.All("SearchFlag")) {
    int bit = IndexIn(kFlags, TextUtil::Trim(f));
    if (bit < 0) return bad("SearchFlag");
    flags_ |= 1u << bit;
  }
  if (const std::string* t = r.First("PaymentMethod")) payPal_ = TextUtil::Trim(*t) == "PayPal";
  if (const std::string* t = r.First("ItemSort")) {
    int sort = IndexIn(kSorts, TextUtil::Trim(*t));
    if (sort < 0) return bad("ItemSort");
    sort_ = static_cast<Sort>(sort);
    if (sort_ == Sort::Distance && !buyer_) return bad("PostalCode");
  }
  if (const std::string* t = r.First("SortOrder")) {
    std::string o = TextUtil::Trim(*t);
    if (o != "Ascending" && o != "Descending") return bad("SortOrder");
    descending_ = o == "Descending";
  }
  if (!intField("PageNumber", 1, 1000000, page_)) return bad("PageNumber");
  if (!intField("MaxEntries", 1, 200, entries_)) return bad("MaxEntries");
  needState_ = priceMin_ >= 0 || priceMax_ >= 0 || bidMin_ >= 0 || bidMax_ >= 0 ||
               sort_ == Sort::BidCount || sort_ == Sort::CurrentBid ||
               sort_ == Sort::PricePlusShipping;
  if (const std::string* t = r.First("IncludeSelector")) {
    size_t start = 0;
    while (start <= t->size()) {
      size_t comma = t->find(',', start);
      std::string s = TextUtil::Trim(
          t->substr(start, comma == std::string::npos ? std::string::npos : comma - start));
      if (TextUtil::EqualsNoCase(s, "Details"))
        parts_ |= kPartDetails | kPartLocation | kPartPictures;
      if (TextUtil::EqualsNoCase(s, "SellerInfo")) parts_ |= kPartSeller;
      if (TextUtil::EqualsNoCase(s, "ItemSpecifics")) parts_ |= kPartSpecifics;
      if (TextUtil::EqualsNoCase(s, "CategoryHistogram")) histogram_ = true;
      if (TextUtil::EqualsNoCase(s, "ExpansionItemCount")) expansion_ = true;
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  return true;
}

std::vector<uint32_t> FindItems::Candidates() const {
  std::vector<uint32_t> result;
  bool first = true;
  for (const auto& group : groups_) {
    std::vector<uint32_t> any;
    for (const Term& term : group) {
      std::vector<uint32_t> all;
      for (size_t w = 0; w < term.words.size(); ++w) {
        bool prefix = term.prefix && w + 1 == term.words.size();
        auto hits = site_.Matching(term.words[w], prefix, descriptionSearch_);
        all = w == 0 ? std::move(hits) : Intersect(all, hits);
      }
      any = Unite(any, all);
    }
    result = first ? std::move(any) : Intersect(result, any);
    first = false;
    if (result.empty()) break;
  }
  return result;
}

bool FindItems::Accept(uint32_t index, Match& match) const {
  const Listing& l = site_.listings[index];
  const double now = context_.NowSeconds();
  if (now >= l.endSec) return false;  // searches see running listings only
  if (categoryGiven_ &&
      (category_ < 0 || !site_.tree->Contains(static_cast<uint32_t>(category_), l.category))) {
    return false;
  }
  if (sellerGiven_ &&
      std::find(sellers_.begin(), sellers_.end(), static_cast<int>(l.seller)) == sellers_.end()) {
    return false;
  }
  if (std::find(excludedSellers_.begin(), excludedSellers_.end(), static_cast<int>(l.seller)) !=
      excludedSellers_.end()) {
    return false;
  }
  const Seller& seller = site_.sellers[l.seller];
  if (businessType_ == 1 && !seller.commercial) return false;
  if (businessType_ == 2 && seller.commercial) return false;
  if (feedbackMin_ >= 0 && seller.feedbackScore < feedbackMin_) return false;
  if (feedbackMax_ >= 0 && seller.feedbackScore > feedbackMax_) return false;
  if (!TypeMatches(itemType_, l.format)) return false;
  if (condition_ != 0 && l.condition != condition_) return false;
  if (flags_) {
    bool bin = l.format == ListingFormat::FixedPrice || l.format == ListingFormat::StoresFixedPrice;
    if ((flags_ & kCharity) && !l.charity) return false;
    if (flags_ & kDigitalDelivery) return false;  // nothing here is delivered digitally
    if ((flags_ & kFreeShipping) && l.shipping != 0) return false;
    if ((flags_ & kGallery) && !l.gallery) return false;
    if ((flags_ & kGermanMotorsSearchable) && !l.motorsSearchable) return false;
    if ((flags_ & kGetItFast) && !l.getItFast) return false;
    if ((flags_ & kGift) && !l.gift) return false;
    if ((flags_ & kLot) && !l.lot) return false;
    if ((flags_ & kNowAndNew) && !(bin && l.condition == 1)) return false;
    if ((flags_ & kPicture) && l.pictures == 0) return false;
  }
  if (!locatedIn_.empty() && locatedIn_ != l.town->country) return false;
  if (!availableTo_.empty()) {
    bool ok = l.shipsTo == ShipsTo::Worldwide ||
              (l.shipsTo == ShipsTo::Europe && SiteTable::InEurope(availableTo_)) ||
              availableTo_ == l.town->country;
    if (!ok) return false;
  }
  if (payPal_ && !(l.payments & kPayPal)) return false;
  int64_t endMs = context_.originMs + int64_t{l.endSec} * 1000;
  if (endFromMs_ && endMs < endFromMs_) return false;
  if (endToMs_ && endMs > endToMs_) return false;
  match.distance = -1;
  if (buyer_) {
    double km = SiteTable::DistanceKm(*l.town, *buyer_);
    match.distance = context_.site->miles ? km / 1.609344 : km;
    if (maxDistance_ >= 0 && match.distance > maxDistance_) return false;
  }
  // Prices and bids change with time; work them out only when needed.
  int bids = 0;
  int64_t price = l.startPrice;
  if (needState_) {
    bids = AuctionModel::BidsAt(l, now);
    price = AuctionModel::PriceAfter(l, bids);
    if (priceMin_ >= 0 && price < priceMin_) return false;
    if (priceMax_ >= 0 && price > priceMax_) return false;
    if (bidMin_ >= 0 && bids < bidMin_) return false;
    if (bidMax_ >= 0 && bids > bidMax_) return false;
  }
  double key = index;
  switch (sort_) {
    case Sort::BestMatch:
    case Sort::BestMatchCategoryGroup:
      break;
    case Sort::BidCount:
      key = bids;
      break;
    case Sort::Country:
      key = l.town->country[0] * 256.0 + l.town->country[1];
      break;
    case Sort::CurrentBid:
      key = static_cast<double>(price);
      break;
    case Sort::Distance:
      key = match.distance;
      break;
    case Sort::EndTime:
      key = l.endSec;
      break;
    case Sort::PricePlusShipping:
      key = static_cast<double>(price + std::max(l.shipping, 0));
      break;
    case Sort::StartDate:
      key = l.startSec;
      break;
  }
  match.key = descending_ ? -key : key;
  match.index = index;
  return true;
}

void FindItems::Search() {
  std::vector<uint32_t> excluded;
  for (const Term& t : excluded_) {
    for (size_t w = 0; w < t.words.size(); ++w) {
      bool prefix = t.prefix && w + 1 == t.words.size();
      excluded = Unite(excluded, site_.Matching(t.words[w], prefix, descriptionSearch_));
    }
  }
  auto consider = [&](uint32_t i) {
    if (!excluded.empty() && std::binary_search(excluded.begin(), excluded.end(), i)) return;
    Match m{};
    if (Accept(i, m)) matches_.push_back(m);
  };
  if (groups_.empty()) {
    const uint32_t n = static_cast<uint32_t>(site_.listings.size());
    matches_.reserve(n);
    for (uint32_t i = 0; i < n; ++i)
      consider(i);
  } else {
    for (uint32_t i : Candidates())
      consider(i);
  }
  // Best match is the catalogue's own order; everything else is sorted, ties
  // by that order, only as far as the requested page needs.
  if (sort_ != Sort::BestMatch && sort_ != Sort::BestMatchCategoryGroup) {
    auto less = [](const Match& a, const Match& b) {
      return a.key != b.key ? a.key < b.key : a.index < b.index;
    };
    size_t needed =
        std::min(matches_.size(), static_cast<size_t>(page_) * static_cast<size_t>(entries_));
    std::partial_sort(matches_.begin(), matches_.begin() + static_cast<long>(needed),
                      matches_.end(), less);
  }
}

void FindItems::WriteHistogram(XmlWriter& xml) const {
  const CategoryTree& tree = *site_.tree;
  std::map<uint32_t, int> counts;  // top-level and second-level categories
  for (const Match& m : matches_) {
    uint32_t node = site_.listings[m.index].category;
    while (true) {
      if (tree.Node(node).depth <= 2) ++counts[node];
      if (tree.Node(node).parent < 0) break;
      node = static_cast<uint32_t>(tree.Node(node).parent);
    }
  }
  xml.Open("CategoryHistogram");
  for (const auto& [node, count] : counts) {
    const CategoryNode& c = tree.Node(node);
    xml.Open("Category");
    xml.Element("CategoryID", c.id);
    xml.Element("CategoryLevel", c.depth);
    xml.Element("CategoryName", c.name);
    if (c.parent >= 0) {
      xml.Element("CategoryParentID", tree.Node(static_cast<uint32_t>(c.parent)).id);
      xml.Element("CategoryParentName", tree.Node(static_cast<uint32_t>(c.parent)).name);
    }
    xml.Element("ItemCount", count);
    xml.Close("Category");
  }
  xml.Close("CategoryHistogram");
}

void FindItems::Write(XmlWriter& xml) {
  Search();
  const int total = static_cast<int>(matches_.size());
  const int totalPages = (total + entries_ - 1) / entries_;
  const size_t first = static_cast<size_t>(page_ - 1) * static_cast<size_t>(entries_);
  auto writeItem = [&](const Match& m) {
    const Listing& l = site_.listings[m.index];
    ItemView v{&site_,
               &l,
               catalogue_.ItemId(site_.siteIndex, l.index),
               AuctionModel::StateAt(context_.seed, l, context_.NowSeconds(),
                                     static_cast<uint32_t>(site_.bidders.size())),
               context_.site->currency,
               &context_.base,
               context_.originMs,
               m.distance,
               context_.site->miles};
    ItemWriter::Write(xml, v, parts_);
  };
  if (first < matches_.size()) {
    size_t last = std::min(matches_.size(), first + static_cast<size_t>(entries_));
    if (sort_ == Sort::BestMatchCategoryGroup) {
      // One SearchResult per top-level category, in order of first appearance.
      std::vector<uint32_t> tops;
      for (size_t i = first; i < last; ++i) {
        uint32_t top = site_.tree->TopOf(site_.listings[matches_[i].index].category);
        if (std::find(tops.begin(), tops.end(), top) == tops.end()) tops.push_back(top);
      }
      for (uint32_t top : tops) {
        int groupCount = 0;
        for (const Match& m : matches_)
          groupCount += site_.tree->Contains(top, site_.listings[m.index].category);
        xml.Open("SearchResult");
        xml.Element("CategoryGroupNamePath", site_.tree->Node(top).namePath);
        xml.Element("CategoryGroupIDPath", site_.tree->Node(top).id);
        xml.Element("CategoryGroupItemCount", groupCount);
        xml.Open("ItemArray");
        for (size_t i = first; i < last; ++i) {
          if (site_.tree->TopOf(site_.listings[matches_[i].index].category) == top)
            writeItem(matches_[i]);
        }
        xml.Close("ItemArray");
        xml.Close("SearchResult");
      }
    } else {
      xml.Open("SearchResult");
      xml.Open("ItemArray");
      for (size_t i = first; i < last; ++i)
        writeItem(matches_[i]);
      xml.Close("ItemArray");
      xml.Close("SearchResult");
    }
  }
  xml.Element("PageNumber", page_);
  xml.Element("TotalPages", totalPages);
  xml.Element("TotalItems", total);
  if (histogram_) WriteHistogram(xml);
  if (expansion_) {
    xml.Element("TotalStoresExpansionItems", 0);
    xml.Element("TotalInternationalExpansionItems", 0);
  }
  std::string url = context_.base + "sch/i.html?_nkw=" + TextUtil::UrlEncode(keywords_);
  if (categoryGiven_) url += "&_sacat=" + TextUtil::UrlEncode(categoryId_);
  xml.Element("ItemSearchURL", url);
}
