// main() for window tests: starts wx on the (virtual) display, then runs the tests.
// Listing the tests needs no display, so wx is not started for --gtest_list_tests.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

#include <cstring>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) return 1;
  wxTheApp->CallOnInit();
  const int rc = RUN_ALL_TESTS();
  wxEntryCleanup();
  return rc;
}
