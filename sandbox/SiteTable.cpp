#include "SiteTable.h"

#include <cctype>
#include <cmath>
#include <map>
#include <mutex>

namespace {

const std::vector<SiteInfo> kSites = {
    {15, "AU", "Australia", "AUD", Lang::En, "AU", "www.ebay.com.au", false, "NZ CN HK US"},
    {16, "AT", "Austria", "EUR", Lang::De, "AT", "www.ebay.at", false, "DE CH"},
    {123, "BENL", "Belgium_Dutch", "EUR", Lang::Nl, "BE", "benl.ebay.be", false, "NL DE FR"},
    {23, "BEFR", "Belgium_French", "EUR", Lang::Fr, "BE", "befr.ebay.be", false, "FR NL DE"},
    {2, "CA", "Canada", "CAD", Lang::En, "CA", "www.ebay.ca", false, "US CN HK"},
    {210, "CAFR", "CanadaFrench", "CAD", Lang::Fr, "CA", "cafr.ebay.ca", false, "US FR"},
    {223, "CN", "China", "USD", Lang::Zh, "CN", "www.ebay.cn", false, "HK TW US"},
    {100, "", "eBayMotors", "USD", Lang::En, "US", "motors.ebay.com", true, "CA"},
    {71, "FR", "France", "EUR", Lang::Fr, "FR", "www.ebay.fr", false, "BE DE ES CN"},
    {77, "DE", "Germany", "EUR", Lang::De, "DE", "www.ebay.de", false, "AT CH NL PL HK CN"},
    {201, "HK", "HongKong", "HKD", Lang::Zh, "HK", "www.ebay.com.hk", false, "CN TW"},
    {203, "IN", "India", "INR", Lang::En, "IN", "www.ebay.in", false, "SG US"},
    {205, "IE", "Ireland", "EUR", Lang::En, "IE", "www.ebay.ie", false, "GB"},
    {101, "IT", "Italy", "EUR", Lang::It, "IT", "www.ebay.it", false, "CH FR DE CN"},
    {207, "MY", "Malaysia", "MYR", Lang::En, "MY", "www.ebay.com.my", false, "SG HK"},
    {146, "NL", "Netherlands", "EUR", Lang::Nl, "NL", "www.ebay.nl", false, "BE DE"},
    {211, "PH", "Philippines", "PHP", Lang::En, "PH", "www.ebay.ph", false, "HK SG US"},
    {212, "PL", "Poland", "PLN", Lang::Pl, "PL", "www.ebay.pl", false, "DE CN"},
    {216, "SG", "Singapore", "SGD", Lang::En, "SG", "www.ebay.com.sg", false, "MY HK"},
    {186, "ES", "Spain", "EUR", Lang::Es, "ES", "www.ebay.es", false, "FR IT CN"},
    {218, "SE", "Sweden", "SEK", Lang::Sv, "SE", "www.ebay.se", false, "DE GB"},
    {193, "CH", "Switzerland", "CHF", Lang::De, "CH", "www.ebay.ch", false, "DE AT IT"},
    {196, "TW", "Taiwan", "TWD", Lang::Zh, "TW", "tw.ebay.com", false, "HK CN"},
    {3, "UK", "UK", "GBP", Lang::En, "GB", "www.ebay.co.uk", true, "IE DE HK CN US"},
    {0, "US", "USA", "USD", Lang::En, "US", "www.ebay.com", true, "CA CN HK GB"},
};

// US dollars per unit, a fixed table: answers must not change with the day.
const std::map<std::string, double, std::less<>> kUsdPerUnit = {
    {"USD", 1.0},   {"EUR", 1.10},  {"GBP", 1.27}, {"CHF", 1.12},  {"CAD", 0.74}, {"AUD", 0.66},
    {"HKD", 0.128}, {"INR", 0.012}, {"MYR", 0.21}, {"PHP", 0.018}, {"PLN", 0.25}, {"SEK", 0.095},
    {"SGD", 0.74},  {"TWD", 0.031}, {"CNY", 0.14}, {"NZD", 0.61},
};

const Town kTowns[] = {
    {"DE", "Berlin", "10115", 52.52, 13.40},
    {"DE", "Hamburg", "20095", 53.55, 9.99},
    {"DE", "München", "80331", 48.14, 11.58},
    {"DE", "Köln", "50667", 50.94, 6.96},
    {"DE", "Frankfurt am Main", "60311", 50.11, 8.68},
    {"DE", "Stuttgart", "70173", 48.78, 9.18},
    {"DE", "Leipzig", "04109", 51.34, 12.37},
    {"DE", "Dresden", "01067", 51.05, 13.74},
    {"DE", "Hannover", "30159", 52.37, 9.74},
    {"DE", "Nürnberg", "90402", 49.45, 11.08},
    {"DE", "Bremen", "28195", 53.08, 8.80},
    {"DE", "Freiburg im Breisgau", "79098", 47.99, 7.85},
    {"AT", "Wien", "1010", 48.21, 16.37},
    {"AT", "Graz", "8010", 47.07, 15.44},
    {"AT", "Linz", "4020", 48.31, 14.29},
    {"AT", "Salzburg", "5020", 47.81, 13.04},
    {"AT", "Innsbruck", "6020", 47.27, 11.40},
    {"CH", "Zürich", "8001", 47.37, 8.54},
    {"CH", "Bern", "3011", 46.95, 7.45},
    {"CH", "Basel", "4051", 47.56, 7.59},
    {"CH", "Genève", "1201", 46.20, 6.15},
    {"CH", "Luzern", "6003", 47.05, 8.31},
    {"US", "New York, New York", "10001", 40.75, -73.99},
    {"US", "Los Angeles, California", "90012", 34.05, -118.24},
    {"US", "Chicago, Illinois", "60601", 41.88, -87.62},
    {"US", "Houston, Texas", "77002", 29.76, -95.37},
    {"US", "San Jose, California", "95113", 37.34, -121.89},
    {"US", "Seattle, Washington", "98101", 47.61, -122.33},
    {"US", "Miami, Florida", "33130", 25.77, -80.19},
    {"US", "Denver, Colorado", "80202", 39.75, -104.99},
    {"US", "Boston, Massachusetts", "02108", 42.36, -71.06},
    {"US", "Atlanta, Georgia", "30303", 33.75, -84.39},
    {"GB", "London", "EC1A 1BB", 51.52, -0.10},
    {"GB", "Manchester", "M1 1AE", 53.48, -2.24},
    {"GB", "Birmingham", "B1 1AA", 52.48, -1.90},
    {"GB", "Glasgow", "G1 1XQ", 55.86, -4.25},
    {"GB", "Leeds", "LS1 1UR", 53.80, -1.55},
    {"GB", "Bristol", "BS1 4DJ", 51.45, -2.59},
    {"GB", "Edinburgh", "EH1 1YZ", 55.95, -3.19},
    {"FR", "Paris", "75001", 48.86, 2.34},
    {"FR", "Marseille", "13001", 43.30, 5.38},
    {"FR", "Lyon", "69001", 45.77, 4.83},
    {"FR", "Toulouse", "31000", 43.60, 1.44},
    {"FR", "Nice", "06000", 43.70, 7.27},
    {"FR", "Nantes", "44000", 47.22, -1.55},
    {"FR", "Strasbourg", "67000", 48.58, 7.75},
    {"FR", "Lille", "59000", 50.63, 3.06},
    {"BE", "Bruxelles", "1000", 50.85, 4.35},
    {"BE", "Antwerpen", "2000", 51.22, 4.40},
    {"BE", "Gent", "9000", 51.05, 3.72},
    {"BE", "Liège", "4000", 50.63, 5.57},
    {"BE", "Brugge", "8000", 51.21, 3.22},
    {"BE", "Namur", "5000", 50.47, 4.87},
    {"NL", "Amsterdam", "1012", 52.37, 4.90},
    {"NL", "Rotterdam", "3011", 51.92, 4.48},
    {"NL", "Den Haag", "2511", 52.08, 4.31},
    {"NL", "Utrecht", "3511", 52.09, 5.12},
    {"NL", "Eindhoven", "5611", 51.44, 5.47},
    {"NL", "Groningen", "9711", 53.22, 6.57},
    {"IT", "Roma", "00184", 41.90, 12.50},
    {"IT", "Milano", "20121", 45.46, 9.19},
    {"IT", "Napoli", "80133", 40.85, 14.27},
    {"IT", "Torino", "10121", 45.07, 7.69},
    {"IT", "Firenze", "50122", 43.77, 11.26},
    {"IT", "Bologna", "40121", 44.49, 11.34},
    {"ES", "Madrid", "28013", 40.42, -3.70},
    {"ES", "Barcelona", "08001", 41.38, 2.17},
    {"ES", "Valencia", "46001", 39.47, -0.38},
    {"ES", "Sevilla", "41001", 37.39, -5.99},
    {"ES", "Bilbao", "48001", 43.26, -2.93},
    {"ES", "Málaga", "29001", 36.72, -4.42},
    {"IE", "Dublin", "D01", 53.35, -6.26},
    {"IE", "Cork", "T12", 51.90, -8.47},
    {"IE", "Galway", "H91", 53.27, -9.05},
    {"IE", "Limerick", "V94", 52.66, -8.63},
    {"PL", "Warszawa", "00-001", 52.23, 21.01},
    {"PL", "Kraków", "30-001", 50.06, 19.94},
    {"PL", "Łódź", "90-001", 51.76, 19.46},
    {"PL", "Wrocław", "50-001", 51.11, 17.03},
    {"PL", "Poznań", "60-001", 52.41, 16.93},
    {"PL", "Gdańsk", "80-001", 54.35, 18.65},
    {"SE", "Stockholm", "111 20", 59.33, 18.07},
    {"SE", "Göteborg", "411 01", 57.71, 11.97},
    {"SE", "Malmö", "211 20", 55.60, 13.00},
    {"SE", "Uppsala", "753 20", 59.86, 17.64},
    {"CA", "Toronto, Ontario", "M5H 2N2", 43.65, -79.38},
    {"CA", "Montréal, Québec", "H2Y 1C6", 45.50, -73.57},
    {"CA", "Vancouver, British Columbia", "V6B 1A1", 49.28, -123.12},
    {"CA", "Calgary, Alberta", "T2P 1J9", 51.05, -114.07},
    {"CA", "Ottawa, Ontario", "K1P 1J1", 45.42, -75.70},
    {"CA", "Québec, Québec", "G1R 4S9", 46.81, -71.21},
    {"AU", "Sydney, NSW", "2000", -33.87, 151.21},
    {"AU", "Melbourne, VIC", "3000", -37.81, 144.96},
    {"AU", "Brisbane, QLD", "4000", -27.47, 153.03},
    {"AU", "Perth, WA", "6000", -31.95, 115.86},
    {"AU", "Adelaide, SA", "5000", -34.93, 138.60},
    {"NZ", "Auckland", "1010", -36.85, 174.76},
    {"IN", "Mumbai", "400001", 18.94, 72.84},
    {"IN", "New Delhi", "110001", 28.63, 77.22},
    {"IN", "Bangalore", "560001", 12.97, 77.59},
    {"IN", "Chennai", "600001", 13.08, 80.27},
    {"IN", "Kolkata", "700001", 22.57, 88.36},
    {"HK", "Hong Kong", "999077", 22.28, 114.16},
    {"HK", "Kowloon", "999077", 22.32, 114.17},
    {"SG", "Singapore", "018956", 1.28, 103.85},
    {"SG", "Jurong", "609601", 1.33, 103.74},
    {"SG", "Tampines", "529510", 1.35, 103.94},
    {"MY", "Kuala Lumpur", "50000", 3.14, 101.69},
    {"MY", "George Town", "10000", 5.41, 100.33},
    {"MY", "Johor Bahru", "80000", 1.49, 103.74},
    {"PH", "Manila", "1000", 14.60, 120.98},
    {"PH", "Quezon City", "1100", 14.68, 121.04},
    {"PH", "Cebu City", "6000", 10.32, 123.89},
    {"TW", "台北", "100", 25.03, 121.56},
    {"TW", "台中", "400", 24.15, 120.67},
    {"TW", "高雄", "800", 22.63, 120.30},
    {"CN", "上海", "200000", 31.23, 121.47},
    {"CN", "北京", "100000", 39.90, 116.40},
    {"CN", "深圳", "518000", 22.54, 114.06},
    {"CN", "广州", "510000", 23.13, 113.26},
};

std::string NormalisedPostal(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c)) out += static_cast<char>(std::toupper(c));
  }
  return out;
}

}  // namespace

