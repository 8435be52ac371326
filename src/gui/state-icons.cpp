#include "state-icons.h"

#include <wx/artprov.h>
#include <wx/dcmemory.h>

#include "command-ids.h"

namespace murlo::gui {

namespace {

// A page with a coloured badge: grey waiting, green finished, red failed, blue running.
wxBitmap stateBitmap(const wxColour& badge, int kind) {
  wxBitmap bmp(16, 16, 24);
  wxMemoryDC dc(bmp);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  dc.SetPen(wxPen(wxColour(96, 96, 96)));
  dc.SetBrush(*wxWHITE_BRUSH);
  dc.DrawRectangle(2, 1, 10, 13);
  dc.SetPen(wxPen(wxColour(160, 160, 160)));
  for (int y = 4; y <= 10; y += 3) dc.DrawLine(4, y, 10, y);
  dc.SetPen(wxPen(badge.ChangeLightness(70)));
  dc.SetBrush(wxBrush(badge));
  dc.DrawCircle(11, 11, 4);
  dc.SetPen(wxPen(*wxWHITE, 1));
  switch (kind) {
    case 1:
      dc.DrawLine(9, 11, 11, 13);
      dc.DrawLine(11, 13, 14, 8);
      break;  // tick
    case 2:
      dc.DrawLine(9, 9, 14, 14);
      dc.DrawLine(13, 9, 8, 14);
      break;  // cross
    case 3:
      dc.DrawLine(11, 8, 11, 14);
      dc.DrawLine(9, 12, 11, 14);
      dc.DrawLine(13, 12, 11, 14);
      break;  // arrow
    default: break;
  }
  dc.SelectObject(wxNullBitmap);
  bmp.SetMask(new wxMask(bmp, *wxWHITE));
  return bmp;
}

// The run command's picture: a solid blue arrow down onto a tray. The icon themes draw
// their arrows pale, so an arrow of theirs hardly changes when the command is disabled.
wxBitmap runBitmap() {
  wxBitmap bmp(16, 16, 24);
  wxMemoryDC dc(bmp);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  const wxColour blue(40, 100, 210);
  dc.SetPen(wxPen(blue.ChangeLightness(60)));
  dc.SetBrush(wxBrush(blue));
  const wxPoint arrow[] = {{5, 1}, {10, 1}, {10, 6}, {14, 6}, {7, 13}, {7, 13}, {1, 6}, {5, 6}};
  dc.DrawPolygon(8, arrow);
  dc.DrawRectangle(1, 14, 14, 2);
  dc.SelectObject(wxNullBitmap);
  bmp.SetMask(new wxMask(bmp, *wxWHITE));
  return bmp;
}

}  // namespace

wxImageList* makeStateImageList() {
  auto* list = new wxImageList(16, 16, true, 4);
  list->Add(stateBitmap(wxColour(150, 150, 150), 0));
  list->Add(stateBitmap(wxColour(40, 160, 60), 1));
  list->Add(stateBitmap(wxColour(210, 40, 40), 2));
  list->Add(stateBitmap(wxColour(40, 100, 210), 3));
  return list;
}

wxBitmap commandBitmap(int commandId) {
  wxArtID art = wxART_MISSING_IMAGE;
  switch (commandId) {
    case ID_FILE_OPEN: art = wxART_FILE_OPEN; break;
    case ID_FILE_SAVE_AS: art = wxART_FILE_SAVE_AS; break;
    case ID_JOB_FILE_RESUME: art = wxART_UNDO; break;
    case ID_JOB_FILE_SAVE: art = wxART_FILE_SAVE; break;
    case ID_SETTINGS: art = wxART_EXECUTABLE_FILE; break;
    case ID_CHANGE_FOLDER: art = wxART_FOLDER_OPEN; break;
    case ID_LOCAL_FILE: art = wxART_NORMAL_FILE; break;
    case ID_WIZARD: art = wxART_TIP; break;
    case ID_RECURSIVE: art = wxART_FIND_AND_REPLACE; break;
    case ID_RUN: return runBitmap();
    case ID_SUSPEND: art = wxART_GO_BACK; break;
    case ID_STOP: art = wxART_CROSS_MARK; break;
    case ID_TREE_VIEW: art = wxART_LIST_VIEW; break;
    case ID_ADD_ITEM_DIALOG: art = wxART_PLUS; break;
    case ID_DELETE: art = wxART_DELETE; break;
    case ID_COPY: art = wxART_COPY; break;
    case ID_ANALYZE: art = wxART_FIND; break;
    case ID_DOWNLOAD: art = wxART_GO_DIR_UP; break;
    case ID_CHECK_DUPLICATES: art = wxART_TICK_MARK; break;
    case ID_PROPERTIES: art = wxART_INFORMATION; break;
    case ID_MOVE_UP: art = wxART_GO_UP; break;
    case ID_MOVE_DOWN: art = wxART_GO_DOWN; break;
    case ID_PASTE_URL: art = wxART_PASTE; break;
    case ID_ADD_FROM_BAR: art = wxART_ADD_BOOKMARK; break;
    default: break;
  }
  wxBitmap bmp = wxArtProvider::GetBitmap(art, wxART_TOOLBAR, wxSize(16, 16));
  return bmp.IsOk() ? bmp : stateBitmap(wxColour(150, 150, 150), 0);
}

wxBitmap disabledCommandBitmap(const wxBitmap& enabled) {
  // The theme's icons are mostly grey already: greying alone would hardly show. The
  // disabled form is grey, lighter and two thirds transparent.
  wxImage image = enabled.ConvertToImage().ConvertToGreyscale().ChangeLightness(130);
  if (!image.HasAlpha()) image.InitAlpha();
  unsigned char* alpha = image.GetAlpha();
  for (int i = 0; i < image.GetWidth() * image.GetHeight(); ++i) alpha[i] = alpha[i] / 3;
  return wxBitmap(image);
}

}  // namespace murlo::gui
