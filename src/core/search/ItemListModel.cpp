#include "core/search/ItemListModel.h"

#include <algorithm>

#include "core/app/AppCore.h"
#include "core/app/Clock.h"
#include "core/search/ItemListTexts.h"
#include "core/search/ListedItemIDs.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/Site.h"

namespace {

using C = TItemListColumns;

// Date-times compare by their wall-clock value, as the listing shows them.
// Asking the time zone for every comparison would make sorting a large list
// crawl; an unset time sorts before every real one.
qint64 MomentKey(const QDateTime& t) {
  if (!t.isValid()) return 0;
  return t.date().toJulianDay() * 86400000LL + t.time().msecsSinceStartOfDay();
}

qint64 NumberKey(const QByteArray& text, qint64 empty, qint64 invalid) {
  if (text.isEmpty()) return empty;
  bool ok = false;
  const qint64 v = text.trimmed().toLongLong(&ok);
  return ok ? v : invalid;
}

bool IsTextColumn(int column) {
  switch (column) {
    case C::Title:
    case C::LocationInfo:
    case C::Seller:
    case C::HighBidder:
    case C::Location:
      return true;
    default:
      return false;
  }
}

// The sort key of a listing for a column: a number, or a text compared
// without regard to letter case.
const QString kNoText;

struct TSortKey {
  qint64 Number = 0;
  const QString* Text = &kNoText;
  qint64 End = 0;
};

TSortKey KeyOf(const TSimpleItem& item, int column) {
  TSortKey key;
  key.End = MomentKey(item.EndTime);
  const bool withShip = AppCore().Config.PriceWithShip;
  switch (column) {
    case C::Number:
      key.Number = NumberKey(item.ItemID(), 0, -1);
      break;
    case C::Title:
      key.Text = &item.Title;
      break;
    case C::Bids:
      key.Number = item.BidCount;
      break;
    case C::Price:
      key.Number = item.CurrentPrice + (withShip ? item.ShippingServiceCost : 0);
      break;
    case C::BuyItNow:
      key.Number = item.BuyItNowPrice + (withShip ? item.ShippingServiceCost : 0);
      break;
    case C::Shipping:
      key.Number = item.ShippingServiceCost;
      break;
    case C::Seller:
      key.Text = &item.Seller.UserID;
      break;
    case C::HighBidder:
      key.Text = &item.HighBidder.UserID;
      break;
    case C::LocationInfo:
    case C::Location:
      key.Text = &item.Location;
      break;
    case C::Picture:
      key.Number = item.HasPicture() ? 1 : 0;
      break;
    case C::State:
      key.Number = int(item.Condition);
      break;
    case C::Listed:
      key.Number = MomentKey(item.StartTime);
      break;
    case C::Category:
      key.Number = NumberKey(item.PrimaryCategoryID, 0, 0);
      break;
    default:  // the time columns, and those without a key of their own: end time
      key.Number = key.End;
      break;
  }
  return key;
}

int Sign(qint64 v) {
  return (v > 0) - (v < 0);
}

int CompareKeys(const TSortKey& a, const TSortKey& b, bool text,
                Qt::CaseSensitivity cs = Qt::CaseInsensitive) {
  int r = text ? Sign(QString::compare(*a.Text, *b.Text, cs)) : Sign(a.Number - b.Number);
  if (r == 0) r = Sign(a.End - b.End);
  return r;
}

}  // namespace

TItemListModel::TItemListModel(QObject* parent) : QAbstractItemModel(parent) {}

TItemListModel::~TItemListModel() = default;

void TItemListModel::UseListedStore(TListedItemIDs* store) {
  if (!store) {
    IsListed = nullptr;
    AddListed = nullptr;
    return;
  }
  IsListed = [store](const QByteArray& id) { return store->IsListed(QString::fromLatin1(id)); };
  AddListed = [store](const QByteArray& id) { store->AddListed(QString::fromLatin1(id)); };
}

void TItemListModel::SetCategoryLookup(const TCategoryLookup* lookup) {
  Lookup_ = lookup;
  PathCache_.clear();
}

// --- tree plumbing ---

TItemListModel::TRows& TItemListModel::Children(TItemListRow* parent) {
  return parent ? parent->Group->Children : Top_;
}

const TItemListModel::TRows& TItemListModel::Children(const TItemListRow* parent) const {
  return parent ? parent->Group->Children : Top_;
}

