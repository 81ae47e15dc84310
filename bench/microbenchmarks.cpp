// Microbenchmarks for the two inner loops: splitting a list into lines and searching the level
// namespace for a text.
#include <benchmark/benchmark.h>

#include <string>

#include "generator/level_namespace.h"
#include "generator/text_search.h"
#include "textfiles/memory_file_system.h"
#include "textfiles/text_line_reader.h"

namespace {

using lvltext::LevelNamespace;

void readAllLines(benchmark::State& state, const std::string& list) {
  lvltext::MemoryFileSystem fileSystem;
  fileSystem.files["LIST.TXT"] = list;
  for (auto _ : state) {
    lvltext::TextLineReader reader(fileSystem);
    reader.open("LIST.TXT");
    std::size_t lines = 0;
    while (!reader.atEnd()) {
      benchmark::DoNotOptimize(reader.readLine());
      ++lines;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.size()));
}

void BM_ReadShortLines(benchmark::State& state) {
  std::string list;
  for (int i = 0; i < state.range(0); ++i) list += "The stairs are slippery_mind your step\r\n";
  readAllLines(state, list);
}
BENCHMARK(BM_ReadShortLines)->Arg(25)->Arg(100000);

void BM_ReadOneLongLine(benchmark::State& state) {
  readAllLines(state, std::string(static_cast<std::size_t>(state.range(0)), 'x') + "\r\n");
}
BENCHMARK(BM_ReadOneLongLine)->Arg(1 << 20)->Arg(16 << 20);

/// A namespace filled as a real episode might be: many short texts up to the limit.
LevelNamespace filledNamespace() {
  LevelNamespace levelNamespace(0xF40);
  for (int i = 0; levelNamespace.length() < 0x14CE - 40; ++i) {
    levelNamespace.append("Level " + std::to_string(i) + ": watch out for the falling rocks");
  }
  return levelNamespace;
}

void BM_FindStoredText(benchmark::State& state) {
  LevelNamespace levelNamespace = filledNamespace();
  const std::string text = "watch out for the falling rocks";
  for (auto _ : state) benchmark::DoNotOptimize(levelNamespace.find(text));
}
BENCHMARK(BM_FindStoredText);

void BM_FindNewText(benchmark::State& state) {
  // The whole content is searched, and the text is not found.
  LevelNamespace levelNamespace = filledNamespace();
  const std::string text = "A text that is stored nowhere yet, of a usual length";
  for (auto _ : state) benchmark::DoNotOptimize(levelNamespace.find(text));
}
BENCHMARK(BM_FindNewText);

// The search itself on the input that makes a naive search quadratic.
void BM_SearchPeriodicWorstCase(benchmark::State& state) {
  const auto length = static_cast<std::size_t>(state.range(0));
  const std::string haystack = std::string(length, 'a') + '\0';
  const std::string needle = std::string(length / 2 - 1, 'a') + 'b' + '\0';
  for (auto _ : state) benchmark::DoNotOptimize(lvltext::findLeftmost(haystack, needle));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * length));
}
BENCHMARK(BM_SearchPeriodicWorstCase)->Arg(1 << 16)->Arg(1 << 22);

}  // namespace

BENCHMARK_MAIN();
