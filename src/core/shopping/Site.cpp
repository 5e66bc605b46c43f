#include "core/shopping/Site.h"

QString TSite::LocalName(const QByteArray& lang) const {
  for (const TSiteLangName& entry : LangNames)
    if (entry.Lang == lang) return entry.Name;
  return Name;
}

void TSite::SetLocalName(const QByteArray& lang, const QString& name) {
  for (TSiteLangName& entry : LangNames) {
    if (entry.Lang == lang) {
      entry.Name = name;
      return;
    }
  }
  LangNames.push_back({lang, name});
}
