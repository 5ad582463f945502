// Checked -- overflow-checked arithmetic on the compiler's overflow builtins.
#include "script/Checked.h"

namespace Checked {

std::string OverflowText() { return "算術オーバーフローが発生しました。"; }

int32_t Add(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_add_overflow(a, b, &r)) throw std::overflow_error(OverflowText());
  return r;
}

int32_t Sub(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_sub_overflow(a, b, &r)) throw std::overflow_error(OverflowText());
  return r;
}

int32_t Mul(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_mul_overflow(a, b, &r)) throw std::overflow_error(OverflowText());
  return r;
}

int32_t StrToInt(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  bool digits = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') {
      digits = false;
      break;
    }
    digits = true;
    value = value * 10 + (c - '0');
    if (value > int64_t{INT32_MAX} + 1) break;
  }
  if (negative) value = -value;
  if (!digits || i != text.size() || value < INT32_MIN || value > INT32_MAX) {
    throw std::invalid_argument("'" + text + "' は有効な整数値ではありません");
  }
  return static_cast<int32_t>(value);
}

void CheckIndex(int64_t i, int64_t n) {
  if (i < 0 || i >= n) throw std::out_of_range("範囲チェックエラー：" + std::to_string(i));
}

}  // namespace Checked
