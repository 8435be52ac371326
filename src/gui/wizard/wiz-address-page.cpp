#include "wizard/wiz-address-page.h"

#include <wx/button.h>
#include <wx/dnd.h>
#include <wx/stattext.h>

#include "clipboard-text.h"
#include "paste-button.h"
#include "platform/mount-table.h"
#include "settings/save-folder.h"
#include "ui-text.h"

namespace murlo::gui {

namespace {

// Takes an address dragged from a browser in place of the field's text.
class AddressDrop : public wxTextDropTarget {
 public:
  explicit AddressDrop(wxTextCtrl* field) : field_(field) {}

  bool OnDropText(wxCoord, wxCoord, const wxString& text) override {
    if (!isDroppableAddress(std::string(text.utf8_str()))) return false;
    field_->SetValue(text);
    return true;
  }

 private:
  wxTextCtrl* field_;
};

}  // namespace

CWizAddressPage::CWizAddressPage(CWizard& wizard, wizard::WizardPage id) : CWizPage(wizard, id) {
  addText("保存先ﾌｫﾙﾀﾞ :");
  auto* folderRow = new wxBoxSizer(wxHORIZONTAL);
  folder_ = new wxTextCtrl(this, kFolderId, wxEmptyString, wxDefaultPosition, wxSize(dlu(200), -1));
  folderRow->Add(folder_, 1, wxALIGN_CENTER_VERTICAL);
  auto* browse = new wxButton(this, kBrowseId, "...", wxDefaultPosition, wxSize(dlu(20), -1));
  folderRow->Add(browse, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, dlu(2));
  top()->Add(folderRow, 0, wxEXPAND | wxBOTTOM, dlu(10));

  addText("URL :");
  auto* addressRow = new wxBoxSizer(wxHORIZONTAL);
  address_ = new wxTextCtrl(this, kAddressId);
  addressRow->Add(address_, 1, wxALIGN_CENTER_VERTICAL);
  addressRow->Add(new PasteButton(this, address_), 0, wxLEFT | wxALIGN_CENTER_VERTICAL, dlu(2));
  top()->Add(addressRow, 0, wxEXPAND);

  browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onBrowse(); });
  // The field needs its own target: the text control would otherwise take any drop itself.
  SetDropTarget(new AddressDrop(address_));
  address_->SetDropTarget(new AddressDrop(address_));
}

void CWizAddressPage::onShow() {
  // The keyboard goes to the address, which the user has to give: in the folder field,
  // selected as a field is when it takes the focus, typing would replace the folder.
  address_->SetFocus();
  // The folder the user saves to now, when the page is first shown.
  if (filled_) return;
  filled_ = true;
  folder_->ChangeValue(u8(settings().path01));
}

void CWizAddressPage::onBrowse() {
  const auto chosen =
      browseSaveFolder(prompter(), std::string(folder_->GetValue().utf8_str()), readMountTable());
  if (chosen) folder_->ChangeValue(u8(*chosen));
}

wizard::WizardPage CWizAddressPage::next() {
  return nextFromAddress(id(), std::string(folder_->GetValue().utf8_str()),
                         std::string(address_->GetValue().utf8_str()), settings(), wizard().state(),
                         prompter(), readMountTable());
}

}  // namespace murlo::gui
