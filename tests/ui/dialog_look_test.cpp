#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>
#include <wx/stockitem.h>

#include "app/context.h"
#include "widgets/dialog_look.h"
#include "widgets/german_locale.h"
#include "widgets/xbase_colours.h"

namespace zrv {
namespace {

// wx's own texts (standard buttons, the file and help windows) come out German.
TEST(GermanTexts, TheToolkitsOwnTextsAreGerman) {
  selectGermanTexts();
  loadToolkitTexts();
  EXPECT_EQ(wxGetStockLabel(wxID_CANCEL), "Ab&brechen");
  EXPECT_EQ(wxGetTranslation("Search"), "Suchen");
}

TEST(XbaseColours, LettersAndBrightVariants) {
  EXPECT_EQ(*xbaseColour("N"), wxColour(0, 0, 0));
  EXPECT_EQ(*xbaseColour("B"), wxColour(0, 0, 128));
  EXPECT_EQ(*xbaseColour("G"), wxColour(0, 128, 0));
  EXPECT_EQ(*xbaseColour("BG"), wxColour(0, 128, 128));
  EXPECT_EQ(*xbaseColour("GB"), wxColour(0, 128, 128));
  EXPECT_EQ(*xbaseColour("R"), wxColour(128, 0, 0));
  EXPECT_EQ(*xbaseColour("RB"), wxColour(128, 0, 128));
  EXPECT_EQ(*xbaseColour("GR"), wxColour(128, 128, 0));
  EXPECT_EQ(*xbaseColour("W"), wxColour(192, 192, 192));
  EXPECT_EQ(*xbaseColour("W+"), wxColour(255, 255, 255));
  EXPECT_EQ(*xbaseColour("w*"), wxColour(255, 255, 255));
  EXPECT_EQ(*xbaseColour("GR+"), wxColour(255, 255, 0));
  EXPECT_EQ(*xbaseColour("N+"), wxColour(128, 128, 128));
  EXPECT_FALSE(xbaseColour(""));
  EXPECT_FALSE(xbaseColour("Q"));
  EXPECT_FALSE(xbaseColour("+"));
}

TEST(XbaseColours, Pairs) {
  const auto calendar = xbaseColours("W*/B");
  ASSERT_TRUE(calendar);
  EXPECT_EQ(calendar->fore, wxColour(255, 255, 255));
  EXPECT_EQ(calendar->back, wxColour(0, 0, 128));
  const auto legend = xbaseColours("N*/W");
  ASSERT_TRUE(legend);
  EXPECT_EQ(legend->back, wxColour(192, 192, 192));
  EXPECT_EQ(xbaseColours("N")->back, wxColour(255, 255, 255));
  EXPECT_FALSE(xbaseColours("N/X"));
  EXPECT_FALSE(xbaseColours("/W"));
}

TEST(DialogLook, LayoutUnitsAreTwoPixels) {
  const wxRect r = unitRect(nullptr, 140, 17, 30, 10);
  EXPECT_EQ(r, wxRect(34, 280, 60, 20));
  EXPECT_EQ(unitsToPx(nullptr, -3), -6);
  EXPECT_EQ(pixelSize(nullptr, 353, 305), wxSize(353, 305));
}

// The character height of `font` in pixels as drawn: the text extent less its leading.
int drawnHeight(const wxFont& font) {
  wxBitmap bitmap(10, 10);
  wxMemoryDC dc(bitmap);
  dc.SetFont(font);
  wxCoord w = 0, h = 0, descent = 0, leading = 0;
  dc.GetTextExtent("Mg", &w, &h, &descent, &leading);
  return h - leading;
}

TEST(DialogLook, FontsStandInForTheWindowsFaces) {
  const wxFont small = smallFont();
  EXPECT_EQ(small.GetFaceName(), wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetFaceName());
  EXPECT_EQ(smallBoldFont().GetWeight(), wxFONTWEIGHT_BOLD);
  EXPECT_EQ(small.GetWeight(), wxFONTWEIGHT_NORMAL);

  const wxFont arial = dialogFont("Arial", 25, true);
  EXPECT_EQ(arial.GetFaceName(), "Liberation Sans");
  EXPECT_EQ(arial.GetPointSize(), 25);
  EXPECT_EQ(arial.GetWeight(), wxFONTWEIGHT_BOLD);
  EXPECT_EQ(dialogFont("ARIAL", 14, false).GetFaceName(), "Liberation Sans");
  EXPECT_EQ(dialogFont("MS Sans Serif", 8, false).GetFaceName(), small.GetFaceName());
}

// Heights of the Windows font interface are pixels, not points: "Arial" 25 is a character
// 25 pixels high (about 24 characters a line in the alert's text box), where 25 points would
// be a third larger.
TEST(DialogLook, FontHeightsArePixels) {
  const int alert = drawnHeight(dialogFontPx("Arial", 25, true));
  EXPECT_GE(alert, 25);
  EXPECT_LE(alert, 31);
  EXPECT_GT(drawnHeight(dialogFont("Arial", 25, true)), 33);
  EXPECT_EQ(dialogFontPx("Arial", 25, true).GetFaceName(), "Liberation Sans");
  EXPECT_EQ(dialogFontPx("Arial", 25, true).GetWeight(), wxFONTWEIGHT_BOLD);
}

// "Ms Sans Serif" is a raster face whose smallest size is 8 point: heights -8 to -12 all show
// 11 pixels high, the next sizes from -13 and -16 on.
TEST(DialogLook, MsSansSerifHeightsShowTheSizesOfTheRasterFace) {
  EXPECT_EQ(msSansSerifPixels(-8), 11);
  EXPECT_EQ(msSansSerifPixels(-12), 11);
  EXPECT_EQ(msSansSerifPixels(-13), 13);
  EXPECT_EQ(msSansSerifPixels(-18), 16);
  EXPECT_EQ(msSansSerifPixels(-24), 24);
  EXPECT_EQ(msSansSerifPixels(-40), 32);
  const int small = drawnHeight(smallFont());
  EXPECT_GE(small, 11);
  EXPECT_EQ(drawnHeight(dialogFontPx("Ms Sans Serif", 12, false)), small);
  EXPECT_GT(drawnHeight(dialogFontPx("Ms Sans Serif", 16, false)), small);
}

TEST(DialogLook, EntryColoursComeFromTheWindowsValues) {
  EXPECT_EQ(colourFromColorRef(0x00D0FFFF), wxColour(255, 255, 208));
  EXPECT_EQ(colourFromColorRef(0x00123456), wxColour(0x56, 0x34, 0x12));
  const EntryColours colours = defaultEntryColours();
  EXPECT_EQ(colours.back, wxColour(255, 255, 208));
  EXPECT_EQ(colours.text, wxColour(1, 0, 0));  // NCOLF 1: as good as black
  FixedLists lists;
  lists.NCOLB = 0x00FFFFFF;
  EXPECT_EQ(entryColours(lists).back, wxColour(255, 255, 255));
}

}  // namespace
}  // namespace zrv
