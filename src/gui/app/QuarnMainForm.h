#pragma once

#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "core/search/ListedItemIDs.h"
#include "core/search/SearchActionList.h"
#include "core/search/ViewedItems.h"

class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QTabBar;
class QToolButton;
class TAlertWindow;
class TEBayFrame;
class TNagScreen;
class TStartupSequence;

// The program's main window. Creating it and calling RunStartup() brings the
// program up (the start-up sequence); destroying it runs the close-down
// sequence, which writes the settings back. It holds the two units (search
// tabs and watch list), the side bar, the status bar and the notifications,
// and offers the services the tabs use.
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
  // A tab strip caption: the first 40 characters and "..." when longer.
  static QString ShortCaption(const QString& caption);
  // The tab strip's icon of a search type code (1 category, 2 keyword,
  // 3 seller, 7 attribute search); none for the others.
  static QIcon SearchTypeIcon(int typeCode);

  // Brings the window to the front (asked by a second instance).
  void BringToFront();

  // Search tabs. The factory makes the tabs (tests may put in their own).
  std::function<TEBayFrame*(QWidget* parent)> SearchTabFactory;
  TEBayFrame* NewSearchTab();
  TEBayFrame* CurrentSearchTab() const;
  TEBayFrame* SearchTabAt(int index) const;
  int SearchTabCount() const;
  void SelectSearchTab(int index);
  void CloseSearchTab(int index);
  QTabBar* TabStrip() const { return EBayTabSet; }

  void ShowSearchUnit();
  void ShowFavoritesUnit();
  bool SearchUnitShown() const;

  void AddAlertMessage(const QString& text, QWidget* tab, bool showAlways, int kind);
  TAlertWindow* Alerts() const { return AlertWindow; }

  bool FullScreenOn() const { return FullScreen_; }
  void SetFullScreen(bool on);

  // Fills the status bar from the visible tab's status and the clock.
  void UpdateStatusBar();
  QString StatusPanelText(int panel) const;
  int StatusPanelProgress(int panel) const;

  // Item numbers seen in any result list, this run and before.
  bool IsListed(const QString& itemID) const { return ListedItemIDs.IsListed(itemID); }
  void AddListed(const QString& itemID) { ListedItemIDs.AddListed(itemID); }
  TListedItemIDs ListedItemIDs;
  // The searches run so far (all sessions), the saved searches, and the
  // listings opened in this run.
  TSearchActionList SearchHistory;
  TSearchActionList SearchFavorites;
  TViewedItems ViewedItems;

  // Writes the history, the watch list and the saved searches; at close it may
  // first offer to forget ended viewed listings.
  void SaveCriticalData(bool askToClear);

  // The regions, by their component names.
  QWidget* TopPanel;
  QToolButton* UnitEBayButton;
  QToolButton* UnitFavoritesButton;
  QToolButton* FullScreenButton;
  QWidget* WindowRootCommandsPanel;
  QToolButton* QuarnCloseButton;
  QToolButton* QuarnMinimizeButton;
  QToolButton* ActivityButton;
  QToolButton* SearchFavoritesButton;
  QToolButton* BewertungButton;
  QToolButton* QuarnConfigButton;
  QToolButton* HelpButton;
  QToolButton* ProcessCancelButton;
  QToolButton* EBayViewRefreshButton;
  QToolButton* ToolsButton;
  QMenu* ToolsMenu;
  QAction* TMINetMontor;
  QAction* TMIShowMessageWindow;
  QAction* TMIReloadScripts;
  QWidget* EBayPanel;
  QToolButton* NewEBayFrameButton;
  QTabBar* EBayTabSet;
  QStackedWidget* MainPanel;
  QWidget* FavoritesFrame;  // the watch list's place until it is built
  QWidget* SideBarGroupPanel;
  QSplitter* SidebarSplitter;
  TAlertWindow* AlertWindow;
  QTimer UpdateEBayStatusBarTimer;
  QTimer TokenRefreshTimer;
  QTimer SaveCriticalDataTimer;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildTopPanel();
  void BuildBody();
  void BuildStatusBar();
  void ApplyFixedTexts();
  void InstallStartupActions(TStartupSequence& seq);
  void RememberNormalBounds();
  void RestoreSession();
  void SaveSession();
  void ApplyUnitSwitch();
  void TabChanged(int index);
  int IndexOfTab(const TEBayFrame* tab) const;
  void ConnectTab(TEBayFrame* tab);

  Options Options_;
  TNagScreen* Nag_ = nullptr;
  QString StartupError_;
  QRect NormalBounds_;
  bool FullScreen_ = false;
  Qt::WindowStates StateBeforeFullScreen_;
  QPointer<TEBayFrame> ShownTab_;
  QLabel* StatusTextPanels_[9] = {};
  QProgressBar* StatusProgress_[4] = {};
};
