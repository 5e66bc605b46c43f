#pragma once

#include <QString>
#include <QStringList>

// What a search tab is doing, shown by the main window's status bar once a
// second for the visible tab.
struct TFrameStatus {
  QString StatusText;
  int ListProgress = -1;     // finished search-page requests in percent, -1 idle
  int DetailsProgress = -1;  // finished detail requests in percent, -1 idle
  int ImageProgress = -1;    // finished gallery pictures in percent, -1 idle
  int FirstPage = 0;         // first result page of the shown sequence
  int LastPage = 0;          // last result page received so far
  int ListedCount = 0;       // listings in the tab's list
  int TotalPages = 0;        // result pages of the whole search
  int TotalItems = 0;        // matching listings of the whole search

  // The texts of status panels 4 to 7: "first - last" (empty when both are 0
  // or less), total pages, listed count, total items (each empty when 0 or less).
  QStringList CounterPanelTexts() const;

  bool operator==(const TFrameStatus&) const = default;
};
