#include "core/app/Folders.h"

#include <QDir>

QString WithTrailingSlash(const QString& path) {
  QString p = QDir::fromNativeSeparators(path);
  if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
  return p;
}

QString TFolders::CacheFolderIn(const QString& tempFolder) {
  return WithTrailingSlash(tempFolder) + QStringLiteral("Quarn/");
}

TFolders TFolders::Build(const QString& programFolder, const QString& tempFolder) {
  TFolders f;
  f.ProgramFolder = WithTrailingSlash(QDir(programFolder).absolutePath());
  f.SettingsFolder = f.ProgramFolder + QStringLiteral("settings/");
  f.GfxFolder = f.ProgramFolder + QStringLiteral("gfx/");
  f.SfxFolder = f.ProgramFolder + QStringLiteral("sfx/");
  f.CommonFolder = f.ProgramFolder + QStringLiteral("common/");
  f.SiteDataFolder = f.ProgramFolder + QStringLiteral("SiteData/");
  f.CacheFolder = CacheFolderIn(tempFolder);
  f.PrefsFile = f.SettingsFolder + QStringLiteral("prefs.ini");
  return f;
}
