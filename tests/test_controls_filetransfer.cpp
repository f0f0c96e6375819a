// The file transfer link (enabled and disabled behaviour with the real pointer, XRC) and
// DoOpenFile with an associated program, a failing one, and none.
#include "test_controls_fixture.h"

#include <wx/filename.h>
#include <wx/mimetype.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/process.h>
#include <wx/uiaction.h>

#include <gtk/gtk.h>

using namespace kel::test;

class FileTransferLinkTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        m_link = new FileTransferLink(m_panel, 31, "Save as...", wxPoint(60, 60));
        m_link->SetEnabledColour(wxColour(0, 0, 160));
        m_link->SetDisabledColour(wxColour(150, 150, 150));
        m_panel->Bind(wxEVT_FILETRNSFER_LEFT_CLICK,
                      [this](wxFileTransferLinkEvent& e)
                      {
                          EXPECT_EQ(e.GetId(), 31);
                          EXPECT_EQ(e.GetEventObject(), m_link);
                          ++m_presses;
                      });
        Capture(m_link);
    }

    void PointAt(wxWindow* win)
    {
        m_sim.MouseMove(win->ClientToScreen(wxPoint(4, 4)));
        Pump(150);
    }

    FileTransferLink* m_link = nullptr;
    int m_presses = 0;
    wxUIActionSimulator m_sim;
};

TEST_F(FileTransferLinkTest, StartsAsAnUnderlinedBlueLinkOfItsTextSize)
{
    EXPECT_TRUE(m_link->IsLinkEnabled());
    EXPECT_EQ(m_link->GetForegroundColour(), wxColour("BLUE"));
    EXPECT_EQ(m_link->GetHoverColour(), wxColour("RED"));
    EXPECT_EQ(m_link->GetVisitedColour(), wxColour("PURPLE"));
    EXPECT_TRUE(m_link->GetFont().GetUnderlined());
    EXPECT_EQ(m_link->GetSize(), m_link->GetTextExtent("Save as..."));
    EXPECT_GT(CountPixels(Capture(m_link), wxColour("BLUE")), 5);

    // A size given at creation gives way to the text's.
    FileTransferLink* sized =
        new FileTransferLink(m_panel, wxID_ANY, "Open", wxPoint(60, 90), wxSize(200, 40));
    EXPECT_EQ(sized->GetSize(), sized->GetTextExtent("Open"));
}

TEST_F(FileTransferLinkTest, EnabledLinkHoversAndReportsPressesToItsParent)
{
    PointAt(m_link);
    EXPECT_EQ(m_link->GetForegroundColour(), wxColour("RED"));
    EXPECT_TRUE(m_link->GetCursor().IsOk());
    m_sim.MouseClick();
    ASSERT_TRUE(WaitUntil([&] { return m_presses == 1; }));

    PointAt(m_panel);
    EXPECT_EQ(m_link->GetForegroundColour(), wxColour(0, 0, 160));
}

TEST_F(FileTransferLinkTest, DisabledLinkIgnoresPressesButItsWindowStaysEnabled)
{
    EXPECT_TRUE(m_link->Enable(false));
    EXPECT_FALSE(m_link->IsLinkEnabled());
    EXPECT_TRUE(m_link->IsEnabled());
    EXPECT_EQ(m_link->GetForegroundColour(), wxColour(150, 150, 150));
    EXPECT_FALSE(m_link->GetHoverCursor().IsOk());

    PointAt(m_link);
    EXPECT_EQ(m_link->GetForegroundColour(), wxColour(150, 150, 150));
    EXPECT_FALSE(m_link->GetCursor().IsOk());
    m_sim.MouseClick();
    Pump(100);
    EXPECT_EQ(m_presses, 0);

    // Enabling again gives the hand and the enabled colour at once.
    m_link->Enable(true);
    Pump(DoubleClickPause);
    EXPECT_EQ(m_link->GetForegroundColour(), wxColour(0, 0, 160));
    EXPECT_TRUE(m_link->GetHoverCursor().IsOk());
    m_sim.MouseClick();
    EXPECT_TRUE(WaitUntil([&] { return m_presses == 1; }));
}

