// Screen capture driven with real mouse and keyboard input over a known
// backdrop that fills the display.
#include <kelctrls/dialogs/screendlg.h>

#include "support/diskfull.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <wx/clipbrd.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <deque>

using namespace kel::test;

namespace
{

// Every pixel of the backdrop differs from its neighbours and none is black.
wxColour BackdropColour(int x, int y)
{
    return wxColour(x % 251, y % 241, 100);
}

class Backdrop : public wxFrame
{
public:
    Backdrop() : wxFrame(nullptr, wxID_ANY, "backdrop", wxPoint(0, 0), wxGetDisplaySize(), wxNO_BORDER)
    {
        const wxSize size = wxGetDisplaySize();
        wxImage image(size);
        for (int y = 0; y < size.y; ++y)
            for (int x = 0; x < size.x; ++x)
            {
                const wxColour c = BackdropColour(x, y);
                image.SetRGB(x, y, c.Red(), c.Green(), c.Blue());
            }
        m_bitmap = wxBitmap(image);
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT,
             [this](wxPaintEvent&)
             {
                 wxPaintDC dc(this);
                 dc.DrawBitmap(m_bitmap, 0, 0);
             });
    }

private:
    wxBitmap m_bitmap;
};

// Answers message boxes in place of the user and remembers their texts.
class MessageAnswers : public wxModalDialogHook
{
public:
    MessageAnswers() { Register(); }

    std::deque<int> answers;
    wxArrayString messages;

protected:
    int Enter(wxDialog* dialog) override
    {
        wxMessageDialog* message = dynamic_cast<wxMessageDialog*>(dialog);
        if (!message)
            return wxID_NONE;
        messages.Add(message->GetMessage());
        if (answers.empty())
            return wxID_CANCEL;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A folder of its own for the files a test writes, removed afterwards.
class ScratchFolder
{
public:
    ScratchFolder() : m_path(wxFileName::CreateTempFileName("kelcapture"))
    {
        wxRemoveFile(m_path);
        wxFileName::Mkdir(m_path);
    }
    ~ScratchFolder() { wxFileName::Rmdir(m_path, wxPATH_RMDIR_RECURSIVE); }

    wxString PathOf(const wxString& name) const { return wxFileName(m_path, name).GetFullPath(); }
    const wxString& GetPath() const { return m_path; }

private:
    wxString m_path;
};

class ScreenDlgTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_backdrop = new Backdrop;
        s_backdrop->Show();
        Pump();
        s_backdrop->Refresh();
        s_backdrop->Update();
        Pump();
    }

    static void TearDownTestSuite()
    {
        s_backdrop->Destroy();
        Pump();
    }

    void SetUp() override
    {
        m_dlg = new ScreenDlg(nullptr);
        m_dlg->Show();
        ASSERT_TRUE(WaitUntil([this] { return m_dlg->IsShownOnScreen(); }));
        Pump();
        m_screen = m_dlg->GetScreenBitmap().GetSize();
    }

    void TearDown() override
    {
        m_dlg->Destroy();
        Pump();
    }

    void MoveTo(const wxPoint& pt)
    {
        m_sim.MouseMove(pt);
        Pump();
        WaitUntil([&] { return wxGetMousePosition() == pt; });
        // The pointer is there; give the dialog time to see the motion.
        Pump(40);
    }

    void Drag(const wxPoint& from, const wxPoint& to)
    {
        MoveTo(from);
        m_sim.MouseDown();
        Pump();
        MoveTo((from + to) / 2);
        MoveTo(to);
        m_sim.MouseUp();
        Pump();
        WaitUntil([this] { return !m_dlg->IsDragging(); });
    }

    wxString LabelText(const wxString& name) const
    {
        wxWindow* label = wxWindow::FindWindowByName(name, m_dlg->GetTipPanel());
        return label ? label->GetLabel() : wxString("<missing>");
    }

    static Backdrop* s_backdrop;
    ScreenDlg* m_dlg = nullptr;
    wxSize m_screen;
    wxUIActionSimulator m_sim;
};

Backdrop* ScreenDlgTest::s_backdrop = nullptr;

} // anonymous namespace

