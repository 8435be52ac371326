#include "wizard/wiz-dlg04.h"

#include <wx/sizer.h>

#include "ui-text.h"

namespace murlo::gui {

using namespace wizard;

CWizDlg04::CWizDlg04(CWizard& wizard) : CWizPage(wizard, WizardPage::kSummary) {
  auto* grid = new wxFlexGridSizer(2, dlu(4), dlu(6));
  const auto row = [&](const char* label) {
    grid->Add(new wxStaticText(this, wxID_ANY, u8(label)));
    auto* value = new wxStaticText(this, wxID_ANY, wxEmptyString);
    grid->Add(value);
    return value;
  };
  folder_ = row("保存先ﾌｫﾙﾀﾞ :");
  address_ = row("URL :");
  mode_ = row("動作 :");
  top()->Add(grid, 1, wxBOTTOM, dlu(8));
  addText("[完了] をｸﾘｯｸすると現在のｱｲﾃﾑは全て削除され、処理が");
  addText("開始されます。");
}

void CWizDlg04::onShow() {
  folder_->SetLabelText(u8(settings().path01));
  address_->SetLabelText(u8(summaryAddress(wizard().state().address)));
  mode_->SetLabelText(u8(wizard::modeText(wizard().state().mode)));
  Layout();
}

}  // namespace murlo::gui
