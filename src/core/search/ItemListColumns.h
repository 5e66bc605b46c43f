#pragma once

#include <QString>
#include <array>

class TIniFile;

// The 17 columns of a result list: what each one is (caption, hint, initial
// place and width) and how the user left them (width, display position,
// visibility, sort column and direction). The column index is fixed: saved
// settings and cell texts use it, whatever order the user dragged them into.
class TItemListColumns {
 public:
  static constexpr int kCount = 17;

  enum Index {
    Number = 0,
    Title = 1,
    Bids = 2,
    Price = 3,
    BuyItNow = 4,
    Left = 5,
    Dest = 6,
    LocationInfo = 7,
    Shipping = 8,
    Seller = 9,
    HighBidder = 10,
    End = 11,
    Location = 12,
    Picture = 13,
    State = 14,
    Listed = 15,
    Category = 16,
  };

  struct TDef {
    const char* CaptionKey;
    const char* HintKey;
    int Order;  // initial display position
    int Width;
    int MinWidth;
    int MaxWidth;  // 0: no limit of its own
    bool Visible;
    bool RightAligned;
    bool InfoBackground;
  };

  struct TColumn {
    int Width = 0;
    int Position = 0;  // display position, 0 = leftmost
    bool Visible = true;
  };

  // The settings section the columns live in.
  static const QString& Section();
  static const TDef& Def(int column);
  static bool IsValid(int column) { return column >= 0 && column < kCount; }
  // Widths are kept inside the column's own limits and a sane maximum, so a
  // hand-edited or broken settings file cannot make a column vanish or explode.
  static int ClampWidth(int column, int width);

  TItemListColumns();  // the initial layout

  std::array<TColumn, kCount> Columns;
  int SortColumn = Left;
  bool SortAscending = true;

  // Writes "<i>.Width", "<i>.Position", "<i>.Visible" for every column, then
  // "SortColumn" and "SortAsc", into section "ItemList".
  void Save(TIniFile& ini) const;
  // Reads the same keys with the current values as defaults; a column the
  // user showed comes back shown, also one that starts hidden. Positions that do not form a proper
  // order are put in order again (ties keep the column order), unknown sort columns are ignored.
  void Load(const TIniFile& ini);

  // The column indexes in display order.
  std::array<int, kCount> DisplayOrder() const;
  // Moves a column to a display position, shifting the others.
  void MoveTo(int column, int position);

 private:
  void NormalizePositions();
};