TEST_F(ScreenDlgTest, CoversTheDisplayWithItsSnapshot)
{
    EXPECT_EQ(wxPoint(0, 0), m_dlg->GetScreenPosition());
    EXPECT_EQ(wxGetDisplaySize(), m_dlg->GetClientSize());
    EXPECT_EQ(wxGetDisplaySize(), m_screen);

    const wxImage snapshot = m_dlg->GetScreenBitmap().ConvertToImage();
    EXPECT_EQ(BackdropColour(700, 500), PixelAt(snapshot, 700, 500));
    EXPECT_EQ(BackdropColour(3, 1000), PixelAt(snapshot, 3, 1000));

    // The dialog shows the snapshot on screen.
    const wxImage shown = CaptureWindow(m_dlg);
    EXPECT_EQ(BackdropColour(700, 500), PixelAt(shown, 700, 500));
}

TEST_F(ScreenDlgTest, DrawingASelectionNormalisesItsCorners)
{
    Drag(wxPoint(300, 250), wxPoint(200, 200));
    ASSERT_TRUE(m_dlg->HasSelection());
    EXPECT_EQ(wxRect(200, 200, 101, 51), m_dlg->GetSelectRect());
    EXPECT_EQ(wxPoint(200, 200), m_dlg->GetStartPos());
    EXPECT_EQ(wxPoint(300, 250), m_dlg->GetEndPos());

    // The frame is drawn on the shown picture, not on the snapshot.
    const wxImage shown = m_dlg->GetShownBitmap().ConvertToImage();
    EXPECT_EQ(*wxRED, PixelAt(shown, 230, 200));
    EXPECT_EQ(*wxRED, PixelAt(shown, 230, 250));
    EXPECT_EQ(*wxRED, PixelAt(shown, 300, 240));
    // Handles: 5 by 5 squares around the corners and edge midpoints.
    EXPECT_EQ(*wxRED, PixelAt(shown, 198, 200));
    EXPECT_EQ(*wxWHITE, PixelAt(shown, 200, 200));
    EXPECT_EQ(*wxWHITE, PixelAt(shown, 250, 201));
    EXPECT_EQ(BackdropColour(250, 225), PixelAt(shown, 250, 225));
    EXPECT_EQ(BackdropColour(250, 200), PixelAt(m_dlg->GetScreenBitmap().ConvertToImage(), 250, 200));

    // The information panel shows the rectangle with both corner pixels.
    EXPECT_EQ("Rect size:(101,51)", LabelText("m_rectSize"));
    EXPECT_EQ("Vertex:(200,200)", LabelText("m_TopPosition"));
}

TEST_F(ScreenDlgTest, AClickWithoutMotionSelectsNothing)
{
    MoveTo(wxPoint(400, 400));
    m_sim.MouseClick();
    Pump();
    EXPECT_FALSE(m_dlg->HasSelection());
    EXPECT_FALSE(m_dlg->IsDragging());
}

TEST_F(ScreenDlgTest, MovingStopsAtTheScreenEdges)
{
    m_dlg->SelectRect(wxRect(400, 300, 101, 51));
    Drag(wxPoint(450, 320), wxPoint(5, 5));
    EXPECT_EQ(wxRect(0, 0, 101, 51), m_dlg->GetSelectRect());

    Drag(wxPoint(50, 25), wxPoint(m_screen.x - 1, m_screen.y - 1));
    EXPECT_EQ(wxRect(m_screen.x - 101, m_screen.y - 51, 101, 51), m_dlg->GetSelectRect());
}

TEST_F(ScreenDlgTest, DraggingAnEdgeAcrossTheOppositeOne)
{
    m_dlg->SelectRect(wxRect(400, 300, 101, 51));
    MoveTo(wxPoint(400, 320));
    ASSERT_EQ(border_left, m_dlg->GetCurBorder());

    m_sim.MouseDown();
    Pump();
    MoveTo(wxPoint(550, 320));
    MoveTo(wxPoint(600, 320));
    // While the button is held the corners are out of order.
    EXPECT_EQ(600, m_dlg->GetStartPos().x);
    EXPECT_EQ(500, m_dlg->GetEndPos().x);
    EXPECT_EQ(wxRect(500, 300, 101, 51), m_dlg->GetSelectRect());

    m_sim.MouseUp();
    Pump();
    EXPECT_EQ(wxPoint(500, 300), m_dlg->GetStartPos());
    EXPECT_EQ(wxPoint(600, 350), m_dlg->GetEndPos());
}

