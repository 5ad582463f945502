// SoundEffects -- the twelve WAV sound effects of dat/, one recipe each.
#include "tools/assets/SoundEffects.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/ExactMath.h"

namespace SoundEffects {
namespace {

using namespace Synth;

double Seconds(size_t i) { return static_cast<double>(i) / kRate; }

// Soft saturation that keeps heavy sounds dense without hard clipping.
double Saturate(double v) { return v / (1.0 + std::abs(v)); }

// hyuun: a gust of wind that sweeps up and falls away (the fan).
Signal Gust() {
  Signal s = Silence(1.3);
  Rng rng(101);
  Filter f(2.5), g(4.0);
  Oscillator wobble;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Seconds(i);
    double rise = std::min(1.0, t / 0.35), fall = Decay(std::max(0.0, t - 0.35), 0.35);
    double cutoff = 500 + 1700 * rise * fall + 200 * wobble.Sine(5.5);
    double n = rng.Signed();
    f.Run(n, cutoff);
    g.Run(n, cutoff * 2.1);  // a faint whistle above the rush
    s[i] = (f.Band() + 0.35 * g.Band()) * rise * fall;
  }
  Finish(s, 0.005, 0.15);
  return s;
}

// dun2: a heavy body blow (the hero takes damage). The weight sits in a knock between 200 and 800 Hz, which
// small speakers play; the low thump under it only rounds it off.
Signal Thud() {
  Signal s = Silence(0.7);
  Rng rng(102);
  Oscillator thump, knock, overtone;
  Filter body(1.4), click;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Seconds(i);
    double n = rng.Signed();
    body.Run(n, 280 + 420 * Decay(t, 0.03));
    click.Run(n, 900);
    double hz = 230 + 150 * Decay(t, 0.025);
    double knocked = (knock.Sine(hz) + 0.45 * overtone.Sine(hz * 2.02)) * Decay(t, 0.09);
    double low = 0.5 * thump.Sine(60 + 50 * Decay(t, 0.05)) * Decay(t, 0.1);
    s[i] = Saturate(1.8 * (knocked + 1.6 * body.Band() * Decay(t, 0.07) + low)) + 0.6 * click.Low() * Decay(t, 0.018);
  }
  Finish(s, 0.002, 0.12);
  return s;
}

// kisyu: an eerie chime, two inharmonic bells a tritone apart that beat slowly (the saint).
Signal EerieChime() {
  Signal s = Silence(1.5);
  const std::vector<Partial> bell = {{1.0, 1.0, 0.9}, {2.76, 0.45, 0.5}, {5.40, 0.25, 0.3}, {8.93, 0.12, 0.18}};
  auto strike = [&](double base, int start, double gain) {
    std::vector<Partial> p;
    for (const Partial& q : bell) {
      p.push_back({base * q.hz, q.level, q.decaySeconds});
      p.push_back({base * q.hz * 1.004, q.level * 0.8, q.decaySeconds});  // slight detune: a slow wavering
    }
    Strike(s, start, p, gain);
  };
  strike(740.0, Samples(0.01), 1.0);
  strike(740.0 * 1.4142, Samples(0.28), 0.7);
  strike(740.0 * 0.5, Samples(0.28), 0.35);
  Finish(s, 0.003, 0.4);
  return s;
}

// duty: a power-down, a buzzing tone that sinks and dies (理力 cancelled).
Signal PowerDown() {
  Signal s = Silence(1.1);
  Oscillator a, b, lfo;
  Filter f(1.2);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Seconds(i);
    double hz = 60 + 820 * Decay(t, 0.28);
    double v = a.Saw(hz) + 0.6 * b.Saw(hz * 1.007);
    f.Run(v, 300 + 3000 * Decay(t, 0.3));
    double amp = (1.0 - t / 1.1) * (0.8 + 0.2 * lfo.Sine(9 - 6 * t));
    s[i] = f.Low() * amp;
  }
  Finish(s, 0.004, 0.2);
  return s;
}

// tusu: a splash with bubbling after it (the ship at sea).
Signal Splash() {
  Signal s = Silence(1.2);
  Rng rng(105);
  Filter f(0.9);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Seconds(i);
    double env = std::min(1.0, t / 0.012) * Decay(t, 0.16);
    f.Run(rng.Signed(), 2600 * Decay(t, 0.4) + 600);
    s[i] = f.Band() * env * 1.6;
  }
  // Bubbles: short rising chirps.
  for (int k = 0; k < 14; ++k) {
    int start = Samples(0.08 + 0.06 * k + 0.04 * rng.Unit());
    double hz = 500 + 900 * rng.Unit(), len = 0.03 + 0.05 * rng.Unit();
    Oscillator o;
    for (int j = 0; j < Samples(len) && start + j < static_cast<int>(s.size()); ++j) {
      double u = static_cast<double>(j) / Samples(len);
      s[static_cast<size_t>(start) + static_cast<size_t>(j)] +=
          0.25 * (1.0 - k / 16.0) * ExactMath::Sin(ExactMath::kPi * u) * o.Sine(hz * (1 + 0.8 * u));
    }
  }
  Finish(s, 0.003, 0.2);
  return s;
}

// cap_other03: a warm two-note door chime (the inn).
Signal InnChime() {
  Signal s = Silence(1.45);
  auto bell = [](double hz) {
    return std::vector<Partial>{{hz, 1.0, 0.6}, {hz * 2, 0.35, 0.35}, {hz * 3, 0.12, 0.2}, {hz * 4.2, 0.06, 0.12}};
  };
  Strike(s, Samples(0.005), bell(1318.5), 0.8);  // E6
  Strike(s, Samples(0.32), bell(1046.5), 0.8);   // C6
  Finish(s, 0.003, 0.35);
  return s;
}

