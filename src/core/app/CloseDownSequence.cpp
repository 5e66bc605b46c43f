#include "core/app/CloseDownSequence.h"

#include "core/app/AppCore.h"
#include "core/app/IniFile.h"
#include "core/app/Prefs.h"
#include "core/app/QuarnLib.h"

TCloseDownSequence::TCloseDownSequence() {
  for (int step = 1; step <= 7; ++step)
    Sequence_.AddStep(step);
  TAppCore& core = AppCore();
  Sequence_.AddAction(1, [&core] {
    if (!core.Folders.CacheFolder.isEmpty()) QuarnLib::DeleteFolder(core.Folders.CacheFolder);
  });
  Sequence_.AddAction(3, [this, &core] {
    // Unknown keys and sections (the undocked browser's, for one) are kept.
    TIniFile ini(core.Folders.PrefsFile);
    Prefs::WriteAll(ini, core.Config, core.Network, core.Session);
    QString error;
    if (!ini.Save(&error)) Error_ = error;
  });
}

bool TCloseDownSequence::Run() {
  Error_.clear();
  if (AppCore().StartupAborted) return false;
  Sequence_.Run();
  return Error_.isEmpty();
}
