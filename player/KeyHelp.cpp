// KeyHelp -- the key list of F1, --help and the manual, written from the bindings table.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/KeyNames.h"
#include "player/BindingsTable.h"
#include "player/PadFocus.h"
#include "player/Player.h"

using namespace Platform;

namespace {

// The keys of a listed row as the key list names them: its own and those of the rows with it,
// "(held)" after a key that acts until let go, then what does the same without a key. Names that
// differ only after their last '+' or blank are written once with the rest ("Shift+F7/F8").
std::string KeysOf(const TBinding* row) {
  std::vector<std::string> names;
  for (const TBinding* with = row;
       with == row || (with != BindingRows.data() + BindingRows.size() && with->WithRowAbove); ++with) {
    for (const TKeyChord& chord : with->Keys) {
      if (chord.Key == 0) break;
      const std::string name = ChordName({chord.Key, chord.Modifiers == kAnyModifiers ? 0 : chord.Modifiers});
      names.push_back(with->Released != nullptr ? name + " (held)" : name);
    }
  }
  if (row->Also != nullptr) names.emplace_back(row->Also);
  std::string text, shared;
  for (const std::string& name : names) {
    const size_t cut = name.find_last_of("+ ") + 1;  // 0 without either
    const bool same = cut > 0 && name.compare(0, cut, shared) == 0;
    text += same ? "/" + name.substr(cut) : (text.empty() ? "" : ", ") + name;
    if (!same) shared = name.substr(0, cut);
  }
  return text;
}

// The listed rows of a group: the player's keys, the pad's buttons, an author's keys.
std::vector<TKeyHelp> ListOf(TKeyGroup group) {
  std::vector<TKeyHelp> list;
  for (const TBinding& binding : BindingRows) {
    TKeyGroup of = binding.When == TWhen::Authoring   ? TKeyGroup::Authoring
                   : IsPadButton(binding.Keys[0].Key) ? TKeyGroup::Pad
                                                      : TKeyGroup::Keys;
    if (binding.English != nullptr && of == group)
      list.push_back(TKeyHelp{KeysOf(&binding), binding.English, binding.Japanese});
  }
  return list;
}

// "  KEYS  what" a line, UTF-8 (the names are ASCII), the help in a column after the longest.
std::string Lines(const std::vector<TKeyHelp>& list) {
  size_t width = 0;
  for (const TKeyHelp& key : list) width = std::max(width, key.Keys.size());
  std::string text;
  for (const TKeyHelp& key : list)
    text += "  " + key.Keys + std::string(width + 2 - key.Keys.size(), ' ') + key.English + "\n";
  return text;
}

}  // namespace

std::vector<TKeyHelp> KeyList() { return ListOf(PadUsedLast() ? TKeyGroup::Pad : TKeyGroup::Keys); }

std::vector<TKeyHelp> KeyListOf(TKeyGroup group) { return ListOf(group); }

std::string KeyListText() { return Lines(ListOf(TKeyGroup::Keys)) + "\nA gamepad:\n" + Lines(ListOf(TKeyGroup::Pad)); }
