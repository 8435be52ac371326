#include "murlo-view.h"

#include <wx/dcmemory.h>
#include <wx/imaglist.h>
#include <wx/menu.h>

#include <algorithm>

#include "command-ids.h"
#include "logic/shorten-text.h"
#include "main-menus.h"
#include "murlo-doc.h"
#include "state-icons.h"
#include "text/cp932.h"

namespace murlo::gui {

namespace {

struct ColumnSpec {
  const char* header;
  wxListColumnFormat format;
};

constexpr ColumnSpec kColumns[kColumnCount] = {
    {"ﾌｧｲﾙﾈｰﾑ", wxLIST_FORMAT_LEFT},  {"ｱﾄﾞﾚｽ", wxLIST_FORMAT_LEFT},
    {"ﾀｸﾞ", wxLIST_FORMAT_CENTRE},    {"拡張子", wxLIST_FORMAT_CENTRE},
    {"ｱｲﾃﾑ情報", wxLIST_FORMAT_LEFT}, {"参照ﾍﾟｰｼﾞ", wxLIST_FORMAT_LEFT},
};

// A stored width outside these bounds (a hand-edited Murlo.ini) would hide a column or
// mean one of the control's automatic widths.
constexpr int kMinColumnWidth = 16;
constexpr int kMaxColumnWidth = 4000;
// The last column fills the room at the right but never gets narrower than this.
constexpr int kLastColumnMinWidth = 100;

}  // namespace

CMurloView::CMurloView(wxWindow* parent, CMurloDoc& doc, const ColumnWidths& widths)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxBORDER_SUNKEN),
      doc_(doc),
      items_(doc.items()) {
  for (int col = 0; col < kColumnCount; ++col) {
    InsertColumn(col, wxString::FromUTF8(kColumns[col].header), kColumns[col].format,
                 std::clamp(widths[col], kMinColumnWidth, kMaxColumnWidth));
  }
  AssignImageList(makeStateImageList(), wxIMAGE_LIST_SMALL);
  items_.setChangeListener([this] { onListChanged(); });
  doc.setSelectionCatchUp([this] { pullSelection(); });

  Bind(wxEVT_LIST_COL_CLICK, &CMurloView::onColumnClick, this);
  Bind(wxEVT_LIST_KEY_DOWN, &CMurloView::onKeyDown, this);
  Bind(wxEVT_LIST_ITEM_SELECTED, &CMurloView::onSelectionEvent, this);
  Bind(wxEVT_LIST_ITEM_DESELECTED, &CMurloView::onSelectionEvent, this);
  Bind(wxEVT_CONTEXT_MENU, &CMurloView::onContextMenu, this);
  Bind(wxEVT_SIZE, &CMurloView::onSize, this);
  // The generic list control takes clicks in its inner windows (rows and header).
  for (wxWindow* child : GetChildren()) {
    for (auto type : {wxEVT_LEFT_DOWN, wxEVT_RIGHT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DCLICK}) {
      child->Bind(type, &CMurloView::onMouse, this);
    }
  }
}

wxString CMurloView::OnGetItemText(long item, long column) const {
  if (item < 0 || item >= items_.count() || column < 0 || column >= kColumnCount) return wxString();
  const std::string text =
      displayText(items_.text(static_cast<int>(item), static_cast<int>(column)));
  const CellGeometry cell = cellGeometry(static_cast<int>(column), GetColumnWidth(column));
  // Measuring is slow; a text that fits even at the widest character width needs none.
  if (static_cast<int>(text.size()) * GetCharWidth() * 2 + cell.margin <= cell.width) {
    return wxString::FromUTF8(text);
  }
  const bool leftAligned = kColumns[column].format == wxLIST_FORMAT_LEFT;
  return wxString::FromUTF8(cellText(text, cell, leftAligned, [this](const std::string& s) {
    return GetTextExtent(wxString::FromUTF8(s)).GetWidth();
  }));
}

int CMurloView::OnGetItemImage(long item) const {
  if (item < 0 || item >= items_.count()) return -1;
  return items_.row(static_cast<int>(item)).image;
}

void CMurloView::onListChanged() {
  // An analysis appends rows one at a time: the control, the count and the selection
  // follow once after the burst. Until then the control may ask for rows that are gone or
  // not know the new ones; OnGetItemText answers both.
  if (syncQueued_) return;
  syncQueued_ = true;
  CallAfter([this] {
    syncQueued_ = false;
    SetItemCount(items_.count());
    pushSelection();
    Refresh();
    if (countListener_) countListener_(items_.count());
  });
}

