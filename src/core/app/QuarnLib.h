#pragma once

#include <QDateTime>
#include <QString>

// Small routines shared by several parts of the program (the window-free ones;
// the widget helpers live in gui/common/QuarnLibGui.h).
namespace QuarnLib {

// The user's temporary-files folder, without a trailing "/".
QString TempFolder();
// Deletes the folder with everything in it; true on success (also when it did not exist).
bool DeleteFolder(const QString& path);
// True when the XML library can parse a document and run an XPath query.
bool IsXmlComponentUsable();

// 0 B, 1023 B, 1 KB, 1.5 KB, 1 MB ... (two decimals, halves to even, trailing
// zeros dropped, the given locale's decimal separator).
QString FormatByteSize(bool shortUnits, quint64 bytes, const QLocale& locale = QLocale());

bool SameDay(const QDateTime& a, const QDateTime& b);
// "TODAY", "TOMORROW" or "YESTERDAY" translated, relative to the eBay-or-local
// clock's day; empty for any other day.
QString RelativeDayName(const QDateTime& when);
// The text without any of  \ / : * ? " < > |
QString RemoveFileNameChars(const QString& text);

}  // namespace QuarnLib
