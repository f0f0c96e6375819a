// The bitmap button: which face it shows, the label drawn onto its faces, what really
// reaches the screen, and creation from XRC.
#include "test_controls_fixture.h"

#include <wx/uiaction.h>

using namespace kel::test;

namespace
{
const wxColour NormalColour(200, 220, 240);
const wxColour SelectedColour(40, 90, 160);
const wxColour FocusColour(230, 200, 120);
const wxColour DisabledColour(210, 210, 210);
const wxColour HoverColour(120, 200, 120);

// Exposes the text faces the button built.
class ProbeButton : public KBitmapButton
{
public:
    using KBitmapButton::KBitmapButton;
    const wxBitmap& TextNormal() const { return m_textBmpNormal; }
    const wxBitmap& TextDisabled() const { return m_textBmpDisabled; }
    const wxBitmap& TextHover() const { return m_textBmpHover; }
    const wxBitmap& TextFocus() const { return m_textBmpFocus; }
};

// The bounding box of the pixels that differ from `background`.
wxRect InkBox(const wxImage& image, const wxColour& background)
{
    int left = image.GetWidth(), top = image.GetHeight(), right = -1, bottom = -1;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (PixelAt(image, x, y) != background)
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? wxRect() : wxRect(wxPoint(left, top), wxPoint(right, bottom));
}

// The pixel of `image` nearest in colour to `wanted`, as a distance.
int NearestDistance(const wxImage& image, const wxColour& wanted)
{
    int best = 3 * 255;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const wxColour c = PixelAt(image, x, y);
            best = std::min(best, std::abs(c.Red() - wanted.Red()) + std::abs(c.Green() - wanted.Green()) +
                                      std::abs(c.Blue() - wanted.Blue()));
        }
    return best;
}

bool SameImage(const wxImage& a, const wxImage& b)
{
    return a.GetSize() == b.GetSize() &&
           memcmp(a.GetData(), b.GetData(), a.GetWidth() * a.GetHeight() * 3) == 0;
}
} // namespace

TEST(KBitmapButtonFaceChoice, FollowsSelectedHoverFocusDisabledOrder)
{
    const wxBitmap normal = SolidBitmap(4, 4, NormalColour);
    const wxBitmap selected = SolidBitmap(4, 4, SelectedColour);
    const wxBitmap focus = SolidBitmap(4, 4, FocusColour);
    const wxBitmap disabled = SolidBitmap(4, 4, DisabledColour);
    const wxBitmap hover = SolidBitmap(4, 4, HoverColour);
    const wxBitmap none;
    auto choose = [&](int state, bool inside, const wxBitmap& sel, const wxBitmap& hov)
    { return &KBitmapButton::ChooseFace(state, inside, normal, sel, focus, disabled, hov); };
    const int all = KBitmapButton::DrawState_Selected | KBitmapButton::DrawState_Focus |
                    KBitmapButton::DrawState_Disabled;

    EXPECT_EQ(choose(0, false, selected, hover), &normal);
    EXPECT_EQ(choose(all, true, selected, hover), &selected);
    // Hover wins over focus and disabled, and only while the pointer is inside.
    EXPECT_EQ(choose(KBitmapButton::DrawState_Disabled, true, selected, hover), &hover);
    EXPECT_EQ(
        choose(KBitmapButton::DrawState_Focus | KBitmapButton::DrawState_Disabled, false, selected, hover),
        &focus);
    EXPECT_EQ(choose(KBitmapButton::DrawState_Disabled, false, selected, hover), &disabled);
    // A missing face passes the choice on to the next rule.
    EXPECT_EQ(choose(KBitmapButton::DrawState_Selected, true, none, hover), &hover);
    EXPECT_EQ(choose(KBitmapButton::DrawState_Selected, true, none, none), &normal);
}

class KBitmapButtonTest : public ControlsTest
{
protected:
    ProbeButton* MakeButton(long style, const wxString& label = wxString(),
                            const wxSize& size = wxDefaultSize)
    {
        ProbeButton* button = new ProbeButton(m_panel, wxID_ANY, SolidBitmap(80, 24, NormalColour),
                                              wxPoint(20, 20), size, style);
        button->SetBitmapDisabled(SolidBitmap(80, 24, DisabledColour));
        button->SetLabel(label);
        return button;
    }
};

