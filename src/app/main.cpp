// Program entry: window font, boot screen, main window (whose creation runs the
// start-up sequence), message loop; the main window's destruction runs the
// close-down sequence.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "core/app/AppCore.h"
#include "core/app/VersionInfo.h"
#include "gui/app/NagScreen.h"
#include "gui/app/QuarnMainForm.h"
#include "gui/app/SingleInstanceGuard.h"
#include "gui/common/QuarnLibGui.h"

namespace {

void PrintUsage() {
  std::puts(
      "Usage: quarn [setup] [options]\n"
      "\n"
      "  setup                 run the first-run wizard (in any letter case)\n"
      "  --shopping-url URL    Shopping API endpoint (also QUARN_SHOPPING_URL)\n"
      "  --api-base URL        maker's API server, ending in / (also QUARN_API_BASE)\n"
      "  --program-folder DIR  use DIR as the program folder instead of the executable's\n"
      "  --version             print the version and exit\n"
      "  --help                print this text and exit");
}

struct CommandLine {
  QStringList Positional;
  QString ShoppingUrl = qEnvironmentVariable("QUARN_SHOPPING_URL");
  QString ApiBase = qEnvironmentVariable("QUARN_API_BASE");
  QString ProgramFolder;
  bool Version = false;
  bool Help = false;
  QString Error;
};

CommandLine ParseCommandLine(int argc, char** argv) {
  CommandLine cl;
  for (int i = 1; i < argc; ++i) {
    const QString a = QString::fromLocal8Bit(argv[i]);
    auto value = [&](QString* out) {
      if (i + 1 < argc)
        *out = QString::fromLocal8Bit(argv[++i]);
      else
        cl.Error = a + QStringLiteral(" needs a value");
    };
    if (a == QLatin1String("--version"))
      cl.Version = true;
    else if (a == QLatin1String("--help") || a == QLatin1String("-h"))
      cl.Help = true;
    else if (a == QLatin1String("--shopping-url"))
      value(&cl.ShoppingUrl);
    else if (a == QLatin1String("--api-base"))
      value(&cl.ApiBase);
    else if (a == QLatin1String("--program-folder"))
      value(&cl.ProgramFolder);
    else if (a.startsWith(QLatin1String("--")))
      cl.Error = QStringLiteral("unknown option ") + a;
    else
      cl.Positional << a;
  }
  return cl;
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine cl = ParseCommandLine(argc, argv);
  if (!cl.Error.isEmpty()) {
    std::fprintf(stderr, "quarn: %s\n", qPrintable(cl.Error));
    PrintUsage();
    return 2;
  }
  if (cl.Help) {
    PrintUsage();
    return 0;
  }
  if (cl.Version) {
    const TVersionInfo v = TVersionInfo::Current();
    std::printf("Quarn %s%s\n", qPrintable(v.DisplayedVersion()), qPrintable(v.BetaText()));
    return 0;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quarn"));
  QApplication::setApplicationDisplayName(QStringLiteral("Quarn"));
  QApplication::setFont(QuarnLibGui::ChooseWindowFont());

  const QString programFolder =
      cl.ProgramFolder.isEmpty() ? QApplication::applicationDirPath() : cl.ProgramFolder;

  // A second instance ends before its start-up runs.
  TSingleInstanceGuard guard(programFolder);
  if (!guard.Acquire()) {
    QMessageBox::information(nullptr, QStringLiteral("Quarn"), TSingleInstanceGuard::Message());
    return 0;
  }

  if (!cl.ShoppingUrl.isEmpty()) AppCore().ShoppingApiUrl = cl.ShoppingUrl;
  if (!cl.ApiBase.isEmpty()) AppCore().ApiBaseUrl = cl.ApiBase;

  auto nag = std::make_unique<TNagScreen>();
  nag->show();
  QApplication::processEvents();

  auto window = std::make_unique<TQuarnMainForm>(
      TQuarnMainForm::Options{programFolder, {}, cl.Positional}, nag.get());
  if (!window->RunStartup()) {
    nag.reset();
    if (!window->StartupError().isEmpty())
      QMessageBox::critical(nullptr, QStringLiteral("Quarn"), window->StartupError());
    window.reset();  // writes nothing: the start was aborted
    return 1;
  }
  QObject::connect(&guard, &TSingleInstanceGuard::RaiseRequested, window.get(),
                   &TQuarnMainForm::BringToFront);
  nag.reset();
  window->show();

  // For screenshots and smoke tests: QUARN_QUIT_AFTER_MS closes the window,
  // after saving a picture of it to QUARN_SCREENSHOT when that is set.
  bool ok = false;
  const int quitAfter = qEnvironmentVariableIntValue("QUARN_QUIT_AFTER_MS", &ok);
  if (ok && quitAfter > 0) {
    QTimer::singleShot(quitAfter, window.get(), [w = window.get()] {
      const QString shot = qEnvironmentVariable("QUARN_SCREENSHOT");
      if (!shot.isEmpty()) w->grab().save(shot);
      w->close();
    });
  }

  const int rc = app.exec();
  window.reset();
  return rc;
}
