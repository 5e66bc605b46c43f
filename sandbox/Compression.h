#pragma once

#include <string>
#include <string_view>

// Content-Encoding for answers, done here rather than by the HTTP library so
// the sandbox decides exactly what goes on the wire (and can break it).
namespace Compression {

// "gzip", "deflate" or "" from an Accept-Encoding header; gzip preferred.
std::string Choose(std::string_view acceptEncoding);
// gzip: RFC 1952; deflate: the zlib stream of RFC 1950, as HTTP defines it.
std::string Encode(std::string_view data, const std::string& encoding);

}  // namespace Compression
