#include "paste-button.h"

#include <wx/clipbrd.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

#include "clipboard-text.h"

namespace murlo::gui {

namespace {

// A clipboard with a sheet on it. The button takes the size the toolkit needs around it:
// a fixed small size would let the theme's padding cut the picture.
wxBitmap pasteBitmap(bool pressed) {
  wxBitmap bmp(17, 16, 24);
  wxMemoryDC dc(bmp);
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.Clear();
  const int o = pressed ? 1 : 0;
  dc.SetPen(wxPen(wxColour(110, 80, 40)));
  dc.SetBrush(wxBrush(wxColour(200, 160, 100)));
  dc.DrawRectangle(2 + o, 2 + o, 10, 13);
  dc.SetBrush(*wxWHITE_BRUSH);
  dc.SetPen(wxPen(wxColour(90, 90, 90)));
  dc.DrawRectangle(7 + o, 6 + o, 8, 9);
  dc.SetPen(wxPen(wxColour(150, 150, 150)));
  for (int y = 8; y <= 12; y += 2) dc.DrawLine(9 + o, y + o, 14 + o, y + o);
  dc.SelectObject(wxNullBitmap);
  return bmp;
}

}  // namespace

PasteButton::PasteButton(wxWindow* parent, wxTextEntry* target, Mode mode)
    : wxBitmapButton(parent, kId, pasteBitmap(false)), target_(target), mode_(mode) {
  SetBitmapPressed(pasteBitmap(true));
  SetToolTip(wxString::FromUTF8("ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け (&P)"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { paste(); });
}

void PasteButton::paste() {
  wxClipboardLocker lock;
  if (!lock) return;
  const std::optional<wxString> text = heldClipboardText();
  if (!text) return;
  if (mode_ == Mode::kAtCaret) {
    target_->WriteText(*text);
  } else {
    target_->SetValue(*text);
  }
}

}  // namespace murlo::gui
