// CMurloView: the item list, a virtual report-style list control drawing from the core
// ItemList, which it owns. UI thread only.
#pragma once

#include <wx/listctrl.h>

#include <array>
#include <functional>

#include "items/item-list.h"

namespace murlo::gui {

class CMurloView : public wxListCtrl {
 public:
  using ColumnWidths = std::array<int, kColumnCount>;

  // `widths` are the columns' widths in pixels as stored; unusable values are corrected.
  CMurloView(wxWindow* parent, const ColumnWidths& widths);

  ItemList& items() { return items_; }
  const ItemList& items() const { return items_; }

  // Called after rows were added or removed, with the new count (the frame's status text).
  void setCountListener(std::function<void(int)> listener) { countListener_ = std::move(listener); }

  // While set, clicks on the list are swallowed and column sorting is refused.
  void setJobRunning(bool running) { jobRunning_ = running; }
  bool jobRunning() const { return jobRunning_; }

  // Copies the control's selection into the rows, and the rows' selection into the control.
  void pullSelection();
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

  ItemList items_;
  ColumnSortState sortState_;
  std::function<void(int)> countListener_;
  bool jobRunning_ = false;
  // Set while the control's catch-up with the rows is queued.
  bool syncQueued_ = false;
};

}  // namespace murlo::gui
