// The chat tab art: faces by tab state, captions, close and scroll buttons.
#include "support/testsupport.h"

#include <kelctrls/controls/tabart.h>
#include <kelctrls/platform/notebookext.h>
#include <kelctrls/skin.h>

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/ffile.h>
#include <wx/frame.h>

#include <memory>

using namespace kel::test;

namespace
{

const wxColour kNormal(0, 150, 0);
const wxColour kActive(0, 0, 200);
const wxColour kUnread(220, 0, 0);
const wxColour kOther(150, 0, 150);
const wxColour kClose(10, 10, 10);
const wxColour kButton(120, 120, 120);
const wxColour kFlash(255, 230, 0);
const wxColour kBase(153, 208, 253);
const wxColour kPaper(255, 255, 255);

class SkinFiles
{
public:
    void Bitmap(const wxString& id, int w, int h, const wxColour& colour)
    {
        wxImage image(w, h);
        image.SetRGB(wxRect(0, 0, w, h), colour.Red(), colour.Green(), colour.Blue());
        const wxString path = id + ".bmp";
        image.SaveFile(path, wxBITMAP_TYPE_BMP);
        m_bitmaps += wxString::Format("<b id=\"%s\" path=\"%s\"/>", id, path);
    }

    void Colour(const wxString& id, const wxColour& colour)
    {
        m_colours +=
            wxString::Format("<c id=\"%s\" value=\"%s\"/>", id, colour.GetAsString(wxC2S_HTML_SYNTAX));
    }

    void Faces(const wxString& prefix, const wxString& state, const wxColour& colour)
    {
        Bitmap(prefix + state + "_left", 3, 20, colour);
        Bitmap(prefix + state + "_mid", 4, 20, colour);
        Bitmap(prefix + state + "_right", 3, 20, colour);
    }

    bool Load()
    {
        wxFFile file("skin.xml", "w");
        file.Write("<resource><bitmaps>" + m_bitmaps + "</bitmaps><colours>" + m_colours +
                   "</colours></resource>");
        file.Close();
        return KelSkinResource::GetInstance()->LoadResource("skin.xml");
    }

private:
    wxString m_bitmaps;
    wxString m_colours;
};

class TabArtTest : public TempCwdTest
{
protected:
    void SetUp() override
    {
        TempCwdTest::SetUp();
        m_frame = new wxFrame(nullptr, wxID_ANY, "tabs", wxPoint(0, 0), wxSize(320, 200));
        m_page = new wxWindow(m_frame, wxID_ANY);
    }

    void TearDown() override
    {
        m_frame->Destroy();
        Pump();
        KelSkinResource::GetInstance()->Release();
        TempCwdTest::TearDown();
    }

    void LoadSkin(bool withNormalMid = true)
    {
        m_skin.Faces("talkfrm_tab_", "hover", kActive);
        m_skin.Faces("talkfrm_tab_", "unread", kUnread);
        m_skin.Bitmap("talkfrm_tab_normal_left", 3, 20, kNormal);
        if (withNormalMid)
            m_skin.Bitmap("talkfrm_tab_normal_mid", 4, 20, kNormal);
        m_skin.Bitmap("talkfrm_tab_normal_right", 3, 20, kNormal);
        m_skin.Faces("talkfrm_othertab_", "normal", kOther);
        m_skin.Faces("talkfrm_othertab_", "hover", kOther);
        m_skin.Bitmap("talkfrm_tab_close_button_normal", 8, 8, kClose);
        m_skin.Bitmap("talkfrm_tab_close_button_hover", 8, 8, kClose);
        m_skin.Bitmap("talkfrm_tab_left_button_normal", 12, 14, kButton);
        m_skin.Bitmap("talkfrm_tab_right_button_normal", 12, 14, kButton);
        m_skin.Bitmap("talkfrm_tab_left_button_flash", 12, 14, kFlash);
        m_skin.Bitmap("talkfrm_tab_right_button_flash", 12, 14, kFlash);
        for (const char* state : {"normal", "hover", "unread"})
            m_skin.Colour(wxString("talkfrm_tab_fontcolor_") + state, kPaper);
        ASSERT_TRUE(m_skin.Load());
    }

