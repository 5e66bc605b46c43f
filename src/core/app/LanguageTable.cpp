#include "core/app/LanguageTable.h"

#include <QRegularExpression>

#include "core/app/AppCore.h"
#include "core/app/FormatText.h"
#include "core/app/IniFile.h"

void TLanguageTable::Clear() {
  Texts_.clear();
  Order_.clear();
}

void TLanguageTable::LoadFile(const QString& path, const QString& language) {
  Clear();
  const TIniFile ini(path);
  for (const QString& key : ini.SectionKeys(language)) {
    if (Texts_.contains(key)) continue;
    Order_ << key;
    Texts_.insert(key, ini.ReadString(language, key, QString()));
  }

  static const QRegularExpression reference(QStringLiteral("\\$([\\w\\d\\-]+)\\$"),
                                            QRegularExpression::CaseInsensitiveOption);
  const QString lineBreak = QStringLiteral("\n\r");
  for (const QString& key : Order_) {
    QString text = Texts_.value(key);
    text.replace(QLatin1String("\\n"), lineBreak);
    if (text.contains(QLatin1Char('$'))) {
      // Matches are taken from the text as it was before any replacement; a
      // referenced text is used as it stands at this moment.
      const QString original = text;
      auto it = reference.globalMatch(original);
      while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const auto found = Texts_.constFind(m.captured(1));
        if (found != Texts_.constEnd()) text.replace(m.captured(0), *found);
      }
    }
    Texts_.insert(key, text);
  }
}

QString TLanguageTable::Translate(const QString& key) const {
  if (key.isEmpty()) throw ELanguageError(QStringLiteral("Key cannot be an empty string"));
  const auto it = Texts_.constFind(key);
  if (it == Texts_.constEnd())
    throw ELanguageError(QStringLiteral("Key \"%1\" not found").arg(key));
  return *it;
}

QString TLanguageTable::TranslateCaption(const QString& text) const {
  if (!text.startsWith(QLatin1Char('#'))) return QString();
  const auto it = Texts_.constFind(text.mid(1));
  return it == Texts_.constEnd() ? QString() : *it;
}

QString TLanguageTable::Format(const QString& key, const QVariantList& args) const {
  return FormatText(Translate(key), args);
}

QStringList TLanguageTable::Languages(const QString& path) {
  return TIniFile(path).Sections();
}

TLanguageTable& LanguageTable() {
  static TLanguageTable table;
  return table;
}

void LoadLanguage(const QString& language) {
  TAppCore& core = AppCore();
  core.Config.Language = language;
  LanguageTable().LoadFile(core.Folders.CommonFolder + QStringLiteral("Lang.ini"), language);
}

QString Translate(const QString& key) {
  return LanguageTable().Translate(key);
}
bool HasKey(const QString& key) {
  return LanguageTable().HasKey(key);
}
QString TranslateOrKey(const QString& key) {
  return HasKey(key) ? Translate(key) : key;
}
QString TranslateCaption(const QString& text) {
  return LanguageTable().TranslateCaption(text);
}
QString TranslateFormat(const QString& key, const QVariantList& args) {
  return LanguageTable().Format(key, args);
}
