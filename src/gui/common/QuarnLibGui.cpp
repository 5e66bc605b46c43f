#include "gui/common/QuarnLibGui.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QFile>
#include <QFontDatabase>
#include <QIcon>
#include <QUrl>

namespace QuarnLibGui {

void OpenInDefaultBrowser(const QString& address) {
  if (address.trimmed().isEmpty()) return;
  QDesktopServices::openUrl(QUrl::fromUserInput(address.trimmed()));
}

void AddToComboHistory(QComboBox* box, const QString& text) {
  if (!box) return;
  const QString entry = (text.isEmpty() ? box->currentText() : text).trimmed();
  if (entry.isEmpty()) return;
  for (int i = 0; i < box->count(); ++i) {
    if (box->itemText(i) == entry) return;
  }
  box->addItem(entry);
}

namespace {
QString FirstInstalled(std::initializer_list<const char*> names) {
  const QStringList families = QFontDatabase::families();
  for (const char* n : names) {
    if (families.contains(QLatin1String(n), Qt::CaseInsensitive)) return QLatin1String(n);
  }
  return QString();
}
}  // namespace

QFont ChooseWindowFont() {
  QFont font = QApplication::font();
  const QString family = FirstInstalled({"Tahoma", "Verdana", "MS Sans Serif"});
  if (!family.isEmpty()) font.setFamily(family);
  return font;
}

QFont ChooseListFont() {
  QFont font = QApplication::font();
  const QStringList families = QFontDatabase::families();
  if (families.contains(QStringLiteral("Arial Unicode MS"), Qt::CaseInsensitive)) {
    font.setFamily(QStringLiteral("Arial Unicode MS"));
    font.setPixelSize(12);
    return font;
  }
  const QString family = FirstInstalled({"Tahoma", "Verdana", "MS Sans Serif"});
  if (!family.isEmpty()) font.setFamily(family);
  return font;
}

void ApplyListFont(QWidget* control) {
  if (qobject_cast<QComboBox*>(control) || qobject_cast<QAbstractItemView*>(control)) {
    static const QFont listFont = ChooseListFont();
    control->setFont(listFont);
  }
}

bool MouseOverControl(const QWidget* control) {
  if (!control) return false;
  const QPoint p = control->mapFromGlobal(QCursor::pos());
  return p.x() >= 0 && p.x() <= control->width() && p.y() >= 0 && p.y() <= control->height();
}

bool LoadButtonGlyphs(QAbstractButton* button, const QString& name) {
  const QString base = QStringLiteral(":/buttons/") + name;
  if (!button || !QFile::exists(base + QStringLiteral(".png"))) return false;
  QIcon icon(base + QStringLiteral(".png"));
  const QString disabled = base + QStringLiteral("_DISABLED.png");
  if (QFile::exists(disabled)) icon.addFile(disabled, QSize(), QIcon::Disabled);
  button->setIcon(icon);
  return true;
}

}  // namespace QuarnLibGui