TEST_F(KBitmapButtonTest, TextFacesCarryTheCentredLabelInTheirColours)
{
    ProbeButton* button = MakeButton(wxBU_TEXT, "Send");
    ASSERT_TRUE(button->TextNormal().IsOk());
    ASSERT_TRUE(button->TextDisabled().IsOk());

    const wxImage normal = button->TextNormal().ConvertToImage();
    const wxRect ink = InkBox(normal, NormalColour);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_NEAR(ink.x + ink.width / 2.0, 40, 2.5);
    EXPECT_NEAR(ink.y + ink.height / 2.0, 12, 3.5);
    EXPECT_LT(NearestDistance(normal, *wxBLACK), 60);

    // The disabled label has its own colour, whatever the foreground colour says.
    button->SetForegroundColour(*wxRED);
    button->SetLabel("Send");
    const wxImage disabled = button->TextDisabled().ConvertToImage();
    EXPECT_LT(NearestDistance(disabled, KBitmapButton::GetDisabledTextColour()), 12);
    EXPECT_GT(NearestDistance(disabled, *wxBLACK), 100);

    // The plain face stays as it was.
    EXPECT_EQ(InkBox(button->GetBitmapLabel().ConvertToImage(), NormalColour), wxRect());
}

TEST_F(KBitmapButtonTest, EmptyLabelLeavesTextFacesEqualToPlainFaces)
{
    ProbeButton* button = MakeButton(wxBU_TEXT);
    EXPECT_TRUE(SameImage(button->TextNormal().ConvertToImage(), button->GetBitmapLabel().ConvertToImage()));
    EXPECT_TRUE(
        SameImage(button->TextDisabled().ConvertToImage(), button->GetBitmapDisabled().ConvertToImage()));
}

TEST_F(KBitmapButtonTest, MissingTextFaceFallsToNextTextFaceNotToPlainFace)
{
    ProbeButton* button = MakeButton(wxBU_TEXT, "OK");
    EXPECT_FALSE(button->TextHover().IsOk());
    EXPECT_FALSE(button->TextFocus().IsOk());

    button->Disable();
    // Disabled with a text face: that face, not the plain disabled face.
    EXPECT_TRUE(
        SameImage(button->GetCurrentFace().ConvertToImage(), button->TextDisabled().ConvertToImage()));
    button->Enable();
    EXPECT_TRUE(SameImage(button->GetCurrentFace().ConvertToImage(), button->TextNormal().ConvertToImage()));
}

TEST_F(KBitmapButtonTest, StyleChangesBuildOrDropTextFaces)
{
    ProbeButton* button = MakeButton(0, "Later");
    EXPECT_FALSE(button->TextNormal().IsOk());
    button->SetWindowStyleFlag(button->GetWindowStyleFlag() | wxBU_TEXT);
    EXPECT_TRUE(button->TextNormal().IsOk());
    EXPECT_EQ(button->GetLabel(), "Later");
    button->SetWindowStyleFlag(button->GetWindowStyleFlag() & ~wxBU_TEXT);
    EXPECT_FALSE(button->TextNormal().IsOk());
}

TEST_F(KBitmapButtonTest, AutoScaleStretchesTextFacesOnlyWithText)
{
    ProbeButton* scaled = MakeButton(wxBU_TEXT | wxBU_AUTO_SCALE, "Big", wxSize(120, 40));
    EXPECT_EQ(scaled->TextNormal().GetSize(), wxSize(120, 40));
    scaled->SetSize(150, 30);
    Pump(50);
    EXPECT_EQ(scaled->TextNormal().GetSize(), wxSize(150, 30));

    ProbeButton* plain = MakeButton(wxBU_AUTO_SCALE, "", wxSize(120, 40));
    EXPECT_EQ(plain->GetCurrentFace().GetSize(), wxSize(80, 24));
}

