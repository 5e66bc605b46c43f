#include "SiteCatalogue.h"

#include <algorithm>

#include "TextUtil.h"

void SiteCatalogue::AddWords(uint32_t listing, const std::vector<std::string>& titleWords,
                             const std::vector<std::string>& otherWords) {
  for (const std::string& w : titleWords) {
    auto& p = titleWords_[w];
    if (p.empty() || p.back() != listing) p.push_back(listing);
  }
  for (const std::string& w : otherWords) {
    auto& p = otherWords_[w];
    if (p.empty() || p.back() != listing) p.push_back(listing);
  }
}

void SiteCatalogue::FinishIndex() {
  for (auto& [w, p] : titleWords_)
    sortedTitle_.push_back(w);
  for (auto& [w, p] : otherWords_)
    sortedOther_.push_back(w);
  std::sort(sortedTitle_.begin(), sortedTitle_.end());
  std::sort(sortedOther_.begin(), sortedOther_.end());
}

void SiteCatalogue::IndexSeller(uint32_t seller) {
  sellerByLowerId_.emplace(TextUtil::Lower(sellers[seller].userId), seller);
}

int SiteCatalogue::FindSeller(const std::string& userId) const {
  auto it = sellerByLowerId_.find(TextUtil::Lower(TextUtil::Trim(userId)));
  return it == sellerByLowerId_.end() ? -1 : static_cast<int>(it->second);
}

void SiteCatalogue::Collect(const Postings& postings, const std::string& word, bool prefix,
                            std::vector<uint32_t>& out) const {
  if (!prefix) {
    auto it = postings.find(word);
    if (it != postings.end()) out.insert(out.end(), it->second.begin(), it->second.end());
    return;
  }
  const auto& sorted = &postings == &titleWords_ ? sortedTitle_ : sortedOther_;
  for (auto it = std::lower_bound(sorted.begin(), sorted.end(), word);
       it != sorted.end() && it->compare(0, word.size(), word) == 0; ++it) {
    const auto& p = postings.at(*it);
    out.insert(out.end(), p.begin(), p.end());
  }
}

std::vector<uint32_t> SiteCatalogue::Matching(const std::string& word, bool prefix,
                                              bool description) const {
  std::vector<uint32_t> out;
  Collect(titleWords_, word, prefix, out);
  if (description) Collect(otherWords_, word, prefix, out);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}