    struct Drawn
    {
        wxImage image;
        wxRect tab;
        wxRect closeButton;
        int extent;
    };

    Drawn DrawTab(kBitmapAuiTabArt& art, const wxString& caption, bool active,
                  int closeState = wxAUI_BUTTON_STATE_NORMAL)
    {
        wxAuiNotebookPage page;
        page.window = m_page;
        page.caption = caption;
        page.active = active;
        page.hover = false;

        wxBitmap bitmap(200, 40);
        Drawn drawn;
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            art.DrawTab(dc, m_frame, page, wxRect(0, 0, 200, 40), closeState, &drawn.tab, &drawn.closeButton,
                        &drawn.extent);
        }
        drawn.image = bitmap.ConvertToImage();
        return drawn;
    }

    // The part of the tab between its end pieces and left of the close button.
    static wxRect CaptionArea(const Drawn& drawn)
    {
        return wxRect(drawn.tab.x + 5, 2, drawn.tab.width - 22, 18);
    }

    SkinFiles m_skin;
    wxFrame* m_frame = nullptr;
    wxWindow* m_page = nullptr;
};

} // namespace

TEST_F(TabArtTest, FaceFollowsTheTabState)
{
    LoadSkin();
    kBitmapAuiTabArt art;
    KAuiNotebookPageExtend* extend = KAuiNotebookPageExtendContainer::GetInstance()->AddPageExtend(m_page);

    Drawn normal = DrawTab(art, "Bob", false);
    EXPECT_EQ(wxRect(0, 0, normal.tab.width, 35), normal.tab);
    EXPECT_TRUE(NearColour(kNormal, PixelAt(normal.image, 1, 1), 3));
    EXPECT_TRUE(NearColour(kNormal, PixelAt(normal.image, 6, 1), 3));
    EXPECT_TRUE(NearColour(kNormal, PixelAt(normal.image, normal.tab.width - 3, 12), 3));
    // Nothing is drawn right of the tab's last column.
    EXPECT_TRUE(NearColour(kPaper, PixelAt(normal.image, normal.tab.width + 2, 5), 3));

    extend->SetAttention(true);
    extend->SetBlinkOn(true);
    EXPECT_TRUE(NearColour(kUnread, PixelAt(DrawTab(art, "Bob", false).image, 6, 1), 3));
    extend->SetBlinkOn(false);
    EXPECT_TRUE(NearColour(kNormal, PixelAt(DrawTab(art, "Bob", false).image, 6, 1), 3));
    extend->SetBlinkOn(true);
    EXPECT_TRUE(NearColour(kActive, PixelAt(DrawTab(art, "Bob", true).image, 6, 1), 3));
}

TEST_F(TabArtTest, EveryTabIsMeasuredAsActiveWithACloseButton)
{
    LoadSkin();
    kBitmapAuiTabArt art;
    wxMemoryDC dc;
    int extent = 0;
    const wxSize inactiveHidden =
        art.GetTabSize(dc, m_frame, "Carol", wxBitmapBundle(), false, wxAUI_BUTTON_STATE_HIDDEN, &extent);
    const wxSize activeShown =
        art.GetTabSize(dc, m_frame, "Carol", wxBitmapBundle(), true, wxAUI_BUTTON_STATE_NORMAL, &extent);
    EXPECT_EQ(activeShown, inactiveHidden);

    wxAuiDefaultTabArt stock;
    EXPECT_EQ(
        stock.GetTabSize(dc, m_frame, "Carol", wxBitmapBundle(), true, wxAUI_BUTTON_STATE_NORMAL, &extent),
        activeShown);
    EXPECT_GT(
        activeShown.x,
        stock.GetTabSize(dc, m_frame, "Carol", wxBitmapBundle(), false, wxAUI_BUTTON_STATE_HIDDEN, &extent)
            .x);
}

