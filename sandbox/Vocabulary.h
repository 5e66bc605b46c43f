#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "SiteTable.h"

// What a listing title is made of, beyond the kind's own product.
enum class KindExtra : uint8_t { None, Size, Format, Year };

// One kind of product the sandbox sells: its category in the built-in tree,
// its products ("Brand~Model"), its noun in every language and a price range.
struct Kind {
  const char* leafId;
  std::vector<std::string_view> products;
  std::vector<std::string_view> details;  // language-neutral title additions
  std::string_view nouns[static_cast<int>(Lang::Count)];
  int priceLo;  // US dollars
  int priceHi;
  KindExtra extra;
  bool hasBrand;    // offers a "Brand" item specific
  bool classified;  // may be listed as a classified ad
};

// A category of the built-in tree (used when no Categories.xml is found).
struct BuiltinCategory {
  const char* id;
  const char* parentId;  // "" at the top level
  std::string_view names[static_cast<int>(Lang::Count)];
};

// The words a language contributes to titles, subtitles, descriptions,
// item specifics and member names.
struct LangPhrases {
  std::vector<std::string_view> adjectives;
  std::vector<std::string_view> subtitles;
  std::vector<std::string_view> formats;
  std::vector<std::string_view> colours;
  std::string_view sizePrefix;
  std::string_view brandName;
  std::string_view colourName;
  std::string_view modelName;
  std::string_view sizeName;
  std::vector<std::string_view> intros;  // "{TITLE}" is replaced
  std::string_view conditionNew;
  std::string_view conditionUsed;
  std::string_view privateSale;
  std::string_view commercialSale;
  std::string_view shipping;
  std::vector<std::string_view> sellerWords;  // ASCII only: they become user ids
  std::vector<std::string_view> firstNames;
};

class Vocabulary {
 public:
  static const std::vector<Kind>& Kinds();
  static const std::vector<BuiltinCategory>& Categories();
  static const LangPhrases& Phrases(Lang lang);

  // Splits "a|b|c" into views of a string with static lifetime.
  static std::vector<std::string_view> Split(std::string_view list);
};
