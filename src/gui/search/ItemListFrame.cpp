#include "gui/search/ItemListFrame.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/app/AppCore.h"
#include "core/shopping/SimpleItem.h"
#include "gui/common/QuarnLibGui.h"

namespace {

using C = TItemListColumns;
using M = TItemListModel;

// Paints what the model hands over as plain colour values and flags: text
// colour, bold text, row background, the filter's red frame and row images.
class TRowDelegate : public QStyledItemDelegate {
 public:
  TRowDelegate(TItemListFrame* frame, QTreeView* view)
      : QStyledItemDelegate(frame), Frame(frame), View(view) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (!View->wordWrap()) {
      size.setHeight(TItemListFrame::kRowHeight);
      return size;
    }
    // A wrapped row is as high as its title needs, plus a little air.
    if (index.column() != C::Title) {
      size.setHeight(0);
      return size;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const int width = qMax(20, View->header()->sectionSize(C::Title) - 8 -
                                   (index.parent().isValid() ? View->indentation() : 0));
    const QRect needed =
        opt.fontMetrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, opt.text);
    size.setHeight(needed.height() + 4);
    return size;
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant frame = index.data(M::FrameColorRole);
    if (frame.isValid()) {
      painter->save();
      painter->setPen(QColor::fromRgba(frame.toUInt()));
      painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
      painter->restore();
    }
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant color = index.data(M::TextColorRole);
    if (color.isValid()) option->palette.setColor(QPalette::Text, QColor::fromRgba(color.toUInt()));
    if (index.data(M::BoldRole).toBool()) option->font.setBold(true);
    const QVariant background = index.data(M::BackgroundColorRole);
    if (background.isValid()) option->backgroundBrush = QColor::fromRgba(background.toUInt());
    const QVariant image = index.data(M::ImageIndexRole);
    if (image.isValid() && image.toInt() >= 0 && image.toInt() < 3) {
      option->icon = Frame->RowImage(image.toInt());
      option->features |= QStyleOptionViewItem::HasDecoration;
      option->decorationSize = QSize(16, 16);
    }
    if (View->wordWrap()) option->features |= QStyleOptionViewItem::WrapText;
  }

 private:
  TItemListFrame* Frame;
  QTreeView* View;
};

}  // namespace

TItemListFrame::TItemListFrame(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ItemListFrame"));
  Model_ = new TItemListModel(this);
  MakeImages();

  ItemList = new QTreeView(this);
  ItemList->setObjectName(QStringLiteral("ItemList"));
  ItemList->setModel(Model_);
  ItemList->setItemDelegate(new TRowDelegate(this, ItemList));
  ItemList->setSelectionBehavior(QAbstractItemView::SelectRows);
  ItemList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ItemList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ItemList->setAllColumnsShowFocus(true);
  ItemList->setUniformRowHeights(true);
  ItemList->setTreePosition(C::Title);  // the tree lines sit in the title column
  ItemList->setIndentation(0);
  ItemList->setRootIsDecorated(false);
  ItemList->setSortingEnabled(false);  // the model sorts; the header only asks
  ItemList->viewport()->installEventFilter(this);
  ItemList->viewport()->setMouseTracking(true);
  ItemList->installEventFilter(this);
  QuarnLibGui::ApplyListFont(ItemList);

  QHeaderView* header = ItemList->header();
  header->setSectionsMovable(true);
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setStretchLastSection(false);
  header->setHighlightSections(false);
  header->setMinimumSectionSize(10);
  header->setMinimumHeight(kHeaderHeight);
  header->setContextMenuPolicy(Qt::CustomContextMenu);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ItemList);

  ItemListTimer = new QTimer(this);
  ItemListTimer->setObjectName(QStringLiteral("ItemListTimer"));
  ItemListTimer->setInterval(1000);
  connect(ItemListTimer, &QTimer::timeout, this, &TItemListFrame::RepaintRows);
  ItemListTimer->start();

  BuildHeaderMenu();
  ApplyColumns();
  ApplySettings();

  connect(header, &QHeaderView::sectionClicked, Model_, &TItemListModel::HeaderClick);
  connect(header, &QHeaderView::customContextMenuRequested, this, &TItemListFrame::ShowHeaderMenu);
  connect(header, &QHeaderView::sectionResized, this, &TItemListFrame::SectionResized);
  connect(header, &QHeaderView::sectionMoved, this, [this] {
    if (!ApplyingColumns_) Q_EMIT ColumnsChanged();
  });
  connect(ItemList->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          &TItemListFrame::ColumnsChanged);
  connect(Model_, &TItemListModel::SortChanged, this, [this](int column, bool ascending) {
    ItemList->header()->setSortIndicator(column,
                                         ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  });
  connect(Model_, &TItemListModel::OnSortStateChange, this, &TItemListFrame::OnSortStateChange);
  connect(Model_, &QAbstractItemModel::rowsInserted, this, &TItemListFrame::RowsInserted);
  // Regrouping rebuilds the rows; the focused listing stays focused.
  connect(Model_, &QAbstractItemModel::modelAboutToBeReset, this,
          [this] { FocusBeforeReset_ = FocusedItemID(); });
  connect(Model_, &QAbstractItemModel::modelReset, this, [this] {
    ExpandGroups();
    if (!FocusBeforeReset_.isEmpty()) SelectItem(FocusBeforeReset_);
    FocusBeforeReset_.clear();
  });
  connect(Model_, &TItemListModel::ListModeChanged, this, [this](int mode) {
    ItemList->setIndentation(mode != TItemListModel::Flat ? kGroupIndent : 0);
    ItemList->setRootIsDecorated(mode != TItemListModel::Flat);
  });
  connect(ItemList, &QTreeView::clicked, this, [this](const QModelIndex& index) {
    const TSimpleItem* item = Model_->ItemAt(index);
    if (item && ItemList->currentIndex().row() == index.row() &&
        ItemList->currentIndex().parent() == index.parent())
      Q_EMIT OnOpenItem(item->ItemID());
  });
}

