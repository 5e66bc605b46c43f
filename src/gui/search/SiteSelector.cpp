#include "gui/search/SiteSelector.h"

#include <QActionGroup>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "core/app/LanguageTable.h"
#include "core/shopping/Site.h"
#include "core/shopping/SiteList.h"

namespace {

QByteArray LanguageCode() {
  return HasKey(QStringLiteral("LANG_CODE")) ? Translate(QStringLiteral("LANG_CODE")).toUtf8()
                                             : QByteArray("de");
}

// The flag of a site, or a null pixmap when the installation has none.
QPixmap Flag(int siteID, bool faded) {
  const QString path = QStringLiteral(":/flags/SITE_%1.png").arg(siteID);
  if (!QFile::exists(path)) return QPixmap();
  QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
  if (faded) {
    // The resting button shows the flag at a third of its opacity.
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x)
        line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), qAlpha(line[x]) / 3);
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace

TSiteSelector::TSiteSelector(QToolButton* button, QObject* parent)
    : QObject(parent), Button_(button) {
  if (Button_) {
    Button_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(Button_, &QToolButton::clicked, this, &TSiteSelector::ShowMenu);
  }
}

QMenu* TSiteSelector::SiteMenu() {
  static QMenu* menu = nullptr;
  if (!menu) {
    menu = new QMenu;
    menu->setObjectName(QStringLiteral("SiteMenu"));
    auto* group = new QActionGroup(menu);
    const QByteArray lang = LanguageCode();
    for (int i = 0; i < SiteList().Count(); ++i) {
      const TSite* site = SiteList().Items(i);
      QAction* a = menu->addAction(site->LocalName(lang));
      a->setData(site->SiteID);
      a->setCheckable(true);
      const QPixmap flag = Flag(site->SiteID, false);
      if (!flag.isNull()) a->setIcon(QIcon(flag));
      group->addAction(a);
    }
  }
  return menu;
}

void TSiteSelector::ShowMenu() {
  QMenu* menu = SiteMenu();
  menu->disconnect(this);
  for (QAction* a : menu->actions())
    a->setChecked(a->data().toInt() == SiteID_);
  connect(menu, &QMenu::triggered, this, [this](QAction* a) { SetSiteID(a->data().toInt()); });
  if (Button_) menu->popup(Button_->mapToGlobal(QPoint(0, Button_->height())));
}

void TSiteSelector::SetSiteID(int siteID) {
  if (siteID == SiteID_) return;
  SiteID_ = siteID;
  UpdateButton();
  Q_EMIT OnChange(this);
}

void TSiteSelector::UpdateButton() {
  if (SiteID_ == -1 || !Button_) return;
  const TSite* site = SiteList().FindBySiteID(SiteID_);
  if (!site) return;
  Button_->setText(site->LocalName(LanguageCode()));
  const QPixmap flag = Flag(SiteID_, true);
  Button_->setIcon(flag.isNull() ? QIcon() : QIcon(flag));
}
