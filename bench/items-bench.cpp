// Item list benchmarks: duplicate removal after a page and reading a large list file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "items/item-list.h"
#include "items/list-file.h"

namespace {

// 100,000 rows of which half repeat an earlier row's url and fileName.
void fillHalfDuplicates(murlo::ItemList& list, int rows) {
  for (int i = 0; i < rows; ++i) {
    const int key = i % (rows / 2);
    list.AddItem("image" + std::to_string(key) + ".jpg",
                 "http://www.example.com/gallery/" + std::to_string(key % 97) + "/", "IMG", "jpg",
                 "", "http://www.example.com/gallery/index.html");
  }
}

void BM_RemoveDuplicates(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    murlo::ItemList list;
    fillHalfDuplicates(list, rows);
    state.ResumeTiming();
    benchmark::DoNotOptimize(list.RemoveDuplicates());
    if (list.count() != rows / 2) state.SkipWithError("wrong row count");
  }
}
BENCHMARK(BM_RemoveDuplicates)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadList(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  char path[] = "/tmp/murlo-bench-XXXXXX";
  const int fd = mkstemp(path);
  close(fd);
  {
    murlo::ItemList list;
    fillHalfDuplicates(list, rows);
    murlo::WriteList(list, path);
  }
  for (auto _ : state) {
    murlo::ItemList list;
    const auto result = murlo::ReadList(list, path);
    if (!result.ok() || list.count() != rows) state.SkipWithError("read failed");
  }
  std::remove(path);
}
BENCHMARK(BM_ReadList)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
