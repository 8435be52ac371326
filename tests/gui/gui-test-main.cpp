// Runs the GUI tests inside a wx application under the X server of the test run (Xvfb).
// Listing the tests needs no display, so test discovery works on a headless machine.
#include <dlfcn.h>
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

// Controls take their final look at once instead of through the theme's transitions (a
// check mark or a focus ring fades in over a fraction of a second), so a picture taken as
// soon as a window is painted shows it as it stays. The toolkit's functions are looked up
// in the libraries the program has loaded, as the build has no toolkit headers.
void disableToolkitAnimations() {
  using GetSettings = void* (*)();
  using SetProperties = void (*)(void*, const char*, ...);
  auto* settings = reinterpret_cast<GetSettings>(dlsym(RTLD_DEFAULT, "gtk_settings_get_default"));
  auto* set = reinterpret_cast<SetProperties>(dlsym(RTLD_DEFAULT, "g_object_set"));
  if (settings && set && settings()) set(settings(), "gtk-enable-animations", 0, nullptr);
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
  disableToolkitAnimations();
  wxInitAllImageHandlers();
  wxSetAssertHandler(failOnAssert);
  wxLog::SetActiveTarget(new wxLogStderr);
  const int rc = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return rc;
}
