// The printouts drawn as the printer draws them, into a PDF file that poppler's tools read back:
// the German texts, the fonts and their size, everything inside the page; a week page kept as
// PNG in test-artifacts/. And the period dialog "SET_PRINT" driven with the keyboard.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/textctrl.h>

#include <regex>

#include "print/pdf_print_port_wx.h"
#include "print/period_dialog.h"
#include "print/printouts.h"
#include "support/print_fakes.h"
#include "support/process.h"
#include "support/reminder_rig.h"
#include "support/table_rig.h"
#include "widgets/tbmpget_ctrl.h"
#include "ui_test_util.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using test::makeAppointment;

Date d(const char* display) {
  return Date::fromDisplay(display);
}

// `text` with every run of blanks as one blank: pdftotext spaces words by their places.
std::string squeezed(const std::string& text) {
  return std::regex_replace(text, std::regex(" +"), " ");
}

// A word's box in `pdftotext -bbox` output.
struct WordBox {
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

std::vector<std::pair<std::string, WordBox>> wordBoxes(const fs::path& pdf) {
  const std::string out = test::run({"pdftotext", "-bbox", pdf.string(), "-"}).output;
  static const std::regex word(
      R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<std::pair<std::string, WordBox>> boxes;
  for (auto it = std::sregex_iterator(out.begin(), out.end(), word); it != std::sregex_iterator();
       ++it) {
    const std::smatch& m = *it;
    boxes.push_back({m[5], {std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4])}});
  }
  return boxes;
}

TEST(PrintedPages, AWeekReadsAsGermanTwelvePointTextInsideThePage) {
  test::ReminderRig rig("09.12.2026", "08:00:00");
  rig.add(makeAppointment("12.12.2026", "09:00", "Wochenmarkt: Äpfel, Öl und Süßes"));
  rig.add(makeAppointment("12.12.2026", "18:00", "Konzert in der Thomaskirche"));
  rig.add(makeAppointment(
      "14.12.2026", "08:00",
      "Übergabe Projektbericht an die Geschäftsführung, vorher mit Frau Schütz die Zahlen des "
      "dritten Quartals abstimmen und die Folien drucken\r\nRaum 3.14"));
  rig.add(makeAppointment("17.12.2026", "12:30", "Weihnachtsessen der Abteilung"));
  const fs::path pdf = test::artifactDir() / "print_week.pdf";
  PdfPrintPort printer(pdf);
  ASSERT_EQ(printNxtWeek(rig.ctx, *rig.table, printer), PrintOutcome::Printed);

  const std::string text = squeezed(test::run({"pdftotext", "-layout", pdf.string(), "-"}).output);
  EXPECT_NE(text.find("Termine für die Woche vom 12. Dez. 2026 bis zum 18. Dez. 2026"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Wochenmarkt: Äpfel, Öl und Süßes"), std::string::npos) << text;
  EXPECT_NE(text.find("Raum 3.14"), std::string::npos) << text;
  const std::string fonts = test::run({"pdffonts", pdf.string()}).output;
  EXPECT_NE(fonts.find("LiberationSans"), std::string::npos) << fonts;

  // 12 point letters; everything stays inside the head's frame (columns 7 to 79) of the
  // printable area, which begins a quarter inch inside the page.
  const double margin = 18, column = (595.0 - 2 * margin) / 80;
  int words = 0;
  for (const auto& [word, box] : wordBoxes(pdf)) {
    ++words;
    EXPECT_NEAR(box.yMax - box.yMin, 13.8, 1.5) << word;
    EXPECT_GE(box.xMin, margin + 7 * column) << word;
    EXPECT_LE(box.xMax, margin + 79 * column) << word;
  }
  EXPECT_GT(words, 40);
  // The page as a picture to look at.
  const fs::path png = test::artifactDir() / "print_week";
  EXPECT_EQ(test::run({"pdftoppm", "-png", "-r", "100", "-singlefile", pdf.string(), png.string()})
                .status,
            0);
}

class PeriodDialogTest : public ::testing::Test {
 protected:
  // The dialog opened modally the way PRINTDEFINED opens it; `steps` act on it.
  std::optional<PrintPeriod> ask(std::function<void(PeriodDialog&)> steps) {
    test::WhenModal<PeriodDialog> act(std::move(steps));
    WxPrintPeriod port(nullptr, ui, defaultEntryColours());
    auto answer = port.askPeriod(d("09.12.2026"), d("09.12.2026"));
    EXPECT_TRUE(act.ran());
    return answer;
  }
  static void type(TBmpGet* field, const char* digits) {
    test::clickWithMouse(field->text());
    field->text()->SetInsertionPoint(0);
    wxUIActionSimulator().Text(digits);
    test::pump(300);
  }

  test::RecordingUserInterface ui;
};

TEST_F(PeriodDialogTest, TypedDatesAreCheckedAndTheDialogStaysUntilTheyMakeAPeriod) {
  const auto period = ask([this](PeriodDialog& w) {
    EXPECT_EQ(w.GetName(), "SET_PRINT");
    EXPECT_EQ(w.GetTitle(), "Zeitraum drucken");
    EXPECT_EQ(w.fromField()->GetId(), kPeriodFromId);
    EXPECT_EQ(w.toField()->GetId(), kPeriodToId);
    EXPECT_EQ(w.fromField()->GetValue(), "09.12.2026");
    EXPECT_EQ(w.okButton()->GetLabel(), "&OK");
    EXPECT_EQ(w.FindWindow(kPeriodCancelId)->GetLabel(), "&Abbrechen");
    test::screenshot(&w, "print_period_dialog");

    type(w.fromField(), "31022026");
    test::keyOn(w.fromField()->text(), WXK_RETURN);
    EXPECT_TRUE(w.IsShown());
    type(w.fromField(), "14122026");
    type(w.toField(), "13122026");
    test::keyOn(w.toField()->text(), WXK_RETURN);
    EXPECT_TRUE(w.IsShown());
    type(w.toField(), "18122026");
    test::keyOn(w.toField()->text(), WXK_RETURN);
  });
  ASSERT_TRUE(period);
  EXPECT_EQ(period->from, d("14.12.2026"));
  EXPECT_EQ(period->to, d("18.12.2026"));
  EXPECT_EQ(ui.messages, (std::vector<test::RecordingUserInterface::Shown>{
                             {"Problem", "Bitte ein gültiges Datum eingeben (TT.MM.JJJJ) !"},
                             {"Problem", "Der Zeitraum endet vor seinem Beginn !"}}));
}

TEST_F(PeriodDialogTest, EscapeAndCancelGiveNoPeriod) {
  EXPECT_FALSE(ask([](PeriodDialog& w) { test::keyOn(w.fromField()->text(), WXK_ESCAPE); }));
  EXPECT_FALSE(ask(
      [](PeriodDialog& w) { test::press(static_cast<wxButton*>(w.FindWindow(kPeriodCancelId))); }));
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace zrv
