#include "gui/app/QuarnMainForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/app/AppCore.h"
#include "core/app/Clock.h"
#include "core/app/CloseDownSequence.h"
#include "core/app/FormatText.h"
#include "core/app/LanguageTable.h"
#include "core/app/StartupSequence.h"
#include "core/net/NetworkSettings.h"
#include "core/shopping/ShoppingAPIAccess.h"
#include "core/shopping/TimeRequest.h"
#include "gui/app/AlertWindow.h"
#include "gui/app/NagScreen.h"
#include "gui/common/HintFilter.h"
#include "gui/common/TranslateComponents.h"
#include "gui/search/EBayFrame.h"

namespace {

QToolButton* MakeToolButton(QWidget* parent, const char* name, const char* hint,
                            QStyle::StandardPixmap icon) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QLatin1String(name));
  if (hint) b->setToolTip(QLatin1String(hint));
  b->setIcon(parent->style()->standardIcon(icon));
  b->setIconSize(QSize(22, 22));
  b->setAutoRaise(true);
  return b;
}

}  // namespace

QIcon TQuarnMainForm::SearchTypeIcon(int typeCode) {
  // Category, keyword, seller and attribute searches; the other codes show none.
  static const struct {
    int Code;
    char Letter;
    QRgb Color;
  } kKinds[] = {
      {1, 'K', 0xFF2E7D32}, {2, 'S', 0xFF1565C0}, {3, 'V', 0xFFEF6C00}, {7, 'A', 0xFF6A1B9A}};
  for (const auto& kind : kKinds) {
    if (kind.Code != typeCode) continue;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor::fromRgba(kind.Color));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QFont font = p.font();
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QLatin1Char(kind.Letter)));
    return QIcon(pixmap);
  }
  return QIcon();
}

TQuarnMainForm::TQuarnMainForm(Options options, TNagScreen* nag, QWidget* parent)
    : QMainWindow(parent), Options_(std::move(options)), Nag_(nag) {
  setObjectName(QStringLiteral("QuarnMainForm"));
  resize(1100, 760);
  SearchTabFactory = [](QWidget* p) { return new TEBayFrame(p); };
  BuildTopPanel();
  BuildBody();
  BuildStatusBar();
  AlertWindow = new TAlertWindow(this);
  connect(AlertWindow, &TAlertWindow::LinkActivated, this, [this](int index) {
    const TAlertWindow::Message& m = AlertWindow->MessageAt(index);
    if (m.Kind == 2 && m.Tab) {
      if (m.Tab == FavoritesFrame) {
        ShowFavoritesUnit();
      } else if (auto* tab = qobject_cast<TEBayFrame*>(m.Tab.data())) {
        ShowSearchUnit();
        const int i = IndexOfTab(tab);
        if (i >= 0) SelectSearchTab(i);
      }
    }
    AlertWindow->hide();
  });

  UpdateEBayStatusBarTimer.setInterval(1000);
  TokenRefreshTimer.setInterval(60000);
  SaveCriticalDataTimer.setInterval(300000);
  connect(&UpdateEBayStatusBarTimer, &QTimer::timeout, this, &TQuarnMainForm::UpdateStatusBar);
  connect(&SaveCriticalDataTimer, &QTimer::timeout, this, [this] {
    SaveCriticalDataTimer.stop();
    SaveCriticalData(false);
    SaveCriticalDataTimer.start();
  });
}

