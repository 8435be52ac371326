#include "folder-tree.h"

#include <wx/artprov.h>
#include <wx/imaglist.h>
#include <wx/utils.h>

#include <filesystem>

#include "platform/folder-listing.h"
#include "ui-text.h"

namespace murlo::gui {
namespace {

// Image indexes, one per kind of item.
enum Image { kOpenFolder, kFolder, kDesktop, kComputer, kRemovable, kFixed, kOptical };

wxBitmap icon(const char* themeName, const wxArtID& fallback) {
  wxBitmap bitmap = wxArtProvider::GetBitmap(themeName, wxART_OTHER, wxSize(16, 16));
  return bitmap.IsOk() ? bitmap : wxArtProvider::GetBitmap(fallback, wxART_OTHER, wxSize(16, 16));
}

std::string joinPath(const std::string& folder, const std::string& name) {
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

struct CFolderTree::Data : wxTreeItemData {
  Data(Kind k, std::string p) : kind(k), path(std::move(p)) {}
  Kind kind;
  std::string path;
};

CFolderTree::CFolderTree(wxWindow* parent, Prompter& prompter, std::vector<Volume> volumes)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_EDIT_LABELS | wxTR_SINGLE),
      prompter_(prompter),
      volumes_(std::move(volumes)) {
  auto* images = new wxImageList(16, 16, true);
  images->Add(icon("folder-open", wxART_FOLDER_OPEN));
  images->Add(icon("folder", wxART_FOLDER));
  images->Add(icon("user-desktop", wxART_GO_HOME));
  images->Add(icon("computer", wxART_HARDDISK));
  images->Add(icon("drive-removable-media", wxART_REMOVABLE));
  images->Add(icon("drive-harddisk", wxART_HARDDISK));
  images->Add(icon("media-optical", wxART_CDROM));
  AssignImageList(images);

  auto populateUnlessEditing = [this](wxTreeEvent& event) {
    if (!editing_ && event.GetItem().IsOk()) {
      wxBusyCursor wait;
      Populate(event.GetItem());
    }
    event.Skip();
  };
  Bind(wxEVT_TREE_ITEM_EXPANDING, populateUnlessEditing);
  Bind(wxEVT_TREE_SEL_CHANGED, populateUnlessEditing);
  Bind(wxEVT_TREE_BEGIN_LABEL_EDIT, [this](wxTreeEvent& event) {
    // Only a new folder is named here; existing folders are not renamed.
    if (event.GetItem() != naming_) {
      event.Veto();
      return;
    }
    editing_ = true;
  });
  Bind(wxEVT_TREE_END_LABEL_EDIT, &CFolderTree::onEndEdit, this);
  // Escape while naming gives up the new folder. Taken here, before the edit control (which
  // cannot tell Escape from Enter on an unchanged name) or a dialog's Cancel sees it.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (editing_ && naming_.IsOk() && event.GetKeyCode() == WXK_ESCAPE) {
      namingCancelled_ = true;
      EndEditLabel(naming_, /*discardChanges=*/true);
      return;
    }
    event.Skip();
  });
}

CFolderTree::Kind CFolderTree::kindOf(const wxTreeItemId& item) const {
  return static_cast<Data*>(GetItemData(item))->kind;
}

std::string CFolderTree::itemPath(const wxTreeItemId& item) const {
  return static_cast<Data*>(GetItemData(item))->path;
}

void CFolderTree::InitTree() {
  DeleteAllItems();
  const wxTreeItemId desktop =
      AddRoot(u8("ﾃﾞｽｸﾄｯﾌﾟ"), kDesktop, kDesktop, new Data(Kind::kDesktop, ""));
  myComputer_ =
      AppendItem(desktop, u8("ﾏｲ ｺﾝﾋﾟｭｰﾀ"), kComputer, kComputer, new Data(Kind::kMyComputer, ""));
  Expand(desktop);
  for (const Volume& volume : volumes_) {
    const Kind kind = volume.type == DriveType::kOptical     ? Kind::kOptical
                      : volume.type == DriveType::kRemovable ? Kind::kRemovable
                                                             : Kind::kFixed;
    const int image = kind == Kind::kOptical     ? kOptical
                      : kind == Kind::kRemovable ? kRemovable
                                                 : kFixed;
    const wxTreeItemId item =
        AppendItem(myComputer_, u8(volume.path), image, image, new Data(kind, volume.path));
    // Removable media and discs are read only when the user opens them.
    if (kind == Kind::kFixed) AddSubfolders(volume.path, item);
  }
  Expand(myComputer_);
}

void CFolderTree::AddSubfolders(const std::string& path, const wxTreeItemId& parent) {
  const FolderListing listing = listSubfolders(path);
  if (listing.result == ListingResult::kNotReady) {
    prompter_.message("ﾒﾃﾞｨｱが挿入されていないか、認識できません。", PromptIcon::kStop,
                      PromptButtons::kOk);
  }
  for (const std::string& name : listing.names) {
    AppendItem(parent, u8(name), kFolder, kOpenFolder,
               new Data(Kind::kFolder, joinPath(path, name)));
  }
}

