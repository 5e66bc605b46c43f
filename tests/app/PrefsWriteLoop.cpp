// Rewrites a prefs.ini again and again, alternating between two complete
// versions, until it is killed. Used by the crash test.
#include <QCoreApplication>

#include "core/app/ConfigTable.h"
#include "core/app/IniFile.h"
#include "core/app/Prefs.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) return 2;
  const QString path = QString::fromLocal8Bit(argv[1]);
  for (unsigned round = 0;; ++round) {
    TConfigTable config;
    config.EBayUserName = QString(200000, QLatin1Char(round % 2 ? 'b' : 'a'));
    TIniFile ini;
    Prefs::WriteAll(ini, config, TNetworkSettings(), TSessionSettings());
    ini.SaveAs(path);
  }
}
