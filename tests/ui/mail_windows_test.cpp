// The mail's windows: the main window keeps painting while a mail goes out to a server that
// never answers, and the sender dialog asks for name and address.
#include <gtest/gtest.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <atomic>
#include <thread>

#include "mail/mail_rig.h"
#include "mail/mail_setup_dialog.h"
#include "mail/send_mail.h"
#include "support/process.h"
#include "ui/wx_wait.h"
#include "ui_test_util.h"
#include "widgets/dialog_look.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;

TEST(MailWindows, TheWindowKeepsPaintingWhileASilentServerIsGivenUp) {
  test::LocalSmtpOptions quiet;
  quiet.silent = true;
  test::MailRig rig(quiet, {2s, ""});
  ASSERT_TRUE(rig.smtp.ready()) << rig.smtp.whyNotReady();
  rig.account();
  rig.dir.write("SendMail.txt", "x");

  auto* frame = new wxFrame(nullptr, wxID_ANY, "MailPaintProbe", wxPoint(50, 50), wxSize(300, 200));
  auto* panel = new wxPanel(frame);
  std::atomic<int> paints{0};
  panel->Bind(wxEVT_PAINT, [&](wxPaintEvent&) {
    wxPaintDC dc(panel);
    ++paints;
  });
  frame->Show();
  test::pump(300);

  // Another program changes the window's size again and again meanwhile.
  std::atomic<bool> sending{true};
  std::thread resizer([&] {
    const auto id = test::run({"xdotool", "search", "--name", "MailPaintProbe"}, {}, 10s).output;
    for (int i = 0; sending && i < 100; ++i) {
      const std::string w = std::to_string(300 + 40 * (i % 2));
      (void)test::run({"xdotool", "windowsize", id.substr(0, id.find('\n')), w, "200"}, {}, 5s);
      std::this_thread::sleep_for(150ms);
    }
  });
  WxWait wait;
  MailEnv env{rig.ctx, rig.transport, wait, rig.dialog};
  const int before = paints;
  const auto start = std::chrono::steady_clock::now();
  const int code = sendMail(env, MailFields{"erika@example.org",
                                            rig.smtp.server(),
                                            "chef@example.org",
                                            "Test",
                                            (rig.dir / "SendMail.txt").string(),
                                            {},
                                            "zorvane",
                                            "x",
                                            "",
                                            "Erika"});
  const auto took = std::chrono::steady_clock::now() - start;
  const int during = paints - before;
  sending = false;
  resizer.join();
  frame->Destroy();
  test::pump(50);

  EXPECT_EQ(code, 28);
  EXPECT_LT(took, 10s);
  EXPECT_GE(during, 3) << "the window was not repainted while the mail was on its way";
  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_EQ(rig.ui.messages[0].first, "Problem");
  EXPECT_TRUE(rig.ui.messages[0].second.ends_with("Fehlercode: 28"));
  EXPECT_EQ(rig.ui.status, (std::vector<std::string>{kSendingText, kAfterSendingText}));
}

TEST(MailWindows, TheSenderDialogReturnsWhatWasEnteredOnSpeichern) {
  WxSenderDialog sender(nullptr, defaultEntryColours());
  bool seen = false;
  wxTheApp->CallAfter([&] {
    for (wxWindow* w : wxTopLevelWindows) {
      auto* dialog = dynamic_cast<MailSetupDialog*>(w);
      if (!dialog) continue;
      seen = true;
      EXPECT_EQ(dialog->GetTitle(), "EMail-Einstellungen");
      EXPECT_EQ(dialog->nameField()->GetValue(), "Erika");
      dialog->addressField()->SetValue(wxString::FromUTF8("j\xC3\xBCrgen@example.org"));
      test::pump(200);
      test::screenshot(dialog, "mail_setup_dialog");
      // Fields ten layout units high, buttons 35 by 10, as in the program's other dialogs.
      const int unit10 = unitsToPx(dialog, 10);
      EXPECT_EQ(dialog->nameBox()->GetSize().y, unit10);
      EXPECT_EQ(dialog->addressBox()->GetSize().y, unit10);
      for (wxWindowID id : {wxID_OK, wxID_CANCEL})
        EXPECT_EQ(dialog->FindWindow(id)->GetSize(), wxSize(unitsToPx(dialog, 35), unit10));
      test::press(dynamic_cast<wxButton*>(dialog->FindWindow(wxID_OK)));
    }
  });
  const auto got = sender.ask("QLS Zorvane v2.00.65 möchte eine Email versenden.", {"Erika", ""});
  EXPECT_TRUE(seen);
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->name, "Erika");
  EXPECT_EQ(got->address, "j\xC3\xBCrgen@example.org");
}

}  // namespace
}  // namespace zrv
