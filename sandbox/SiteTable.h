#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The languages the sandbox writes listings in.
enum class Lang : uint8_t { En, De, Fr, Nl, It, Es, Pl, Sv, Zh, Count };

struct SiteInfo {
  int id;
  const char* code;      // short code, empty for eBay Motors
  const char* name;      // eBay's site name as in "Site" elements
  const char* currency;  // currency of the site's listings and converted prices
  Lang lang;
  const char* country;     // ISO country of the site's home market
  const char* host;        // the real site's host, used in texts only
  bool miles;              // distances in miles (US, UK) rather than km
  const char* neighbours;  // countries some of its sellers come from, space separated
};

// A town with a postal code and coordinates, so that distance searches work.
struct Town {
  const char* country;
  const char* name;
  const char* postalCode;
  double lat;
  double lon;
};

// The 25 sites, their currencies and the places listings come from. The
// sandbox keeps its own small table so it stays independent of the client.
class SiteTable {
 public:
  static const std::vector<SiteInfo>& Sites();
  static const SiteInfo* Find(int siteId);
  static int IndexOf(int siteId);  // -1 when unknown

  // Converts an amount between two of the sites' currencies at fixed rates.
  static int64_t Convert(int64_t cents, std::string_view from, std::string_view to);

  static const std::vector<const Town*>& TownsOf(std::string_view country);
  // The town whose postal code shares the longest prefix with the text (spaces
  // and case ignored); nullptr when not even the first character matches.
  static const Town* FindByPostalCode(std::string_view country, std::string_view postalCode);
  static double DistanceKm(const Town& a, const Town& b);

  static bool InEurope(std::string_view country);
};
