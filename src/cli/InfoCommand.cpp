// "quarn-cli info": where a program folder's files are and what its settings say.
#include <cstdio>

#include "cli/CliCommand.h"
#include "core/app/AppCore.h"
#include "core/app/IniFile.h"
#include "core/app/LanguageTable.h"
#include "core/app/Prefs.h"
#include "core/app/QuarnLib.h"

namespace {

int RunInfo(const QStringList& args) {
  const QString folder = args.isEmpty() ? QStringLiteral(".") : args.first();
  const TFolders f = TFolders::Build(folder, QuarnLib::TempFolder());
  TConfigTable config = TConfigTable::Defaults(f.SfxFolder);
  TNetworkSettings net;
  QString catVersion;
  const TIniFile prefs(f.PrefsFile);
  Prefs::ReadFirstPass(prefs, config, catVersion, config.AlarmWaveFile);
  Prefs::ReadSecondPass(prefs, config, net);
  const QString lang = f.CommonFolder + QStringLiteral("Lang.ini");
  std::printf("program folder   %s\n", qPrintable(f.ProgramFolder));
  std::printf("settings         %s%s\n", qPrintable(f.PrefsFile),
              prefs.Sections().isEmpty() ? " (missing or empty)" : "");
  std::printf("cache folder     %s\n", qPrintable(f.CacheFolder));
  std::printf("language         %s (file offers: %s)\n", qPrintable(config.Language),
              qPrintable(TLanguageTable::Languages(lang).join(QStringLiteral(", "))));
  std::printf("default site     %d\n", config.DefaultSiteID);
  std::printf("connections      %d at once, %d new per 5 s\n", net.MaxConcurentConnections,
              net.MaxNewConnectionsIn5Sec);
  std::printf("proxy            %s\n",
              net.UseProxy
                  ? qPrintable(net.ProxyServer + QLatin1Char(':') + QString::number(net.ProxyPort))
                  : "none");
  std::printf("first-run wizard %s\n",
              Prefs::NeedsFirstRunWizard(prefs, {}) ? "needed" : "not needed");
  return 0;
}

const TCliCommand::Registrar kRegistrar({"info", "show a program folder's paths and settings",
                                         "[PROGRAM_FOLDER]", RunInfo});

}  // namespace
