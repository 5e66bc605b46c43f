#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "CategoryTree.h"
#include "Listing.h"
#include "SiteTable.h"

// Everything the sandbox sells on one site: listings in best-match order,
// sellers, bidders, the category tree and a word index for keyword searches.
// Built once, then only read (from any thread).
class SiteCatalogue {
 public:
  int siteIndex = 0;
  const SiteInfo* site = nullptr;
  Lang lang = Lang::En;
  const CategoryTree* tree = nullptr;  // ownTree or a tree of Categories.xml
  CategoryTree ownTree;
  std::vector<Listing> listings;
  std::vector<Seller> sellers;
  std::vector<Member> bidders;

  // Listings whose title holds the word (or, with description, whose
  // subtitle or description does), ascending; with prefix, every word that
  // starts with it counts.
  std::vector<uint32_t> Matching(const std::string& word, bool prefix, bool description) const;

  // Index of the seller with this user id (any letter case), -1 if none.
  int FindSeller(const std::string& userId) const;

  void AddWords(uint32_t listing, const std::vector<std::string>& titleWords,
                const std::vector<std::string>& otherWords);
  void FinishIndex();
  void IndexSeller(uint32_t seller);

 private:
  using Postings = std::unordered_map<std::string, std::vector<uint32_t>>;
  void Collect(const Postings& postings, const std::string& word, bool prefix,
               std::vector<uint32_t>& out) const;

  Postings titleWords_;
  Postings otherWords_;
  std::vector<std::string> sortedTitle_;
  std::vector<std::string> sortedOther_;
  std::unordered_map<std::string, uint32_t> sellerByLowerId_;
};
