// Test helpers for the sound output checks.
#include "SoundOutput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include <sys/stat.h>
#include <time.h>

namespace SoundOutput {

namespace {

void Put(std::string& s, uint32_t v, int bytes, bool bigEndian = false) {
  for (int i = 0; i < bytes; ++i) {
    int shift = bigEndian ? 8 * (bytes - 1 - i) : 8 * i;
    s += static_cast<char>((v >> shift) & 0xFF);
  }
}

const char* OutputFile() { return std::getenv("SDL_DISKAUDIOFILE"); }

void Sleep(int ms) {
  timespec t{0, ms * 1000000L};
  nanosleep(&t, nullptr);
}

}  // namespace

void WriteTone(const std::string& path, int hz, double seconds) {
  int rate = 22050, n = static_cast<int>(rate * seconds);
  std::string data;
  for (int i = 0; i < n; ++i) Put(data, static_cast<uint16_t>((i * 2 * hz / rate) % 2 ? 12000 : -12000), 2);
  std::string f = "RIFF";
  Put(f, 36 + static_cast<uint32_t>(data.size()), 4);
  f += "WAVEfmt ";
  Put(f, 16, 4);
  Put(f, 1, 2);  // PCM
  Put(f, 1, 2);  // mono
  Put(f, rate, 4);
  Put(f, rate * 2, 4);
  Put(f, 2, 2);
  Put(f, 16, 2);
  f += "data";
  Put(f, static_cast<uint32_t>(data.size()), 4);
  std::ofstream(path, std::ios::binary) << f << data;
}

void WriteTune(const std::string& path, int quarters) {
  std::string track;
  track += std::string("\x00\xC0\x13", 3);        // organ
  track += std::string("\x00\x90\x3C\x64", 4);    // note on, middle C
  Put(track, 0x80 | ((quarters * 480) >> 7), 1);  // delta time: quarters * 480 ticks
  Put(track, (quarters * 480) & 0x7F, 1);
  track += std::string("\x80\x3C\x40", 3);      // note off
  track += std::string("\x00\xFF\x2F\x00", 4);  // end of track
  std::string f = "MThd";
  Put(f, 6, 4, true);
  Put(f, 0, 2, true);
  Put(f, 1, 2, true);
  Put(f, 480, 2, true);
  f += "MTrk";
  Put(f, static_cast<uint32_t>(track.size()), 4, true);
  std::ofstream(path, std::ios::binary) << f << track;
}

size_t Written() {
  struct stat st{};
  if (OutputFile() == nullptr || stat(OutputFile(), &st) != 0) return 0;
  return static_cast<size_t>(st.st_size);
}

bool WaitForOutput(size_t bytes) {
  // The disk driver writes in real time; a minute is far more than any test here needs.
  for (int i = 0; i < 6000 && Written() < bytes; ++i) Sleep(10);
  bool ok = Written() >= bytes;
  EXPECT_TRUE(ok) << "the disk audio driver stopped writing";
  return ok;
}

int Loudest(size_t from, size_t to) {
  std::ifstream in(OutputFile(), std::ios::binary);
  in.seekg(static_cast<std::streamoff>(from));
  std::vector<char> bytes(to - from);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  int loudest = 0;
  for (size_t i = 0; i + 1 < static_cast<size_t>(in.gcount()); i += 2) {
    int16_t s = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8));
    loudest = std::max(loudest, std::abs(static_cast<int>(s)));
  }
  return loudest;
}

}  // namespace SoundOutput
