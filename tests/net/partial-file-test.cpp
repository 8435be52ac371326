// Partial files: a download keeps its bytes under a partial name until it is complete, a
// later run continues them only from the same, unchanged remote file, and nothing a list
// or the save folder holds can make a write follow a link or leave the save folder.
#include "net/partial-file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "http-test-server.h"
#include "net-test.h"
#include "net/result-codes.h"
#include "net/save-path.h"
#include "net/worker-threads.h"
#include "platform/user-name.h"
#include "settings/app-settings.h"

namespace murlo::test {
namespace {

const std::string kWhole = bytePattern(3000);
constexpr std::time_t kModified = 1700000000;  // Tue, 14 Nov 2023 22:13:20 GMT
// Another user, whom root (as the tests run) can give a file.
constexpr uid_t kOtherUser = 65534;

std::string attributeOf(const std::string& path, const char* name) {
  char value[256];
  const ssize_t n = ::getxattr(path.c_str(), name, value, sizeof value);
  return n > 0 ? std::string(value, static_cast<std::size_t>(n)) : std::string();
}

class PartialFileTest : public NetTest {
 protected:
  // Serves kWhole with a Last-Modified time; the server answers ranges but, like many, does
  // not look at If-Range.
  void serveFile(std::time_t modified = kModified) {
    server_.routes().Get("/file.bin", [this, modified](const httplib::Request& request,
                                                       httplib::Response& response) {
      ranges_.push_back(request.get_header_value("Range"));
      ifRanges_.push_back(request.get_header_value("If-Range"));
      response.set_header("Last-Modified", httpDateOf(modified));
      response.set_content(kWhole, "application/octet-stream");
    });
    server_.start();
  }
  static std::string httpDateOf(std::time_t time) {
    char text[64];
    std::tm date{};
    gmtime_r(&time, &date);
    std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S GMT", &date);
    return text;
  }
  static std::time_t mtimeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mtime : -1;
  }

  HttpTestServer server_;
  std::vector<std::string> ranges_;
  std::vector<std::string> ifRanges_;
};

TEST_F(PartialFileTest, AnInterruptedDownloadIsContinuedAndOnlyTheWholeFileGetsTheName) {
  serveFile();
  const std::string url = server_.url("/file.bin");
  const std::string partial = partialFile("file.bin", url);
  writeWithTime(partial, kWhole.substr(0, 1000), kModified);

  auto job = makeJob(url, "file.bin");
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  // One request, for the rest only.
  EXPECT_EQ(ranges_, std::vector<std::string>{"bytes=1000-"});
  EXPECT_EQ(ifRanges_.back(), "Tue, 14 Nov 2023 22:13:20 GMT");
  EXPECT_TRUE(saved("file.bin") == kWhole);
  EXPECT_EQ(mtimeOf(saveDir() + "file.bin"), kModified);
  EXPECT_FALSE(std::filesystem::exists(partial));
  EXPECT_EQ(job->doneBytes, 3000);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(saveDir()), {}), 1);
}

TEST_F(PartialFileTest, APartialFileOfAnotherVersionOrLongerThanTheFileStartsAfresh) {
  serveFile();
  const std::string url = server_.url("/file.bin");
  struct Case {
    std::string partial;
    std::time_t modified;
  };
  // Bytes of another version of the file; a partial file longer than the file (answered 416).
  for (const Case& c :
       {Case{std::string(1000, 'x'), kModified - 60}, Case{std::string(4000, 'x'), kModified}}) {
    const std::string partial = partialFile("file.bin", url);
    writeWithTime(partial, c.partial, c.modified);
    auto job = makeJob(url, "file.bin");
    job->resumeFrom = partial;  // a resumed row
    runItem(ItemKind::kResume, *job);
    EXPECT_EQ(job->result, ItemResult::kSucceed) << c.partial.size();
    EXPECT_TRUE(saved("file.bin") == kWhole) << c.partial.size();
    EXPECT_FALSE(std::filesystem::exists(partial));
    EXPECT_EQ(ranges_.back(), "") << "the whole file is asked for again";
    std::filesystem::remove(saveDir() + "file.bin");
  }
}

