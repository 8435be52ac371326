#include "platform/file-lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "platform/user-name.h"
#include "sandbox.h"

namespace murlo {
namespace {

constexpr uid_t kOtherUser = 65534;

// A lock file another user left in a shared folder with the sticky bit can be neither
// opened nor removed: the refusal names that user and what to do.
TEST(FileLock, AnotherUsersLockFileIsNamedWithWhatToDo) {
  test::Sandbox box;
  const std::string list = box.path("shared.mrl");
  const std::string lockPath = box.write(".shared.mrl.lock", "");
  if (::chown(lockPath.c_str(), kOtherUser, kOtherUser) != 0) {
    GTEST_SKIP() << "only root can give a file to another user";
  }
  ASSERT_EQ(FileLock::lockPathFor(list), lockPath);
  // Root opens any file, so the refusal another user would get is handed in.
  EXPECT_EQ(refusingOwner(lockPath, EACCES), kOtherUser);
  EXPECT_EQ(refusingOwner(lockPath, ENOSPC), std::nullopt);
  EXPECT_EQ(refusingOwner(box.write("own.lock", ""), EACCES), std::nullopt);
  EXPECT_EQ(refusingOwner(box.path("missing.lock"), EACCES), std::nullopt);

  const std::string text = foreignLockText(lockPath, kOtherUser);
  EXPECT_EQ(text.find(lockPath + " はﾕｰｻﾞｰ " + userName(kOtherUser) + " のﾛｯｸﾌｧｲﾙ"), 0u) << text;
  EXPECT_NE(text.find("削除してもらってください"), std::string::npos) << text;
}

}  // namespace
}  // namespace murlo
