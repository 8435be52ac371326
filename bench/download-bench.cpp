// One large file from a local HTTP server, downloaded side by side by the engine (the
// download thread with the default 1024-byte buffer setting) and by `curl -o`, in one run.
// Prints throughput and memory for both and fails when the engine reaches less than 90% of
// curl's throughput.
//
//   murlo_bench_download [size-MiB=1024] [work-folder=/tmp]   (/dev/shm keeps the disk out)
//
// The file is made in a temporary folder under the work folder and removed afterwards.
#include <fcntl.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "net/job-record.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "settings/app-settings.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

long rssKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

void makeFile(const std::string& path, std::int64_t size) {
  std::vector<char> block(1 << 20);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>((i * 131 + 7) % 251);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  for (std::int64_t left = size; left > 0; left -= static_cast<std::int64_t>(block.size())) {
    std::fwrite(block.data(), 1,
                std::min<std::int64_t>(left, static_cast<std::int64_t>(block.size())), out);
  }
  std::fclose(out);
}

// The server runs in a child process, so the engine's memory figures are its own.
pid_t startServer(const std::string& file, std::int64_t size, int& port) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid != 0) {
    ::close(pipeFds[1]);
    if (::read(pipeFds[0], &port, sizeof port) != sizeof port) port = 0;
    ::close(pipeFds[0]);
    return pid;
  }
  ::close(pipeFds[0]);
  httplib::Server server;
  server.Get("/big.bin", [&](const httplib::Request&, httplib::Response& response) {
    const int fd = ::open(file.c_str(), O_RDONLY);
    // As a static file server does: the engine then keeps this time on its partial file.
    response.set_header("Last-Modified", "Tue, 14 Nov 2023 22:13:20 GMT");
    response.set_content_provider(
        static_cast<std::size_t>(size), "application/octet-stream",
        [fd](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
          static thread_local std::vector<char> chunk(1 << 20);
          const std::size_t want = std::min(length, chunk.size());
          const ssize_t n = ::pread(fd, chunk.data(), want, static_cast<off_t>(offset));
          return n > 0 && sink.write(chunk.data(), static_cast<std::size_t>(n));
        },
        [fd](bool) { ::close(fd); });
  });
  const int bound = server.bind_to_any_port("127.0.0.1");
  if (::write(pipeFds[1], &bound, sizeof bound) != sizeof bound) ::_exit(1);
  ::close(pipeFds[1]);
  server.listen_after_bind();
  ::_exit(0);
}

struct Figures {
  double seconds = 0;
  long peakKiB = 0;
  std::vector<long> rssAtQuarters;
  bool ok = false;
};

Figures runEngine(const std::string& url, const std::string& folder, std::int64_t size) {
  auto job = std::make_shared<murlo::JobRecord>();
  murlo::AppSettings settings = murlo::defaultSettings(folder);  // BufferSize 2: 1024 bytes
  settings.movement = murlo::movement::kOverwrite;
  murlo::fillFromSettings(*job, settings, folder);
  job->url = url;
  job->fileName = "engine.bin";
  Figures figures;
  const long before = rssKiB();
  const auto start = Clock::now();
  std::thread worker([job] { murlo::runItem(murlo::ItemKind::kDownload, *job); });
  int quarter = 1;
  long peak = before;
  while (!job->doneEvent.wait(std::chrono::milliseconds(5))) {
    const long now = rssKiB();
    peak = std::max(peak, now);
    if (quarter < 4 && job->doneBytes >= size * quarter / 4) {
      figures.rssAtQuarters.push_back(now);
      ++quarter;
    }
  }
  figures.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  worker.join();
  figures.rssAtQuarters.push_back(rssKiB());
  figures.peakKiB = peak;
  figures.ok =
      job->result == murlo::ItemResult::kSucceed && job->doneBytes == size &&
      std::filesystem::file_size(folder + "/engine.bin") == static_cast<std::uintmax_t>(size);
  std::filesystem::remove(folder + "/engine.bin");
  return figures;
}

Figures runCurl(const std::string& url, const std::string& folder, std::int64_t size) {
  const std::string out = folder + "/curl.bin";
  const char* argv[] = {"curl", "-s", "--noproxy", "*", "-o", out.c_str(), url.c_str(), nullptr};
  Figures figures;
  const auto start = Clock::now();
  pid_t pid = -1;
  if (::posix_spawnp(&pid, "curl", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
    return figures;
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  figures.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  figures.peakKiB = usage.ru_maxrss;
  figures.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
               std::filesystem::file_size(out) == static_cast<std::uintmax_t>(size);
  std::filesystem::remove(out);
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  const std::int64_t size = (argc > 1 ? std::atoll(argv[1]) : 1024) << 20;
  const std::string base = argc > 2 ? argv[2] : "/tmp";
  char pattern[4096];
  std::snprintf(pattern, sizeof pattern, "%s/murlo-bench-XXXXXX", base.c_str());
  if (::mkdtemp(pattern) == nullptr) return 2;
  const std::string folder = pattern;
  const std::string file = folder + "/source.bin";
  makeFile(file, size);
  int port = 0;
  const pid_t server = startServer(file, size, port);
  if (server <= 0 || port <= 0) return 2;
  const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/big.bin";

  // Five rounds, alternating, best of each: the machine is shared and its figures vary.
  Figures engine;
  Figures curl;
  for (int round = 0; round < 5; ++round) {
    const Figures c = runCurl(url, folder, size);
    const Figures e = runEngine(url, folder, size);
    if (round == 0 || c.seconds < curl.seconds) curl = c;
    if (round == 0 || e.seconds < engine.seconds) engine = e;
  }
  ::kill(server, SIGTERM);
  ::waitpid(server, nullptr, 0);
  std::filesystem::remove_all(folder);

  const double mib = static_cast<double>(size) / (1 << 20);
  std::printf("%-8s %10s %12s %14s  %s\n", "tool", "seconds", "MiB/s", "peak RSS KiB", "result");
  std::printf("%-8s %10.2f %12.1f %14ld  %s\n", "curl -o", curl.seconds, mib / curl.seconds,
              curl.peakKiB, curl.ok ? "ok" : "FAILED");
  std::printf("%-8s %10.2f %12.1f %14ld  %s\n", "engine", engine.seconds, mib / engine.seconds,
              engine.peakKiB, engine.ok ? "ok" : "FAILED");
  std::printf("engine RSS at 25/50/75/100%% (KiB):");
  for (long kib : engine.rssAtQuarters) std::printf(" %ld", kib);
  const double ratio = curl.seconds / engine.seconds;
  std::printf("\nengine throughput / curl throughput: %.1f%%\n", ratio * 100);
  return engine.ok && curl.ok && ratio >= 0.9 ? 0 : 1;
}
