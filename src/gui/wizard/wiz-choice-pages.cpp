#include "wizard/wiz-choice-pages.h"

#include <wx/statbox.h>

namespace murlo::gui {

using namespace wizard;

CWizDlg01::CWizDlg01(CWizard& wizard) : CWizPage(wizard, WizardPage::kPurpose) {
  addText("今回の使用の目的を次の選択肢から選んで下さい。");
  purpose_ = std::make_unique<RadioGroup>(
      this, top(),
      std::initializer_list<const char*>{"画像集めをする(&P)", "ﾎｰﾑﾍﾟｰｼﾞをﾀﾞｳﾝﾛｰﾄﾞする(&H)",
                                         "ｻｲｽﾞの大きなﾌｧｲﾙをﾀﾞｳﾝﾛｰﾄﾞする(&S)"});
}

WizardPage CWizDlg01::next() { return nextFromPurpose(purpose_->choice<Purpose>(), prompter()); }

CWizDlg02::CWizDlg02(CWizard& wizard) : CWizPage(wizard, WizardPage::kLinkForm) {
  addText("画像ﾌｧｲﾙがどのような形式でﾘﾝｸされているか選んで下さい。");
  linkForm_ = std::make_unique<RadioGroup>(
      this, top(),
      std::initializer_list<const char*>{"ﾎｰﾑﾍﾟｰｼﾞに直接表示される形式(&I)",
                                         "ﾎｰﾑﾍﾟｰｼﾞからﾃｷｽﾄ、もしくはｻﾑﾈｲﾙで飛ぶ形式(&H)",
                                         "画像ﾌｧｲﾙのURLだけが、ﾎｰﾑﾍﾟｰｼﾞに記述してる形式(&A)"});
}

WizardPage CWizDlg02::next() {
  return nextFromLinkForm(linkForm_->choice<LinkForm>(), settings(), wizard().state(), prompter());
}

CWizDlg05::CWizDlg05(CWizard& wizard) : CWizPage(wizard, WizardPage::kHomePage) {
  auto* methodBox = new wxStaticBoxSizer(wxVERTICAL, this);
  auto* savingBox = new wxStaticBoxSizer(wxVERTICAL, this);
  top()->Add(methodBox, 0, wxEXPAND | wxBOTTOM, dlu(6));
  top()->Add(savingBox, 0, wxEXPAND);
  method_ = std::make_unique<RadioGroup>(
      methodBox->GetStaticBox(), methodBox,
      std::initializer_list<const char*>{"現在のﾍﾟｰｼﾞとﾘﾝｸされているﾍﾟｰｼﾞをﾀﾞｳﾝﾛｰﾄﾞ(&N)",
                                         "現在のﾍﾟｰｼﾞから、再帰的にﾘﾝｸを捜しだしてﾀﾞｳﾝﾛｰﾄﾞ(&I)"});
  saving_ = std::make_unique<RadioGroup>(
      savingBox->GetStaticBox(), savingBox,
      std::initializer_list<const char*>{"一つのﾌｫﾙﾀﾞに全てのﾌｧｲﾙを保存(&O)",
                                         "実際のﾍﾟｰｼﾞのﾘﾝｸと同じようにﾌｫﾙﾀﾞを作成して保存(&D)"});
}

WizardPage CWizDlg05::next() {
  return nextFromHomePage(method_->choice<HomePageMethod>(), saving_->choice<Saving>(), settings(),
                          wizard().state(), prompter());
}

}  // namespace murlo::gui