const std::vector<SiteInfo>& SiteTable::Sites() {
  return kSites;
}

const SiteInfo* SiteTable::Find(int siteId) {
  int i = IndexOf(siteId);
  return i < 0 ? nullptr : &kSites[static_cast<size_t>(i)];
}

int SiteTable::IndexOf(int siteId) {
  for (size_t i = 0; i < kSites.size(); ++i) {
    if (kSites[i].id == siteId) return static_cast<int>(i);
  }
  return -1;
}

int64_t SiteTable::Convert(int64_t cents, std::string_view from, std::string_view to) {
  if (from == to) return cents;
  auto f = kUsdPerUnit.find(from);
  auto t = kUsdPerUnit.find(to);
  if (f == kUsdPerUnit.end() || t == kUsdPerUnit.end()) return cents;
  return static_cast<int64_t>(std::llround(static_cast<double>(cents) * f->second / t->second));
}

const std::vector<const Town*>& SiteTable::TownsOf(std::string_view country) {
  static std::map<std::string, std::vector<const Town*>, std::less<>> byCountry = [] {
    std::map<std::string, std::vector<const Town*>, std::less<>> m;
    for (const Town& t : kTowns)
      m[t.country].push_back(&t);
    return m;
  }();
  static const std::vector<const Town*> none;
  auto it = byCountry.find(country);
  return it == byCountry.end() ? none : it->second;
}

