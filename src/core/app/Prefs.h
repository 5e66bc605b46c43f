#pragma once

#include <QString>
#include <QStringList>

#include "core/app/ConfigTable.h"

class TIniFile;

// Reading and writing prefs.ini. Reads use the live value as the default, so a
// key the file lacks keeps what the record already holds.
namespace Prefs {

// [Application] token, Language, DefaultSiteID, CatVersion, PriceFormat;
// [Alarm], [ItemList], [Gallery] ThumbsBorderSize, [Bewertung], [Browser].
// The thumbnail sizes are never read back.
void ReadFirstPass(const TIniFile& ini, TConfigTable& config, QString& localCatVersion,
                   const QString& defaultWaveFile);

// [Application] EBayUserName; [Network] both limits; [Connection] with the
// credentials unscrambled. The user agent is not stored; it is set from the version.
void ReadSecondPass(const TIniFile& ini, TConfigTable& config, TNetworkSettings& net);

// The window state of [Application] and [SideBar].
void ReadSession(const TIniFile& ini, TSessionSettings& session);

// Every key written at close, into ini (other keys and sections stay as they are).
void WriteAll(TIniFile& ini, const TConfigTable& config, const TNetworkSettings& net,
              const TSessionSettings& session);

// The wizard is needed when [Connection] or [Network] is missing, or when the
// first argument is "setup" in any letter case.
bool NeedsFirstRunWizard(const TIniFile& ini, const QStringList& arguments);

// "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1; Quarn <version>)".
QString UserAgentFor(const QString& versionString);

}  // namespace Prefs
