#include "list-commands.h"

#include <wx/clipbrd.h>
#include <wx/dnd.h>

#include "add-item-dlg.h"
#include "analysis/address.h"
#include "clipboard-text.h"
#include "command-ids.h"
#include "item-tree-dlg.h"
#include "items/item-info.h"
#include "murlo-doc.h"
#include "murlo-view.h"
#include "narrow-dlg.h"
#include "properties-dlg.h"
#include "text/cp932.h"

namespace murlo::gui {

namespace {

// Takes addresses dropped onto the list.
class AddressDropTarget : public wxTextDropTarget {
 public:
  explicit AddressDropTarget(ListCommands& commands) : commands_(commands) {}

  bool OnDropText(wxCoord, wxCoord, const wxString& text) override {
    const std::string bytes(text.utf8_str());
    if (!isDroppableAddress(bytes)) return false;
    commands_.dropAddress(bytes);
    return true;
  }

 private:
  ListCommands& commands_;
};

}  // namespace

ListCommands::ListCommands(wxWindow& parent, AppContext& app, CMurloDoc& doc, CMurloView& view,
                           std::function<void(const std::string&)> rememberAddress)
    : parent_(parent),
      app_(app),
      doc_(doc),
      view_(view),
      rememberAddress_(std::move(rememberAddress)) {
  view_.SetDropTarget(new AddressDropTarget(*this));
}

bool ListCommands::confirm(const std::string& question, bool evenWithoutConfirmations) {
  if (!evenWithoutConfirmations && (app_.settings.movement & movement::kNoConfirm)) return true;
  return app_.prompter->message(question, PromptIcon::kQuestion, PromptButtons::kYesNo) ==
         PromptAnswer::kYes;
}

bool ListCommands::run(int id) {
  ItemList& items = doc_.items();
  switch (id) {
    case ID_ADD_ITEM_DIALOG: addThroughDialog(); break;
    case ID_DELETE: deleteSelected(); break;
    case ID_COPY: copyAddress(); break;
    case ID_CHECK_DUPLICATES: checkDuplicates(); break;
    case ID_PROPERTIES: showProperties(); break;
    case ID_TREE_VIEW: showItemTree(); break;
    case ID_MOVE_UP: move(-1); break;
    case ID_MOVE_DOWN: move(+1); break;
    case ID_DELETE_ALL: deleteAll(); break;
    case ID_ONLY_JPEG: keepOnlyJpeg(items); break;
    case ID_NOT_HTML: deletePageRows(items); break;
    case ID_ONLY_STATE: onlyState(); break;
    case ID_DELETE_FINISHED: deleteFinishedRows(items); break;
    case ID_DELETE_ERROR: deleteFailedRows(items); break;
    default: return false;
  }
  view_.pushSelection();
  view_.refreshRows();
  return true;
}

bool ListCommands::updateUi(wxUpdateUIEvent& event) {
  const ItemList& items = doc_.items();
  const int count = items.count();
  const bool running = doc_.jobRunning();
  const int selected = count ? items.selectedCount() : 0;
  bool enable;
  switch (event.GetId()) {
    case ID_ADD_ITEM_DIALOG: enable = true; break;
    case ID_DELETE: enable = count > 0 && selected > 0; break;
    case ID_COPY: enable = count > 0 && selected == 1; break;
    case ID_CHECK_DUPLICATES: enable = count > 1; break;
    case ID_PROPERTIES: enable = count > 0 && selected == 1; break;
    case ID_MOVE_UP: enable = count > 1 && selected == 1 && !items.row(0).selected; break;
    case ID_MOVE_DOWN:
      enable = count > 0 && selected == 1 && !items.row(count - 1).selected && !running;
      break;
    case ID_DELETE_ALL:
    case ID_ONLY_JPEG:
    case ID_NOT_HTML:
    case ID_ONLY_STATE:
    case ID_DELETE_FINISHED:
    case ID_DELETE_ERROR: enable = count > 0 && !running; break;
    default: return false;
  }
  event.Enable(enable);
  return true;
}

void ListCommands::addThroughDialog() {
  CAddItemDlg dlg(&parent_, *app_.prompter);
  if (dlg.ShowModal() != wxID_OK) return;
  addRequestedItems(doc_.items(), dlg.request(), dlg.range());
}

void ListCommands::deleteSelected() {
  ItemList& items = doc_.items();
  if (items.selectedCount() == 1) {
    const int row = items.FindPrevSelected(1);
    if (row < 0) return;
    const std::string question = "ﾘｽﾄから\"" + displayText(items.text(row, kColFileName)) +
                                 "\"を削除します。よろしいですか？";
    if (!confirm(question, false)) return;
    items.deleteRow(row);
    return;
  }
  if (!confirm("ﾘｽﾄから現在選択中のｱｲﾃﾑを削除します。よろしいですか？", false)) return;
  items.deleteIf([](const ItemRecord& r) { return r.selected; });
}

void ListCommands::copyAddress() {
  const ItemList& items = doc_.items();
  const int row = items.FindPrevSelected(1);
  if (row < 0) return;
  wxClipboardLocker lock;
  if (!lock) return;
  wxTheClipboard->SetData(
      new wxTextDataObject(wxString::FromUTF8(displayText(fullAddress(items.row(row))))));
}

void ListCommands::checkDuplicates() {
  if (doc_.items().RemoveDuplicates()) return;
  if (!(app_.settings.movement & movement::kNoConfirm)) {
    app_.prompter->message("重複したｱｲﾃﾑは存在しません", PromptIcon::kInformation,
                           PromptButtons::kOk);
  }
}

void ListCommands::showProperties() {
  ItemList& items = doc_.items();
  const int row = items.FindPrevSelected(1);
  if (row < 0) return;
  // A running download removes finished rows while the dialog is open: the item is found
  // again by its identity, and left alone when it is gone.
  const std::uint64_t id = items.row(row).id;
  CPropertiesDlg dlg(&parent_, app_, items.row(row));
  const int result = dlg.ShowModal();
  const int now = items.findById(id);
  if (now < 0) return;
  if (result == wxID_OK) {
    applyItemEdit(items, now, dlg.edit());
  } else if (result == CPropertiesDlg::kDeleteResult) {
    items.deleteRow(now);
  }
}

void ListCommands::showItemTree() {
  CItemTreeDlg dlg(&parent_, *app_.prompter, doc_.items());
  dlg.ShowModal();
}

void ListCommands::move(int delta) {
  ItemList& items = doc_.items();
  const int row = items.FindPrevSelected(1);
  if (row < 0) return;
  const int other = row + delta;
  if (other < 0 || other >= items.count()) return;
  items.swapTexts(row, other);
  items.setSelected(row, false);
  items.setSelected(other, true);
}

void ListCommands::deleteAll() {
  if (!confirm("ﾘｽﾄからすべのｱｲﾃﾑを削除します。よろしいですか？", true)) return;
  doc_.items().deleteAll();
}

void ListCommands::onlyState() {
  CNarrowDlg dlg(&parent_, *app_.prompter);
  if (dlg.ShowModal() != wxID_OK) return;
  doc_.items().KeepContaining(dlg.text(), 0);
}

void ListCommands::dropAddress(const std::string& text) {
  rememberAddress_(text);
  SplitAddress split = splitUrl(text);
  doc_.items().AddItem(std::move(split.fileName), std::move(split.url), "DROP",
                       std::move(split.extension), "", "");
}

}  // namespace murlo::gui
