// The wizard's rules without its windows: which page follows which, what each page's Next
// checks (telling the user through the prompter) and writes into the settings, and the
// summary's texts. Pages are named by their template numbers.
//
//   WizardState state;
//   int next = nextFromPurpose(choice, prompter);  // kStay: the page stays
#pragma once

#include <string>
#include <vector>

#include "platform/mount-table.h"
#include "platform/prompter.h"
#include "settings/app-settings.h"

namespace murlo::gui::wizard {

inline constexpr int kPurposePage = 171;
inline constexpr int kLinkFormPage = 173;
inline constexpr int kAddressPage = 174;
inline constexpr int kSummaryPage = 175;
inline constexpr int kHomePagePage = 176;
inline constexpr int kExtensionsPage = 177;
inline constexpr int kLargeFilePage = 178;
// What a Next returns when it refuses: the page stays.
inline constexpr int kStay = 0;
// What Next on the summary returns: the wizard ends with the finish actions.
inline constexpr int kFinish = -1;
// A radio group in which nothing is chosen.
inline constexpr int kNoChoice = -1;

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
  // The page that last sent the user forward to the address page or the summary; 0 at start.
  int cameFrom = 0;
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
int previousPage(int page, const WizardState& state);

// Next on the purpose page: 0 images, 1 home page, 2 large file.
int nextFromPurpose(int choice, Prompter& prompter);
// Next on the image link form page: 0 shown in the page, 1 linked, 2 written as URLs.
int nextFromLinkForm(int choice, AppSettings& settings, WizardState& state, Prompter& prompter);
// Next on the home page page: `method` 0 the page and its links, 1 recursive; `saving`
// 0 one folder, 1 the site's folders.
int nextFromHomePage(int method, int saving, AppSettings& settings, WizardState& state,
                     Prompter& prompter);
// Next on the extensions page: `checkedBits` the ticked boxes' bits, `extend` the field.
int nextFromExtensions(int checkedBits, const std::string& extend, AppSettings& settings,
                       WizardState& state, Prompter& prompter);
// Next on the address page or the large-file page (`page`), with the folder and address as
// typed (UTF-8).
int nextFromAddress(int page, const std::string& folder, const std::string& address,
                    AppSettings& settings, WizardState& state, Prompter& prompter,
                    const std::vector<MountEntry>& mounts);

// The summary's address: a line break after each of its first three 50-character blocks
// that more text follows.
std::string summaryAddress(const std::string& address);
// The summary's text for a mode; empty for an unknown one.
std::string modeText(WizardMode mode);

}  // namespace murlo::gui::wizard
