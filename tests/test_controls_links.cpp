// The link text and the read-only link text control: size arithmetic, wrapping on the
// screen, press/leave/release sequences with the real pointer, and their XRC handlers.
#include "test_controls_fixture.h"

#include <wx/uiaction.h>

#include <cmath>

using namespace kel::test;

namespace
{
class ProbeLink : public wxLinkText
{
public:
    using wxLinkText::wxLinkText;
    bool IsPressed() const { return m_pressed; }
    // Everything that decides how the link looks before it is used.
    wxString State() const
    {
        wxString state;
        for (const wxColour& c :
             {m_overColour, m_curColour, m_borderColour, m_normalColour, m_pressedColour, m_disableColour})
            state << c.GetAsString(wxC2S_HTML_SYNTAX) << " ";
        state << m_imageTop << m_drawBorder << m_bitmapStyle << m_pressed << m_underline;
        return state;
    }
};

wxSize LinkTextExtent(const wxLinkText* link, const wxString& text)
{
    wxMemoryDC dc;
    dc.SetFont(link->GetLinkFont());
    return dc.GetTextExtent(text);
}
} // namespace

class wxLinkTextTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        m_panel->Bind(wxEVT_BUTTON,
                      [this](wxCommandEvent& e)
                      {
                          EXPECT_EQ(e.GetId(), 42);
                          ++m_clicks;
                      });
        m_panel->Bind(wxEVT_COMMAND_LEFT_DCLICK, [this](wxCommandEvent&) { ++m_doubleClicks; });
    }

    ProbeLink* MakeLink(const wxString& label, const wxSize& size = wxSize(120, 24))
    {
        ProbeLink* link = new ProbeLink(m_panel, 42, label, wxPoint(100, 100), size);
        Capture(link);
        return link;
    }

    wxPoint Inside(wxWindow* win) const { return win->ClientToScreen(wxPoint(10, 8)); }
    wxPoint Outside() const { return m_panel->ClientToScreen(wxPoint(20, 20)); }

    int m_clicks = 0;
    int m_doubleClicks = 0;
    wxUIActionSimulator m_sim;
};

TEST_F(wxLinkTextTest, DefaultSizeCountsCharactersInTheWindowFont)
{
    ProbeLink* link = MakeLink("abc");
    const int cw = link->GetCharWidth();
    const int ch = link->GetCharHeight();
    EXPECT_EQ(link->GetDefaultSize(), wxSize(4 + 3 * (cw + 1), ch + 8));

    link->SetLabel(wxString::FromUTF8("a\xe4\xbd\xa0")); // a wide character counts double
    EXPECT_EQ(link->GetDefaultSize(), wxSize(4 + (cw + 1) + (2 * cw + 2), ch + 8));

    ProbeLink* sized = new ProbeLink(m_panel, wxID_ANY, "abc");
    EXPECT_EQ(sized->GetSize(), sized->GetDefaultSize());
}

TEST_F(wxLinkTextTest, AutomaticHeightCountsWrappedLines)
{
    const wxString label = "A long announcement of the administrator that wraps over lines";
    ProbeLink* link = MakeLink(label);
    const wxSize text = LinkTextExtent(link, label);
    auto linesFor = [&](int available)
    { return std::max(1, static_cast<int>(std::ceil(double(text.x) / available))); };

    link->SetSize(120, 0);
    EXPECT_EQ(link->GetSize(), wxSize(120, linesFor(119) * text.y + 4));

    // An image takes 18 more pixels off every line.
    link->SetBitmap(SolidBitmap(16, 16, *wxBLUE));
    link->SetSize(120, 0);
    EXPECT_EQ(link->GetSize(), wxSize(120, linesFor(101) * text.y + 4));

    // Too narrow to hold anything: the height stays 0.
    link->SetSize(20, 0);
    EXPECT_EQ(link->GetSize().y, 0);

    // The parent's client area caps width and height.
    link->SetSize(5000, 0);
    EXPECT_EQ(link->GetSize().x, m_panel->GetClientSize().x - 100 - 2);
    link->SetSize(40, 0);
    EXPECT_LE(link->GetRect().GetBottom(), m_panel->GetClientSize().y - 2);

    // A plain size is taken as it is.
    link->SetSize(77, 33);
    EXPECT_EQ(link->GetSize(), wxSize(77, 33));
}

