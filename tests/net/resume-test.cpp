// Resume, the JPEG-only transfer and the item properties query.
#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <filesystem>

#include "http-test-server.h"
#include "net-test.h"
#include "net/partial-file.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "raw-test-server.h"
#include "text/cp932.h"

namespace murlo::test {
namespace {

const std::string kWhole = bytePattern(3000);

constexpr std::time_t kModified = 1700000000;

class ResumeTest : public NetTest {
 protected:
  // Serves kWhole at /file.bin, last modified at kModified; the server answers Range
  // requests with 206 or 416.
  void serveFile() {
    server_.routes().Get("/file.bin",
                         [this](const httplib::Request& request, httplib::Response& response) {
                           ranges_.push_back(request.get_header_value("Range"));
                           response.set_header("Last-Modified", "Tue, 14 Nov 2023 22:13:20 GMT");
                           response.set_content(kWhole, "application/octet-stream");
                         });
    server_.start();
  }

  std::shared_ptr<JobRecord> resumeJob(const std::string& partial) {
    auto job = makeJob(server_.url("/file.bin"), "file.bin");
    job->resumeFrom = partial;
    return job;
  }

  HttpTestServer server_;
  std::vector<std::string> ranges_;
};

// A partial file of an older list lies under its final name; it is continued all the same.
TEST_F(ResumeTest, AsksFromTheEndOfThePartialFileAndCompletesIt) {
  serveFile();
  const std::string partial = saveDir() + "file.bin";
  writeWithTime(partial, kWhole.substr(0, 1000), kModified);
  auto job = resumeJob(partial);
  runItem(ItemKind::kResume, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_EQ(ranges_, std::vector<std::string>{"bytes=1000-"});
  EXPECT_TRUE(readFile(partial) == kWhole) << readFile(partial).size();
  EXPECT_EQ(job->doneBytes, 3000);
  EXPECT_EQ(job->totalBytes, 3000);
}

// A server that ignores the range, or finds the file changed since the partial file's time
// (If-Range), sends the whole file: it replaces the partial file's bytes.
TEST_F(ResumeTest, AServerThatIgnoresTheRangeRestartsTheFile) {
  RawTestServer server("HTTP/1.1 200 OK\r\nContent-Length: 3000\r\n\r\n" + kWhole);
  const std::string partial = sandbox_.write("save/file.bin", kWhole.substr(0, 1000));
  auto job = makeJob(server.url("/file.bin"), "file.bin");
  job->resumeFrom = partial;
  runItem(ItemKind::kResume, *job);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_NE(server.requests()[0].find("Range: bytes=1000-\r\n"), std::string::npos);
  EXPECT_NE(server.requests()[0].find("If-Range: "), std::string::npos);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_TRUE(readFile(partial) == kWhole) << readFile(partial).size();
  EXPECT_EQ(job->doneBytes, 3000);
}

// Only a file of the size the server announced gets its final name: a piece that stops
// short of the total stays partial for a later resume, and a piece nobody asked for is
// refused before anything is written. With no total, a body that ends cleanly is whole.
TEST_F(ResumeTest, OnlyAFileOfTheAnnouncedSizeGetsItsNameAndAnUnaskedPieceFails) {
  const std::string head =
      "HTTP/1.1 206 Partial Content\r\nLast-Modified: Tue, 14 Nov 2023 22:13:20 GMT\r\n"
      "Content-Range: bytes ";
  RawTestServer unasked(head + "0-999/3000\r\nContent-Length: 1000\r\n\r\n" +
                        kWhole.substr(0, 1000));
  auto plain = makeJob(unasked.url("/piece.bin"), "piece.bin");
  runItem(ItemKind::kDownload, *plain);
  EXPECT_EQ(plain->result, ItemResult::kErrorInternet);
  EXPECT_FALSE(isSaved("piece.bin"));
  EXPECT_FALSE(isSaved(partialFile("piece.bin", plain->url).substr(saveDir().size())));

  // Resumes `name` from a partial file of kWhole's first 1000 bytes; true when it succeeded.
  const auto resumeFrom = [&](const RawTestServer& server, const std::string& name) {
    auto job = makeJob(server.url("/" + name), name);
    job->resumeFrom = partialFile(name, job->url);
    writeWithTime(job->resumeFrom, kWhole.substr(0, 1000), kModified);
    runItem(ItemKind::kResume, *job);
    return job->result == ItemResult::kSucceed;
  };
  RawTestServer shortPiece(head + "1000-1999/3000\r\nContent-Length: 1000\r\n\r\n" +
                           kWhole.substr(1000, 1000));
  EXPECT_FALSE(resumeFrom(shortPiece, "short.bin"));
  EXPECT_TRUE(readFile(partialFile("short.bin", shortPiece.url("/short.bin"))) ==
              kWhole.substr(0, 2000));
  EXPECT_FALSE(isSaved("short.bin"));
  ASSERT_FALSE(logEntries().empty());
  EXPECT_EQ(logEntries().back().reason,
            "ﾌｧｲﾙの途中で接続が切れました (ｻｰﾊﾞｰが示した 3000 ﾊﾞｲﾄのうち 2000 ﾊﾞｲﾄで終わりました)");

  RawTestServer noTotal(head + "1000-2999/*\r\nContent-Length: 2000\r\n\r\n" + kWhole.substr(1000));
  EXPECT_TRUE(resumeFrom(noTotal, "whole.bin"));
  EXPECT_TRUE(saved("whole.bin") == kWhole);
}

TEST_F(ResumeTest, ACompletePartialFileIsLeftAsItIs) {
  serveFile();
  const std::string partial = saveDir() + "file.bin";
  writeWithTime(partial, kWhole, kModified);
  auto job = resumeJob(partial);
  runItem(ItemKind::kResume, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_TRUE(readFile(partial) == kWhole) << readFile(partial).size();

  // The refusal's own text is no part of the file.
  RawTestServer refusing(
      "HTTP/1.1 416 Range Not Satisfiable\r\nLast-Modified: Tue, 14 Nov 2023 22:13:20 GMT\r\n"
      "Content-Range: bytes */3000\r\nContent-Length: 21\r\n\r\nRange Not Satisfiable");
  const std::string other = partialFile("other.bin", refusing.url("/other.bin"));
  writeWithTime(other, kWhole, kModified);
  auto again = makeJob(refusing.url("/other.bin"), "other.bin");
  again->resumeFrom = other;
  runItem(ItemKind::kResume, *again);
  EXPECT_EQ(again->result, ItemResult::kSucceed);
  EXPECT_TRUE(saved("other.bin") == kWhole) << saved("other.bin").size();
}

TEST_F(ResumeTest, AMissingPartialFileAsksForAnother) {
  serveFile();
  auto declined = resumeJob(sandbox_.path("save/gone.bin"));
  runItem(ItemKind::kResume, *declined);
  EXPECT_EQ(declined->result, ItemResult::kErrorResume);
  ASSERT_EQ(prompter_->messages().size(), 1u);
  EXPECT_EQ(
      prompter_->messages()[0].text,
      sandbox_.path("save/gone.bin") + "\r\nが見付かりません。変更したﾌｧｲﾙﾊﾟｽを指定しますか？");
  EXPECT_EQ(prompter_->messages()[0].buttons, PromptButtons::kYesNo);
  EXPECT_TRUE(ranges_.empty());

  const std::string other = sandbox_.write("other.part", kWhole.substr(0, 2000));
  prompter_->answer(PromptAnswer::kYes);
  prompter_->giveFile(other);
  auto chosen = resumeJob(sandbox_.path("save/gone.bin"));
  runItem(ItemKind::kResume, *chosen);
  EXPECT_EQ(chosen->result, ItemResult::kSucceed);
  EXPECT_EQ(prompter_->dialogTitles(), std::vector<std::string>{"ﾚｼﾞｭｰﾑﾌｧｲﾙ の指定"});
  EXPECT_TRUE(readFile(other) == kWhole) << readFile(other).size();
  EXPECT_EQ(chosen->localName, other);
}

// A file that changed but kept its date is told by its ETag, which is kept with the partial
// file and sent in If-Range; this server, like many, does not look at If-Range.
TEST_F(ResumeTest, AChangedETagRestartsTheFileWhateverItsDate) {
  std::vector<std::string> ifRanges;
  server_.routes().Get("/tagged.bin",
                       [&](const httplib::Request& request, httplib::Response& response) {
                         ranges_.push_back(request.get_header_value("Range"));
                         ifRanges.push_back(request.get_header_value("If-Range"));
                         response.set_header("Last-Modified", "Tue, 14 Nov 2023 22:13:20 GMT");
                         response.set_header("ETag", "\"v2\"");
                         response.set_content(kWhole, "application/octet-stream");
                       });
  server_.start();
  const std::string url = server_.url("/tagged.bin");
  struct Case {
    std::string etag;
    std::string start;
    std::vector<std::string> ranges;
  };
  for (const Case& c : {Case{"\"v1\"", std::string(1000, 'x'), {"bytes=1000-", ""}},
                        Case{"\"v2\"", kWhole.substr(0, 1000), {"bytes=1000-"}}}) {
    ranges_.clear();
    ifRanges.clear();
    const std::string partial = partialFile("tagged.bin", url);
    writeWithTime(partial, c.start, kModified);
    ::setxattr(partial.c_str(), kEtagAttribute, c.etag.data(), c.etag.size(), 0);
    auto job = makeJob(url, "tagged.bin");
    job->resumeFrom = partial;
    runItem(ItemKind::kResume, *job);
    EXPECT_EQ(job->result, ItemResult::kSucceed) << c.etag;
    EXPECT_TRUE(saved("tagged.bin") == kWhole) << c.etag;
    EXPECT_EQ(ranges_, c.ranges) << c.etag;
    EXPECT_EQ(ifRanges.front(), c.etag);
    std::filesystem::remove(saveDir() + "tagged.bin");
  }
}

class JpegTest : public NetTest {
 protected:
  void SetUp() override {
    // JFIF: FF D8 FF E0, the segment length, then "JFIF".
    serve("/photo.jpg",
          std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11) + std::string(4000, 'j'));
    serve("/exif.JPG", std::string("\xFF\xD8\xFF\xE1\x00\x10"
                                   "Exif\x00\x00",
                                   12) +
                           std::string(4000, 'e'));
    serve("/tiny.jpg", "\xFF\xD8\xFF");
    server_.start();
  }
  void serve(const std::string& path, const std::string& body) {
    server_.routes().Get(path, [body](const httplib::Request&, httplib::Response& response) {
      response.set_content(body, "image/jpeg");
    });
  }
  HttpTestServer server_;
};

TEST_F(JpegTest, SavesOnlyJfifFiles) {
  auto jfif = makeJob(server_.url("/photo.jpg"), "photo.jpg");
  runItem(ItemKind::kJpeg, *jfif);
  EXPECT_EQ(jfif->result, ItemResult::kSucceed);
  EXPECT_EQ(saved("photo.jpg").size(), 4011u);

  for (const char* name : {"exif.JPG", "tiny.jpg"}) {
    auto other = makeJob(server_.url(std::string("/") + name), name);
    other->bufferSize = 256;
    runItem(ItemKind::kJpeg, *other);
    EXPECT_EQ(other->result, ItemResult::kErrorDownload) << name;
    EXPECT_FALSE(isSaved(name)) << name;
  }
}

TEST_F(JpegTest, AnAddressNotEndingInJpgIsRefusedWithoutARequest) {
  auto job = makeJob(server_.url("/photo.jpeg"), "photo.jpeg");
  runItem(ItemKind::kJpeg, *job);
  EXPECT_EQ(job->result, ItemResult::kNotJpeg);
  EXPECT_FALSE(isSaved("photo.jpeg"));
}

TEST_F(NetTest, TheInfoQueryReadsSizeAndDates) {
  HttpTestServer server;
  server.routes().Get("/dated.zip", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("Last-Modified", "Tue, 05 Mar 2002 08:09:10 GMT");
    response.set_header("Date", "Sun, 17 Nov 2024 23:59:59 GMT");
    response.set_content(std::string(1234, 'z'), "application/zip");
  });
  server.routes().Get("/undated", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("x", "application/octet-stream");
  });
  server.start();
  auto dated = makeJob(server.url("/dated.zip"));
  runItem(ItemKind::kInfo, *dated);
  EXPECT_EQ(dated->result, ItemResult::kSucceed);
  EXPECT_EQ(dated->info.remoteSize, 1234);
  EXPECT_EQ(dated->info.lastModified, "2002/3/5");
  EXPECT_EQ(dated->info.serverDate, "2024/11/17");

  auto undated = makeJob(server.url("/undated"));
  runItem(ItemKind::kInfo, *undated);
  EXPECT_EQ(undated->info.remoteSize, 1);
  EXPECT_EQ(undated->info.lastModified, utf8ToCp932("不明"));
  EXPECT_EQ(undated->info.serverDate, utf8ToCp932("不明"));
}

}  // namespace
}  // namespace murlo::test
