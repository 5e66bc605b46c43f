#include "core/search/SearchSequences.h"

#include <QtGlobal>

QList<QPair<int, int>> SequencePageRanges(int totalPages, int sequenceSize) {
  QList<QPair<int, int>> ranges;
  if (totalPages <= 0 || sequenceSize <= 0) return ranges;
  const int count = (totalPages + sequenceSize - 1) / sequenceSize;
  for (int i = 0; i < count; ++i)
    ranges.append({i * sequenceSize + 1, qMin(totalPages, (i + 1) * sequenceSize)});
  return ranges;
}
