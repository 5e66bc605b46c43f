#include "core/app/FormatText.h"

namespace {

struct Placeholder {
  int Index = -1;
  bool Left = false;
  int Width = -1;
  int Precision = -1;
  QChar Type;
  qsizetype Length = 0;  // characters consumed after '%'
};

// Parses the placeholder after a '%' at format[pos]; false when it is not one.
bool ParsePlaceholder(const QString& f, qsizetype pos, Placeholder* ph) {
  qsizetype i = pos;
  auto readNumber = [&](int* out) {
    qsizetype start = i;
    int v = 0;
    while (i < f.size() && f[i].isDigit() && f[i].unicode() < 128) {
      v = v * 10 + f[i].digitValue();
      if (v > 10000) return false;
      ++i;
    }
    if (i > start) *out = v;
    return true;
  };
  int first = -1;
  if (!readNumber(&first)) return false;
  if (first >= 0) {
    if (i < f.size() && f[i] == QLatin1Char(':')) {
      ph->Index = first;
      ++i;
    } else {
      i = pos;  // it was a width
    }
  }
  if (i < f.size() && f[i] == QLatin1Char('-')) {
    ph->Left = true;
    ++i;
  }
  if (!readNumber(&ph->Width)) return false;
  if (i < f.size() && f[i] == QLatin1Char('.')) {
    ++i;
    ph->Precision = 0;
    if (!readNumber(&ph->Precision)) return false;
  }
  if (i >= f.size()) return false;
  const QChar t = f[i].toLower();
  if (!QStringLiteral("duxsfngem").contains(t)) return false;
  ph->Type = t;
  ph->Length = i + 1 - pos;
  return true;
}

QString Convert(const Placeholder& s, const QVariant& arg, const QLocale& locale) {
  const char t = s.Type.toLatin1();
  switch (t) {
    case 'd':
    case 'u': {
      QString text = QString::number(arg.toLongLong());
      if (s.Precision > 0) {
        const bool neg = text.startsWith(QLatin1Char('-'));
        QString digits = neg ? text.mid(1) : text;
        digits = digits.rightJustified(s.Precision, QLatin1Char('0'));
        text = neg ? QLatin1Char('-') + digits : digits;
      }
      return text;
    }
    case 'x':
      return QString::number(arg.toULongLong(), 16)
          .toUpper()
          .rightJustified(qMax(0, s.Precision), QLatin1Char('0'));
    case 's':
      return s.Precision >= 0 ? arg.toString().left(s.Precision) : arg.toString();
    case 'f':
    case 'n':
    case 'm': {
      QLocale l = locale;
      if (t == 'f')
        l.setNumberOptions(QLocale::OmitGroupSeparator);
      else
        l.setNumberOptions(QLocale::DefaultNumberOptions);
      return l.toString(arg.toDouble(), 'f', s.Precision >= 0 ? s.Precision : 2);
    }
    case 'e':
      return locale.toString(arg.toDouble(), 'e', s.Precision >= 0 ? s.Precision : 15);
    case 'g':
    default: {
      QLocale l = locale;
      l.setNumberOptions(QLocale::OmitGroupSeparator);
      return l.toString(arg.toDouble(), 'g', s.Precision >= 0 ? s.Precision : 15);
    }
  }
}

}  // namespace

QString FormatText(const QString& format, const QVariantList& args, const QLocale& locale) {
  QString out;
  out.reserve(format.size() + 16);
  int next = 0;
  for (qsizetype i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c != QLatin1Char('%') || i + 1 >= format.size()) {
      out += c;
      continue;
    }
    if (format[i + 1] == QLatin1Char('%')) {
      out += QLatin1Char('%');
      ++i;
      continue;
    }
    Placeholder ph;
    if (!ParsePlaceholder(format, i + 1, &ph)) {
      out += c;
      continue;
    }
    const int index = ph.Index >= 0 ? ph.Index : next;
    if (index >= args.size()) {  // no argument: leave the placeholder as written
      out += format.mid(i, ph.Length + 1);
      i += ph.Length;
      continue;
    }
    next = index + 1;
    QString text = Convert(ph, args[index], locale);
    if (ph.Width > text.size())
      text = ph.Left ? text.leftJustified(ph.Width) : text.rightJustified(ph.Width);
    out += text;
    i += ph.Length;
  }
  return out;
}

QList<QChar> FormatPlaceholders(const QString& format) {
  QList<QChar> types;
  for (qsizetype i = 0; i + 1 < format.size(); ++i) {
    if (format[i] != QLatin1Char('%')) continue;
    if (format[i + 1] == QLatin1Char('%')) {
      ++i;
      continue;
    }
    Placeholder ph;
    if (ParsePlaceholder(format, i + 1, &ph)) {
      types << ph.Type;
      i += ph.Length;
    }
  }
  return types;
}
