// Which questions the job commands' options answer, without a terminal or a network.
#include "answering-prompter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

namespace murlo::test {
namespace {

using cli::AnsweringPrompter;

struct Asked {
  PromptAnswer answer;
  std::string printed;
};

// Asks one question of a prompter made with the options; `typed` is the terminal's input,
// none when standard input is not a terminal.
Asked ask(std::optional<PromptAnswer> answer, bool resumeOutside, PromptButtons buttons,
          std::optional<std::string> typed = std::nullopt) {
  std::string input = typed.value_or("");
  std::FILE* in = fmemopen(input.data(), input.size() + 1, "r");
  char* printed = nullptr;
  std::size_t printedSize = 0;
  std::FILE* out = open_memstream(&printed, &printedSize);
  cli::StatusLine line(out);
  AnsweringPrompter prompter(answer, resumeOutside, in, line, typed.has_value());
  Asked asked{prompter.message("続けますか?", PromptIcon::kQuestion, buttons), ""};
  std::fclose(out);
  std::fclose(in);
  asked.printed.assign(printed, printedSize);
  std::free(printed);
  return asked;
}

TEST(AnsweringPrompter, OnlyResumeOutsideAnswersTheRiskyQuestionYes) {
  constexpr auto kYes = PromptAnswer::kYes;
  constexpr auto kNo = PromptAnswer::kNo;
  constexpr auto kPlain = PromptButtons::kYesNo;
  constexpr auto kRisky = PromptButtons::kYesNoDefaultNo;
  // --yes and --no answer the plain question, never the risky one.
  EXPECT_EQ(ask(kYes, false, kPlain).answer, kYes);
  EXPECT_EQ(ask(kNo, false, kPlain).answer, kNo);
  const Asked risky = ask(kYes, false, kRisky);
  EXPECT_EQ(risky.answer, kNo);
  EXPECT_EQ(risky.printed, "murlo-cli: 続けますか? (いいえ)\n");
  // --resume-outside answers the risky question only, whatever --no says.
  const Asked allowed = ask(kNo, true, kRisky);
  EXPECT_EQ(allowed.answer, kYes);
  EXPECT_EQ(allowed.printed, "murlo-cli: 続けますか? (はい)\n");
  EXPECT_EQ(ask(std::nullopt, true, kPlain).answer, kNo);
  // Without the option, a terminal is asked, and an empty answer takes the default No.
  EXPECT_EQ(ask(kYes, false, kRisky, "y\n").answer, kYes);
  const Asked declined = ask(kYes, false, kRisky, "\n");
  EXPECT_EQ(declined.answer, kNo);
  EXPECT_EQ(declined.printed, "murlo-cli: 続けますか? [y/N] ");
}

}  // namespace
}  // namespace murlo::test
