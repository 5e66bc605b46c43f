#include "core/net/ContentDecoder.h"

#include <zlib.h>

#include <algorithm>

namespace ContentDecoder {
namespace {

// Inflate reads at most this much input per call, straight from the body.
constexpr qsizetype kInputChunk = 64 * 1024;
constexpr qsizetype kOutputChunk = 64 * 1024;

// Length of a zlib header at the start of data, 0 when there is none. A header
// asking for a preset dictionary is not one we can use.
qsizetype ZlibHeaderLength(const QByteArray& data) {
  if (data.size() < 2) return 0;
  const unsigned cmf = quint8(data[0]);
  const unsigned flg = quint8(data[1]);
  if ((cmf & 0x0f) != 8 || (cmf >> 4) > 7) return 0;
  if ((cmf * 256 + flg) % 31 != 0) return 0;
  if (flg & 0x20) return 0;
  return 2;
}

// Length of a gzip header at the start of data, 0 when there is none or it is cut short.
qsizetype GzipHeaderLength(const QByteArray& data) {
  const qsizetype n = data.size();
  if (n < 10 || quint8(data[0]) != 0x1f || quint8(data[1]) != 0x8b || quint8(data[2]) != 8)
    return 0;
  const unsigned flags = quint8(data[3]);
  if (flags & 0xe0) return 0;  // reserved bits
  qsizetype pos = 10;
  if (flags & 0x04) {  // FEXTRA
    if (pos + 2 > n) return 0;
    const qsizetype extra = quint8(data[pos]) | (qsizetype(quint8(data[pos + 1])) << 8);
    pos += 2 + extra;
    if (pos > n) return 0;
  }
  for (unsigned zeroTerminated : {0x08u, 0x10u}) {  // FNAME, FCOMMENT
    if (!(flags & zeroTerminated)) continue;
    const qsizetype end = data.indexOf('\0', pos);
    if (end < 0) return 0;
    pos = end + 1;
  }
  if (flags & 0x02) pos += 2;  // FHCRC, not checked
  return pos <= n ? pos : 0;
}

}  // namespace

bool Decode(const QByteArray& body, qint64 maxDecodedBytes, QByteArray& decoded, QString& error) {
  decoded.clear();
  error.clear();
  // An empty body (a 204, a HEAD) carries no deflate stream and decodes to nothing.
  if (body.isEmpty()) return true;

  qsizetype start = ZlibHeaderLength(body);
  if (start == 0) start = GzipHeaderLength(body);

  z_stream zs{};
  if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) {
    error = QStringLiteral("error");
    return false;
  }
  const auto* input = reinterpret_cast<const Bytef*>(body.constData());
  qsizetype consumed = start;
  char out[kOutputChunk];
  decoded.reserve(qsizetype(std::min<qint64>(maxDecodedBytes, qint64(body.size()) * 4)));
  int rc = Z_OK;
  while (rc != Z_STREAM_END) {
    if (zs.avail_in == 0) {
      const qsizetype chunk = std::min(kInputChunk, body.size() - consumed);
      if (chunk == 0) break;  // the stream is cut short
      zs.next_in = const_cast<Bytef*>(input + consumed);
      zs.avail_in = uInt(chunk);
      consumed += chunk;
    }
    zs.next_out = reinterpret_cast<Bytef*>(out);
    zs.avail_out = uInt(sizeof out);
    rc = inflate(&zs, Z_NO_FLUSH);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) break;
    const qsizetype produced = qsizetype(sizeof out) - zs.avail_out;
    if (qint64(decoded.size()) + produced > maxDecodedBytes) {
      inflateEnd(&zs);
      decoded.clear();
      decoded.squeeze();
      error = QStringLiteral("decoded body exceeds %1 bytes").arg(maxDecodedBytes);
      return false;
    }
    decoded.append(out, produced);
    // Z_BUF_ERROR with input left and nothing produced cannot happen with a
    // fresh output buffer; with no input left the loop fetches the next chunk.
    if (rc == Z_BUF_ERROR && zs.avail_in != 0) break;
  }
  inflateEnd(&zs);
  if (rc != Z_STREAM_END) {
    decoded.clear();
    decoded.squeeze();
    error = QStringLiteral("error");
    return false;
  }
  return true;
}

}  // namespace ContentDecoder
