#pragma once

#include <QByteArray>
#include <QString>

// The proxy credentials are kept in prefs.ini in a lightly scrambled form, keyed
// by the name of the key they are stored under. This is obfuscation against a
// glance over the shoulder, not encryption.
//
// Byte i of the plain text becomes (byte + key[i mod len]) mod 256; the result
// is wrapped in "/" on both sides; an empty value is stored as "//".

QByteArray ScrambleBytes(const QByteArray& plain, const QByteArray& key);
// Removes nothing: the inverse of the byte step only.
QByteArray UnscrambleBytes(const QByteArray& scrambled, const QByteArray& key);

// The stored text of a credential. The plain text's UTF-8 bytes are scrambled
// and each resulting byte is kept as the character of the same code (U+0000 to
// U+00FF), so the file stays valid UTF-8. A scrambled form with a line break or
// NUL in it could not survive a line-based file; such a value is stored plain
// (which the reader accepts) unless the plain text itself is wrapped in "/".
QString ScrambleSetting(const QString& plain, const QString& keyName);

// Empty stays empty; a value not both starting and ending with "/" is plain
// text and returned unchanged; otherwise the inverse of ScrambleSetting.
QString UnscrambleSetting(const QString& stored, const QString& keyName);
