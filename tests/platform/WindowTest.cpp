// What the window shows: the controls painted over the paint box, and a window on SDL's dummy display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <SDL.h>

#include "app/Harness.h"
#include "game/GameTexts.h"
#include "paint/UnitPaint.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Gamepad.h"
#include "platform/MessageBox.h"
#include "platform/SdlInternal.h"
#include "platform/Window.h"
#include "platform/WindowPaint.h"
#include "player/Player.h"
#include "tests/TestSupport.h"
#include "tests/app/GameFolder.h"

using namespace Platform;

namespace {

struct Shown {
  TForm form;
  TPanel page{&form};
  TPaintBox paint{&page};
  TPushButton button{&page};
  TBitmap frame;
  Shown() {
    form.SetClientWidth(200);
    form.SetClientHeight(200);
    page.Width = page.Height = 200;
    page.Color = 0x444444;
    paint.Width = paint.Height = 150;
    paint.Surface.SetSize(150, 150);
    paint.Surface.Canvas().Brush.Color = RGB(0, 0, 255);
    paint.Surface.Canvas().FillRect(TRect{0, 0, 150, 150});
    button.Left = 20;
    button.Top = 40;
    button.Width = 100;
    button.Height = 30;
    button.Caption = "★斬撃";
    button.FontBold = true;
  }
  uint32_t At(int x, int y) {
    const uint8_t* p = frame.ScanLine(y) + 3 * x;
    return RGB(p[2], p[1], p[0]);
  }
  // Counts caption pixels of the given colour inside the button's face.
  int Count(TColor c) {
    int n = 0;
    for (int y = 43; y < 67; ++y)
      for (int x = 23; x < 117; ++x) n += At(x, y) == c;
    return n;
  }
};

}  // namespace

TEST(Painting, TheButtonLiesOverThePaintBoxWithARaisedBevelAndABlackCaption) {
  Shown s;
  PaintForm(s.form, s.frame);
  ASSERT_EQ(s.frame.Width(), 200);
  EXPECT_EQ(s.At(10, 10), RGB(0, 0, 255)) << "the paint box should show its surface";
  EXPECT_EQ(s.At(170, 170), RGB(0x44, 0x44, 0x44)) << "the panel shows beside the paint box";
  EXPECT_EQ(s.At(20, 40), RGB(255, 255, 255)) << "raised: light top-left edge";
  EXPECT_EQ(s.At(119, 69), RGB(0, 0, 0)) << "raised: dark bottom-right edge";
  EXPECT_EQ(s.At(22, 42), RGB(192, 192, 192)) << "the face covers the paint box: a flash never hides the buttons";
  EXPECT_GT(s.Count(RGB(0, 0, 0)), 20) << "the caption should be drawn in black";
}

TEST(Painting, APressedButtonIsSunkenAndADisabledOneGreyed) {
  Shown s;
  s.button.Pressed = true;
  PaintForm(s.form, s.frame);
  EXPECT_EQ(s.At(20, 40), RGB(0, 0, 0));
  EXPECT_EQ(s.At(119, 69), RGB(255, 255, 255));
  s.button.Pressed = false;
  s.button.Enabled = false;
  PaintForm(s.form, s.frame);
  EXPECT_EQ(s.Count(RGB(0, 0, 0)), 0) << "a disabled caption has no black";
  EXPECT_GT(s.Count(RGB(128, 128, 128)), 10) << "a disabled caption is grey";
}

TEST(Painting, HiddenButtonsAreNotDrawn) {
  Shown s;
  s.button.Visible = false;
  PaintForm(s.form, s.frame);
  EXPECT_EQ(s.At(20, 40), RGB(0, 0, 255));
}