void TQuarnMainForm::BuildTopPanel() {
  TopPanel = new QWidget(this);
  TopPanel->setObjectName(QStringLiteral("TopPanel"));
  auto* row = new QHBoxLayout(TopPanel);
  row->setContentsMargins(4, 2, 4, 2);

  UnitEBayButton = MakeToolButton(TopPanel, "UnitEBayButton", "#TOP_SWITCH_EBAY_HINT",
                                  QStyle::SP_FileDialogContentsView);
  UnitFavoritesButton = MakeToolButton(TopPanel, "UnitFavoritesButton", "#TOP_SWITCH_FAV_HINT",
                                       QStyle::SP_DialogApplyButton);
  UnitEBayButton->setText(QStringLiteral("#TOP_SWITCH_EBAY_HINT"));
  UnitFavoritesButton->setText(QStringLiteral("#TOP_SWITCH_FAV_HINT"));
  auto* units = new QButtonGroup(TopPanel);
  units->setExclusive(true);
  for (QToolButton* b : {UnitEBayButton, UnitFavoritesButton}) {
    b->setCheckable(true);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    units->addButton(b);
    row->addWidget(b);
  }
  UnitEBayButton->setChecked(true);
  for (QToolButton* b : {UnitEBayButton, UnitFavoritesButton}) {
    connect(b, &QToolButton::toggled, this, [this](bool on) {
      if (on) ApplyUnitSwitch();
    });
  }
  row->addSpacing(16);

  ActivityButton = MakeToolButton(TopPanel, "ActivityButton", "#TOP_BUTTON_ACTIVITY_HINT",
                                  QStyle::SP_FileDialogDetailedView);
  SearchFavoritesButton =
      MakeToolButton(TopPanel, "SearchFavoritesButton", "#TOP_BUTTON_SEARCH_FAVORITES_HINT",
                     QStyle::SP_DirOpenIcon);
  BewertungButton = MakeToolButton(TopPanel, "BewertungButton", "#BEWERTUNG_TITLE",
                                   QStyle::SP_FileDialogInfoView);
  QuarnConfigButton = MakeToolButton(TopPanel, "QuarnConfigButton", "#QUARN_CONFIG_TITLE",
                                     QStyle::SP_FileDialogListView);
  HelpButton = MakeToolButton(TopPanel, "HelpButton", nullptr, QStyle::SP_DialogHelpButton);
  ProcessCancelButton =
      MakeToolButton(TopPanel, "ProcessCancelButton", "#PROCESS_CANCEL", QStyle::SP_BrowserStop);
  EBayViewRefreshButton = MakeToolButton(TopPanel, "EBayViewRefreshButton", "#EBAY_VIEW_REFRESH",
                                         QStyle::SP_BrowserReload);
  ToolsButton =
      MakeToolButton(TopPanel, "ToolsButton", "#QUARN_TOOLS_HINT", QStyle::SP_ComputerIcon);
  for (QToolButton* b : {ActivityButton, SearchFavoritesButton})
    b->setCheckable(true);
  // Windows of later releases: present, but not yet usable.
  for (QToolButton* b :
       {ActivityButton, SearchFavoritesButton, BewertungButton, QuarnConfigButton, HelpButton})
    b->setEnabled(false);
  ProcessCancelButton->setEnabled(false);
  for (QToolButton* b : {ActivityButton, SearchFavoritesButton, BewertungButton, QuarnConfigButton,
                         HelpButton, ProcessCancelButton, EBayViewRefreshButton, ToolsButton})
    row->addWidget(b);
  connect(ProcessCancelButton, &QToolButton::clicked, this, [this] {
    if (TEBayFrame* tab = CurrentSearchTab()) tab->CancelSearch();
  });
  connect(EBayViewRefreshButton, &QToolButton::clicked, this, [this] {
    if (TEBayFrame* tab = CurrentSearchTab()) tab->RefreshSequence();
  });

  ToolsMenu = new QMenu(this);
  ToolsMenu->setObjectName(QStringLiteral("ToolsMenu"));
  TMINetMontor = ToolsMenu->addAction(QStringLiteral("#TOOLS_MENU_NETMONITOR"));
  TMINetMontor->setObjectName(QStringLiteral("TMINetMontor"));
  TMINetMontor->setEnabled(false);
  TMIShowMessageWindow = ToolsMenu->addAction(QStringLiteral("#TOOLS_MENU_SHOW_MESSAGE_WINDOW"));
  TMIShowMessageWindow->setObjectName(QStringLiteral("TMIShowMessageWindow"));
  TMIReloadScripts = ToolsMenu->addAction(QStringLiteral("#TOOLS_MENU_RELOAD_SCRIPTS"));
  TMIReloadScripts->setObjectName(QStringLiteral("TMIReloadScripts"));
  connect(ToolsButton, &QToolButton::clicked, this,
          [this] { ToolsMenu->popup(ToolsButton->mapToGlobal(QPoint(0, ToolsButton->height()))); });
  connect(TMIShowMessageWindow, &QAction::triggered, this, [this] {
    if (AlertWindow->Count() == 0)
      QMessageBox::information(this, QStringLiteral("Quarn"),
                               Translate(QStringLiteral("MSG_NO_MESSAGES")));
    else
      AlertWindow->Popup();
  });

  row->addStretch(1);
  FullScreenButton = MakeToolButton(TopPanel, "FullScreenButton", "#FULL_SCREEN_HINT",
                                    QStyle::SP_TitleBarMaxButton);
  FullScreenButton->setCheckable(true);
  connect(FullScreenButton, &QToolButton::clicked, this, [this] { SetFullScreen(!FullScreen_); });
  row->addWidget(FullScreenButton);
  WindowRootCommandsPanel = new QWidget(TopPanel);
  WindowRootCommandsPanel->setObjectName(QStringLiteral("WindowRootCommandsPanel"));
  auto* rootRow = new QHBoxLayout(WindowRootCommandsPanel);
  rootRow->setContentsMargins(0, 0, 0, 0);
  QuarnMinimizeButton = MakeToolButton(WindowRootCommandsPanel, "QuarnMinimizeButton", "#MINIMIZE",
                                       QStyle::SP_TitleBarMinButton);
  QuarnCloseButton = MakeToolButton(WindowRootCommandsPanel, "QuarnCloseButton", "#CLOSE",
                                    QStyle::SP_TitleBarCloseButton);
  rootRow->addWidget(QuarnMinimizeButton);
  rootRow->addWidget(QuarnCloseButton);
  WindowRootCommandsPanel->setVisible(false);
  connect(QuarnCloseButton, &QToolButton::clicked, this, &QWidget::close);
  connect(QuarnMinimizeButton, &QToolButton::clicked, this, &QWidget::showMinimized);
  row->addWidget(WindowRootCommandsPanel);
}