TEST_F(wxLinkTextTest, SetLabelWithResizeFitsWithinTheParent)
{
    ProbeLink* link = MakeLink("x");
    link->SetLabel("Short", true);
    const wxSize text = LinkTextExtent(link, "Short");
    EXPECT_EQ(link->GetSize(), wxSize(text.x, text.y + 4));
    EXPECT_EQ(link->GetLabel(), "Short");

    const wxString longLabel(wxS('W'), 80);
    link->SetLabel(longLabel, true);
    const int available = m_panel->GetClientSize().x - 1 - 100;
    int remaining = LinkTextExtent(link, longLabel).x, lines = 1;
    ASSERT_GT(remaining, available);
    while (remaining > available)
    {
        remaining -= available;
        ++lines;
    }
    EXPECT_EQ(link->GetSize(), wxSize(remaining, lines * text.y + 4));
}

TEST_F(wxLinkTextTest, WideLabelWrapsAndContinuesAfterTheImage)
{
    ProbeLink* link = MakeLink(wxString(wxS('H'), 30), wxSize(120, 60));
    link->SetNormalColour(*wxBLACK);
    link->SetBitmap(SolidBitmap(16, 16, wxColour(0, 160, 0)));
    const wxImage shot = Capture(link);
    const int lineHeight = LinkTextExtent(link, "H").y;

    // The image at (0, 2); text right of it on the first line and on the next one.
    EXPECT_EQ(PixelAt(shot, 8, 10), wxColour(0, 160, 0));
    const wxRect secondLine(18, 2 + lineHeight, 100, lineHeight);
    EXPECT_GT(CountPixels(shot, *wxBLACK, secondLine), 10);
    EXPECT_EQ(CountPixels(shot, *wxBLACK, wxRect(0, 2 + lineHeight + 1, 17, lineHeight - 2)), 0);
}

TEST_F(wxLinkTextTest, CentredLabelStaysOnOneLine)
{
    ProbeLink* link = new ProbeLink(m_panel, wxID_ANY, "Centre", wxPoint(20, 20), wxSize(200, 30),
                                    wxALIGN_CENTER_HORIZONTAL);
    link->SetNormalColour(*wxBLACK);
    const wxImage shot = Capture(link);
    const wxSize text = LinkTextExtent(link, "Centre");
    const wxRect expected((200 - text.x) / 2, (30 - text.y) / 2, text.x, text.y);
    const int inside = CountPixels(shot, *wxBLACK, expected);
    EXPECT_GT(inside, 3);
    EXPECT_EQ(CountPixels(shot, *wxBLACK), inside);
}

TEST_F(wxLinkTextTest, PressAndReleaseInsideClicksAndColoursFollowThePointer)
{
    ProbeLink* link = MakeLink("Open chat");
    link->SetNormalColour(*wxBLACK);
    link->SetMouseOverColour(*wxGREEN);
    link->SetMousePressedColour(*wxRED);

    m_sim.MouseMove(Inside(link));
    ASSERT_TRUE(WaitUntil([&] { return link->GetCurrentColour() == *wxGREEN; }));
    m_sim.MouseDown();
    ASSERT_TRUE(WaitUntil([&] { return link->GetCurrentColour() == *wxRED; }));
    EXPECT_GT(CountPixels(Capture(link), *wxRED), 5);
    m_sim.MouseUp();
    ASSERT_TRUE(WaitUntil([&] { return m_clicks == 1; }));
    EXPECT_EQ(link->GetCurrentColour(), *wxGREEN);

    m_sim.MouseMove(Outside());
    EXPECT_TRUE(WaitUntil([&] { return link->GetCurrentColour() == *wxBLACK; }));
    EXPECT_EQ(m_clicks, 1);
}

TEST_F(wxLinkTextTest, ReleaseOutsideOrPressOutsideSendsNoClick)
{
    ProbeLink* link = MakeLink("Files");

    m_sim.MouseMove(Inside(link));
    Pump(100);
    m_sim.MouseDown();
    ASSERT_TRUE(WaitUntil([&] { return link->IsPressed(); }));
    m_sim.MouseMove(Outside());
    Pump(150);
    EXPECT_TRUE(link->IsPressed()); // leaving with the button held keeps the press
    m_sim.MouseUp();
    Pump(150);
    EXPECT_EQ(m_clicks, 0);
    EXPECT_FALSE(link->IsPressed());

    m_sim.MouseDown();
    Pump(50);
    m_sim.MouseMove(Inside(link));
    Pump(150);
    m_sim.MouseUp();
    Pump(150);
    EXPECT_EQ(m_clicks, 0);
}

TEST_F(wxLinkTextTest, LeavingAndComingBackWithTheButtonHeldStillClicks)
{
    ProbeLink* link = MakeLink("History");
    m_sim.MouseMove(Inside(link));
    Pump(100);
    m_sim.MouseDown();
    Pump(100);
    m_sim.MouseMove(Outside());
    Pump(150);
    m_sim.MouseMove(Inside(link));
    Pump(150);
    m_sim.MouseUp();
    EXPECT_TRUE(WaitUntil([&] { return m_clicks == 1; }));
}

