#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include "core/app/ConfigTable.h"
#include "core/app/Folders.h"
#include "core/app/VersionInfo.h"

// The fixed formats used wherever numbers and dates are stored or exchanged,
// whatever the user's locale.
struct TFixedFormats {
  QLocale UsNumberFormat = QLocale(QLocale::English, QLocale::UnitedStates);
  QString ShortDateFormat = QStringLiteral("yyyy-MM-dd");
  QString LongDateFormat = QStringLiteral("yyyy-MM-dd");
  QString ShortTimeFormat = QStringLiteral("hh:mm");
  QString LongTimeFormat = QStringLiteral("hh:mm:ss");
};

// The process-wide state of the application core: folders, settings record,
// version and the settings kept beside the record. Read directly by every
// subsystem; changed only by the start-up sequence, the wizard and the
// settings dialog.
struct TAppCore {
  TFolders Folders;
  TConfigTable Config;
  TConfigTable DefaultConfig;
  TVersionInfo Version;
  TFixedFormats Formats;  // UsNumberFormat and IsoDateFormat
  TNetworkSettings Network;
  TSessionSettings Session;
  QString LocalCatVersion = QStringLiteral("200805");
  QString ModuleUserAgent;
  QString ApiBaseUrl;      // the maker's API server, ends in "/"
  QString ShoppingApiUrl;  // the Shopping API endpoint
  QStringList Arguments;   // command-line arguments after the program name
  bool FirstRunWizardNeeded = false;
  bool StartupAborted = false;
};

TAppCore& AppCore();

// Built-in endpoints: the local sandbox that plays eBay and the maker's server.
inline constexpr const char* kBuiltInApiBaseUrl = "http://127.0.0.1:8870/";
inline constexpr const char* kBuiltInShoppingApiUrl = "http://127.0.0.1:8870/shopping?";
// The maker's web address shown at the end of the window title.
inline constexpr const char* kMakerWebAddress = "www.quarn.app";
