#include <gtest/gtest.h>
#include "script/QuilString.h"
TEST(Split, Blank) { TStringArray p; TQuilString::Split("a b", " ", p); EXPECT_EQ(p.size(), 2u); }
