#include "folder-dlg.h"

#include <wx/sizer.h>

#include "ui-text.h"

namespace murlo::gui {

CFolderDlg::CFolderDlg(wxWindow* parent, Prompter& prompter, const std::string& path,
                       std::vector<Volume> volumes)
    : wxDialog(parent, wxID_ANY, u8("保存先ﾌｫﾙﾀﾞの選択"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      path_(path) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  const int gap = ConvertDialogToPixels(wxSize(4, 0)).x;
  top->Add(new wxStaticText(this, wxID_ANY, u8("ﾌｫﾙﾀﾞ :")), 0, wxLEFT | wxRIGHT | wxTOP, gap);
  tree_ = new CFolderTree(this, prompter, std::move(volumes));
  tree_->SetMinSize(ConvertDialogToPixels(wxSize(180, 150)));
  top->Add(tree_, 1, wxEXPAND | wxALL, gap);
  pathLabel_ = new wxStaticText(this, wxID_ANY, u8(path), wxDefaultPosition, wxDefaultSize,
                                wxST_ELLIPSIZE_MIDDLE);
  top->Add(pathLabel_, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  newFolder_ = new wxButton(this, kNewFolderId, u8("新規ﾌｫﾙﾀﾞ"));
  ok_ = new wxButton(this, wxID_OK, "OK");
  ok_->SetDefault();
  buttons->Add(newFolder_, 0, wxRIGHT, gap);
  buttons->AddStretchSpacer();
  buttons->Add(ok_, 0, wxRIGHT, gap);
  buttons->Add(new wxButton(this, wxID_CANCEL, u8("ｷｬﾝｾﾙ")));
  top->Add(buttons, 0, wxEXPAND | wxALL, gap);
  SetSizerAndFit(top);

  tree_->InitTree();
  if (path.empty()) {
    ok_->Disable();
    newFolder_->Disable();
  } else {
    tree_->SelectPath(path);
  }

  Bind(wxEVT_TREE_SEL_CHANGED, [this](wxTreeEvent& event) {
    onSelectionChanged();
    event.Skip();
  });
  newFolder_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { tree_->NewFolder(); });
  // While a new folder is being named, Enter and Escape belong to the name.
  ok_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    if (tree_->editing()) return;
    tree_->GetSelectedPath(path_);
    EndModal(wxID_OK);
  });
  Bind(
      wxEVT_BUTTON,
      [this](wxCommandEvent& event) {
        if (!tree_->editing()) event.Skip();
      },
      wxID_CANCEL);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    if (tree_->editing() && event.CanVeto()) {
      event.Veto();
      return;
    }
    event.Skip();
  });
}

void CFolderDlg::onSelectionChanged() {
  std::string selected;
  const bool ok = tree_->GetSelectedPath(selected);
  if (ok) {
    path_ = selected;
    pathLabel_->SetLabel(u8(path_));
  }
  ok_->Enable(ok);
  newFolder_->Enable(ok);
}

}  // namespace murlo::gui
