#include "widgets/tvbox_ctrl.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include "ui_test_util.h"

namespace zrv {
namespace {

const wxColour kPink(255, 128, 128), kPurple(128, 0, 128);

TEST(TVBoxGradient, BandsAreAHundredthHighAndStepLinearly) {
  const auto bands = TVBox::gradientBands(kPink, kPurple, 300);
  ASSERT_EQ(bands.size(), 100u);
  EXPECT_EQ(bands.front().colour, kPink);
  EXPECT_EQ(bands.back().colour, kPurple);
  int y = 0;
  for (size_t i = 0; i < bands.size(); ++i) {
    EXPECT_EQ(bands[i].top, y);
    EXPECT_EQ(bands[i].height, 3);
    y += bands[i].height;
    if (i > 0) {
      EXPECT_LE(bands[i].colour.Red(), bands[i - 1].colour.Red());
      EXPECT_LE(bands[i].colour.Green(), bands[i - 1].colour.Green());
    }
  }
  EXPECT_EQ(y, 300);
  const auto& middle = bands[50].colour;
  EXPECT_NEAR(middle.Red(), 192, 2);
  EXPECT_NEAR(middle.Green(), 64, 2);
}

TEST(TVBoxGradient, LowBoxesGetOnePixelBandsAndOddHeightsAreCovered) {
  const auto low = TVBox::gradientBands(*wxWHITE, wxColour(80, 80, 80), 79);
  ASSERT_EQ(low.size(), 79u);
  EXPECT_EQ(low.back().colour, wxColour(80, 80, 80));
  const auto odd = TVBox::gradientBands(kPink, kPurple, 305);
  int covered = 0;
  for (const auto& band : odd)
    covered += band.height;
  EXPECT_EQ(covered, 305);
  EXPECT_EQ(odd.back().colour, kPurple);
  EXPECT_TRUE(TVBox::gradientBands(kPink, kPurple, 0).empty());
  const auto plain = TVBox::gradientBands(kPink, kPink, 40);
  for (const auto& band : plain)
    EXPECT_EQ(band.colour, kPink);
}

class TVBoxOnScreen : public testing::Test {
 protected:
  void SetUp() override {
    frame_ =
        new wxFrame(nullptr, wxID_ANY, "TVBox", wxPoint(20, 20), wxSize(420, 240), wxBORDER_NONE);
    frame_->SetBackgroundColour(wxColour(0, 200, 0));
  }
  void TearDown() override {
    frame_->Destroy();
    test::pump(50);
  }
  TVBox* add(const wxRect& rect, TVBoxStyle style) { return new TVBox(frame_, rect, style); }
  wxImage show() {
    frame_->Show();
    test::pump(300);
    return test::screenImage(frame_);
  }
  static wxColour at(const wxImage& image, int x, int y) {
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
  }
  static bool near(const wxColour& a, const wxColour& b, int tolerance = 8) {
    return std::abs(a.Red() - b.Red()) <= tolerance &&
           std::abs(a.Green() - b.Green()) <= tolerance &&
           std::abs(a.Blue() - b.Blue()) <= tolerance;
  }
  wxFrame* frame_ = nullptr;
};

TEST_F(TVBoxOnScreen, PaintsGradientPlainAndTransparentBoxes) {
  TVBoxStyle gradient;
  gradient.background = {kPink, kPurple};
  TVBox* a = add(wxRect(0, 0, 130, 200), gradient);
  TVBoxStyle plain;
  plain.background = {wxColour(0, 0, 255)};
  TVBox* b = add(wxRect(140, 0, 130, 200), plain);
  TVBox* c = add(wxRect(280, 0, 130, 200), {});
  // One colour is used for both ends; no colour at all means transparent.
  EXPECT_FALSE(a->isTransparent());
  EXPECT_EQ(b->topColour(), b->bottomColour());
  EXPECT_TRUE(c->isTransparent());
  TVBoxStyle seeThrough = gradient;
  seeThrough.transparent = true;
  EXPECT_TRUE(add(wxRect(0, 210, 10, 10), seeThrough)->isTransparent());

  const wxImage shot = show();
  ASSERT_TRUE(shot.IsOk());
  EXPECT_TRUE(near(at(shot, 60, 10), kPink)) << "top of the gradient";
  EXPECT_TRUE(near(at(shot, 60, 190), kPurple, 12)) << "bottom of the gradient";
  EXPECT_TRUE(near(at(shot, 200, 20), wxColour(0, 0, 255)));
  EXPECT_TRUE(near(at(shot, 200, 180), wxColour(0, 0, 255)));
  EXPECT_TRUE(near(at(shot, 340, 100), wxColour(0, 200, 0))) << "the parent shows through";
}

// On a gradient from white to black a label low on it is drawn white, one high on it black; a
// label given a colour of its own keeps it.
TEST_F(TVBoxOnScreen, LabelsAreReadableWhereverTheyLieOnTheGradient) {
  TVBoxStyle details;
  details.background = {*wxWHITE, *wxBLACK};
  TVBox* box = add(wxRect(0, 0, 200, 200), details);
  auto* high = new wxStaticText(box, wxID_ANY, "alle", wxPoint(10, 20));
  auto* low = new wxStaticText(box, wxID_ANY, "Enddatum", wxPoint(10, 170));
  auto* own = new wxStaticText(box, wxID_ANY, "eigene", wxPoint(100, 170));
  own->SetForegroundColour(*wxRED);
  show();
  EXPECT_EQ(high->GetForegroundColour(), *wxBLACK);
  EXPECT_EQ(low->GetForegroundColour(), *wxWHITE);
  EXPECT_EQ(own->GetForegroundColour(), *wxRED);
}

TEST_F(TVBoxOnScreen, FrameRunsUnderTheCaptionOnlyWithoutOne) {
  TVBoxStyle bare;
  bare.background = {*wxWHITE};
  add(wxRect(0, 0, 200, 100), bare);
  TVBoxStyle captioned = bare;
  captioned.caption = wxS("Überschrift");
  captioned.captionColour = wxColour(0, 0, 255);
  TVBox* withCaption = add(wxRect(210, 0, 200, 100), captioned);
  EXPECT_EQ(withCaption->shownCaption(), wxS("   Überschrift   "));
  EXPECT_EQ(add(wxRect(0, 110, 10, 10), bare)->shownCaption(), "");
  TVBoxStyle defaults;
  EXPECT_EQ(add(wxRect(20, 110, 10, 10), defaults)->style().captionColour,
            wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));

  const wxImage shot = show();
  ASSERT_TRUE(shot.IsOk());
  const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW);
  // Without a caption the top edge runs 6 pixels down, all the way across.
  EXPECT_TRUE(near(at(shot, 100, 6), shadow, 4));
  // With one, the caption sits on the top edge in its colour and the edge is broken there.
  const int textHeight = withCaption->GetTextExtent(withCaption->shownCaption()).y;
  const int edge = textHeight / 2;
  EXPECT_TRUE(near(at(shot, 210 + 195, edge), shadow, 4)) << "edge right of the caption";
  int blue = 0, edgeUnderText = 0;
  for (int x = 210 + 25; x < 210 + 60; ++x) {
    for (int y = 0; y < textHeight; ++y) {
      const wxColour c = at(shot, x, y);
      if (c.Blue() > 150 && c.Red() < 120) ++blue;
    }
    if (near(at(shot, x, edge), shadow, 4)) ++edgeUnderText;
  }
  EXPECT_GT(blue, 10) << "the caption is drawn";
  EXPECT_LT(edgeUnderText, 20) << "the frame leaves a gap for the caption";
}

}  // namespace
}  // namespace zrv