void TQuarnMainForm::BuildBody() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(TopPanel);

  EBayPanel = new QWidget(central);
  EBayPanel->setObjectName(QStringLiteral("EBayPanel"));
  auto* strip = new QHBoxLayout(EBayPanel);
  strip->setContentsMargins(4, 0, 4, 0);
  NewEBayFrameButton =
      MakeToolButton(EBayPanel, "NewEBayFrameButton", nullptr, QStyle::SP_FileDialogNewFolder);
  NewEBayFrameButton->setToolTip(QStringLiteral("Neue eBay-Ansicht öffnen"));
  EBayTabSet = new QTabBar(EBayPanel);
  EBayTabSet->setObjectName(QStringLiteral("EBayTabSet"));
  EBayTabSet->setTabsClosable(true);
  EBayTabSet->setExpanding(false);
  EBayTabSet->setElideMode(Qt::ElideNone);
  EBayTabSet->setDocumentMode(true);
  strip->addWidget(NewEBayFrameButton);
  strip->addWidget(EBayTabSet, 1);
  column->addWidget(EBayPanel);
  connect(NewEBayFrameButton, &QToolButton::clicked, this, [this] { NewSearchTab(); });
  connect(EBayTabSet, &QTabBar::currentChanged, this, &TQuarnMainForm::TabChanged);
  connect(EBayTabSet, &QTabBar::tabCloseRequested, this, &TQuarnMainForm::CloseSearchTab);

  SidebarSplitter = new QSplitter(Qt::Horizontal, central);
  SidebarSplitter->setObjectName(QStringLiteral("SidebarSplitter"));
  SideBarGroupPanel = new QWidget(SidebarSplitter);
  SideBarGroupPanel->setObjectName(QStringLiteral("SideBarGroupPanel"));
  SideBarGroupPanel->setVisible(false);
  MainPanel = new QStackedWidget(SidebarSplitter);
  MainPanel->setObjectName(QStringLiteral("MainPanel"));
  FavoritesFrame = new QWidget(MainPanel);
  FavoritesFrame->setObjectName(QStringLiteral("FavoritenFrame"));
  MainPanel->addWidget(FavoritesFrame);
  SidebarSplitter->setStretchFactor(1, 1);
  column->addWidget(SidebarSplitter, 1);
  setCentralWidget(central);
}

