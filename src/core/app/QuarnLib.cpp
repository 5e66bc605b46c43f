#include "core/app/QuarnLib.h"

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <QDir>
#include <QLocale>
#include <cmath>

#include "core/app/Clock.h"
#include "core/app/LanguageTable.h"

namespace QuarnLib {

QString TempFolder() {
  QString p = QDir::tempPath();
  while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
    p.chop(1);
  return p;
}

bool DeleteFolder(const QString& path) {
  QDir dir(path);
  if (!dir.exists()) return true;
  return dir.removeRecursively();
}

bool IsXmlComponentUsable() {
  static const char kDoc[] = "<r xmlns=\"urn:test\"><a>1</a></r>";
  xmlDocPtr doc = xmlReadMemory(kDoc, sizeof(kDoc) - 1, "check.xml", nullptr, XML_PARSE_NONET);
  if (!doc) return false;
  bool ok = false;
  if (xmlXPathContextPtr ctx = xmlXPathNewContext(doc)) {
    xmlXPathRegisterNs(ctx, BAD_CAST "t", BAD_CAST "urn:test");
    if (xmlXPathObjectPtr res = xmlXPathEvalExpression(BAD_CAST "/t:r/t:a", ctx)) {
      ok = res->nodesetval && res->nodesetval->nodeNr == 1;
      xmlXPathFreeObject(res);
    }
    xmlXPathFreeContext(ctx);
  }
  xmlFreeDoc(doc);
  return ok;
}

QString FormatByteSize(bool shortUnits, quint64 bytes, const QLocale& locale) {
  static const char* const kShort[] = {"B", "KB", "MB", "GB", "TB", "PB", "EB", "ZB", "YB"};
  static const char* const kLong[] = {"Byte",     "KiloByte", "MegaByte",  "GigaByte", "TeraByte",
                                      "PetaByte", "ExaByte",  "ZettaByte", "YottaByte"};
  int k = 0;
  // 2^(10k) for k up to 6 fits in 64 bits; a quint64 never reaches 2^70.
  while (k < 6 && bytes >= (quint64(1) << (10 * (k + 1))))
    ++k;
  const double scaled = static_cast<double>(bytes) / std::ldexp(1.0, 10 * k);
  const double rounded = std::nearbyint(scaled * 100.0) / 100.0;  // ties to even
  QLocale l = locale;
  l.setNumberOptions(QLocale::OmitGroupSeparator);
  QString text = l.toString(rounded, 'f', 2);
  const QString point = locale.decimalPoint();
  if (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(point)) text.chop(point.size());
  return text + QLatin1Char(' ') + QLatin1String(shortUnits ? kShort[k] : kLong[k]);
}

bool SameDay(const QDateTime& a, const QDateTime& b) {
  return a.date() == b.date();
}

QString RelativeDayName(const QDateTime& when) {
  const QDate today = QuarnClock::NowEBayOrLocal().date();
  const QDate day = when.date();
  if (day == today) return Translate(QStringLiteral("TODAY"));
  if (day == today.addDays(1)) return Translate(QStringLiteral("TOMORROW"));
  if (day == today.addDays(-1)) return Translate(QStringLiteral("YESTERDAY"));
  return QString();
}

QString RemoveFileNameChars(const QString& text) {
  QString out = text;
  out.removeIf([](QChar c) { return QStringLiteral("\\/:*?\"<>|").contains(c); });
  return out;
}

}  // namespace QuarnLib
