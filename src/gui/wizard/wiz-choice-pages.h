// The wizard's question pages, radio groups only: the purpose (171), how the images are
// linked (173) and how a home page is downloaded and saved (176).
#pragma once

#include <memory>

#include "wizard/wiz-page.h"

namespace murlo::gui {

class CWizDlg01 : public CWizPage {
 public:
  explicit CWizDlg01(CWizard& wizard);

 protected:
  wizard::WizardPage next() override;

 private:
  std::unique_ptr<RadioGroup> purpose_;
};

class CWizDlg02 : public CWizPage {
 public:
  explicit CWizDlg02(CWizard& wizard);

 protected:
  wizard::WizardPage next() override;

 private:
  std::unique_ptr<RadioGroup> linkForm_;
};

class CWizDlg05 : public CWizPage {
 public:
  explicit CWizDlg05(CWizard& wizard);

 protected:
  wizard::WizardPage next() override;

 private:
  std::unique_ptr<RadioGroup> method_;
  std::unique_ptr<RadioGroup> saving_;
};

}  // namespace murlo::gui
