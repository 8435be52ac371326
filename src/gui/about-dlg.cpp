#include "about-dlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "program-icon.h"
#include "ui-text.h"

namespace murlo::gui {

CAboutDlg::CAboutDlg(wxWindow* parent) : wxDialog(parent, 100, u8("ﾊﾞｰｼﾞｮﾝ情報(Murlo)")) {
  auto* texts = new wxBoxSizer(wxVERTICAL);
  texts->Add(new wxStaticText(this, wxID_ANY, "Murlo Version 2.02"), 0, wxBOTTOM, FromDIP(8));
  texts->Add(new wxStaticText(this, wxID_ANY, "2026"));

  auto* body = new wxBoxSizer(wxHORIZONTAL);
  body->Add(new wxStaticBitmap(this, wxID_ANY, programIcon()), 0, wxRIGHT, FromDIP(16));
  body->Add(texts, 1, wxALIGN_CENTER_VERTICAL);

  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(body, 1, wxALL | wxEXPAND, FromDIP(16));
  top->Add(new wxButton(this, wxID_OK, "OK"), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM,
           FromDIP(12));
  // Wide enough for the whole title as well as the texts.
  top->SetMinSize(FromDIP(wxSize(300, -1)));
  SetSizerAndFit(top);
  CentreOnParent();
}

}  // namespace murlo::gui
