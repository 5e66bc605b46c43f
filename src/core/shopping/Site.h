#pragma once

#include <QByteArray>
#include <QString>

#include "core/shopping/SiteLangName.h"

// One eBay site.
class TSite {
 public:
  qint32 SiteID = 0;  // eBay's site id
  QString Code;       // short code ("DE"); empty for eBay Motors
  QString Name;       // eBay's name as written in "Site" elements ("Germany")
  TSiteLangNames LangNames;

  // The name for a language code (compared exactly), else Name.
  QString LocalName(const QByteArray& lang) const;
  // Replaces the entry for the language or appends one.
  void SetLocalName(const QByteArray& lang, const QString& name);
};
