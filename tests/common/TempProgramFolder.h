#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A throw-away program folder with the installation's subfolders, for tests
// that run the start-up and close-down sequences.
class TempProgramFolder {
 public:
  TempProgramFolder() {
    for (const char* sub : {"settings", "common", "SiteData", "gfx", "sfx", "tmp"})
      QDir(Dir.path()).mkpath(QLatin1String(sub));
  }
  QString Path() const { return Dir.path() + QLatin1Char('/'); }
  QString TempPath() const { return Path() + QStringLiteral("tmp"); }
  QString File(const QString& relative) const { return Path() + relative; }

  void Write(const QString& relative, const QByteArray& content) const {
    QFile f(File(relative));
    if (f.open(QIODevice::WriteOnly)) f.write(content);
  }
  QByteArray Read(const QString& relative) const {
    QFile f(File(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  QTemporaryDir Dir;
};
