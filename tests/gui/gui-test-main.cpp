// Runs the GUI tests inside a wx application under the X server of the test run (Xvfb).
// Listing the tests needs no display, so test discovery works on a headless machine.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <string>

#include "murlo-app.h"

namespace {

class TestApp : public wxApp {
 public:
  // The locale of the test run, as the program sets it up.
  bool OnInit() override {
    murlo::gui::useUserLocale(locale_);
    return true;
  }

 private:
  wxLocale locale_;
};

// Debian's wx has asserts on; the default handler opens a modal dialog that would hang.
void failOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  ADD_FAILURE_AT(file.utf8_str(), line)
      << "wx assert in " << func.utf8_str() << ": " << cond.utf8_str() << " " << msg.utf8_str();
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  wxApp::SetInstance(new TestApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "cannot open the display\n");
    return 1;
  }
  wxTheApp->CallOnInit();
  wxInitAllImageHandlers();
  wxSetAssertHandler(failOnAssert);
  wxLog::SetActiveTarget(new wxLogStderr);
  const int rc = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return rc;
}
