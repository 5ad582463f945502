// MidiWriter -- builds a standard MIDI file (format 1) from timed events, one track per part.
#include "tools/assets/MidiWriter.h"

#include <algorithm>
#include <stdexcept>

void MidiWriter::BeginTrack(const std::string& name) {
  tracks_.emplace_back();
  std::vector<uint8_t> meta = {0xFF, 0x03, static_cast<uint8_t>(name.size())};
  for (char ch : name) meta.push_back(static_cast<uint8_t>(ch));
  Add(0, 1, meta);
}

void MidiWriter::Add(uint32_t tick, int order, std::vector<uint8_t> bytes) {
  if (tracks_.empty()) throw std::logic_error("MIDI event before the first track");
  tracks_.back().push_back({tick, order, std::move(bytes)});
}

void MidiWriter::Tempo(uint32_t tick, uint32_t us) {
  Add(tick, 1,
      {0xFF, 0x51, 0x03, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8), static_cast<uint8_t>(us)});
}

void MidiWriter::TimeSignature(uint32_t tick, int numerator, int denominatorPower) {
  Add(tick, 1, {0xFF, 0x58, 0x04, static_cast<uint8_t>(numerator), static_cast<uint8_t>(denominatorPower), 24, 8});
}

void MidiWriter::Program(uint32_t tick, int channel, int program) {
  Add(tick, 1, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program)});
}

void MidiWriter::Control(uint32_t tick, int channel, int controller, int value) {
  Add(tick, 1, {static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller), static_cast<uint8_t>(value)});
}

void MidiWriter::Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
  Add(tick, 2, {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(key), static_cast<uint8_t>(velocity)});
  Add(tick + length, 0, {static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(key), 0});
}

std::vector<uint8_t> MidiWriter::Build(uint32_t endTick) const {
  std::vector<uint8_t> out;
  auto be32 = [&out](uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
  };
  auto be16 = [&out](uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
  };
  auto tag = [&out](const char* t) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(t[i]));
  };
  tag("MThd");
  be32(6);
  be16(1);
  be16(static_cast<uint32_t>(tracks_.size()));
  be16(static_cast<uint32_t>(division_));
  for (std::vector<Event> events : tracks_) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> data;
    uint32_t last = 0;
    auto delta = [&data, &last](uint32_t tick) {
      uint32_t d = tick - last;
      last = tick;
      uint8_t buf[5];
      int n = 0;
      buf[n++] = d & 0x7F;
      while ((d >>= 7) != 0) buf[n++] = static_cast<uint8_t>(0x80 | (d & 0x7F));
      while (n > 0) data.push_back(buf[--n]);
    };
    for (const Event& e : events) {
      if (e.tick > endTick) throw std::logic_error("MIDI event after the loop point");
      delta(e.tick);
      for (uint8_t b : e.bytes) data.push_back(b);
    }
    delta(endTick);
    data.push_back(0xFF);
    data.push_back(0x2F);
    data.push_back(0x00);
    tag("MTrk");
    be32(static_cast<uint32_t>(data.size()));
    for (uint8_t b : data) out.push_back(b);
  }
  return out;
}
