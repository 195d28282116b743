#include "ui/plain_main_frame.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/stockitem.h>

#include "app/check_ini.h"
#include "app/ini_file.h"
#include "support/test_context.h"
#include "ui/german_locale.h"

namespace zrv {
namespace {

TEST(GermanTexts, StockLabelsAreGerman) {
  selectGermanTexts();
  EXPECT_EQ(wxGetStockLabel(wxID_CANCEL, wxSTOCK_NOFLAGS), wxString::FromUTF8("Abbrechen"));
  EXPECT_EQ(wxGetStockLabel(wxID_CLOSE, wxSTOCK_NOFLAGS), wxString::FromUTF8("Schließen"));
}

struct PlainMainFrameTest : ::testing::Test {
  PlainMainFrameTest() {
    t.dir.write("ZORVANE.INI", "[ZORVANE]\r\nFILENAME=MEIER\r\n");
    checkIni(t.ctx);
  }
  std::string ini(const char* section, const char* key) const {
    return IniFile(t.dir / "ZORVANE.INI").read(section, key, "-");
  }
  test::TestContext t;
};

TEST_F(PlainMainFrameTest, OpensAtTheSavedRectangleWithTheReleaseAsTitle) {
  t.ctx.settings.LS_LAN = true;
  auto* frame = new PlainMainFrame(t.ctx, WindowRect{40, 30, 639, 829});
  EXPECT_EQ(frame->GetTitle(), "QLS Zorvane v2.00.65 Lan");
  EXPECT_EQ(frame->GetSize(), wxSize(800, 600));
  EXPECT_FALSE(frame->HasFlag(wxMINIMIZE_BOX));
  EXPECT_FALSE(frame->HasFlag(wxMAXIMIZE_BOX));
  EXPECT_TRUE(frame->HasFlag(wxRESIZE_BORDER));
  frame->Destroy();
  wxTheApp->ProcessPendingEvents();
}

TEST_F(PlainMainFrameTest, MovingSavesThePositionAndClosingWritesTheExitSettings) {
  auto* frame = new PlainMainFrame(t.ctx, WindowRect{40, 30, 639, 829});
  frame->SetSize(60, 50, 700, 500);
  wxMoveEvent moved(frame->GetPosition(), frame->GetId());
  moved.SetEventObject(frame);
  frame->GetEventHandler()->ProcessEvent(moved);
  const wxRect r = frame->GetRect();
  EXPECT_EQ(ini("System", "Top"), std::to_string(r.y));
  EXPECT_EQ(ini("System", "Right"), std::to_string(r.x + std::max(r.width - 1, 513)));
  EXPECT_EQ(t.read("ZORVANE.SAV"), t.read("ZORVANE.INI"));

  t.ctx.settings.NS_TODAY = 2;
  frame->Close(true);
  wxTheApp->ProcessPendingEvents();
  EXPECT_EQ(ini("ZORVANE", "FILENAME"), "MEIER");
  EXPECT_EQ(ini("SYSTEM", "TODAY"), "2");
  EXPECT_EQ(ini("SYSTEM", "LastOn"), "10.06.2024");
}

}  // namespace
}  // namespace zrv