TEST_F(FileTransferLinkTest, NormalAndVisitedColoursApplyOnlyInTheirState)
{
    m_link->SetVisitedColour(*wxGREEN);
    EXPECT_EQ(m_link->GetForegroundColour(), wxColour("BLUE"));
    m_link->SetNormalColour(*wxBLACK);
    EXPECT_EQ(m_link->GetForegroundColour(), *wxBLACK);
    m_link->SetVisited(true);
    m_link->SetNormalColour(*wxRED);
    EXPECT_EQ(m_link->GetForegroundColour(), *wxBLACK);
    m_link->SetVisitedColour(*wxGREEN);
    EXPECT_EQ(m_link->GetForegroundColour(), *wxGREEN);
}

TEST_F(FileTransferLinkTest, XrcCreatesALinkWithoutEnabledColour)
{
    wxObject* object = LoadFromXrc(
        "<object class=\"FileTransferLink\" name=\"cancel\"><label>Cancel</label></object>", "cancel");
    FileTransferLink* link = dynamic_cast<FileTransferLink*>(object);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->GetLabel(), "Cancel");
    EXPECT_TRUE(link->IsLinkEnabled());
    EXPECT_FALSE(link->GetEnabledColour().IsOk());
}

namespace
{
// Answers message boxes instead of showing them, remembering their texts.
class MessageBoxCatcher : public wxModalDialogHook
{
public:
    MessageBoxCatcher() { Register(); }
    ~MessageBoxCatcher() override { Unregister(); }

    std::vector<wxString> messages;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (wxMessageDialogBase* box = dynamic_cast<wxMessageDialogBase*>(dialog))
            messages.push_back(box->GetMessage());
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}
};

GtkWidget* FindChooserDialog()
{
    GList* windows = gtk_window_list_toplevels();
    GtkWidget* found = nullptr;
    for (GList* item = windows; item; item = item->next)
        if (GTK_IS_APP_CHOOSER_DIALOG(item->data) && gtk_widget_get_visible(GTK_WIDGET(item->data)))
            found = GTK_WIDGET(item->data);
    g_list_free(windows);
    return found;
}
} // namespace

class DoOpenFileTest : public TempCwdTest
{
protected:
    static void SetUpTestSuite()
    {
        static const wxFileTypeInfo types[] = {
            wxFileTypeInfo("application/x-kel-opens", "touch %s.opened", "", "opens", "kelopens", nullptr),
            wxFileTypeInfo("application/x-kel-fails", "/nonexistent/kelctrls-viewer %s", "", "fails",
                           "kelfails", nullptr),
            wxFileTypeInfo(),
        };
        wxTheMimeTypesManager->AddFallbacks(types);
    }
};

TEST_F(DoOpenFileTest, StartsTheAssociatedProgramAndTellsTheParentWhenItEnds)
{
    WriteFile("report.kelopens", "data");
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "owner");
    int ended = 0;
    frame->Bind(wxEVT_END_PROCESS,
                [&](wxProcessEvent& e)
                {
                    EXPECT_EQ(e.GetExitCode(), 0);
                    ++ended;
                });
    MessageBoxCatcher boxes;

    DoOpenFile(PathOf("report.kelopens"), frame);
    EXPECT_TRUE(WaitUntil([&] { return wxFileExists(PathOf("report.kelopens.opened")); }));
    EXPECT_TRUE(WaitUntil([&] { return ended == 1; }));
    EXPECT_TRUE(boxes.messages.empty());
    frame->Destroy();
}

TEST_F(DoOpenFileTest, ProgramThatCannotStartIsReportedOnce)
{
    WriteFile("movie.kelfails", "data");
    MessageBoxCatcher boxes;
    DoOpenFile(PathOf("movie.kelfails"), nullptr);
    Pump(200);
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0], "Fail to open file");
}

TEST_F(DoOpenFileTest, FileWithoutAssociationOffersTheChoiceOfProgram)
{
    WriteFile("notes.kelunknown", "data");
    MessageBoxCatcher boxes;
    DoOpenFile(PathOf("notes.kelunknown"), nullptr);
    ASSERT_TRUE(WaitUntil([] { return FindChooserDialog() != nullptr; }));
    gtk_dialog_response(GTK_DIALOG(FindChooserDialog()), GTK_RESPONSE_CANCEL);
    EXPECT_TRUE(WaitUntil([] { return FindChooserDialog() == nullptr; }));
    EXPECT_TRUE(boxes.messages.empty());
}
