// A program killed in the middle of writing prefs.ini leaves the previous or
// the new file, never a broken one.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

#include "core/app/IniFile.h"

namespace {

TEST(AtomicPrefs, KillDuringWriteLeavesACompleteFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("prefs.ini"));
  {
    // The previous session's file: from here on an empty or cut file is a loss.
    TIniFile first;
    first.WriteString(QStringLiteral("Application"), QStringLiteral("EBayUserName"),
                      QString(200000, QLatin1Char('a')));
    first.WriteBool(QStringLiteral("Browser"), QStringLiteral("Cascade"), false);
    ASSERT_TRUE(first.SaveAs(path));
  }
  for (int round = 0; round < 15; ++round) {
    QProcess writer;
    writer.start(QStringLiteral(QUARN_BUILD_DIR "/tests/prefs_write_loop"), {path});
    ASSERT_TRUE(writer.waitForStarted());
    QThread::msleep(20 + QRandomGenerator::global()->bounded(80));
    ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
    writer.waitForFinished();

    const TIniFile ini(path);
    const QString name =
        ini.ReadString(QStringLiteral("Application"), QStringLiteral("EBayUserName"), {});
    ASSERT_EQ(name.size(), 200000) << "round " << round;
    ASSERT_TRUE(name == QString(200000, QLatin1Char('a')) ||
                name == QString(200000, QLatin1Char('b')));
    ASSERT_EQ(ini.ReadInteger(QStringLiteral("Browser"), QStringLiteral("Cascade"), -1), 0)
        << "the file's last section is missing";
  }
}

}  // namespace
