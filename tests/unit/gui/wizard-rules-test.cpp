#include "logic/wizard-rules.h"

#include <gtest/gtest.h>

#include "scripted-prompter.h"

namespace murlo::gui::wizard {
namespace {

TEST(WizardRules, HomePageRefusalKeepsModeAndTagExtensionsAreRebuilt) {
  test::ScriptedPrompter prompter;
  AppSettings settings;
  settings.movement = movement::kHierarchy | movement::kNoConfirm;
  WizardState state;
  EXPECT_EQ(nextFromHomePage(HomePageMethod::kRecursive, std::nullopt, settings, state, prompter),
            WizardPage::kStay);
  EXPECT_EQ(state.mode, WizardMode::kRecursive);
  EXPECT_EQ(settings.tag, 15);
  EXPECT_EQ(nextFromHomePage(HomePageMethod::kPageAndLinks, Saving::kOneFolder, settings, state,
                             prompter),
            WizardPage::kExtensions);
  EXPECT_EQ(state.mode, WizardMode::kAnalysis);
  EXPECT_EQ(settings.movement, movement::kNoConfirm);

  settings.extend = "lha";
  EXPECT_EQ(nextFromExtensions(0, "", settings, state, prompter), WizardPage::kStay);
  EXPECT_EQ(settings.downEx, AppSettings().downEx);  // a refusal stores nothing
  EXPECT_EQ(nextFromExtensions(downex::kJpg, "", settings, state, prompter), WizardPage::kAddress);
  EXPECT_EQ(settings.downEx, downex::kJpg);
  EXPECT_EQ(settings.extend, "lha");
  EXPECT_EQ(nextFromExtensions(0, "png;webp", settings, state, prompter), WizardPage::kAddress);
  EXPECT_EQ(settings.downEx, downex::kCustom);
  EXPECT_EQ(settings.extend, "png;webp");
  EXPECT_EQ(state.cameFrom, WizardPage::kExtensions);
  EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"保存する方法が選択されていません",
                                                        "拡張子が選択されていません"}));
}

TEST(WizardRules, TagKindsAreSetAndTheHtmlFinderBitIsKept) {
  test::ScriptedPrompter prompter;
  WizardState state;
  AppSettings settings;
  settings.tag = tagbits::kHtml5 | tagbits::kJpegOnly | tagbits::kFrame;
  EXPECT_EQ(nextFromLinkForm(LinkForm::kLinked, settings, state, prompter), WizardPage::kAddress);
  EXPECT_EQ(settings.tag, tagbits::kAnchor | tagbits::kHtml5);
  EXPECT_EQ(nextFromHomePage(HomePageMethod::kPageAndLinks, Saving::kOneFolder, settings, state,
                             prompter),
            WizardPage::kExtensions);
  EXPECT_EQ(settings.tag, 15 | tagbits::kHtml5);
  settings.tag = tagbits::kBody;
  EXPECT_EQ(nextFromLinkForm(LinkForm::kAddressesInText, settings, state, prompter),
            WizardPage::kAddress);
  EXPECT_EQ(settings.tag, tagbits::kAllHttp);
}

TEST(WizardRules, SummaryBreaksTheAddressAfterItsFirstThreeBlocks) {
  const std::string fifty(50, 'a');
  EXPECT_EQ(summaryAddress(""), "");
  EXPECT_EQ(summaryAddress(fifty), fifty);
  EXPECT_EQ(summaryAddress(fifty + fifty + std::string(20, 'c')),
            fifty + "\n" + fifty + "\n" + std::string(20, 'c'));
  EXPECT_EQ(summaryAddress(std::string(210, 'a')),
            fifty + "\n" + fifty + "\n" + fifty + "\n" + std::string(60, 'a'));
  // Characters, not bytes: a Japanese path is never cut inside a character.
  std::string japanese;
  for (int i = 0; i < 51; ++i) japanese += "画";
  EXPECT_EQ(summaryAddress(japanese), japanese.substr(0, 150) + "\n" + "画");
  EXPECT_EQ(modeText(WizardMode::kDownload), "ﾀﾞｳﾝﾛｰﾄﾞ");
  EXPECT_EQ(modeText(WizardMode::kNone), "");
}

}  // namespace
}  // namespace murlo::gui::wizard