void CFolderTree::Populate(const wxTreeItemId& item) {
  const Kind kind = kindOf(item);
  if (item == naming_ ||
      (kind != Kind::kFolder && kind != Kind::kFixed && kind != Kind::kRemovable)) {
    return;
  }
  if (GetChildrenCount(item, false) == 0) AddSubfolders(itemPath(item), item);
  wxTreeItemIdValue cookie;
  for (wxTreeItemId child = GetFirstChild(item, cookie); child.IsOk();
       child = GetNextChild(item, cookie)) {
    if (GetChildrenCount(child, false) > 0) break;  // this level was loaded before
    AddSubfolders(itemPath(child), child);
  }
}

wxTreeItemId CFolderTree::childNamed(const wxTreeItemId& parent, const std::string& name) {
  wxTreeItemIdValue cookie;
  for (wxTreeItemId child = GetFirstChild(parent, cookie); child.IsOk();
       child = GetNextChild(parent, cookie)) {
    if (GetItemText(child).utf8_str().data() == name) return child;
  }
  return {};
}

void CFolderTree::SelectPath(const std::string& path) {
  wxBusyCursor wait;
  if (path.empty() || path[0] != '/') return;
  // The volume whose path is the longest leading part of `path`.
  wxTreeItemId current;
  std::size_t used = 0;
  wxTreeItemIdValue cookie;
  for (wxTreeItemId v = GetFirstChild(myComputer_, cookie); v.IsOk();
       v = GetNextChild(myComputer_, cookie)) {
    std::string root = itemPath(v);
    if (root.back() != '/') root += '/';
    if ((path + "/").rfind(root, 0) == 0 && root.size() > used) {
      current = v;
      used = root.size();
    }
  }
  if (!current.IsOk()) return;
  std::size_t pos = used;
  while (pos < path.size()) {
    Populate(current);
    Expand(current);
    const std::size_t end = std::min(path.find('/', pos), path.size());
    const std::string component = path.substr(pos, end - pos);
    if (component.empty()) break;
    const wxTreeItemId next = childNamed(current, component);
    if (!next.IsOk()) return;
    current = next;
    pos = end + 1;
  }
  SelectItem(current);
}

bool CFolderTree::GetSelectedPath(std::string& path) const {
  const wxTreeItemId item = GetSelection();
  if (!item.IsOk()) return false;
  const Kind kind = kindOf(item);
  if (kind != Kind::kFolder && kind != Kind::kFixed && kind != Kind::kRemovable) return false;
  path = itemPath(item);
  return true;
}

void CFolderTree::NewFolder() {
  std::string parentPath;
  if (editing_ || !GetSelectedPath(parentPath)) return;
  const wxTreeItemId parent = GetSelection();
  naming_ = AppendItem(parent, u8(kNewFolderLabel), kFolder, kOpenFolder,
                       new Data(Kind::kFolder, parentPath));
  Expand(parent);
  SelectItem(naming_);
  EditLabel(naming_);
}

void CFolderTree::onEndEdit(wxTreeEvent& event) {
  editing_ = false;
  const wxTreeItemId item = event.GetItem();
  if (item != naming_) return;
  // The label is applied after this handler; what follows waits until then.
  event.Veto();
  if (namingCancelled_) {
    namingCancelled_ = false;
    naming_ = wxTreeItemId();
    CallAfter([this, item] { Delete(item); });
    return;
  }
  // An edit that ends with the name unchanged (Enter, or a click elsewhere) takes the name
  // offered; the toolkit reports it as cancelled, with no label.
  const std::string name = event.IsEditCancelled() ? std::string(kNewFolderLabel)
                                                   : std::string(event.GetLabel().utf8_str());
  if (name.empty()) {
    // An emptied name is asked for again.
    CallAfter([this, item] {
      SetItemText(item, u8(kNewFolderLabel));
      EditLabel(item);
    });
    return;
  }
  CallAfter([this, item, name] { finishNewFolder(item, name); });
}

void CFolderTree::finishNewFolder(wxTreeItemId item, const std::string& name) {
  naming_ = wxTreeItemId();
  const std::string path = joinPath(itemPath(item), name);
  // A name with "/" would reach into other folders.
  if (name.find('/') != std::string::npos) {
    Delete(item);
    prompter_.message("ﾃﾞｨﾚｸﾄﾘの作成に失敗しました。", PromptIcon::kStop, PromptButtons::kOk);
    return;
  }
  if (!CreateFolder(path)) {
    Delete(item);
    return;
  }
  SetItemText(item, u8(name));
  static_cast<Data*>(GetItemData(item))->path = path;
  SelectItem(myComputer_);
  SelectItem(item);
  if (onFolderCreated) onFolderCreated();
}

bool CFolderTree::CreateFolder(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(path, ec))) {
    prompter_.message("指定のﾃﾞｨﾚｸﾄﾘは既に存在しています。", PromptIcon::kInformation,
                      PromptButtons::kOk);
    return false;
  }
  if (!std::filesystem::create_directory(path, ec) || ec) {
    prompter_.message("ﾃﾞｨﾚｸﾄﾘの作成に失敗しました。", PromptIcon::kInformation,
                      PromptButtons::kOk);
    return false;
  }
  return true;
}

}  // namespace murlo::gui