// dun: a blade that swishes through the air and rings (the sword).
Signal Blade() {
  Signal s = Silence(0.8);
  Rng rng(107);
  Filter f(3.0);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Seconds(i);
    double env = t < 0.14 ? ExactMath::Sin(ExactMath::kPi * t / 0.14) : 0.0;
    f.Run(rng.Signed(), 1200 + 5000 * t / 0.14);
    s[i] = f.Band() * env * 0.9;
  }
  Strike(s, Samples(0.12), {{1830, 1.0, 0.22}, {2770, 0.6, 0.16}, {4120, 0.4, 0.1}, {5310, 0.2, 0.07}}, 0.5);
  Finish(s, 0.003, 0.2);
  return s;
}

// cap_jan: a huge blast that rolls away (the meteor). The roar is mid-range noise that small speakers carry;
// a short low boom lies under its start.
Signal Blast() {
  Signal s = Silence(1.5);
  Rng rng(108);
  Filter f(0.8), roar(1.1), crackle(1.5);
  Oscillator boom;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Seconds(i);
    double n = rng.Signed();
    f.Run(n, 420 + 2200 * Decay(t, 0.12));
    roar.Run(n, 260 + 500 * Decay(t, 0.3));
    crackle.Run(rng.Unit() < 0.02 ? rng.Signed() * 6 : 0.0, 3000);
    double attack = std::min(1.0, t / 0.006);
    double rumble = (f.Low() * 2.0 + roar.Band() * 2.4) * attack * Decay(t, 0.45);
    double low = boom.Sine(40 + 50 * Decay(t, 0.1)) * Decay(t, 0.2);
    s[i] = Saturate(2.0 * (rumble + 0.6 * low)) + 0.3 * crackle.Band() * Decay(t, 0.5);
  }
  Finish(s, 0.002, 0.4);
  return s;
}

// dh2: a gunshot, a sharp crack with a short echo (the copper bullet).
Signal Gunshot() {
  Signal dry = Silence(0.35);
  Rng rng(109);
  Filter body(0.8);
  for (size_t i = 0; i < dry.size(); ++i) {
    double t = Seconds(i);
    double n = rng.Signed();
    body.Run(n, 900 + 3000 * Decay(t, 0.02));
    dry[i] = Saturate(3.0 * (n * Decay(t, 0.006) + 1.5 * body.Low() * Decay(t, 0.07)));
  }
  Signal s = Silence(0.8);
  AddInto(s, dry, 0, 1.0);
  AddInto(s, dry, Samples(0.11), 0.28);
  AddInto(s, dry, Samples(0.23), 0.12);
  Finish(s, 0.001, 0.2);
  return s;
}

// break: glass shattering, an impact and a shower of tinkling pieces (the screen breaks).
Signal Glass() {
  Signal s = Silence(1.3);
  Rng rng(110);
  Filter hiss(0.7);
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Seconds(i);
    hiss.Run(rng.Signed(), 4500);
    s[i] = hiss.High() * std::min(1.0, t / 0.004) * Decay(t, 0.09) * 1.2;
  }
  for (int k = 0; k < 70; ++k) {
    double when = 0.01 + 0.9 * rng.Unit() * rng.Unit();  // most pieces early
    double hz = 2200 + 4400 * rng.Unit();  // the upper partial stays below 10.1 kHz, under the file's 11,025 Hz
    Strike(s, Samples(when), {{hz, 1.0, 0.02 + 0.08 * rng.Unit()}, {hz * 1.53, 0.5, 0.03}}, 0.35 * (1.0 - when));
  }
  Finish(s, 0.002, 0.25);
  return s;
}

// cap_von01: a light spark, a quick rising glint (a click paid with 理力).
Signal Spark() {
  Signal s = Silence(0.45);
  Oscillator o;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = Seconds(i);
    double hz = 1200 + 1600 * std::min(1.0, t / 0.08);
    s[i] = o.Sine(hz) * std::min(1.0, t / 0.005) * Decay(t, 0.06);
  }
  Strike(s, Samples(0.06), {{3520, 0.6, 0.08}, {5274, 0.3, 0.05}}, 0.6);
  Strike(s, Samples(0.12), {{4186, 0.5, 0.07}}, 0.4);
  Finish(s, 0.003, 0.12);
  return s;
}

// cap_von05: a metallic clink, silver on silver (a click paid with the silver bullet).
Signal Clink() {
  Signal s = Silence(0.6);
  const std::vector<Partial> metal = {{2480, 1.0, 0.12}, {3960, 0.7, 0.09}, {5830, 0.45, 0.06}, {7150, 0.25, 0.04}};
  Strike(s, Samples(0.004), metal, 0.8);
  std::vector<Partial> second = metal;
  for (Partial& p : second) p.hz *= 1.06;
  Strike(s, Samples(0.075), second, 0.45);
  Finish(s, 0.002, 0.15);
  return s;
}

}  // namespace

std::vector<Effect> MakeAll() {
  return {{"hyuun.wav", Gust()},     {"dun2.wav", Thud()},       {"kisyu.wav", EerieChime()},
          {"duty.wav", PowerDown()}, {"tusu.wav", Splash()},     {"cap_other03.wav", InnChime()},
          {"dun.wav", Blade()},      {"cap_jan.wav", Blast()},   {"dh2.wav", Gunshot()},
          {"break.wav", Glass()},    {"cap_von01.wav", Spark()}, {"cap_von05.wav", Clink()}};
}

}  // namespace SoundEffects