void TQuarnMainForm::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("EbayStatusBar"));
  bar->setSizeGripEnabled(true);
  static const char* const kHints[9] = {nullptr,
                                        "#STATUS_LIST_PROGRESS_HINT",
                                        "#STATUS_ITEM_PROGRESS_HINT",
                                        "#STATUS_PICTURE_PROGRESS_HINT",
                                        "#STATUS_PAGES_PROCESSED_HINT",
                                        "#STATUS_PAGES_COUNT_HINT",
                                        "#STATUS_ITEMS_LISTED_HINT",
                                        "#STATUS_ITEMS_FOUND_HINT",
                                        "#STATUS_CLOCK_HINT"};
  for (int i = 0; i < 9; ++i) {
    QWidget* panel = nullptr;
    if (i >= 1 && i <= 3) {
      auto* p = new QProgressBar(bar);
      p->setRange(0, 100);
      p->setFixedWidth(90);
      p->setMaximumHeight(16);
      p->setTextVisible(false);
      StatusProgress_[i] = p;
      panel = p;
    } else {
      auto* l = new QLabel(bar);
      l->setMinimumWidth(i == 0 ? 200 : (i == 8 ? 190 : 50));
      l->setAlignment(i == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
      StatusTextPanels_[i] = l;
      panel = l;
    }
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    if (kHints[i]) panel->setToolTip(QLatin1String(kHints[i]));
    if (i == 0)
      bar->addWidget(panel, 1);
    else
      bar->addPermanentWidget(panel);
  }
}

TQuarnMainForm::~TQuarnMainForm() {
  qApp->removeEventFilter(this);
  TCloseDownSequence close;
  close.AddAction(2, [this] {
    for (QTimer* t : {&UpdateEBayStatusBarTimer, &TokenRefreshTimer, &SaveCriticalDataTimer})
      t->stop();
    SaveSession();
    AppCore().Network = NetworkSettings::Read();
  });
  close.AddAction(4, [this] {
    QString error;
    if (!ListedItemIDs.Save(AppCore().Folders.SettingsFolder + QStringLiteral("ListedItems.txt"),
                            &error))
      qWarning("Could not write the listed items: %s", qPrintable(error));
  });
  close.AddAction(5, [this] { SaveCriticalData(true); });
  if (!close.Run() && !close.ErrorMessage().isEmpty())
    qWarning("Could not write the settings: %s", qPrintable(close.ErrorMessage()));
}

QString TQuarnMainForm::BuildCaption() {
  const TAppCore& core = AppCore();
  return QStringLiteral("Quarn ") + core.Version.DisplayedVersion() + core.Version.BetaText() +
         QStringLiteral(" - ") + Translate(QStringLiteral("QUARN_SLOGAN")) + QStringLiteral(" - ") +
         QLatin1String(kMakerWebAddress);
}

QString TQuarnMainForm::ShortCaption(const QString& caption) {
  return caption.size() > 40 ? caption.left(40) + QStringLiteral("...") : caption;
}

void TQuarnMainForm::InstallStartupActions(TStartupSequence& seq) {
  seq.OnStatus = [this](const QString& text) {
    if (Nag_) Nag_->SetBootStatus(text);
  };
  seq.OnXmlMissing = [] {
    QMessageBox::critical(nullptr, QStringLiteral("Quarn"),
                          Translate(QStringLiteral("MSG_NO_MSXML")));
  };
  seq.AddAction(3, [] { InstallShoppingApiAppID(); });
  seq.AddAction(7, [this] {
    if (Nag_) Nag_->SetVersion(AppCore().Version.DisplayedVersion(), AppCore().Version.BetaText());
  });
  seq.AddAction(16, [] { NetworkSettings::Apply(AppCore().Network); });
  seq.AddAction(17, [this] { setWindowTitle(BuildCaption()); });
  seq.AddAction(22, [this] {
    NewSearchTab();
    // The first tab stays: it has no close button.
    EBayTabSet->setTabButton(0, QTabBar::RightSide, nullptr);
    qApp->installEventFilter(this);
  });
  seq.AddAction(24, [this] {
    StartEBayTimeRequest();
    // Only the application object sees the hint events of every window.
    qApp->installEventFilter(new THintFilter(this));
  });
  seq.AddAction(25, [this] {
    ListedItemIDs.Load(AppCore().Folders.SettingsFolder + QStringLiteral("ListedItems.txt"));
  });
  seq.AddAction(26, [this] {
    SearchHistory.LoadFromFile(AppCore().Folders.SettingsFolder +
                               QStringLiteral("SearchHistory.xml"));
  });
  seq.AddAction(29,
                [this] { SearchFavorites.LoadSearchFavorites(AppCore().Folders.SettingsFolder); });
  seq.AddAction(30, [this] {
    RestoreSession();
    ApplyFixedTexts();
  });
  seq.AddAction(31, [this] {
    TMIReloadScripts->setVisible(false);
    UpdateStatusBar();
    UpdateEBayStatusBarTimer.start();
    SaveCriticalDataTimer.start();
  });
}