TEST_F(ScreenDlgTest, CornerHandlesResize)
{
    m_dlg->SelectRect(wxRect(400, 300, 101, 51));
    MoveTo(wxPoint(501, 351));
    ASSERT_EQ(border_bottom_right, m_dlg->GetCurBorder());
    Drag(wxPoint(501, 351), wxPoint(560, 500));
    EXPECT_EQ(wxRect(400, 300, 161, 201), m_dlg->GetSelectRect());
}

TEST_F(ScreenDlgTest, DoubleClickInsideCopiesTheSelection)
{
    m_dlg->SelectRect(wxRect(400, 300, 30, 20));
    MoveTo(wxPoint(410, 310));
    m_sim.MouseDblClick();
    ASSERT_TRUE(WaitUntil([this] { return !m_dlg->IsShown(); }));
    EXPECT_EQ(wxID_OK, m_dlg->GetReturnCode());

    wxBitmapDataObject data;
    ASSERT_TRUE(wxTheClipboard->Open());
    const bool got = wxTheClipboard->GetData(data);
    wxTheClipboard->Close();
    ASSERT_TRUE(got);
    const wxImage copied = data.GetBitmap().ConvertToImage();
    ASSERT_EQ(wxSize(30, 20), copied.GetSize());
    EXPECT_EQ(BackdropColour(400, 300), PixelAt(copied, 0, 0));
    EXPECT_EQ(BackdropColour(429, 319), PixelAt(copied, 29, 19));
}

TEST_F(ScreenDlgTest, DoubleClickOutsideQuits)
{
    m_dlg->SelectRect(wxRect(400, 300, 30, 20));
    MoveTo(wxPoint(600, 600));
    m_sim.MouseDblClick();
    ASSERT_TRUE(WaitUntil([this] { return !m_dlg->IsShown(); }));
    EXPECT_EQ(wxID_CANCEL, m_dlg->GetReturnCode());
}

TEST_F(ScreenDlgTest, EscapeQuits)
{
    MoveTo(wxPoint(600, 600));
    m_sim.Char(WXK_ESCAPE);
    ASSERT_TRUE(WaitUntil([this] { return !m_dlg->IsShown(); }));
    EXPECT_EQ(wxID_CANCEL, m_dlg->GetReturnCode());
}

TEST_F(ScreenDlgTest, MenuDependsOnWhereTheButtonWasReleased)
{
    const auto labels = [](wxMenu* menu)
    {
        wxString text;
        for (wxMenuItem* item : menu->GetMenuItems())
            text += (item->IsSeparator() ? wxString("-") : item->GetItemLabelText()) + "|";
        delete menu;
        return text;
    };

    EXPECT_EQ("Quit|", labels(m_dlg->CreateContextMenu(wxPoint(50, 50))));
    m_dlg->SelectRect(wxRect(100, 100, 101, 51));
    EXPECT_EQ("Cancel|-|Quit|", labels(m_dlg->CreateContextMenu(wxPoint(500, 500))));
    EXPECT_EQ("Save As|Copy to Clipboard|Cancel|-|Quit|",
              labels(m_dlg->CreateContextMenu(wxPoint(150, 120))));
    EXPECT_EQ("Save As|Copy to Clipboard|Cancel|-|Quit|",
              labels(m_dlg->CreateContextMenu(wxPoint(100, 100))));

    // "Cancel" drops the selection; the picture shows the plain snapshot.
    wxCommandEvent cancel(wxEVT_MENU, ScreenDlg::ID_CANCEL_SELECTION);
    m_dlg->GetEventHandler()->ProcessEvent(cancel);
    EXPECT_FALSE(m_dlg->HasSelection());
    EXPECT_EQ(BackdropColour(150, 100), PixelAt(m_dlg->GetShownBitmap().ConvertToImage(), 150, 100));

    wxCommandEvent quit(wxEVT_MENU, ScreenDlg::ID_QUIT);
    m_dlg->GetEventHandler()->ProcessEvent(quit);
    EXPECT_FALSE(m_dlg->IsShown());
    EXPECT_EQ(wxID_CANCEL, m_dlg->GetReturnCode());
}

