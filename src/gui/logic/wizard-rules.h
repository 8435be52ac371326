// The wizard's rules without its windows: which page follows which, what each page's Next
// checks (telling the user through the prompter) and writes into the settings, and the
// summary's texts. Pages are named by their template numbers.
//
//   WizardState state;
//   WizardPage next = nextFromPurpose(choice, prompter);  // WizardPage::kStay: it stays
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/mount-table.h"
#include "platform/prompter.h"
#include "settings/app-settings.h"

namespace murlo::gui::wizard {

enum class WizardPage {
  kFinish = -1,  // what Next on the summary returns: the wizard ends with the finish actions
  kStay = 0,     // what a Next returns when it refuses: the page stays
  kPurpose = 171,
  kLinkForm = 173,
  kAddress = 174,
  kSummary = 175,
  kHomePage = 176,
  kExtensions = 177,
  kLargeFile = 178,
};

// The choices of the pages' radio groups, in the order the pages show them.
enum class Purpose { kImages, kHomePage, kLargeFile };
enum class LinkForm { kShownInPage, kLinked, kAddressesInText };
enum class HomePageMethod { kPageAndLinks, kRecursive };
enum class Saving { kOneFolder, kSiteFolders };

// The wizard's modes, as the finish actions take them.
enum class WizardMode {
  kNone,
  kImages,     // the page's images: analysis of the page with only image links kept
  kAnalysis,   // the page's links
  kRecursive,  // the site under the page's folder
  kDownload,   // the one file
};

struct WizardState {
  WizardMode mode = WizardMode::kNone;
  // The page that last sent the user forward to the address page or the summary; kStay at
  // start.
  WizardPage cameFrom = WizardPage::kStay;
  std::string address;
};

// The extension check boxes of the extensions page, in the page's order, with their control
// numbers and DownEx bits.
struct ExtensionBox {
  int id;
  int bit;
  const char* label;
};
const std::vector<ExtensionBox>& extensionBoxes();

// The page Back leads to from `page`.
WizardPage previousPage(WizardPage page, const WizardState& state);

// Next on each page; an empty choice is a radio group in which nothing is chosen.
WizardPage nextFromPurpose(std::optional<Purpose> choice, Prompter& prompter);
WizardPage nextFromLinkForm(std::optional<LinkForm> choice, AppSettings& settings,
                            WizardState& state, Prompter& prompter);
WizardPage nextFromHomePage(std::optional<HomePageMethod> method, std::optional<Saving> saving,
                            AppSettings& settings, WizardState& state, Prompter& prompter);
// Next on the extensions page: `checkedBits` the ticked boxes' bits, `extend` the field.
WizardPage nextFromExtensions(int checkedBits, const std::string& extend, AppSettings& settings,
                              WizardState& state, Prompter& prompter);
// Next on the address page or the large-file page (`page`), with the folder and address as
// typed (UTF-8).
WizardPage nextFromAddress(WizardPage page, const std::string& folder, const std::string& address,
                           AppSettings& settings, WizardState& state, Prompter& prompter,
                           const std::vector<MountEntry>& mounts);

// The summary's address: a line break after each of its first three 50-character blocks
// that more text follows.
std::string summaryAddress(const std::string& address);
// The summary's text for a mode; empty for an unknown one.
std::string modeText(WizardMode mode);

}  // namespace murlo::gui::wizard
