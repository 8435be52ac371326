// Japanese names on disk: whatever the page's encoding, files and hierarchy folders are
// saved under their UTF-8 names in a save folder with a Japanese name, while the list keeps
// the program's own encoding and a suspended item stays resumable through a saved list.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <thread>

#include "items/item-info.h"
#include "items/list-file.h"
#include "job-test.h"
#include "jobs/download-job.h"
#include "net/partial-file.h"
#include "text/cp932.h"
#include "wait-for.h"

namespace murlo::test {
namespace {

using namespace std::chrono_literals;

class LocalNamesTest : public JobTest {
 protected:
  LocalNamesTest() {
    std::filesystem::create_directory(saveFolder());
    // The engine takes a folder in CP932 as well, as older settings held it.
    host_.settingsValue.path01 = utf8ToCp932(saveFolder());
    host_.settingsValue.movement = movement::kAutoRename | movement::kHierarchy;
  }
  std::string saveFolder() const { return sandbox_.path("ダウンロード"); }
  // A row as analysis appends it: the folder and name as the page wrote them.
  void addLink(const std::string& folder, const std::string& name) {
    host_.list.AddItem(name, server_.url("/") + folder, "IMG", "jpg", "", "");
  }
};

TEST_F(LocalNamesTest, PagesInShiftJisAndUtf8GiveTheSameUtf8NamesOnDisk) {
  // The server sees the addresses as the pages wrote them (percent-encoded on the wire).
  const std::map<std::string, std::string> files = {
      {"/sjis/" + utf8ToCp932("画像") + "/" + utf8ToCp932("写真.jpg"), "from a Shift_JIS page"},
      {"/utf8/画像/写真.jpg", "from a UTF-8 page"},
      {"/utf8/画像/x.jpg", "a folder written percent-encoded"},
  };
  server_.routes().Get(".*",
                       [&files](const httplib::Request& request, httplib::Response& response) {
                         const auto file = files.find(request.path);
                         if (file == files.end()) {
                           response.status = 404;
                           return;
                         }
                         response.set_content(file->second, "image/jpeg");
                       });
  server_.start();
  addLink("sjis/" + utf8ToCp932("画像") + "/", utf8ToCp932("写真.jpg"));
  addLink("utf8/画像/", "写真.jpg");
  addLink("utf8/%E7%94%BB%E5%83%8F/", "x.jpg");
  DownloadJob job(host_);
  ASSERT_TRUE(host_.runJob(job));
  EXPECT_EQ(host_.outputCodes(),
            (std::vector<OutputEvent>{JobStart::kDownload, ItemResult::kSucceed,
                                      ItemResult::kSucceed, ItemResult::kSucceed}));
  EXPECT_EQ(readFile(saveFolder() + "/sjis/画像/写真.jpg"), "from a Shift_JIS page");
  EXPECT_EQ(readFile(saveFolder() + "/utf8/画像/写真.jpg"), "from a UTF-8 page");
  EXPECT_EQ(readFile(saveFolder() + "/utf8/画像/x.jpg"), "a folder written percent-encoded");
}

TEST_F(LocalNamesTest, ASuspendedItemNamesItsPartialFileReadablyAndResumesAfterARestart) {
  const std::string body = bytePattern(200000);
  auto slow = std::make_shared<std::atomic<bool>>(true);
  server_.routes().Get(".*", [body, slow](const httplib::Request&, httplib::Response& response) {
    response.set_header("Last-Modified", "Tue, 14 Nov 2023 22:13:20 GMT");
    setDrippingBody(response, body, "image/jpeg", slow);
  });
  server_.start();
  addLink("画像/", "写真.jpg");
  {
    DownloadJob job(host_);
    job.start();
    ASSERT_TRUE(waitFor([&] {
      job.timerTick();
      return host_.list.text(0, kColInfo).find(" KB/ ") != std::string::npos;
    }));
    ASSERT_TRUE(job.suspend());
  }
  const std::string partial =
      partialPathFor(saveFolder() + "/画像/写真.jpg", server_.url("/画像/写真.jpg"));
  ASSERT_TRUE(std::filesystem::exists(partial));
  // The row's information is CP932 throughout, so it reads as Japanese in the list.
  const std::string info = host_.list.text(0, kColInfo);
  EXPECT_TRUE(info.ends_with(" : " + utf8ToCp932(partial))) << displayText(info);
  EXPECT_NE(displayText(info).find("ダウンロード/画像/写真.jpg."), std::string::npos)
      << displayText(info);

  // A restart: the list goes through a list file and comes back.
  const std::string listPath = sandbox_.path("l.mrl");
  ASSERT_TRUE(WriteList(host_.list, listPath));
  host_.list.deleteAll();
  ASSERT_TRUE(ReadList(host_.list, listPath).ok());
  *slow = false;
  DownloadJob again(host_);
  ASSERT_TRUE(host_.runJob(again));
  EXPECT_EQ(host_.outputCodes().back(), OutputEvent(ItemResult::kSucceed));
  EXPECT_TRUE(readFile(saveFolder() + "/画像/写真.jpg") == body);
  EXPECT_FALSE(std::filesystem::exists(partial));
}

}  // namespace
}  // namespace murlo::test
