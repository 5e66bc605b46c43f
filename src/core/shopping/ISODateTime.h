#pragma once

#include <QDateTime>
#include <QString>

// The date-time texts of the Shopping API ("2008-05-20T17:04:00.000Z"). The
// parser is strict about the layout and lenient about the suffix, exactly as
// the listings and the eBay time rely on.
namespace ISODateTime {

// Parses text into value (a UTC date-time). The value is first cleared; when
// the date part is good but the time part fails, value holds that date at
// midnight and the result is false. Forms: date "yyyy-MM-dd" or "yyyyMMdd",
// then "T" (or a space), then "hh:mm:ss", "hhmmss", "hh:mm" or "hhmm",
// optionally "," or "." and a fraction of 0, 3 or 4 characters (the first
// three are milliseconds, so ".000Z" is 0 ms); a fraction needs seconds.
bool TryParse(const QString& text, QDateTime& value);

// The same instant in the system's local time, with the local offset of that
// instant. Offsets are looked up once per quarter hour of UTC and kept for a
// few minutes: the C library reads the zone file on every conversion, which
// would dominate reading a page of listings.
QDateTime ToLocal(const QDateTime& utc);

// UTC text with milliseconds, "2008-05-20T17:04:00.000Z"; empty for an invalid value.
QString ToText(const QDateTime& value);

}  // namespace ISODateTime