TEST(Painting, APaintBoxWhoseImageIsSmallerLetsThePanelShowBesideIt) {
  Shown s;
  s.button.Visible = false;
  s.paint.Width = s.paint.Height = 200;  // covers the page, its image only 150 x 150
  PaintForm(s.form, s.frame);
  EXPECT_EQ(s.At(10, 10), RGB(0, 0, 255));
  EXPECT_EQ(s.At(170, 170), RGB(0x44, 0x44, 0x44)) << "beyond the image the panel is painted, not left over";
  s.paint.Surface.SetSize(200, 200);
  PaintForm(s.form, s.frame);
  EXPECT_EQ(s.At(170, 170), RGB(0, 0, 0)) << "the image now covers the page";
}

TEST(DummyDisplay, TheMainFormGetsAWindowAndTheLoopEndsOnTerminate) {
  ASSERT_TRUE(Application.Initialize()) << Application.InitError();
  struct QuitForm : TForm {
    int calls = 0;
    void WndProc(TMessage&) override {
      ++calls;
      Application.Terminate();
    }
  } form;
  form.Caption = "Farrowmere";
  form.SetClientWidth(400);
  form.SetClientHeight(400);
  Application.ResetTerminated();
  PostMessageA(form.Handle(), WM_USER + 10, 0, 0);
  Application.Run(form);
  EXPECT_EQ(form.calls, 1);
  EXPECT_NE(Application.Window(), nullptr);
  Application.Finalize();
  Application.ResetTerminated();
}

// The error box draws with the game's Japanese faces (SDL's own box on X11 has none), and on the
// dummy display, where nobody could close it, it does not wait.
TEST(DummyDisplay, TheErrorBoxShowsItsJapaneseTextAndDoesNotWait) {
  ASSERT_TRUE(Application.Initialize()) << Application.InitError();
  const std::string text = "【銀弾×１】は持てません";
  TBitmap shown;
  EXPECT_TRUE(ShowMessageBox("Farrowmere", text, nullptr, &shown));
  // The text alone, in the box's face and colours, must lie somewhere in what the window showed.
  TBitmap alone;
  alone.SetSize(1, 1);
  alone.Canvas().Font = TFont{"ＭＳ Ｐゴシック", -14, 0, RGB(0, 0, 0)};
  const int w = alone.Canvas().TextWidth(text), h = alone.Canvas().TextHeight(text);
  ASSERT_GT(w, 0);
  alone.SetSize(w, h);
  alone.Canvas().Brush.Color = RGB(240, 240, 240);
  alone.Canvas().FillRect(TRect{0, 0, w, h});
  alone.Canvas().Brush.Style = TBrushStyle::Clear;
  alone.Canvas().TextOut(0, 0, text);
  bool found = false;
  for (int y = 0; !found && y + h <= shown.Height(); ++y) {
    for (int x = 0; !found && x + w <= shown.Width(); ++x) {
      found = true;
      for (int row = 0; found && row < h; ++row) {
        found = std::equal(alone.ScanLine(row), alone.ScanLine(row) + 3 * w, shown.ScanLine(y + row) + 3 * x);
      }
    }
  }
  EXPECT_TRUE(found) << "the text is not in the " << shown.Width() << " x " << shown.Height() << " box";

  // A long English line breaks between words, a long Japanese one between any two characters;
  // nothing is lost either way.
  std::string english, japanese;
  for (int i = 0; i < 12; ++i) english += std::string(i == 0 ? "" : " ") + "cannot read story.crp.txt";
  for (int i = 0; i < 40; ++i) japanese += "読めません";
  std::string joined;
  for (const std::string& line : MessageBoxLines(english)) {
    EXPECT_TRUE(line.front() != ' ' && line.back() != ' ') << "[" << line << "]";
    EXPECT_TRUE(line.ends_with("cannot") || line.ends_with("read") || line.ends_with("crp.txt")) << line;
    joined += (joined.empty() ? "" : " ") + line;
  }
  EXPECT_EQ(joined, english);
  const std::vector<std::string> lines = MessageBoxLines(japanese);
  EXPECT_GT(lines.size(), 1U);
  EXPECT_EQ(std::accumulate(lines.begin(), lines.end(), std::string()), japanese);
  Application.Finalize();
}

