#include "ListingFactory.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <unordered_map>

#include "ListingText.h"
#include "Random.h"
#include "TextUtil.h"
#include "Vocabulary.h"

namespace {

constexpr int32_t kTenDays = 10 * 86400;

// Kinds the site sells and the categories each of them may be listed in.
struct KindChoice {
  uint16_t kind;
  std::vector<uint32_t> leaves;
};

std::vector<KindChoice> ChooseKinds(const SiteCatalogue& cat, bool builtin) {
  std::vector<KindChoice> out;
  const auto& kinds = Vocabulary::Kinds();
  const auto& builtinCats = Vocabulary::Categories();
  const size_t l = static_cast<size_t>(cat.lang);
  for (size_t k = 0; k < kinds.size(); ++k) {
    KindChoice choice{static_cast<uint16_t>(k), {}};
    if (builtin) {
      int node = cat.tree->Find(kinds[k].leafId);
      if (node >= 0) choice.leaves.push_back(static_cast<uint32_t>(node));
    } else {
      // Match the kind's noun and its built-in category name against the
      // leaves of the real tree, so a camera tends to land among cameras.
      std::vector<std::string> keys = TextUtil::Words(kinds[k].nouns[l]);
      for (const auto& bc : builtinCats) {
        if (std::string_view(bc.id) == kinds[k].leafId) {
          for (auto& w : TextUtil::Words(bc.names[l]))
            keys.push_back(w);
        }
      }
      keys.erase(std::remove_if(keys.begin(), keys.end(),
                                [](const std::string& w) { return w.size() < 4; }),
                 keys.end());
      for (uint32_t leaf : cat.tree->Leaves()) {
        bool hit = false;
        for (const auto& w : TextUtil::Words(cat.tree->Node(leaf).name)) {
          for (const auto& key : keys) {
            if (w.compare(0, key.size(), key) == 0) hit = true;
          }
        }
        if (hit) choice.leaves.push_back(leaf);
      }
      if (choice.leaves.empty()) choice.leaves = cat.tree->Leaves();
    }
    if (!choice.leaves.empty()) out.push_back(std::move(choice));
  }
  return out;
}

std::string Capitalised(std::string_view w) {
  std::string s(w);
  if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 32);
  return s;
}

std::string MemberName(Rnd::Stream& r, const LangPhrases& ph, bool commercial) {
  const auto& words = ph.sellerWords;
  const auto& names = ph.firstNames;
  static const char* seps[] = {"", ".", "_", "-"};
  std::string id;
  if (commercial) {
    id = std::string(words[r.Below(static_cast<uint32_t>(words.size()))]) + seps[r.Below(4)] +
         std::string(words[r.Below(static_cast<uint32_t>(words.size()))]);
    if (r.Chance(0.5)) id += std::to_string(r.Range(1, 99));
  } else {
    id = std::string(names[r.Below(static_cast<uint32_t>(names.size()))]);
    if (r.Chance(0.5))
      id += std::string(seps[r.Below(4)]) +
            std::string(words[r.Below(static_cast<uint32_t>(words.size()))]);
    id += std::to_string(r.Chance(0.4) ? r.Range(1950, 2005) : r.Range(1, 999));
  }
  return id;
}

int FeedbackScore(Rnd::Stream& r, bool commercial) {
  if (!commercial && r.Chance(0.05)) return 0;
  double lo = commercial ? std::log(200.0) : 0.0;
  double hi = commercial ? std::log(60000.0) : std::log(3000.0);
  return static_cast<int>(std::exp(lo + (hi - lo) * r.Uniform()));
}

bool UsedWord(std::string_view adjective) {
  static const char* used[] = {"used",  "gebraucht", "defekt",   "occasion", "gebruikt", "usato",
                               "usado", "używany",   "begagnad", "二手",     "repairs",  "九成新"};
  for (const char* u : used) {
    if (adjective.find(u) != std::string_view::npos) return true;
  }
  return false;
}

int64_t NicePrice(int64_t cents, bool fixed) {
  if (cents >= 10000)
    cents = (cents / 100) * 100;  // whole units above 100
  else
    cents = (cents / 10) * 10;
  if (fixed && cents > 100) cents -= 1;  // 19.99 rather than 20.00
  return std::max<int64_t>(cents, 50);
}