const Town* SiteTable::FindByPostalCode(std::string_view country, std::string_view postalCode) {
  std::string wanted = NormalisedPostal(postalCode);
  if (wanted.empty()) return nullptr;
  const Town* best = nullptr;
  size_t bestLen = 0;
  for (const Town* t : TownsOf(country)) {
    std::string code = NormalisedPostal(t->postalCode);
    size_t n = 0;
    while (n < code.size() && n < wanted.size() && code[n] == wanted[n])
      ++n;
    if (n > bestLen) {
      bestLen = n;
      best = t;
    }
  }
  return best;
}

double SiteTable::DistanceKm(const Town& a, const Town& b) {
  constexpr double kPi = 3.14159265358979323846;
  double la1 = a.lat * kPi / 180, la2 = b.lat * kPi / 180;
  double dla = la2 - la1, dlo = (b.lon - a.lon) * kPi / 180;
  double h = std::sin(dla / 2) * std::sin(dla / 2) +
             std::cos(la1) * std::cos(la2) * std::sin(dlo / 2) * std::sin(dlo / 2);
  return 2 * 6371.0 * std::asin(std::min(1.0, std::sqrt(h)));
}

bool SiteTable::InEurope(std::string_view country) {
  static const char* kEurope[] = {"AT", "BE", "CH", "DE", "ES", "FR",
                                  "GB", "IE", "IT", "NL", "PL", "SE"};
  for (const char* c : kEurope) {
    if (country == c) return true;
  }
  return false;
}
