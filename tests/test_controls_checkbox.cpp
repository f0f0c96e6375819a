// The self-drawn check box and static text: state and events, auto size, what they draw,
// and creation from XRC.
#include "test_controls_fixture.h"

#include <wx/uiaction.h>

using namespace kel::test;

namespace
{
const wxColour BoxShadow(0x80, 0x80, 0x80); // the outer top-left edge of the unchecked box

class ProbeCheckBox : public KelCheckBox
{
public:
    using KelCheckBox::KelCheckBox;
    const wxBitmap& Box() const { return m_boxBitmap; }
};

// The leftmost column of `image` with a pixel that is not white, or -1.
int FirstInkColumn(const wxImage& image)
{
    for (int x = 0; x < image.GetWidth(); ++x)
        for (int y = 0; y < image.GetHeight(); ++y)
            if (PixelAt(image, x, y) != *wxWHITE)
                return x;
    return -1;
}
} // namespace

class KelCheckBoxTest : public ControlsTest
{
protected:
    ProbeCheckBox* MakeCheckBox(const wxString& label)
    {
        ProbeCheckBox* box = new ProbeCheckBox(m_panel, 7, label, wxPoint(20, 20));
        box->Bind(wxEVT_CHECKBOX,
                  [this](wxCommandEvent& e)
                  {
                      m_events.push_back(e.GetEventObject());
                      e.Skip();
                  });
        return box;
    }

    std::vector<wxObject*> m_events;
};

TEST_F(KelCheckBoxTest, SetValueSendsOneEventEveryCallAndSwapsTheBox)
{
    ProbeCheckBox* box = MakeCheckBox("Remember");
    int atPanel = 0;
    m_panel->Bind(wxEVT_CHECKBOX,
                  [&](wxCommandEvent& e)
                  {
                      EXPECT_EQ(e.GetId(), 7);
                      ++atPanel;
                  });
    EXPECT_FALSE(box->GetValue());
    const wxImage unchecked = box->Box().ConvertToImage();

    box->SetValue(true);
    EXPECT_TRUE(box->IsChecked());
    box->SetValue(true); // unchanged, still reported
    ASSERT_EQ(m_events.size(), 2u);
    EXPECT_EQ(m_events[0], box);
    EXPECT_EQ(atPanel, 2);

    const wxImage checked = box->Box().ConvertToImage();
    EXPECT_EQ(checked.GetSize(), wxSize(13, 12));
    EXPECT_EQ(PixelAt(unchecked, 0, 0), BoxShadow);
    EXPECT_EQ(PixelAt(checked, 6, 6), *wxBLACK); // the tick
    EXPECT_EQ(PixelAt(unchecked, 6, 6), *wxWHITE);
}

TEST_F(KelCheckBoxTest, RealPressesToggleAndDoubleClickCountsOnce)
{
    ProbeCheckBox* box = MakeCheckBox("Auto login");
    box->SetAutoSize(true);
    Capture(box);

    ClickAt(box, wxPoint(5, 5));
    ASSERT_TRUE(WaitUntil([&] { return m_events.size() == 1; }));
    EXPECT_TRUE(box->GetValue());
    Pump(DoubleClickPause); // a second press sooner would be the second half of a double click
    ClickAt(box, wxPoint(5, 5));
    ASSERT_TRUE(WaitUntil([&] { return m_events.size() == 2; }));
    EXPECT_FALSE(box->GetValue());

    Pump(DoubleClickPause);
    wxUIActionSimulator sim;
    sim.MouseDblClick();
    Pump(300);
    EXPECT_EQ(m_events.size(), 3u);
    EXPECT_TRUE(box->GetValue());
}

TEST_F(KelCheckBoxTest, AutoSizeFitsBoxAndLabelAndPlacesThem)
{
    ProbeCheckBox* box = MakeCheckBox("Show offline contacts");
    box->SetFont(wxFontInfo(14).FaceName("DejaVu Sans"));
    box->SetAutoSize(true);
    const wxImage shot = Capture(box);

    wxClientDC dc(box);
    dc.SetFont(box->GetFont());
    const int charHeight = dc.GetCharHeight();
    ASSERT_GT(charHeight + 6, 12);
    EXPECT_EQ(box->GetSize(), wxSize(13 + dc.GetTextExtent(box->GetLabel()).x + 4, charHeight + 6));

    // The box sits at y = (height - character height) / 2 = 3, the text starts at x = 15.
    EXPECT_EQ(PixelAt(shot, 0, 3), BoxShadow);
    EXPECT_EQ(PixelAt(shot, 0, 2), *wxWHITE);
    int textLeft = -1;
    for (int x = 13; x < shot.GetWidth() && textLeft < 0; ++x)
        for (int y = 0; y < shot.GetHeight(); ++y)
            if (PixelAt(shot, x, y) != *wxWHITE)
            {
                textLeft = x;
                break;
            }
    EXPECT_GE(textLeft, 15);
    EXPECT_LE(textLeft, 17);
}

