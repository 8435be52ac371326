// Encoded bodies: gzip and deflate in their forms, any compression ratio, bodies that are
// not whole in their coding, and a decoded body that fills the disk.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "compressed-body.h"
#include "http-test-server.h"
#include "net-test.h"
#include "net/job-record.h"
#include "net/page-responses.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"

namespace murlo::test {
namespace {

using namespace std::chrono_literals;

// Bytes that hardly compress: their encoded body outgrows the reader's pending buffer.
std::string noise(std::size_t size) {
  std::string data(size, '\0');
  std::uint32_t state = 12345;
  for (char& c : data) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>(state >> 24);
  }
  return data;
}

// Lowers the largest file this process may write, with SIGXFSZ ignored so that a write past
// it fails with EFBIG; both are restored when the guard goes.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = std::min(bytes, saved_.rlim_max);
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  sighandler_t previous_ = SIG_DFL;
};

class ContentEncodingTest : public NetTest {
 protected:
  // Serves `body` at `path` as sent with `encoding`; the type is one the test server does
  // not compress again on its own.
  void serve(const std::string& path, const std::string& encoding, std::string body) {
    server_.routes().Get(path, [encoding, body = std::move(body)](const httplib::Request&,
                                                                  httplib::Response& response) {
      response.set_header("Content-Encoding", encoding);
      response.set_content(body, "application/octet-stream");
    });
  }

  HttpTestServer server_;
};

TEST_F(ContentEncodingTest, AHundredMebibytesOfZerosGzippedAreSavedWhole) {
  constexpr std::size_t kBlock = 1 << 20;
  constexpr std::size_t kBlocks = 100;
  serve("/zeros.bin", "gzip", compressed(std::string(kBlock, '\0'), kGzipBits, kBlocks));
  server_.start();
  auto job = makeJob(server_.url("/zeros.bin"), "zeros.bin");
  job->bufferSize = 64 * 1024;
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_EQ(job->doneBytes, static_cast<std::int64_t>(kBlock * kBlocks));
  EXPECT_EQ(job->sizeKnown, 0);

  std::ifstream file(saveDir() + "zeros.bin", std::ios::binary);
  const std::string zeros(kBlock, '\0');
  std::string block(kBlock, '\1');
  std::size_t blocks = 0;
  while (file.read(block.data(), kBlock)) {
    ASSERT_TRUE(block == zeros) << "block " << blocks;
    ++blocks;
  }
  EXPECT_EQ(blocks, kBlocks);
  EXPECT_EQ(file.gcount(), 0);
}

TEST_F(ContentEncodingTest, AKeptPageAnswerIsSavedDecodedOnceWithoutAskingAgainButALargeOneIsNot) {
  const std::string page = "<html>" + std::string(5000, 'p') + "</html>";
  const std::string large = noise(PageResponses::kMaxPageBytes + 1000);
  std::atomic<int> asked{0};
  for (const auto& route : {std::pair{"/page.html", &page}, std::pair{"/large.html", &large}}) {
    const std::string* body = route.second;
    server_.routes().Get(
        route.first, [&asked, body](const httplib::Request&, httplib::Response& response) {
          ++asked;
          response.set_header("Content-Encoding", "gzip");
          response.set_content(compressed(*body, kGzipBits), "application/octet-stream");
        });
  }
  server_.start();
  const auto answers = std::make_shared<PageResponses>();
  const auto fetch = [&](ItemKind kind, const std::string& path) {
    auto job = makeJob(server_.url(path), path.substr(1));
    job->keptAnswers = answers;
    runItem(kind, *job);
    EXPECT_EQ(job->result, ItemResult::kSucceed) << path;
  };
  fetch(ItemKind::kPage, "/page.html");
  fetch(ItemKind::kDownload, "/page.html");
  EXPECT_EQ(saved("page.html"), page);
  EXPECT_EQ(asked, 1);
  // Taken once: a second download asks the server.
  fetch(ItemKind::kDownload, "/page.html");
  EXPECT_EQ(asked, 2);
  fetch(ItemKind::kPage, "/large.html");
  fetch(ItemKind::kDownload, "/large.html");
  EXPECT_TRUE(saved("large.html") == large);
  EXPECT_EQ(asked, 4);
}

