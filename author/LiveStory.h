// LiveStory -- an author's plain scenario played by the game (--story): checked first as
// `farrow-story check` checks it, then reloaded while the game runs whenever the file is saved
// (or on Shift+R, or the replay harness's `reload`), keeping the place and the game's state.
// Nothing here runs unless an author asks for it.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "platform/Form.h"

namespace Story {

// Reads and checks the source (UTF-8), printing every finding to err as check prints it. True,
// with its CP932 lines, when none is an error; firstError is the first error's line.
bool ReadStory(const std::string& path, std::vector<std::string>& lines, std::ostream& err, std::string& firstError);

// Makes the next game set-up play the source at path instead of the enciphered story. False,
// with the findings on err, when the check finds an error: the game must not start then.
bool UseStory(const std::string& path, std::ostream& err);

// Whether the game plays an author's source (UseStory succeeded).
bool PlayingStory();

// Reloads the story being played from textPath (empty: the story file itself; else as if the
// story file held textPath's text). The run goes on in the same passage at the same offset
// below its label, and nothing else of the game changes. When the new text fails the check the
// old story goes on, and the first error shows once on standard error and for a few seconds in
// the form's caption. True when the new text was loaded.
bool ReloadStory(Platform::TForm& form, const std::string& textPath = "");

// Who tells the player what a reload did, in CP932 words for ms milliseconds: that it took,
// naming the file, or the first error (the player's title bar). Without one, an error shows in
// the form's caption and a reload that took says nothing.
using TReloadNotice = void (*)(const std::string& cp932, int ms);
void SetReloadNotice(TReloadNotice notice);

// Reloads whenever the story file is saved (looked at twice a second from the frame loop).
void WatchStory(Platform::TForm& form);

// How long a reload error stays in the caption, and the words that a reload took.
inline constexpr int ErrorCaptionMs = 4000;
inline constexpr int ReloadedMs = 2000;

}  // namespace Story