void TItemListModel::Renumber(TRows& rows, size_t from) {
  for (size_t i = from; i < rows.size(); ++i)
    rows[i]->Row = int(i);
}

TItemListRow* TItemListModel::Insert(TItemListRow* parent, std::unique_ptr<TItemListRow> row,
                                     bool notify) {
  TRows& rows = Children(parent);
  const int pos = int(rows.size());
  if (notify) beginInsertRows(IndexOfRow(parent), pos, pos);
  row->Parent = parent;
  row->Row = pos;
  TItemListRow* raw = row.get();
  rows.push_back(std::move(row));
  if (notify) endInsertRows();
  return raw;
}

bool TItemListModel::Contains(const TItemListRow* row) const {
  for (const TItemListRow* r = row; r; r = r->Parent) {
    const TRows& siblings = Children(r->Parent);
    if (r->Row < 0 || size_t(r->Row) >= siblings.size() || siblings[size_t(r->Row)].get() != r)
      return false;
  }
  return row != nullptr;
}

QModelIndex TItemListModel::IndexOfRow(const TItemListRow* row, int column) const {
  if (!row || !C::IsValid(column)) return QModelIndex();
  return createIndex(row->Row, column, const_cast<TItemListRow*>(row));
}

TItemListRow* TItemListModel::RowAt(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  return static_cast<TItemListRow*>(index.internalPointer());
}

TSimpleItem* TItemListModel::ItemAt(const QModelIndex& index) const {
  const TItemListRow* row = RowAt(index);
  return row && row->IsListing() ? row->Subject : nullptr;
}

void TItemListModel::ForEachRow(const std::function<void(TItemListRow& row)>& visit) const {
  std::function<void(const TRows&)> walk = [&](const TRows& rows) {
    for (const auto& r : rows) {
      visit(*r);
      if (r->Group) walk(r->Group->Children);
    }
  };
  walk(Top_);
}

// --- rows ---

void TItemListModel::AddItem(TSimpleItem* item) {
  if (!item) return;
  const QByteArray id = item->ItemID();
  if (Shown_.contains(id)) return;

  auto row = std::make_unique<TItemListRow>();
  row->Kind = TItemListRow::Listing;
  row->Subject = item;
  row->ListedBefore = IsListed && IsListed(id);
  TItemListRow* raw = row.get();
  Shown_.insert(id, raw);
  if (FilterRow) {
    Insert(nullptr, std::move(row), true);
    FilterRow(*raw);
    const QModelIndex first = IndexOfRow(raw, 0);
    Q_EMIT dataChanged(first, first.siblingAtColumn(C::kCount - 1));
  } else {
    Insert(ListMode_ != Flat ? GroupFor(*raw, true) : nullptr, std::move(row), true);
  }
  if (!raw->ListedBefore && AddListed) AddListed(id);
  Q_EMIT OnSortStateChange(true);
}

QModelIndex TItemListModel::FindRow(const QByteArray& itemID, int column) const {
  return IndexOfRow(RowOf(itemID), column);
}

TItemListRow* TItemListModel::RowOf(const QByteArray& itemID) const {
  TItemListRow* row = Shown_.value(itemID, nullptr);
  return row && row->Subject && row->Subject->ItemID() == itemID ? row : nullptr;
}

int TItemListModel::CountItems(const TItemListRow* row) const {
  if (row && row->IsListing()) return 0;
  int count = 0;
  for (const auto& child : Children(row))
    count += child->IsListing() ? 1 : CountItems(child.get());
  return count;
}

void TItemListModel::Forget(const TItemListRow& row) {
  if (row.IsListing()) {
    if (row.Subject) {
      auto it = Shown_.find(row.Subject->ItemID());
      if (it != Shown_.end() && it.value() == &row) Shown_.erase(it);
    }
    return;
  }
  if (row.Kind == TItemListRow::CategoryGroup) {
    auto it = CategoryGroups_.find(row.Group->CategoryID);
    if (it != CategoryGroups_.end() && it.value() == &row) CategoryGroups_.erase(it);
  } else {
    auto it = CaptionGroups_.find(row.Group->Caption);
    if (it != CaptionGroups_.end() && it.value() == &row) CaptionGroups_.erase(it);
  }
  for (const auto& child : row.Group->Children)
    Forget(*child);
}

