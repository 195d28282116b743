// Screenshots of the alert window, "Termin verlegen" and all bitmaps, kept in test-artifacts/ of
// the build directory for a look by eye; each also checks that the screen shows the window.
#include <gtest/gtest.h>
#include <wx/dcmemory.h>

#include "reminder/alert_window.h"
#include "reminder/postpone_window.h"
#include "ui_test_util.h"
#include "widgets/bitmaps.h"

namespace zrv {
namespace {

class NoActions : public AlertActions {
 public:
  bool run(AlertAction) override { return false; }
};

bool near(const wxColour& a, unsigned char r, unsigned char g, unsigned char b, int tolerance) {
  return std::abs(a.Red() - r) <= tolerance && std::abs(a.Green() - g) <= tolerance &&
         std::abs(a.Blue() - b) <= tolerance;
}

wxColour pixel(const wxImage& image, int x, int y) {
  return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

TEST(Screenshot, AlertWindowShowsItsGradientAndContent) {
  AlertContent content;
  content.title = "Aktueller Termin in 15 Minuten";
  content.date = "24.12.2025";
  content.time = "14:30";
  content.kindText = "Besuch auswärts";
  content.kindCode = "TA5";
  content.repetitionText = "wöchentlich bis 31.12.2026";
  content.text = "Zahnarzt Dr. Müller\nÜberweisung und Bonusheft mitnehmen";
  content.repeating = false;
  NoActions actions;
  auto* window = new AlertWindow(nullptr, content, actions);
  window->Show();
  test::pump(400);
  const auto path = test::screenshot(window, "alert_window");
  EXPECT_TRUE(std::filesystem::exists(path));

  const wxImage shot = test::screenImage(window);
  const wxPoint inClient = window->GetClientAreaOrigin() + window->GetScreenPosition() -
                           window->GetScreenRect().GetPosition();
  // Just inside the frame at the top the box is still pink, low down it is nearly purple.
  EXPECT_TRUE(near(pixel(shot, inClient.x + 5, inClient.y + 4), 255, 128, 128, 12));
  const int low = inClient.y + window->GetClientSize().y - 3;
  EXPECT_TRUE(near(pixel(shot, inClient.x + 5, low), 128, 0, 128, 12));
  window->Destroy();
  test::pump();
}

TEST(Screenshot, PostponeWindow) {
  auto* window = new PostponeWindow(nullptr, *Date::fromYmd(2025, 3, 17), "09:45");
  window->Show();
  test::pump(400);
  EXPECT_TRUE(std::filesystem::exists(test::screenshot(window, "postpone_window")));
  window->Destroy();
  test::pump();
}

TEST(Screenshot, BitmapSheet) {
  // Every bitmap at its natural size and at twice that, with its name, on a light background.
  const auto names = bitmapNames();
  const int cell = 120, rowHeight = 90, columns = 8;
  const int rows = static_cast<int>((names.size() + columns - 1) / columns);
  wxBitmap sheet(columns * cell, rows * rowHeight + 130, 24);
  {
    wxMemoryDC dc(sheet);
    dc.SetBackground(wxBrush(wxColour(236, 236, 236)));
    dc.Clear();
    dc.SetFont(wxFont(wxFontInfo(7)));
    int i = 0;
    for (const auto& name : names) {
      if (name == "About") continue;
      const int x = (i % columns) * cell, y = (i / columns) * rowHeight;
      const wxSize natural = naturalBitmapSize(name);
      dc.DrawBitmap(bitmapByName(name), x + 4, y + 4, true);
      dc.DrawBitmap(bitmapByName(name, natural * 2), x + 44, y + 4, true);
      dc.DrawText(wxString::FromUTF8(name), x + 4, y + rowHeight - 16);
      ++i;
    }
    dc.DrawBitmap(bitmapByName("About"), 4, rows * rowHeight + 10, true);
  }
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  const auto path = test::artifactDir() / "bitmaps.png";
  EXPECT_TRUE(sheet.SaveFile(path.string(), wxBITMAP_TYPE_PNG));
}

}  // namespace
}  // namespace zrv
