#include "core/app/StepSequence.h"

void TStepSequence::AddStep(int number, const QString& statusKey) {
  Steps_.append(Step{number, statusKey, {}});
}

void TStepSequence::AddAction(int number, Action action) {
  for (Step& s : Steps_) {
    if (s.Number == number) {
      s.Actions.append(std::move(action));
      return;
    }
  }
  Q_ASSERT_X(false, "TStepSequence::AddAction", "no such step");
}

const TStepSequence::Step* TStepSequence::FindStep(int number) const {
  for (const Step& s : Steps_) {
    if (s.Number == number) return &s;
  }
  return nullptr;
}

bool TStepSequence::Run() {
  LastStep_ = 0;
  for (const Step& step : Steps_) {
    LastStep_ = step.Number;
    if (!step.StatusKey.isEmpty() && OnStatus) OnStatus(step.StatusKey);
    for (const Action& action : step.Actions) {
      action();
      if (ShouldStop && ShouldStop()) return false;
    }
  }
  return true;
}