TEST_F(KelCheckBoxTest, WithoutAutoSizeTheGivenSizeStays)
{
    KelCheckBox* box =
        new KelCheckBox(m_panel, wxID_ANY, "A label far wider than the box", wxPoint(10, 10), wxSize(40, 16));
    Capture(box);
    EXPECT_EQ(box->GetSize(), wxSize(40, 16));
}

TEST_F(KelCheckBoxTest, XrcCheckedSendsOneEventDuringCreationAndTurnsOnAutoSize)
{
    int events = 0;
    m_panel->Bind(wxEVT_CHECKBOX, [&](wxCommandEvent&) { ++events; });
    wxObject* object =
        LoadFromXrc("<object class=\"KelCheckBox\" name=\"remember\">"
                    "  <label>Remember password</label><checked>1</checked>"
                    "  <tooltip>Stored on this computer</tooltip>"
                    "</object>"
                    "<object class=\"KelCheckBox\" name=\"sized\"><size>50,20</size><checked>bogus</checked>"
                    "</object>",
                    "remember");
    KelCheckBox* box = dynamic_cast<KelCheckBox*>(object);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->GetName(), "remember");
    EXPECT_EQ(events, 1);
    EXPECT_TRUE(box->IsChecked());
    EXPECT_TRUE(box->GetAutoSize());
    EXPECT_EQ(box->GetToolTipText(), "Stored on this computer");
    EXPECT_TRUE(box->HasFlag(wxTRANSPARENT_WINDOW));

    KelCheckBox* sized = dynamic_cast<KelCheckBox*>(m_resource->LoadObject(m_panel, "sized", "KelCheckBox"));
    ASSERT_TRUE(sized);
    EXPECT_EQ(events, 2); // an unchecked box is announced as well
    EXPECT_FALSE(sized->IsChecked());
    EXPECT_FALSE(sized->GetAutoSize());
    EXPECT_EQ(sized->GetSize(), wxSize(50, 20));
}

class KelStaticTextTest : public ControlsTest
{
};

TEST_F(KelStaticTextTest, AutoSizeFitsTheLabelAndGivenSizeStays)
{
    KelStaticText* text = new KelStaticText(m_panel, wxID_ANY, "Jabber status", wxPoint(10, 10));
    text->SetAutoSize(true);
    Capture(text);
    wxClientDC dc(text);
    dc.SetFont(text->GetFont());
    EXPECT_EQ(text->GetSize(), wxSize(dc.GetTextExtent("Jabber status").x + 4, dc.GetCharHeight() + 6));

    KelStaticText* fixed =
        new KelStaticText(m_panel, wxID_ANY, "Jabber status", wxPoint(10, 60), wxSize(30, 30));
    Capture(fixed);
    EXPECT_EQ(fixed->GetSize(), wxSize(30, 30));
}

TEST_F(KelStaticTextTest, DrawsInItsColourAtTheLeftWhateverTheAlignment)
{
    const wxColour red(220, 0, 0);
    KelStaticText* text =
        new KelStaticText(m_panel, wxID_ANY, "Busy", wxPoint(10, 10), wxSize(200, 24), wxALIGN_RIGHT);
    text->SetFontColour(red);
    const wxImage shot = Capture(text);
    EXPECT_GT(CountPixels(shot, red), 5);
    EXPECT_LE(FirstInkColumn(shot), 3);
    EXPECT_EQ(PixelAt(shot, 150, 12), *wxWHITE); // no background painted
}

TEST_F(KelStaticTextTest, XrcReadsColourFontAndDefaults)
{
    wxObject* object = LoadFromXrc("<object class=\"KelStaticText\" name=\"title\">"
                                   "  <label>Contacts</label><color>#1F5FA8</color>"
                                   "  <font><size>12</size><weight>bold</weight></font>"
                                   "</object>"
                                   "<object class=\"KelStaticText\" name=\"bare\"><color>not a colour</color>"
                                   "  <font><size>-5</size><weight>bold</weight></font></object>",
                                   "title");
    KelStaticText* title = dynamic_cast<KelStaticText*>(object);
    ASSERT_TRUE(title);
    EXPECT_EQ(title->GetName(), "title");
    EXPECT_EQ(title->GetLabel(), "Contacts");
    EXPECT_EQ(title->GetFontColour(), wxColour(0x1F, 0x5F, 0xA8));
    EXPECT_EQ(title->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_TRUE(title->GetAutoSize());
    EXPECT_TRUE(title->HasFlag(wxST_NO_AUTORESIZE));
    EXPECT_TRUE(title->HasFlag(wxTRANSPARENT_WINDOW));

    KelStaticText* bare =
        dynamic_cast<KelStaticText*>(m_resource->LoadObject(m_panel, "bare", "KelStaticText"));
    ASSERT_TRUE(bare);
    EXPECT_FALSE(bare->GetFontColour().IsOk());
    EXPECT_EQ(bare->GetLabel(), "");
    EXPECT_EQ(bare->GetFont().GetWeight(), wxFONTWEIGHT_BOLD); // all but the impossible size
    EXPECT_GT(bare->GetFont().GetPointSize(), 0);
}