TItemListFrame::~TItemListFrame() {
  // The delegate asks the view while it goes; take it away first.
  ItemList->setModel(nullptr);
}

void TItemListFrame::MakeImages() {
  // Small painted marks until the program ships its own row images.
  auto make = [](auto paint) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return QIcon(pixmap);
  };
  Images_[0] = make([](QPainter& p) {  // a picture: frame, sun and hill
    p.setPen(QColor(80, 80, 80));
    p.setBrush(QColor(200, 225, 255));
    p.drawRect(1, 3, 13, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 0));
    p.drawEllipse(9, 5, 3, 3);
    p.setBrush(QColor(60, 150, 60));
    p.drawPolygon(QPolygon({QPoint(2, 12), QPoint(6, 7), QPoint(10, 12)}));
  });
  Images_[1] = make([](QPainter& p) {  // new: a green dot
    p.setPen(QColor(0, 110, 0));
    p.setBrush(QColor(60, 190, 60));
    p.drawEllipse(3, 3, 10, 10);
  });
  Images_[2] = make([](QPainter& p) {  // used: an amber dot
    p.setPen(QColor(150, 90, 0));
    p.setBrush(QColor(240, 170, 40));
    p.drawEllipse(3, 3, 10, 10);
  });
}

// --- rows ---

void TItemListFrame::Clear() {
  PictureCellHovered(QModelIndex());
  Model_->Clear();
}

void TItemListFrame::SelectItem(const QByteArray& itemID) {
  const QModelIndex index = Model_->FindRow(itemID, C::Title);
  if (!index.isValid()) return;
  const QModelIndex current = ItemList->currentIndex();
  if (current.isValid() && Model_->RowAt(current) == Model_->RowAt(index)) return;
  ItemList->setCurrentIndex(index);  // focuses and selects the row
  ItemList->scrollTo(index);
}

QByteArray TItemListFrame::FocusedItemID() const {
  const TSimpleItem* item = Model_->ItemAt(ItemList->currentIndex());
  return item ? item->ItemID() : QByteArray();
}

void TItemListFrame::SetListMode(int mode) {
  Model_->SetListMode(mode);
}

void TItemListFrame::RowsInserted(const QModelIndex& parent, int first, int last) {
  // New group rows start open: the user grouped the list to see the listings.
  for (int row = first; row <= last; ++row) {
    const QModelIndex index = Model_->index(row, 0, parent);
    if (index.data(TItemListModel::KindRole).toInt() != TItemListRow::Listing)
      ItemList->setExpanded(index, true);
  }
}

void TItemListFrame::ExpandGroups() {
  if (Model_->ListMode() != TItemListModel::Flat) ItemList->expandAll();
}

void TItemListFrame::RepaintRows() {
  // The whole visible part, not only the time-left column: the day names roll
  // over at midnight, listings opened meanwhile turn green and detail answers
  // fill in cells, and a screenful of rows paints in a few milliseconds.
  ItemList->viewport()->update();
}

// --- settings ---

void TItemListFrame::ApplySettings() {
  const bool wrap = AppCore().Config.UseWordWrap;
  if (wrap == ItemList->wordWrap() && ItemList->uniformRowHeights() == !wrap) return;
  ItemList->setWordWrap(wrap);
  ItemList->setUniformRowHeights(!wrap);
  ItemList->doItemsLayout();
}

void TItemListFrame::RetranslateCaptions() {
  Q_EMIT Model_->headerDataChanged(Qt::Horizontal, 0, C::kCount - 1);
  BuildHeaderMenu();
}

// --- columns ---