bool TItemListModel::RemoveItem(TItemListRow* row) {
  if (!Contains(row)) return false;
  // A group that loses its last listing would linger as an empty header.
  while (row->Parent && row->Parent->ChildCount() == 1)
    row = row->Parent;
  Forget(*row);
  TItemListRow* parent = row->Parent;
  TRows& siblings = Children(parent);
  const int pos = row->Row;
  beginRemoveRows(IndexOfRow(parent), pos, pos);
  siblings.erase(siblings.begin() + pos);
  Renumber(siblings, size_t(pos));
  endRemoveRows();
  return true;
}

void TItemListModel::Clear() {
  beginResetModel();
  Top_.clear();
  Shown_.clear();
  CategoryGroups_.clear();
  CaptionGroups_.clear();
  PathCache_.clear();
  endResetModel();
}

void TItemListModel::ItemChanged(const QByteArray& itemID) {
  const QModelIndex first = FindRow(itemID, 0);
  if (first.isValid()) Q_EMIT dataChanged(first, first.siblingAtColumn(C::kCount - 1));
}

void TItemListModel::SetRowFilterState(TItemListRow* row, quint32 textColor, int filterColumn) {
  if (!row) return;
  row->TextColor = textColor;
  row->FilterColumn = filterColumn;
  const QModelIndex first = IndexOfRow(row, 0);
  Q_EMIT dataChanged(first, first.siblingAtColumn(C::kCount - 1));
}

QString TItemListModel::CellText(const TItemListRow& row, int column) const {
  if (row.IsGroup()) {
    if (column == C::Title) return row.Group->Caption;
    if (column == C::Left) return TItemListTexts::GroupCountText(CountItems(&row));
    return QString();
  }
  if (!row.Subject) return QString();
  return TItemListTexts::CellText(*row.Subject, column, QuarnClock::NowEBayOrLocal(), Locale_);
}

// --- grouping ---

int TItemListModel::SiteOf(const TSimpleItem& item) const {
  return item.Site ? item.Site->SiteID : SiteID_;
}

const QList<TCategoryLookup::TPathEntry>& TItemListModel::PathOf(int siteID,
                                                                 const QByteArray& categoryID) {
  // The tree is asked once per category: a large list holds many listings
  // of few categories, and the real tree answers from an XML document.
  const QByteArray key = QByteArray::number(siteID) + ':' + categoryID;
  auto it = PathCache_.find(key);
  if (it == PathCache_.end())
    it = PathCache_.insert(key, Lookup().CategoryPath(siteID, categoryID));
  return it.value();
}

TItemListRow* TItemListModel::MakeGroup(TItemListRow* parent, TItemListRow::TKind kind,
                                        const QString& caption, const QByteArray& categoryID,
                                        bool notify) {
  auto group = std::make_unique<TItemListRow>();
  group->Kind = kind;
  group->Group = std::make_unique<TItemListRow::TGroup>();
  group->Group->Caption = caption;
  group->Group->CategoryID = categoryID;
  TItemListRow* raw = Insert(parent, std::move(group), notify);
  if (kind == TItemListRow::CategoryGroup)
    CategoryGroups_.insert(categoryID, raw);
  else
    CaptionGroups_.insert(caption, raw);
  return raw;
}

TItemListRow* TItemListModel::GroupFor(const TItemListRow& row, bool notify) {
  if (!row.IsListing() || !row.Subject) return nullptr;
  const TSimpleItem& item = *row.Subject;
  switch (ListMode_) {
    case ByCategory: {
      const QByteArray& id = item.PrimaryCategoryID;
      if (id.isEmpty()) return nullptr;
      if (TItemListRow* group = CategoryGroups_.value(id, nullptr)) return group;
      QString caption = Lookup().CategoryCaption(SiteOf(item), id);
      if (caption.isEmpty()) caption = TItemListTexts::Lang("ILC_LEFT_ITEM_UNKNOWN");
      return MakeGroup(nullptr, TItemListRow::CategoryGroup, caption, id, notify);
    }
    case ByCategoryPath: {
      const QByteArray& id = item.PrimaryCategoryID;
      if (id.isEmpty()) return nullptr;
      TItemListRow* parent = nullptr;
      for (const TCategoryLookup::TPathEntry& level : PathOf(SiteOf(item), id)) {
        TItemListRow* group = CategoryGroups_.value(level.CategoryID, nullptr);
        if (!group)
          group = MakeGroup(parent, TItemListRow::CategoryGroup, level.Caption, level.CategoryID,
                            notify);
        parent = group;
      }
      return parent;
    }
    case ByListed: {
      const QString caption = TItemListTexts::Lang(row.ListedBefore ? "GROUP_MODE_LISTED_LISTED"
                                                                    : "GROUP_MODE_LISTED_NEW");
      if (TItemListRow* group = CaptionGroups_.value(caption, nullptr)) return group;
      return MakeGroup(nullptr, TItemListRow::CaptionGroup, caption, QByteArray(), notify);
    }
    default:
      return nullptr;
  }
}

