#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// An INI file with the semantics of the Windows profile functions: section and
// key names are compared without regard to case, key order is kept as in the
// file, the first of two equal keys is the one read, integers that do not parse
// read as the default. Unlike the Windows functions, values and key lists have
// no length limit. Reading never fails: a missing, empty or binary file simply
// holds fewer (or no) keys. Saving is atomic.
class TIniFile {
 public:
  TIniFile() = default;
  // Loads path when it exists; a missing or unreadable file gives an empty table.
  explicit TIniFile(const QString& path);

  const QString& FileName() const { return FileName_; }

  // Replaces the content with the text of an INI file.
  void LoadFromText(const QString& text);
  QString ToText() const;

  bool SectionExists(const QString& section) const;
  bool ValueExists(const QString& section, const QString& key) const;
  QStringList Sections() const;
  // The key names of a section in file order (empty for a missing section).
  QStringList SectionKeys(const QString& section) const;

  QString ReadString(const QString& section, const QString& key, const QString& def) const;
  int ReadInteger(const QString& section, const QString& key, int def) const;
  bool ReadBool(const QString& section, const QString& key, bool def) const;

  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, int value);
  void WriteBool(const QString& section, const QString& key, bool value);
  void DeleteKey(const QString& section, const QString& key);
  void EraseSection(const QString& section);

  // Writes the table to FileName() (or path) atomically, UTF-8 with CRLF line ends.
  bool Save(QString* error = nullptr) const;
  bool SaveAs(const QString& path, QString* error = nullptr) const;

  // Integer parsing as the profile functions do it: optional blanks and sign,
  // decimal digits or a "$"/"0x" hexadecimal number, nothing else.
  static bool ParseInteger(const QString& text, int* value);

 private:
  struct Entry {
    QString Key;
    QString Value;
  };
  struct Section {
    QString Name;
    QVector<Entry> Entries;
    QHash<QString, int> Index;  // lower-cased key -> first entry with it
  };

  const Section* FindSection(const QString& name) const;
  Section* FindSection(const QString& name);
  Section& EnsureSection(const QString& name);
  static void Reindex(Section& section);

  QString FileName_;
  QVector<Section> Sections_;
  QHash<QString, int> SectionIndex_;  // lower-cased name -> section
};
