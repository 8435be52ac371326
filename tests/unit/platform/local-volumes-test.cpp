#include "platform/local-volumes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/folder-listing.h"
#include "sandbox.h"

namespace murlo {
namespace {

TEST(LocalVolumes, RootHomeAndTheMountsAFileManagerShows) {
  const std::vector<MountEntry> mounts = {{"/dev/sda2", "/", "ext4"},
                                          {"proc", "/proc", "proc"},
                                          {"/dev/sda3", "/home", "ext4"},
                                          {"/dev/sda4", "/boot", "ext4"},
                                          {"/dev/sdb1", "/media/u/STICK", "vfat"},
                                          {"/dev/sr0", "/media/u/DISC", "iso9660"},
                                          {"srv:/x", "/mnt/nfs", "nfs"},
                                          {"/dev/sdc1", "/mnt/data", "xfs"},
                                          {"/dev/sdc1", "/mnt/data", "xfs"}};
  const auto volumes = localVolumes(mounts, "/home/u");
  std::vector<std::string> paths;
  for (const Volume& v : volumes) paths.push_back(v.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"/", "/home/u", "/media/u/STICK", "/media/u/DISC",
                                             "/mnt/data"}));
  EXPECT_EQ(volumes[2].type, DriveType::kRemovable);
  EXPECT_EQ(volumes[3].type, DriveType::kOptical);
  EXPECT_EQ(volumes[4].type, DriveType::kFixed);
  EXPECT_EQ(localVolumes(mounts, "/").size(), 4u);  // a home that is the root is listed once
}

TEST(FolderListing, SortedFoldersWithoutHiddenOnesOrFiles) {
  namespace fs = std::filesystem;
  test::Sandbox box;
  for (const char* d : {"b", "a", ".hidden", "c/deeper"}) fs::create_directories(box.path(d));
  box.write("file.txt", "x");
  fs::create_directory_symlink(box.path("a"), box.path("link-to-a"));
  const FolderListing listing = listSubfolders(box.dir());
  EXPECT_EQ(listing.result, ListingResult::kOk);
  EXPECT_EQ(listing.names, (std::vector<std::string>{"a", "b", "c", "link-to-a"}));
  EXPECT_EQ(listSubfolders(box.path("missing")).result, ListingResult::kFailed);
}

}  // namespace
}  // namespace murlo
