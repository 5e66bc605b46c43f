#include "core/app/Scramble.h"

#include "core/app/TextCodec.h"

QByteArray ScrambleBytes(const QByteArray& plain, const QByteArray& key) {
  QByteArray out(plain.size(), '\0');
  if (key.isEmpty()) return plain;
  for (qsizetype i = 0; i < plain.size(); ++i) {
    out[i] = static_cast<char>(
        (static_cast<unsigned char>(plain[i]) + static_cast<unsigned char>(key[i % key.size()])) &
        0xFF);
  }
  return out;
}

QByteArray UnscrambleBytes(const QByteArray& scrambled, const QByteArray& key) {
  QByteArray out(scrambled.size(), '\0');
  if (key.isEmpty()) return scrambled;
  for (qsizetype i = 0; i < scrambled.size(); ++i) {
    out[i] = static_cast<char>((static_cast<unsigned char>(scrambled[i]) -
                                static_cast<unsigned char>(key[i % key.size()])) &
                               0xFF);
  }
  return out;
}

QString ScrambleSetting(const QString& plain, const QString& keyName) {
  const QByteArray scrambled = ScrambleBytes(plain.toUtf8(), keyName.toUtf8());
  const bool lineSafe =
      !scrambled.contains('\n') && !scrambled.contains('\r') && !scrambled.contains('\0');
  const bool plainLooksScrambled =
      plain.size() >= 2 && plain.startsWith(QLatin1Char('/')) && plain.endsWith(QLatin1Char('/'));
  if (!lineSafe && !plainLooksScrambled) return plain;
  return QLatin1Char('/') + QString::fromLatin1(scrambled) + QLatin1Char('/');
}

QString UnscrambleSetting(const QString& stored, const QString& keyName) {
  if (stored.isEmpty()) return QString();
  if (stored.size() < 2 || !stored.startsWith(QLatin1Char('/')) ||
      !stored.endsWith(QLatin1Char('/')))
    return stored;
  const QString inner = stored.mid(1, stored.size() - 2);
  QByteArray bytes;
  bytes.reserve(inner.size());
  for (QChar c : inner) {
    // A character above U+00FF cannot come from ScrambleSetting: the text was
    // never scrambled by us, so it is taken as it stands.
    if (c.unicode() > 0xFF) return stored;
    bytes.append(static_cast<char>(c.unicode()));
  }
  return TextCodec::DecodeText(UnscrambleBytes(bytes, keyName.toUtf8()));
}
