// SoundEffectsTest -- the twelve committed WAV files: 16-bit PCM, short, click-free and equally loud.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tests/assets/AssetFiles.h"

namespace {

const char* const kSounds[] = {"hyuun.wav", "dun2.wav",    "kisyu.wav", "duty.wav",  "tusu.wav",      "cap_other03.wav",
                               "dun.wav",   "cap_jan.wav", "dh2.wav",   "break.wav", "cap_von01.wav", "cap_von05.wav"};

struct Wave {
  bool ok = false;
  uint32_t format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<double> samples;  // first channel, full scale 1.0
  double Seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0; }
};

Wave Load(const std::string& name) {
  using namespace AssetFiles;
  std::vector<uint8_t> d = Read(DatPath(name));
  Wave w;
  if (d.size() < 12 || std::memcmp(d.data(), "RIFF", 4) != 0 || std::memcmp(d.data() + 8, "WAVE", 4) != 0) return w;
  size_t at = 12;
  bool haveFormat = false;
  while (at + 8 <= d.size()) {
    uint32_t size = Le32(d, at + 4);
    if (std::memcmp(d.data() + at, "fmt ", 4) == 0) {
      w.format = Le16(d, at + 8);
      w.channels = Le16(d, at + 10);
      w.rate = Le32(d, at + 12);
      w.bits = Le16(d, at + 22);
      haveFormat = true;
    } else if (std::memcmp(d.data() + at, "data", 4) == 0 && haveFormat && w.bits == 16 && w.channels > 0) {
      if (at + 8 + size > d.size()) return w;
      for (size_t i = 0; i + 2 * w.channels <= size; i += 2 * w.channels)
        w.samples.push_back(static_cast<int16_t>(Le16(d, at + 8 + i)) / 32768.0);
      w.ok = true;
      return w;
    }
    at += 8 + size + (size & 1);
  }
  return w;
}

double LoudestRms(const std::vector<double>& s, size_t window) {
  double sum = 0, loudest = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    sum += s[i] * s[i];
    if (i >= window) sum -= s[i - window] * s[i - window];
    loudest = std::max(loudest, sum);
  }
  return std::sqrt(loudest / static_cast<double>(window));
}

// Energy left after a fourth-order high-pass (two Butterworth sections) at hz.
double EnergyAbove(const std::vector<double>& s, double rate, double hz) {
  const double w = 2 * M_PI * hz / rate, alpha = std::sin(w) / (2 * M_SQRT1_2), a0 = 1 + alpha;
  const double b0 = (1 + std::cos(w)) / 2 / a0, b1 = -(1 + std::cos(w)) / a0, a1 = -2 * std::cos(w) / a0,
               a2 = (1 - alpha) / a0;
  std::vector<double> x = s;
  for (int section = 0; section < 2; ++section) {
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& v : x) {
      double y = b0 * v + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
      x2 = x1, x1 = v, y2 = y1, y1 = y;
      v = y;
    }
  }
  double e = 0;
  for (double v : x) e += v * v;
  return e;
}

TEST(SoundEffects, EveryFileIsShortSixteenBitPcm) {
  for (const char* name : kSounds) {
    Wave w = Load(name);
    ASSERT_TRUE(w.ok) << "dat/" << name << " is not a readable WAV file";
    EXPECT_EQ(w.format, 1u) << name << " must be PCM";
    EXPECT_EQ(w.bits, 16u) << name;
    EXPECT_TRUE(w.channels == 1 || w.channels == 2) << name;
    EXPECT_TRUE(w.rate == 44100 || w.rate == 22050) << name;
    EXPECT_GT(w.Seconds(), 0.1) << name;
    EXPECT_LE(w.Seconds(), 1.5) << name << " lasts " << w.Seconds() << " s";
  }
}

// A sound cut off by the next one is normal, but each must begin and end in silence so it never clicks.
TEST(SoundEffects, EveryFileStartsAndEndsNearSilence) {
  for (const char* name : kSounds) {
    Wave w = Load(name);
    ASSERT_TRUE(w.ok && w.samples.size() > 200) << name;
    EXPECT_LT(std::abs(w.samples.front()), 0.01) << name << " starts with a click";
    EXPECT_LT(std::abs(w.samples.back()), 0.01) << name << " ends with a click";
    double tail = 0;
    for (size_t i = w.samples.size() - w.rate / 200; i < w.samples.size(); ++i)
      tail = std::max(tail, std::abs(w.samples[i]));
    EXPECT_LT(tail, 0.05) << name << " is still loud in its last 5 ms";
  }
}

// None may be much louder than the others: the loudest 50 ms of each sit within 3 dB, no peak clips.
TEST(SoundEffects, LoudnessIsMatched) {
  double quietest = 1, loudest = 0;
  for (const char* name : kSounds) {
    Wave w = Load(name);
    ASSERT_TRUE(w.ok) << name;
    double peak = 0;
    for (double v : w.samples) peak = std::max(peak, std::abs(v));
    EXPECT_GE(peak, 0.2) << name << " is too quiet";
    EXPECT_LE(peak, 0.95) << name << " is close to clipping";
    double rms = LoudestRms(w.samples, w.rate / 20);
    quietest = std::min(quietest, rms);
    loudest = std::max(loudest, rms);
  }
  EXPECT_LT(20 * std::log10(loudest / quietest), 3.0) << "loudest 50 ms range from " << quietest << " to " << loudest;
}

// Laptop and phone speakers play little below 150 Hz: a sound whose weight lies there is heard as a click.
TEST(SoundEffects, AtLeastHalfOfEachSoundLiesAbove150Hz) {
  for (const char* name : kSounds) {
    Wave w = Load(name);
    ASSERT_TRUE(w.ok) << name;
    double all = 0;
    for (double v : w.samples) all += v * v;
    EXPECT_GE(EnergyAbove(w.samples, w.rate, 150) / all, 0.5) << name;
  }
}

}  // namespace
