// Tests of the CP932-aware string helpers and the text file reader.
#include "script/QuilString.h"

#include <array>

#include "script/QuilFileAccess.h"
#include "tests/TestSupport.h"

namespace {

TStringArray SplitOf(const std::string& s, const std::string& sep) {
  TStringArray parts{"untouched"};
  TQuilString::Split(s, sep, parts);
  return parts;
}

}  // namespace

TEST(Split, KeepsEmptyPartsAndAlwaysGivesOnePart) {
  EXPECT_EQ(SplitOf("a b", " "), (TStringArray{"a", "b"}));
  EXPECT_EQ(SplitOf("a  b", " "), (TStringArray{"a", "", "b"}));
  EXPECT_EQ(SplitOf("", " "), (TStringArray{""}));
  EXPECT_EQ(SplitOf("a//", "//"), (TStringArray{"a", ""}));
  EXPECT_EQ(SplitOf("one\r\n\r\nthree", "\r\n"), (TStringArray{"one", "", "three"}));
}

TEST(Split, ALoneLeadByteAtTheEndIsACharacterOfItsOwn) {
  // 0x82 is a lead byte with nothing after it: it must not take the separator with it.
  EXPECT_EQ(SplitOf("\x82", " "), (TStringArray{"\x82"}));
  EXPECT_EQ(SplitOf("a b\x82", " "), (TStringArray{"a", "b\x82"}));
  EXPECT_EQ(SplitOf("能 \x82", " "), (TStringArray{"能", "\x82"}));
  EXPECT_EQ(SplitOf("one\r\ntwo\x82", "\r\n"), (TStringArray{"one", "two\x82"}));
}

TEST(Split, EmptySeparatorLeavesPartsAsTheyWere) { EXPECT_EQ(SplitOf("a b", ""), (TStringArray{"untouched"})); }

TEST(Split, NeverMatchesInsideADoubleByteCharacter) {
  // ソ is 0x83 0x5C: its second byte is a backslash. 　 (full-width space) is 0x81 0x40: "@".
  EXPECT_EQ(SplitOf("ソ\\x", "\\"), (TStringArray{"ソ", "x"}));
  EXPECT_EQ(SplitOf("表能", "\\"), (TStringArray{"表能"}));
  EXPECT_EQ(SplitOf("　@a", "@"), (TStringArray{"　", "a"}));
}

TEST(FindAndSameText, AreCharacterAware) {
  EXPECT_EQ(TQuilString::Find("ソ\\", "\\"), 2u);
  EXPECT_EQ(TQuilString::Find("ソ", "\\"), std::string::npos);
  EXPECT_TRUE(TQuilString::SameText("#GoTo", "#goto"));
  EXPECT_FALSE(TQuilString::SameText("#goto", "#got"));
  // Only single-byte letters fold: full-width letters compare exactly.
  EXPECT_FALSE(TQuilString::SameText("ａ", "Ａ"));
}

TEST(LeftRightText, CutByBytesAndStopAtTheEnds) {
  EXPECT_EQ(TQuilString::LeftText("abcdef", 2), "ab");
  EXPECT_EQ(TQuilString::LeftText("abc", 10), "abc");
  EXPECT_EQ(TQuilString::RightText("abcdef", 2), "ef");
  EXPECT_EQ(TQuilString::RightText("abc", 10), "abc");
  EXPECT_EQ(TQuilString::LeftText("abc", 0), "");
}

class InTextSetTest : public testing::Test {
 protected:
  ScratchDir dir;
  std::array<std::string, 4> table;
  int count = -1;
  std::string result;

  void Read(const std::string& name) { TQuilFileAccess::InTextSet(name, table, count, result); }
};

TEST_F(InTextSetTest, MissingFileLeavesCountAlone) {
  count = 7;
  Read(dir.File("nothing.txt"));
  EXPECT_EQ(U8(result), U8("【エラー】存在しないファイル：" + dir.File("nothing.txt")));
  EXPECT_EQ(count, 7);
}

TEST_F(InTextSetTest, CrLfAndLfFilesGiveTheSameLines) {
  Read(dir.Write("crlf.txt", "one\r\ntwo\r\n"));
  EXPECT_EQ(result, "【成功】");
  ASSERT_EQ(count, 2) << "a line end at the very end must not add an empty line";
  EXPECT_EQ(table[0], "one");
  EXPECT_EQ(table[1], "two");
  Read(dir.Write("lf.txt", "one\ntwo"));
  ASSERT_EQ(count, 2) << "a last line without a line end is read like any other";
  EXPECT_EQ(table[1], "two");
}

TEST_F(InTextSetTest, LoneCarriageReturnIsDroppedAndCtrlZEndsTheFile) {
  Read(dir.Write("odd.txt", std::string("a\rb\r\n\r\nafter\x1Aignored\nmore\n")));
  EXPECT_EQ(result, "【成功】");
  ASSERT_EQ(count, 3);
  EXPECT_EQ(table[0], "ab");
  EXPECT_EQ(table[1], "");
  EXPECT_EQ(table[2], "after");
}

TEST_F(InTextSetTest, EmptyFileIsZeroLines) {
  Read(dir.Write("empty.txt", ""));
  EXPECT_EQ(result, "【成功】");
  EXPECT_EQ(count, 0);
}

TEST_F(InTextSetTest, FullTableReadsButOneMoreLineFails) {
  Read(dir.Write("four.txt", "1\n2\n3\n4\n"));
  EXPECT_EQ(result, "【成功】");
  EXPECT_EQ(count, 4);
  Read(dir.Write("five.txt", "1\n2\n3\n4\n5\n"));
  EXPECT_EQ(U8(result), U8("【エラー】【TQuilFileAccess.InTextSet】" + dir.File("five.txt")));
  EXPECT_EQ(count, 4) << "the count keeps the lines read so far";
}

TEST_F(InTextSetTest, GameFileNamesUseBackslashes) {
  std::filesystem::create_directories(dir.File("dat"));
  dir.Write("dat/x.txt", "hello\r\n");
  Read(dir.File("dat") + "\\x.txt");
  EXPECT_EQ(result, "【成功】");
  EXPECT_EQ(table[0], "hello");
}
