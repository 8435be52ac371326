#include "item-tree-dlg.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include "logic/item-tree.h"
#include "text/cp932.h"
#include "ui-text.h"

namespace murlo::gui {

namespace {

enum Image : int {
  kListImage,
  kHostTopImage,
  kHostImage,
  kFolderImage,
  kFolderOpenImage,
  kPageImage,
  kFileImage
};

constexpr const char* kReady = "ﾚﾃﾞｨ";
constexpr const char* kAnalysing = "ｱｲﾃﾑﾘｽﾄを解析中...";
constexpr const char* kHostTop = "Host";

// A directory node's path, kept with the node.
struct PathData : wxTreeItemData {
  explicit PathData(std::string p) : path(std::move(p)) {}
  std::string path;
};

bool isPageExtension(const std::string& extension) {
  for (const char* page : {"htm", "html", "cgi", "shtml"}) {
    if (equalsIgnoreAsciiCase(extension, page)) return true;
  }
  return false;
}

// Shows the analysing text and the wait cursor for the time of a pane's filling.
class Busy {
 public:
  explicit Busy(wxStaticText* status) : status_(status) { status_->SetLabel(u8(kAnalysing)); }
  ~Busy() { status_->SetLabel(u8(kReady)); }

 private:
  wxStaticText* status_;
  wxBusyCursor cursor_;
};

void addNodes(wxTreeCtrl* tree, const wxTreeItemId& parent, const DirectoryNode& node) {
  for (const DirectoryNode& child : node.children) {
    const wxTreeItemId id = tree->AppendItem(parent, u8(displayText(child.name)), kFolderImage,
                                             kFolderOpenImage, new PathData(child.path));
    addNodes(tree, id, child);
  }
}

}  // namespace

CItemTreeDlg::CItemTreeDlg(wxWindow* parent, Prompter& prompter, ItemList& items)
    : wxDialog(parent, wxID_ANY, u8("ｱｲﾃﾑのﾂﾘｰ表示"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      prompter_(prompter),
      items_(items),
      images_(16, 16) {
  for (const char* art : {wxART_REPORT_VIEW, wxART_HARDDISK, wxART_GO_HOME, wxART_FOLDER,
                          wxART_FOLDER_OPEN, wxART_HELP_BOOK, wxART_NORMAL_FILE}) {
    images_.Add(wxArtProvider::GetBitmap(art, wxART_OTHER, wxSize(16, 16)));
  }
  const int gap = wxDLG_UNIT(this, wxSize(4, 0)).x;
  const wxSize pane = wxDLG_UNIT(this, wxSize(100, 150));
  auto* top = new wxBoxSizer(wxVERTICAL);

  // A dialog has no menu bar here: the menu's four titles are buttons that open them.
  auto* menuRow = new wxBoxSizer(wxHORIZONTAL);
  const std::pair<const char*, std::pair<int, const char*>> menus[] = {
      {"ｳｨﾝﾄﾞｳ(&W)", {kCloseId, "閉じる(&X)"}},
      {"ﾎｽﾄ(&H)", {kDeleteHostId, "削除(&D)"}},
      {"ﾃﾞｨﾚｸﾄﾘ(&D)", {kDeleteDirectoryId, "削除(&D)"}},
      {"ﾌｧｲﾙ(&F)", {kDeleteFileId, "削除(&D)"}}};
  for (const auto& menuTitle : menus) {
    const auto entry = menuTitle.second;
    auto* button = new wxButton(this, wxID_ANY, u8(menuTitle.first), wxDefaultPosition,
                                wxDefaultSize, wxBU_EXACTFIT | wxBORDER_NONE);
    button->Bind(wxEVT_BUTTON, [this, button, entry](wxCommandEvent&) {
      wxMenu menu;
      menu.Append(entry.first, u8(entry.second));
      PopupMenu(&menu, button->GetPosition() + wxPoint(0, button->GetSize().y));
    });
    menuRow->Add(button, 0, wxRIGHT, gap);
  }
  top->Add(menuRow, 0, wxALL, gap);

  auto* panes = new wxBoxSizer(wxHORIZONTAL);
  auto column = [&](const char* caption, wxWindow* control) {
    auto* box = new wxBoxSizer(wxVERTICAL);
    box->Add(new wxStaticText(this, wxID_ANY, u8(std::string("　") + caption)), 0, wxBOTTOM, gap);
    box->Add(control, 1, wxEXPAND);
    panes->Add(box, 1, wxLEFT | wxRIGHT | wxEXPAND, gap);
  };
  constexpr long kTreeStyle = wxTR_DEFAULT_STYLE | wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT;
  hosts_ = new wxTreeCtrl(this, kHostTreeId, wxDefaultPosition, pane, kTreeStyle);
  directories_ = new wxTreeCtrl(this, kDirectoryTreeId, wxDefaultPosition, pane, kTreeStyle);
  // Small icons beside the names, in columns.
  files_ = new wxListCtrl(this, kFileListId, wxDefaultPosition, pane, wxLC_LIST);
  column("[Host Name ]", hosts_);
  column("[Directory Name ]", directories_);
  column("[File Name ]", files_);
  top->Add(panes, 1, wxEXPAND);

  auto* statusRow = new wxBoxSizer(wxHORIZONTAL);
  status_ = new wxStaticText(this, kStatusId, u8(kReady));
  count_ = new wxStaticText(this, kCountId, wxEmptyString);
  statusRow->Add(status_, 1, wxRIGHT, gap);
  statusRow->Add(count_, 0);
  top->Add(statusRow, 0, wxALL | wxEXPAND, gap);
  SetSizerAndFit(top);

  hosts_->SetImageList(&images_);
  directories_->SetImageList(&images_);
  files_->SetImageList(&images_, wxIMAGE_LIST_SMALL);
  hosts_->AddRoot(u8("ｱｲﾃﾑﾘｽﾄ"), kListImage);
  directories_->AddRoot(u8(kHostTop), kHostTopImage);
  showCount();

  hosts_->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
    fillHosts();
    event.Skip();
  });
  // The hosts are listed before the first key moves the selection, as before the first click.
  hosts_->Bind(wxEVT_TREE_KEY_DOWN, [this](wxTreeEvent& event) {
    fillHosts();
    event.Skip();
  });
  hosts_->Bind(wxEVT_TREE_SEL_CHANGED, &CItemTreeDlg::onHostChosen, this);
  directories_->Bind(wxEVT_TREE_SEL_CHANGED, &CItemTreeDlg::onDirectoryChosen, this);
  Bind(wxEVT_MENU, [this](wxCommandEvent& event) { runCommand(event.GetId()); });
  // There is no Cancel button that Escape could press: it closes the dialog as "閉じる" does.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers()) {
      runCommand(kCloseId);
    } else {
      event.Skip();
    }
  });
}

