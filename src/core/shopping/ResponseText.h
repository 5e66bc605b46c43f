#pragma once

#include <QByteArray>
#include <QString>

// The text of an answer. The parser reads its UTF-8 bytes directly; the wide
// text, whose declaration is rewritten to encoding="utf-16" so it matches the
// decoded text, is made only when someone asks for it. Bytes that are not
// valid UTF-8 are repaired first (replacement characters), exactly as decoding
// them to text would.
class TResponseText {
 public:
  TResponseText() = default;
  // From decoded text (tests, callers that already hold text).
  TResponseText(const QString& text);  // NOLINT: implicit on purpose
  // From a received body.
  static TResponseText FromBody(const QByteArray& body);

  // Valid UTF-8; the declaration is left as received (the parser ignores it).
  const QByteArray& Utf8() const { return FUtf8; }
  // The decoded text.
  const QString& Text() const;

 private:
  QByteArray FUtf8;
  mutable QString FText;
  mutable bool FHasText = false;
};
