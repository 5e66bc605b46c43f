#pragma once

#include <QAbstractItemModel>
#include <QByteArray>
#include <QHash>
#include <QLocale>
#include <functional>
#include <memory>
#include <vector>

#include "core/search/CategoryLookup.h"
#include "core/search/ItemListColumns.h"
#include "core/search/ItemListRow.h"

class TIniFile;
class TListedItemIDs;
class TSimpleItem;

// The rows of a result list: one per listing and, while grouping, group rows
// above them (by category, by category path, or new against listed before).
// It shows every listing only once, formats the cells, sorts, and hands the
// colours and styles of each row to the view through roles (the view maps
// them to its own palette, which this headless core does not know).
//
// The listings belong to the tab's listing list: the tab clears this model
// (or removes the row) before it frees a listing.
class TItemListModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  enum TRole {
    KindRole = Qt::UserRole + 1,  // int: TItemListRow::TKind
    ItemIDRole,                   // QByteArray: listing rows
    ListedBeforeRole,             // bool
    FilterColumnRole,             // int, -1: none
    TextColorRole,                // uint 0xAARRGGBB; none: the list's font colour
    BoldRole,                     // bool: this cell's text is bold
    BackgroundColorRole,          // uint 0xAARRGGBB; none: the window colour
    FrameColorRole,               // uint 0xAARRGGBB: frame around the cell; none: no frame
    ImageIndexRole,               // int: 0 picture, 1 new, 2 used; none: no image
  };

  enum TListMode { Flat = 0, ByCategory = 1, ByCategoryPath = 2, ByListed = 3 };

  static constexpr quint32 kHighlightColor = 0xFF0000FFu;  // filter highlight: blue
  static constexpr quint32 kViewedColor = 0xFF008000u;     // green
  static constexpr quint32 kWatchedColor = 0xFFFF0000u;    // red
  static constexpr quint32 kGroupBackground = 0xFFBFBFFFu;
  static constexpr quint32 kOddBackground = 0xFFEEEEFFu;
  static constexpr quint32 kFilterFrameColor = 0xFFFF0000u;

  explicit TItemListModel(QObject* parent = nullptr);
  ~TItemListModel() override;

  // --- what the tab and the main window supply; an unassigned one answers no ---
  using TItemTest = std::function<bool(const QByteArray& itemID)>;
  TItemTest IsListed;                                       // number seen in an earlier list
  std::function<void(const QByteArray& itemID)> AddListed;  // remember a new number
  TItemTest IsViewed;                                       // opened in this run: green
  TItemTest IsFavorite;                                     // on the watch list: red
  // Set while a filter is active: AddItem hands each new row to it (the row
  // then stays at the top level) and repaints the row afterwards.
  std::function<void(TItemListRow& row)> FilterRow;
  // Plugs the main window's listed-items store into IsListed and AddListed.
  void UseListedStore(TListedItemIDs* store);

  // The category tree for the category groups; none: the process-wide one.
  void SetCategoryLookup(const TCategoryLookup* lookup);
  const TCategoryLookup& Lookup() const { return Lookup_ ? *Lookup_ : TCategoryLookup::Current(); }
  // The tab's site, for listings that do not name their own.
  void SetSiteID(int siteID) { SiteID_ = siteID; }
  int SiteID() const { return SiteID_; }
  // Day names and number separators of the cell texts.
  void SetLocale(const QLocale& locale) { Locale_ = locale; }
  const QLocale& Locale() const { return Locale_; }

  // --- rows ---
  // Adds a row for the listing unless its number is already shown.
  void AddItem(TSimpleItem* item);
  // The listing row with that number (exact comparison), or an invalid index.
  QModelIndex FindRow(const QByteArray& itemID, int column = 0) const;
  TItemListRow* RowOf(const QByteArray& itemID) const;
  // Listing rows below the row, at any depth (nullptr: the whole list).
  int CountItems(const TItemListRow* row) const;
  // Deletes the row (a group row with everything below it) and forgets its
  // numbers; groups left empty go with it. False for a row not in this list.
  bool RemoveItem(TItemListRow* row);
  bool RemoveItem(const QByteArray& itemID) { return RemoveItem(RowOf(itemID)); }
  // Deletes every row and forgets every number.
  void Clear();
  bool IsShown(const QByteArray& itemID) const { return Shown_.contains(itemID); }
  int ShownCount() const { return int(Shown_.size()); }

  QModelIndex IndexOfRow(const TItemListRow* row, int column = 0) const;
  TItemListRow* RowAt(const QModelIndex& index) const;
  TSimpleItem* ItemAt(const QModelIndex& index) const;
  // Every row in tree order (a group before its children).
  void ForEachRow(const std::function<void(TItemListRow& row)>& visit) const;
  // A listing's fields changed (details, refresh): repaint its row.
  void ItemChanged(const QByteArray& itemID);
  // The filter's marks of a row: text colour (0: font colour) and the column
  // whose cell it frames (-1: none).
  void SetRowFilterState(TItemListRow* row, quint32 textColor, int filterColumn);

  // The text of a cell, as the view shows it and filters match it.
  QString CellText(const TItemListRow& row, int column) const;

  // --- grouping ---
  int ListMode() const { return ListMode_; }
  // Regroups every listing row for the mode (0 to 3); others are ignored.
  void SetListMode(int mode);

  // --- sorting ---
  int SortColumn() const { return Columns_.SortColumn; }
  bool SortAscending() const { return Columns_.SortAscending; }
  void SetSortColumn(int column, bool ascending);
  // A header click: that column ascending, or the other direction when it
  // already is the sort column; then SortNow.
  void HeaderClick(int column);
  // Sorts every level by the sort column and direction.
  void SortNow();
  // The order of two rows for the column, ascending: < 0 when a comes first.
  int CompareRows(const TItemListRow& a, const TItemListRow& b, int column) const;

  // --- columns ---
  TItemListColumns& Columns() { return Columns_; }
  const TItemListColumns& Columns() const { return Columns_; }
  void SaveColumns(TIniFile& ini) const;
  void LoadColumns(const TIniFile& ini);

  // --- QAbstractItemModel ---
  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 Q_SIGNALS:
  // On: rows were added and may be out of order. Off: just sorted.
  void OnSortStateChange(bool outOfOrder);
  void ListModeChanged(int mode);
  void SortChanged(int column, bool ascending);

 private:
  using TRows = std::vector<std::unique_ptr<TItemListRow>>;

  TRows& Children(TItemListRow* parent);
  const TRows& Children(const TItemListRow* parent) const;
  void Renumber(TRows& rows, size_t from = 0);
  TItemListRow* Insert(TItemListRow* parent, std::unique_ptr<TItemListRow> row, bool notify);
  // The group row a listing row belongs in for the current mode, made when
  // missing; nullptr: the top level.
  TItemListRow* GroupFor(const TItemListRow& row, bool notify);
  TItemListRow* MakeGroup(TItemListRow* parent, TItemListRow::TKind kind, const QString& caption,
                          const QByteArray& categoryID, bool notify);
  const QList<TCategoryLookup::TPathEntry>& PathOf(int siteID, const QByteArray& categoryID);
  int SiteOf(const TSimpleItem& item) const;
  void Forget(const TItemListRow& row);
  void SortLevel(TRows& rows, int column, bool ascending);
  bool Contains(const TItemListRow* row) const;

  TRows Top_;
  QHash<QByteArray, TItemListRow*> Shown_;           // ShownIDs, with the row of each
  QHash<QByteArray, TItemListRow*> CategoryGroups_;  // category id -> its group row
  QHash<QString, TItemListRow*> CaptionGroups_;      // caption -> top-level caption group
  QHash<QByteArray, QList<TCategoryLookup::TPathEntry>> PathCache_;  // "site:id"
  const TCategoryLookup* Lookup_ = nullptr;
  int ListMode_ = Flat;
  int SiteID_ = 77;
  QLocale Locale_;
  TItemListColumns Columns_;
};
