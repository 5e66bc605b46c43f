#include "core/app/IniFile.h"

#include <QFile>

#include <cctype>
#include <climits>

#include "core/app/AtomicFile.h"
#include "core/app/TextCodec.h"

TIniFile::TIniFile(const QString& path) : FileName_(path) {
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) LoadFromText(TextCodec::DecodeText(file.readAll()));
}

void TIniFile::LoadFromText(const QString& text) {
  Sections_.clear();
  SectionIndex_.clear();
  Section* current = nullptr;
  for (const QString& raw : TextCodec::SplitLines(text)) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
    if (line.startsWith(QLatin1Char('['))) {
      const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
      const QString name = (close > 0 ? line.mid(1, close - 1) : line.mid(1)).trimmed();
      current = &EnsureSection(name);
      continue;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (current == nullptr || eq <= 0) continue;  // key lines outside a section are not reachable
    const QString key = line.left(eq).trimmed();
    if (key.isEmpty()) continue;
    const QString lower = key.toLower();
    if (current->Index.contains(lower)) continue;  // the first of two equal keys wins
    current->Index.insert(lower, current->Entries.size());
    current->Entries.append({key, line.mid(eq + 1).trimmed()});
  }
}

QString TIniFile::ToText() const {
  QString out;
  bool first = true;
  for (const Section& section : Sections_) {
    if (!first) out += QLatin1String("\r\n");
    first = false;
    out += QLatin1Char('[') + section.Name + QLatin1String("]\r\n");
    for (const Entry& e : section.Entries) {
      out += e.Key + QLatin1Char('=') + e.Value + QLatin1String("\r\n");
    }
  }
  return out;
}

const TIniFile::Section* TIniFile::FindSection(const QString& name) const {
  const auto it = SectionIndex_.constFind(name.trimmed().toLower());
  return it == SectionIndex_.constEnd() ? nullptr : &Sections_[*it];
}

TIniFile::Section* TIniFile::FindSection(const QString& name) {
  const auto it = SectionIndex_.constFind(name.trimmed().toLower());
  return it == SectionIndex_.constEnd() ? nullptr : &Sections_[*it];
}

TIniFile::Section& TIniFile::EnsureSection(const QString& name) {
  if (Section* s = FindSection(name)) return *s;
  SectionIndex_.insert(name.trimmed().toLower(), Sections_.size());
  Sections_.append(Section{name.trimmed(), {}, {}});
  return Sections_.last();
}

void TIniFile::Reindex(Section& section) {
  section.Index.clear();
  for (int i = 0; i < section.Entries.size(); ++i) {
    const QString lower = section.Entries[i].Key.toLower();
    if (!section.Index.contains(lower)) section.Index.insert(lower, i);
  }
}

bool TIniFile::SectionExists(const QString& section) const {
  return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
  const Section* s = FindSection(section);
  return s && s->Index.contains(key.trimmed().toLower());
}

QStringList TIniFile::Sections() const {
  QStringList names;
  for (const Section& s : Sections_)
    names << s.Name;
  return names;
}

QStringList TIniFile::SectionKeys(const QString& section) const {
  QStringList keys;
  if (const Section* s = FindSection(section)) {
    for (const Entry& e : s->Entries)
      keys << e.Key;
  }
  return keys;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
  const Section* s = FindSection(section);
  if (!s) return def;
  const auto it = s->Index.constFind(key.trimmed().toLower());
  return it == s->Index.constEnd() ? def : s->Entries[*it].Value;
}

bool TIniFile::ParseInteger(const QString& text, int* value) {
  QString t = text.trimmed();
  bool negative = false;
  if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
    negative = t.startsWith(QLatin1Char('-'));
    t.remove(0, 1);
  }
  int base = 10;
  if (t.startsWith(QLatin1Char('$'))) {
    base = 16;
    t.remove(0, 1);
  } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    base = 16;
    t.remove(0, 2);
  }
  if (t.isEmpty()) return false;
  for (QChar c : t) {
    const bool ok = base == 10 ? c.isDigit() && c.unicode() < 128 : isxdigit(c.toLatin1()) != 0;
    if (!ok || c.unicode() >= 128) return false;
  }
  bool ok = false;
  const qlonglong v = t.toLongLong(&ok, base);
  if (!ok) return false;
  const qlonglong signedValue = negative ? -v : v;
  if (base == 10 && (signedValue < INT_MIN || signedValue > INT_MAX)) return false;
  if (base == 16 && v > 0xFFFFFFFFLL) return false;
  // Hexadecimal numbers are 32-bit patterns, as the Windows conversion takes them.
  *value = base == 16 ? static_cast<int>(static_cast<quint32>(v)) * (negative ? -1 : 1)
                      : static_cast<int>(signedValue);
  return true;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
  int v = 0;
  return ParseInteger(ReadString(section, key, QString()), &v) ? v : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
  Section& s = EnsureSection(section);
  const QString lower = key.trimmed().toLower();
  const auto it = s.Index.constFind(lower);
  if (it != s.Index.constEnd()) {
    s.Entries[*it].Value = value;
    return;
  }
  s.Index.insert(lower, s.Entries.size());
  s.Entries.append({key.trimmed(), value});
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
  WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
  WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::DeleteKey(const QString& section, const QString& key) {
  Section* s = FindSection(section);
  if (!s) return;
  const QString lower = key.trimmed().toLower();
  s->Entries.removeIf([&](const Entry& e) { return e.Key.toLower() == lower; });
  Reindex(*s);
}

void TIniFile::EraseSection(const QString& section) {
  const QString lower = section.trimmed().toLower();
  Sections_.removeIf([&](const Section& s) { return s.Name.toLower() == lower; });
  SectionIndex_.clear();
  for (int i = 0; i < Sections_.size(); ++i)
    SectionIndex_.insert(Sections_[i].Name.toLower(), i);
}

bool TIniFile::Save(QString* error) const {
  return SaveAs(FileName_, error);
}

bool TIniFile::SaveAs(const QString& path, QString* error) const {
  return AtomicFile::Write(path, ToText().toUtf8(), error);
}
