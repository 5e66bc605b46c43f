#include "core/app/Prefs.h"

#include <QFileInfo>

#include "core/app/IniFile.h"
#include "core/app/Scramble.h"

namespace Prefs {

namespace {
const QString kApp = QStringLiteral("Application");
const QString kAlarm = QStringLiteral("Alarm");
const QString kItemList = QStringLiteral("ItemList");
const QString kGallery = QStringLiteral("Gallery");
const QString kConnection = QStringLiteral("Connection");
const QString kNetwork = QStringLiteral("Network");
const QString kSideBar = QStringLiteral("SideBar");

struct FlagKey {
  const char* Key;
  bool TConfigTable::*Field;
};
// [ItemList] flags in the order they are written.
const FlagKey kItemListFlags[] = {
    {"BoldLine", &TConfigTable::BoldLine},
    {"SortAtSearchend", &TConfigTable::SortAtSearchend},
    {"SortGalleryAtSearchend", &TConfigTable::SortGalleryAtSearchend},
    {"ShowDayName", &TConfigTable::ShowDayName},
    {"ShowOnlyForeignCurrency", &TConfigTable::ShowOnlyForeignCurrency},
    {"UseWordWrap", &TConfigTable::UseWordWrap},
    {"UseAutoFilter", &TConfigTable::UseAutoFilter},
    {"PriceWithShip", &TConfigTable::PriceWithShip},
};
}  // namespace

void ReadFirstPass(const TIniFile& ini, TConfigTable& c, QString& localCatVersion,
                   const QString& defaultWaveFile) {
  c.Token = ini.ReadString(kApp, QStringLiteral("token"), c.Token);
  c.Language = ini.ReadString(kApp, QStringLiteral("Language"), c.Language).trimmed();
  if (c.Language.isEmpty()) c.Language = QStringLiteral("Deutsch");
  c.DefaultSiteID = ini.ReadInteger(kApp, QStringLiteral("DefaultSiteID"), c.DefaultSiteID);
  localCatVersion = ini.ReadString(kApp, QStringLiteral("CatVersion"), QStringLiteral("200805"));
  c.PriceFormat = ini.ReadString(kApp, QStringLiteral("PriceFormat"), c.PriceFormat);

  c.AlarmActivate = ini.ReadBool(kAlarm, QStringLiteral("Activate"), c.AlarmActivate);
  c.AlarmMinimized = ini.ReadBool(kAlarm, QStringLiteral("Minimized"), c.AlarmMinimized);
  c.AlarmSound = ini.ReadBool(kAlarm, QStringLiteral("Sound"), c.AlarmSound);
  c.AlarmMinutes = ini.ReadInteger(kAlarm, QStringLiteral("Minutes"), c.AlarmMinutes);
  c.AlarmWaveFile = ini.ReadString(kAlarm, QStringLiteral("WaveFile"), c.AlarmWaveFile);
  if (!QFileInfo(c.AlarmWaveFile).isFile()) c.AlarmWaveFile = defaultWaveFile;

  for (const FlagKey& f : kItemListFlags)
    c.*f.Field = ini.ReadBool(kItemList, QLatin1String(f.Key), c.*f.Field);
  c.SequenceSize = ini.ReadInteger(kItemList, QStringLiteral("SequenceSize"), c.SequenceSize);
  c.ThumbsBorderSize =
      ini.ReadInteger(kGallery, QStringLiteral("ThumbsBorderSize"), c.ThumbsBorderSize);
  c.BewertungMaxItems =
      ini.ReadInteger(QStringLiteral("Bewertung"), QStringLiteral("MaxItems"), c.BewertungMaxItems);
  c.BrowserCascade =
      ini.ReadBool(QStringLiteral("Browser"), QStringLiteral("Cascade"), c.BrowserCascade);
}

void ReadSecondPass(const TIniFile& ini, TConfigTable& c, TNetworkSettings& n) {
  c.EBayUserName = ini.ReadString(kApp, QStringLiteral("EBayUserName"), c.EBayUserName);
  n.MaxConcurentConnections = ini.ReadInteger(kNetwork, QStringLiteral("MaxConcurentConnections"),
                                              n.MaxConcurentConnections);
  n.MaxNewConnectionsIn5Sec = ini.ReadInteger(kNetwork, QStringLiteral("MaxNewConnectionsIn5Sec"),
                                              n.MaxNewConnectionsIn5Sec);
  n.UseProxy = ini.ReadBool(kConnection, QStringLiteral("UseProxy"), n.UseProxy);
  n.RequireAuth = ini.ReadBool(kConnection, QStringLiteral("RequireAuth"), n.RequireAuth);
  n.ProxyServer = ini.ReadString(kConnection, QStringLiteral("ProxyServer"), n.ProxyServer);
  n.ProxyPort = ini.ReadInteger(kConnection, QStringLiteral("ProxyPort"), n.ProxyPort);
  for (auto [key, field] : {std::pair{"ProxyUser", &TNetworkSettings::ProxyUser},
                            std::pair{"ProxyPassword", &TNetworkSettings::ProxyPassword}}) {
    const QString name = QLatin1String(key);
    if (ini.ValueExists(kConnection, name))
      n.*field = UnscrambleSetting(ini.ReadString(kConnection, name, QString()), name);
  }
}

void ReadSession(const TIniFile& ini, TSessionSettings& s) {
  s.Width = ini.ReadInteger(kApp, QStringLiteral("Width"), s.Width);
  s.Height = ini.ReadInteger(kApp, QStringLiteral("Height"), s.Height);
  s.Top = ini.ReadInteger(kApp, QStringLiteral("Top"), s.Top);
  s.Left = ini.ReadInteger(kApp, QStringLiteral("Left"), s.Left);
  s.FullScreen = ini.ReadBool(kApp, QStringLiteral("FullScreen"), s.FullScreen);
  s.Maximized = ini.ReadBool(kApp, QStringLiteral("Maximized"), s.Maximized);
  s.UndockedBrowser = ini.ReadBool(kApp, QStringLiteral("UndockedBrowser"), s.UndockedBrowser);
  s.SideBarWidth = ini.ReadInteger(kSideBar, QStringLiteral("Width"), s.SideBarWidth);
  s.SideBarVisible = ini.ReadBool(kSideBar, QStringLiteral("Visible"), s.SideBarVisible);
  s.SideBarType = s.SideBarVisible ? ini.ReadInteger(kSideBar, QStringLiteral("Type"), 0) : 0;
}

void WriteAll(TIniFile& ini, const TConfigTable& c, const TNetworkSettings& n,
              const TSessionSettings& s) {
  ini.WriteString(kApp, QStringLiteral("token"), c.Token);
  ini.WriteString(kApp, QStringLiteral("Language"), c.Language);
  ini.WriteInteger(kApp, QStringLiteral("DefaultSiteID"), c.DefaultSiteID);
  ini.WriteString(kApp, QStringLiteral("PriceFormat"), c.PriceFormat);
  ini.WriteBool(kApp, QStringLiteral("Maximized"), s.Maximized);
  ini.WriteBool(kApp, QStringLiteral("FullScreen"), s.FullScreen);
  ini.WriteInteger(kApp, QStringLiteral("Left"), s.Left);
  ini.WriteInteger(kApp, QStringLiteral("Top"), s.Top);
  ini.WriteInteger(kApp, QStringLiteral("Width"), s.Width);
  ini.WriteInteger(kApp, QStringLiteral("Height"), s.Height);
  ini.WriteString(kApp, QStringLiteral("EBayUserName"), c.EBayUserName);
  ini.WriteBool(kApp, QStringLiteral("UndockedBrowser"), s.UndockedBrowser);

  ini.WriteBool(kSideBar, QStringLiteral("Visible"), s.SideBarVisible);
  ini.WriteInteger(kSideBar, QStringLiteral("Width"), s.SideBarWidth);
  if (s.SideBarVisible) ini.WriteInteger(kSideBar, QStringLiteral("Type"), s.SideBarType);

  ini.WriteBool(kConnection, QStringLiteral("UseProxy"), n.UseProxy);
  ini.WriteBool(kConnection, QStringLiteral("RequireAuth"), n.RequireAuth);
  ini.WriteString(kConnection, QStringLiteral("ProxyServer"), n.ProxyServer);
  ini.WriteInteger(kConnection, QStringLiteral("ProxyPort"), n.ProxyPort);
  ini.WriteString(kConnection, QStringLiteral("ProxyUser"),
                  ScrambleSetting(n.ProxyUser, QStringLiteral("ProxyUser")));
  ini.WriteString(kConnection, QStringLiteral("ProxyPassword"),
                  ScrambleSetting(n.ProxyPassword, QStringLiteral("ProxyPassword")));

  ini.WriteInteger(kNetwork, QStringLiteral("MaxConcurentConnections"), n.MaxConcurentConnections);
  ini.WriteInteger(kNetwork, QStringLiteral("MaxNewConnectionsIn5Sec"), n.MaxNewConnectionsIn5Sec);

  ini.WriteBool(kAlarm, QStringLiteral("Activate"), c.AlarmActivate);
  ini.WriteBool(kAlarm, QStringLiteral("Minimized"), c.AlarmMinimized);
  ini.WriteBool(kAlarm, QStringLiteral("Sound"), c.AlarmSound);
  ini.WriteInteger(kAlarm, QStringLiteral("Minutes"), c.AlarmMinutes);
  ini.WriteString(kAlarm, QStringLiteral("WaveFile"), c.AlarmWaveFile);

  for (const FlagKey& f : kItemListFlags)
    ini.WriteBool(kItemList, QLatin1String(f.Key), c.*f.Field);
  ini.WriteInteger(kItemList, QStringLiteral("SequenceSize"), c.SequenceSize);

  ini.WriteInteger(kGallery, QStringLiteral("ThumbsBorderSize"), c.ThumbsBorderSize);
  ini.WriteInteger(kGallery, QStringLiteral("TinyThumbWidth"), c.TinyThumbWidth);
  ini.WriteInteger(kGallery, QStringLiteral("TinyThumbHeight"), c.TinyThumbHeight);
  ini.WriteInteger(kGallery, QStringLiteral("BigThumbWidth"), c.BigThumbWidth);
  ini.WriteInteger(kGallery, QStringLiteral("BigThumbHeight"), c.BigThumbHeight);

  ini.WriteInteger(QStringLiteral("Bewertung"), QStringLiteral("MaxItems"), c.BewertungMaxItems);
  ini.WriteBool(QStringLiteral("Browser"), QStringLiteral("Cascade"), c.BrowserCascade);
}

bool NeedsFirstRunWizard(const TIniFile& ini, const QStringList& arguments) {
  if (!ini.SectionExists(kConnection) || !ini.SectionExists(kNetwork)) return true;
  return !arguments.isEmpty() && arguments.first().toLower() == QStringLiteral("setup");
}

QString UserAgentFor(const QString& versionString) {
  return QStringLiteral("Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1; Quarn ") +
         versionString + QLatin1Char(')');
}

}  // namespace Prefs