// Without any font the program's own box would be blank: SDL's simple box shows the text (in a
// child started afresh, whose fontconfig reads an empty configuration).
TEST(DummyDisplay, WithoutAnyFontTheErrorBoxLeavesItsTextToSdlsOwnBox) {
  ScratchDir dir;
  const std::string fonts = dir.Write("empty-fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  setenv("FONTCONFIG_FILE", fonts.c_str(), 1);
  EXPECT_EXIT(
      {
        if (!Application.Initialize()) std::exit(2);
        TBitmap shown;
        shown.SetSize(1, 1);
        ShowMessageBox("Farrowmere", "cannot read story.crp.txt", nullptr, &shown);
        std::exit(shown.Empty() ? 0 : 1);  // SDL's box cannot be read back
      },
      testing::ExitedWithCode(0), "no font for the face");
  unsetenv("FONTCONFIG_FILE");
}

// What the box's own loop does with the display's events: only its own keys and its own OK
// end it; a quit request ends it from anywhere.
TEST(DummyDisplay, TheErrorBoxClosesOnEnterEscapeSpaceAndAClickOnOk) {
  const uint32_t box = 7, game = 3;
  const TRect ok{100, 60, 188, 86};
  auto key = [](uint32_t window, SDL_Keycode sym, int repeat) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = window;
    e.key.keysym.sym = sym;
    e.key.repeat = static_cast<Uint8>(repeat);
    return e;
  };
  auto mouse = [](uint32_t window, uint32_t type, int x) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = window;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = 70;
    return e;
  };
  SDL_Event quit{}, closed{};
  quit.type = SDL_QUIT;
  closed.type = SDL_WINDOWEVENT;
  closed.window.windowID = box;
  closed.window.event = SDL_WINDOWEVENT_CLOSE;
  struct Case {
    const char* what;
    std::vector<SDL_Event> events;
    TBoxStep last;
  };
  const Case cases[] = {
      {"Escape", {key(box, SDLK_ESCAPE, 0)}, TBoxStep::Close},
      {"Enter", {key(box, SDLK_RETURN, 0)}, TBoxStep::Close},
      {"the pad's Enter", {key(box, SDLK_KP_ENTER, 0)}, TBoxStep::Close},
      {"Space", {key(box, SDLK_SPACE, 0)}, TBoxStep::Close},
      {"another key", {key(box, SDLK_a, 0)}, TBoxStep::Wait},
      {"Escape held from before", {key(box, SDLK_ESCAPE, 1)}, TBoxStep::Wait},
      {"Escape on the game", {key(game, SDLK_ESCAPE, 0)}, TBoxStep::Wait},
      {"OK clicked", {mouse(box, SDL_MOUSEBUTTONDOWN, 120), mouse(box, SDL_MOUSEBUTTONUP, 150)}, TBoxStep::Close},
      {"pressed on OK, let go beside",
       {mouse(box, SDL_MOUSEBUTTONDOWN, 120), mouse(box, SDL_MOUSEBUTTONUP, 90)},
       TBoxStep::Repaint},
      {"pressed beside, let go on OK",
       {mouse(box, SDL_MOUSEBUTTONDOWN, 90), mouse(box, SDL_MOUSEBUTTONUP, 120)},
       TBoxStep::Repaint},
      {"a click on the game",
       {mouse(game, SDL_MOUSEBUTTONDOWN, 120), mouse(game, SDL_MOUSEBUTTONUP, 120)},
       TBoxStep::Wait},
      {"its window closed", {closed}, TBoxStep::Close},
      {"a quit request", {quit}, TBoxStep::Quit},
  };
  for (const Case& c : cases) {
    bool pressed = false;
    TBoxStep step = TBoxStep::Wait;
    for (const SDL_Event& e : c.events) step = MessageBoxStep(e, box, ok, pressed);
    EXPECT_EQ(step, c.last) << c.what;
  }
}

