// Benchmark: loading the largest scenario (9,999 lines of 40 bytes) from its enciphered file,
// as the game does once at start-up.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "cipher/QuilCrypt.h"
#include "script/QuilScript.h"
#include "script/ResultTags.h"

static void LoadLargestScenario(benchmark::State& state) {
  std::vector<std::string> lines(TQuilScript::MaxScenarioLines);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = "Line " + std::to_string(i) + " of the mist over the harbour";
    line.resize(40, '.');
    lines[i] = line;
  }
  const std::string file = (std::filesystem::temp_directory_path() / "farrow-bench-story.crp.txt").string();
  {
    std::ofstream out(file, std::ios::binary);
    for (const auto& l : TQuilCrypt::EncodeLines(lines, "fable.txt")) out << l << "\r\n";
  }
  auto script = std::make_unique<TQuilScript>();
  std::string result;
  for (auto _ : state) {
    script->LoadScenario(file, "fable.txt", result);
    if (result != ResultSuccess) state.SkipWithError("the scenario did not load");
  }
  std::filesystem::remove(file);
}
BENCHMARK(LoadLargestScenario)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