TEST_F(PartialFileTest, WritesNeverFollowALink) {
  serveFile();
  const std::string url = server_.url("/file.bin");
  const std::string outside = sandbox_.write("outside.txt", "keep");

  // A link at the final name is replaced by the file, not written through.
  ::symlink(outside.c_str(), (saveDir() + "file.bin").c_str());
  auto overwrite = makeJob(url, "file.bin");
  overwrite->movement = movement::kOverwrite;
  runItem(ItemKind::kDownload, *overwrite);
  EXPECT_EQ(overwrite->result, ItemResult::kSucceed);
  EXPECT_EQ(readFile(outside), "keep");
  EXPECT_TRUE(
      std::filesystem::is_regular_file(std::filesystem::symlink_status(saveDir() + "file.bin")));

  // A link at the partial name is left alone and the file written under another; a linked
  // folder of the hierarchy fails the item.
  ::symlink(outside.c_str(), partialFile("linked.bin", url).c_str());
  auto partialLink = makeJob(url, "linked.bin");
  runItem(ItemKind::kDownload, *partialLink);
  EXPECT_EQ(partialLink->result, ItemResult::kSucceed);
  EXPECT_TRUE(saved("linked.bin") == kWhole);
  EXPECT_TRUE(std::filesystem::is_symlink(partialFile("linked.bin", url)));

  std::filesystem::create_directory(sandbox_.path("elsewhere"));
  ::symlink(sandbox_.path("elsewhere").c_str(), (saveDir() + "dir").c_str());
  server_.routes().Get("/dir/f.bin", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("data", "application/octet-stream");
  });
  auto folderLink = makeJob(server_.url("/dir/f.bin"), "f.bin");
  folderLink->movement = movement::kHierarchy;
  runItem(ItemKind::kDownload, *folderLink);
  EXPECT_EQ(folderLink->result, ItemResult::kErrorFile);

  EXPECT_EQ(readFile(outside), "keep");
  EXPECT_TRUE(std::filesystem::is_empty(sandbox_.path("elsewhere")));
}

TEST_F(PartialFileTest, AResumePathFromAListIsWrittenOnlyWhenItIsARegularFileInTheSaveFolder) {
  serveFile();
  const std::string url = server_.url("/file.bin");
  std::filesystem::create_directory(sandbox_.path("elsewhere"));
  const std::string outside = sandbox_.write("elsewhere/file.bin", kWhole.substr(0, 1000));
  const std::string link = saveDir() + "link.bin";
  ::symlink(outside.c_str(), link.c_str());
  const std::string fifo = saveDir() + "fifo.bin";
  ::mkfifo(fifo.c_str(), 0600);

  for (const std::string& path : {outside, link, fifo}) {
    auto job = makeJob(url, "file.bin");
    job->resumeFrom = path;
    runItem(ItemKind::kResume, *job);
    EXPECT_EQ(job->result, ItemResult::kErrorResume) << path;
  }
  EXPECT_TRUE(ranges_.empty());
  EXPECT_TRUE(readFile(outside) == kWhole.substr(0, 1000));
  // The question about the file outside is asked with No as its default; the link and the
  // FIFO are refused outright.
  ASSERT_EQ(prompter_->messages().size(), 3u);
  EXPECT_EQ(prompter_->messages()[0].buttons, PromptButtons::kYesNoDefaultNo);
  EXPECT_EQ(prompter_->messages()[0].text.find(outside + "\r\n"), 0u);
  EXPECT_EQ(prompter_->messages()[1].buttons, PromptButtons::kOk);

  // The user may agree to continue the file outside.
  prompter_->answer(PromptAnswer::kYes);
  auto agreed = makeJob(url, "file.bin");
  agreed->resumeFrom = outside;
  runItem(ItemKind::kResume, *agreed);
  EXPECT_EQ(agreed->result, ItemResult::kSucceed);
  EXPECT_TRUE(readFile(outside) == kWhole);
}

