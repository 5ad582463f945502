// UnitPaintText -- the text layers over every backdrop: status lines, scenario lines, message
// log, description view and the game-over overlay.
#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "game/UnitMain.h"
#include "paint/Tint.h"
#include "paint/UnitPaintDraw.h"

using Platform::fsBold;

namespace {

// Texts built every frame reuse one buffer, so a frame allocates nothing for them.
std::string& TextBuffer() {
  static std::string text = [] {
    std::string s;
    s.reserve(64);
    return s;
  }();
  return text;
}

void AppendNumber(std::string& text, int32_t value) {
  char digits[16];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  (void)ec;
  text.append(digits, end);
}

const TPixel MessageOrange = MakePixel(255, 127, 0);

}  // namespace

void DrawStatus() {
  std::string& text = TextBuffer();
  SetScreenFont("ＭＳ ゴシック", 15, 0, MakePixel(255, 255, 0));
  text = "ＨＰ：";
  AppendNumber(text, HP);
  text += "／";
  AppendNumber(text, MaxHP);
  ScreenBmp->TextOut(10, 10, text);
  SetScreenFont("ＭＳ ゴシック", 15, 0, MakePixel(0, 255, 0));
  text = "理力：";
  AppendNumber(text, IdeaPower);
  ScreenBmp->TextOut(10, 30, text);
  SetScreenFont("ＭＳ ゴシック", 15, 0, MakePixel(255, 0, 0));
  const int count = std::clamp<int32_t>(ItemCount, 0, MaxItems);
  for (int i = 0; i < count; ++i) ScreenBmp->TextOut(280, 10 + 20 * i, Items[i]);
}

void DrawScriptLines() {
  SetScreenFont(ScriptLineFont, ScriptLineFontHeight, 0, PixelWhite);
  const int count = std::clamp<int32_t>(ScriptLineCount, 0, MaxScriptLines);
  for (int i = 0; i < count; ++i) ScreenBmp->TextOut(ScriptLineLeft, 250 + 20 * i, ScriptLines[i]);
}

int MessageLeft(const std::string& text) {
  // Centred by bytes at half the font height each, as a fixed-pitch face would set it.
  const int64_t length = static_cast<int64_t>(text.size());
  return static_cast<int>((400 - (length * 15) / 2) / 2);
}

void DrawMessageLog() {
  SetScreenFont("ＭＳ ゴシック", 15, 0, MessageOrange);
  const int count = std::clamp<int32_t>(MessageCount, 0, MaxMessages);
  for (int i = 0; i < count; ++i) ScreenBmp->TextOut(MessageLeft(Messages[i]), 340 + 20 * i, Messages[i]);
  if (count >= 1) {
    JitterHLines(MessageOrange, 330, 3);
    JitterHLines(MessageOrange, 345 + 20 * count, 3);
  }
}

void DrawDescription() {
  if (DescriptionTitle.empty()) return;
  // The second, smaller pass leaves a lighter 5-pixel frame around a stronger tint.
  TintSquare(*ScreenBmp, TTint::Green, 15, 384);
  TintSquare(*ScreenBmp, TTint::Green, 20, 379);
  SetScreenFont("ＭＳ ゴシック", 15, fsBold, PixelWhite);
  ScreenBmp->TextOut(25, 25, DescriptionTitle);
  SetScreenFont("ＭＳ ゴシック", 12, fsBold, PixelWhite);
  // As many lines as the view holds; the canvas is the only limit.
  for (size_t i = 0; i < DescriptionLines.size(); ++i) {
    const int64_t y = 55 + 15 * static_cast<int64_t>(i);
    if (y >= CanvasSize) break;  // the rest lies below the canvas
    ScreenBmp->TextOut(25, static_cast<int>(y), DescriptionLines[i]);
  }
}

void DrawGameOver() {
  if (HP > 0) return;
  TintSquare(*ScreenBmp, TTint::Red, 0, CanvasSize - 1);  // everything turns dark red
  JitterHLines(PixelWhite, 160, 20);
  JitterHLines(PixelWhite, 160, 20);
  JitterHLines(PixelWhite, 240, 20);
  JitterHLines(PixelWhite, 240, 20);
  SetScreenFont("ＭＳ 明朝", 40, fsBold, MakePixel(191, 127, 127));
  ScreenBmp->TextOut(20, 180, "ＧＡＭＥ　ＯＶＥＲ");
  SetScreenFont("ＭＳ 明朝", 15, fsBold, PixelWhite);
  ScreenBmp->TextOut(125, 180, "あなたは去りました。");
  ScreenBmp->TextOut(125, 200, "あなたは死にました。");
}
