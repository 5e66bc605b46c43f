#include "TextUtil.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace TextUtil {
namespace {

uint32_t LowerCodePoint(uint32_t cp) {
  if (cp < 0x80) return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;
  if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177))
    return (cp % 2 == 0) ? cp + 1 : cp;
  if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E))
    return (cp % 2 == 1) ? cp + 1 : cp;
  if (cp == 0x178) return 0xFF;
  return cp;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one code point at i; malformed bytes are taken one at a time as
// themselves so hostile input never stalls the loop.
uint32_t Decode(std::string_view s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (len == 0 || i + len > s.size()) {
    ++i;
    return 0xFFFD;
  }
  uint32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
  for (int k = 1; k < len; ++k) {
    unsigned char cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  i += len;
  return cp;
}

}  // namespace

std::string Lower(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>((c >= 'A' && c <= 'Z') ? c + 32 : c);
      ++i;
      continue;
    }
    size_t start = i;
    uint32_t cp = Decode(text, i);
    if (cp == 0xFFFD && i == start + 1) {
      out += static_cast<char>(c);  // keep stray bytes as they are
    } else {
      AppendUtf8(out, LowerCodePoint(cp));
    }
  }
  return out;
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string lower = Lower(text);
  std::string current;
  for (char ch : lower) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 0x80 || std::isalnum(c)) {
      current += ch;
    } else if (!current.empty()) {
      words.push_back(std::move(current));
      current.clear();
    }
  }
  if (!current.empty()) words.push_back(std::move(current));
  return words;
}

std::string StripTags(std::string_view html) {
  std::string out;
  bool inTag = false;
  for (size_t i = 0; i < html.size(); ++i) {
    char c = html[i];
    if (c == '<') {
      inTag = true;
      out += ' ';
    } else if (c == '>') {
      inTag = false;
    } else if (!inTag) {
      static const std::pair<std::string_view, char> kEntities[] = {
          {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
      bool replaced = false;
      if (c == '&') {
        for (const auto& [name, ch] : kEntities) {
          if (html.substr(i, name.size()) == name) {
            out += ch;
            i += name.size() - 1;
            replaced = true;
            break;
          }
        }
      }
      if (!replaced) out += c;
    }
  }
  return out;
}

void AppendXmlEscaped(std::string& out, std::string_view text) {
  // Runs of ordinary characters are copied in one go; answers are mostly those.
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    const char* entity = nullptr;
    if (c == '&')
      entity = "&amp;";
    else if (c == '<')
      entity = "&lt;";
    else if (c == '>')
      entity = "&gt;";
    else if (c == '"')
      entity = "&quot;";
    else if (c >= 0x20 || c == '\n' || c == '\r' || c == '\t')
      continue;
    out.append(text.data() + run, i - run);
    // Control characters are not allowed in XML 1.0; they are left out.
    if (entity) out += entity;
    run = i + 1;
  }
  out.append(text.data() + run, text.size() - run);
}

std::string XmlEscaped(std::string_view text) {
  std::string out;
  AppendXmlEscaped(out, text);
  return out;
}

void AppendJsonEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += c;
    }
  }
}

std::string Amount(int64_t cents) {
  bool negative = cents < 0;
  uint64_t v = negative ? static_cast<uint64_t>(-cents) : static_cast<uint64_t>(cents);
  std::string out = negative ? "-" : "";
  out += std::to_string(v / 100);
  out += '.';
  unsigned frac = static_cast<unsigned>(v % 100);
  if (frac % 10 == 0) {
    out += static_cast<char>('0' + frac / 10);
  } else {
    out += static_cast<char>('0' + frac / 10);
    out += static_cast<char>('0' + frac % 10);
  }
  return out;
}

std::string IsoTime(int64_t unixMs) {
  // Written by hand: this runs twice for every listing of every answer.
  int64_t secs = unixMs >= 0 ? unixMs / 1000 : (unixMs - 999) / 1000;
  int ms = static_cast<int>(unixMs - secs * 1000);
  int64_t days = secs >= 0 ? secs / 86400 : (secs - 86399) / 86400;
  int daySecs = static_cast<int>(secs - days * 86400);
  // Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
  int64_t z = days + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t y = yoe + era * 400;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  if (m <= 2) ++y;
  char buf[32] = "0000-00-00T00:00:00.000Z";
  auto put = [&buf](int pos, int64_t value, int width) {
    for (int k = width - 1; k >= 0; --k) {
      buf[pos + k] = static_cast<char>('0' + value % 10);
      value /= 10;
    }
  };
  put(0, y, 4);
  put(5, m, 2);
  put(8, d, 2);
  put(11, daySecs / 3600, 2);
  put(14, daySecs / 60 % 60, 2);
  put(17, daySecs % 60, 2);
  put(20, ms, 3);
  return std::string(buf, 24);
}

bool ParseIsoTime(std::string_view text, int64_t& unixMs) {
  std::string s = Trim(text);
  int y, mo, d, h = 0, mi = 0, sec = 0, consumed = 0;
  if (std::sscanf(s.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &sec, &consumed) <
      6) {
    return false;
  }
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || sec > 60) return false;
  int ms = 0;
  size_t pos = static_cast<size_t>(consumed);
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    int digits = 0;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))) {
      if (digits < 3) ms = ms * 10 + (s[pos] - '0');
      ++digits;
      ++pos;
    }
    for (; digits < 3; ++digits)
      ms *= 10;
  }
  if (pos < s.size() && s[pos] != 'Z') return false;
  struct tm tm {};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = sec;
  unixMs = static_cast<int64_t>(timegm(&tm)) * 1000 + ms;
  return true;
}

std::string Duration(int64_t seconds) {
  if (seconds <= 0) return "PT0S";
  int64_t days = seconds / 86400;
  int64_t rest = seconds % 86400;
  std::string out = "P";
  if (days > 0) out += std::to_string(days) + "D";
  out += "T" + std::to_string(rest / 3600) + "H" + std::to_string((rest % 3600) / 60) + "M" +
         std::to_string(rest % 60) + "S";
  return out;
}

std::string UrlEncode(std::string_view text) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

std::string Slug(std::string_view title) {
  std::string out;
  bool dash = false;
  for (unsigned char c : title) {
    if (std::isalnum(c)) {
      if (dash && !out.empty()) out += '-';
      out += static_cast<char>(c);
      dash = false;
    } else {
      dash = true;
    }
    if (out.size() >= 60) break;
  }
  return out.empty() ? "item" : out;
}

bool ParseInt(std::string_view text, int64_t& value) {
  std::string s = Trim(text);
  if (s.empty() || s.size() > 18) return false;
  size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (i == s.size()) return false;
  for (size_t k = i; k < s.size(); ++k) {
    if (!std::isdigit(static_cast<unsigned char>(s[k]))) return false;
  }
  value = std::strtoll(s.c_str(), nullptr, 10);
  return true;
}

bool ParseDecimal(std::string_view text, double& value) {
  std::string s = Trim(text);
  if (s.empty() || s.size() > 30) return false;
  bool digit = false, dot = false;
  for (size_t k = 0; k < s.size(); ++k) {
    char c = s[k];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digit = true;
    } else if (c == '.' && !dot) {
      dot = true;
    } else if (!(k == 0 && (c == '-' || c == '+'))) {
      return false;
    }
  }
  if (!digit) return false;
  value = std::strtod(s.c_str(), nullptr);
  return std::isfinite(value);
}

std::string Trim(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b])))
    ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1])))
    --e;
  return std::string(text.substr(b, e - b));
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace TextUtil