TEST_F(TabArtTest, MissingFaceGivesThePlainLook)
{
    LoadSkin(false);
    kBitmapAuiTabArt art;
    const Drawn drawn = DrawTab(art, "", false);
    EXPECT_EQ(0, CountPixels(drawn.image, kNormal, drawn.tab, 40));
    EXPECT_TRUE(NearColour(kBase, PixelAt(drawn.image, 10, 4), 3));
    // The active tab still has all its faces.
    EXPECT_TRUE(NearColour(kActive, PixelAt(DrawTab(art, "", true).image, 6, 1), 3));
}

TEST_F(TabArtTest, EmptyCaptionDrawsNoTextAndLongCaptionIsChopped)
{
    LoadSkin();
    kBitmapAuiTabArt art;
    const Drawn empty = DrawTab(art, "", false);
    EXPECT_EQ(0, CountPixels(empty.image, kPaper, CaptionArea(empty), 40));

    const Drawn text = DrawTab(art, "Xj", false);
    EXPECT_GT(CountPixels(text.image, kPaper, CaptionArea(text), 40), 0);

    wxMemoryDC dc;
    dc.SetFont(*wxNORMAL_FONT);
    const wxString caption = "A conversation with a long name";
    EXPECT_EQ(caption, kBitmapAuiTabArt::ChopText(dc, caption, dc.GetTextExtent(caption).x));
    EXPECT_EQ("A conv...", kBitmapAuiTabArt::ChopText(dc, caption, dc.GetTextExtent("A conv...").x));
    EXPECT_EQ("A conv...", kBitmapAuiTabArt::ChopText(dc, caption, dc.GetTextExtent("A conv...").x + 1));
    EXPECT_EQ("...", kBitmapAuiTabArt::ChopText(dc, caption, 1));
}

TEST_F(TabArtTest, CloseButtonFaceByStateAndNeverOnOtherTabs)
{
    LoadSkin();
    kBitmapAuiTabArt chat(KELAUITAB_BITMAP_CHAT);
    chat.SetFlags(wxAUI_NB_CLOSE_ON_ALL_TABS);
    const Drawn shown = DrawTab(chat, "Dave", false, wxAUI_BUTTON_STATE_NORMAL);
    const int closeX = shown.tab.width - 8 - 3;
    EXPECT_TRUE(NearColour(kClose, PixelAt(shown.image, closeX + 4, 5), 3));
    // The click area is the stock one, on the tab.
    EXPECT_GT(shown.closeButton.width, 0);
    EXPECT_TRUE(shown.tab.Contains(shown.closeButton.GetTopLeft()));

    const Drawn hidden = DrawTab(chat, "Dave", false, wxAUI_BUTTON_STATE_HIDDEN);
    EXPECT_TRUE(NearColour(kNormal, PixelAt(hidden.image, closeX + 4, 5), 3));
    // Pressed has no face in this skin: nothing drawn.
    const Drawn pressed = DrawTab(chat, "Dave", false, wxAUI_BUTTON_STATE_PRESSED);
    EXPECT_TRUE(NearColour(kNormal, PixelAt(pressed.image, closeX + 4, 5), 3));

    kBitmapAuiTabArt other(KELAUITAB_BITMAP_OTHER);
    const Drawn otherTab = DrawTab(other, "Dave", false, wxAUI_BUTTON_STATE_NORMAL);
    EXPECT_TRUE(NearColour(kOther, PixelAt(otherTab.image, closeX + 4, 5), 3));
    EXPECT_EQ(0, CountPixels(otherTab.image, kClose, otherTab.tab, 40));
}

