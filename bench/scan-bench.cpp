// Link scanner benchmarks: a saved page with one link per 100 bytes is scanned from its file
// by the tag scanner and by the HTML link finder, and every link is resolved and appended,
// against one memchr pass over the same bytes. The real pages of the folder named by
// MURLO_BENCH_PAGES (every file but MANIFEST) are scanned by both as well.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "analysis/page-scan.h"
#include "items/item-list.h"

namespace {

class NoPrompts : public murlo::Prompter {
 public:
  murlo::PromptAnswer message(const std::string&, murlo::PromptIcon,
                              murlo::PromptButtons) override {
    return murlo::PromptAnswer::kOk;
  }
  murlo::OverwriteChoice confirmOverwrite(const std::string&, const std::string&) override {
    return murlo::OverwriteChoice::kAutoRenameAll;
  }
  std::optional<std::string> chooseSaveFile(const murlo::FileDialogRequest&) override {
    return std::nullopt;
  }
};

enum class PageKind { kPlain, kJapanese, kModern };

// A page of `links` blocks of exactly 100 bytes, each with one image or anchor link and a
// CR LF. Japanese fills the text with CP932 characters, which makes the page CP932; modern
// pages put attributes before the address and quote with "'" (the tag scanner finds none).
std::string makePage(int links, PageKind kind) {
  const std::string filler = kind == PageKind::kJapanese
                                 ? "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD"
                                 : "Some words here";
  std::string page;
  page.reserve(static_cast<std::size_t>(links) * 100);
  for (int i = 0; i < links; ++i) {
    const std::string n = std::to_string(i);
    std::string block;
    if (kind == PageKind::kModern) {
      block = i % 2 ? "<p class='x'><img class='t' loading='lazy' alt='' src='pics/" + n + ".jpg'>"
                    : "<p><a class='card' href='dir" + std::to_string(i % 97) + "/page" + n +
                          ".htm'>" + filler + "</a>";
    } else {
      block = i % 2 ? "<p><img src=\"pics/" + n + ".jpg\" alt=\"\">"
                    : "<p><a href=\"dir" + std::to_string(i % 97) + "/page" + n + ".htm\">" +
                          filler + "</a>";
    }
    while (block.size() < 96) block += ' ';
    block.resize(96);
    block += "</p>\r\n";
    page += block;
  }
  return page;
}

struct PageFile {
  PageFile(int links, PageKind kind) : content(makePage(links, kind)) {
    char tmpl[] = "/tmp/murlo-scan-bench-XXXXXX";
    const int fd = mkstemp(tmpl);
    path = tmpl;
    if (fd >= 0) {
      benchmark::DoNotOptimize(write(fd, content.data(), content.size()));
      close(fd);
    }
  }
  ~PageFile() { std::remove(path.c_str()); }
  std::string content;
  std::string path;
};

using ScanFunction = murlo::ScanResult (*)(const murlo::PageScanContext&, std::string_view,
                                           const std::string&);

constexpr const char* kPageAddress = "http://www.example.jp/site/index.htm";

// Scans the page file and appends its links; false when the scan failed.
bool scanOnce(benchmark::State& state, ScanFunction scan, const std::string& path, int* count) {
  const murlo::AppSettings settings;
  NoPrompts prompter;
  auto list = std::make_unique<murlo::ItemList>();
  const murlo::PageScanContext context{{*list, settings}, prompter, "/tmp"};
  const bool complete = scan(context, kPageAddress, path) == murlo::ScanResult::kComplete;
  *count = list->count();
  // Freeing the items is not part of the scan.
  state.PauseTiming();
  list.reset();
  state.ResumeTiming();
  return complete;
}

template <ScanFunction scan>
void BM_ScanPage(benchmark::State& state) {
  const int links = static_cast<int>(state.range(0));
  const auto kind = static_cast<PageKind>(state.range(1));
  const PageFile page(links, kind);
  // The tag scanner finds none of a modern page's links.
  const int expected = kind == PageKind::kModern && scan == murlo::scanTags ? 0 : links;
  for (auto _ : state) {
    int count = 0;
    if (!scanOnce(state, scan, page.path, &count) || count != expected) {
      state.SkipWithError("wrong scan result");
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.content.size()));
}
// Arguments: links (one per 100 bytes: 10 MB and 20 MB pages), PageKind.
void everyPageSizeAndKind(benchmark::internal::Benchmark* b) {
  for (const int kind : {0, 1, 2}) {
    for (const int links : {100000, 200000}) b->Args({links, kind});
  }
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_ScanPage<murlo::scanTags>)->Name("BM_ScanTags")->Apply(everyPageSizeAndKind);
BENCHMARK(BM_ScanPage<murlo::scanHtml>)->Name("BM_ScanHtml")->Apply(everyPageSizeAndKind);

std::vector<std::string> realPages() {
  std::vector<std::string> paths;
  const char* folder = std::getenv("MURLO_BENCH_PAGES");
  if (folder == nullptr) return paths;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file() && entry.path().filename() != "MANIFEST") {
      paths.push_back(entry.path().string());
    }
  }
  return paths;
}

template <ScanFunction scan>
void BM_ScanRealPages(benchmark::State& state) {
  const std::vector<std::string> paths = realPages();
  if (paths.empty()) state.SkipWithError("MURLO_BENCH_PAGES names no folder of pages");
  std::int64_t bytes = 0;
  for (const std::string& path : paths) bytes += std::filesystem::file_size(path);
  for (auto _ : state) {
    for (const std::string& path : paths) {
      int count = 0;
      if (!scanOnce(state, scan, path, &count)) state.SkipWithError("scan failed");
    }
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ScanRealPages<murlo::scanTags>)->Name("BM_ScanRealPagesTags");
BENCHMARK(BM_ScanRealPages<murlo::scanHtml>)->Name("BM_ScanRealPagesHtml");

void BM_MemchrPass(benchmark::State& state) {
  const std::string page = makePage(static_cast<int>(state.range(0)), PageKind::kPlain);
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::memchr(page.data(), '\0', page.size()));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_MemchrPass)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // glibc gives freed memory back to the system after some iterations and not others,
  // depending on the sizes involved; the next iteration then pays page faults the scan
  // itself does not cause. Holding freed memory makes every iteration measure the scan.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