void CItemTreeDlg::showCount() {
  count_->SetLabel(u8("ｱｲﾃﾑ数 : " + std::to_string(files_->GetItemCount())));
}

void CItemTreeDlg::fillHosts() {
  const wxTreeItemId root = hosts_->GetRootItem();
  if (hosts_->HasChildren(root) || items_.count() == 0) return;
  Busy busy(status_);
  for (const std::string& host : listHosts(items_)) {
    hosts_->AppendItem(root, u8(displayText(host)), kHostImage, -1, new PathData(host));
  }
  hosts_->Expand(root);
}

void CItemTreeDlg::resetDirectories() {
  directories_->DeleteAllItems();
  directories_->AddRoot(u8(kHostTop), kHostTopImage);
  files_->DeleteAllItems();
  showCount();
}

void CItemTreeDlg::onHostChosen(wxTreeEvent& event) {
  const wxTreeItemId chosen = event.GetItem();
  if (!chosen.IsOk() || chosen == hosts_->GetRootItem()) return;
  const std::string host = static_cast<PathData*>(hosts_->GetItemData(chosen))->path;
  Busy busy(status_);
  directories_->DeleteAllItems();
  files_->DeleteAllItems();
  showCount();
  const DirectoryNode tree = directoryTree(items_, host);
  const wxTreeItemId root =
      directories_->AddRoot(u8(displayText(host)), kHostTopImage, -1, new PathData(tree.path));
  addNodes(directories_, root, tree);
  directories_->Expand(root);
}

