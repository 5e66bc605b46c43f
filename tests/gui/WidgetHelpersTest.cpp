#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/app/LanguageTable.h"
#include "gui/app/SingleInstanceGuard.h"
#include "gui/common/HintFilter.h"
#include "gui/common/QuarnLibGui.h"
#include "gui/common/TranslateComponents.h"

namespace {

TEST(TranslateComponents, ReplacesHashCaptionsOfKnownKeysOnly) {
  QTemporaryDir dir;
  QFile f(dir.filePath(QStringLiteral("Lang.ini")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[English]\nCLOSE=Close\nHINT=Line one@line two\nCOL=Title\nMENU=Tools\nENTRY=First\n");
  f.close();
  LanguageTable().LoadFile(f.fileName(), QStringLiteral("English"));

  QWidget window;
  auto* panel = new QWidget(&window);  // nested: still translated
  auto* layout = new QVBoxLayout(panel);
  auto* known = new QPushButton(QStringLiteral("#CLOSE"));
  known->setToolTip(QStringLiteral("#HINT"));
  auto* unknown = new QLabel(QStringLiteral("#NOPE"));
  auto* plain = new QLabel(QStringLiteral("CLOSE"));
  auto* combo = new QComboBox;
  combo->addItems({QStringLiteral("#ENTRY"), QStringLiteral("as is")});
  auto* tree = new QTreeView;
  auto* model = new QStandardItemModel(0, 1, tree);
  model->setHeaderData(0, Qt::Horizontal, QStringLiteral("#COL"));
  tree->setModel(model);
  for (QWidget* w :
       {static_cast<QWidget*>(known), static_cast<QWidget*>(unknown), static_cast<QWidget*>(plain),
        static_cast<QWidget*>(combo), static_cast<QWidget*>(tree)})
    layout->addWidget(w);
  auto* menu = new QMenu(&window);
  QAction* action = menu->addAction(QStringLiteral("#MENU"));

  TranslateComponents(&window);
  EXPECT_EQ(known->text(), QStringLiteral("Close"));
  EXPECT_EQ(known->toolTip(), QStringLiteral("Line one@line two"));
  EXPECT_EQ(unknown->text(), QStringLiteral("#NOPE"));
  EXPECT_EQ(plain->text(), QStringLiteral("CLOSE"));
  EXPECT_EQ(combo->itemText(0), QStringLiteral("First"));
  EXPECT_EQ(combo->itemText(1), QStringLiteral("as is"));
  EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Title"));
  EXPECT_EQ(action->text(), QStringLiteral("Tools"));
  LanguageTable().Clear();
}

TEST(WidgetHelpers, HintsSpanLinesAtEachAt) {
  EXPECT_EQ(THintFilter::HintText(QStringLiteral("Erste Zeile@zweite@")),
            QStringLiteral("Erste Zeile\nzweite\n"));
}

TEST(WidgetHelpers, ComboHistoryAddsTrimmedNewEntriesExactly) {
  QComboBox box;
  box.setEditable(true);
  QuarnLibGui::AddToComboHistory(&box, QStringLiteral("  nikon d70 "));
  QuarnLibGui::AddToComboHistory(&box, QStringLiteral("nikon d70"));
  QuarnLibGui::AddToComboHistory(&box, QStringLiteral("Nikon D70"));  // differs in case: new
  QuarnLibGui::AddToComboHistory(&box, QStringLiteral("   "));
  box.setEditText(QStringLiteral("from the box"));
  QuarnLibGui::AddToComboHistory(&box);
  ASSERT_EQ(box.count(), 3);
  EXPECT_EQ(box.itemText(0), QStringLiteral("nikon d70"));
  EXPECT_EQ(box.itemText(1), QStringLiteral("Nikon D70"));
  EXPECT_EQ(box.itemText(2), QStringLiteral("from the box"));
}

TEST(WidgetHelpers, MouseOverControlIncludesTheEdges) {
  QWidget w;
  w.setGeometry(100, 100, 50, 40);
  w.show();
  QCursor::setPos(w.mapToGlobal(QPoint(50, 40)));  // exactly on the right and bottom edge
  if (QCursor::pos() != w.mapToGlobal(QPoint(50, 40)))
    GTEST_SKIP() << "this platform cannot place the pointer";
  EXPECT_TRUE(QuarnLibGui::MouseOverControl(&w));
  QCursor::setPos(w.mapToGlobal(QPoint(51, 20)));
  EXPECT_FALSE(QuarnLibGui::MouseOverControl(&w));
}

TEST(SingleInstanceGuard, SecondInstanceIsTurnedAwayAndTheFirstIsRaised) {
  QTemporaryDir dir;
  TSingleInstanceGuard first(dir.path());
  ASSERT_TRUE(first.Acquire());
  int raised = 0;
  QObject::connect(&first, &TSingleInstanceGuard::RaiseRequested, [&] { ++raised; });
  TSingleInstanceGuard second(dir.path());
  EXPECT_FALSE(second.Acquire());
  for (int i = 0; i < 50 && raised == 0; ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(raised, 1);
  QTemporaryDir other;  // another installation runs on its own
  TSingleInstanceGuard elsewhere(other.path());
  EXPECT_TRUE(elsewhere.Acquire());
}

}  // namespace
