#pragma once

#include <QList>
#include <QPair>

// A search shows its result pages in sequences of SequenceSize pages. The
// page ranges of all sequences of a search: (first, last) for each, in order.
// TotalPages 12 with SequenceSize 5 gives 1-5, 6-10, 11-12.
QList<QPair<int, int>> SequencePageRanges(int totalPages, int sequenceSize);

// The first page of sequence n (counted from 1).
inline int SequenceFirstPage(int n, int sequenceSize) {
  return (n - 1) * sequenceSize + 1;
}
