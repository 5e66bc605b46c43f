#pragma once

#include <QByteArray>
#include <QString>

// Text files of the program (prefs.ini, Lang.ini, the .txt lists) are written as
// UTF-8. Files from older installations may still be in the Windows code page,
// so reading falls back to Windows-1252 when the bytes are not valid UTF-8.
namespace TextCodec {

// Decodes file bytes: UTF-8 (a leading BOM is dropped) or, when the bytes are
// not valid UTF-8, Windows-1252.
QString DecodeText(const QByteArray& bytes);

// Windows-1252 to Unicode, byte by byte.
QString FromWindows1252(const QByteArray& bytes);

// Splits text into lines at LF, dropping a CR before it.
QStringList SplitLines(const QString& text);

}  // namespace TextCodec
