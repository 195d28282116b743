// The exception boundary: what escaped reaches the logbook and the user in German.
#include "app/escaped_error.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/test_context.h"

namespace zrv {
namespace {

struct RecordingUi : test::CountingUserInterface {
  void message(const std::string& title, const std::string& text, Severity) override {
    shown += title + "|" + text;
  }
  std::string shown;
};

TEST(EscapedError, IsLoggedAndShownWithItsCause) {
  test::TestContext t;
  RecordingUi ui;
  Context ctx(t.dir.path() / "", t.clock, t.log, ui);
  t.log.setEnabled(true);
  t.log.log("Zorvane Start", "");
  try {
    throw std::runtime_error("Index kaputt");
  } catch (...) {
    EXPECT_EQ(currentExceptionText(), "Index kaputt");
  }
  try {
    throw 42;
  } catch (...) {
    EXPECT_EQ(currentExceptionText(), "unbekannte Ursache");
  }
  reportEscapedError(ctx, "Timer", "Index kaputt");
  EXPECT_NE(t.read("Zorvane.Log").find("(Timer) Unerwarteter Fehler: Index kaputt"),
            std::string::npos);
  EXPECT_TRUE(ui.shown.starts_with("Unerwarteter Fehler|")) << ui.shown;
  EXPECT_NE(ui.shown.find("Index kaputt"), std::string::npos);
  EXPECT_NE(ui.shown.find("wird beendet"), std::string::npos);
}

}  // namespace
}  // namespace zrv
