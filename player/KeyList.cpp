// KeyList -- the keys the game answers, for the F1 overlay, --help and the manual.
#include "platform/TextCodec.h"
#include "player/Player.h"

const std::vector<TKeyHelp>& KeyList() {
  static const std::vector<TKeyHelp> keys = {
      {"Space, Enter, →, ↓", "advance the story (as a click on the picture)", "話を進める（画面を押すのと同じ）"},
      {"1 … 5", "click the idea buttons on screen, counted from the top", "アイデアボタンを上から順に押す"},
      {"Wheel up, PageUp, ↑", "the backlog: the story so far (Esc or a click closes it)",
       "これまでの話（Esc かクリックで閉じる）"},
      {"M, Ctrl+U", "mute and unmute", "消音と解除"},
      {"F12, Alt+S", "save a screenshot in Pictures/Farrowmere", "スクリーンショットを保存"},
      {"Ctrl+C", "copy the story lines on screen", "画面の文をコピー"},
      {"Shift+C", "copy each new story line as it appears (again: off)", "新しい文を次々にコピー（もう一度で止める）"},
      {"F11, Alt+Enter", "fullscreen and back", "全画面と元の大きさ"},
      {"F5, F9", "quick save, quick load", "クイックセーブ、クイックロード"},
      {"S, L", "save or load in one of twelve slots", "十二の枠にセーブ、ロード"},
      {"C", "on the title: go on with the game closed last", "タイトルで：前回の続きから"},
      {"F7, F8 (Shift: sounds)", "music quieter, louder (with Shift the sounds)",
       "音楽を小さく、大きく（Shift で効果音）"},
      {"F1", "this key list", "このキー一覧"},
  };
  return keys;
}

std::string KeyListText() {
  std::string text;
  for (const TKeyHelp& key : KeyList()) {
    std::string keys = Platform::Cp932ToUtf8(key.Keys);
    // Columns by characters, not bytes: the arrows are three bytes each in UTF-8.
    size_t width = 0;
    for (unsigned char c : keys) width += (c & 0xC0) != 0x80 ? 1 : 0;
    text += "  " + keys + std::string(width < 22 ? 22 - width : 1, ' ') + key.English + "\n";
  }
  return text;
}