TEST_F(TabArtTest, TypesAndClones)
{
    kBitmapAuiTabArt other(KELAUITAB_BITMAP_OTHER);
    EXPECT_EQ("talkfrm_othertab_unread_mid", other.GetFaceName(kBitmapAuiTabArt::FACE_UNREAD_MID));
    EXPECT_TRUE(other.GetFaceName(kBitmapAuiTabArt::FACE_CLOSE_NORMAL).empty());

    std::unique_ptr<wxAuiTabArt> clone(other.Clone());
    kBitmapAuiTabArt* copy = dynamic_cast<kBitmapAuiTabArt*>(clone.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(KELAUITAB_BITMAP_OTHER, copy->GetAuiTabType());
    EXPECT_TRUE(copy->GetFaceName(kBitmapAuiTabArt::FACE_CLOSE_HOVER).empty());

    // An unknown type keeps the names already chosen.
    kBitmapAuiTabArt chat;
    chat.SetAuiTabType(static_cast<KELAUITAB_BITMAP_TYPE>(7));
    EXPECT_EQ("talkfrm_tab_close_button_pressed", chat.GetFaceName(kBitmapAuiTabArt::FACE_CLOSE_PRESSED));
    EXPECT_EQ("talkfrm_tab_normal_left", chat.GetFaceName(kBitmapAuiTabArt::FACE_NORMAL_LEFT));
}

TEST_F(TabArtTest, ButtonsFromTheSkinAndInvisibleWhenDisabled)
{
    LoadSkin();
    kBitmapAuiTabArt art;
    wxBitmap bitmap(200, 30);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();

    wxRect out;
    art.DrawButton(dc, m_frame, wxRect(0, 1, 150, 30), wxAUI_BUTTON_RIGHT, wxAUI_BUTTON_STATE_NORMAL, wxRIGHT,
                   &out);
    EXPECT_EQ(wxRect(150 - 12, 31 / 2 - 7, 12, 14), out);

    wxRect disabled;
    art.DrawButton(dc, m_frame, wxRect(0, 1, 100, 30), wxAUI_BUTTON_LEFT, wxAUI_BUTTON_STATE_DISABLED,
                   wxRIGHT, &disabled);
    EXPECT_FALSE(disabled.IsEmpty());

    wxRect left;
    art.DrawButton(dc, m_frame, wxRect(20, 1, 100, 30), wxAUI_BUTTON_LEFT, wxAUI_BUTTON_STATE_NORMAL, wxLEFT,
                   &left);
    EXPECT_EQ(20, left.x);
    dc.SelectObject(wxNullBitmap);

    const wxImage image = bitmap.ConvertToImage();
    EXPECT_TRUE(NearColour(kButton, PixelAt(image, out.x + 5, out.y + 5), 3));
    EXPECT_EQ(0, CountPixels(image, kButton, wxRect(40, 0, 60, 30), 40));
    EXPECT_EQ(0, CountPixels(image, wxColour(0, 0, 0), wxRect(40, 0, 60, 30), 40));
}

// ----------------------------------------------------------------------------
// The art on a blinking notebook
// ----------------------------------------------------------------------------

class BlinkingNotebookTest : public TabArtTest
{
protected:
    void SetUp() override
    {
        TabArtTest::SetUp();
        LoadSkin();
        m_book = new KAuiNotebook(m_frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                  wxAUI_NB_TOP | wxAUI_NB_SCROLL_BUTTONS | wxAUI_NB_CLOSE_ON_ALL_TABS);
        m_book->SetArtProvider(new kBitmapAuiTabArt(KELAUITAB_BITMAP_CHAT));
        for (int i = 0; i < 8; ++i)
            m_book->AddPage(new wxWindow(m_book, wxID_ANY), wxString::Format("Friend %d", i));
        ShowAndWait(m_frame);
        m_book->SetSize(m_frame->GetClientSize());
        Pump();
    }

    wxAuiTabCtrl* Tabs() const
    {
        for (wxWindow* child : m_book->GetChildren())
            if (wxAuiTabCtrl* tabs = dynamic_cast<wxAuiTabCtrl*>(child))
                return tabs;
        return nullptr;
    }

    wxColour ButtonFace(int id, int state = wxAUI_BUTTON_STATE_NORMAL)
    {
        wxAuiTabCtrl* tabs = Tabs();
        wxBitmap bitmap(tabs->GetSize());
        wxRect out;
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            tabs->GetArtProvider()->DrawButton(dc, tabs, wxRect(wxPoint(0, 1), tabs->GetSize()), id, state,
                                               wxRIGHT, &out);
        }
        return PixelAt(bitmap.ConvertToImage(), out.x + 6, out.y + 7);
    }

    KAuiNotebook* m_book = nullptr;
};

