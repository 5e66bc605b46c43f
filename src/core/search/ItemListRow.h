#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

class TSimpleItem;

// One row of a result list: a listing, or a group header above listings.
// Listing rows only point at their listing (the tab's listing list owns it);
// a group row owns its caption, its category id and its child rows.
struct TItemListRow {
  enum TKind : quint8 { Listing = 0, CategoryGroup = 1, CaptionGroup = 2 };

  // The group part, kept apart so a listing row stays small: a search can
  // show a hundred thousand of them.
  struct TGroup {
    QString Caption;
    QByteArray CategoryID;  // category groups only
    std::vector<std::unique_ptr<TItemListRow>> Children;
  };

  quint32 TextColor = 0;  // 0: the list's font colour; else 0xAARRGGBB
  TKind Kind = Listing;
  bool ListedBefore = false;  // the number was known when the row was made
  qint32 FilterColumn = -1;   // column in which a filter rule matched, -1: none
  int Row = 0;                // position among its siblings
  TItemListRow* Parent = nullptr;
  TSimpleItem* Subject = nullptr;  // listing rows
  std::unique_ptr<TGroup> Group;   // group rows

  bool IsListing() const { return Kind == Listing; }
  bool IsGroup() const { return Kind != Listing; }
  int ChildCount() const { return Group ? int(Group->Children.size()) : 0; }
  TItemListRow* Child(int i) const { return Group->Children[size_t(i)].get(); }
};
