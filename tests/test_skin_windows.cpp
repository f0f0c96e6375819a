#include "testsupport.h"

#include <kelctrls/platform/skinengine.h>
#include <kelctrls/skin.h>

using kel::test::TempCwdTest;

namespace
{

class WindowBasesTest : public TempCwdTest
{
protected:
    void SetUp() override
    {
        TempCwdTest::SetUp();
        wxImage icon(16, 16);
        icon.SetRGB(wxRect(0, 0, 16, 16), 0, 0, 255);
        ASSERT_TRUE(icon.SaveFile(PathOf("task.ico"), wxBITMAP_TYPE_ICO));
        WriteFile("skin.xml", "<resource><colours><c id='color_win_bk' value='#EAF3FB'/></colours>"
                              "<icons><i id='ico_taskbar_online' path='task.ico'/></icons></resource>");
        ASSERT_TRUE(KelSkinResource::GetInstance()->LoadResource(PathOf("skin.xml")));
    }

    void TearDown() override
    {
        KelSkinResource::GetInstance()->Release();
        TempCwdTest::TearDown();
    }
};

TEST_F(WindowBasesTest, TakeTheSkinWindowColourAtCreation)
{
    const wxColour skinColour(0xEA, 0xF3, 0xFB);
    KelFrameBase* frame = new KelFrameBase(nullptr, wxID_ANY, "frame");
    KelDialogBase* dialog = new KelDialogBase(frame, wxID_ANY, "dialog");
    KelPanelBase* panel = new KelPanelBase(frame);
    EXPECT_EQ(frame->GetBackgroundColour(), skinColour);
    EXPECT_EQ(dialog->GetBackgroundColour(), skinColour);
    EXPECT_EQ(panel->GetBackgroundColour(), skinColour);

    // Read once: a later skin does not repaint existing windows.
    KelSkinResource::GetInstance()->Release();
    KelFrameBase* unskinned = new KelFrameBase;
    ASSERT_TRUE(unskinned->Create(nullptr, wxID_ANY, "plain"));
    EXPECT_EQ(unskinned->GetBackgroundColour(), wxColour(0, 0, 0));
    EXPECT_EQ(frame->GetBackgroundColour(), skinColour);

    dialog->Destroy();
    frame->Destroy();
    unskinned->Destroy();
    kel::test::Pump();
}

TEST_F(WindowBasesTest, PanelIsPaintedInTheSkinColour)
{
    KelFrameBase* frame = new KelFrameBase(nullptr, wxID_ANY, "frame", wxPoint(50, 50), wxSize(200, 150));
    KelPanelBase* panel = new KelPanelBase(frame);
    kel::test::ShowAndWait(frame);
    const wxImage shot = kel::test::CaptureWindow(panel);
    EXPECT_EQ(kel::test::PixelAt(shot, shot.GetWidth() / 2, shot.GetHeight() / 2),
              wxColour(0xEA, 0xF3, 0xFB));
    frame->Destroy();
    kel::test::Pump();
}

TEST_F(WindowBasesTest, CustomFrameAttachesItselfAndItsStatusBar)
{
    SkinWindowEngine* engine = SkinWindowEngine::Get();

    wxObject* created = wxCreateDynamicObject("KelCustomFrame");
    ASSERT_NE(dynamic_cast<KelCustomFrame*>(created), nullptr);
    KelCustomFrame* bare = static_cast<KelCustomFrame*>(created);
    ASSERT_TRUE(bare->Create(nullptr, wxID_ANY, "bare"));
    bare->Attach();
    EXPECT_EQ(engine->GetSkinName(bare), "Main_Frame");
    EXPECT_EQ(engine->GetKind(bare), SKIN_KIND_FRAME);

    KelCustomFrame* withStatus = new KelCustomFrame(nullptr, wxID_ANY, "status");
    wxStatusBar* status = withStatus->CreateStatusBar();
    withStatus->Attach();
    EXPECT_EQ(engine->GetKind(status), SKIN_KIND_STATUSBAR);
    EXPECT_EQ(engine->GetSkinName(status), "Main_Frame");

    const size_t attached = engine->GetAttachedCount();
    bare->Destroy();
    withStatus->Destroy();
    kel::test::Pump();
    EXPECT_EQ(engine->GetAttachedCount(), attached - 3);
    EXPECT_FALSE(engine->IsAttached(status));
}

TEST_F(WindowBasesTest, RendererHidesCaptionButtonsAndForgetsItsPanel)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "renderer", wxPoint(0, 0), wxSize(200, 120));
    wxPanel* panel = new wxPanel(frame);
    {
        BitmapPanelRenderer renderer;
        EXPECT_EQ(renderer.GetSkinButton(SKIN_BUTTON_CLOSE), nullptr);
        renderer.BindPanel(panel, "KelMessageBox_Panel", SKIN_KIND_PANEL);
        for (int id = SKIN_BUTTON_MINIMIZE; id <= SKIN_BUTTON_CLOSE; ++id)
        {
            SkinButton* button = renderer.GetSkinButton(id);
            ASSERT_NE(button, nullptr);
            button->Show(false);
            EXPECT_FALSE(button->IsShown());
        }
        EXPECT_EQ(renderer.GetSkinButton(999), nullptr);
        kel::test::ShowAndWait(frame);
        panel->Destroy();
        EXPECT_EQ(renderer.GetPanel(), nullptr);
    }
    frame->Destroy();
    kel::test::Pump();
}