void CMurloView::refreshRows() { Refresh(); }

bool CMurloView::jobRunning() const { return doc_.jobRunning(); }

void CMurloView::onSize(wxSizeEvent& event) {
  // The last column takes up the room left at the right, so a selected row is highlighted
  // up to the window's edge; it never gets narrower than its own width.
  int others = 0;
  for (int col = 0; col + 1 < kColumnCount; ++col) others += GetColumnWidth(col);
  const int room = GetClientSize().GetWidth() - others;
  SetColumnWidth(kColumnCount - 1, std::max(kLastColumnMinWidth, room));
  event.Skip();
}

CMurloView::ColumnWidths CMurloView::columnWidths() const {
  ColumnWidths widths{};
  for (int col = 0; col < kColumnCount; ++col) widths[col] = GetColumnWidth(col);
  return widths;
}

void CMurloView::pullSelection() {
  if (!selectionStale_) return;
  selectionStale_ = false;
  const int shown = std::min(items_.count(), GetItemCount());
  for (int i = 0; i < shown; ++i) {
    items_.setSelected(i, GetItemState(i, wxLIST_STATE_SELECTED) != 0);
  }
}

void CMurloView::pushSelection() {
  const int shown = std::min(items_.count(), GetItemCount());
  for (int i = 0; i < shown; ++i) {
    const bool want = items_.row(i).selected;
    if ((GetItemState(i, wxLIST_STATE_SELECTED) != 0) != want) {
      SetItemState(i, want ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
    }
  }
}

void CMurloView::onSelectionEvent(wxListEvent& event) {
  const long index = event.GetIndex();
  if (index >= 0 && index < items_.count()) {
    items_.setSelected(static_cast<int>(index), event.GetEventType() == wxEVT_LIST_ITEM_SELECTED);
  } else {
    selectionStale_ = true;  // a range change reports no single row
  }
  event.Skip();
}

void CMurloView::onColumnClick(wxListEvent& event) {
  if (jobRunning()) return;
  pullSelection();
  const int column = event.GetColumn();
  if (column < 0 || column >= kColumnCount) return;
  const bool descending = sortState_.click(column);
  items_.sortByColumn(column, descending);
  ShowSortIndicator(column, !descending);
}

void CMurloView::onKeyDown(wxListEvent& event) {
  // Shift with the arrows picks a range, and Ctrl+A every row, unreported row by row.
  selectionStale_ = true;
  // The Delete key deletes the selected rows, as the menu's delete command does.
  if (event.GetKeyCode() != WXK_DELETE) {
    event.Skip();
    return;
  }
  if (GetSelectedItemCount() == 0) return;  // the command is disabled without a selection
  wxCommandEvent command(wxEVT_MENU, ID_DELETE);
  command.SetEventObject(this);
  wxGetTopLevelParent(this)->GetEventHandler()->ProcessEvent(command);
}

void CMurloView::onMouse(wxMouseEvent& event) {
  // While a job runs the selection must not change under it.
  if (jobRunning()) return;
  selectionStale_ = true;
  event.Skip();
}

void CMurloView::onContextMenu(wxContextMenuEvent& event) {
  wxPoint at = event.GetPosition();
  at = (at == wxDefaultPosition) ? wxPoint(5, 5) : ScreenToClient(at);
  wxMenu menu;
  appendCommand(&menu, ID_ADD_ITEM_DIALOG, "追加(&A)");
  appendCommand(&menu, ID_DELETE, "削除(&E)");
  appendCommand(&menu, ID_COPY, "ｺﾋﾟｰ(&C)");
  menu.AppendSeparator();
  appendCommand(&menu, ID_ANALYZE, "解析(&N)");
  appendCommand(&menu, ID_DOWNLOAD, "ﾀﾞｳﾝﾛｰﾄﾞ(&D)");
  menu.AppendSeparator();
  appendCommand(&menu, ID_CHECK_DUPLICATES, "重複ﾈｰﾑの確認(&O)");
  appendCommand(&menu, ID_PROPERTIES, "ﾌﾟﾛﾊﾟﾃｨ(&P)");
  // Commands go to the main window, like its own menu's.
  wxGetTopLevelParent(this)->PopupMenu(
      &menu, wxGetTopLevelParent(this)->ScreenToClient(ClientToScreen(at)));
}

}  // namespace murlo::gui
