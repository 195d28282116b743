// Ending the program on a request from outside: open modal windows end without an action, then
// the main window closes; never while the program's work waits in an event loop of its own, and
// a request that comes before there is a main window is kept for it.
#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/weakref.h>

#include "ui/stop_sequence.h"
#include "ui/wx_wait.h"
#include "ui_test_util.h"

namespace zrv {
namespace {

// A main window that notes its close events and closes as the program's does.
class NotingFrame : public wxFrame {
 public:
  explicit NotingFrame(std::vector<std::string>& steps)
      : wxFrame(nullptr, wxID_ANY, "Haupt", wxPoint(50, 50), wxSize(300, 200)) {
    Bind(wxEVT_CLOSE_WINDOW, [this, &steps](wxCloseEvent& event) {
      steps.push_back(std::string(waitRunning() ? "closed while waiting" : "closed") +
                      (event.CanVeto() ? ", vetoable" : ""));
      Destroy();
    });
  }
};

TEST(StopSequence, ModalWindowsEndWithoutAnActionThenTheMainWindowCloses) {
  std::vector<std::string> steps;
  wxWeakRef<wxFrame> frame = new NotingFrame(steps);
  frame->Show();
  StopSequence stop([&] { return frame.get(); });
  wxDialog outer(nullptr, wxID_ANY, "eins");
  wxDialog inner(nullptr, wxID_ANY, "zwei");
  test::WhenModal<wxDialog> user([&](wxDialog&) {
    test::WhenModal<wxDialog> nested([&](wxDialog&) { stop.request(); }, 30000);
    steps.push_back("inner " + std::to_string(inner.ShowModal()));
  });
  wxTimer watchdog;  // a request that went wrong must not leave the test hanging
  watchdog.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
    ADD_FAILURE() << "the modal windows were not ended";
    test::endAllModal();
  });
  watchdog.Start(30000);
  steps.push_back("outer " + std::to_string(outer.ShowModal()));
  EXPECT_TRUE(test::pumpUntil([&] { return !frame; }, 30000));
  const std::string cancel = std::to_string(wxID_CANCEL);
  EXPECT_EQ(steps, (std::vector<std::string>{"inner " + cancel, "outer " + cancel, "closed"}));
  EXPECT_FALSE(stop.pending());
}

TEST(StopSequence, TheMainWindowStaysWhileTheProgramWaits) {
  std::vector<std::string> steps;
  wxWeakRef<wxFrame> frame = new NotingFrame(steps);
  frame->Show();
  StopSequence stop([&] { return frame.get(); });
  WxWait wait;
  wxTimer term;  // the request comes while the work waits
  term.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { stop.request(); });
  frame->CallAfter([&] {
    term.StartOnce(100);
    wait.waitOneSecond();
    steps.push_back(frame ? "waited" : "waited, window gone");
  });
  EXPECT_TRUE(test::pumpUntil([&] { return !frame; }, 30000));
  EXPECT_EQ(steps, (std::vector<std::string>{"waited", "closed"}));
  EXPECT_FALSE(waitRunning());
}

TEST(StopSequence, ARequestBeforeTheMainWindowExistsIsKeptForIt) {
  std::vector<std::string> steps;
  wxWeakRef<wxFrame> frame;
  StopSequence stop([&] { return frame.get(); });
  stop.request();
  test::pump(300);
  EXPECT_TRUE(stop.pending());
  frame = new NotingFrame(steps);
  frame->Show();
  EXPECT_TRUE(test::pumpUntil([&] { return !frame; }, 30000));
  EXPECT_EQ(steps, std::vector<std::string>{"closed"});
  EXPECT_FALSE(stop.pending());
}

TEST(StopSequence, TheWorkIsInANestedLoopWhileAModalWindowOrAWaitRuns) {
  EXPECT_FALSE(workInNestedLoop());
  bool duringWait = false;
  WxWait wait;
  wxTimer probe;
  probe.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { duringWait = workInNestedLoop(); });
  probe.StartOnce(100);
  wait.waitOneSecond();
  EXPECT_TRUE(duringWait);

  bool duringModal = false;
  wxDialog dialog(nullptr, wxID_ANY, "modal");
  test::WhenModal<wxDialog> user([&](wxDialog& d) {
    duringModal = workInNestedLoop();
    d.EndModal(wxID_OK);
  });
  dialog.ShowModal();
  EXPECT_TRUE(duringModal);
  EXPECT_FALSE(workInNestedLoop());
}

}  // namespace
}  // namespace zrv
