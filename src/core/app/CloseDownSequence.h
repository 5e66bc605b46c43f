#pragma once

#include "core/app/StepSequence.h"

// The steps run when the main window goes away:
//   1 delete the cache folder   2 stop the timers   3 write prefs.ini
//   4 listed items   5 save the lists (SaveCriticalData)   6 tab states   7 log-off
// Nothing runs when the start-up was aborted, so a failed start never
// overwrites prefs.ini or the lists. Actions that must bring their state into
// the settings before prefs.ini is written add themselves to step 2.
class TCloseDownSequence {
 public:
  TCloseDownSequence();

  void AddAction(int step, TStepSequence::Action action) {
    Sequence_.AddAction(step, std::move(action));
  }
  TStepSequence& Sequence() { return Sequence_; }

  // False when nothing ran because the start-up was aborted, or when prefs.ini
  // could not be written (the other steps still run).
  bool Run();
  const QString& ErrorMessage() const { return Error_; }

 private:
  TStepSequence Sequence_;
  QString Error_;
};