void TItemListModel::SetListMode(int mode) {
  if (mode < Flat || mode > ByListed || mode == ListMode_) return;
  beginResetModel();
  // Take every listing row out of the tree in tree order; the group rows go.
  TRows listings;
  listings.reserve(Shown_.size());
  std::function<void(TRows&)> collect = [&](TRows& rows) {
    for (auto& r : rows) {
      if (r->IsListing())
        listings.push_back(std::move(r));
      else
        collect(r->Group->Children);
    }
  };
  collect(Top_);
  Top_.clear();
  CategoryGroups_.clear();
  CaptionGroups_.clear();
  ListMode_ = mode;
  Top_.reserve(mode == Flat ? listings.size() : 0);
  for (auto& r : listings) {
    TItemListRow* group = GroupFor(*r, false);
    Insert(group, std::move(r), false);
  }
  endResetModel();
  Q_EMIT ListModeChanged(mode);
}

// --- sorting ---

void TItemListModel::SetSortColumn(int column, bool ascending) {
  if (!C::IsValid(column)) return;
  Columns_.SortColumn = column;
  Columns_.SortAscending = ascending;
  Q_EMIT SortChanged(column, ascending);
}

void TItemListModel::HeaderClick(int column) {
  if (!C::IsValid(column)) return;
  SetSortColumn(column, column == SortColumn() ? !SortAscending() : true);
  SortNow();
}

int TItemListModel::CompareRows(const TItemListRow& a, const TItemListRow& b, int column) const {
  if (a.IsGroup() && b.IsGroup()) return Sign(qint64(CountItems(&b)) - CountItems(&a));
  if (a.IsGroup() || b.IsGroup() || !a.Subject || !b.Subject) return 0;
  return CompareKeys(KeyOf(*a.Subject, column), KeyOf(*b.Subject, column), IsTextColumn(column));
}

void TItemListModel::SortLevel(TRows& rows, int column, bool ascending) {
  struct TEntry {
    TItemListRow* Row;
    TSortKey Key;
    int Count;
  };
  const bool text = IsTextColumn(column);
  std::vector<TEntry> listings, groups;
  std::vector<bool> groupSlot(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    TItemListRow* r = rows[i].get();
    if (r->IsGroup()) {
      SortLevel(r->Group->Children, column, ascending);
      groups.push_back({r, {}, CountItems(r)});
      groupSlot[i] = true;
    } else {
      listings.push_back({r, r->Subject ? KeyOf(*r->Subject, column) : TSortKey(), 0});
    }
  }
  // Texts are folded once up front: comparing folded texts exactly is many
  // times faster than folding both sides in each of the n log n comparisons.
  std::vector<QString> folded;
  if (text) {
    folded.reserve(listings.size());
    for (TEntry& e : listings) {
      folded.push_back(e.Key.Text->toCaseFolded());
      e.Key.Text = &folded.back();
    }
  }
  const int dir = ascending ? 1 : -1;
  std::stable_sort(listings.begin(), listings.end(), [&](const TEntry& a, const TEntry& b) {
    return dir * CompareKeys(a.Key, b.Key, text, Qt::CaseSensitive) < 0;
  });
  std::stable_sort(groups.begin(), groups.end(),
                   [&](const TEntry& a, const TEntry& b) { return dir * (b.Count - a.Count) < 0; });
  // A group row and a listing row compare equal, so neither kind moves past
  // the other: groups are ordered among the places groups held, listings
  // among theirs.
  TRows sorted(rows.size());
  size_t g = 0, l = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    TItemListRow* r = groupSlot[i] ? groups[g++].Row : listings[l++].Row;
    sorted[i].reset(r);
  }
  for (auto& r : rows)
    (void)r.release();
  rows = std::move(sorted);
  Renumber(rows);
}

