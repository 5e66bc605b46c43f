#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Small text helpers shared by the catalogue, the answers and the pages.
namespace TextUtil {

// Lower case for ASCII, Latin-1 and Latin Extended-A (enough for the 25 sites'
// languages); other code points pass through unchanged.
std::string Lower(std::string_view text);

// Words of a title or query: lower-cased runs of letters and digits (any
// non-ASCII byte counts as a letter, so CJK runs stay whole).
std::vector<std::string> Words(std::string_view text);

// Text of an HTML fragment: tags dropped, the five basic entities decoded.
std::string StripTags(std::string_view html);

void AppendXmlEscaped(std::string& out, std::string_view text);
std::string XmlEscaped(std::string_view text);
void AppendJsonEscaped(std::string& out, std::string_view text);

// eBay writes amounts the way a double prints: at least one decimal ("12.0",
// "0.88", "177798.0").
std::string Amount(int64_t cents);

// "2007-07-06T00:51:05.250Z"
std::string IsoTime(int64_t unixMs);
// Parses the forms above with or without fraction and zone; false on failure.
bool ParseIsoTime(std::string_view text, int64_t& unixMs);

// "P5DT2H2M2S"; "PT0S" for zero or less.
std::string Duration(int64_t seconds);

// Percent-encodes everything but unreserved characters.
std::string UrlEncode(std::string_view text);

// ASCII slug for readable page addresses ("Canon-EOS-450D-OVP").
std::string Slug(std::string_view title);

bool ParseInt(std::string_view text, int64_t& value);
bool ParseDecimal(std::string_view text, double& value);

std::string Trim(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace TextUtil
