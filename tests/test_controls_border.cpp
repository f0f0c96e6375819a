// The border panel and the gauge with text: layout of the framed child, the solid and
// dotted lines on the screen, the gauge's text, and their XRC handlers.
#include "test_controls_fixture.h"

#include <set>

using namespace kel::test;

namespace
{
const wxColour LineColour(200, 0, 0);
}

class KelBorderTest : public ControlsTest
{
protected:
    KelBorder* MakeBorder(const wxSize& size, long sides, bool dotted, const wxColour& colour = LineColour)
    {
        KelBorder* border = new KelBorder(m_panel, wxID_ANY, wxPoint(30, 30), size, sides);
        border->SetBorderColour(colour, dotted);
        return border;
    }
};

TEST(KelBorderLayout, ContentRectInsetsOnlyTheFramedSides)
{
    EXPECT_EQ(KelBorder::GetContentRect(wxSize(50, 20), wxBORDER_BOTTOM), wxRect(0, 0, 50, 19));
    EXPECT_EQ(KelBorder::GetContentRect(wxSize(50, 20), wxBORDER_ALLSIDES), wxRect(1, 1, 48, 18));
    EXPECT_EQ(KelBorder::GetContentRect(wxSize(50, 20), wxBORDER_LEFT | wxBORDER_TOP), wxRect(1, 1, 49, 19));
    EXPECT_EQ(KelBorder::GetContentRect(wxSize(50, 20), 0), wxRect(0, 0, 50, 20));
}

TEST_F(KelBorderTest, ChildFollowsTheBorderSizeInsideTheLines)
{
    KelBorder* border = MakeBorder(wxSize(120, 30), wxBORDER_BOTTOM, false);
    wxWindow* child = new wxWindow(m_panel, wxID_ANY);
    border->SetWindow(child);
    EXPECT_EQ(child->GetParent(), border);
    EXPECT_EQ(child->GetRect(), wxRect(1, 1, 118, 28)) << "taken in one pixel inside each edge";

    border->SendSizeEvent();
    EXPECT_EQ(child->GetRect(), wxRect(0, 0, 120, 29)) << "laid out clear of the bottom line";

    border->SetBorderStyle(wxBORDER_ALLSIDES);
    border->SetSize(200, 40);
    Pump(30);
    EXPECT_EQ(child->GetRect(), wxRect(1, 1, 198, 38));
}

TEST_F(KelBorderTest, BestSizeIsTheChildsPlusTheLines)
{
    KelBorder* border = new KelBorder(m_panel, wxID_ANY);
    wxWindow* child = new wxWindow(border, wxID_ANY);
    child->SetMinSize(wxSize(50, 10));
    border->SetWindow(child);
    EXPECT_EQ(border->GetBestSize(), wxSize(52, 12));
    border->SetBorderStyle(wxBORDER_TOP);
    EXPECT_EQ(border->GetBestSize(), wxSize(50, 11));
}

TEST_F(KelBorderTest, SolidLinesRunAlongTheChosenSides)
{
    KelBorder* border = MakeBorder(wxSize(40, 20), wxBORDER_BOTTOM | wxBORDER_LEFT, false);
    const wxImage shot = Capture(border);
    EXPECT_EQ(CountPixels(shot, LineColour, wxRect(0, 19, 40, 1)), 40);
    EXPECT_EQ(CountPixels(shot, LineColour, wxRect(0, 0, 1, 20)), 20);
    EXPECT_EQ(CountPixels(shot, LineColour, wxRect(1, 0, 39, 19)), 0);
}

TEST_F(KelBorderTest, DottedLinesSetEverySecondPixelFromEachStart)
{
    KelBorder* border = MakeBorder(wxSize(5, 4), wxBORDER_ALLSIDES, true);
    const wxImage shot = Capture(border);
    const std::set<std::pair<int, int>> expected = {{0, 0}, {0, 2}, {0, 3}, {2, 3},
                                                    {4, 3}, {4, 1}, {4, 0}, {2, 0}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
        {
            const bool set = expected.count({x, y}) > 0;
            EXPECT_EQ(PixelAt(shot, x, y) == LineColour, set) << "pixel " << x << "," << y;
        }
}

TEST_F(KelBorderTest, UnsetColourDrawsNothingButStillInsetsTheChild)
{
    KelBorder* border = MakeBorder(wxSize(60, 20), wxBORDER_ALLSIDES, false, wxColour());
    wxWindow* child = new wxWindow(border, wxID_ANY);
    border->SetWindow(child);
    EXPECT_EQ(child->GetRect(), wxRect(1, 1, 58, 18));
    EXPECT_EQ(PixelAt(Capture(border), 0, 0), *wxWHITE);
}

TEST_F(KelBorderTest, XrcBuildsTheFramedControlFromItsContent)
{
    wxObject* object =
        LoadFromXrc("<object class=\"KelBorder\" name=\"frame\">"
                    "  <style>wxBORDER_DEFAULT</style><size>160,30</size><bordercolour>#C80000</bordercolour>"
                    "  <object class=\"KelBorderContent\">"
                    "    <object class=\"wxLinkText\" name=\"inner\"><label>Groups</label></object>"
                    "  </object>"
                    "</object>"
                    "<object class=\"KelBorder\" name=\"nested\"><style>wxBORDER_TOP</style>"
                    "  <object class=\"KelBorderContent\">"
                    "    <object class=\"KelBorder\" name=\"inside\"><style>wxBORDER_LEFT</style>"
                    "      <object class=\"KelBorderContent\">"
                    "        <object class=\"KelStaticText\"><label>deep</label></object>"
                    "      </object>"
                    "    </object>"
                    "  </object>"
                    "</object>",
                    "frame");
    KelBorder* border = dynamic_cast<KelBorder*>(object);
    ASSERT_TRUE(border);
    EXPECT_EQ(border->GetBorderSides(), wxBORDER_ALLSIDES);
    EXPECT_EQ(border->GetBorderColour(), LineColour);
    wxLinkText* inner = dynamic_cast<wxLinkText*>(border->GetWindow());
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->GetParent(), border);
    EXPECT_EQ(inner->GetRect(), wxRect(1, 1, 158, 28));

    KelBorder* nested = dynamic_cast<KelBorder*>(m_resource->LoadObject(m_panel, "nested", "KelBorder"));
    ASSERT_TRUE(nested);
    EXPECT_FALSE(nested->GetBorderColour().IsOk());
    KelBorder* inside = dynamic_cast<KelBorder*>(nested->GetWindow());
    ASSERT_TRUE(inside);
    EXPECT_TRUE(dynamic_cast<KelStaticText*>(inside->GetWindow()));
}

