#include "platform/mount-table.h"

#include <gtest/gtest.h>

#include "sandbox.h"

namespace murlo {
namespace {

// Lines as /proc/self/mounts shows them on a desktop with a stick, a disc and shares.
constexpr const char* kTable =
    "/dev/sda2 / ext4 rw,relatime 0 0\n"
    "proc /proc proc rw,nosuid 0 0\n"
    "tmpfs /tmp tmpfs rw 0 0\n"
    "/dev/sda3 /home ext4 rw 0 0\n"
    "/dev/sdb1 /media/user/USB\\040STICK vfat rw,nosuid 0 0\n"
    "/dev/sr0 /run/media/user/DISC iso9660 ro 0 0\n"
    "/dev/sr1 /mnt/dvd udf ro 0 0\n"
    "server:/export /home/user/nfs nfs4 rw 0 0\n"
    "//nas/share /mnt/share cifs rw 0 0\n"
    "user@host:/ /home/user/remote fuse.sshfs rw 0 0\n";

std::vector<MountEntry> sampleTable(const test::Sandbox& box) {
  return readMountTable(box.write("mounts", kTable));
}

TEST(MountTable, ReadsAndClassifiesEachKindOfVolume) {
  test::Sandbox box;
  const auto mounts = sampleTable(box);
  ASSERT_EQ(mounts.size(), 10u);
  EXPECT_EQ(mounts[4].dir, "/media/user/USB STICK");  // the escaped blank decoded
  const DriveType expected[] = {DriveType::kFixed,   DriveType::kVirtual,   DriveType::kFixed,
                                DriveType::kFixed,   DriveType::kRemovable, DriveType::kOptical,
                                DriveType::kOptical, DriveType::kNetwork,   DriveType::kNetwork,
                                DriveType::kNetwork};
  for (std::size_t i = 0; i < mounts.size(); ++i) {
    EXPECT_EQ(classifyMount(mounts[i]), expected[i]) << mounts[i].dir;
  }
  EXPECT_TRUE(readMountTable(box.path("absent")).empty());
}

TEST(MountTable, APathBelongsToTheDeepestMountOverIt) {
  test::Sandbox box;
  const auto mounts = sampleTable(box);
  auto typeOf = [&](const std::string& path) {
    const MountEntry* m = mountHolding(mounts, path);
    return m ? classifyMount(*m) : DriveType::kVirtual;
  };
  EXPECT_EQ(typeOf("/home/user/nfs/a/b"), DriveType::kNetwork);
  EXPECT_EQ(typeOf("/home/user/nfsx"), DriveType::kFixed);  // a name that only starts alike
  EXPECT_EQ(typeOf("/media/user/USB STICK/photos"), DriveType::kRemovable);
  EXPECT_EQ(typeOf("/run/media/user/DISC"), DriveType::kOptical);
  EXPECT_EQ(typeOf("/mnt/share/x"), DriveType::kNetwork);
  EXPECT_EQ(typeOf("/var/tmp"), DriveType::kFixed);

  std::vector<MountEntry> overmounted = {
      {"a", "/", "ext4"}, {"b", "/data", "nfs"}, {"c", "/data", "ext4"}};
  EXPECT_EQ(classifyMount(*mountHolding(overmounted, "/data/x")), DriveType::kFixed);
}

TEST(MountTable, AMissingFolderIsJudgedByItsNearestExistingParent) {
  test::Sandbox box;
  const std::vector<MountEntry> mounts = {{"a", "/", "ext4"}, {"b", box.dir(), "cifs"}};
  EXPECT_EQ(driveTypeOf(box.path("not/yet/there"), mounts), DriveType::kNetwork);
  EXPECT_EQ(driveTypeOf("/", mounts), DriveType::kFixed);
}

}  // namespace
}  // namespace murlo