TEST_F(ScreenDlgTest, MagnifierShowsBlackBeyondTheScreen)
{
    // Each sample pixel covers 6.6 view pixels; sample (sx, sy) is read at
    // view (sx * 6.6 + 3, sy * 6.6 + 3).
    const auto view = [](const wxImage& image, int sx, int sy)
    { return PixelAt(image, int(sx * 6.6 + 3), int(sy * 6.6 + 3)); };

    const wxImage topLeft =
        m_dlg->GetSubMaxImage(wxPoint(0, 0), wxSize(20, 20), wxSize(132, 132)).ConvertToImage();
    ASSERT_EQ(wxSize(132, 132), topLeft.GetSize());
    EXPECT_EQ(*wxBLACK, view(topLeft, 2, 2));
    EXPECT_EQ(*wxBLACK, view(topLeft, 15, 4));
    EXPECT_EQ(BackdropColour(5, 5), view(topLeft, 15, 15));
    // The centre pixel is inverted and the cross marks it.
    const wxColour centre = BackdropColour(0, 0);
    EXPECT_EQ(wxColour(255 - centre.Red(), 255 - centre.Green(), 255 - centre.Blue()), view(topLeft, 10, 10));
    EXPECT_EQ(wxColour(255, 0, 230), view(topLeft, 12, 10));
    EXPECT_EQ(wxColour(255, 0, 230), view(topLeft, 10, 7));
    EXPECT_EQ(BackdropColour(4, 0), view(topLeft, 14, 10));

    const wxPoint corner(m_screen.x - 1, m_screen.y - 1);
    const wxImage bottomRight =
        m_dlg->GetSubMaxImage(corner, wxSize(20, 20), wxSize(132, 132)).ConvertToImage();
    EXPECT_EQ(BackdropColour(corner.x - 5, corner.y - 5), view(bottomRight, 5, 5));
    EXPECT_EQ(*wxBLACK, view(bottomRight, 11, 5));
    EXPECT_EQ(*wxBLACK, view(bottomRight, 5, 18));
}

TEST_F(ScreenDlgTest, PointerInformationFollowsTheMouse)
{
    MoveTo(wxPoint(700, 600));
    EXPECT_TRUE(WaitUntil([this] { return LabelText("m_MousePosition") == "Cursor:(700,600)"; }));
    const wxColour colour = BackdropColour(700, 600);
    EXPECT_EQ(wxString::Format("Pixel RGB(%d,%d,%d)", colour.Red(), colour.Green(), colour.Blue()),
              LabelText("m_RgbTipCtrl"));
    EXPECT_EQ("(" + colour.GetAsString(wxC2S_HTML_SYNTAX) + ")", LabelText("m_ColourHtml"));
}

TEST_F(ScreenDlgTest, InformationPanelKeepsClearOfThePointer)
{
    ScreenTipPanel* panel = m_dlg->GetTipPanel();
    ASSERT_EQ(wxPoint(10, 10), panel->GetPosition());
    ASSERT_EQ(wxSize(324, 231), panel->GetSize());
    const int width = panel->GetSize().x;

    MoveTo(wxPoint(m_screen.x / 2, m_screen.y - 50));
    MoveTo(wxPoint(40, m_screen.y - 20));
    EXPECT_EQ(wxPoint(10, 10), panel->GetPosition()) << "the lower half never moves it";

    // Pointer positions beside the panel: over it, the panel gets the motion.
    MoveTo(wxPoint(400, 60));
    EXPECT_EQ(wxPoint(m_screen.x - 10 - width, 10), panel->GetPosition());

    MoveTo(wxPoint(100, 200));
    EXPECT_EQ(wxPoint(m_screen.x - 10 - width, 10), panel->GetPosition()) << "already on the other side";

    MoveTo(wxPoint(m_screen.x / 2 + 60, 60));
    EXPECT_EQ(wxPoint(10, 10), panel->GetPosition());
}