uint32_t Payments(Rnd::Stream& r, const SiteInfo& site) {
  std::string_view c = site.country;
  std::vector<uint32_t> pool;
  if (c == "DE" || c == "AT" || c == "CH") {
    pool = {kMoneyXferAccepted, kCashOnPickup, kCOD, kMoneyXferAcceptedInCheckout};
  } else if (c == "US" || c == "CA" || c == "AU") {
    pool = {kVisaMC, kPersonalCheck, kMOCC, kAmEx};
  } else if (c == "IN") {
    pool = {kPaisaPayAccepted, kCashOnPickup};
  } else {
    pool = {kMoneyXferAccepted, kCashOnPickup, kPaymentSeeDescription};
  }
  uint32_t mask = r.Chance(0.85) ? static_cast<uint32_t>(kPayPal) : 0u;
  int extra = r.Range(mask ? 0 : 1, 2);
  for (int i = 0; i < extra; ++i)
    mask |= pool[r.Below(static_cast<uint32_t>(pool.size()))];
  return mask;
}

}  // namespace

std::unique_ptr<SiteCatalogue> ListingFactory::Build(uint64_t seed, int siteIndex, uint32_t count,
                                                     const CategoryTree* fileTree) {
  auto cat = std::make_unique<SiteCatalogue>();
  const SiteInfo& site = SiteTable::Sites()[static_cast<size_t>(siteIndex)];
  cat->siteIndex = siteIndex;
  cat->site = &site;
  cat->lang = site.lang;
  if (fileTree) {
    cat->tree = fileTree;
  } else {
    cat->ownTree = CategoryTree::Builtin(site.lang, site.id == 100);
    cat->tree = &cat->ownTree;
  }
  const LangPhrases& ph = Vocabulary::Phrases(site.lang);
  const auto& kinds = Vocabulary::Kinds();
  std::vector<KindChoice> choices = ChooseKinds(*cat, fileTree == nullptr);
  const uint64_t siteKey = Rnd::Hash({seed, static_cast<uint64_t>(site.id)});

  // Sellers: about one per ten listings; a third of them commercial.
  uint32_t sellerCount = std::max<uint32_t>(12, count / 10);
  std::vector<uint32_t> commercial, privateSellers;
  std::set<std::string> taken;
  for (uint32_t s = 0; s < sellerCount; ++s) {
    Rnd::Stream r(Rnd::Hash({siteKey, 1, s}));
    Seller seller;
    seller.commercial = r.Chance(0.35) || s == 0;
    seller.userId = MemberName(r, ph, seller.commercial);
    if (!taken.insert(TextUtil::Lower(seller.userId)).second)
      seller.userId += "_" + std::to_string(s);
    taken.insert(TextUtil::Lower(seller.userId));
    seller.feedbackScore = FeedbackScore(r, seller.commercial);
    seller.positivePermille = 970 + static_cast<int>(r.Below(31));
    if (seller.commercial) {
      seller.storeName =
          Capitalised(ph.sellerWords[r.Below(static_cast<uint32_t>(ph.sellerWords.size()))]) + " " +
          Capitalised(ph.sellerWords[r.Below(static_cast<uint32_t>(ph.sellerWords.size()))]);
    }
    seller.storeSlug = TextUtil::Slug(seller.storeName);
    (seller.commercial ? commercial : privateSellers).push_back(s);
    cat->sellers.push_back(std::move(seller));
    cat->IndexSeller(s);
  }
  if (privateSellers.empty()) privateSellers = commercial;
  for (uint32_t b = 0; b < 300; ++b) {
    Rnd::Stream r(Rnd::Hash({siteKey, 2, b}));
    Member m;
    m.userId = MemberName(r, ph, false) + (r.Chance(0.3) ? "x" : "");
    m.feedbackScore = FeedbackScore(r, false);
    cat->bidders.push_back(std::move(m));
  }

  // Where listings come from: mostly the home country, some from neighbours.
  const auto& home = SiteTable::TownsOf(site.country);
  std::vector<const Town*> abroad;
  for (const auto& code : Vocabulary::Split(site.neighbours)) {
    for (size_t p = 0; p < code.size(); p += 3) {
      for (const Town* t : SiteTable::TownsOf(code.substr(p, 2)))
        abroad.push_back(t);
    }
  }
  if (abroad.empty()) abroad = home;

  cat->listings.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    Rnd::Stream r(Rnd::Hash({siteKey, 3, i}));
    Listing l{};
    l.index = i;
    l.site = static_cast<uint8_t>(siteIndex);
    const KindChoice& choice = choices[r.Below(static_cast<uint32_t>(choices.size()))];
    const Kind& kind = kinds[choice.kind];
    l.kind = choice.kind;
    l.category = choice.leaves[r.Below(static_cast<uint32_t>(choice.leaves.size()))];
    l.product = static_cast<uint8_t>(r.Below(static_cast<uint32_t>(kind.products.size())));
    l.detail = kind.details.empty() || r.Chance(0.4)
                   ? -1
                   : static_cast<int8_t>(r.Below(static_cast<uint32_t>(kind.details.size())));

    // Format and seller: store listings belong to commercial sellers.
    double f = r.Uniform();
    l.format = f < 0.55   ? ListingFormat::Chinese
               : f < 0.80 ? ListingFormat::FixedPrice
                          : ListingFormat::StoresFixedPrice;
    if (kind.classified && r.Chance(0.2)) l.format = ListingFormat::AdType;
    const auto& pool = l.format == ListingFormat::StoresFixedPrice ? commercial
                       : r.Chance(0.45)                            ? commercial
                                                                   : privateSellers;
    l.seller = pool[r.Below(static_cast<uint32_t>(pool.size()))];
    const Seller& seller = cat->sellers[l.seller];

    // Condition: most commercial sellers sell new goods, most private ones used.
    double c = r.Uniform();
    l.condition = c < 0.08 ? 0 : (r.Chance(seller.commercial ? 0.8 : 0.25) ? 1 : 2);

    // Title: brand, model, noun, a detail, the kind's extra and a few words.
    std::string brand = ListingText::Brand(l), model = ListingText::Model(l);
    std::vector<std::string> parts = {brand};
    if (!model.empty()) parts.push_back(model);
    parts.emplace_back(kind.nouns[static_cast<size_t>(site.lang)]);
    if (l.detail >= 0) parts.emplace_back(kind.details[static_cast<size_t>(l.detail)]);
    l.colour = -1;
    switch (kind.extra) {
      case KindExtra::Size: {
        bool shoes = std::string_view(kind.leafId) == "63889";
        l.extra = static_cast<uint16_t>(shoes ? r.Range(37, 46) : 34 + 2 * r.Range(0, 6));
        parts.push_back(std::string(ph.sizePrefix) + " " + std::to_string(l.extra));
        l.colour = static_cast<int8_t>(r.Below(static_cast<uint32_t>(ph.colours.size())));
        break;
      }
      case KindExtra::Format:
        l.extra = static_cast<uint16_t>(r.Below(static_cast<uint32_t>(ph.formats.size())));
        parts.emplace_back(ph.formats[l.extra]);
        break;
      case KindExtra::Year:
        l.extra =
            static_cast<uint16_t>(kind.priceLo >= 800 ? r.Range(1992, 2019) : r.Range(1965, 2015));
        parts.push_back(std::to_string(l.extra));
        break;
      case KindExtra::None:
        break;
    }
    int adjectives = static_cast<int>(r.Below(3));
    for (int a = 0; a < adjectives; ++a) {
      std::string_view adj = ph.adjectives[r.Below(static_cast<uint32_t>(ph.adjectives.size()))];
      if (l.condition == 1 && UsedWord(adj)) continue;
      if (std::find(parts.begin(), parts.end(), adj) != parts.end()) continue;
      parts.emplace_back(adj);
    }
    for (const auto& p : parts) {
      if (p.empty()) continue;
      if (l.title.size() + p.size() + 1 > 80) break;  // eBay's title limit
      if (!l.title.empty()) l.title += ' ';
      l.title += p;
    }
    if (r.Chance(0.2))
      l.subtitle = std::string(ph.subtitles[r.Below(static_cast<uint32_t>(ph.subtitles.size()))]);

    // Times: ends spread from five minutes to ten days after the origin,
    // a few more of them early.
    l.endSec = 300 + static_cast<int32_t>(std::pow(r.Uniform(), 1.3) * (kTenDays - 300));
    // Every listing has started already: its duration reaches back past the origin.
    static const int auctionDays[] = {1, 3, 5, 7, 10};
    static const int fixedDays[] = {3, 7, 10, 30, 30};
    const int* durations = l.format == ListingFormat::Chinese ? auctionDays : fixedDays;
    int first = 0;
    while (first < 4 && durations[first] * 86400 < l.endSec)
      ++first;
    int days = l.format == ListingFormat::StoresFixedPrice
                   ? 30
                   : durations[first + static_cast<int>(r.Below(static_cast<uint32_t>(5 - first)))];
    l.startSec = l.endSec - days * 86400;

    // Prices: log-uniform in the kind's range, in the site's currency.
    double usd = std::exp(std::log(kind.priceLo) +
                          (std::log(kind.priceHi) - std::log(kind.priceLo)) * r.Uniform());
    int64_t value = SiteTable::Convert(static_cast<int64_t>(usd * 100), "USD", site.currency);
    l.value = NicePrice(value, false);
    if (l.format == ListingFormat::Chinese) {
      l.startPrice = r.Chance(0.3) ? SiteTable::Convert(100, "USD", site.currency)
                                   : NicePrice(value * r.Range(20, 70) / 100, false);
      l.startPrice = std::max<int64_t>(l.startPrice, 1);
      if (r.Chance(0.3)) l.binPrice = NicePrice(value * 6 / 5, true);
      static const float rates[] = {0.0f, 0.0f, 0.3f, 0.6f, 1.0f, 1.5f, 2.5f};
      l.bidRate = r.Pick(rates);
      l.bidSpread = static_cast<float>(5 + r.Below(40));
      l.bidPhase = static_cast<float>(r.Uniform());
      l.quantity = 1;
    } else {
      l.startPrice = NicePrice(value, true);
      l.quantity = static_cast<uint16_t>(r.Chance(0.6) ? 1 : r.Range(2, 20));
      l.bestOffer = l.format != ListingFormat::AdType && r.Chance(0.15);
    }

    // Location and shipping.
    bool foreign = r.Chance(0.15);
    const auto& towns = foreign ? abroad : home;
    l.town = towns[r.Below(static_cast<uint32_t>(towns.size()))];
    if (kind.priceLo >= 800 || l.format == ListingFormat::AdType) {
      l.shipping = -1;  // vehicles are collected
      l.shipsTo = ShipsTo::Domestic;
    } else {
      double s = r.Uniform();
      l.shipping = s < 0.25 ? 0
                   : s < 0.30
                       ? -1
                       : static_cast<int32_t>(NicePrice(
                             SiteTable::Convert(r.Range(390, 2500), "USD", site.currency), true));
      double t = r.Uniform();
      l.shipsTo = foreign || t < 0.2                             ? ShipsTo::Worldwide
                  : t < 0.5 && SiteTable::InEurope(site.country) ? ShipsTo::Europe
                                                                 : ShipsTo::Domestic;
    }
    l.payments = Payments(r, site);

    // Pictures and flags.
    l.pictures = static_cast<uint8_t>(r.Chance(0.1) ? 0 : r.Range(1, 5));
    l.gallery = l.pictures > 0 && r.Chance(0.85);
    l.getItFast = seller.commercial && r.Chance(0.1);
    l.gift = r.Chance(0.03);
    l.charity = l.format == ListingFormat::Chinese && r.Chance(0.01);
    l.lot = r.Chance(0.02);
    l.motorsSearchable = site.id == 77 && kind.priceLo >= 800;
    if (l.colour < 0 && kind.hasBrand && r.Chance(0.3)) {
      l.colour = static_cast<int8_t>(r.Below(static_cast<uint32_t>(ph.colours.size())));
    }

    cat->listings.push_back(std::move(l));
  }

  // Word index: titles, then subtitles and descriptions for description
  // searches. Description sentences repeat, so their words are cached.
  std::unordered_map<std::string, std::vector<std::string>> sentenceWords;
  auto wordsOf = [&sentenceWords](const std::string& text) -> const std::vector<std::string>& {
    auto it = sentenceWords.find(text);
    if (it == sentenceWords.end()) it = sentenceWords.emplace(text, TextUtil::Words(text)).first;
    return it->second;
  };
  for (const Listing& l : cat->listings) {
    std::vector<std::string> other = TextUtil::Words(l.subtitle);
    for (std::string part : ListingText::DescriptionParts(*cat, l)) {
      // The title it repeats is indexed as the title already.
      if (size_t at = part.find("{TITLE}"); at != std::string::npos) part.erase(at, 7);
      const auto& words = wordsOf(part);
      other.insert(other.end(), words.begin(), words.end());
    }
    std::vector<std::string> title = TextUtil::Words(l.title);
    std::sort(title.begin(), title.end());
    title.erase(std::unique(title.begin(), title.end()), title.end());
    std::sort(other.begin(), other.end());
    other.erase(std::unique(other.begin(), other.end()), other.end());
    cat->AddWords(l.index, title, other);
  }
  cat->FinishIndex();
  return cat;
}
