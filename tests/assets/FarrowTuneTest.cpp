// FarrowTuneTest -- dat/farrow.mid is a standard MIDI file of General MIDI parts, 60 to 120 s, that loops cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "tests/assets/AssetFiles.h"

namespace {

// What a small reader learns from the file.
struct Song {
  std::string error;
  int format = -1, division = 0, tracks = 0;
  std::map<uint32_t, uint32_t> tempos;  // tick -> microseconds per quarter
  std::vector<uint32_t> trackEnds;      // tick of each End of Track
  uint32_t lastNoteOff = 0;
  int notes = 0, hangingNotes = 0, restruck = 0;  // restruck: a note-on of a key still sounding on its channel
  std::set<int> programmed, played;               // channels
};

uint32_t Be(const std::vector<uint8_t>& d, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = v << 8 | d.at(at + i);
  return v;
}

Song Parse(const std::vector<uint8_t>& d) {
  Song s;
  if (d.size() < 14 || std::memcmp(d.data(), "MThd", 4) != 0 || Be(d, 4, 4) != 6) return s.error = "no MThd header", s;
  s.format = static_cast<int>(Be(d, 8, 2));
  s.tracks = static_cast<int>(Be(d, 10, 2));
  s.division = static_cast<int>(Be(d, 12, 2));
  size_t at = 14;
  for (int t = 0; t < s.tracks; ++t) {
    if (at + 8 > d.size() || std::memcmp(d.data() + at, "MTrk", 4) != 0) return s.error = "missing MTrk", s;
    const size_t end = at + 8 + Be(d, at + 4, 4);
    if (end > d.size()) return s.error = "track runs past the file", s;
    size_t p = at + 8;
    uint32_t tick = 0;
    uint8_t status = 0;
    std::map<std::pair<int, int>, int> sounding;
    bool ended = false;
    while (p < end && !ended) {
      uint32_t delta = 0;
      do delta = delta << 7 | (d.at(p) & 0x7F);
      while (d.at(p++) & 0x80);
      tick += delta;
      if (d.at(p) & 0x80) status = d.at(p++);
      if (status == 0xFF) {
        uint8_t type = d.at(p++);
        uint32_t len = d.at(p++);
        if (type == 0x51) s.tempos[tick] = Be(d, p, 3);
        if (type == 0x2F) s.trackEnds.push_back(tick), ended = true;
        p += len;
      } else if ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) {
        if ((status & 0xF0) == 0xC0) s.programmed.insert(status & 0x0F);
        p += 1;
      } else if (status >= 0x80 && status < 0xF0) {
        int ch = status & 0x0F, key = d.at(p), vel = d.at(p + 1);
        p += 2;
        if ((status & 0xF0) == 0x90 && vel > 0) {
          if (!s.programmed.count(ch)) s.error = "note before its channel's instrument is chosen";
          if (sounding[{ch, key}]++ > 0) ++s.restruck;
          ++s.notes;
          s.played.insert(ch);
        } else if ((status & 0xF0) == 0x80 || (status & 0xF0) == 0x90) {
          if (--sounding[{ch, key}] < 0) s.error = "note off without a note on";
          s.lastNoteOff = std::max(s.lastNoteOff, tick);
        }
      } else {
        return s.error = "unexpected status byte", s;
      }
    }
    if (!ended) return s.error = "track without End of Track", s;
    for (auto& [key, count] : sounding) s.hangingNotes += count;
    at = end;
  }
  return s;
}

double Seconds(const Song& s, uint32_t tick) {
  double us = 0;
  uint32_t last = 0, tempo = 500000;
  for (auto [at, t] : s.tempos) {
    if (at >= tick) break;
    us += static_cast<double>(at - last) * tempo / s.division;
    last = at;
    tempo = t;
  }
  return (us + static_cast<double>(tick - last) * tempo / s.division) / 1e6;
}

TEST(FarrowTune, ParsesAsAStandardMidiFile) {
  Song s = Parse(AssetFiles::Read(AssetFiles::DatPath("farrow.mid")));
  ASSERT_EQ(s.error, "");
  EXPECT_TRUE(s.format == 0 || s.format == 1);
  EXPECT_GT(s.division, 0) << "timing must be in ticks per quarter note";
  EXPECT_GT(s.notes, 200);
  EXPECT_EQ(s.hangingNotes, 0) << "a note would sound on past the loop point";
  EXPECT_EQ(s.restruck, 0) << "the earlier note's note-off would cut the new one short";
  EXPECT_EQ(s.played.count(9), 0u) << "no percussion: every part is a melodic General MIDI instrument";
}

TEST(FarrowTune, LastsOneToTwoMinutes) {
  Song s = Parse(AssetFiles::Read(AssetFiles::DatPath("farrow.mid")));
  ASSERT_EQ(s.error, "");
  ASSERT_FALSE(s.trackEnds.empty());
  double length = Seconds(s, *std::max_element(s.trackEnds.begin(), s.trackEnds.end()));
  EXPECT_GE(length, 60.0);
  EXPECT_LE(length, 120.0);
}

// The player loops at the last event: every track must end on the same tick, right where the notes stop,
// so the repeat neither stumbles early nor leaves a silent gap.
TEST(FarrowTune, LoopsWithoutASeam) {
  Song s = Parse(AssetFiles::Read(AssetFiles::DatPath("farrow.mid")));
  ASSERT_EQ(s.error, "");
  ASSERT_FALSE(s.trackEnds.empty());
  for (uint32_t end : s.trackEnds) EXPECT_EQ(end, s.trackEnds.front());
  EXPECT_EQ(s.lastNoteOff, s.trackEnds.front()) << "silence or a cut note at the loop point";
  uint32_t bar = static_cast<uint32_t>(s.division) * 4;
  EXPECT_EQ(s.trackEnds.front() % bar, 0u) << "the loop point falls inside a bar";
}

}  // namespace
