#include "Compression.h"

#include <zlib.h>

#include <cctype>

#include "TextUtil.h"

namespace Compression {

namespace {

// True when the coding is listed without "q=0".
bool Accepts(std::string_view header, std::string_view coding) {
  std::string lower = TextUtil::Lower(header);
  size_t start = 0;
  while (start <= lower.size()) {
    size_t comma = lower.find(',', start);
    std::string item = TextUtil::Trim(std::string_view(lower).substr(
        start, comma == std::string::npos ? std::string::npos : comma - start));
    size_t semi = item.find(';');
    std::string name = TextUtil::Trim(item.substr(0, semi));
    if (name == coding) {
      if (semi == std::string::npos) return true;
      std::string params = item.substr(semi + 1);
      size_t q = params.find("q=");
      if (q == std::string::npos) return true;
      double v = 1;
      TextUtil::ParseDecimal(params.substr(q + 2), v);
      return v > 0;
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return false;
}

}  // namespace

std::string Choose(std::string_view acceptEncoding) {
  if (Accepts(acceptEncoding, "gzip")) return "gzip";
  if (Accepts(acceptEncoding, "deflate")) return "deflate";
  return "";
}

std::string Encode(std::string_view data, const std::string& encoding) {
  z_stream z{};
  int windowBits = encoding == "gzip" ? 15 + 16 : 15;
  // Level 3: most of the size gain at a fraction of the default's cost.
  if (deflateInit2(&z, 3, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    return std::string(data);
  std::string out;
  out.resize(deflateBound(&z, static_cast<uLong>(data.size())));
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

}  // namespace Compression
