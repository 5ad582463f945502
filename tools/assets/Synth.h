// Synth -- the small sound kit the effect recipes are made of: oscillators, noise, filters, envelopes,
// loudness matching and 16-bit WAV output. Every step is plain double arithmetic, the same on every machine.
#pragma once
#include <cstdint>
#include <vector>

#include "tools/assets/Rng.h"

namespace Synth {
inline constexpr int kRate = 22050;
using Signal = std::vector<double>;

// Samples for a duration in seconds.
int Samples(double seconds);
Signal Silence(double seconds);

// A sine whose frequency may change every sample; keeps its own phase.
class Oscillator {
 public:
  double Sine(double hz);
  double Saw(double hz);  // band-unlimited, for low buzzing tones only
 private:
  double phase_ = 0;  // in cycles, 0 ... 1
};

// A state-variable filter: low, band and high pass outputs of one input, cutoff may change every sample.
class Filter {
 public:
  explicit Filter(double q = 0.7) : damp_(1.0 / q) {}
  void Run(double input, double cutoffHz);
  double Low() const { return low_; }
  double Band() const { return band_; }
  double High() const { return high_; }

 private:
  double damp_, low_ = 0, band_ = 0, high_ = 0;
};

// A struck bell or metal: decaying sine partials added into out from sample start.
struct Partial {
  double hz, level, decaySeconds;
};
void Strike(Signal& out, int start, const std::vector<Partial>& partials, double gain);

// Mix src into out from sample start, scaled.
void AddInto(Signal& out, const Signal& src, int start, double gain);

// exp(-t / tau) without the C library.
double Decay(double seconds, double tau);

// Matches loudness: scales so the loudest 50 ms reach a common level unless that would push the peak past
// the common ceiling, then fades the ends so playback starts and stops without a click.
void Finish(Signal& s, double fadeInSeconds, double fadeOutSeconds);

// A mono 16-bit PCM WAV file at kRate.
std::vector<uint8_t> ToWav(const Signal& s);

// The levels Finish() aims at (full scale 1.0).
inline constexpr double kTargetRms = 0.17;
inline constexpr double kPeakCeiling = 0.89;
}  // namespace Synth