TEST_F(KBitmapButtonTest, ScreenShowsTheFaceCentredNotTheNativeButton)
{
    ProbeButton* button = MakeButton(0, "", wxSize(100, 40));
    const wxImage shot = Capture(button);
    ASSERT_EQ(shot.GetSize(), wxSize(100, 40));
    // The face sits at ((100 - 80) / 2, (40 - 24) / 2); around it the panel shows.
    EXPECT_EQ(CountPixels(shot, NormalColour, wxRect(10, 8, 80, 24)), 80 * 24);
    EXPECT_EQ(PixelAt(shot, 5, 4), *wxWHITE);
    EXPECT_EQ(PixelAt(shot, 95, 36), *wxWHITE);

    button->Disable();
    EXPECT_EQ(CountPixels(Capture(button), DisabledColour, wxRect(10, 8, 80, 24)), 80 * 24);
}

TEST_F(KBitmapButtonTest, DefaultSizeIsTheFaceSize)
{
    ProbeButton* button = MakeButton(wxBU_TEXT, "Fit");
    EXPECT_EQ(button->GetSize(), wxSize(80, 24));
}

TEST_F(KBitmapButtonTest, PointerAndPressChangeTheFaceAndClickSendsButtonEvent)
{
    ProbeButton* button = MakeButton(wxBU_TEXT, "Go");
    button->SetBitmapHover(SolidBitmap(80, 24, HoverColour));
    button->SetBitmapSelected(SolidBitmap(80, 24, SelectedColour));
    int clicks = 0;
    button->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++clicks; });

    wxUIActionSimulator sim;
    sim.MouseMove(button->ClientToScreen(wxPoint(4, 4)));
    ASSERT_TRUE(WaitUntil([&] { return button->IsMouseInWindow(); }));
    EXPECT_GT(CountPixels(Capture(button), HoverColour), 80 * 20);

    sim.MouseDown();
    ASSERT_TRUE(WaitUntil([&] { return button->GetDrawState() & KBitmapButton::DrawState_Selected; }));
    EXPECT_GT(CountPixels(Capture(button), SelectedColour), 80 * 20);
    sim.MouseUp();
    EXPECT_TRUE(WaitUntil([&] { return clicks == 1; }));

    sim.MouseMove(m_panel->ClientToScreen(wxPoint(300, 250)));
    ASSERT_TRUE(WaitUntil([&] { return !button->IsMouseInWindow(); }));
    EXPECT_GT(CountPixels(Capture(button), NormalColour), 80 * 20);
}

TEST_F(KBitmapButtonTest, XrcReadsFacesStyleAndLabel)
{
    const wxString normal = PutInMemoryFs("normal.png", SolidBitmap(60, 20, NormalColour));
    const wxString hover = PutInMemoryFs("hover.png", SolidBitmap(60, 20, HoverColour));
    wxObject* object =
        LoadFromXrc("<object class=\"KBitmapButton\" name=\"ok\">"
                    "  <style>wxBU_TEXT|wxBU_AUTO_SCALE</style>"
                    "  <bitmap>" +
                        normal + "</bitmap><hover>" + hover +
                        "</hover>"
                        "  <label>Accept</label><default>1</default>"
                        "</object>"
                        "<object class=\"KBitmapButton\" name=\"plain\"><label>Ignored</label></object>",
                    "ok");
    KBitmapButton* button = dynamic_cast<KBitmapButton*>(object);
    ASSERT_TRUE(button);
    EXPECT_TRUE(button->HasFlag(wxBU_TEXT));
    EXPECT_TRUE(button->HasFlag(wxBU_AUTO_SCALE));
    EXPECT_EQ(button->GetLabel(), "Accept");
    EXPECT_EQ(button->GetBitmapLabel().GetSize(), wxSize(60, 20));
    EXPECT_TRUE(button->GetBitmapCurrent().IsOk());
    EXPECT_FALSE(button->GetBitmapPressed().IsOk());
    EXPECT_EQ(m_frame->GetDefaultItem(), button);

    // Without wxBU_TEXT the label is not read; without a bitmap the button still exists.
    KBitmapButton* plain =
        dynamic_cast<KBitmapButton*>(m_resource->LoadObject(m_panel, "plain", "KBitmapButton"));
    ASSERT_TRUE(plain);
    EXPECT_TRUE(plain->HasFlag(wxBU_AUTODRAW));
    EXPECT_EQ(plain->GetLabel(), "");
    EXPECT_FALSE(plain->GetBitmapLabel().IsOk());
    EXPECT_FALSE(plain->GetCurrentFace().IsOk());
}
