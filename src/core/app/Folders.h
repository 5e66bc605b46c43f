#pragma once

#include <QString>

// The folder set of an installation. Every path ends in "/". Only CacheFolder
// is ever created by the program; the others belong to the installation.
struct TFolders {
  QString ProgramFolder;   // the executable's folder
  QString SettingsFolder;  // prefs.ini and the user's lists
  QString GfxFolder;
  QString SfxFolder;       // the default alarm sound
  QString CommonFolder;    // Lang.ini, CountryList.xml, script modules, page templates
  QString SiteDataFolder;  // Categories.xml
  QString CacheFolder;     // pictures and pages of this run; deleted at close
  QString PrefsFile;

  // Builds the set for a program folder and a temporary-files folder.
  static TFolders Build(const QString& programFolder, const QString& tempFolder);
  // The cache folder inside a temporary-files folder.
  static QString CacheFolderIn(const QString& tempFolder);
};

// Appends "/" unless the path already ends in one.
QString WithTrailingSlash(const QString& path);
