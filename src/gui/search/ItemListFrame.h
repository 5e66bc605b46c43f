#pragma once

#include <QByteArray>
#include <QIcon>
#include <QModelIndex>
#include <QPoint>
#include <QWidget>
#include <array>

#include "core/search/ItemListModel.h"

class QMenu;
class QTimer;
class QTreeView;
class TIniFile;
class TSimpleItem;

// The result list of a search tab (and of the watch list): a tree list over
// TItemListModel with 17 columns the user can resize, move, hide and sort by,
// optional group rows, and colours for new, viewed, watched and highlighted
// listings. The tab feeds it listings and listens to its three signals.
class TItemListFrame : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRowHeight = 28;
  static constexpr int kHeaderHeight = 18;
  static constexpr int kGroupIndent = 8;

  explicit TItemListFrame(QWidget* parent = nullptr);
  ~TItemListFrame() override;

  QTreeView* ItemList = nullptr;    // the list itself
  QTimer* ItemListTimer = nullptr;  // once a second: time left and day names move on
  TItemListModel* Model() const { return Model_; }

  // --- rows (see TItemListModel) ---
  void AddItem(TSimpleItem* item) { Model_->AddItem(item); }
  QModelIndex FindRow(const QByteArray& itemID) const { return Model_->FindRow(itemID); }
  TItemListRow* RowOf(const QByteArray& itemID) const { return Model_->RowOf(itemID); }
  int CountItems(const TItemListRow* row) const { return Model_->CountItems(row); }
  bool RemoveItem(TItemListRow* row) { return Model_->RemoveItem(row); }
  // Deletes every row. (The picture hint's requests will be withdrawn here too.)
  void Clear();
  // Focuses, selects and shows the listing's row, unless it is focused already.
  void SelectItem(const QByteArray& itemID);
  // The focused listing's number; empty when the focus is on no listing row.
  QByteArray FocusedItemID() const;
  void SetListMode(int mode);
  void SortNow() { Model_->SortNow(); }

  // Column widths, order, visibility and sort state in section "ItemList".
  void SaveColumns(TIniFile& ini);
  void LoadColumns(const TIniFile& ini);
  // Takes over the settings that change the look of the rows (word wrap).
  void ApplySettings();
  // Captions and hints again, after the language changed.
  void RetranslateCaptions();

  // The menu of the header's right click: one check entry per column.
  QMenu* HeaderMenu() const { return HeaderMenu_; }
  const QIcon& RowImage(int index) const { return Images_[size_t(index)]; }

 Q_SIGNALS:
  // A listing row was clicked (leaving it focused) or Enter was pressed on it.
  void OnOpenItem(const QByteArray& itemID);
  // On: rows were added and may be out of order; off: just sorted.
  void OnSortStateChange(bool outOfOrder);
  // A listing row was released with the right or middle mouse button.
  void OnItemContextMenu(const QModelIndex& row, const QPoint& globalPos);
  // Columns were loaded, resized, moved, shown or hidden, or the list
  // scrolled sideways: whatever sits in the header is placed again.
  void ColumnsChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The mouse rests on the picture cell of a row (invalid index: elsewhere).
  // The larger picture shown there comes with the picture cache.
  virtual void PictureCellHovered(const QModelIndex& index) { Q_UNUSED(index); }

 private:
  void ApplyColumns();  // the model's column state onto the header
  void ReadColumns();   // the header's state into the model
  void BuildHeaderMenu();
  void ShowHeaderMenu(const QPoint& pos);
  void SetColumnVisible(int column, bool visible);
  void SectionResized(int column, int oldSize, int newSize);
  void RowsInserted(const QModelIndex& parent, int first, int last);
  void ExpandGroups();
  void RepaintRows();
  void MakeImages();

  TItemListModel* Model_ = nullptr;
  QMenu* HeaderMenu_ = nullptr;
  std::array<QIcon, 3> Images_;  // 0 picture, 1 new, 2 used
  bool ApplyingColumns_ = false;
  QByteArray FocusBeforeReset_;
};
