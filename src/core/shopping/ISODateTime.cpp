#include "core/shopping/ISODateTime.h"

#include <QHash>

namespace ISODateTime {

namespace {

// True when text has mask's length, a digit wherever mask has '9' and the
// same character everywhere else.
bool MatchesMask(QStringView text, QStringView mask) {
  if (text.size() != mask.size()) return false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (mask[i] == QLatin1Char('9')) {
      if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')) return false;
    } else if (text[i] != mask[i]) {
      return false;
    }
  }
  return true;
}

// The number at 1-based character position pos, count digits long.
int Digits(QStringView text, int pos, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i)
    value = value * 10 + (text[pos - 1 + i].unicode() - '0');
  return value;
}

bool ParseDate(QStringView text, QDate& date) {
  int y, m, d;
  if (MatchesMask(text, u"9999-99-99")) {
    y = Digits(text, 1, 4);
    m = Digits(text, 6, 2);
    d = Digits(text, 9, 2);
  } else if (MatchesMask(text, u"99999999")) {
    y = Digits(text, 1, 4);
    m = Digits(text, 5, 2);
    d = Digits(text, 7, 2);
  } else {
    return false;
  }
  if (y < 1) return false;  // there is no year 0
  date = QDate(y, m, d);
  return date.isValid();
}

bool ParseTime(QStringView text, QTime& time) {
  qsizetype sep = text.indexOf(QLatin1Char(','));
  if (sep < 0) sep = text.indexOf(QLatin1Char('.'));
  const QStringView clock = sep < 0 ? text : text.left(sep);
  const bool hasFraction = sep >= 0;
  const QStringView fraction = hasFraction ? text.mid(sep + 1) : QStringView();
  int h, n, s = 0;
  bool withSeconds = true;
  if (MatchesMask(clock, u"99:99:99")) {
    h = Digits(clock, 1, 2);
    n = Digits(clock, 4, 2);
    s = Digits(clock, 7, 2);
  } else if (MatchesMask(clock, u"999999")) {
    h = Digits(clock, 1, 2);
    n = Digits(clock, 3, 2);
    s = Digits(clock, 5, 2);
  } else if (MatchesMask(clock, u"99:99")) {
    h = Digits(clock, 1, 2);
    n = Digits(clock, 4, 2);
    withSeconds = false;
  } else if (MatchesMask(clock, u"9999")) {
    h = Digits(clock, 1, 2);
    n = Digits(clock, 3, 2);
    withSeconds = false;
  } else {
    return false;
  }
  if (!withSeconds && hasFraction) return false;
  int ms = 0;
  if (!fraction.isEmpty()) {
    if (fraction.size() != 3 && fraction.size() != 4) return false;
    if (!MatchesMask(fraction.left(3), u"999")) return false;
    ms = Digits(fraction, 1, 3);
  }
  if (h > 23 || n > 59 || s > 59) return false;
  time = QTime(h, n, s, ms);
  return time.isValid();
}

}  // namespace

bool TryParse(const QString& text, QDateTime& value) {
  value = QDateTime();
  qsizetype split = text.indexOf(QLatin1Char('T'));
  if (split < 0) split = text.indexOf(QLatin1Char(' '));
  if (split < 0) return false;
  QDate date;
  if (!ParseDate(QStringView(text).left(split), date)) return false;
  value = QDateTime(date, QTime(0, 0), Qt::UTC);
  QTime time;
  if (!ParseTime(QStringView(text).mid(split + 1), time)) return false;
  value = QDateTime(date, time, Qt::UTC);
  return true;
}

QDateTime ToLocal(const QDateTime& utc) {
  if (!utc.isValid()) return QDateTime();
  // Every zone changes its offset on a quarter hour of UTC.
  constexpr qint64 kBucketSecs = 15 * 60;
  // Forget offsets now and then, so a change of the system's zone is noticed.
  constexpr qint64 kKeepMSecs = 5 * 60 * 1000;
  constexpr qsizetype kMaxEntries = 4096;
  struct TCache {
    QHash<qint64, int> Offsets;
    qint64 Since = 0;
  };
  thread_local TCache cache;
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (now - cache.Since > kKeepMSecs || cache.Offsets.size() > kMaxEntries) {
    cache.Offsets.clear();
    cache.Since = now;
  }
  const qint64 msecs = utc.toMSecsSinceEpoch();
  const qint64 bucket =
      msecs >= 0 ? msecs / 1000 / kBucketSecs : (msecs / 1000 - kBucketSecs + 1) / kBucketSecs;
  auto it = cache.Offsets.constFind(bucket);
  if (it == cache.Offsets.constEnd())
    it = cache.Offsets.insert(bucket, utc.toLocalTime().offsetFromUtc());
  return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, it.value());
}

QString ToText(const QDateTime& value) {
  if (!value.isValid()) return QString();
  return value.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

}  // namespace ISODateTime