// The desktop's close of the last window comes as the window's close and a quit request; a
// quit request can also end an error box. Each closes the game once: its listeners (the
// autosave) hear of it once, and never not at all.
TEST(DummyDisplay, TheMainFormClosesOnceWhateverAsksItToClose) {
  struct ClosingForm : TForm {
    bool fail = false;
    void WndProc(TMessage&) override {
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      if (!fail) {
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        close.window.windowID = SDL_GetWindowID(SdlWindowOf(Application.Window()));
        SDL_PushEvent(&close);
        SDL_PushEvent(&quit);
        return;
      }
      SDL_PushEvent(&quit);  // while the error box shows
      throw std::runtime_error("壊れています");
    }
  };
  for (bool fail : {false, true}) {
    ASSERT_TRUE(Application.Initialize()) << Application.InitError();
    ClosingForm form;
    form.fail = fail;
    form.SetClientWidth(400);
    form.SetClientHeight(400);
    int closings = 0;
    form.Closing.Add([&closings] {
      ++closings;
      return false;
    });
    Application.ResetTerminated();
    PostMessageA(form.Handle(), WM_USER, 0, 0);
    testing::internal::CaptureStderr();
    Application.Run(form);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(closings, 1) << (fail ? "a quit request during the error box" : "the window's close and the quit");
    EXPECT_TRUE(Application.Terminated());
    Application.Finalize();
  }
  Application.ResetTerminated();
}

namespace {

// A form shown in a window on SDL's dummy display (1024 x 768).
struct OnDummyDisplay : ::testing::Test {
  // Swallows Alt and F10 for its children, as the game's form does, and keeps what it was asked.
  struct KeyForm : TForm {
    std::vector<std::pair<uint32_t, uintptr_t>> asked;
    bool WantChildKey(TControl&, TMessage& m) override {
      asked.emplace_back(m.Msg, m.WParam);
      return m.WParam == VK_MENU || m.WParam == VK_F10;
    }
  };
  KeyForm form;
  TPanel page{&form};
  TPaintBox paint{&page};
  TBitmap picture;  // lent to the paint box, as the game lends its frame
  TPushButton button{&page};
  int clicks = 0;
  int pressX = -1, pressY = -1;
  std::unique_ptr<TWindow> window;

  void SetUp() override {
    ASSERT_TRUE(Application.Initialize()) << Application.InitError();
    form.Caption = "Farrowmere";
    form.SetClientWidth(200);
    form.SetClientHeight(200);
    page.Width = page.Height = 200;
    paint.Width = paint.Height = 200;
    picture.SetSize(200, 200);
    paint.Lend(&picture);
    // A picture with a different colour in every pixel, so that any misplaced pixel shows.
    for (int y = 0; y < 200; ++y) {
      uint8_t* p = picture.ScanLine(y);
      for (int x = 0; x < 200; ++x, p += 3) {
        p[0] = static_cast<uint8_t>(x);
        p[1] = static_cast<uint8_t>(y);
        p[2] = static_cast<uint8_t>(x * 7 + y * 13);
      }
    }
    paint.OnMouseDown = [this](TPaintBox&, TMouseButton, unsigned, int x, int y) {
      pressX = x;
      pressY = y;
    };
    button.Left = 20;
    button.Top = 40;
    button.Width = 100;
    button.Height = 30;
    button.Caption = "★斬撃";
    button.FontBold = true;
    button.OnClick = [this](TPushButton&) { ++clicks; };
    window = std::make_unique<TWindow>(form);
    std::string error;
    ASSERT_TRUE(window->Open(error)) << error;
    window->Show();
  }
  void TearDown() override {
    window.reset();
    Application.Finalize();
  }

