#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AnswerContext.h"
#include "ItemWriter.h"
#include "ShoppingRequest.h"
#include "SiteCatalogue.h"

class Catalogue;

// FindItemsAdvanced over one site's catalogue: every filter of the request,
// the sort order, paging, and the answer's SearchResult, PageNumber,
// TotalPages, TotalItems and ItemSearchURL in the schema's order.
class FindItems {
 public:
  FindItems(const Catalogue& catalogue, const SiteCatalogue& site, const AnswerContext& context);

  // Reads and checks the request; false with eBay's error for a bad value.
  bool Parse(const ShoppingRequest& request, ShoppingError& error);
  // Writes everything after the answer's header.
  void Write(XmlWriter& xml);

  int TotalItems() const { return static_cast<int>(matches_.size()); }
  int PageSize() const { return entries_; }

 private:
  struct Term {
    std::vector<std::string> words;  // all required (one query word may hold several)
    bool prefix = false;
  };
  struct Match {
    uint32_t index;
    double key;
    double distance;
  };

  bool ParseKeywords(const std::string& text, ShoppingError& error);
  std::vector<uint32_t> Candidates() const;
  bool Accept(uint32_t index, Match& match) const;
  void Search();
  void WriteHistogram(XmlWriter& xml) const;

  const Catalogue& catalogue_;
  const SiteCatalogue& site_;
  AnswerContext context_;

  // The query.
  std::string keywords_;
  std::vector<std::vector<Term>> groups_;  // all groups required; one term of a group suffices
  std::vector<Term> excluded_;
  bool descriptionSearch_ = false;
  bool categoryGiven_ = false;
  int category_ = -1;
  std::string categoryId_;
  int64_t priceMin_ = -1, priceMax_ = -1;
  int bidMin_ = -1, bidMax_ = -1;
  int feedbackMin_ = -1, feedbackMax_ = -1;
  int64_t endFromMs_ = 0, endToMs_ = 0;
  std::string itemType_;
  int condition_ = 0;
  int businessType_ = 0;  // 1 commercial, 2 private
  std::vector<int> sellers_;
  bool sellerGiven_ = false;
  std::vector<int> excludedSellers_;
  const Town* buyer_ = nullptr;
  int maxDistance_ = -1;
  std::string availableTo_, locatedIn_;
  uint32_t flags_ = 0;
  bool payPal_ = false;
  enum class Sort {
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
  Sort sort_ = Sort::BestMatch;
  bool needState_ = false;  // prices or bids take part in filtering or sorting
  bool descending_ = false;
  int page_ = 1;
  int entries_ = 20;
  uint32_t parts_ = kPartCore | kPartGallery | kPartShipping;
  bool histogram_ = false;
  bool expansion_ = false;

  std::vector<Match> matches_;
};
