// main() for window tests: starts wx on the (virtual) display, then runs the tests.
// Listing the tests needs no display, so wx is not started for --gtest_list_tests.
// Nothing may wait for a person: a failed wx assertion fails the running test (with its place
// and text on stderr) instead of showing wx's modal assertion dialog, and wx's log goes to
// stderr instead of message boxes.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>

namespace {

void failOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  const std::string where = file.utf8_string();
  const std::string text = "wx assertion \"" + cond.utf8_string() + "\" failed in " +
                           func.utf8_string() + "(): " + msg.utf8_string();
  std::fprintf(stderr, "%s:%d: %s\n", where.c_str(), line, text.c_str());
  std::fflush(stderr);
  ADD_FAILURE_AT(where.c_str(), line) << text;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  wxSetAssertHandler(failOnAssert);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) return 1;
  delete wxLog::SetActiveTarget(new wxLogStderr);
  wxTheApp->CallOnInit();
  const int rc = RUN_ALL_TESTS();
  wxEntryCleanup();
  return rc;
}