TEST_F(BlinkingNotebookTest, PageScrolledOutLeftFlashesTheLeftButton)
{
    m_book->SetSelection(7);
    Pump();
    ASSERT_GT(Tabs()->GetTabOffset(), 1u);
    EXPECT_TRUE(NearColour(kButton, ButtonFace(wxAUI_BUTTON_LEFT), 3));

    m_book->SetPageAttention(1, true);
    EXPECT_TRUE(NearColour(kFlash, ButtonFace(wxAUI_BUTTON_LEFT), 3));
    EXPECT_TRUE(NearColour(kButton, ButtonFace(wxAUI_BUTTON_RIGHT), 3));
    EXPECT_TRUE(NearColour(kPaper, ButtonFace(wxAUI_BUTTON_LEFT, wxAUI_BUTTON_STATE_DISABLED), 3));

    m_book->Blink();
    EXPECT_TRUE(NearColour(kButton, ButtonFace(wxAUI_BUTTON_LEFT), 3));
    m_book->Blink();
    EXPECT_TRUE(NearColour(kFlash, ButtonFace(wxAUI_BUTTON_LEFT), 3));

    // The row on screen shows it too.
    ShowAndWait(Tabs());
    const wxImage shot = CaptureWindow(Tabs());
    EXPECT_GT(CountPixels(shot, kFlash, wxRect(wxPoint(0, 0), shot.GetSize()), 40), 20);
}

TEST_F(BlinkingNotebookTest, OnlyTheFirstMarkedPageOnTheLeftDecides)
{
    m_book->SetSelection(7);
    Pump();
    m_book->SetPageAttention(0, true);
    m_book->SetPageAttention(1, true);
    // Page 0's phase is off while page 1's is on: page 0 decides.
    KAuiNotebookPageExtendContainer::GetInstance()->GetPageExtend(m_book->GetPage(0))->SetBlinkOn(false);
    EXPECT_TRUE(NearColour(kButton, ButtonFace(wxAUI_BUTTON_LEFT), 3));
}

TEST_F(BlinkingNotebookTest, PageHiddenOnTheRightFlashesTheRightButton)
{
    m_book->SetSelection(0);
    Pump();
    ASSERT_EQ(0u, Tabs()->GetTabOffset());
    m_book->SetPageAttention(6, true);
    EXPECT_TRUE(NearColour(kFlash, ButtonFace(wxAUI_BUTTON_RIGHT), 3));
    EXPECT_TRUE(NearColour(kButton, ButtonFace(wxAUI_BUTTON_LEFT), 3));

    // Showing the page clears its mark and the flashing stops.
    m_book->SetSelection(6);
    Pump();
    EXPECT_FALSE(m_book->HasPageAttention(6));
    EXPECT_FALSE(m_book->IsBlinking());
}

TEST_F(BlinkingNotebookTest, VisibleMarkedTabBlinksOnScreen)
{
    // Only Blink() advances the phase here: a timer tick while the screen is
    // read (a busy machine) would turn it back.
    m_book->SetBlinkInterval(60000);
    m_book->SetSelection(0);
    m_book->SetPageAttention(1, true);
    ShowAndWait(Tabs());
    wxImage shot = CaptureWindow(Tabs());
    EXPECT_GT(CountPixels(shot, kUnread, wxRect(wxPoint(0, 0), shot.GetSize()), 40), 50);

    m_book->Blink();
    ShowAndWait(Tabs());
    shot = CaptureWindow(Tabs());
    EXPECT_EQ(0, CountPixels(shot, kUnread, wxRect(wxPoint(0, 0), shot.GetSize()), 40));
}
