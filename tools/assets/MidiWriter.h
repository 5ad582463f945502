// MidiWriter -- builds a standard MIDI file (format 1) from timed events, one track per part.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class MidiWriter {
 public:
  explicit MidiWriter(int ticksPerQuarter) : division_(ticksPerQuarter) {}

  // Starts a new track; the following calls add to it.
  void BeginTrack(const std::string& name);
  void Tempo(uint32_t tick, uint32_t microsPerQuarter);
  void TimeSignature(uint32_t tick, int numerator, int denominatorPower);
  void Program(uint32_t tick, int channel, int program);
  void Control(uint32_t tick, int channel, int controller, int value);
  // A note from tick for length ticks.
  void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity);
  // Every track ends at this tick (the loop point); no event may come later.
  std::vector<uint8_t> Build(uint32_t endTick) const;

 private:
  struct Event {
    uint32_t tick;
    int order;  // at equal ticks: note-offs first, then set-up, then note-ons
    std::vector<uint8_t> bytes;
  };
  void Add(uint32_t tick, int order, std::vector<uint8_t> bytes);
  int division_;
  std::vector<std::vector<Event>> tracks_;
};
