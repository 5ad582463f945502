// SaveRows -- the values of a save, the kinds of its rows, and the line writer and reader.
#include "game/SaveRows.h"

#include <charconv>
#include <istream>
#include <map>
#include <sstream>

#include "platform/TextCodec.h"

namespace {

constexpr char Magic[] = "farrowmere-save";

using TValues = std::vector<std::string>;
using SaveValue::Escape, SaveValue::Unescape, SaveValue::ReadInt, SaveValue::ReadNumber;

}  // namespace

// ---- Values -----------------------------------------------------------------------------------

namespace SaveValue {

// Text that does not come back from UTF-8 byte for byte is written as %XX throughout, so every
// save reads back exactly.
std::string Escape(const std::string& cp932) {
  std::string utf8 = Platform::Cp932ToUtf8(cp932), back;
  size_t bad = 0;
  const bool exact = Platform::Utf8ToCp932(utf8, back, bad) && back == cp932;
  const std::string& from = exact ? utf8 : cp932;
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : from) {
    if (!exact || c < 0x20 || c == 0x7F || c == '%') {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool Unescape(const std::string& value, std::string& cp932, std::string& why) {
  cp932.clear();
  std::string run;  // UTF-8 not yet converted
  auto flush = [&]() {
    std::string part;
    size_t bad = 0;
    if (!Platform::Utf8ToCp932(run, part, bad)) return false;
    cp932 += part;
    run.clear();
    return true;
  };
  for (size_t i = 0; i < value.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    if (c < 0x20 || c == 0x7F) {
      why = "a control character in a text";
      return false;
    }
    if (c != '%') {
      run += static_cast<char>(c);
      continue;
    }
    const bool whole = i + 2 < value.size();
    const int high = whole ? HexDigit(value[i + 1]) : -1;
    const int low = whole ? HexDigit(value[i + 2]) : -1;
    if (high < 0 || low < 0) {
      why = "a broken %XX escape";
      return false;
    }
    if (!flush()) {
      why = "a text the game cannot show";
      return false;
    }
    cp932 += static_cast<char>(high * 16 + low);
    i += 2;
  }
  if (!flush()) {
    why = "a text the game cannot show";
    return false;
  }
  if (cp932.size() > SavedTextMax) {
    why = "a text longer than " + std::to_string(SavedTextMax) + " bytes";
    return false;
  }
  return true;
}

bool ReadInt(const std::string& text, int32_t& value) {
  if (text.empty() || text.size() > 11) return false;
  const char* first = text.data();
  if (*first == '+') return false;
  auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ReadNumber(const std::string& text, int32_t& value, int32_t low, int32_t high, std::string& why) {
  int32_t read = 0;
  if (!ReadInt(text, read)) {
    why = "not a whole number: " + text.substr(0, 40);
    return false;
  }
  if (read < low || read > high) {
    why = "out of range: " + text + " (" + std::to_string(low) + " .. " + std::to_string(high) + ")";
    return false;
  }
  value = read;
  return true;
}

std::vector<std::string> Words(const std::string& value, size_t count) {
  std::vector<std::string> words;
  size_t at = 0;
  while (words.size() + 1 < count) {
    size_t space = value.find(' ', at);
    if (space == std::string::npos) break;
    words.push_back(value.substr(at, space - at));
    at = space + 1;
  }
  words.push_back(value.substr(at));
  return words;
}

}  // namespace SaveValue

// ---- Kinds --------------------------------------------------------------------------------------

TSaveRow TextRow(const char* key, std::string& field) {
  TSaveRow row{.Key = key};
  row.Write = [&field] { return TValues{Escape(field)}; };
  row.Read = [&field](const std::string& v, size_t, std::string& why) { return Unescape(v, field, why); };
  return row;
}

TSaveRow TextsRow(const char* key, std::vector<std::string>& field, size_t most) {
  TSaveRow row{.Key = key, .Most = most, .Exact = false};
  row.Write = [&field] {
    TValues values;
    for (const std::string& text : field) values.push_back(Escape(text));
    return values;
  };
  row.Read = [&field](const std::string& v, size_t, std::string& why) {
    std::string text;
    if (!Unescape(v, text, why)) return false;
    field.push_back(text);
    return true;
  };
  return row;
}

TSaveRow NumberRow(const char* key, int32_t& field, int32_t low, int32_t high) {
  TSaveRow row{.Key = key};
  row.Write = [&field] { return TValues{std::to_string(field)}; };
  row.Read = [&field, low, high](const std::string& v, size_t, std::string& why) {
    return ReadNumber(v, field, low, high, why);
  };
  return row;
}

TSaveRow FlagRow(const char* key, bool& field) {
  TSaveRow row{.Key = key};
  row.Write = [&field] { return TValues{field ? "yes" : "no"}; };
  row.Read = [&field](const std::string& v, size_t, std::string& why) {
    if (v != "yes" && v != "no") {
      why = "yes or no expected";
      return false;
    }
    field = v == "yes";
    return true;
  };
  return row;
}

// ---- Lines --------------------------------------------------------------------------------------

std::string WriteRows(const std::vector<TSaveRow>& rows, int version) {
  std::string out = std::string(Magic) + " " + std::to_string(version) + "\n";
  for (const TSaveRow& row : rows) {
    if (row.Since > version) continue;
    for (const std::string& value : row.Write()) out += std::string(row.Key) + " " + value + "\n";
  }
  return out + "end\n";
}

TSaveRead ReadRows(const std::string& text, const std::vector<TSaveRow>& rows) {
  TSaveRead read;
  auto fail = [&read](TSaveProblem problem, int line, const std::string& why, const std::string& reason = "") {
    read.Problem = problem;
    read.Line = line;
    read.Why = why;
    read.Reason = reason;
    return read;
  };
  if (text.size() > SaveTextMax) {
    return fail(TSaveProblem::TooLarge, 0, "larger than " + std::to_string(SaveTextMax) + " bytes");
  }
  std::istringstream in(text);
  std::string line;
  int number = 1;
  const std::string magic = std::string(Magic) + " ";
  if (!std::getline(in, line) || line.rfind(magic, 0) != 0) return fail(TSaveProblem::NotASave, 1, "not a save");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  int32_t version = 0;
  if (!ReadInt(line.substr(magic.size()), version) || version < 1) {
    return fail(TSaveProblem::NotASave, 1, "not a save");
  }
  if (version > SaveFormatVersion) {
    return fail(TSaveProblem::UnknownVersion, 1,
                "format " + std::to_string(version) + ", this version reads " + std::to_string(SaveFormatVersion));
  }

  struct TKey {
    const TSaveRow* Row = nullptr;
    size_t Count = 0;
  };
  std::map<std::string, TKey> keys;  // in the alphabet's order: the first key missing is named
  for (const TSaveRow& row : rows) {
    if (row.Since <= version) keys[row.Key].Row = &row;
  }
  bool ended = false;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (ended) return fail(TSaveProblem::Damaged, number, "text after the end", "end の後に続きがあります");
    if (line == "end") {
      ended = true;
      continue;
    }
    const size_t space = line.find(' ');
    const std::string key = line.substr(0, space);
    const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    auto found = keys.find(key);
    // The key is named as the file spells it: ASCII, shown only when known.
    if (found == keys.end()) {
      return fail(TSaveProblem::Damaged, number, "unknown key '" + key.substr(0, 40) + "'", "知らない項目です");
    }
    TKey& k = found->second;
    if (++k.Count > k.Row->Most) {
      return fail(TSaveProblem::Damaged, number, "too many '" + key + "'", key + " が多すぎます");
    }
    std::string why;
    if (!k.Row->Read(value, k.Count - 1, why)) {
      const bool range = why.rfind("out of range", 0) == 0;
      return fail(TSaveProblem::Damaged, number, why.insert(0, key + ": "),
                  key + (range ? " の値が範囲外" : " の値が読めません"));
    }
  }
  if (!ended) return fail(TSaveProblem::Damaged, number + 1, "cut short: no end line", "途中で切れています");
  for (const auto& [key, k] : keys) {
    if (k.Row->Exact && k.Count != k.Row->Most) {
      return fail(TSaveProblem::Damaged, 0, "'" + key + "' missing or short", key + " が足りません");
    }
  }
  return read;
}
