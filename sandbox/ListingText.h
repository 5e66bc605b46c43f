#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Listing.h"

class SiteCatalogue;

// Texts of a listing that are derived on demand rather than stored: the
// description, the item specifics and the picture addresses.
class ListingText {
 public:
  // HTML, in the site's language.
  static std::string Description(const SiteCatalogue& site, const Listing& listing);
  // The description's sentences as plain text, without the title (which it
  // repeats): what a description search looks at beyond the title. They
  // repeat across listings, so the word index can cache their words.
  static std::vector<std::string> DescriptionParts(const SiteCatalogue& site,
                                                   const Listing& listing);

  // Name/value pairs; "Condition" first when the listing has one ("Neu" or
  // "Gebraucht" on German-language sites, "New" or "Used" elsewhere).
  static std::vector<std::pair<std::string, std::string>> Specifics(const SiteCatalogue& site,
                                                                    const Listing& listing);

  // Paths below the sandbox's address ("pics/<item>/<n>_<w>x<h>.jpg"). A few
  // carry an upper-case ".JPG" and a query, a few are PNG, some are tiny
  // ("t") or broken ("b").
  static std::vector<std::string> PicturePaths(const std::string& itemId, const Listing& listing);
  static std::string GalleryPath(const std::string& itemId, const Listing& listing);

  // Brand and model of the listing's product ("" when the kind has none).
  static std::string Brand(const Listing& listing);
  static std::string Model(const Listing& listing);
};
