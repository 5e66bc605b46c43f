#include "core/search/SearchSequences.h"

#include <gtest/gtest.h>

namespace {

TEST(SearchSequences, PageRangesOfEverySequence) {
  using R = QList<QPair<int, int>>;
  EXPECT_EQ(SequencePageRanges(12, 5), (R{{1, 5}, {6, 10}, {11, 12}}));
  EXPECT_EQ(SequencePageRanges(5, 5), (R{{1, 5}}));
  EXPECT_EQ(SequencePageRanges(1, 5), (R{{1, 1}}));
  EXPECT_EQ(SequencePageRanges(0, 5), R());
  EXPECT_EQ(SequencePageRanges(3, 0), R());
  EXPECT_EQ(SequenceFirstPage(3, 5), 11);
}

}  // namespace
