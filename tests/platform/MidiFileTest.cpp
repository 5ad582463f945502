// The whole-file check of standard MIDI files, on the shipped tune and on small made-up ones.
#include "platform/MidiFile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/BuildPaths.h"
#include "tests/TestSupport.h"

using Platform::IsWholeMidiFile;

namespace {

std::string Shipped() { return ReadAll(std::string(BuildPaths::SourceDir) + "/dat/farrow.mid"); }

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

// A format-0 file of one track holding these event bytes.
std::string OneTrack(const std::string& events) {
  return std::string("MThd") + Be32(6) + std::string("\0\0\0\1\1\xE0", 6) + "MTrk" +
         Be32(static_cast<uint32_t>(events.size())) + events;
}

}  // namespace

TEST(MidiFile, TheShippedTuneIsWholeAndEveryCutOfItIsNot) {
  const std::string tune = Shipped();
  ASSERT_GT(tune.size(), 100u);
  EXPECT_TRUE(IsWholeMidiFile(tune));
  for (size_t n = 0; n < tune.size(); ++n) {
    EXPECT_FALSE(IsWholeMidiFile(tune.substr(0, n))) << "cut at " << n << " of " << tune.size();
  }
  std::string longer = tune;
  longer[21] = static_cast<char>(longer[21] + 1);  // the first track's length, one byte too many
  EXPECT_FALSE(IsWholeMidiFile(longer));
}

TEST(MidiFile, EventsMustKeepInsideTheirTrack) {
  // Note on, a running-status note on, a program change, a tempo and the end of the track.
  const std::string good("\0\x90\x3C\x40\x10\x3C\x00\0\xC0\x05\0\xFF\x51\x03\x07\xA1\x20\0\xFF\x2F\0", 21);
  EXPECT_TRUE(IsWholeMidiFile(OneTrack(good)));
  EXPECT_TRUE(IsWholeMidiFile(OneTrack(std::string("\0\xF0\x02\x7E\xF7", 5)))) << "a system-exclusive message";
  EXPECT_TRUE(IsWholeMidiFile(OneTrack(""))) << "an empty track";

  EXPECT_FALSE(IsWholeMidiFile(OneTrack(std::string("\0\x3C\x40", 3)))) << "running status with nothing before";
  EXPECT_FALSE(IsWholeMidiFile(OneTrack(std::string("\0\x90\x3C\x90", 4)))) << "a status byte as data";
  EXPECT_FALSE(IsWholeMidiFile(OneTrack(std::string("\0\xFF\x51\x02\x07\xA1", 6)))) << "a tempo of two bytes";
  EXPECT_FALSE(
      IsWholeMidiFile(OneTrack(std::string("\0\xFF\x01\x05"
                                           "abc",
                                           7))))
      << "a text longer than its track";
  EXPECT_FALSE(IsWholeMidiFile(OneTrack(std::string("\x81\x81\x81\x81\x00\x90\x3C\x40", 8)))) << "a five-byte delta";
  EXPECT_FALSE(IsWholeMidiFile(OneTrack(std::string("\0\xF8", 2)))) << "a real-time message";

  std::string smpte = OneTrack(good);
  smpte[12] = static_cast<char>(0xE7);  // SMPTE timing, which the player cannot follow
  EXPECT_FALSE(IsWholeMidiFile(smpte));
  std::string twoTracks = OneTrack(good);
  twoTracks[11] = 2;  // announces a second track that is not there
  EXPECT_FALSE(IsWholeMidiFile(twoTracks));
  EXPECT_TRUE(IsWholeMidiFile(twoTracks + "MTrk" + Be32(4) + std::string("\0\xFF\x2F\0", 4)));
  EXPECT_TRUE(IsWholeMidiFile(OneTrack(good).insert(14, "XFIL" + Be32(2) + "ab"))) << "other chunks are skipped";
}

TEST(MidiFile, EachChannelMessageHasItsCountOfDataBytes) {
  // Status class and data bytes: note off, note on, key pressure, controller, program change,
  // channel pressure, pitch bend.
  const std::pair<int, int> classes[] = {{0x80, 2}, {0x90, 2}, {0xA0, 2}, {0xB0, 2}, {0xC0, 1}, {0xD0, 1}, {0xE0, 2}};
  const std::string end("\0\xFF\x2F\0", 4);
  for (const auto& [status, count] : classes) {
    const std::string data(static_cast<size_t>(count), '\x40');
    // The message, then after a two-byte delta (its first byte is no data byte) the same again
    // under running status, then the end of the track.
    std::string whole(1, '\0');
    whole.append(1, static_cast<char>(status | 3)).append(data).append("\x81").append(1, '\0').append(data).append(end);
    EXPECT_TRUE(IsWholeMidiFile(OneTrack(whole))) << std::hex << "status 0x" << status << " with " << count;
    // One data byte short, the end of the track's meta event would be read as data.
    const std::string shorter = std::string(1, '\0') + static_cast<char>(status | 3) + data.substr(1) + end.substr(1);
    EXPECT_FALSE(IsWholeMidiFile(OneTrack(shorter))) << std::hex << "status 0x" << status << " one byte short";
  }
}