TEST_F(wxLinkTextTest, DoubleClickSendsTheDoubleClickEvent)
{
    ProbeLink* link = MakeLink("Profile");
    m_sim.MouseMove(Inside(link));
    Pump(100);
    m_sim.MouseDblClick();
    EXPECT_TRUE(WaitUntil([&] { return m_doubleClicks == 1; }));
    EXPECT_GE(m_clicks, 1);
}

TEST_F(wxLinkTextTest, BorderIsDrawnAroundTheLink)
{
    ProbeLink* link = MakeLink("Boxed", wxSize(80, 24));
    link->DrawBorder(true, wxColour(0, 0, 200));
    const wxImage shot = Capture(link);
    EXPECT_EQ(CountPixels(shot, wxColour(0, 0, 200), wxRect(0, 0, 80, 1)), 80);
    EXPECT_EQ(CountPixels(shot, wxColour(0, 0, 200), wxRect(79, 0, 1, 24)), 24);
}

TEST_F(wxLinkTextTest, BothWaysOfCreatingGiveTheSameLink)
{
    ProbeLink* direct =
        new ProbeLink(m_panel, wxID_ANY, "Link", wxDefaultPosition, wxDefaultSize, 0, "direct");
    ProbeLink* twoStep = new ProbeLink;
    EXPECT_TRUE(twoStep->Create(m_panel, wxID_ANY, "Link", wxDefaultPosition, wxDefaultSize, 0, "twoStep"));
    EXPECT_EQ(direct->State(), twoStep->State());
    EXPECT_EQ(twoStep->GetCurrentColour(), *wxBLACK);
    EXPECT_EQ(direct->GetName(), "direct");
    EXPECT_EQ(twoStep->GetName(), "twoStep");
}

TEST_F(wxLinkTextTest, XrcAppliesColoursImagesAndBorder)
{
    const wxString icon = PutInMemoryFs("link_icon.png", SolidBitmap(16, 16, *wxBLUE));
    wxObject* object =
        LoadFromXrc("<object class=\"wxLinkText\" name=\"link\">"
                    "  <label>Group chat</label><size>140,24</size>"
                    "  <overcolour>#FF8000</overcolour><bitmap>" +
                        icon +
                        "</bitmap>"
                        "  <bitmapstyle>wxBITMAP_LEFT|wxBITMAP_RIGHT</bitmapstyle>"
                        "  <bordercolour>#0000C8</bordercolour>"
                        "</object>"
                        "<object class=\"wxLinkText\" name=\"bare\"><label>Plain</label></object>",
                    "link");
    wxLinkText* link = dynamic_cast<wxLinkText*>(object);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->GetLabel(), "Group chat");
    EXPECT_EQ(link->GetSize(), wxSize(140, 24));
    EXPECT_TRUE(link->GetBitmap().IsOk());
    EXPECT_EQ(link->GetCurrentColour(), *wxBLACK); // the normal colour, until the pointer moves
    const wxImage shot = Capture(link);
    EXPECT_EQ(PixelAt(shot, 140 - 8, 10), *wxBLUE); // the right-edge copy of the image
    EXPECT_EQ(CountPixels(shot, wxColour(0, 0, 200), wxRect(0, 23, 140, 1)), 140);

    wxLinkText* bare = dynamic_cast<wxLinkText*>(m_resource->LoadObject(m_panel, "bare", "wxLinkText"));
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->GetSize(), bare->GetDefaultSize());
    EXPECT_FALSE(bare->GetBitmap().IsOk());
}

TEST_F(ControlsTest, TextLinkCtrlIsAlwaysReadOnlyAndMultiline)
{
    wxTextLinkCtrl* text = new wxTextLinkCtrl(m_panel, wxID_ANY, "see http://example.org");
    EXPECT_TRUE(text->IsMultiLine());
    EXPECT_FALSE(text->IsEditable());

    wxObject* object = LoadFromXrc("<object class=\"wxTextLinkCtrl\" name=\"notice\">"
                                   "  <label>Welcome</label><style>wxTE_CENTRE</style>"
                                   "</object>",
                                   "notice");
    wxTextLinkCtrl* fromXrc = dynamic_cast<wxTextLinkCtrl*>(object);
    ASSERT_TRUE(fromXrc);
    EXPECT_EQ(fromXrc->GetValue(), "Welcome");
    EXPECT_TRUE(fromXrc->IsMultiLine());
    EXPECT_FALSE(fromXrc->IsEditable());
    EXPECT_TRUE(fromXrc->HasFlag(wxTE_CENTRE));
}
