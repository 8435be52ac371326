#include "logic/wizard-rules.h"

#include "analysis/address.h"
#include "logic/job-command-rules.h"
#include "settings/save-folder.h"

namespace murlo::gui::wizard {

namespace {

constexpr int kAllTagKinds = tagbits::kImage | tagbits::kAnchor | tagbits::kBody | tagbits::kFrame;

WizardPage refuse(Prompter& prompter, const std::string& text,
                  PromptIcon icon = PromptIcon::kInformation) {
  prompter.message(text, icon, PromptButtons::kOk);
  return WizardPage::kStay;
}

}  // namespace

const std::vector<ExtensionBox>& extensionBoxes() {
  using namespace downex;
  static const std::vector<ExtensionBox> boxes = {
      {1004, kHtml, "htm,html,shtml"},
      {1005, kCgi, "cgi"},
      {1006, kTxt, "txt"},
      {1007, kJpg, "jpg"},
      {1008, kGif, "gif"},
      {1020, kLzh, "lzh"},
      {1010, kZip, "zip"},
      {1011, kRar, "rar"},
      {1013, kRm, "rm,ram"},
      {1014, kMpeg, "mpeg"},
      {1015, kAvi, "avi"},
      {1016, kViv, "viv"},
      {1017, kExe, "exe"},
  };
  return boxes;
}

WizardPage previousPage(WizardPage page, const WizardState& state) {
  using P = WizardPage;
  switch (page) {
    case P::kLinkForm:
    case P::kHomePage:
    case P::kLargeFile: return P::kPurpose;
    case P::kExtensions: return P::kHomePage;
    case P::kAddress: return state.cameFrom == P::kExtensions ? P::kExtensions : P::kLinkForm;
    case P::kSummary: return state.cameFrom == P::kLargeFile ? P::kLargeFile : P::kAddress;
    default: return P::kStay;
  }
}

WizardPage nextFromPurpose(std::optional<Purpose> choice, Prompter& prompter) {
  if (!choice) return refuse(prompter, "使用の目的が選択されていません");
  switch (*choice) {
    case Purpose::kImages: return WizardPage::kLinkForm;
    case Purpose::kHomePage: return WizardPage::kHomePage;
    case Purpose::kLargeFile: return WizardPage::kLargeFile;
  }
  return WizardPage::kStay;
}

WizardPage nextFromLinkForm(std::optional<LinkForm> choice, AppSettings& settings,
                            WizardState& state, Prompter& prompter) {
  if (!choice) return refuse(prompter, "ﾘﾝｸの形式が選択されていません");
  const int tag = *choice == LinkForm::kShownInPage ? tagbits::kImage
                  : *choice == LinkForm::kLinked    ? tagbits::kAnchor
                                                    : tagbits::kAllHttp;
  settings.tag = tag | (settings.tag & tagbits::kHtml5);
  state.mode = WizardMode::kImages;
  state.cameFrom = WizardPage::kLinkForm;
  return WizardPage::kAddress;
}

WizardPage nextFromHomePage(std::optional<HomePageMethod> method, std::optional<Saving> saving,
                            AppSettings& settings, WizardState& state, Prompter& prompter) {
  if (!method) return refuse(prompter, "ﾀﾞｳﾝﾛｰﾄﾞする方法が選択されていません");
  state.mode =
      *method == HomePageMethod::kPageAndLinks ? WizardMode::kAnalysis : WizardMode::kRecursive;
  settings.tag = kAllTagKinds | (settings.tag & tagbits::kHtml5);
  if (!saving) return refuse(prompter, "保存する方法が選択されていません");
  if (*saving == Saving::kOneFolder) {
    settings.movement &= ~movement::kHierarchy;
  } else {
    settings.movement |= movement::kHierarchy;
  }
  return WizardPage::kExtensions;
}

WizardPage nextFromExtensions(int checkedBits, const std::string& extend, AppSettings& settings,
                              WizardState& state, Prompter& prompter) {
  const int bits = checkedBits | (extend.empty() ? 0 : downex::kCustom);
  // A refusal leaves DownEx as it was: the user may still cancel the wizard.
  if (bits == 0) return refuse(prompter, "拡張子が選択されていません");
  settings.downEx = bits;
  if (!extend.empty()) settings.extend = extend;
  state.cameFrom = WizardPage::kExtensions;
  return WizardPage::kAddress;
}

WizardPage nextFromAddress(WizardPage page, const std::string& folder, const std::string& address,
                           AppSettings& settings, WizardState& state, Prompter& prompter,
                           const std::vector<MountEntry>& mounts) {
  if (trimAddress(folder).empty()) return refuse(prompter, "保存先のﾌｫﾙﾀﾞが指定されていません");
  const std::optional<std::string> checked = checkSaveFolder(folder, prompter, mounts);
  if (!checked) return WizardPage::kStay;
  // A dropped or pasted address often brings a line end along.
  const std::string url = trimAddress(address);
  if (url.empty()) return refuse(prompter, "URLが指定されていません");
  if (page == WizardPage::kAddress) {
    if (const auto error = recursiveAddressError(url)) {
      return refuse(prompter, *error, PromptIcon::kStop);
    }
  }
  // The wizard sets the save folder only; the history is the behaviour page's.
  settings.path01 = *checked;
  state.address = url;
  if (page == WizardPage::kLargeFile) {
    state.mode = WizardMode::kDownload;
    state.cameFrom = WizardPage::kLargeFile;
  }
  return WizardPage::kSummary;
}

std::string summaryAddress(const std::string& address) {
  constexpr int kBlock = 50;
  constexpr int kBrokenBlocks = 3;
  std::string out;
  int chars = 0;
  for (std::size_t i = 0; i < address.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(address[i]) & 0xC0) != 0x80;
    if (startsCharacter) {
      if (chars > 0 && chars % kBlock == 0 && chars <= kBlock * kBrokenBlocks) out += '\n';
      ++chars;
    }
    out += address[i];
  }
  return out;
}

std::string modeText(WizardMode mode) {
  switch (mode) {
    case WizardMode::kImages: return "画像解析→ﾀﾞｳﾝﾛｰﾄﾞ";
    case WizardMode::kAnalysis: return "解析→ﾀﾞｳﾝﾛｰﾄﾞ";
    case WizardMode::kRecursive: return "再帰的解析→ﾀﾞｳﾝﾛｰﾄﾞ";
    case WizardMode::kDownload: return "ﾀﾞｳﾝﾛｰﾄﾞ";
    case WizardMode::kNone: break;
  }
  return "";
}

}  // namespace murlo::gui::wizard
