#include "core/app/StartupSequence.h"

#include <QDir>
#include <exception>

#include "core/app/AppCore.h"
#include "core/app/IniFile.h"
#include "core/app/LanguageTable.h"
#include "core/app/Prefs.h"
#include "core/app/QuarnLib.h"

TStartupSequence::TStartupSequence(Options options) : Options_(std::move(options)) {
  BuildSteps();
}

void TStartupSequence::BuildSteps() {
  static const struct {
    int Number;
    const char* Key;
  } kSteps[] = {{1, ""},
                {2, ""},
                {3, ""},
                {4, ""},
                {5, ""},
                {6, ""},
                {7, ""},
                {8, ""},
                {9, ""},
                {10, ""},
                {11, ""},
                {12, ""},
                {13, ""},
                {14, ""},
                {15, ""},
                {16, ""},
                {17, ""},
                {18, "NAG_LOGON"},
                {19, ""},
                {20, "NAG_REGEX"},
                {21, "NAG_MODULES"},
                {22, "NAG_INTERFACE_CREATE"},
                {23, "NAG_URL_SCHEMA"},
                {24, "NAG_TIME"},
                {25, "NAG_LOAD_LISTED_ITEMS"},
                {26, "NAG_LOAD_SEARCH_HISTORY"},
                {27, "NAG_LOAD_VIEWED_ITEMS"},
                {28, "NAG_LOAD_FAVORITE_ITEMS"},
                {29, "NAG_LOAD_SEARCH_FAVORITES"},
                {30, "NAG_SESSION_RESTORE"},
                {31, "NAG_COMPLETE"}};
  for (const auto& s : kSteps)
    Sequence_.AddStep(s.Number, QLatin1String(s.Key));

  TAppCore& core = AppCore();
  Sequence_.AddAction(1, [&core] { core.StartupAborted = false; });
  Sequence_.AddAction(2, [&core] { core.Version = TVersionInfo::Current(); });
  Sequence_.AddAction(5, [&core] {
    core.ModuleUserAgent = QStringLiteral("Quarn-Client ") + core.Version.VersionString;
    if (core.ApiBaseUrl.isEmpty()) core.ApiBaseUrl = QLatin1String(kBuiltInApiBaseUrl);
    if (core.ShoppingApiUrl.isEmpty()) core.ShoppingApiUrl = QLatin1String(kBuiltInShoppingApiUrl);
  });
  Sequence_.AddAction(6, [&core] { core.Formats = TFixedFormats(); });
  Sequence_.AddAction(8, [this, &core] {
    const QString temp =
        Options_.TempFolder.isEmpty() ? QuarnLib::TempFolder() : Options_.TempFolder;
    core.Folders.CacheFolder = TFolders::CacheFolderIn(temp);
    QDir().mkpath(core.Folders.CacheFolder);
  });
  Sequence_.AddAction(9, [this, &core] {
    const QString cache = core.Folders.CacheFolder;
    core.Folders = TFolders::Build(Options_.ProgramFolder, QString());
    core.Folders.CacheFolder = cache;
  });
  Sequence_.AddAction(10, [&core] {
    core.DefaultConfig = TConfigTable::Defaults(core.Folders.SfxFolder);
    core.Config = core.DefaultConfig;
    core.Network = TNetworkSettings();
    core.Session = TSessionSettings();
  });
  Sequence_.AddAction(11, [&core] {
    Prefs::ReadFirstPass(TIniFile(core.Folders.PrefsFile), core.Config, core.LocalCatVersion,
                         core.DefaultConfig.AlarmWaveFile);
  });
  Sequence_.AddAction(12, [this, &core] {
    core.Arguments = Options_.Arguments;
    core.FirstRunWizardNeeded =
        Prefs::NeedsFirstRunWizard(TIniFile(core.Folders.PrefsFile), Options_.Arguments);
  });
  Sequence_.AddAction(13, [this, &core] {
    LanguageTable().Clear();
    if (core.FirstRunWizardNeeded && RunWizard) {
      RunWizard();
    } else {
      LoadLanguage(core.Config.Language);
    }
  });
  Sequence_.AddAction(14, [this, &core] {
    if (QuarnLib::IsXmlComponentUsable()) return;
    if (OnXmlMissing) OnXmlMissing();
    core.StartupAborted = true;
  });
  Sequence_.AddAction(16, [&core] {
    core.Network.UserAgent = Prefs::UserAgentFor(core.Version.VersionString);
    Prefs::ReadSecondPass(TIniFile(core.Folders.PrefsFile), core.Config, core.Network);
  });
  Sequence_.AddAction(
      30, [&core] { Prefs::ReadSession(TIniFile(core.Folders.PrefsFile), core.Session); });

  Sequence_.OnStatus = [this](const QString& key) {
    if (OnStatus) OnStatus(TranslateOrKey(key));
  };
  Sequence_.ShouldStop = [&core] { return core.StartupAborted; };
}

bool TStartupSequence::Run() {
  Error_.clear();
  try {
    if (Sequence_.Run()) return true;
  } catch (const std::exception& e) {
    // An error ends the sequence at its step. The program then ends without
    // writing anything, exactly like an aborted start.
    Error_ = QString::fromUtf8(e.what());
  }
  AppCore().StartupAborted = true;
  return false;
}
