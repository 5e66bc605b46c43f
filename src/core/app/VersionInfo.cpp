#include "core/app/VersionInfo.h"

TVersionInfo TVersionInfo::FromFileVersion(int major, int minor, int release, int /*build*/) {
  const QChar betaDigit = QLatin1Char('0');
  return {QString::number(major) + QLatin1Char('.') + QString::number(minor) +
          QString::number(release) + betaDigit};
}

TVersionInfo TVersionInfo::Current() {
  return FromFileVersion(QUARN_FILE_VERSION_MAJOR, QUARN_FILE_VERSION_MINOR,
                         QUARN_FILE_VERSION_RELEASE, QUARN_FILE_VERSION_BUILD);
}

QString TVersionInfo::DisplayedVersion() const {
  return VersionString.chopped(1);
}

QString TVersionInfo::BetaText() const {
  if (VersionString.isEmpty() || VersionString.endsWith(QLatin1Char('0'))) return QString();
  return QStringLiteral(" beta ") + VersionString.right(1);
}

double TVersionInfo::VersionNumber() const {
  // VersionString as a whole is a decimal number with "." as separator; its
  // value equals that of the displayed version because the last digit is 0.
  bool ok = false;
  const double v = VersionString.toDouble(&ok);  // QString::toDouble is locale independent
  return ok ? v : 0.0;
}
