#include "core/search/ListedItemIDs.h"

#include <QFile>

#include "core/app/AtomicFile.h"

bool TListedItemIDs::ParseID(const QString& text, qint64* id) {
  bool ok = false;
  *id = text.trimmed().toLongLong(&ok);
  return ok;
}

bool TListedItemIDs::IsListed(const QString& itemID) const {
  qint64 id = 0;
  return ParseID(itemID, &id) && Known_.contains(id);
}

void TListedItemIDs::AddListed(const QString& itemID) {
  qint64 id = 0;
  if (!ParseID(itemID, &id) || Known_.contains(id)) return;
  Known_.insert(id);
  Order_.append(id);
}

void TListedItemIDs::Clear() {
  Order_.clear();
  Known_.clear();
}

void TListedItemIDs::Load(const QString& path) {
  Clear();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QList<QByteArray> lines = file.readAll().split('\n');
  // The file holds the newest number first; the list keeps the oldest first.
  for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
    bool ok = false;
    const qint64 id = it->trimmed().toLongLong(&ok);
    if (!ok || Known_.contains(id)) continue;
    Known_.insert(id);
    Order_.append(id);
  }
}

bool TListedItemIDs::Save(const QString& path, QString* error) const {
  QByteArray out;
  out.reserve(qMin<qsizetype>(Order_.size(), kMaxSavedLines) * 14);
  int written = 0;
  for (auto it = Order_.crbegin(); it != Order_.crend() && written < kMaxSavedLines;
       ++it, ++written) {
    out += QByteArray::number(*it);
    out += "\r\n";
  }
  return AtomicFile::Write(path, out, error);
}
