#include "settings/save-folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "sandbox.h"
#include "scripted-prompter.h"

namespace murlo {
namespace {

class SaveFolderCheck : public ::testing::Test {
 protected:
  std::optional<std::string> check(const std::string& text) {
    return checkSaveFolder(text, prompter_, mounts_);
  }
  std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const auto& m : prompter_.messages()) out.push_back(m.text);
    return out;
  }

  test::Sandbox box_;
  test::ScriptedPrompter prompter_;
  std::vector<MountEntry> mounts_ = {{"/dev/sda1", "/", "ext4"}};
};

TEST_F(SaveFolderCheck, AnExistingFolderPassesTrimmed) {
  EXPECT_EQ(check("  " + box_.dir() + "\t"), box_.dir());
  EXPECT_TRUE(messages().empty());
}

TEST_F(SaveFolderCheck, AMissingFolderIsCreatedOnlyOnYes) {
  const std::string wanted = box_.path("new");
  EXPECT_EQ(check(wanted), std::nullopt);  // unscripted answer: No
  EXPECT_FALSE(std::filesystem::exists(wanted));
  prompter_.answer(PromptAnswer::kYes);
  EXPECT_EQ(check(wanted), wanted);
  EXPECT_TRUE(std::filesystem::is_directory(wanted));
  EXPECT_EQ(messages(), std::vector<std::string>(2, createFolderQuestion(wanted)));
  EXPECT_EQ(prompter_.messages()[0].icon, PromptIcon::kQuestion);
  EXPECT_EQ(createFolderQuestion("/x"), "ﾃﾞｨﾚｸﾄﾘ \"/x\"は存在しません\n作成しますか？");

  // One level only: a folder two levels below anything existing fails after Yes.
  prompter_.answer(PromptAnswer::kYes);
  EXPECT_EQ(check(box_.path("a/b")), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(box_.path("a")));
}

TEST_F(SaveFolderCheck, ARelativeFolderIsCreatedAndReturnedAbsolute) {
  namespace fs = std::filesystem;
  const fs::path before = fs::current_path();
  fs::create_directory(box_.path("run"));
  fs::current_path(box_.path("run"));
  prompter_.answer(PromptAnswer::kYes);
  const auto created = check(" ./x/../saved/ ");
  const auto existing = check("../");
  fs::current_path(before);
  EXPECT_EQ(created, box_.path("run/saved/"));
  EXPECT_TRUE(fs::is_directory(box_.path("run/saved")));
  EXPECT_EQ(existing, box_.dir() + "/");
  EXPECT_EQ(messages(), std::vector<std::string>{createFolderQuestion(box_.path("run/saved/"))});
}

TEST_F(SaveFolderCheck, RefusalsAndTheirMessages) {
  EXPECT_EQ(check(box_.write("file", "x")), std::nullopt);
  EXPECT_EQ(check("  /a "), std::nullopt);  // two characters after trimming: no message
  EXPECT_EQ(check("   "), std::nullopt);
  mounts_.push_back({"//nas/share", box_.dir(), "cifs"});
  EXPECT_EQ(check(box_.dir()), std::nullopt);
  mounts_.back().type = "iso9660";
  EXPECT_EQ(check(box_.path("sub")), std::nullopt);  // missing, on a disc: nothing asked
  EXPECT_EQ(messages(), (std::vector<std::string>{kNotDirectory, kDriveRefused, kDriveRefused}));
  EXPECT_FALSE(std::filesystem::exists(box_.path("sub")));
}

TEST(SaveFolderHistory, PushMovesOlderFoldersDown) {
  AppSettings s;
  s.path01 = "/a";
  s.path02 = "/b";
  s.path03 = "/c";
  pushSaveFolder(s, "/a");
  EXPECT_EQ(s.path01 + s.path02 + s.path03, "/a/b/c");
  pushSaveFolder(s, "/b");  // the folder before: swapped, PATH03 kept
  EXPECT_EQ(s.path01 + s.path02 + s.path03, "/b/a/c");
  pushSaveFolder(s, "/d");
  EXPECT_EQ(s.path01 + s.path02 + s.path03, "/d/b/a");
}

}  // namespace
}  // namespace murlo
