// FuzzTarget -- what every fuzz target shares: the libFuzzer-style entry point that each target
// defines, and the scratch file through which targets hand their input to file-reading code.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// One input, run to its end; a fault aborts (a sanitizer report or an exception the game would
// not expect). Returns 0 as libFuzzer and AFL++'s driver want.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace Fuzz {

// Writes the bytes to this process's scratch file whose name ends in suffix (".bmp", ...) and
// returns its name. The file is rewritten by every input and removed when the process ends.
std::string WriteScratch(const std::string& suffix, const std::string& bytes);

}  // namespace Fuzz
