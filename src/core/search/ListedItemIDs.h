#pragma once

#include <QList>
#include <QSet>
#include <QString>

// Every item number that has ever appeared in a result list, oldest first.
// A number not in here is new to the user: its row is shown bold. Kept in
// "ListedItems.txt" between runs, newest first, at most 50 000 numbers.
class TListedItemIDs {
 public:
  static constexpr int kMaxSavedLines = 50000;

  // False for a text that is blank or not a number; constant time.
  bool IsListed(const QString& itemID) const;
  // Appends the number as the newest entry unless it is blank, not a number,
  // or already known; constant time.
  void AddListed(const QString& itemID);

  // Replaces the content with the file's numbers (first line = newest). A
  // missing file gives an empty list; lines that are not numbers are skipped.
  void Load(const QString& path);
  // Writes the newest 50 000 numbers, newest first, CRLF line ends, atomically.
  bool Save(const QString& path, QString* error = nullptr) const;

  int Count() const { return Order_.size(); }
  void Clear();

 private:
  static bool ParseID(const QString& text, qint64* id);

  QList<qint64> Order_;  // oldest first
  QSet<qint64> Known_;
};
