#include "gui/common/TranslateComponents.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>

#include "core/app/LanguageTable.h"

namespace {

// Replaces text when it is a "#KEY" caption of a known key.
template <typename Get, typename Set>
void TranslateText(Get get, Set set) {
  const QString translated = TranslateCaption(get());
  if (!translated.isEmpty()) set(translated);
}

void TranslateAction(QAction* action) {
  TranslateText([&] { return action->text(); }, [&](const QString& t) { action->setText(t); });
  TranslateText([&] { return action->toolTip(); },
                [&](const QString& t) { action->setToolTip(t); });
  if (QMenu* menu = action->menu()) {
    for (QAction* sub : menu->actions())
      TranslateAction(sub);
  }
}

void TranslateHeader(QAbstractItemModel* model) {
  if (!model) return;
  for (int c = 0; c < model->columnCount(); ++c) {
    for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)}) {
      const QString text = model->headerData(c, Qt::Horizontal, role).toString();
      const QString translated = TranslateCaption(text);
      if (!translated.isEmpty()) model->setHeaderData(c, Qt::Horizontal, translated, role);
    }
  }
}

void TranslateOne(QObject* object) {
  if (auto* w = qobject_cast<QWidget*>(object)) {
    TranslateText([&] { return w->toolTip(); }, [&](const QString& t) { w->setToolTip(t); });
  }
  if (auto* b = qobject_cast<QAbstractButton*>(object)) {
    TranslateText([&] { return b->text(); }, [&](const QString& t) { b->setText(t); });
  } else if (auto* g = qobject_cast<QGroupBox*>(object)) {
    TranslateText([&] { return g->title(); }, [&](const QString& t) { g->setTitle(t); });
  } else if (auto* l = qobject_cast<QLabel*>(object)) {
    TranslateText([&] { return l->text(); }, [&](const QString& t) { l->setText(t); });
  } else if (auto* d = qobject_cast<QDockWidget*>(object)) {
    TranslateText([&] { return d->windowTitle(); },
                  [&](const QString& t) { d->setWindowTitle(t); });
  } else if (auto* tabs = qobject_cast<QTabWidget*>(object)) {
    for (int i = 0; i < tabs->count(); ++i) {
      TranslateText([&] { return tabs->tabText(i); },
                    [&](const QString& t) { tabs->setTabText(i, t); });
      TranslateText([&] { return tabs->tabToolTip(i); },
                    [&](const QString& t) { tabs->setTabToolTip(i, t); });
    }
  } else if (auto* tw = qobject_cast<QTreeWidget*>(object)) {
    QTreeWidgetItem* header = tw->headerItem();
    for (int c = 0; header && c < header->columnCount(); ++c) {
      TranslateText([&] { return header->text(c); },
                    [&](const QString& t) { header->setText(c, t); });
      TranslateText([&] { return header->toolTip(c); },
                    [&](const QString& t) { header->setToolTip(c, t); });
    }
  } else if (auto* tv = qobject_cast<QTreeView*>(object)) {
    TranslateHeader(tv->model());
  } else if (auto* combo = qobject_cast<QComboBox*>(object)) {
    for (int i = 0; i < combo->count(); ++i) {
      TranslateText([&] { return combo->itemText(i); },
                    [&](const QString& t) { combo->setItemText(i, t); });
    }
  } else if (auto* menu = qobject_cast<QMenu*>(object)) {
    TranslateText([&] { return menu->title(); }, [&](const QString& t) { menu->setTitle(t); });
    for (QAction* a : menu->actions())
      TranslateAction(a);
  } else if (auto* action = qobject_cast<QAction*>(object)) {
    TranslateAction(action);
  }
}

}  // namespace

void TranslateComponents(QObject* owner) {
  if (!owner) return;
  // Qt nests widgets by layout; everything below the window counts as owned by it.
  for (QObject* child : owner->findChildren<QObject*>())
    TranslateOne(child);
  if (auto* w = qobject_cast<QWidget*>(owner)) {
    TranslateText([&] { return w->windowTitle(); },
                  [&](const QString& t) { w->setWindowTitle(t); });
  }
}
