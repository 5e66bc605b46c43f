#pragma once

#include <QString>
#include <QVector>
#include <functional>

// An ordered, numbered list of steps, each with an optional status key and a
// list of actions. The start-up and close-down sequences are built from it;
// the parts of the program that are present add their actions to the steps
// they own, and a step nobody serves does nothing.
class TStepSequence {
 public:
  using Action = std::function<void()>;

  struct Step {
    int Number = 0;
    QString StatusKey;  // empty: the previous status text stays
    QVector<Action> Actions;
  };

  void AddStep(int number, const QString& statusKey = QString());
  // Appends an action to step number (which must exist).
  void AddAction(int number, Action action);

  const QVector<Step>& Steps() const { return Steps_; }
  const Step* FindStep(int number) const;

  // Called with each step's status key before its actions run.
  std::function<void(const QString& statusKey)> OnStatus;
  // Asked after every action; true ends the run there.
  std::function<bool()> ShouldStop;

  // Runs the steps in order. Returns false when ShouldStop ended the run early
  // or an action threw (the exception then propagates to the caller, the run
  // ended at that step). LastStep() tells where the run stopped.
  bool Run();
  int LastStep() const { return LastStep_; }

 private:
  QVector<Step> Steps_;
  int LastStep_ = 0;
};