void TItemListFrame::ApplyColumns() {
  ApplyingColumns_ = true;
  QHeaderView* header = ItemList->header();
  const TItemListColumns& columns = Model_->Columns();
  const auto order = columns.DisplayOrder();
  for (int position = 0; position < C::kCount; ++position)
    header->moveSection(header->visualIndex(order[size_t(position)]), position);
  for (int c = 0; c < C::kCount; ++c) {
    const TItemListColumns::TColumn& column = columns.Columns[size_t(c)];
    header->resizeSection(c, C::ClampWidth(c, column.Width));
    header->setSectionHidden(c, !column.Visible);
  }
  header->setSortIndicator(columns.SortColumn,
                           columns.SortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
  ApplyingColumns_ = false;
  BuildHeaderMenu();
  Q_EMIT ColumnsChanged();
}

void TItemListFrame::ReadColumns() {
  QHeaderView* header = ItemList->header();
  TItemListColumns& columns = Model_->Columns();
  for (int c = 0; c < C::kCount; ++c) {
    TItemListColumns::TColumn& column = columns.Columns[size_t(c)];
    column.Visible = !header->isSectionHidden(c);
    // A hidden section reports no width; it keeps the one it had.
    if (column.Visible) column.Width = header->sectionSize(c);
    column.Position = header->visualIndex(c);
  }
}

void TItemListFrame::SaveColumns(TIniFile& ini) {
  ReadColumns();
  Model_->SaveColumns(ini);
}

void TItemListFrame::LoadColumns(const TIniFile& ini) {
  ReadColumns();  // the current state is what unset keys keep
  Model_->LoadColumns(ini);
  ApplyColumns();
}

void TItemListFrame::SectionResized(int column, int oldSize, int newSize) {
  Q_UNUSED(oldSize);
  if (ApplyingColumns_ || newSize == 0) return;  // 0: the section was hidden
  const int clamped = C::ClampWidth(column, newSize);
  if (clamped != newSize) {
    ItemList->header()->resizeSection(column, clamped);
    return;
  }
  Model_->Columns().Columns[size_t(column)].Width = newSize;
  if (ItemList->wordWrap() && column == C::Title) ItemList->doItemsLayout();
  Q_EMIT ColumnsChanged();
}

void TItemListFrame::BuildHeaderMenu() {
  if (!HeaderMenu_) HeaderMenu_ = new QMenu(this);
  HeaderMenu_->clear();
  QHeaderView* header = ItemList->header();
  for (int c = 0; c < C::kCount; ++c) {
    QAction* action = HeaderMenu_->addAction(Model_->headerData(c, Qt::Horizontal).toString());
    action->setCheckable(true);
    action->setChecked(!header->isSectionHidden(c));
    action->setData(c);
    connect(action, &QAction::toggled, this,
            [this, c](bool checked) { SetColumnVisible(c, checked); });
  }
}

void TItemListFrame::ShowHeaderMenu(const QPoint& pos) {
  BuildHeaderMenu();
  HeaderMenu_->popup(ItemList->header()->mapToGlobal(pos));
}

void TItemListFrame::SetColumnVisible(int column, bool visible) {
  QHeaderView* header = ItemList->header();
  if (header->isSectionHidden(column) == !visible) return;
  // The last visible column stays: a list without columns cannot be got back.
  if (!visible && header->count() - header->hiddenSectionCount() <= 1) {
    if (HeaderMenu_) {
      const QList<QAction*> actions = HeaderMenu_->actions();
      if (column < actions.size()) {
        const QSignalBlocker block(actions[column]);
        actions[column]->setChecked(true);
      }
    }
    return;
  }
  header->setSectionHidden(column, !visible);
  TItemListColumns::TColumn& state = Model_->Columns().Columns[size_t(column)];
  state.Visible = visible;
  if (visible) header->resizeSection(column, C::ClampWidth(column, state.Width));
  Q_EMIT ColumnsChanged();
}

// --- mouse and keys ---

bool TItemListFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ItemList && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      const QByteArray id = FocusedItemID();
      if (Model_->RowOf(id)) {
        Q_EMIT OnOpenItem(id);
        return true;
      }
    }
  } else if (watched == ItemList->viewport()) {
    if (event->type() == QEvent::MouseButtonRelease) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::RightButton || mouse->button() == Qt::MiddleButton) {
        const QModelIndex index = ItemList->indexAt(mouse->position().toPoint());
        if (Model_->ItemAt(index))
          Q_EMIT OnItemContextMenu(index.siblingAtColumn(0), mouse->globalPosition().toPoint());
      }
    } else if (event->type() == QEvent::MouseMove) {
      const QModelIndex index =
          ItemList->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      PictureCellHovered(index.column() == C::Picture ? index : QModelIndex());
    } else if (event->type() == QEvent::Leave) {
      PictureCellHovered(QModelIndex());
    }
  }
  return QWidget::eventFilter(watched, event);
}
