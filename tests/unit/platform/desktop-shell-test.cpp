#include "platform/desktop-shell.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "sandbox.h"
#include "wait-for.h"

namespace murlo {
namespace {

// Puts a stand-in "xdg-open" first on PATH for the test's lifetime. It records its argument
// and keeps running until the test releases it (ten seconds at most).
class FakeOpener : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(box_.path("bin"));
    const std::string script = box_.write("bin/xdg-open",
                                          "#!/bin/sh\n"
                                          "dir=$(dirname \"$0\")\n"
                                          "printf %s \"$1\" > \"$dir/opened\"\n"
                                          "i=0\n"
                                          "while [ ! -e \"$dir/release\" ] && [ $i -lt 200 ]; do\n"
                                          "  sleep 0.05; i=$((i + 1))\n"
                                          "done\n"
                                          "touch \"$dir/exited\"\n");
    chmod(script.c_str(), 0755);
    const char* path = std::getenv("PATH");
    oldPath_ = path ? path : "";
    setenv("PATH", (box_.path("bin") + ":" + oldPath_).c_str(), 1);
  }
  void TearDown() override { setenv("PATH", oldPath_.c_str(), 1); }

  test::Sandbox box_;
  std::string oldPath_;
};

TEST_F(FakeOpener, OpenReturnsWhileTheOpenerStillRuns) {
  XdgOpenShell shell;
  ASSERT_TRUE(shell.open("http://127.0.0.1/a b.html"));
  EXPECT_FALSE(box_.exists("bin/exited"));
  box_.write("bin/release", "");
  ASSERT_TRUE(test::waitFor([&] { return box_.exists("bin/exited"); }));
  EXPECT_EQ(box_.read("bin/opened"), "http://127.0.0.1/a b.html");

  setenv("PATH", box_.path("nothing-here").c_str(), 1);
  EXPECT_FALSE(shell.open("http://127.0.0.1/"));
}

}  // namespace
}  // namespace murlo