TEST_F(KelBorderTest, XrcContentWithoutAWindowLogsTheTwoErrors)
{
    LogCollector log;
    wxObject* object =
        LoadFromXrc("<object class=\"KelBorder\" name=\"empty\">"
                    "  <object class=\"KelBorderContent\"/>"
                    "</object>"
                    "<object class=\"KelBorder\" name=\"unknown\">"
                    "  <object class=\"KelBorderContent\"><object class=\"NoSuchControl\"/></object>"
                    "</object>",
                    "empty");
    KelBorder* border = dynamic_cast<KelBorder*>(object);
    ASSERT_TRUE(border);
    EXPECT_EQ(border->GetWindow(), nullptr);
    ASSERT_FALSE(log.errors.empty());
    EXPECT_EQ(log.errors.back(), "Error in resource: no control within notebook's <page> tag.");

    KelBorder* unknown = dynamic_cast<KelBorder*>(m_resource->LoadObject(m_panel, "unknown", "KelBorder"));
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->GetWindow(), nullptr);
    EXPECT_EQ(log.errors.back(), "Error in resource.");
}

class KELGaugeTest : public ControlsTest
{
};

TEST(KELGaugeText, OriginCentresAndShiftsWideTextRight)
{
    EXPECT_EQ(KELGauge::GetContentOrigin(wxSize(100, 20), wxSize(30, 12)), wxPoint(35, 4));
    EXPECT_EQ(KELGauge::GetContentOrigin(wxSize(100, 20), wxSize(120, 12)), wxPoint(10, 4));
    EXPECT_EQ(KELGauge::GetContentOrigin(wxSize(100, 10), wxSize(20, 15)), wxPoint(40, 2));
}

TEST_F(KELGaugeTest, TextIsPaintedOverTheNativeGauge)
{
    KELGauge* gauge = new KELGauge(m_panel, wxID_ANY, 100, wxString(), wxPoint(20, 20), wxSize(200, 24));
    gauge->SetValue(0);
    const wxImage empty = Capture(gauge);
    gauge->SetContent("MMMM");
    const wxImage withText = Capture(gauge);

    int changedInside = 0, changedOutside = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 200; ++x)
        {
            if (PixelAt(empty, x, y) == PixelAt(withText, x, y))
                continue;
            (x > 60 && x < 140 ? changedInside : changedOutside)++;
        }
    EXPECT_GT(changedInside, 20);
    EXPECT_EQ(changedOutside, 0);
    EXPECT_EQ(gauge->GetContent(), "MMMM");
}

TEST_F(KELGaugeTest, XrcReadsRangeValueAndStyle)
{
    wxObject* object =
        LoadFromXrc("<object class=\"KELGauge\" name=\"progress\">"
                    "  <range>250</range><value>125</value><style>wxGA_HORIZONTAL|wxGA_SMOOTH</style>"
                    "  <shadow>2</shadow><bezel>1</bezel>"
                    "</object>"
                    "<object class=\"KELGauge\" name=\"bare\"/>"
                    "<object class=\"KELGauge\" name=\"wrong\"><range>-7</range><value>25</value></object>",
                    "progress");
    KELGauge* gauge = dynamic_cast<KELGauge*>(object);
    ASSERT_TRUE(gauge);
    EXPECT_EQ(gauge->GetRange(), 250);
    EXPECT_EQ(gauge->GetValue(), 125);
    EXPECT_TRUE(gauge->HasFlag(wxGA_SMOOTH));
    EXPECT_EQ(gauge->GetContent(), "");

    KELGauge* bare = dynamic_cast<KELGauge*>(m_resource->LoadObject(m_panel, "bare", "KELGauge"));
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->GetRange(), 100);
    EXPECT_EQ(bare->GetValue(), 0);

    // A range below zero and a value outside the range are brought into bounds.
    KELGauge* wrong = dynamic_cast<KELGauge*>(m_resource->LoadObject(m_panel, "wrong", "KELGauge"));
    ASSERT_TRUE(wrong);
    EXPECT_EQ(wrong->GetRange(), 0);
    EXPECT_EQ(wrong->GetValue(), 0);
}
