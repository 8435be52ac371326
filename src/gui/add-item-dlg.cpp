#include "add-item-dlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <climits>

#include "initial-focus.h"
#include "paste-button.h"
#include "text/integer-field.h"
#include "ui-text.h"

namespace murlo::gui {

namespace {

std::string text(const wxTextCtrl* field) { return std::string(field->GetValue().utf8_str()); }

}  // namespace

CAddItemDlg::CAddItemDlg(wxWindow* parent, Prompter& prompter)
    : wxDialog(parent, wxID_ANY, u8("ｱｲﾃﾑ追加ﾀﾞｲｱﾛｸﾞ")), prompter_(prompter) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* fields = new wxFlexGridSizer(3, wxSize(6, 6));
  fields->AddGrowableCol(1);
  auto label = [](wxWindow* parent, const char* text) {
    return new wxStaticText(parent, wxID_ANY, u8(text));
  };
  address_ = new wxTextCtrl(this, kAddressId, wxEmptyString, wxDefaultPosition, wxSize(380, -1));
  fields->Add(label(this, "ｱﾄﾞﾚｽ :"), 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(address_, 1, wxEXPAND);
  fields->Add(new PasteButton(this, address_, PasteButton::Mode::kAtCaret));
  referrer_ = new wxTextCtrl(this, kReferrerId);
  fields->Add(label(this, "参照 :"), 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(referrer_, 1, wxEXPAND);
  fields->AddSpacer(0);
  top->Add(fields, 0, wxALL | wxEXPAND, 8);

  auto* group = new wxStaticBoxSizer(wxVERTICAL, this, u8("高度な機能"));
  wxWindow* box = group->GetStaticBox();
  useRange_ = new wxCheckBox(box, kUseRangeId, u8("この機能を使用する"));
  group->Add(useRange_, 0, wxALL, 4);
  auto* series = new wxFlexGridSizer(2, wxSize(6, 6));
  series->AddGrowableCol(1);
  auto addRow = [&](const char* caption, wxWindow* control) {
    series->Add(label(box, caption), 0, wxALIGN_CENTER_VERTICAL);
    series->Add(control, 1, wxEXPAND);
  };
  base_ =
      new wxTextCtrl(box, kBaseId, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
  increment_ = new wxTextCtrl(box, kIncrementId, "1");
  digits_ = new wxTextCtrl(box, kDigitsId, "0");
  rangeText_ = new wxTextCtrl(box, kRangeId);
  format_ = new wxTextCtrl(box, kFormatId);
  addRow("ｱﾄﾞﾚｽ :", base_);
  addRow("ｲﾝｸﾘﾒﾝﾄ値 :", increment_);
  addRow("桁数 :", digits_);
  addRow("数値範囲 :", rangeText_);
  addRow("ﾌｧｲﾙ書式 :", format_);
  group->Add(series, 0, wxALL | wxEXPAND, 4);
  confirm_ = new wxCheckBox(box, kConfirmId, u8("書式の確認をする"));
  group->Add(confirm_, 0, wxALL, 4);
  top->Add(group, 0, wxLEFT | wxRIGHT | wxEXPAND, 8);

  auto* buttons = new wxStdDialogButtonSizer;
  auto* ok = new wxButton(this, wxID_OK, "OK");
  ok->SetDefault();  // Enter in a field presses it
  buttons->AddButton(ok);
  buttons->AddButton(new wxButton(this, wxID_CANCEL, u8("ｷｬﾝｾﾙ")));
  buttons->Realize();
  top->Add(buttons, 0, wxALL | wxEXPAND, 8);
  SetSizerAndFit(top);
  focusFieldOnOpen(*this, *address_);

  enableSeries(false);
  useRange_->Bind(wxEVT_CHECKBOX, &CAddItemDlg::onUseRange, this);
  address_->Bind(wxEVT_TEXT, &CAddItemDlg::onAddressChanged, this);
  Bind(wxEVT_BUTTON, &CAddItemDlg::onOk, this, wxID_OK);
}

void CAddItemDlg::enableSeries(bool on) {
  for (wxWindow* w :
       std::initializer_list<wxWindow*>{confirm_, increment_, digits_, rangeText_, format_}) {
    w->Enable(on);
  }
}

void CAddItemDlg::updateBase() {
  if (auto base = baseAddressOf(text(address_))) base_->ChangeValue(u8(*base));
}

void CAddItemDlg::onUseRange(wxCommandEvent&) {
  const bool on = useRange_->GetValue();
  if (on) updateBase();
  enableSeries(on);
}

void CAddItemDlg::onAddressChanged(wxCommandEvent&) {
  if (useRange_->GetValue()) updateBase();
}

bool CAddItemDlg::readInteger(wxTextCtrl* field, int min, int max, int& value) {
  const IntegerField read = readIntegerField(text(field), min, max);
  if (read.ok) {
    value = read.value;
    return true;
  }
  prompter_.message(read.error, PromptIcon::kExclamation, PromptButtons::kOk);
  field->SetFocus();
  field->SelectAll();
  return false;
}

void CAddItemDlg::onOk(wxCommandEvent& event) {
  AddItemRequest request;
  request.address = text(address_);
  request.referrer = text(referrer_);
  request.useRange = useRange_->GetValue();
  request.baseAddress = text(base_);
  request.rangeText = text(rangeText_);
  request.fileFormat = text(format_);
  // The number fields count only for a series: disabled, they cannot be corrected.
  if (request.useRange && (!readInteger(increment_, INT_MIN, INT_MAX, request.increment) ||
                           !readInteger(digits_, 0, kMaxDigits, request.digits))) {
    return;
  }
  AddItemCheck check = checkAddItemRequest(request);
  if (!check.error.empty()) {
    prompter_.message(check.error, PromptIcon::kStop, PromptButtons::kOk);
    return;
  }
  auto agreed = [this](const std::string& question) {
    return prompter_.message(question, PromptIcon::kQuestion, PromptButtons::kYesNo) ==
           PromptAnswer::kYes;
  };
  if (request.useRange && confirm_->GetValue() && !agreed(formatPreview(request))) return;
  if (check.itemCount > kAskAboveItemCount && !agreed(manyItemsQuestion(check.itemCount))) return;
  request_ = std::move(request);
  range_ = std::move(check.range);
  event.Skip();
}

}  // namespace murlo::gui
