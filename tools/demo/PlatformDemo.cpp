// platform-demo -- a small interactive check of the platform layer: the 400 x 400 window with a
// canvas animation on the 50 ms frame loop, Japanese text in the four faces, and idea-style
// buttons that fall through the play area; an enabled one beeps when clicked, a greyed one lets
// presses through to the play area. `--seconds N` closes it after N seconds.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "app/QuilForm.h"
#include "media/QuilMidi.h"
#include "media/QuilWave.h"
#include "paint/QuilBmp.h"
#include "paint/QuilTimer.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Sound.h"

using namespace Platform;

namespace {

class TDemoForm;
TDemoForm* Demo = nullptr;
TQuilBitmap Canvas;
uint32_t Frames = 0, StartTick = 0, EndTick = 0;
int Presses = 0;
std::string LastPress = "まだ押されていません";
std::string MidiResult;
const std::string BeepFile = "/tmp/platform-demo-beep.wav";

// A short 880 Hz beep, written once so that PlaySoundA has a file to play.
void WriteBeep() {
  std::string data;
  for (int i = 0; i < 4410; ++i) {
    int16_t s = static_cast<int16_t>(std::sin(i * 2 * 3.14159265 * 880 / 22050) * 9000 * (1 - i / 4410.0));
    data += static_cast<char>(s & 0xFF);
    data += static_cast<char>((s >> 8) & 0xFF);
  }
  auto put = [](std::string& s, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  std::string f = "RIFF";
  put(f, 36 + static_cast<uint32_t>(data.size()), 4);
  f += "WAVEfmt ";
  put(f, 16, 4);
  put(f, 1, 2);
  put(f, 1, 2);
  put(f, 22050, 4);
  put(f, 44100, 4);
  put(f, 2, 2);
  put(f, 16, 2);
  f += "data";
  put(f, static_cast<uint32_t>(data.size()), 4);
  std::ofstream(BeepFile, std::ios::binary) << f << data;
}

class TDemoForm : public TQuilForm {
 public:
  TPanel PageMain{this};
  TPaintBox PaintMain{&PageMain};
  TPushButton Slash{&PageMain};
  TPushButton Heal{&PageMain};

  TDemoForm() {
    Caption = "Farrowmere";
    PageMain.Name = "PageMain";
    PageMain.Visible = false;
    SetClientSize(400, 400);
    CenterOnScreen();
    ShowPage(PageMain);
    FitToParent(PaintMain);
    PaintMain.OnMouseDown = [](TPaintBox&, TMouseButton button, unsigned, int x, int y) {
      ++Presses;
      static const char* names[] = {"左", "右", "中"};
      LastPress = std::string(names[static_cast<int>(button)]) + "ボタン (" + std::to_string(x) + ", " +
                  std::to_string(y) + ")";
    };
    for (TPushButton* b : {&Slash, &Heal}) {
      b->Left = 20;
      b->Width = 100;
      b->Height = 30;
      b->FontBold = true;
      b->TabStop = false;
      b->Top = -30;
    }
    Slash.Caption = "★斬撃";
    Heal.Caption = "★癒し";
    Heal.Left = 280;
    Heal.Enabled = false;  // greyed: a press on it goes to the play area
    Slash.OnClick = [](TPushButton& b) {
      TQuilWave::Play(BeepFile, false);
      b.Top = -30;
    };
  }
};

// The idea buttons' fall: ease in towards 100, crawl to 150, then drop away faster and faster.
void Fall(TPushButton& b) {
  int y = b.Top;
  if (y >= 400) {
    b.Top = -30;
    return;
  }
  if (y < 100) {
    b.Top = 100 - 3 * (100 - y) / 4;
  } else if (y < 150) {
    b.Top = y + 1;
  } else {
    b.Top = 4 * (y - 150) / 3 + 151;
  }
}

void DrawFrame() {
  ++Frames;
  uint32_t t = timeGetTime() - StartTick;
  // A slowly moving sky, written through the row table like the game's effects.
  for (int y = 0; y < 400; ++y) {
    TPixel* row = Canvas.Rows[y];
    int wave = static_cast<int>(40 * std::sin((y + t / 20.0) / 30.0));
    for (int x = 0; x < 400; ++x) {
      row[x] = MakePixel(static_cast<uint8_t>(20 + y / 8), static_cast<uint8_t>(40 + y / 5 + wave / 4),
                         static_cast<uint8_t>(110 + (x + wave) / 4));
    }
  }
  // A square circling the middle.
  double a = t / 700.0;
  int cx = 270 + static_cast<int>(70 * std::cos(a)), cy = 250 + static_cast<int>(70 * std::sin(a));
  Canvas.Canvas().Brush.Color = PixelToColor(MakePixel(255, 200, 40));
  Canvas.Canvas().FillRect(TRect{cx - 12, cy - 12, cx + 12, cy + 12});
  Canvas.Canvas().Pen.Color = PixelToColor(PixelWhite);
  Canvas.Canvas().MoveTo(270, 250);
  Canvas.Canvas().LineTo(cx, cy);

  const char* faces[] = {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝"};
  Canvas.SetFontStyle(0);
  Canvas.SetFontHeight(20);
  for (int i = 0; i < 4; ++i) {
    Canvas.SetFontName(faces[i]);
    Canvas.SetFontColor(PixelBlack);
    Canvas.TextOut(151, 11 + 26 * i, std::string(faces[i]) + "：敵が現れた");
    Canvas.SetFontColor(PixelWhite);
    Canvas.TextOut(150, 10 + 26 * i, std::string(faces[i]) + "：敵が現れた");
  }
  Canvas.SetFontName("ＭＳ ゴシック");
  Canvas.SetFontHeight(14);
  Canvas.SetFontColor(MakePixel(255, 255, 160));
  double seconds = t / 1000.0;
  char line[160];
  std::snprintf(line, sizeof line, "フレーム %u  %.1f 秒  %.1f fps", Frames, seconds,
                seconds > 0 ? Frames / seconds : 0.0);
  Canvas.TextOut(150, 118, line);
  Canvas.TextOut(150, 136, "押した回数 " + std::to_string(Presses) + "：" + LastPress);
  Canvas.TextOut(150, 154, "MIDI：" + MidiResult);
  Canvas.SetFontStyle(fsBold | fsUnderline);
  Canvas.TextOut(150, 374, "★斬撃を押すと鳴ります");

  Fall(Demo->Slash);
  Fall(Demo->Heal);
  Canvas.CopyToPaintBox(Demo->PaintMain);
  if (EndTick != 0 && timeGetTime() - StartTick >= EndTick) Application.Terminate();
}

}  // namespace

int main(int argc, char** argv) {
  uint32_t seconds = 0;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = static_cast<uint32_t>(std::atoi(argv[i + 1]));
  }
  if (!Application.Initialize()) {
    std::fprintf(stderr, "platform-demo: %s\n", Application.InitError().c_str());
    return 1;
  }
  Application.Title = "Farrowmere";
  TQuilTimer::Startup();
  TQuilWave::Startup();
  TQuilMidi::Startup();
  WriteBeep();
  Canvas.SetSize(400, 400);
  TQuilMidi::Play("dat\\farrow.mid", true, MidiResult);
  {
    TDemoForm form;
    Demo = &form;
    StartTick = timeGetTime();
    EndTick = seconds * 1000;
    TQuilTimer::Start(form);
    TQuilTimer::Add(DrawFrame, 50, "");
    Application.Run(form);
    Demo = nullptr;
  }
  std::printf("platform-demo: %u frames in %.1f s\n", Frames, (timeGetTime() - StartTick) / 1000.0);
  TQuilMidi::Shutdown();
  TQuilWave::Shutdown();
  TQuilTimer::Shutdown();
  CloseSound();
  Application.Finalize();
  return 0;
}
