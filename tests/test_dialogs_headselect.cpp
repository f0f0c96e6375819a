// Head image selection: loading, the fixed-aspect frame under the mouse, the
// preview and the result.
#include <kelctrls/dialogs/userheadselect.h>
#include <kelctrls/skin.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/modalhook.h>
#include <wx/statbmp.h>
#include <wx/uiaction.h>

using namespace kel::test;

namespace
{

// A 200 x 150 picture whose pixels tell where they came from.
wxImage MakePicture()
{
    wxImage image(200, 150);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            image.SetRGB(x, y, x, y, 200);
    return image;
}

class HeadSelectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dialog = new KelUserHeadSelect(nullptr);
        ShowAndWait(m_dialog);
        m_panel = m_dialog->GetPanel();
    }

    void TearDown() override
    {
        m_dialog->Destroy();
        Pump();
    }

    void Drag(const wxPoint& from, const wxPoint& to)
    {
        wxUIActionSimulator sim;
        sim.MouseMove(m_panel->ClientToScreen(from));
        Pump();
        sim.MouseDown();
        Pump();
        sim.MouseMove(m_panel->ClientToScreen((from + to) / 2));
        Pump();
        sim.MouseMove(m_panel->ClientToScreen(to));
        Pump();
        sim.MouseUp();
        Pump();
    }

    void Press(int id)
    {
        wxCommandEvent event(wxEVT_BUTTON, id);
        m_dialog->ProcessWindowEvent(event);
    }

    KelUserHeadSelect* m_dialog = nullptr;
    KelBmpPanel* m_panel = nullptr;
};

} // anonymous namespace

TEST_F(HeadSelectTest, LoadedImageIsCentredWithAFrame)
{
    EXPECT_TRUE(wxClassInfo::FindClass("KelUserHeadSelect"));
    EXPECT_TRUE(wxClassInfo::FindClass("KelBmpPanel"));
    EXPECT_FALSE(m_panel->HasImage());
    EXPECT_FALSE(m_dialog->GetBitmap().IsOk());

    m_dialog->LoadImage(MakePicture());
    const wxSize panel = m_panel->GetClientSize();
    const wxRect bounds = m_panel->GetImageBounds();
    EXPECT_EQ(wxRect((panel.x - 200) / 2, (panel.y - 150) / 2, 200, 150), bounds);

    ASSERT_TRUE(m_panel->HasFrame());
    const wxRect frame = m_panel->GetFrame();
    EXPECT_TRUE(bounds.Contains(frame));
    EXPECT_EQ(frame.width, frame.height) << "the default head image is square";
    EXPECT_NEAR(bounds.x + bounds.width / 2, frame.x + frame.width / 2, 1);

    // The panel shows the picture inside the frame and darkens it outside.
    Pump(100);
    const wxImage shown = CaptureWindow(m_panel);
    const wxPoint inside(frame.x + frame.width / 2, frame.y + frame.height / 2);
    const wxColour centre = PixelAt(shown, inside.x, inside.y);
    EXPECT_EQ(wxColour(inside.x - bounds.x, inside.y - bounds.y, 200), centre);
    const wxColour outside = PixelAt(shown, bounds.x + 2, bounds.y + 2);
    EXPECT_EQ(wxColour(1, 1, 100), outside);
    EXPECT_EQ(*wxWHITE, PixelAt(shown, 2, 2));
}

TEST_F(HeadSelectTest, PreviewShowsTheFramedPartAtHeadSize)
{
    m_dialog->LoadImage(MakePicture());
    const wxBitmap preview = m_dialog->GetPreview()->GetBitmap();
    ASSERT_TRUE(preview.IsOk());
    EXPECT_EQ(m_dialog->GetPreview()->GetSize(), preview.GetSize());

    const wxImage framed = m_panel->GetFramedImage();
    const wxRect frame = m_panel->GetFrame();
    EXPECT_EQ(frame.GetSize(), framed.GetSize());
    EXPECT_EQ(frame.x - m_panel->GetImageBounds().x, framed.GetRed(0, 0));

    Press(KelUserHeadSelect::ID_OK);
    EXPECT_EQ(wxID_OK, m_dialog->GetReturnCode());
    ASSERT_TRUE(m_dialog->GetBitmap().IsOk());
    EXPECT_EQ(preview.GetSize(), m_dialog->GetBitmap().GetSize());
}

TEST_F(HeadSelectTest, CancelGivesNoBitmap)
{
    m_dialog->LoadImage(MakePicture());
    Press(KelUserHeadSelect::ID_CANCEL);
    EXPECT_EQ(wxID_CANCEL, m_dialog->GetReturnCode());
    EXPECT_FALSE(m_dialog->GetBitmap().IsOk());
    EXPECT_FALSE(m_dialog->IsShown());
}