  // What the window should show: the painted form, each pixel a scale x scale block at (left, top), black around.
  void Expected(TBitmap& out, int width, int height, int scale, int left, int top) {
    TBitmap frame;
    PaintForm(form, frame);
    out.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
      uint8_t* o = out.ScanLine(y);
      for (int x = 0; x < width; ++x, o += 3) {
        int fx = x - left, fy = y - top;
        bool inside = fx >= 0 && fy >= 0 && fx < 200 * scale && fy < 200 * scale;
        const uint8_t* f = inside ? frame.ScanLine(fy / scale) + 3 * (fx / scale) : nullptr;
        for (int i = 0; i < 3; ++i) o[i] = inside ? f[i] : 0;
      }
    }
  }
  // The first pixel where the two differ, or "" when they are the same.
  static std::string FirstDifference(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
      return std::to_string(a.Width()) + "x" + std::to_string(a.Height()) + " against " + std::to_string(b.Width()) +
             "x" + std::to_string(b.Height());
    }
    for (int y = 0; y < a.Height(); ++y) {
      for (int x = 0; x < a.Width() * 3; ++x) {
        if (a.ScanLine(y)[x] != b.ScanLine(y)[x])
          return "pixel (" + std::to_string(x / 3) + ", " + std::to_string(y) + ")";
      }
    }
    return "";
  }
  void Click(int windowX, int windowY) {
    window->PointerDown(TMouseButton::Left, ssLeft, windowX, windowY);
    window->PointerUp(TMouseButton::Left, 0, windowX, windowY);
  }
};

}  // namespace

TEST_F(OnDummyDisplay, TheWindowOpensAtTheLargestFactorWithin85PercentOfTheDisplay) {
  EXPECT_EQ(window->WindowScale(), 3) << "768 x 0.85 = 652 holds three times 200";
  TViewport view = window->Viewport();
  EXPECT_EQ(view.Scale, 3);
  EXPECT_EQ(view.Left, 0);
  EXPECT_EQ(view.Top, 0);
}

TEST_F(OnDummyDisplay, EveryClientPixelIsShownAsAWholeBlockAndChangesFollow) {
  for (int scale : {1, 2, 3}) {
    SCOPED_TRACE(scale);
    window->SetWindowScale(scale);
    window->Present(true);
    TBitmap shown, expected;
    window->ReadBack(shown);
    Expected(expected, 200 * scale, 200 * scale, scale, 0, 0);
    EXPECT_EQ(FirstDifference(shown, expected), "");
    // A new frame of the play area and a pressed button: only what changed is sent again.
    picture.Canvas().Brush.Color = RGB(255, 0, 0);
    picture.Canvas().FillRect(TRect{150, 150, 180, 190 - 20 * scale});
    paint.Invalidate();
    button.Pressed = scale == 2;
    window->Present();
    window->ReadBack(shown);
    Expected(expected, 200 * scale, 200 * scale, scale, 0, 0);
    EXPECT_EQ(FirstDifference(shown, expected), "") << "after a change";
  }
}

TEST_F(OnDummyDisplay, FullscreenCentresTheLargestFactorOnBlack) {
  window->SetWindowScale(1);
  window->SetFullscreen(true);
  ASSERT_TRUE(window->Fullscreen());
  window->Present();
  TViewport view = window->Viewport();
  EXPECT_EQ(view.Scale, 3);
  EXPECT_EQ(view.Left, 212);
  EXPECT_EQ(view.Top, 84);
  TBitmap shown, expected;
  window->ReadBack(shown);
  Expected(expected, 1024, 768, 3, 212, 84);
  EXPECT_EQ(FirstDifference(shown, expected), "");
  // Back in the window: its own factor and size again.
  window->SetFullscreen(false);
  window->Present();
  window->ReadBack(shown);
  Expected(expected, 200, 200, 1, 0, 0);
  EXPECT_EQ(FirstDifference(shown, expected), "");
}

