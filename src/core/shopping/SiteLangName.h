#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// A site's name in one user-interface language.
struct TSiteLangName {
  QByteArray Lang;  // language code, e.g. "de"
  QString Name;
};

using TSiteLangNames = std::vector<TSiteLangName>;
