// Tests of the overflow-checked arithmetic and decimal parsing used by the game rules.
#include "script/Checked.h"

#include <climits>

#include "tests/TestSupport.h"

TEST(Checked, ArithmeticThrowsOnOverflowOnly) {
  EXPECT_EQ(Checked::Add(2, 3), 5);
  EXPECT_EQ(Checked::Sub(INT32_MIN + 1, 1), INT32_MIN);
  EXPECT_EQ(Checked::Mul(-4, 5), -20);
  EXPECT_THROW(Checked::Add(INT32_MAX, 1), std::overflow_error);
  EXPECT_THROW(Checked::Sub(INT32_MIN, 1), std::overflow_error);
  EXPECT_THROW(Checked::Mul(1 << 16, 1 << 16), std::overflow_error);
}

TEST(Checked, StrToIntAcceptsASignAndDigitsOnly) {
  EXPECT_EQ(Checked::StrToInt("42"), 42);
  EXPECT_EQ(Checked::StrToInt("-5"), -5);
  EXPECT_EQ(Checked::StrToInt("+7"), 7);
  EXPECT_EQ(Checked::StrToInt("007"), 7);
  EXPECT_EQ(Checked::StrToInt("-2147483648"), INT32_MIN);
  for (const char* bad : {"", "-", "abc", "3x", " 3", "3 ", "2147483648", "1e3", "３"}) {
    EXPECT_THROW(Checked::StrToInt(bad), std::invalid_argument) << "'" << U8(bad) << "' must be refused";
  }
  try {
    Checked::StrToInt("abc");
  } catch (const std::invalid_argument& e) {
    EXPECT_NE(std::string(e.what()).find("'abc'"), std::string::npos) << "the message quotes the text";
  }
}

TEST(Checked, IndexOutsideTheTableThrows) {
  EXPECT_NO_THROW(Checked::CheckIndex(9, 10));
  EXPECT_THROW(Checked::CheckIndex(10, 10), std::out_of_range);
  EXPECT_THROW(Checked::CheckIndex(-1, 10), std::out_of_range);
}
