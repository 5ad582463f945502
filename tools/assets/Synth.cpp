// Synth -- the small sound kit the effect recipes are made of: oscillators, noise, filters, envelopes,
// loudness matching and 16-bit WAV output. Every step is plain double arithmetic, the same on every machine.
#include "tools/assets/Synth.h"

#include "tools/assets/ByteWriter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "tools/assets/ExactMath.h"

namespace Synth {

int Samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

Signal Silence(double seconds) { return Signal(static_cast<size_t>(Samples(seconds)), 0.0); }

double Oscillator::Sine(double hz) {
  double v = ExactMath::Sin(phase_ * 2 * ExactMath::kPi);
  phase_ += hz / kRate;
  phase_ -= std::floor(phase_);
  return v;
}

double Oscillator::Saw(double hz) {
  double v = 2 * phase_ - 1;
  phase_ += hz / kRate;
  phase_ -= std::floor(phase_);
  return v;
}

void Filter::Run(double input, double cutoffHz) {
  // Chamberlin form, run twice per sample so high cutoffs stay stable.
  double f = 2 * ExactMath::Sin(ExactMath::kPi * std::min(cutoffHz, kRate / 4.5) / (2.0 * kRate));
  for (int pass = 0; pass < 2; ++pass) {
    low_ += f * band_;
    high_ = input - low_ - damp_ * band_;
    band_ += f * high_;
  }
}

double Decay(double seconds, double tau) { return ExactMath::Exp(-seconds / tau); }

void Strike(Signal& out, int start, const std::vector<Partial>& partials, double gain) {
  for (const Partial& p : partials) {
    // Above half the sample rate a partial folds back as a tone that was never meant.
    if (p.hz >= kRate / 2.0)
      throw std::logic_error("a partial of " + std::to_string(p.hz) + " Hz is above what the file can hold");
    Oscillator osc;
    // Per-sample decay factor: one exponential, then repeated multiplication.
    double step = ExactMath::Exp(-1.0 / (p.decaySeconds * kRate)), env = p.level * gain;
    const int attack = Samples(0.0015);  // a struck edge, but no click
    int n = 0;
    for (size_t i = static_cast<size_t>(std::max(0, start)); i < out.size() && env > 1e-5; ++i, ++n) {
      double rise = n < attack ? static_cast<double>(n) / attack : 1.0;
      out[i] += rise * env * osc.Sine(p.hz);
      env *= step;
    }
  }
}

void AddInto(Signal& out, const Signal& src, int start, double gain) {
  for (size_t i = 0; i < src.size(); ++i) {
    size_t j = static_cast<size_t>(start) + i;
    if (j < out.size()) out[j] += src[i] * gain;
  }
}

void Finish(Signal& s, double fadeInSeconds, double fadeOutSeconds) {
  // Loudest 50 ms window, by running sum of squares.
  const size_t window = static_cast<size_t>(Samples(0.05));
  double sum = 0, loudest = 0, peak = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    sum += s[i] * s[i];
    if (i >= window) sum -= s[i - window] * s[i - window];
    loudest = std::max(loudest, sum);
    peak = std::max(peak, std::abs(s[i]));
  }
  double rms = std::sqrt(std::max(loudest, 1e-12) / static_cast<double>(std::min(window, s.size())));
  double gain = std::min(kTargetRms / rms, kPeakCeiling / std::max(peak, 1e-9));
  for (double& v : s) v *= gain;
  const size_t in = static_cast<size_t>(Samples(fadeInSeconds)), out = static_cast<size_t>(Samples(fadeOutSeconds));
  for (size_t i = 0; i < in && i < s.size(); ++i) s[i] *= static_cast<double>(i) / static_cast<double>(in);
  for (size_t i = 0; i < out && i < s.size(); ++i) {
    double t = static_cast<double>(i) / static_cast<double>(out);  // 0 at the last sample
    s[s.size() - 1 - i] *= t * t;
  }
}

std::vector<uint8_t> ToWav(const Signal& s) {
  const uint32_t dataBytes = static_cast<uint32_t>(s.size()) * 2;
  std::vector<uint8_t> out;
  ByteWriter put(out);
  put.Tag("RIFF");
  put.U32(36 + dataBytes);
  put.Tag("WAVE");
  put.Tag("fmt ");
  put.U32(16);
  put.U16(1);  // PCM
  put.U16(1);  // mono
  put.U32(kRate);
  put.U32(kRate * 2);
  put.U16(2);
  put.U16(16);
  put.Tag("data");
  put.U32(dataBytes);
  for (double v : s) {
    long q = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
    put.U16(static_cast<uint32_t>(static_cast<int16_t>(q)) & 0xFFFF);
  }
  return out;
}

}  // namespace Synth
