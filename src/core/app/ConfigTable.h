#pragma once

#include <QString>
#include <QtGlobal>

// The settings record the whole program reads directly. Filled from defaults,
// then from prefs.ini; changed only by the wizard and the settings dialog.
struct TConfigTable {
  QString Token;
  QString Language = QStringLiteral("Deutsch");
  QString EBayUserName;
  qint32 DefaultSiteID = 77;
  QString PriceFormat = QStringLiteral("%.2n");
  qint32 SequenceSize = 5;
  bool BrowserMouseGestures = true;
  bool SortAtSearchend = false;
  bool SortGalleryAtSearchend = false;
  bool BoldLine = false;
  bool ShowDayName = true;
  bool ShowOnlyForeignCurrency = false;
  bool UseWordWrap = false;
  bool UseAutoFilter = true;
  bool PriceWithShip = true;
  quint8 ThumbRequestPriority = 3;
  quint8 ListPageRequestPriority = 1;
  quint8 FeedbackRequestPriority = 1;
  qint32 ThumbsBorderSize = 2;
  qint32 TinyThumbWidth = 120;
  qint32 TinyThumbHeight = 90;
  qint32 BigThumbWidth = 400;
  qint32 BigThumbHeight = 300;
  qint32 BewertungMaxItems = 1000;
  quint8 InstantBarRefreshMode = 1;
  qint32 InstantBarRefreshSeconds = 0;
  bool InstantBarShowCountdown = false;
  bool BrowserCascade = false;
  bool AlarmActivate = true;
  bool AlarmMinimized = true;
  bool AlarmSound = true;
  qint32 AlarmMinutes = 5;
  QString AlarmWaveFile;  // SfxFolder + "Alarm.wav" by default

  // The defaults, with the alarm sound in the given sound folder.
  static TConfigTable Defaults(const QString& sfxFolder);

  bool operator==(const TConfigTable&) const = default;
};

// Connection and scheduler settings kept outside the record (they live in the
// scheduler); read in the second pass over prefs.ini and written at close.
struct TNetworkSettings {
  int MaxConcurentConnections = 15;
  int MaxNewConnectionsIn5Sec = 20;
  QString UserAgent;
  bool UseProxy = false;
  QString ProxyServer;
  int ProxyPort = 1080;
  bool RequireAuth = false;
  QString ProxyUser;      // plain in memory; scrambled in the file
  QString ProxyPassword;  // plain in memory; scrambled in the file

  bool operator==(const TNetworkSettings&) const = default;
};

// The window and side bar state of the last session ([Application], [SideBar]).
struct TSessionSettings {
  int Left = -1;  // -1: not stored, the window keeps its designed bounds
  int Top = -1;
  int Width = -1;
  int Height = -1;
  bool FullScreen = false;
  bool Maximized = false;
  bool UndockedBrowser = false;
  int SideBarWidth = -1;
  bool SideBarVisible = false;
  int SideBarType = 0;  // 1 activity side bar, 2 saved-search tree, 0 other

  bool operator==(const TSessionSettings&) const = default;
};