TEST_F(OnDummyDisplay, APressAtAScaledPointReachesTheSamePointAsAt1x) {
  for (int scale : {1, 2, 3}) {
    SCOPED_TRACE(scale);
    window->SetWindowScale(scale);
    window->Present();
    clicks = 0;
    Click(scale * 20, scale * 40);           // the button's top-left pixel
    Click(scale * 120 - 1, scale * 70 - 1);  // the last pixel of its bottom-right one
    EXPECT_EQ(clicks, 2);
    Click(scale * 120, scale * 50);  // just right of it
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(pressX, 120);
    EXPECT_EQ(pressY, 50);
    Click(scale * 199 + scale - 1, scale * 3 + scale - 1);
    EXPECT_EQ(pressX, 199);
    EXPECT_EQ(pressY, 3);
  }
}

TEST_F(OnDummyDisplay, InFullscreenPressesMapPastTheMarginAndTheMarginHitsNothing) {
  window->SetFullscreen(true);
  window->Present();  // 3x at (212, 84)
  Click(212 + 3 * 50 + 2, 84 + 3 * 150);
  EXPECT_EQ(pressX, 50);
  EXPECT_EQ(pressY, 150);
  Click(212 + 3 * 20, 84 + 3 * 40);
  EXPECT_EQ(clicks, 1) << "the button's top-left pixel";
  pressX = pressY = -1;
  for (auto [x, y] :
       {std::pair{211, 84}, std::pair{212, 83}, std::pair{0, 0}, std::pair{812, 684}, std::pair{1023, 767}}) {
    Click(x, y);
  }
  EXPECT_EQ(pressX, -1) << "a press on the black margin reaches nothing, not the play area's edge";
  EXPECT_EQ(clicks, 1);
}

// The error box's window says it was hidden as it goes; taken for the game's, it held the frame
// loop (a grey window) until the player minimized and restored the game.
TEST_F(OnDummyDisplay, AnErrorBoxThatGoesLeavesTheGameNotHidden) {
  for (int i = 0; i < 50 && window->PumpEvents(); ++i) {
  }
  std::vector<bool> heard;
  const int listener = Application.WindowHidden.Add([&heard](bool hidden) {
    heard.push_back(hidden);
    return false;
  });
  ShowMessageBox("Farrowmere", "壊れています", window.get());
  for (int i = 0; i < 50 && window->PumpEvents(); ++i) {
  }
  Application.WindowHidden.Remove(listener);
  EXPECT_EQ(std::count(heard.begin(), heard.end(), true), 0);
}

TEST_F(OnDummyDisplay, F11AndAltEnterSwitchFullscreenAndGoNoFurther) {
  // The button has the focus, so that a key reaching it would show.
  Click(60, 120);
  ASSERT_EQ(clicks, 1);
  window->Key(true, VK_F11, 0, false);
  EXPECT_TRUE(window->Fullscreen());
  window->Key(true, VK_F11, 0, true);  // auto-repeat
  window->Key(false, VK_F11, 0, false);
  EXPECT_TRUE(window->Fullscreen()) << "neither the repeat nor the release switches back";
  window->Key(true, VK_F11, 0, false);
  EXPECT_FALSE(window->Fullscreen());

  form.asked.clear();
  window->Key(true, VK_MENU, ssAlt, false);
  window->Key(true, VK_RETURN, ssAlt, false);
  window->Key(false, VK_RETURN, ssAlt, false);
  window->Key(false, VK_MENU, 0, false);
  EXPECT_TRUE(window->Fullscreen());
  window->Key(true, VK_RETURN, ssAlt, false);
  EXPECT_FALSE(window->Fullscreen());
  using Asked = std::vector<std::pair<uint32_t, uintptr_t>>;
  EXPECT_EQ(form.asked, (Asked{{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}))
      << "only Alt itself reached the filter";
  EXPECT_EQ(clicks, 1) << "Alt+Enter never reaches the focused button";

  form.asked.clear();
  window->Key(true, VK_F10, 0, false);
  window->Key(false, VK_F10, 0, false);
  EXPECT_EQ(form.asked, (Asked{{WM_SYSKEYDOWN, VK_F10}, {WM_SYSKEYUP, VK_F10}})) << "F10 is swallowed as before";
  EXPECT_FALSE(window->Fullscreen());

  window->Key(true, VK_RETURN, 0, false);
  EXPECT_FALSE(window->Fullscreen()) << "Enter alone is the button's";
  EXPECT_EQ(clicks, 2);
}

namespace {

// A pad on SDL's virtual joystick driver with every button and axis of SDL's game controller.
struct VirtualPad {
  SDL_JoystickID id = -1;
  void Attach() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.name = "Virtual pad";
    id = SDL_JoystickGetDeviceInstanceID(SDL_JoystickAttachVirtualEx(&desc));
  }
  void Detach() {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
  }
  // The joystick the window opened; nullptr while it has not.
  SDL_Joystick* Opened() const { return SDL_JoystickFromInstanceID(id); }
};

}  // namespace

