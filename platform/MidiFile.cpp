// MidiFile -- the chunk and event structure of a standard MIDI file.
#include "platform/MidiFile.h"

#include <cstdint>

namespace Platform {

namespace {

class TReader {
 public:
  TReader(const std::string& bytes, size_t from, size_t end) : bytes_(bytes), at_(from), end_(end) {}
  bool AtEnd() const { return at_ >= end_; }
  size_t Left() const { return end_ - at_; }
  bool Byte(uint8_t& b) {
    if (at_ >= end_) return false;
    b = static_cast<uint8_t>(bytes_[at_++]);
    return true;
  }
  bool Skip(uint64_t n) {
    if (n > Left()) return false;
    at_ += static_cast<size_t>(n);
    return true;
  }
  // A variable-length quantity: at most four bytes of seven bits each.
  bool Quantity(uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t b = 0;
      if (!Byte(b)) return false;
      value = (value << 7) | (b & 0x7F);
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }

 private:
  const std::string& bytes_;
  size_t at_;
  size_t end_;
};

uint32_t Big(const std::string& s, size_t at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | static_cast<uint8_t>(s[at + static_cast<size_t>(i)]);
  return v;
}

// The fixed lengths of the meta events that have one.
bool MetaLengthFits(uint8_t type, uint32_t length) {
  switch (type) {
    case 0x00:
      return length == 0 || length == 2;  // sequence number
    case 0x20:
      return length == 1;  // channel prefix
    case 0x2F:
      return length == 0;  // end of track
    case 0x51:
      return length == 3;  // tempo
    case 0x54:
      return length == 5;  // SMPTE offset
    case 0x58:
      return length == 4;  // time signature
    case 0x59:
      return length == 2;  // key signature
    default:
      return true;
  }
}

bool IsWholeTrack(const std::string& bytes, size_t from, size_t end) {
  TReader track(bytes, from, end);
  uint8_t running = 0;
  while (!track.AtEnd()) {
    uint32_t delta = 0;
    uint8_t status = 0;
    if (!track.Quantity(delta) || !track.Byte(status)) return false;
    if (status == 0xFF) {
      uint8_t type = 0;
      uint32_t length = 0;
      if (!track.Byte(type) || type >= 0x80 || !track.Quantity(length)) return false;
      if (!MetaLengthFits(type, length) || !track.Skip(length)) return false;
      if (type == 0x2F) return true;  // end of track: the rest of the chunk is not read
      continue;
    }
    if (status == 0xF0 || status == 0xF7) {
      uint32_t length = 0;
      if (!track.Quantity(length) || !track.Skip(length)) return false;
      running = 0;
      continue;
    }
    if (status >= 0xF1) return false;  // real-time and common messages do not belong in a file
    int dataBytes = 0;
    if (status < 0x80) {  // running status: this byte is the first data byte
      if (running == 0) return false;
      dataBytes = ((running & 0xF0) == 0xC0 || (running & 0xF0) == 0xD0) ? 0 : 1;
    } else {
      running = status;
      dataBytes = ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) ? 1 : 2;
    }
    for (int i = 0; i < dataBytes; ++i) {
      uint8_t data = 0;
      if (!track.Byte(data) || data >= 0x80) return false;
    }
  }
  return true;
}

}  // namespace

bool IsWholeMidiFile(const std::string& bytes) {
  if (bytes.size() < 14 || bytes.compare(0, 4, "MThd") != 0 || Big(bytes, 4, 4) != 6) return false;
  const uint32_t format = Big(bytes, 8, 2);
  const uint32_t tracks = Big(bytes, 10, 2);
  const uint32_t division = Big(bytes, 12, 2);
  if (format > 2 || tracks == 0 || division == 0 || (division & 0x8000) != 0) return false;
  size_t at = 14;
  uint32_t found = 0;
  while (found < tracks) {
    if (bytes.size() - at < 8) return false;
    const uint32_t length = Big(bytes, at + 4, 4);
    const size_t body = at + 8;
    if (length > bytes.size() - body) return false;
    if (bytes.compare(at, 4, "MTrk") == 0) {
      if (!IsWholeTrack(bytes, body, body + length)) return false;
      ++found;
    }
    at = body + length;
  }
  return true;
}

}  // namespace Platform
