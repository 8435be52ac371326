// FTP downloads from pyftpdlib on 127.0.0.1: anonymous login, active mode, and RemoteFile's
// resume from an offset.
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <sys/time.h>

#include <filesystem>
#include <memory>

#include "ftp-test-server.h"
#include "net-test.h"
#include "net/event.h"
#include "net/internet-error.h"
#include "net/partial-file.h"
#include "net/remote-file.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "settings/app-settings.h"
#include "text/cp932.h"

namespace murlo::test {
namespace {

const std::string kResumable = [] {
  std::string data(3000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i % 253);
  return data;
}();
constexpr std::time_t kModified = 1234567890;

class FtpTest : public NetTest {
 protected:
  static void SetUpTestSuite() {
    root_ = std::make_unique<Sandbox>();
    root_->write("hello.txt", "hello over ftp");
    std::filesystem::create_directories(root_->path("pub/files"));
    root_->write("pub/files/data.bin", std::string(70000, 'd'));
    const timeval times[2] = {{kModified, 0}, {kModified, 0}};
    ::utimes(root_->write("resumable.bin", kResumable).c_str(), times);
    server_ = std::make_unique<FtpTestServer>(root_->dir());
  }
  static void TearDownTestSuite() {
    server_.reset();
    root_.reset();
  }
  void SetUp() override {
    if (!server_->running()) GTEST_SKIP() << "pyftpdlib did not start";
  }
  // An opened RemoteFile for `path` from `offset` on.
  std::unique_ptr<RemoteFile> openFrom(const std::string& path, std::int64_t offset) {
    RemoteRequest request;
    request.url = server_->url(path);
    request.ftp = true;
    request.rangeFrom = offset;
    auto file = std::make_unique<RemoteFile>(std::move(request), nullptr, stop_);
    file->open();
    return file;
  }

  Event stop_;

  static std::unique_ptr<Sandbox> root_;
  static std::unique_ptr<FtpTestServer> server_;
};

std::unique_ptr<Sandbox> FtpTest::root_;
std::unique_ptr<FtpTestServer> FtpTest::server_;

TEST_F(FtpTest, DownloadsAFileIntoTheSaveFolder) {
  auto job = makeJob(server_->url("/hello.txt"), "hello.txt");
  runItem(ItemKind::kFtp, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("hello.txt"), "hello over ftp");
  EXPECT_EQ(job->doneBytes, 14);
  EXPECT_EQ(job->sizeKnown, 0);

  auto nested = makeJob(server_->url("/pub/files/data.bin"), "data.bin");
  nested->movement = nested->movement | movement::kHierarchy;
  runItem(ItemKind::kFtp, *nested);
  EXPECT_EQ(nested->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("pub/files/data.bin").size(), 70000u);
}

TEST_F(FtpTest, AMissingObjectFailsBeforeAnyLocalFileExists) {
  for (const char* path : {"/missing.txt", "/no/such/dir/file.txt"}) {
    auto job = makeJob(server_->url(path), "missing.txt");
    runItem(ItemKind::kFtp, *job);
    EXPECT_EQ(job->result, ItemResult::kErrorInternet) << path;
    EXPECT_FALSE(isSaved("missing.txt")) << path;
    ASSERT_FALSE(prompter_->messages().empty());
    EXPECT_EQ(prompter_->messages().back().text, "指定されたﾌｧｲﾙが見つかりません");
  }
  EXPECT_EQ(logEntries().size(), 2u);
}

TEST_F(FtpTest, AnInterruptedFileIsContinuedOnlyWhileTheRemoteFileIsUnchanged) {
  const std::string url = server_->url("/pub/files/data.bin");
  const std::time_t remoteTime = *modificationTime(root_->path("pub/files/data.bin"));
  // "x" bytes where the file has "d" show which bytes were kept rather than fetched again.
  const std::string partial = partialFile("data.bin", url);
  writeWithTime(partial, std::string(1000, 'x'), remoteTime);
  auto resumed = makeJob(url, "data.bin");
  resumed->resumeFrom = partial;  // a resumed row
  runItem(ItemKind::kFtp, *resumed);
  EXPECT_EQ(resumed->result, ItemResult::kSucceed);
  EXPECT_TRUE(saved("data.bin") == std::string(1000, 'x') + std::string(69000, 'd'));
  EXPECT_FALSE(std::filesystem::exists(partial));

  // Bytes of another version of the file, or more bytes than the file has: a new download
  // finds them and starts afresh.
  struct Case {
    const char* name;
    std::size_t size;
    std::time_t time;
  };
  for (const Case& c :
       {Case{"older.bin", 1000, remoteTime - 60}, Case{"longer.bin", 80000, remoteTime}}) {
    writeWithTime(partialFile(c.name, url), std::string(c.size, 'x'), c.time);
    auto job = makeJob(url, c.name);
    runItem(ItemKind::kFtp, *job);
    EXPECT_EQ(job->result, ItemResult::kSucceed) << c.name;
    EXPECT_TRUE(saved(c.name) == std::string(70000, 'd')) << c.name;
    EXPECT_FALSE(std::filesystem::exists(partialFile(c.name, url))) << c.name;
  }
}

TEST_F(FtpTest, AnHttpAddressIsRefused) {
  auto job = makeJob("http://127.0.0.1:1/file.txt", "file.txt");
  runItem(ItemKind::kFtp, *job);
  EXPECT_EQ(job->result, ItemResult::kErrorInternet);
  EXPECT_FALSE(isSaved("file.txt"));
}

TEST_F(FtpTest, ARemoteFileResumesFromAnOffsetAndTellsTheFileTime) {
  auto file = openFrom("/resumable.bin", 1000);
  std::string body;
  char piece[700];
  while (const std::size_t n = file->read(piece, sizeof piece)) body.append(piece, n);
  EXPECT_TRUE(file->atEnd());
  EXPECT_TRUE(body == kResumable.substr(1000)) << body.size();
  EXPECT_EQ(file->remoteTime(), std::optional<std::time_t>(kModified));
  EXPECT_EQ(file->contentLength(), std::optional<std::int64_t>(2000));

  // A partial file that is already whole: nothing more comes, and that is no error.
  auto whole = openFrom("/resumable.bin", 3000);
  EXPECT_EQ(whole->read(piece, sizeof piece), 0u);
  EXPECT_TRUE(whole->atEnd());

  try {
    openFrom("/resumable.bin", 3001);
    ADD_FAILURE() << "an offset past the end opened";
  } catch (const InternetError& error) {
    EXPECT_EQ(error.code(), EngineError::curl(CURLE_BAD_DOWNLOAD_RESUME)) << error.what();
  }
}

}  // namespace
}  // namespace murlo::test
