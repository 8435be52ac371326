// CSettingsPage: one page of the settings sheet. The sheet builds every page's controls at
// once, but a page unpacks its settings only the first time it is shown and, on OK or
// Apply, only a page that was shown validates and stores anything. UI thread only.
#pragma once

#include <wx/checkbox.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "app-context.h"

namespace murlo::gui {

class CSettingsPage : public wxPanel {
 public:
  CSettingsPage(wxWindow* parent, AppContext& app, const char* caption);

  // The tab's caption.
  const wxString& caption() const { return caption_; }
  // Builds the controls; called once by the sheet, before the page is shown.
  void build();
  // Unpacks the settings into the controls the first time the page is shown.
  void showPage();
  bool shown() const { return shown_; }
  // Checks what the user entered, telling the user what is wrong; false keeps the sheet open.
  virtual bool validate() { return true; }
  // Packs the controls into the settings.
  virtual void save(AppSettings& settings) = 0;

  // Called whenever the user changes a control (the sheet enables Apply).
  std::function<void()> onModified;

 protected:
  virtual void createControls(wxBoxSizer* top) = 0;
  virtual void load(const AppSettings& settings) = 0;

  void markModified();
  AppContext& app() { return app_; }

  // A framed group on the page, added to `parent`, with its controls stacked vertically.
  wxStaticBoxSizer* group(wxSizer* parent, const char* label, int proportion = 0);
  // A check box for one bit of the page's word, added to `group` (or to the page's own
  // sizer `top`).
  wxCheckBox* bitBox(wxStaticBoxSizer* group, const char* label, int bit);
  wxCheckBox* bitBox(wxBoxSizer* top, const char* label, int bit);
  // A group of bit boxes, one per label and bit.
  struct BitLabel {
    const char* label;
    int bit;
  };
  wxStaticBoxSizer* bitGroup(wxSizer* parent, const char* label,
                             std::initializer_list<BitLabel> boxes, int proportion = 0);
  // The bit boxes from and into the page's word.
  void unpackBits(int word);
  int packBits() const;
  // A length in dialog units as pixels on this page.
  int dlu(int units) const { return ConvertDialogToPixels(wxSize(units, 0)).x; }

 private:
  wxCheckBox* addBitBox(wxWindow* parent, wxSizer* sizer, const char* label, int bit);

  AppContext& app_;
  wxString caption_;
  std::vector<std::pair<wxCheckBox*, int>> bitBoxes_;
  bool shown_ = false;
  bool loading_ = false;
};

// A page whose settings are one bit word of AppSettings, a check box for each bit.
class CBitsPage : public CSettingsPage {
 public:
  CBitsPage(wxWindow* parent, AppContext& app, const char* caption, int AppSettings::*word)
      : CSettingsPage(parent, app, caption), word_(word) {}
  void save(AppSettings& settings) override { settings.*word_ = packBits(); }

 protected:
  void load(const AppSettings& settings) override { unpackBits(settings.*word_); }

 private:
  int AppSettings::*word_;
};

}  // namespace murlo::gui
