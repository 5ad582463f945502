// ExactMath -- sine, cosine and exponential built from + - * / only, so every machine gets the same bits
// (the C library may pick different code for different processors).
#pragma once
#include <cmath>

namespace ExactMath {
inline constexpr double kPi = 3.14159265358979323846;

inline double Sin(double x) {
  // Reduce to [-pi, pi], then to [-pi/2, pi/2] by symmetry, then a Taylor series.
  double k = std::floor(x / (2 * kPi) + 0.5);
  x -= k * 2 * kPi;
  if (x > kPi / 2) x = kPi - x;
  if (x < -kPi / 2) x = -kPi - x;
  double x2 = x * x, term = x, sum = x;
  for (int n = 1; n <= 9; ++n) {
    term *= -x2 / ((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

inline double Cos(double x) { return Sin(x + kPi / 2); }

inline double Exp(double x) {
  // x = k ln2 + r with |r| <= ln2 / 2; 2^k is exact.
  const double ln2 = 0.69314718055994530942;
  double k = std::floor(x / ln2 + 0.5);
  double r = x - k * ln2, term = 1, sum = 1;
  for (int n = 1; n <= 14; ++n) {
    term *= r / n;
    sum += term;
  }
  return std::ldexp(sum, static_cast<int>(k));
}
}  // namespace ExactMath
