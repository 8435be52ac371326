// The kind of an engine failure keeps equal numbers of different origins apart.
#include "net/engine-error.h"

#include <gtest/gtest.h>

namespace murlo::test {
namespace {

constexpr std::string_view kGeneric = "接続に関するｴﾗｰが発生しました";

TEST(EngineErrorTest, NumbersOfDifferentKindsNeverMeet) {
  EXPECT_EQ(kCodeFileNotFound.text(), "指定されたﾌｧｲﾙが見つかりません");
  EXPECT_EQ(EngineError::program(kCodeFileNotFound.number).text(), kGeneric);
  EXPECT_EQ(EngineError::httpStatus(kCodeFileNotFound.number).text(), kGeneric);
  EXPECT_NE(EngineError::curl(3), EngineError::url(3));

  // Only the program's refusals are warnings; a refused answer is an error whatever its status.
  EXPECT_EQ(kReportUnauthorized.icon(), PromptIcon::kExclamation);
  EXPECT_EQ(EngineError::httpStatus(401).icon(), PromptIcon::kStop);
  EXPECT_EQ(EngineError::httpStatus(401).text(), kGeneric);
  EXPECT_EQ(kCodeOffline.icon(), PromptIcon::kStop);
  EXPECT_TRUE(kReportNothing.text().empty());
}

}  // namespace
}  // namespace murlo::test
