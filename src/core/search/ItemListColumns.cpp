#include "core/search/ItemListColumns.h"

#include <algorithm>

#include "core/app/IniFile.h"

namespace {

// clang-format off
const TItemListColumns::TDef kDefs[TItemListColumns::kCount] = {
  // caption key            hint key              order width min max  visible right  info
  {"ILC_NUMBER_CAPTION", "ILC_NUMBER_HINT",     0,   10,  10,   0, false, false, false},
  {"ILC_TITLE_CAPTION",  "ILC_TITLE_HINT",      5,  250,  10,   0, true,  false, false},
  {"ILC_BIDS_CAPTION",   "ILC_BIDS_HINT",       6,   50,  10,   0, true,  false, false},
  {"ILC_PRICE_CAPTION",  "ILC_PRICE_HINT",      7,   80,  10,   0, true,  true,  false},
  {"ILC_BIN_CAPTION",    "ILC_BIN_HINT",        8,   80,  10,   0, true,  true,  false},
  {"ILC_LEFT_CAPTION",   "ILC_LEFT_HINT",      10,  110,  10,   0, true,  false, false},
  {"ILC_DEST_CAPTION",   "ILC_DEST_HINT",       1,   50,  10,   0, false, false, true},
  {"ILC_LOC_CAPTION",    "ILC_LOC_HINT",        2,  100,  10,   0, false, false, true},
  {"ILC_SHIP_CAPTION",   "ILC_SHIP_HINT",       9,   50,  10,   0, true,  true,  false},
  {"ILC_SELLER_CAPTION", "ILC_SELLER_HINT",    11,  100,  10,   0, true,  false, false},
  {"ILC_HBID_CAPTION",   "ILC_HBID_HINT",      12,  100,  10,   0, true,  false, false},
  {"ILC_END_CAPTION",    "ILC_END_HINT",       14,   85,  10,   0, true,  false, false},
  {"ILC_LOC_CAPTION",    "ILC_LOC_HINT",       15,  100,  10,   0, true,  false, false},
  {"ILC_PIC_CAPTION",    "ILC_PIC_HINT",        3,   22,  22,  50, true,  false, false},
  {"ILC_STATE_CAPTION",  "ILC_STATE_HINT",      4,   23,  23, 100, true,  false, false},
  {"ILC_LISTED_CAPTION", "ILC_LISTED_HINT",    13,   85,  10,   0, true,  false, false},
  {"ILC_CAT_CAPTION",    "ILC_CAT_HINT",       16,  100,  10,   0, false, false, false},
};
// clang-format on

// No screen is this wide; anything larger comes from a broken file.
constexpr int kMaxWidth = 4000;

QString Key(int column, const char* suffix) {
  return QString::number(column) + QLatin1String(suffix);
}

}  // namespace

const QString& TItemListColumns::Section() {
  static const QString section = QStringLiteral("ItemList");
  return section;
}

const TItemListColumns::TDef& TItemListColumns::Def(int column) {
  return kDefs[IsValid(column) ? column : 0];
}

int TItemListColumns::ClampWidth(int column, int width) {
  const TDef& def = Def(column);
  const int max = def.MaxWidth > 0 ? def.MaxWidth : kMaxWidth;
  return std::clamp(width, def.MinWidth, max);
}

TItemListColumns::TItemListColumns() {
  for (int i = 0; i < kCount; ++i) {
    Columns[size_t(i)].Width = kDefs[i].Width;
    Columns[size_t(i)].Position = kDefs[i].Order;
    Columns[size_t(i)].Visible = kDefs[i].Visible;
  }
}

void TItemListColumns::Save(TIniFile& ini) const {
  const QString& s = Section();
  for (int i = 0; i < kCount; ++i) {
    const TColumn& c = Columns[size_t(i)];
    ini.WriteInteger(s, Key(i, ".Width"), c.Width);
    ini.WriteInteger(s, Key(i, ".Position"), c.Position);
    ini.WriteBool(s, Key(i, ".Visible"), c.Visible);
  }
  ini.WriteInteger(s, QStringLiteral("SortColumn"), SortColumn);
  ini.WriteBool(s, QStringLiteral("SortAsc"), SortAscending);
}

void TItemListColumns::Load(const TIniFile& ini) {
  const QString& s = Section();
  for (int i = 0; i < kCount; ++i) {
    TColumn& c = Columns[size_t(i)];
    c.Width = ClampWidth(i, ini.ReadInteger(s, Key(i, ".Width"), c.Width));
    c.Position = ini.ReadInteger(s, Key(i, ".Position"), c.Position);
    c.Visible = ini.ReadBool(s, Key(i, ".Visible"), c.Visible);
  }
  NormalizePositions();
  const int sortColumn = ini.ReadInteger(s, QStringLiteral("SortColumn"), SortColumn);
  if (IsValid(sortColumn)) SortColumn = sortColumn;
  SortAscending = ini.ReadBool(s, QStringLiteral("SortAsc"), true);
}

std::array<int, TItemListColumns::kCount> TItemListColumns::DisplayOrder() const {
  std::array<int, kCount> order;
  for (int i = 0; i < kCount; ++i)
    order[size_t(i)] = i;
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return Columns[size_t(a)].Position < Columns[size_t(b)].Position;
  });
  return order;
}

void TItemListColumns::NormalizePositions() {
  const auto order = DisplayOrder();
  for (int p = 0; p < kCount; ++p)
    Columns[size_t(order[size_t(p)])].Position = p;
}

void TItemListColumns::MoveTo(int column, int position) {
  if (!IsValid(column)) return;
  position = std::clamp(position, 0, kCount - 1);
  auto order = DisplayOrder();
  auto it = std::find(order.begin(), order.end(), column);
  std::array<int, kCount> moved;
  int n = 0;
  for (auto o = order.begin(); o != order.end(); ++o)
    if (o != it) moved[size_t(n++)] = *o;
  // moved now holds kCount - 1 columns; make room at position.
  for (int i = kCount - 1; i > position; --i)
    moved[size_t(i)] = moved[size_t(i - 1)];
  moved[size_t(position)] = column;
  for (int p = 0; p < kCount; ++p)
    Columns[size_t(moved[size_t(p)])].Position = p;
}
