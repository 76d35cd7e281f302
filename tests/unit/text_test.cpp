#include <gtest/gtest.h>

#include "common/text.h"

TEST(Text, Placeholder) { EXPECT_EQ(merrowin::StrToInt("42"), 42); }
