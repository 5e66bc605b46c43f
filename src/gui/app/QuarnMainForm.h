#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "core/search/ListedItemIDs.h"

class TNagScreen;
class TStartupSequence;
class TCloseDownSequence;

// The program's main window. Creating it and calling RunStartup() brings the
// program up (the start-up sequence); destroying it runs the close-down
// sequence, which writes the settings back.
class TQuarnMainForm : public QMainWindow {
  Q_OBJECT
 public:
  struct Options {
    QString ProgramFolder;
    QString TempFolder;  // empty: the system's temporary folder
    QStringList Arguments;
  };

  explicit TQuarnMainForm(Options options, TNagScreen* nag = nullptr, QWidget* parent = nullptr);
  ~TQuarnMainForm() override;

  // Runs the start-up sequence. False when the start failed or was aborted;
  // StartupError() then holds the message, if any.
  bool RunStartup();
  QString StartupError() const { return StartupError_; }

  // The window title of a running program.
  static QString BuildCaption();

  // Brings the window to the front (asked by a second instance).
  void BringToFront();

  // Item numbers seen in any result list, this run and before.
  bool IsListed(const QString& itemID) const { return ListedItemIDs.IsListed(itemID); }
  void AddListed(const QString& itemID) { ListedItemIDs.AddListed(itemID); }
  TListedItemIDs ListedItemIDs;

 private:
  void InstallStartupActions(TStartupSequence& seq);
  void RememberNormalBounds();
  void RestoreSession();

  Options Options_;
  TNagScreen* Nag_ = nullptr;
  QString StartupError_;
  QRect NormalBounds_;
};
