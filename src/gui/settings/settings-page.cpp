#include "settings/settings-page.h"

#include <wx/spinbutt.h>
#include <wx/statbox.h>

#include "ui-text.h"

namespace murlo::gui {

CSettingsPage::CSettingsPage(wxWindow* parent, AppContext& app, const char* caption)
    : wxPanel(parent), app_(app), caption_(u8(caption)) {}

void CSettingsPage::build() {
  auto* top = new wxBoxSizer(wxVERTICAL);
  createControls(top);
  top->AddSpacer(dlu(4));
  SetSizer(top);
  // Any change the user makes to a control marks the page modified; the values the page
  // sets while unpacking do not.
  auto modified = [this](wxEvent& event) {
    if (!loading_) markModified();
    event.Skip();
  };
  Bind(wxEVT_CHECKBOX, modified);
  Bind(wxEVT_RADIOBUTTON, modified);
  Bind(wxEVT_TEXT, modified);
  Bind(wxEVT_COMBOBOX, modified);
  Bind(wxEVT_SPIN, modified);
}

void CSettingsPage::showPage() {
  if (shown_) return;
  loading_ = true;
  load(app_.settings);
  loading_ = false;
  shown_ = true;
}

void CSettingsPage::markModified() {
  if (onModified) onModified();
}

wxStaticBoxSizer* CSettingsPage::group(wxSizer* parent, const char* label, int proportion) {
  auto* box = new wxStaticBoxSizer(wxVERTICAL, this, u8(label));
  parent->Add(box, proportion, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, dlu(4));
  return box;
}

wxStaticBoxSizer* CSettingsPage::bitGroup(wxSizer* parent, const char* label,
                                          std::initializer_list<BitLabel> boxes, int proportion) {
  wxStaticBoxSizer* box = group(parent, label, proportion);
  for (const BitLabel& b : boxes) bitBox(box, b.label, b.bit);
  return box;
}

wxCheckBox* CSettingsPage::bitBox(wxStaticBoxSizer* group, const char* label, int bit) {
  return addBitBox(group->GetStaticBox(), group, label, bit);
}

wxCheckBox* CSettingsPage::bitBox(wxBoxSizer* top, const char* label, int bit) {
  return addBitBox(this, top, label, bit);
}

wxCheckBox* CSettingsPage::addBitBox(wxWindow* parent, wxSizer* sizer, const char* label, int bit) {
  auto* box = new wxCheckBox(parent, wxID_ANY, u8(label));
  sizer->Add(box, 0, wxALL, dlu(2));
  bitBoxes_.emplace_back(box, bit);
  return box;
}

void CSettingsPage::unpackBits(int word) {
  for (auto& [box, bit] : bitBoxes_) box->SetValue((word & bit) != 0);
}

int CSettingsPage::packBits() const {
  int word = 0;
  for (const auto& [box, bit] : bitBoxes_) {
    if (box->GetValue()) word |= bit;
  }
  return word;
}

}  // namespace murlo::gui