TEST_F(OnDummyDisplay, PadButtonsReachTheFormAHeldDirectionRepeatsAndAReplugLosesNothing) {
  TVirtualClock clock{5000};
  SetClock(&clock);
  std::string heard;
  form.PadButton.Add([&heard](TInputRouter&, const TPadEvent& pad) {
    const std::pair<uint32_t, const char*> names[] = {{VK_GAMEPAD_A, "a"},
                                                      {VK_GAMEPAD_B, "b"},
                                                      {VK_GAMEPAD_RIGHT_SHOULDER, "rightshoulder"},
                                                      {VK_GAMEPAD_DPAD_UP, "up"}};
    for (auto [key, name] : names) {
      if (key != pad.VirtualKey) continue;
      heard += std::string(heard.empty() ? "" : " ") + name + (pad.Repeat ? "*" : pad.Down ? "+" : "-");
    }
    return true;
  });
  enum Act { Attach, Detach, Button, Axis, Wait };
  struct Step {
    const char* what;
    Act act;
    int which, value;
    const char* heard;  // name+ pressed, name- released, name* repeated
  };
  const Step steps[] = {
      {"plugged in", Attach, 0, 0, ""},
      {"A pressed", Button, SDL_CONTROLLER_BUTTON_A, 1, "a+"},
      {"A released", Button, SDL_CONTROLLER_BUTTON_A, 0, "a-"},
      {"up held", Button, SDL_CONTROLLER_BUTTON_DPAD_UP, 1, "up+"},
      {"not yet", Wait, 399, 0, ""},
      {"after the delay", Wait, 1, 0, "up*"},
      {"at the interval", Wait, 150, 0, "up*"},
      {"a stall repeats once, not in a burst", Wait, 2000, 0, "up*"},
      {"up released", Button, SDL_CONTROLLER_BUTTON_DPAD_UP, 0, "up-"},
      {"released: no more repeats", Wait, 1000, 0, ""},
      {"the stick up", Axis, SDL_CONTROLLER_AXIS_LEFTY, -30000, "up+"},
      {"the stick between the thresholds", Axis, SDL_CONTROLLER_AXIS_LEFTY, -10000, ""},
      {"the stick near the middle", Axis, SDL_CONTROLLER_AXIS_LEFTY, -1000, "up-"},
      {"the right shoulder held", Button, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1, "rightshoulder+"},
      {"unplugged, it lets go", Detach, 0, 0, "rightshoulder-"},
      {"plugged in again", Attach, 0, 0, ""},
      {"B pressed", Button, SDL_CONTROLLER_BUTTON_B, 1, "b+"},
  };
  VirtualPad pad;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    heard.clear();
    if (step.act == Attach) pad.Attach();
    if (step.act == Detach) pad.Detach();
    if (step.act == Button) SDL_JoystickSetVirtualButton(pad.Opened(), step.which, static_cast<Uint8>(step.value));
    if (step.act == Axis) SDL_JoystickSetVirtualAxis(pad.Opened(), step.which, static_cast<Sint16>(step.value));
    if (step.act == Wait) clock.Advance(static_cast<uint32_t>(step.which));
    // As the message loop does: until nothing more comes.
    for (int i = 0; i < 50 && window->PumpEvents(); ++i) {
    }
    EXPECT_EQ(heard, step.heard);
    if (step.act == Attach) {
      EXPECT_NE(pad.Opened(), nullptr) << "the window opens a pad as it is plugged in";
    }
  }
  pad.Detach();
  SetClock(nullptr);
}