// ---------------------------------------------------------------------------
// KelWindowManager
// ---------------------------------------------------------------------------

class VetoingFrame : public wxFrame
{
public:
    VetoingFrame() : wxFrame(nullptr, wxID_ANY, "veto")
    {
        Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& e) { e.Veto(); });
    }
};

TEST_F(WindowBasesTest, ManagerRegistersTopLevelWindowsOnceWithTheTaskbarIcon)
{
    KelWindowManager* manager = KelWindowManager::Get();
    ASSERT_EQ(manager, KelWindowManager::Get());

    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "top");
    wxPanel* child = new wxPanel(frame);
    manager->Register(child);
    manager->Register(nullptr);
    EXPECT_FALSE(manager->IsRegistered(child));

    manager->Register(frame);
    EXPECT_TRUE(manager->IsRegistered(frame));
    ASSERT_EQ(frame->GetIcons().GetIconCount(), 1u);
    EXPECT_EQ(frame->GetIcons().GetIconByIndex(0).GetWidth(), 16);

    frame->SetIcons(wxIconBundle());
    manager->Register(frame);
    EXPECT_EQ(frame->GetIcons().GetIconCount(), 0u);
    EXPECT_EQ(manager->GetWindows().GetCount(), 1u);

    // Destroying the window is enough to leave the list.
    frame->Destroy();
    kel::test::Pump();
    EXPECT_TRUE(manager->GetWindows().IsEmpty());
}

TEST_F(WindowBasesTest, CloseAllEmptiesTheListEvenWhenAWindowVetoes)
{
    KelWindowManager* manager = KelWindowManager::Get();
    wxFrame* first = new wxFrame(nullptr, wxID_ANY, "first");
    VetoingFrame* stubborn = new VetoingFrame;
    wxFrame* last = new wxFrame(nullptr, wxID_ANY, "last");
    bool firstClosed = false, lastClosed = false;
    first->Bind(wxEVT_DESTROY,
                [&](wxWindowDestroyEvent& e)
                {
                    firstClosed = true;
                    e.Skip();
                });
    last->Bind(wxEVT_DESTROY,
               [&](wxWindowDestroyEvent& e)
               {
                   lastClosed = true;
                   e.Skip();
               });
    manager->Register(first);
    manager->Register(stubborn);
    manager->Register(last);

    manager->CloseAll();
    kel::test::Pump();
    EXPECT_TRUE(firstClosed);
    EXPECT_TRUE(lastClosed);
    EXPECT_TRUE(manager->GetWindows().IsEmpty());
    EXPECT_FALSE(stubborn->IsBeingDeleted());

    // Its later destruction finds nothing to remove.
    stubborn->Destroy();
    kel::test::Pump();
    EXPECT_TRUE(manager->GetWindows().IsEmpty());
}

} // anonymous namespace
