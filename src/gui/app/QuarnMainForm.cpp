#include "gui/app/QuarnMainForm.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>

#include "core/app/AppCore.h"
#include "core/app/CloseDownSequence.h"
#include "core/app/LanguageTable.h"
#include "core/app/StartupSequence.h"
#include "gui/app/NagScreen.h"
#include "gui/common/HintFilter.h"
#include "gui/common/QuarnLibGui.h"
#include "gui/common/TranslateComponents.h"

TQuarnMainForm::TQuarnMainForm(Options options, TNagScreen* nag, QWidget* parent)
    : QMainWindow(parent), Options_(std::move(options)), Nag_(nag) {
  setObjectName(QStringLiteral("QuarnMainForm"));
  resize(1100, 760);
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("MainPanel"));
  setCentralWidget(central);
}

TQuarnMainForm::~TQuarnMainForm() {
  TCloseDownSequence close;
  close.AddAction(2, [this] {
    // The window's state goes into the session record before prefs.ini is written.
    TSessionSettings& s = AppCore().Session;
    RememberNormalBounds();
    s.Maximized = isMaximized();
    s.Left = NormalBounds_.left();
    s.Top = NormalBounds_.top();
    s.Width = NormalBounds_.width();
    s.Height = NormalBounds_.height();
  });
  close.AddAction(4, [this] {
    QString error;
    if (!ListedItemIDs.Save(AppCore().Folders.SettingsFolder + QStringLiteral("ListedItems.txt"),
                            &error))
      qWarning("Could not write the listed items: %s", qPrintable(error));
  });
  if (!close.Run() && !close.ErrorMessage().isEmpty())
    qWarning("Could not write the settings: %s", qPrintable(close.ErrorMessage()));
}

QString TQuarnMainForm::BuildCaption() {
  const TAppCore& core = AppCore();
  return QStringLiteral("Quarn ") + core.Version.DisplayedVersion() + core.Version.BetaText() +
         QStringLiteral(" - ") + Translate(QStringLiteral("QUARN_SLOGAN")) + QStringLiteral(" - ") +
         QLatin1String(kMakerWebAddress);
}

void TQuarnMainForm::InstallStartupActions(TStartupSequence& seq) {
  seq.OnStatus = [this](const QString& text) {
    if (Nag_) Nag_->SetBootStatus(text);
  };
  seq.OnXmlMissing = [] {
    QMessageBox::critical(nullptr, QStringLiteral("Quarn"),
                          Translate(QStringLiteral("MSG_NO_MSXML")));
  };
  seq.AddAction(7, [this] {
    if (Nag_) Nag_->SetVersion(AppCore().Version.DisplayedVersion(), AppCore().Version.BetaText());
  });
  seq.AddAction(17, [this] { setWindowTitle(BuildCaption()); });
  seq.AddAction(24, [this] {
    // Only the application object sees the hint events of every window.
    if (qApp) qApp->installEventFilter(new THintFilter(this));
  });
  seq.AddAction(25, [this] {
    ListedItemIDs.Load(AppCore().Folders.SettingsFolder + QStringLiteral("ListedItems.txt"));
  });
  seq.AddAction(30, [this] {
    RestoreSession();
    TranslateComponents(this);
  });
}

bool TQuarnMainForm::RunStartup() {
  TStartupSequence seq({Options_.ProgramFolder, Options_.TempFolder, Options_.Arguments});
  InstallStartupActions(seq);
  const bool ok = seq.Run();
  StartupError_ = seq.ErrorMessage();
  return ok;
}

void TQuarnMainForm::RememberNormalBounds() {
  if (!isMaximized() && !isMinimized() && !isFullScreen()) NormalBounds_ = geometry();
}

void TQuarnMainForm::RestoreSession() {
  const TSessionSettings& s = AppCore().Session;
  QRect bounds = geometry();
  if (s.Width > 0) bounds.setWidth(s.Width);
  if (s.Height > 0) bounds.setHeight(s.Height);
  if (s.Left >= 0 && s.Top >= 0) bounds.moveTo(s.Left, s.Top);
  setGeometry(bounds);
  NormalBounds_ = bounds;
  if (s.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void TQuarnMainForm::BringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}
