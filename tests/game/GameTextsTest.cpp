// GameTextsTest -- the game's texts fit their views and have the lengths the game promises.
#include <gtest/gtest.h>

#include "game/GameTexts.h"
#include "platform/TextCodec.h"
#include "script/QuilString.h"

namespace {

TStringArray LinesOf(const char* text) {
  TStringArray lines;
  TQuilString::Split(text, "\r\n", lines);
  return lines;
}

// Every line fits the description view, and none is empty by a stray line break.
void ExpectFits(const std::string& title, const char* text) {
  for (const std::string& line : LinesOf(text)) {
    EXPECT_LE(static_cast<int>(line.size()), DescriptionLineBytes)
        << Platform::Cp932ToUtf8(title) << ": too wide: " << Platform::Cp932ToUtf8(line);
    EXPECT_FALSE(line.empty()) << Platform::Cp932ToUtf8(title) << " has an empty line";
  }
}

}  // namespace

TEST(GameTexts, CatalogueHasEveryItemWithItsLineCount) {
  const std::pair<const char*, size_t> expected[] = {
      {"【芭蕉扇】", 5},    {"【りんご】", 2},   {"【石ころ】", 2},   {"【ボッシュ】", 17}, {"【セレナ】", 13},
      {"【フィア】", 13},   {"【やわい鎧】", 3}, {"【かたい盾】", 3}, {"【草薙の剣】", 4},  {"【船】", 17},
      {"【フィア姫】", 18}, {"【銅弾×９】", 4},  {"【銀弾×１】", 10}, {"【☆メテオ】", 7},
  };
  ASSERT_EQ(std::size(expected), ItemCatalogue.size());
  for (size_t i = 0; i < ItemCatalogue.size(); ++i) {
    std::string name = ItemCatalogue[i].Name;
    EXPECT_EQ(name, expected[i].first) << "entry " << i << " is " << Platform::Cp932ToUtf8(name);
    EXPECT_EQ(LinesOf(ItemCatalogue[i].Description).size(), expected[i].second) << Platform::Cp932ToUtf8(name);
    ExpectFits(name, ItemCatalogue[i].Description);
  }
}

TEST(GameTexts, ArmourAndShieldEndWithTheirRule) {
  for (const TCatalogueEntry& entry : ItemCatalogue) {
    std::string name = entry.Name;
    if (name != ArmourItem && name != ShieldItem) continue;
    std::string last = LinesOf(entry.Description).back();
    EXPECT_NE(TQuilString::Find(last, "ダメージ"), std::string::npos) << Platform::Cp932ToUtf8(name);
  }
}

TEST(GameTexts, DescriptionViewsHaveTheirLineCounts) {
  EXPECT_EQ(LinesOf(InfoText).size(), 14u);
  EXPECT_EQ(LinesOf(SelfText).size(), 16u);
  EXPECT_EQ(LinesOf(DecodeText).size(), 11u);
  ExpectFits(CaptionInfo, InfoText);
  ExpectFits(CaptionSelf, SelfText);
  ExpectFits(CaptionDecode, DecodeText);
}

TEST(GameTexts, CopperBulletNamesCarryTheirCountInFullWidth) {
  EXPECT_EQ(CopperBulletNames[0], "【銅弾×０】");
  EXPECT_EQ(CopperBulletNames[9], "【銅弾×９】");
  for (int k = 0; k < 10; ++k) {
    // Full-width digits are 0x82 0x4F .. 0x82 0x58 in CP932.
    EXPECT_EQ(static_cast<unsigned char>(CopperBulletNames[k][9]), 0x4F + k) << "count " << k;
  }
}
