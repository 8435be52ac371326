// CMurloView: the item list, a virtual report-style list control that shows the document's
// ItemList. The rows own the selection: the user's goes into them, a command's is shown.
// UI thread only.
#pragma once

#include <wx/listctrl.h>

#include <array>
#include <functional>

#include "items/item-list.h"

namespace murlo::gui {

class CMurloDoc;

class CMurloView : public wxListCtrl {
 public:
  using ColumnWidths = std::array<int, kColumnCount>;

  // `widths` are the columns' widths in pixels as stored; unusable values are corrected.
  // `doc` outlives the view.
  CMurloView(wxWindow* parent, CMurloDoc& doc, const ColumnWidths& widths);

  // Called after rows were added or removed, with the new count (the frame's status text).
  void setCountListener(std::function<void(int)> listener) { countListener_ = std::move(listener); }

  // Brings the rows' selection up to the control's after the user may have changed it
  // without telling each row (a range picked with the mouse or the keyboard): one pass over
  // the rows then, none otherwise. The document calls it before it hands out its rows.
  void pullSelection();
  // Shows the rows' selection in the control.
  void pushSelection();
  // Redraws rows whose texts or images changed without a change of the row count.
  void refreshRows();

  ColumnWidths columnWidths() const;

 protected:
  wxString OnGetItemText(long item, long column) const override;
  int OnGetItemImage(long item) const override;

 private:
  void onListChanged();
  void onColumnClick(wxListEvent& event);
  void onKeyDown(wxListEvent& event);
  void onMouse(wxMouseEvent& event);
  void onSelectionEvent(wxListEvent& event);
  void onContextMenu(wxContextMenuEvent& event);
  void onSize(wxSizeEvent& event);

  // While the document's job runs, clicks on the list are swallowed and column sorting is
  // refused.
  bool jobRunning() const;

  const CMurloDoc& doc_;
  ItemList& items_;
  ColumnSortState sortState_;
  std::function<void(int)> countListener_;
  // Set while the control's catch-up with the rows is queued.
  bool syncQueued_ = false;
  // Set by input that may have changed the selection without an event for each row.
  bool selectionStale_ = false;
};

}  // namespace murlo::gui
