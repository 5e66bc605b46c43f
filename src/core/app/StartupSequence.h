#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "core/app/StepSequence.h"

// The 31 steps that bring the program up, in their fixed order, with their
// boot-screen status keys. The core fills in what it owns (folders, version,
// settings, first-run decision, language, XML check); the window layer and
// the other subsystems add their actions to the remaining steps.
//
// Step numbers, for those who add actions:
//   1 reset   2 version   3 Shopping API app id   4 list font   5 user agents, API base
//   6 fixed formats   7 boot screen labels   8 cache folder   9 folders   10 defaults
//   11 prefs first pass   12 first-run decision   13 language or wizard   14 XML check
//   15 country list, categories   16 prefs second pass, scheduler   17 window captions
//   18 log-on   19 log-on answer   20 patterns   21 script modules   22 window parts
//   23 URL schema   24 eBay time   25 listed items   26 search history   27 viewed items
//   28 watch list   29 saved searches   30 session restore   31 complete
class TStartupSequence {
 public:
  struct Options {
    QString ProgramFolder;  // where the executable and its data live
    QString TempFolder;     // empty: the system's temporary folder
    QStringList Arguments;  // command-line arguments after the program name
  };

  explicit TStartupSequence(Options options);

  TStepSequence& Sequence() { return Sequence_; }
  void AddAction(int step, TStepSequence::Action action) {
    Sequence_.AddAction(step, std::move(action));
  }

  // Shows a status text (already translated) on the boot screen.
  std::function<void(const QString& text)> OnStatus;
  // Runs the first-run wizard; it loads the language the user picks. When no
  // wizard is installed the current language is loaded instead.
  std::function<void()> RunWizard;
  // Tells the user that the XML component is missing (step 14).
  std::function<void()> OnXmlMissing;

  // Runs the sequence. False when it was aborted (StartupAborted is then set)
  // or an error ended it; in that case ErrorMessage() holds the message.
  bool Run();
  const QString& ErrorMessage() const { return Error_; }

 private:
  void BuildSteps();

  Options Options_;
  TStepSequence Sequence_;
  QString Error_;
};