void TQuarnMainForm::ApplyFixedTexts() {
  AlertWindow->SetTexts(
      Translate(QStringLiteral("CLOSE")), Translate(QStringLiteral("MESSAGE_NEXT")),
      Translate(QStringLiteral("MESSAGE_PREV")), Translate(QStringLiteral("MESSAGE_POS_FORMAT")));
  HelpButton->setToolTip(Translate(QStringLiteral("HELP_FILE")));
  TranslateComponents(this);
  TranslateComponents(ToolsMenu);
}

bool TQuarnMainForm::RunStartup() {
  TStartupSequence seq({Options_.ProgramFolder, Options_.TempFolder, Options_.Arguments});
  InstallStartupActions(seq);
  const bool ok = seq.Run();
  StartupError_ = seq.ErrorMessage();
  return ok;
}

void TQuarnMainForm::SaveCriticalData(bool askToClear) {
  const QString folder = AppCore().Folders.SettingsFolder;
  QString error;
  if (!SearchHistory.SaveToFile(folder + QStringLiteral("SearchHistory.xml"), &error))
    qWarning("Could not write the search history: %s", qPrintable(error));
  const int ended = ViewedItems.CountEndedViewed();
  if (askToClear && ended >= 50 &&
      QMessageBox::question(
          this, Translate(QStringLiteral("CONFIRM")),
          TranslateFormat(QStringLiteral("MSG_CLEAR_ENDED_VIEWED_ITEMS"), {ended}),
          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
    ViewedItems.ClearEndedViewed();
  if (!SearchFavorites.SaveSearchFavorites(folder, &error))
    qWarning("Could not write the saved searches: %s", qPrintable(error));
}

// ---- search tabs -----------------------------------------------------------

void TQuarnMainForm::ConnectTab(TEBayFrame* tab) {
  connect(tab, &TEBayFrame::OnCaptionChange, this,
          [this](TEBayFrame* t, int typeCode, const QString& caption) {
            const int i = IndexOfTab(t);
            if (i < 0) return;
            EBayTabSet->setTabText(i, ShortCaption(caption));
            EBayTabSet->setTabToolTip(i, caption.size() > 40 ? caption : QString());
            EBayTabSet->setTabIcon(i, SearchTypeIcon(typeCode));
          });
  connect(tab, &TEBayFrame::OnBusyChange, this, [this](TEBayFrame* t, bool busy) {
    if (t == CurrentSearchTab() && SearchUnitShown()) ProcessCancelButton->setEnabled(busy);
  });
  connect(tab, &TEBayFrame::OnSearchBegin, this, [this](TEBayFrame* t) {
    const int i = IndexOfTab(t);
    if (i >= 0) EBayTabSet->setTabTextColor(i, Qt::red);
  });
  connect(tab, &TEBayFrame::OnSearchEnd, this, [this](TEBayFrame* t) {
    const int i = IndexOfTab(t);
    if (i >= 0) EBayTabSet->setTabTextColor(i, palette().color(QPalette::WindowText));
  });
}

TEBayFrame* TQuarnMainForm::NewSearchTab() {
  TEBayFrame* templateTab = SearchTabCount() > 0 ? CurrentSearchTab() : nullptr;
  TEBayFrame* tab = SearchTabFactory(MainPanel);
  tab->Host.AddAlertMessage = [this](const QString& text, TEBayFrame* t) {
    AddAlertMessage(text, t, false, 0);
  };
  tab->Host.AddToHistory = [this](const TSearchAction& a) { SearchHistory.AddToHistory(a); };
  tab->Host.RunInNewTab = [this](const TSearchAction& a) { NewSearchTab()->RunSearchAction(a); };
  tab->Host.RecordViewed = [this](const TSimpleItem& item) { ViewedItems.RecordViewed(item); };
  tab->Host.IsViewed = [this](const QString& id) { return ViewedItems.IsViewed(id); };
  tab->Host.IsListed = [this](const QString& id) { return IsListed(id); };
  tab->Host.AddListed = [this](const QString& id) { AddListed(id); };
  MainPanel->addWidget(tab);
  ConnectTab(tab);
  // Numbers are given once: closing a tab does not renumber the others.
  const QString caption = TranslateFormat(QStringLiteral("EBAY_VIEW"), {SearchTabCount() + 1});
  const int index = EBayTabSet->addTab(caption);
  EBayTabSet->setTabData(index, QVariant::fromValue(static_cast<QObject*>(tab)));
  EBayTabSet->setCurrentIndex(index);
  TabChanged(index);
  if (templateTab) {
    templateTab->CopyStateTo(tab);
    ShowSearchUnit();
  }
  return tab;
}

TEBayFrame* TQuarnMainForm::SearchTabAt(int index) const {
  return qobject_cast<TEBayFrame*>(EBayTabSet->tabData(index).value<QObject*>());
}

int TQuarnMainForm::SearchTabCount() const {
  return EBayTabSet->count();
}

TEBayFrame* TQuarnMainForm::CurrentSearchTab() const {
  return SearchTabAt(EBayTabSet->currentIndex());
}

int TQuarnMainForm::IndexOfTab(const TEBayFrame* tab) const {
  for (int i = 0; i < EBayTabSet->count(); ++i) {
    if (SearchTabAt(i) == tab) return i;
  }
  return -1;
}

void TQuarnMainForm::SelectSearchTab(int index) {
  EBayTabSet->setCurrentIndex(index);
}

void TQuarnMainForm::TabChanged(int index) {
  TEBayFrame* tab = SearchTabAt(index);
  if (!tab || tab == ShownTab_) return;
  if (ShownTab_) ShownTab_->Hidden();
  ShownTab_ = tab;
  if (SearchUnitShown()) {
    MainPanel->setCurrentWidget(tab);
    tab->Shown();
    ProcessCancelButton->setEnabled(tab->Busy());
  }
}

void TQuarnMainForm::CloseSearchTab(int index) {
  TEBayFrame* tab = SearchTabAt(index);
  if (!tab || index == 0) return;  // the first tab stays
  if (tab == ShownTab_) ShownTab_ = nullptr;
  EBayTabSet->removeTab(index);
  tab->CancelSearch();
  tab->deleteLater();
  TabChanged(EBayTabSet->currentIndex());
}

// ---- units -----------------------------------------------------------------

bool TQuarnMainForm::SearchUnitShown() const {
  return UnitEBayButton->isChecked();
}

void TQuarnMainForm::ShowSearchUnit() {
  if (!UnitEBayButton->isChecked()) UnitEBayButton->setChecked(true);
}

void TQuarnMainForm::ShowFavoritesUnit() {
  if (!UnitFavoritesButton->isChecked()) UnitFavoritesButton->setChecked(true);
}

void TQuarnMainForm::ApplyUnitSwitch() {
  const bool search = UnitEBayButton->isChecked();
  EBayPanel->setVisible(search);
  TEBayFrame* tab = CurrentSearchTab();
  if (search && tab) {
    MainPanel->setCurrentWidget(tab);
    tab->Shown();
  } else if (tab) {
    tab->Hidden();
  }
  if (!search) MainPanel->setCurrentWidget(FavoritesFrame);
  EBayViewRefreshButton->setEnabled(search);
  ProcessCancelButton->setEnabled(search && tab && tab->Busy());
}

// ---- notifications, status bar ---------------------------------------------

void TQuarnMainForm::AddAlertMessage(const QString& text, QWidget* tab, bool showAlways, int kind) {
  AlertWindow->AddMessage(text, tab, showAlways, kind);
}

void TQuarnMainForm::UpdateStatusBar() {
  TFrameStatus status;
  if (TEBayFrame* tab = CurrentSearchTab(); tab && SearchUnitShown()) status = tab->Status;
  StatusTextPanels_[0]->setText(status.StatusText);
  const int progress[4] = {0, status.ListProgress, status.DetailsProgress, status.ImageProgress};
  for (int i = 1; i <= 3; ++i) {
    StatusProgress_[i]->setValue(qMax(0, progress[i]));
    StatusProgress_[i]->setTextVisible(progress[i] >= 0);
  }
  const QStringList counters = status.CounterPanelTexts();
  for (int i = 0; i < 4; ++i)
    StatusTextPanels_[4 + i]->setText(counters[i]);

  const QDateTime ebay = QuarnClock::EBayNow();
  const QLocale locale;
  const QDateTime shown = ebay.isValid() ? ebay : QuarnClock::LocalNow();
  QString timeFormat = locale.timeFormat(QLocale::LongFormat);
  timeFormat.remove(QLatin1Char('t'));  // the zone name adds nothing here
  StatusTextPanels_[8]->setText(
      Translate(ebay.isValid() ? QStringLiteral("TIME_SOURCE_EBAY")
                               : QStringLiteral("TIME_SOURCE_LOCAL")) +
      QStringLiteral(": ") + locale.toString(shown.date(), QLocale::ShortFormat) +
      QLatin1Char(' ') + locale.toString(shown.time(), timeFormat.trimmed()));
}

QString TQuarnMainForm::StatusPanelText(int panel) const {
  return StatusTextPanels_[panel] ? StatusTextPanels_[panel]->text() : QString();
}

int TQuarnMainForm::StatusPanelProgress(int panel) const {
  QProgressBar* p = StatusProgress_[panel];
  return p && p->isTextVisible() ? p->value() : -1;
}

// ---- full screen, session, keys --------------------------------------------

void TQuarnMainForm::SetFullScreen(bool on) {
  if (on == FullScreen_) {
    FullScreenButton->setChecked(on);
    return;
  }
  if (on) {
    RememberNormalBounds();
    StateBeforeFullScreen_ = windowState() & ~Qt::WindowFullScreen;
    FullScreen_ = true;
    showFullScreen();
  } else {
    FullScreen_ = false;
    setWindowState(StateBeforeFullScreen_);
    if (StateBeforeFullScreen_ == Qt::WindowNoState && NormalBounds_.isValid())
      setGeometry(NormalBounds_);
  }
  FullScreenButton->setChecked(FullScreen_);
  WindowRootCommandsPanel->setVisible(FullScreen_);
}

void TQuarnMainForm::RememberNormalBounds() {
  if (windowState() == Qt::WindowNoState && !FullScreen_) NormalBounds_ = geometry();
}

void TQuarnMainForm::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  RememberNormalBounds();
}

void TQuarnMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RememberNormalBounds();
}

