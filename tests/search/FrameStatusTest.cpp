#include "core/search/FrameStatus.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameStatus, CounterPanelsAreEmptyUntilThereIsSomethingToCount) {
  TFrameStatus idle;
  EXPECT_EQ(idle.CounterPanelTexts(), QStringList({{}, {}, {}, {}}));
  EXPECT_EQ(idle.ListProgress, -1);

  TFrameStatus running;
  running.FirstPage = 6;
  running.LastPage = 0;
  running.TotalPages = 12;
  running.ListedCount = 250;
  running.TotalItems = -1;
  EXPECT_EQ(
      running.CounterPanelTexts(),
      QStringList({QStringLiteral("6 - 0"), QStringLiteral("12"), QStringLiteral("250"), {}}));
}

}  // namespace
