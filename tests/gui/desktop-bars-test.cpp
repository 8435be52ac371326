// The bars of the main window as the desktop of run-on-desktop.sh shows them; the same
// tests run at GDK_SCALE=2 as gui.desktop-scaled.
#include <gtest/gtest.h>
#include <wx/aui/auibar.h>
#include <wx/display.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "command-ids.h"
#include "gui-fixture.h"
#include "x-screen.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;

std::string scaleSuffix() {
  const char* scale = std::getenv("GDK_SCALE");
  return scale ? std::string("-scale") + scale : "";
}

// The mean difference of two pictures of the same size, per pixel and channel (0..255).
int meanDifference(const wxImage& a, const wxImage& b) {
  const int n = a.GetWidth() * a.GetHeight() * 3;
  long sum = 0;
  for (int i = 0; i < n; ++i) sum += std::abs(a.GetData()[i] - b.GetData()[i]);
  return n ? static_cast<int>(sum / n) : 0;
}

class DesktopBars : public GuiTest {
 protected:
  // A rectangle of the desktop's units in the screen's pixels, which the X server reads.
  wxRect inPixels(const wxRect& r) {
    const double scale = frame_->GetContentScaleFactor();
    return wxRect(wxRound(r.x * scale), wxRound(r.y * scale), wxRound(r.width * scale),
                  wxRound(r.height * scale));
  }
  wxAuiToolBar* bar(const char* name) {
    return static_cast<wxAuiToolBar*>(frame_->aui().GetPane(name).window);
  }
  // Where the add bar's button `id` is on the screen; empty when the bar does not show it.
  wxRect addBarTool(int id) {
    wxAuiToolBar* addBar = bar("AddUrlBar");
    const wxRect r = addBar->GetToolRect(id);
    if (r.IsEmpty() || !addBar->GetClientRect().Contains(r)) return wxRect();
    return wxRect(addBar->ClientToScreen(r.GetPosition()), r.GetSize());
  }
};

TEST_F(DesktopBars, TheAddBarsButtonsStayInsideANarrowWindowAndOnTheScreen) {
  // 600 pixels wide, and a window stored larger than the screen.
  for (const char* size : {"Size_CX=600\r\nSize_CY=400", "Size_CX=3000\r\nSize_CY=2000"}) {
    box_.write("Murlo.ini", std::string("[MainFrame]\r\nPoint_X=0\r\nPoint_Y=0\r\n") + size);
    ASSERT_TRUE(startFrame());
    // Placed by the window manager and laid out for that size once it is painted.
    awaitPainted(frame_);
    const wxRect window(frame_->GetClientAreaOrigin() + frame_->GetScreenPosition(),
                        frame_->GetClientSize());
    const wxRect screen = wxDisplay(0u).GetGeometry();
    for (const int id : {ID_PASTE_URL, ID_ADD_FROM_BAR}) {
      const wxRect tool = addBarTool(id);
      EXPECT_FALSE(tool.IsEmpty()) << size << " " << id;
      EXPECT_TRUE(window.Contains(tool) && screen.Contains(tool)) << size << " " << id;
    }
    EXPECT_GE(frame_->urlCombo()->GetSize().x, 200) << size;
    std::string name = size[8] == '6' ? "main-window-600" : "main-window-large";
    // Read in the screen's pixels: the shared helper clips to the screen in the desktop's units.
    awaitPainted(frame_);
    const std::string shot =
        std::string(MURLO_SCREENSHOT_DIR) + "/" + name + scaleSuffix() + ".png";
    std::filesystem::create_directories(MURLO_SCREENSHOT_DIR);
    grabScreen(inPixels(frame_->GetScreenRect()))
        .SaveFile(wxString::FromUTF8(shot), wxBITMAP_TYPE_PNG);
    std::printf("screenshot: %s\n", shot.c_str());
    ASSERT_TRUE(closeFrame());
  }
}

TEST_F(DesktopBars, TheRunButtonLooksDifferentWhenItIsDisabled) {
  ASSERT_TRUE(startFrame());
  wxAuiToolBar* mainBar = bar("ToolBar");
  const auto shot = [&] {
    awaitPainted(mainBar);
    const wxRect r = mainBar->GetToolRect(ID_RUN);
    return grabScreen(inPixels(wxRect(mainBar->ClientToScreen(r.GetPosition()), r.GetSize())));
  };
  ASSERT_FALSE(mainBar->GetToolEnabled(ID_RUN));
  const wxImage disabled = shot();
  items().AddItem("a.jpg", "http://h.jp/", "ADD", "jpg", "", "");
  ASSERT_TRUE(pumpUntil([&] { return mainBar->GetToolEnabled(ID_RUN); }));
  const wxImage enabled = shot();
  // Apart by more than a theme's pale arrow and its greyed copy (4 of 255).
  EXPECT_GE(meanDifference(enabled, disabled), 12);
}

}  // namespace
}  // namespace murlo::test