TEST_F(ContentEncodingTest, DecodesDeflateInBothFormsGzipMembersInARowAndStackedCodings) {
  const std::string first = noise(400000);
  const std::string second = "second member";
  struct Case {
    std::string name;
    std::string encoding;
    std::string body;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"zlib", "deflate", compressed(first, kZlibBits), first},
      {"raw", "Deflate", compressed(first, kRawDeflateBits), first},
      {"members", "x-gzip", compressed(first, kGzipBits) + compressed(second, kGzipBits),
       first + second},
      {"stacked", "deflate, gzip", compressed(compressed(first, kZlibBits), kGzipBits), first},
      {"empty", "gzip", "", ""},
      // Bytes after the whole stream that start no member: padding, not body.
      {"padded", "gzip", compressed(first, kGzipBits) + std::string(8, '\0'), first},
      {"trailing", "deflate", compressed(first, kZlibBits) + "garbage", first},
  };
  for (const Case& c : cases) serve("/" + c.name, c.encoding, c.body);
  // The first byte alone, then the rest: the form of a deflate body shows in two bytes.
  const std::string raw = compressed(first, kRawDeflateBits);
  server_.routes().Get("/split", [&raw](const httplib::Request&, httplib::Response& response) {
    response.set_header("Content-Encoding", "deflate");
    response.set_chunked_content_provider(
        "application/octet-stream", [&raw](std::size_t offset, httplib::DataSink& sink) {
          if (offset == 0) {
            sink.write(raw.data(), 1);
            std::this_thread::sleep_for(100ms);  // the server's pace, not a wait of the test
            return true;
          }
          sink.write(raw.data() + 1, raw.size() - 1);
          sink.done();
          return true;
        });
  });
  server_.start();
  for (const Case& c : cases) {
    auto job = makeJob(server_.url("/" + c.name), c.name);
    runItem(ItemKind::kDownload, *job);
    EXPECT_EQ(job->result, ItemResult::kSucceed) << c.name;
    EXPECT_TRUE(saved(c.name) == c.expected) << c.name << ": " << saved(c.name).size();
  }
  auto split = makeJob(server_.url("/split"), "split");
  runItem(ItemKind::kDownload, *split);
  EXPECT_EQ(split->result, ItemResult::kSucceed);
  EXPECT_TRUE(saved("split") == first) << saved("split").size();
}

TEST_F(ContentEncodingTest, ABodyNotWholeInItsCodingOrInAnUnknownOneFails) {
  const std::string gzip = compressed(noise(100000), kGzipBits);
  const std::string zlib = compressed(noise(100000), kZlibBits);
  serve("/truncated", "gzip", gzip.substr(0, gzip.size() - 4));  // without the size trailer
  serve("/corrupt", "gzip", "this is not gzip data at all");
  serve("/one-byte", "deflate", zlib.substr(0, 1));
  serve("/brotli", "br", "brotli body");
  server_.start();
  for (const char* name : {"truncated", "corrupt", "one-byte", "brotli"}) {
    auto job = makeJob(server_.url(std::string("/") + name), name);
    runItem(ItemKind::kDownload, *job);
    EXPECT_EQ(job->result, ItemResult::kErrorInternet) << name;
  }
  const auto entries = logEntries();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_NE(entries.back().reason.find("br"), std::string::npos) << entries.back().reason;
}

TEST_F(ContentEncodingTest, ADecodedBodyThatFillsTheDiskFailsAsAFileError) {
  serve("/big.bin", "gzip", compressed(std::string(1 << 20, '\0'), kGzipBits, 8));
  server_.start();
  auto job = makeJob(server_.url("/big.bin"), "big.bin");
  {
    FileSizeLimit limit(1 << 20);
    runItem(ItemKind::kDownload, *job);
  }
  EXPECT_EQ(job->result, ItemResult::kErrorFile);
  ASSERT_EQ(logEntries().size(), 1u);
  EXPECT_NE(logEntries()[0].reason.find("File too large"), std::string::npos)
      << logEntries()[0].reason;
}

}  // namespace
}  // namespace murlo::test