// Only the user's own plain file is continued: a hard link to a file elsewhere and another
// user's file are left as they are, and the download goes to another partial name, saying so.
TEST_F(PartialFileTest, APartialFileThatIsNotTheUsersOwnPlainFileIsLeftAlone) {
  serveFile();
  const std::string url = server_.url("/file.bin");
  std::filesystem::create_directory(sandbox_.path("elsewhere"));
  // The true start of the file, so that continuing it would look right.
  const std::string outside = sandbox_.path("elsewhere/kept.bin");
  writeWithTime(outside, kWhole.substr(0, 1000), kModified);
  ASSERT_EQ(::link(outside.c_str(), partialFile("hard.bin", url).c_str()), 0);
  const std::string theirs = partialFile("theirs.bin", url);
  writeWithTime(theirs, std::string(1000, 'x'), kModified);
  if (::chown(theirs.c_str(), kOtherUser, kOtherUser) != 0) {
    GTEST_SKIP() << "only root can give a file to another user";
  }
  // A resume row naming another user's file.
  const std::string theirRow = partialFile("row.bin", url);
  writeWithTime(theirRow, std::string(1000, 'x'), kModified);
  ASSERT_EQ(::chown(theirRow.c_str(), kOtherUser, kOtherUser), 0);

  const std::string ofOtherUser = " はﾕｰｻﾞｰ " + userName(kOtherUser) + " のﾌｧｲﾙのため";
  for (const auto& [name, why] : {std::pair<std::string, std::string>{"hard.bin", " はﾘﾝｸか"},
                                  {"theirs.bin", ofOtherUser},
                                  {"row.bin", ofOtherUser}}) {
    auto job = makeJob(url, name);
    if (name == "row.bin") {
      job->resumeFrom = theirRow;
      runItem(ItemKind::kResume, *job);
    } else {
      runItem(ItemKind::kDownload, *job);
    }
    EXPECT_EQ(job->result, ItemResult::kSucceed) << name;
    EXPECT_TRUE(saved(name) == kWhole) << name;
    EXPECT_EQ(job->notice.get().find(partialFile(name, url) + why), 0u) << job->notice.get();
  }
  EXPECT_EQ(ranges_, (std::vector<std::string>{"", "", ""}));
  EXPECT_TRUE(readFile(outside) == kWhole.substr(0, 1000));
  EXPECT_EQ(mtimeOf(outside), kModified);
  for (const std::string& path : {theirs, theirRow}) {
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kOtherUser);
    EXPECT_TRUE(readFile(path) == std::string(1000, 'x'));
  }
  const std::vector<LogEntry> log = logEntries();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].reason.find(partialFile("hard.bin", url) + " はﾘﾝｸか"), 0u);
}

// The tag is the start of the SHA-256 of the address, and the address is kept with the
// partial file: bytes written for another address are never continued. A resume row of an
// older run, whose partial file has an 8-digit tag and no address, is still continued.
TEST_F(PartialFileTest, APartialFileIsContinuedOnlyForItsOwnAddress) {
  serveFile();
  const std::string url = server_.url("/file.bin");
  const std::string partial = partialFile("file.bin", url);
  EXPECT_TRUE(std::regex_match(partial, std::regex(R"(.*/file\.bin\.[0-9a-f]{16}\.part)")));
  writeWithTime(partial, std::string(1000, 'x'), kModified);
  const std::string other = server_.url("/other/file.bin");
  ::setxattr(partial.c_str(), kUrlAttribute, other.data(), other.size(), 0);
  auto job = makeJob(url, "file.bin");
  runItem(ItemKind::kDownload, *job);
  EXPECT_EQ(job->result, ItemResult::kSucceed);
  EXPECT_TRUE(saved("file.bin") == kWhole);
  EXPECT_EQ(attributeOf(saveDir() + "file.bin", kUrlAttribute), url);

  const std::string older = saveDir() + "older.bin.0123abcd.part";
  writeWithTime(older, kWhole.substr(0, 1000), kModified);
  auto row = makeJob(url, "older.bin");
  row->resumeFrom = older;
  runItem(ItemKind::kResume, *row);
  EXPECT_EQ(row->result, ItemResult::kSucceed);
  EXPECT_TRUE(saved("older.bin") == kWhole);
  EXPECT_EQ(ranges_, (std::vector<std::string>{"", "bytes=1000-"}));
}

TEST_F(PartialFileTest, ALongNameLeavesRoomForTheRenameCounterAndThePartialName) {
  serveFile();
  const std::string longName = std::string(300, 'n') + ".bin";
  for (int run = 0; run < 2; ++run) {
    auto job = makeJob(server_.url("/file.bin"), longName);
    runItem(ItemKind::kDownload, *job);
    EXPECT_EQ(job->result, ItemResult::kSucceed) << run;
    EXPECT_LE(job->localName.size(), kMaxFileNameBytes);
    EXPECT_TRUE(job->localName.ends_with(run == 0 ? "n.bin" : "n0.bin")) << job->localName;
    EXPECT_TRUE(saved(job->localName) == kWhole);
    // A file of another time under the name is not this download: the next one is renamed.
    writeWithTime(saveDir() + job->localName, kWhole, kModified - 60);
  }
}

}  // namespace
}  // namespace murlo::test
