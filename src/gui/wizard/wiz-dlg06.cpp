#include "wizard/wiz-dlg06.h"

#include <wx/sizer.h>

#include "ui-text.h"

namespace murlo::gui {

using namespace wizard;

CWizDlg06::CWizDlg06(CWizard& wizard) : CWizPage(wizard, WizardPage::kExtensions) {
  addText("ﾀﾞｳﾝﾛｰﾄﾞする拡張子に全てﾁｪｯｸして下さい。");
  auto* grid = new wxGridSizer(4, dlu(2), dlu(8));
  for (const ExtensionBox& box : extensionBoxes()) {
    auto* check = new wxCheckBox(this, box.id, u8(box.label));
    grid->Add(check);
    boxes_.emplace_back(check, box.bit);
  }
  top()->Add(grid, 0, wxBOTTOM, dlu(8));
  addText("上記以外の拡張子をﾀﾞｳﾝﾛｰﾄﾞする場合は、下に書いて下さい。");
  addText("複数指定する場合は、ｾﾐｺﾛﾝ [;] で区切って下さい。");
  extend_ = new wxTextCtrl(this, kExtendId);
  top()->Add(extend_, 0, wxEXPAND);
}

void CWizDlg06::onShow() {
  for (const auto& [box, bit] : boxes_) box->SetValue((settings().downEx & bit) != 0);
  if (!settings().extend.empty()) extend_->ChangeValue(u8(settings().extend));
}

WizardPage CWizDlg06::next() {
  int bits = 0;
  for (const auto& [box, bit] : boxes_) {
    if (box->GetValue()) bits |= bit;
  }
  return nextFromExtensions(bits, std::string(extend_->GetValue().utf8_str()), settings(),
                            wizard().state(), prompter());
}

}  // namespace murlo::gui
