#pragma once

#include <QByteArray>
#include <QString>

// Decoding of bodies sent with Content-Encoding "gzip" or "deflate". Servers
// disagree about what "deflate" means, and some send gzip data without its
// header, so the data decides: a zlib header, else a gzip header, else raw
// deflate. The header is skipped and the deflate stream inflated on its own;
// the trailer's check value and length are not verified.
namespace ContentDecoder {

// Inflates `body` into `decoded`. False, with `error` set, for corrupt or truncated data
// or when the result would exceed maxDecodedBytes.
bool Decode(const QByteArray& body, qint64 maxDecodedBytes, QByteArray& decoded, QString& error);

}  // namespace ContentDecoder