// The game's own pad play: the player layer on the real main form, handed SDL's virtual pad by
// a window on the dummy display, as the running game is.
TEST(PadPlay, ThePadsButtonsDoWhatTheBindingsSayAndTheChoiceOutlivesAReplug) {
  GameFolder folder(Story);
  TGameHarness game(kSeed);
  ASSERT_TRUE(Application.Initialize()) << Application.InitError();
  auto window = std::make_unique<TWindow>(game.Form());
  std::string error;
  ASSERT_TRUE(window->Open(error)) << error;
  window->Show();
  VirtualPad pad;
  auto pump = [&window] {
    for (int i = 0; i < 50 && window->PumpEvents(); ++i) {
    }
  };
  auto press = [&](int button) {
    SDL_JoystickSetVirtualButton(pad.Opened(), button, 1);
    pump();
    SDL_JoystickSetVirtualButton(pad.Opened(), button, 0);
    pump();
  };
  pad.Attach();
  pump();

  press(SDL_CONTROLLER_BUTTON_START);
  ASSERT_FALSE(KeyList().empty());
  EXPECT_EQ(KeyList().front().Keys, "Pad A") << "the key list names the pad's buttons after a pad's";
  press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_TRUE(TitleShowing) << "A only closed the key list";
  game.PressKey(VK_F1);
  EXPECT_EQ(KeyList().front().Keys, "Space, Enter, Right, Down") << "and the keys after a key";
  game.PressKey(VK_ESCAPE);

  for (int i = 0; i < 5 && Lines().find(U8("案内所がある。")) == std::string::npos; ++i) press(SDL_CONTROLLER_BUTTON_A);
  ASSERT_FALSE(TitleShowing);
  game.RunFrames(12);  // ★情報 falls into the play area
  ASSERT_EQ(game.IdeaButtonCaptions(), std::vector<std::string>{CaptionInfo});
  press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  EXPECT_EQ(PadChoice(), 1);
  TBitmap shown;
  game.Screenshot(shown);
  const TIdeaButtonShown info = IdeaButtonsShown(game.Form().PaintMain).front();
  EXPECT_EQ(TGameHarness::PixelAt(shown, info.Part.Left - 1, info.MiddleY), RGB(255, 215, 0)) << "the ring";

  pad.Detach();
  pump();
  pad.Attach();
  pump();
  press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_FALSE(DescriptionTitle.empty()) << "A after the replug clicked the button chosen before it";
  game.Screenshot(shown);
  EXPECT_NE(TGameHarness::PixelAt(shown, info.Part.Left - 1, info.MiddleY), RGB(255, 215, 0)) << "the ring went";
  EXPECT_EQ(PadChoice(), 0) << "with the button, and so did the choice";
  press(SDL_CONTROLLER_BUTTON_B);
  EXPECT_TRUE(Backlog().Open);
  press(SDL_CONTROLLER_BUTTON_B);
  EXPECT_FALSE(Backlog().Open);
  press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_TRUE(DescriptionTitle.empty()) << "A closed the description view";
  SDL_JoystickSetVirtualButton(pad.Opened(), SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1);
  pump();
  EXPECT_STREQ(PlayMode(), "skip") << "the right shoulder held skips";
  SDL_JoystickSetVirtualButton(pad.Opened(), SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0);
  pump();
  EXPECT_STREQ(PlayMode(), "") << "until it is let go";
  pad.Detach();
  window.reset();
  Application.Finalize();
}