void TQuarnMainForm::RestoreSession() {
  const TSessionSettings& s = AppCore().Session;
  QRect bounds = geometry();
  if (s.Width > 0) bounds.setWidth(s.Width);
  if (s.Height > 0) bounds.setHeight(s.Height);
  if (s.Left >= 0 && s.Top >= 0) bounds.moveTo(s.Left, s.Top);
  setGeometry(bounds);
  NormalBounds_ = bounds;
  if (s.FullScreen)
    SetFullScreen(true);
  else if (s.Maximized)
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TQuarnMainForm::SaveSession() {
  TSessionSettings& s = AppCore().Session;
  RememberNormalBounds();
  s.Maximized = FullScreen_ ? bool(StateBeforeFullScreen_ & Qt::WindowMaximized) : isMaximized();
  s.FullScreen = FullScreen_;
  s.Left = NormalBounds_.left();
  s.Top = NormalBounds_.top();
  s.Width = NormalBounds_.width();
  s.Height = NormalBounds_.height();
  s.SideBarVisible = SideBarGroupPanel->isVisible();
  s.SideBarWidth = SideBarGroupPanel->width();
}

bool TQuarnMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F11 && !key->isAutoRepeat()) {
      SetFullScreen(!FullScreen_);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TQuarnMainForm::BringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}