void TItemListModel::SortNow() {
  const int column = SortColumn();
  const bool ascending = SortAscending();
  // A layout change, not a reset: the view keeps its selection, focus and
  // open groups across a sort.
  Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<std::pair<TItemListRow*, int>> where;
  where.reserve(size_t(before.size()));
  for (const QModelIndex& i : before)
    where.emplace_back(RowAt(i), i.column());
  SortLevel(Top_, column, ascending);
  QModelIndexList after;
  after.reserve(before.size());
  for (const auto& [row, col] : where)
    after << IndexOfRow(row, col);
  changePersistentIndexList(before, after);
  Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  Q_EMIT OnSortStateChange(false);
}

// --- columns ---

void TItemListModel::SaveColumns(TIniFile& ini) const {
  Columns_.Save(ini);
}

void TItemListModel::LoadColumns(const TIniFile& ini) {
  Columns_.Load(ini);
  Q_EMIT headerDataChanged(Qt::Horizontal, 0, C::kCount - 1);
  Q_EMIT SortChanged(Columns_.SortColumn, Columns_.SortAscending);
}

// --- QAbstractItemModel ---

QModelIndex TItemListModel::index(int row, int column, const QModelIndex& parent) const {
  if (!C::IsValid(column) || row < 0 || (parent.isValid() && parent.column() != 0))
    return QModelIndex();
  const TItemListRow* p = RowAt(parent);
  if (p && !p->Group) return QModelIndex();
  const TRows& rows = Children(p);
  if (size_t(row) >= rows.size()) return QModelIndex();
  return createIndex(row, column, rows[size_t(row)].get());
}

QModelIndex TItemListModel::parent(const QModelIndex& child) const {
  const TItemListRow* r = RowAt(child);
  if (!r || !r->Parent) return QModelIndex();
  return createIndex(r->Parent->Row, 0, r->Parent);
}

int TItemListModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return int(Top_.size());
  if (parent.column() != 0) return 0;
  const TItemListRow* p = RowAt(parent);
  return p ? p->ChildCount() : 0;
}

int TItemListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() && parent.column() != 0 ? 0 : C::kCount;
}

bool TItemListModel::hasChildren(const QModelIndex& parent) const {
  return rowCount(parent) > 0;
}

Qt::ItemFlags TItemListModel::flags(const QModelIndex& index) const {
  const TItemListRow* r = RowAt(index);
  if (!r) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (r->IsListing()) f |= Qt::ItemNeverHasChildren;
  return f;
}

QVariant TItemListModel::data(const QModelIndex& index, int role) const {
  const TItemListRow* r = RowAt(index);
  if (!r) return QVariant();
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return CellText(*r, column);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(
          int((C::Def(column).RightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    case KindRole:
      return int(r->Kind);
    case ItemIDRole:
      return r->Subject ? QVariant(r->Subject->ItemID()) : QVariant();
    case ListedBeforeRole:
      return r->ListedBefore;
    case FilterColumnRole:
      return r->FilterColumn;
    case BackgroundColorRole:
      if (r->IsGroup()) return kGroupBackground;
      if (r->Row % 2 == 1) return kOddBackground;
      return QVariant();
    default:
      break;
  }
  if (!r->IsListing() || !r->Subject) return QVariant();
  const QByteArray& id = r->Subject->ItemID();
  switch (role) {
    case TextColorRole: {
      // Watched beats viewed; both beat a filter's highlight.
      if (IsFavorite && IsFavorite(id)) return kWatchedColor;
      if (IsViewed && IsViewed(id)) return kViewedColor;
      return r->TextColor ? QVariant(r->TextColor) : QVariant();
    }
    case BoldRole:
      if (r->ListedBefore || (IsViewed && IsViewed(id))) return false;
      return column == C::Title || AppCore().Config.BoldLine;
    case FrameColorRole:
      return column == r->FilterColumn ? QVariant(kFilterFrameColor) : QVariant();
    case ImageIndexRole:
      if (column == C::Picture) return r->Subject->HasPicture() ? QVariant(0) : QVariant();
      if (column == C::State) {
        if (r->Subject->Condition == TItemCondition::New) return 1;
        if (r->Subject->Condition == TItemCondition::Used) return 2;
      }
      return QVariant();
    default:
      return QVariant();
  }
}

QVariant TItemListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || !C::IsValid(section)) return QVariant();
  switch (role) {
    case Qt::DisplayRole:
      return TItemListTexts::Lang(C::Def(section).CaptionKey);
    case Qt::ToolTipRole:
      return TItemListTexts::Lang(C::Def(section).HintKey);
    case Qt::InitialSortOrderRole:
      return int(Qt::AscendingOrder);
    default:
      return QVariant();
  }
}