std::string CItemTreeDlg::chosenPath() const {
  const wxTreeItemId chosen = directories_->GetSelection();
  if (!chosen.IsOk()) return "";
  const auto* data = static_cast<PathData*>(directories_->GetItemData(chosen));
  return data ? data->path : "";
}

void CItemTreeDlg::onDirectoryChosen(wxTreeEvent&) {
  const std::string path = chosenPath();
  if (path.empty()) return;  // the top node still reads "Host"
  Busy busy(status_);
  files_->DeleteAllItems();
  for (const int row : rowsInDirectory(items_, path)) {
    const ItemRecord& item = items_.row(row);
    files_->InsertItem(files_->GetItemCount(), u8(displayText(item.fileName)),
                       isPageExtension(item.extension) ? kPageImage : kFileImage);
  }
  showCount();
}

bool CItemTreeDlg::confirm(const char* what) {
  return prompter_.message(std::string("選択中の[") + what + "]を削除してよろしいですか？",
                           PromptIcon::kQuestion, PromptButtons::kYesNo) == PromptAnswer::kYes;
}

void CItemTreeDlg::runCommand(int id) {
  switch (id) {
    case kCloseId: EndModal(wxID_CANCEL); break;
    case kDeleteHostId: deleteHost(); break;
    case kDeleteDirectoryId: deleteDirectory(); break;
    case kDeleteFileId: deleteFiles(); break;
    default: break;
  }
}

void CItemTreeDlg::deleteHost() {
  const wxTreeItemId chosen = hosts_->GetSelection();
  if (!chosen.IsOk() || chosen == hosts_->GetRootItem() || !confirm("Host")) return;
  deleteHostRows(items_, static_cast<PathData*>(hosts_->GetItemData(chosen))->path);
  resetDirectories();
  hosts_->Delete(chosen);
}

void CItemTreeDlg::deleteDirectory() {
  const wxTreeItemId chosen = directories_->GetSelection();
  const std::string path = chosenPath();
  if (path.empty() || !confirm("Directory")) return;
  if (chosen != directories_->GetRootItem()) {
    deleteDirectoryRows(items_, path);
    directories_->Delete(chosen);
    files_->DeleteAllItems();
    showCount();
    return;
  }
  // The top node is the host itself.
  const std::string host = path.substr(0, path.size() - 1);
  deleteHostRows(items_, host);
  wxTreeItemIdValue cookie;
  for (wxTreeItemId node = hosts_->GetFirstChild(hosts_->GetRootItem(), cookie); node.IsOk();
       node = hosts_->GetNextChild(hosts_->GetRootItem(), cookie)) {
    if (static_cast<PathData*>(hosts_->GetItemData(node))->path == host) {
      hosts_->Delete(node);
      break;
    }
  }
  resetDirectories();
}

void CItemTreeDlg::deleteFiles() {
  const std::string path = chosenPath();
  if (path.empty() || files_->GetSelectedItemCount() == 0 || !confirm("File")) return;
  for (long entry = files_->GetItemCount() - 1; entry >= 0; --entry) {
    if (!(files_->GetItemState(entry, wxLIST_STATE_SELECTED) & wxLIST_STATE_SELECTED)) continue;
    for (const int row : rowsInDirectory(items_, path)) {
      const std::string& name = items_.text(row, kColFileName);
      if (displayText(name) == std::string(files_->GetItemText(entry).utf8_str())) {
        deleteFileRows(items_, path, name);
        break;
      }
    }
    files_->DeleteItem(entry);
  }
  showCount();
}

}  // namespace murlo::gui
