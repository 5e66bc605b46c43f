#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <stdexcept>

// Raised by a lookup of a key the table does not hold.
class ELanguageError : public std::runtime_error {
 public:
  explicit ELanguageError(const QString& message)
      : std::runtime_error(message.toStdString()), Message(message) {}
  QString Message;
};

// Every visible text of the program, by key, in the current language. Keys are
// compared exactly (letter case counts). One table serves the whole program
// (LanguageTable()); tests may build their own.
class TLanguageTable {
 public:
  // Fills the table from section `language` of the INI file at path. A missing
  // file or section gives an empty table. "\n" becomes a line feed followed by
  // a carriage return; "$KEY$" is replaced by the text of KEY when the section
  // has it.
  void LoadFile(const QString& path, const QString& language);

  QString Translate(const QString& key) const;
  bool HasKey(const QString& key) const { return Texts_.contains(key); }
  // For a text "#KEY" with KEY in the table, the text of KEY; otherwise empty.
  QString TranslateCaption(const QString& text) const;
  // Translate, then format with args.
  QString Format(const QString& key, const QVariantList& args) const;

  int Count() const { return Texts_.size(); }
  const QStringList& Keys() const { return Order_; }
  void Clear();

  // The section names of a language file: the languages it offers.
  static QStringList Languages(const QString& path);

 private:
  QHash<QString, QString> Texts_;
  QStringList Order_;  // keys in file order
};

// The process-wide table.
TLanguageTable& LanguageTable();

// Loads `language` from CommonFolder + "Lang.ini" into the process-wide table
// and makes it the current language (ConfigTable Language).
void LoadLanguage(const QString& language);

QString Translate(const QString& key);
// The text of key, or the key itself where a missing text must not stop anything.
QString TranslateOrKey(const QString& key);
bool HasKey(const QString& key);
QString TranslateCaption(const QString& text);
QString TranslateFormat(const QString& key, const QVariantList& args);
