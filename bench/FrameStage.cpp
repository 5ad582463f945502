// FrameStage -- the frames the frame benchmarks draw, staged as the game would leave them.
#include "bench/FrameStage.h"

#include <array>
#include <ctime>

#include "game/UnitMain.h"
#include "paint/Random.h"
#include "paint/UnitPaint.h"
#include "paint/UnitPaintDraw.h"
#include "paint/UnitPaintFrame.h"
#include "platform/Controls.h"

// (<chrono> cannot be compiled to CP932: it holds a "µs" literal.)
double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

namespace {

Platform::TPanel Page;
Platform::TPaintBox PaintBox(&Page);

}  // namespace

void SetUpOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  PaintBox.Width = 400;
  PaintBox.Height = 400;
  SetRandomSeed(7);
  PaintSetup(Page, PaintBox, [](Platform::TPushButton&) {});
}

void StagePlaying() {
  PaintReset();
  TitleShowing = false;
  MaxHP = 10;
  HP = 7;
  IdeaPower = 7;
  ItemCount = 0;
  for (const char* item : {"【船】", "【石ころ】", "【銅弾×３】", "【フィア】"}) Items[ItemCount++] = item;
  ScriptLineCount = 4;
  ScriptLines = {"霧の港町ファロウ。灯台の火が波間に揺れている。", "酒場の扉が軋んで開いた。",
                 "「旅の人、北の岬へ行くのかい？」", "老人はそう言って目を伏せた。"};
  MessageCount = 2;
  Messages = {"スライムが現れた！", "スライムの攻撃！　３のダメージ！"};
  DescriptionTitle.clear();
  SilverBurst = false;
  SpawnIdeaButton("★斬撃");
  SpawnIdeaButton("★癒し");
}

namespace {

struct TWorstCase {
  std::array<TParticlePool, IdeaButtonCount> Buttons;
  std::array<TParticle, BurstParticleCount> Burst;
  std::array<std::array<TShatterTile, TileColumns>, TileRows> TilesAtStart;
  std::array<TGlow, GlowCount> GlowsAtStart;
};
TWorstCase Worst;

}  // namespace

void StageWorstCase() {
  StagePlaying();
  IdeaPower = 10;  // every idle 理力 spark respawns at once
  HP = 0;
  ShowDescription("【銀弾×１】", "銀の弾丸。\r\n魔を討つと伝えられる。\r\n一発きり。\r\n\r\n港の鍛冶屋が鋳た。");
  for (int b = 0; b < IdeaButtonCount; ++b) {
    for (int i = 0; i < ParticlesPerButton; ++i) {
      TParticle& p = ButtonParticles[b][i];
      p = TParticle{true, MakePixel(128, 255, 128), Random(5) - 2, -1 - Random(10), 20 + Random(100), 100 + Random(200),
                    100};
    }
  }
  StartBurst();
  FrameCallback();  // a normal frame to break apart
  StartShatter();
  StartZoom();
  for (int i = 0; i < 6; ++i) DrawZoomedPicture();  // 178 %, the first picture
  Worst.Buttons = ButtonParticles;
  Worst.Burst = BurstParticles;
  Worst.TilesAtStart = Tiles;
  Worst.GlowsAtStart = Glows;
}

void RestoreWorstCase() {
  ButtonParticles = Worst.Buttons;
  BurstParticles = Worst.Burst;
  Tiles = Worst.TilesAtStart;
  Glows = Worst.GlowsAtStart;
  Zooming = true;
  ZoomedIn = false;
  ZoomPercent = 133;  // the next frame draws at 178 %
  HP = 0;
}
