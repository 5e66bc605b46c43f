#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

// printf-like formatting of language texts and price formats, with the
// conversions the texts use: %d %u %x (integers), %s, %f %n %g %e (numbers; %n
// with thousands separators), %m (money: like %n), %%; each with an optional
// argument index ("%1:s"), "-" for left alignment, width and precision. A
// placeholder without a matching argument stays in the text, so a wrong
// translation never crashes the program.
QString FormatText(const QString& format, const QVariantList& args,
                   const QLocale& locale = QLocale());

// One placeholder of a format text: its conversion letter (lower case).
QList<QChar> FormatPlaceholders(const QString& format);
