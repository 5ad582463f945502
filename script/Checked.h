// Checked -- overflow-checked integer arithmetic and strict decimal parsing for the game rules.
// A violation throws; the application's top-level handler shows the text and the game goes on.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace Checked {

// The text of an arithmetic overflow ("算術オーバーフローが発生しました。").
std::string OverflowText();

int32_t Add(int32_t a, int32_t b);
int32_t Sub(int32_t a, int32_t b);
int32_t Mul(int32_t a, int32_t b);

// A decimal integer: optional sign, then digits, nothing else, within 32 bits. Anything else
// throws std::invalid_argument whose text quotes the input: "'abc' は有効な整数値ではありません".
int32_t StrToInt(const std::string& text);

// Index i of a table of n entries, or std::out_of_range.
void CheckIndex(int64_t i, int64_t n);

}  // namespace Checked