TEST_F(HeadSelectTest, FrameStopsAtTheImageEdge)
{
    m_dialog->LoadImage(MakePicture());
    const wxRect bounds = m_panel->GetImageBounds();
    const wxRect before = m_panel->GetFrame();
    const wxPoint centre(before.x + before.width / 2, before.y + before.height / 2);

    Drag(centre, centre + wxPoint(200, 300));
    const wxRect moved = m_panel->GetFrame();
    EXPECT_EQ(before.GetSize(), moved.GetSize());
    EXPECT_EQ(bounds.GetRight(), moved.GetRight());
    EXPECT_EQ(bounds.GetBottom(), moved.GetBottom());

    const wxPoint movedCentre(moved.x + moved.width / 2, moved.y + moved.height / 2);
    Drag(movedCentre, wxPoint(0, 0));
    EXPECT_EQ(bounds.GetTopLeft(), m_panel->GetFrame().GetTopLeft());
}

TEST_F(HeadSelectTest, ResizingKeepsTheAspect)
{
    m_dialog->SetBitmapScale(48, 64);
    EXPECT_EQ(wxSize(48, 64), m_panel->GetAspect());
    const int width = m_dialog->GetPreview()->GetSize().x;
    EXPECT_EQ((width / 48) * 64, m_dialog->GetPreview()->GetSize().y);

    m_dialog->LoadImage(MakePicture());
    const wxRect bounds = m_panel->GetImageBounds();
    wxRect frame = m_panel->GetFrame();
    EXPECT_NEAR(frame.width * 64.0 / 48.0, frame.height, 1.5);

    // The bottom-right handle, pulled far out, grows the frame until it
    // meets the image edge; the top-left corner stays.
    Drag(frame.GetBottomRight(), frame.GetBottomRight() + wxPoint(150, 150));
    const wxRect grown = m_panel->GetFrame();
    EXPECT_EQ(frame.GetTopLeft(), grown.GetTopLeft());
    EXPECT_NEAR(grown.width * 64.0 / 48.0, grown.height, 1.5);
    EXPECT_TRUE(bounds.Contains(grown));
    EXPECT_GE(grown.GetBottom(), bounds.GetBottom() - 1);

    // The left edge, dragged right, shrinks it around the right edge's middle.
    frame = grown;
    Drag(wxPoint(frame.x, frame.y + frame.height / 2), wxPoint(frame.x + 30, frame.y + frame.height / 2));
    const wxRect narrowed = m_panel->GetFrame();
    EXPECT_EQ(frame.GetRight(), narrowed.GetRight());
    EXPECT_LT(narrowed.width, frame.width);
    EXPECT_NEAR(narrowed.width * 64.0 / 48.0, narrowed.height, 1.5);
}

TEST_F(HeadSelectTest, PressingBesideTheFrameMovesIt)
{
    m_dialog->LoadImage(MakePicture());
    const wxRect bounds = m_panel->GetImageBounds();
    const wxRect before = m_panel->GetFrame();
    const wxPoint beside = bounds.GetTopLeft() + wxPoint(4, 4);
    ASSERT_EQ(border_none, m_panel->HitTest(beside));

    Drag(beside, beside + wxPoint(10, 6));
    const wxRect moved = m_panel->GetFrame();
    EXPECT_EQ(before.GetSize(), moved.GetSize());
    EXPECT_EQ(before.GetTopLeft() + wxPoint(10, 6), moved.GetTopLeft());

    // also from the panel's blank area beside the image
    const wxPoint blank(bounds.x - 20, bounds.y + 10);
    ASSERT_FALSE(bounds.Contains(blank));
    Drag(blank, blank + wxPoint(-5, 3));
    EXPECT_EQ(moved.GetTopLeft() + wxPoint(-5, 3), m_panel->GetFrame().GetTopLeft());
    EXPECT_EQ(before.GetSize(), m_panel->GetFrame().GetSize());
}

TEST_F(HeadSelectTest, BrowseLoadsTheChosenFile)
{
    const wxString path = wxFileName::CreateTempFileName("kelhead") + ".bmp";
    ASSERT_TRUE(MakePicture().SaveFile(path, wxBITMAP_TYPE_BMP));

    class ChooseFile : public wxModalDialogHook
    {
    public:
        explicit ChooseFile(const wxString& file) : m_file(file) { Register(); }

    protected:
        int Enter(wxDialog* dialog) override
        {
            wxFileDialog* files = dynamic_cast<wxFileDialog*>(dialog);
            if (!files)
                return wxID_NONE;
            // The chooser selects the file once it has read the folder.
            files->SetPath(m_file);
            WaitUntil([&] { return files->GetPath() == m_file; });
            return wxID_OK;
        }

    private:
        wxString m_file;
    } chooser(path);

    Press(KelUserHeadSelect::ID_BROWSE);
    EXPECT_TRUE(m_panel->HasImage());
    EXPECT_EQ(wxSize(200, 150), m_panel->GetImageBounds().GetSize());
    wxRemoveFile(path);
}