TEST_F(ScreenDlgTest, SavingUsesTheHandlerOfTheExtension)
{
    ScratchFolder folder;
    m_dlg->SelectRect(wxRect(20, 30, 40, 25));

    const wxString filter = ScreenDlg::GetSaveFilter();
    EXPECT_TRUE(filter.StartsWith("BMP files (*.bmp)|*.bmp"));
    EXPECT_FALSE(filter.Lower().Contains("png"));

    const wxString png = folder.PathOf("cut.PNG");
    ASSERT_TRUE(m_dlg->SaveSelectionTo(png));
    wxImage saved(png);
    ASSERT_TRUE(saved.IsOk());
    EXPECT_EQ(wxSize(40, 25), saved.GetSize());
    EXPECT_EQ(BackdropColour(20, 30), PixelAt(saved, 0, 0));

    const wxString unknown = folder.PathOf("cut.xyz");
    EXPECT_FALSE(m_dlg->SaveSelectionTo(unknown));
    EXPECT_FALSE(wxFileExists(unknown));
}

TEST_F(ScreenDlgTest, OverwritingAsksFirst)
{
    ScratchFolder folder;
    m_dlg->SelectRect(wxRect(20, 30, 40, 25));
    const wxString path = folder.PathOf("cut.bmp");
    ASSERT_TRUE(m_dlg->SaveSelectionTo(path));

    m_dlg->SelectRect(wxRect(20, 30, 10, 10));
    MessageAnswers user;
    user.answers = {wxID_CANCEL};
    EXPECT_FALSE(m_dlg->SaveSelectionTo(path));
    ASSERT_EQ(1u, user.messages.size());
    EXPECT_EQ("file exists,do you want to overwrite it?", user.messages[0]);
    EXPECT_EQ(wxSize(40, 25), wxImage(path).GetSize());

    user.answers = {wxID_OK};
    EXPECT_TRUE(m_dlg->SaveSelectionTo(path));
    EXPECT_EQ(wxSize(10, 10), wxImage(path).GetSize());
}

TEST_F(ScreenDlgTest, AFailedSaveKeepsTheOldFileAndSaysSo)
{
    ScratchFolder folder;
    m_dlg->SelectRect(wxRect(20, 30, 40, 25));
    const wxString bmp = folder.PathOf("cut.bmp");
    ASSERT_TRUE(m_dlg->SaveSelectionTo(bmp));
    // A GIF needs a palette, which the selection has not: the format fails.
    const wxString gif = folder.PathOf("cut.gif");
    ASSERT_TRUE(KelWriteTextAtomically(gif, "the old picture"));

    m_dlg->SelectRect(wxRect(20, 30, 10, 10));
    MessageAnswers user;
    user.answers = {wxID_OK, wxID_OK};
    SaveOnFullDiskChangesNothing(folder.GetPath(), [&] { EXPECT_FALSE(m_dlg->SaveSelectionTo(bmp)); });
    ASSERT_EQ(2u, user.messages.size());
    EXPECT_EQ("operation failed,maybe it is too large to operate!", user.messages[1]);
    EXPECT_EQ(wxSize(40, 25), wxImage(bmp).GetSize());

    user.messages.clear();
    user.answers = {wxID_OK, wxID_OK};
    const auto before = FilesBelow(folder.GetPath());
    EXPECT_FALSE(m_dlg->SaveSelectionTo(gif));
    EXPECT_EQ(2u, user.messages.size()) << "asked, then told";
    EXPECT_TRUE(FilesBelow(folder.GetPath()) == before);
}

TEST(GrabScreen, SeesWhatIsDrawnNow)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "grab", wxPoint(600, 700), wxSize(120, 80), wxNO_BORDER);
    frame->SetBackgroundColour(*wxRED);
    ShowAndWait(frame);
    const wxRect area(610, 710, 50, 40);
    EXPECT_EQ(*wxRED, PixelAt(KelGrabScreen(area).ConvertToImage(), 10, 10));

    frame->SetBackgroundColour(*wxBLUE);
    frame->Refresh();
    frame->Update();
    Pump(100);
    const wxImage again = KelGrabScreen(area).ConvertToImage();
    ASSERT_EQ(area.GetSize(), again.GetSize());
    EXPECT_EQ(*wxBLUE, PixelAt(again, 10, 10));

    // Beyond the display edge the picture is black.
    const wxSize display = wxGetDisplaySize();
    const wxImage edge = KelGrabScreen(wxRect(display.x - 5, 0, 10, 10)).ConvertToImage();
    EXPECT_EQ(*wxBLACK, PixelAt(edge, 8, 5));
    frame->Destroy();
    Pump();
}
