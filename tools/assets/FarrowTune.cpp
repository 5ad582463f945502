// FarrowTune -- dat/farrow.mid, the misty D minor tune that loops on the title and in the broken world.
//
// Flute over a rippling harp, slow strings and a contrabass; 24 bars in three sections (A B A'). The last
// bar sits on the dominant and every note ends by the bar line, so the loop back to bar 1 has no seam.
#include "tools/assets/FarrowTune.h"

#include <algorithm>
#include <string>

#include "tools/assets/MidiWriter.h"

namespace FarrowTune {
namespace {

constexpr int kQuarter = 480;
constexpr int kEighth = kQuarter / 2;
constexpr int kBar = kQuarter * 4;
constexpr int kBars = 24;
constexpr uint32_t kMicrosPerQuarter = 833333;  // 72 beats a minute

// General MIDI programs (numbered from 0) and our channels.
enum Channel { kMelody = 0, kHarp = 1, kStrings = 2, kBass = 3 };
constexpr int kFlute = 73, kOrchestralHarp = 46, kStringEnsemble2 = 49, kContrabass = 43;

struct Chord {
  int root;                // MIDI key of the root in octave 3 (D3 = 50)
  std::vector<int> tones;  // intervals above the root
};

Chord Dm() { return {50, {0, 3, 7}}; }
Chord Bb() { return {46, {0, 4, 7}}; }
Chord Gm() { return {55, {0, 3, 7}}; }
Chord A() { return {45, {0, 4, 7}}; }
Chord A7() { return {45, {0, 4, 7, 10}}; }
Chord F() { return {53, {0, 4, 7}}; }
Chord C() { return {48, {0, 4, 7}}; }

std::vector<Chord> Progression() {
  return {Dm(), Bb(), Gm(), A(),  Dm(), F(), C(),  A7(),   // A
          Bb(), F(),  Gm(), Dm(), Bb(), C(), Dm(), A(),    // B
          Dm(), Bb(), Gm(), A(),  Dm(), F(), Gm(), A7()};  // A'
}

// The melody: per bar, (key, length in eighths); key 0 is a rest. Each bar adds up to 8 eighths.
using Bar = std::vector<std::pair<int, int>>;
std::vector<Bar> Melody() {
  const int D4 = 62, E4 = 64, F4 = 65, G4 = 67, A4 = 69, Bb4 = 70, C5 = 72, Cs5 = 73, D5 = 74, E5 = 76, F5 = 77,
            G5 = 79;
  return {
      {{A4, 3}, {G4, 1}, {F4, 2}, {E4, 2}},  {{D5, 6}, {C5, 2}},
      {{Bb4, 2}, {A4, 2}, {G4, 2}, {F4, 2}}, {{E4, 6}, {0, 2}},
      {{A4, 3}, {Bb4, 1}, {A4, 2}, {D5, 2}}, {{C5, 4}, {A4, 2}, {F4, 2}},
      {{G4, 3}, {A4, 1}, {G4, 2}, {E4, 2}},  {{E4, 2}, {G4, 2}, {A4, 4}},
      {{D5, 2}, {F5, 2}, {D5, 2}, {Bb4, 2}}, {{C5, 6}, {A4, 2}},
      {{Bb4, 2}, {D5, 2}, {G5, 3}, {F5, 1}}, {{F5, 6}, {E5, 2}},
      {{D5, 3}, {C5, 1}, {Bb4, 2}, {D5, 2}}, {{C5, 4}, {G4, 2}, {E5, 2}},
      {{F5, 3}, {E5, 1}, {D5, 4}},           {{Cs5, 6}, {A4, 2}},
      {{A4, 3}, {G4, 1}, {F4, 2}, {E4, 2}},  {{D4, 2}, {F4, 2}, {Bb4, 4}},
      {{G4, 3}, {A4, 1}, {Bb4, 2}, {D5, 2}}, {{Cs5, 4}, {E5, 4}},
      {{D5, 3}, {C5, 1}, {A4, 2}, {F4, 2}},  {{A4, 6}, {G4, 1}, {F4, 1}},
      {{G4, 2}, {Bb4, 2}, {A4, 2}, {G4, 2}}, {{A4, 6}, {0, 2}},
  };
}

void SetUp(MidiWriter& m, int channel, int program, int volume, int pan) {
  m.Program(0, channel, program);
  m.Control(0, channel, 7, volume);
  m.Control(0, channel, 10, pan);
  m.Control(0, channel, 91, 110);  // reverb: the mist
  m.Control(0, channel, 93, 40);   // chorus
}

}  // namespace

double LengthSeconds() { return kBars * 4 * (kMicrosPerQuarter / 1e6); }

std::vector<uint8_t> Build() {
  MidiWriter m(kQuarter);
  const std::vector<Chord> chords = Progression();
  const std::vector<Bar> melody = Melody();

  m.BeginTrack("Farrow");
  m.Tempo(0, kMicrosPerQuarter);
  m.TimeSignature(0, 4, 2);

  m.BeginTrack("Flute");
  SetUp(m, kMelody, kFlute, 92, 70);
  for (int bar = 0; bar < kBars; ++bar) {
    uint32_t t = static_cast<uint32_t>(bar * kBar);
    for (auto [key, eighths] : melody[static_cast<size_t>(bar)]) {
      uint32_t length = static_cast<uint32_t>(eighths * kEighth);
      if (key != 0) m.Note(t, length - 30, kMelody, key, bar >= 8 && bar < 16 ? 84 : 74);
      t += length;
    }
  }

  m.BeginTrack("Harp");
  SetUp(m, kHarp, kOrchestralHarp, 84, 50);
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord& c = chords[static_cast<size_t>(bar)];
    // Up and back down over two octaves: root, fifth, octave, tenth, twelfth, tenth, octave, fifth.
    const int third = c.tones[1];
    const int pattern[8] = {0, 7, 12, 12 + third, 19, 12 + third, 12, 7};
    for (int i = 0; i < 8; ++i) {
      // Each string rings for three eighths, but is damped before it is struck again: a note-on of a key
      // that still sounds would be cut short by the earlier note's note-off.
      int ring = 3;
      for (int j = i + 1; j < 8 && j < i + ring; ++j)
        if (pattern[j] == pattern[i]) ring = j - i;
      uint32_t start = static_cast<uint32_t>(bar * kBar + i * kEighth);
      uint32_t length = static_cast<uint32_t>(std::min(ring * kEighth, kBar - i * kEighth));
      m.Note(start, length, kHarp, c.root + pattern[i], i == 0 ? 62 : 50);
    }
  }

  m.BeginTrack("Strings");
  SetUp(m, kStrings, kStringEnsemble2, 70, 80);
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord& c = chords[static_cast<size_t>(bar)];
    for (int tone : c.tones) m.Note(static_cast<uint32_t>(bar * kBar), kBar, kStrings, c.root + 12 + tone, 52);
  }

  m.BeginTrack("Contrabass");
  SetUp(m, kBass, kContrabass, 88, 60);
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord& c = chords[static_cast<size_t>(bar)];
    int key = c.root - 12;
    m.Note(static_cast<uint32_t>(bar * kBar), kQuarter * 3, kBass, key, 70);
    m.Note(static_cast<uint32_t>(bar * kBar + kQuarter * 3), kQuarter, kBass,
           key + 7 - 12 < 28 ? key + 7 : key + 7 - 12, 58);
  }
  return m.Build(static_cast<uint32_t>(kBars * kBar));
}

}  // namespace FarrowTune
