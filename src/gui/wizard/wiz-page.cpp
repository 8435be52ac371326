#include "wizard/wiz-page.h"

#include <wx/stattext.h>

#include "ui-text.h"

namespace murlo::gui {

using namespace wizard;

CWizPage::CWizPage(CWizard& wizard, WizardPage id)
    : wxWizardPage(&wizard), wizard_(wizard), id_(id), top_(new wxBoxSizer(wxVERTICAL)) {
  SetSizer(top_);
  // A page without a colour of its own paints no background: whatever the page before it or
  // a closed message box left on the screen would stay under its texts.
  SetBackgroundColour(wizard.GetBackgroundColour());
  // The wizard asks GetNext() before it sends PAGE_CHANGING, so Next checks here.
  Bind(wxEVT_WIZARD_BEFORE_PAGE_CHANGED, [this](wxWizardEvent& event) {
    if (!event.GetDirection()) return;
    next_ = next();
    if (next_ == WizardPage::kStay) event.Veto();
  });
  Bind(wxEVT_WIZARD_PAGE_CHANGED, [this](wxWizardEvent&) { onShow(); });
}

wxWizardPage* CWizPage::GetPrev() const { return wizard_.page(previousPage(id_, wizard_.state())); }

wxWizardPage* CWizPage::GetNext() const { return wizard_.page(next_); }

void CWizPage::addText(const char* text) {
  top_->Add(new wxStaticText(this, wxID_ANY, u8(text)), 0, wxBOTTOM, dlu(4));
}

RadioGroup::RadioGroup(wxWindow* parent, wxSizer* sizer,
                       std::initializer_list<const char*> labels) {
  auto* none = new wxRadioButton(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                 wxRB_GROUP);
  none->Hide();
  buttons_.push_back(none);
  for (const char* label : labels) {
    buttons_.push_back(new wxRadioButton(parent, wxID_ANY, u8(label)));
    sizer->Add(buttons_.back(), 0, wxALL, 4);
  }
  none->SetValue(true);
}

std::optional<int> RadioGroup::chosenIndex() const {
  for (std::size_t i = 1; i < buttons_.size(); ++i) {
    if (buttons_[i]->GetValue()) return static_cast<int>(i) - 1;
  }
  return std::nullopt;
}

}  // namespace murlo::gui
