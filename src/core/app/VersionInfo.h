#pragma once

#include <QString>

// The program's version as shown and compared. Built from the four-part file
// version: major, ".", minor, release, and one beta digit (always "0" in this
// build). File version 2.2.3.30 gives "2.230"; the build number is not shown.
struct TVersionInfo {
  QString VersionString;

  static TVersionInfo FromFileVersion(int major, int minor, int release, int build);
  // The version this program was built with.
  static TVersionInfo Current();

  // VersionString without its beta digit ("2.23").
  QString DisplayedVersion() const;
  // Empty for beta digit "0", else " beta " and the digit.
  QString BetaText() const;
  // The displayed number as a float, read with "." as decimal separator (2.23).
  double VersionNumber() const;
};
