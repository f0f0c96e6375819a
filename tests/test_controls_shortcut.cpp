// The shortcut bar: order, layout, scrolling, clicks and collapsing.
#include "support/testsupport.h"

#include <kelctrls/controls.h>
#include <kelctrls/controls/shortcut.h>

#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>

#include <memory>
#include <vector>

using namespace kel::test;

namespace
{

void WriteTextFile(const wxString& path, const wxString& text)
{
    wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFFile file(path, "w");
    file.Write(text);
}

// The shortcut configuration is read once per process, on first use: give it
// a file before any test asks.
class ShortcutConfiguration : public ::testing::Environment
{
public:
    void SetUp() override
    {
        const wxString previous = wxGetCwd();
        m_dir = wxFileName::CreateTempFileName("kelshortcut");
        wxRemoveFile(m_dir);
        wxFileName::Mkdir(m_dir, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        wxSetWorkingDirectory(m_dir);
        WriteTextFile("config/shortcut.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><shortcuts>"
                                             "<shortcutprop key=\"mail\" index=\"2\"/>"
                                             "<shortcutprop key=\"sms\" index=\"0\"/>"
                                             "<shortcutprop key=\"Notes\" index=\"1\"/>"
                                             "</shortcuts>");
        KelTabManager::GetInstance();
        wxSetWorkingDirectory(previous);
    }

    void TearDown() override { wxFileName::Rmdir(m_dir, wxPATH_RMDIR_RECURSIVE); }

private:
    wxString m_dir;
};

::testing::Environment* const g_configuration =
    ::testing::AddGlobalTestEnvironment(new ShortcutConfiguration);

struct Received
{
    int id;
    wxString key;
    const KEL_SHORTCUT_ITEM* item;
    bool itemClicked;
    bool captionClicked;
    wxObject* object;
};

class ShortcutBarTest : public TempCwdTest
{
protected:
    void SetUp() override
    {
        TempCwdTest::SetUp();
        m_frame = new wxFrame(nullptr, wxID_ANY, "shortcuts", wxPoint(0, 0), wxSize(300, 300));
        m_bar = new KelMainShortCut(m_frame, 42, wxPoint(0, 0), wxSize(180, 120));
        m_frame->Bind(wxEVT_SHORTCUT_BUTTON_CLICKED,
                      [this](KelShortCutEvent& event)
                      {
                          m_received.push_back({event.GetClickedId(), event.GetClickedKey(),
                                                event.GetClickedItem(), event.IsItemClicked(),
                                                event.IsCaptionClicked(), event.GetEventObject()});
                      });
        ShowAndWait(m_frame);
    }

    void TearDown() override
    {
        m_frame->Destroy();
        Pump();
        TempCwdTest::TearDown();
    }

    void ClickOn(wxWindow* window)
    {
        const size_t before = m_received.size();
        ClickAt(window, wxPoint(25, 6));
        WaitUntil([&] { return m_received.size() > before; });
        Pump();
    }

    wxFrame* m_frame = nullptr;
    KelMainShortCut* m_bar = nullptr;
    std::vector<Received> m_received;
};

} // namespace

TEST_F(ShortcutBarTest, ShortcutsAreListedByPositionTwentyPixelsApart)
{
    KelShortCutPanel* panel = m_bar->GetPanel();
    EXPECT_EQ(1000, m_bar->CreateShortCut("c", 2, "Third", wxNullBitmap));
    EXPECT_EQ(1001, m_bar->CreateShortCut("a", 0, "First", wxNullBitmap));
    EXPECT_EQ(1002, m_bar->CreateShortCut("b", 1, "Second", wxNullBitmap));
    Pump();

    const int width = panel->GetClientSize().x;
    const char* const order[] = {"a", "b", "c"};
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_EQ(order[i], panel->GetShortCut(i)->key);
        const wxRect rect = panel->GetShortCutLink(order[i])->GetRect();
        EXPECT_EQ(wxRect(10, 20 * i, width - 5, 20), rect) << order[i];
    }
    EXPECT_TRUE(panel->IsExistShortCut("b"));
    EXPECT_FALSE(panel->IsExistShortCut("B"));
    EXPECT_EQ(nullptr, panel->GetShortCut(3));
}

TEST_F(ShortcutBarTest, SameKeyReplacesTheShortcutWithANewId)
{
    KelShortCutPanel* panel = m_bar->GetPanel();
    m_bar->CreateShortCut("mail", 0, "Mail", wxNullBitmap);
    const long id = m_bar->CreateShortCut("mail", 3, "Mailbox", wxNullBitmap);
    Pump();
    EXPECT_EQ(1001, id);
    ASSERT_EQ(1u, panel->GetShortCutCount());
    EXPECT_EQ("Mailbox", panel->GetShortCut(0)->label);
    EXPECT_EQ(3, panel->GetShortCut(0)->index);
    EXPECT_EQ(nullptr, panel->FindWindow(1000));
    EXPECT_EQ(panel->GetShortCutLink("mail"), panel->FindWindow(1001));
}

TEST_F(ShortcutBarTest, PanelScrollsInFivePixelUnits)
{
    KelShortCutPanel* panel = m_bar->GetPanel();
    m_bar->SetSize(180, 20 + 100);
    for (int i = 0; i < 5; ++i)
        m_bar->CreateShortCut(wxString::Format("k%d", i), i, "Item", wxNullBitmap);
    Pump();
    ASSERT_EQ(100, panel->GetClientSize().y);
    int xUnit, yUnit;
    panel->GetScrollPixelsPerUnit(&xUnit, &yUnit);
    EXPECT_EQ(0, yUnit);

    m_bar->CreateShortCut("k5", 5, "Item", wxNullBitmap);
    panel->SendSizeEvent();
    Pump();
    panel->GetScrollPixelsPerUnit(&xUnit, &yUnit);
    EXPECT_EQ(0, xUnit);
    EXPECT_EQ(5, yUnit);
    EXPECT_EQ(120, panel->GetVirtualSize().y);

    // A new size starts the list from the top again.
    panel->Scroll(0, 4);
    Pump();
    ASSERT_EQ(wxPoint(0, 4), panel->GetViewStart());
    m_bar->SetSize(170, 20 + 90);
    Pump();
    EXPECT_EQ(wxPoint(0, 0), panel->GetViewStart());
    EXPECT_EQ(wxRect(10, 0, panel->GetClientSize().x - 5, 20), panel->GetShortCutLink("k0")->GetRect());
    EXPECT_EQ(wxRect(10, 100, panel->GetClientSize().x - 5, 20), panel->GetShortCutLink("k5")->GetRect());
}

TEST_F(ShortcutBarTest, CaptionTakesTwentyPixelsAndThePanelTheRest)
{
    m_bar->SetSize(150, 200);
    Pump();
    EXPECT_EQ(wxRect(0, 20, 150, 180), m_bar->GetPanel()->GetRect());
    EXPECT_EQ(wxSize(150, 20), m_bar->GetMoreLink()->GetParent()->GetSize());
    EXPECT_EQ(20, m_bar->GetCaptionHeight());
}

TEST_F(ShortcutBarTest, LoadFileTakesPositionsFromTheConfiguration)
{
    wxImage icon(16, 16);
    icon.SetRGB(wxRect(0, 0, 16, 16), 0, 128, 0);
    ASSERT_TRUE(icon.SaveFile("mail.bmp", wxBITMAP_TYPE_BMP));
    WriteFile("bar.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><bar>"
                         "<item key=\"mail\" label=\"Mail\" bitmap=\"mail.bmp\"/>"
                         "<!-- a comment is skipped -->"
                         "<item key=\"notes\" label=\"Notes\"/>"
                         "<item key=\"sms\" label=\"Text message\"/>"
                         "<item key=\"weather\" label=\"Weather\"/>"
                         "</bar>");
    ASSERT_TRUE(m_bar->LoadFile("bar.xml"));

    KelShortCutPanel* panel = m_bar->GetPanel();
    ASSERT_EQ(4u, panel->GetShortCutCount());
    const char* const order[] = {"weather", "sms", "notes", "mail"};
    const long positions[] = {-1, 0, 1, 2};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(order[i], panel->GetShortCut(i)->key);
        EXPECT_EQ(positions[i], panel->GetShortCut(i)->index);
    }
    EXPECT_EQ(1000, panel->GetShortCut(3)->id);
    EXPECT_EQ(wxSize(16, 16), panel->GetShortCut(3)->bitmap.GetSize());
    EXPECT_FALSE(panel->GetShortCut(0)->bitmap.IsOk());
}

TEST_F(ShortcutBarTest, ALongFileIsPlacedWholeOnceRead)
{
    // Every key appears twice: the second entry replaces the first.
    const int count = 400;
    wxString xml = "<bar>";
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < count; ++i)
            xml += wxString::Format("<item key=\"k%d\" label=\"Item %d\"/>", i, round);
    WriteFile("long.xml", xml + "</bar>");
    m_bar->SetSize(180, 20 + 100);
    ASSERT_TRUE(m_bar->LoadFile("long.xml"));
    KelShortCutPanel* panel = m_bar->GetPanel();
    EXPECT_FALSE(panel->IsFrozen());
    Pump();

    ASSERT_EQ(size_t(count), panel->GetShortCutCount());
    const int width = panel->GetClientSize().x;
    for (int i : {0, 1, count - 1})
    {
        const KEL_SHORTCUT_ITEM* item = panel->GetShortCut(i);
        EXPECT_EQ(wxString::Format("k%d", i), item->key);
        EXPECT_EQ("Item 1", item->label);
        EXPECT_EQ(wxRect(10, 20 * i, width - 5, 20), panel->GetShortCutLink(item->key)->GetRect());
    }
    EXPECT_EQ(20 * count, panel->GetVirtualSize().y);
}

TEST_F(ShortcutBarTest, BrokenFilesAddNothing)
{
    WriteFile("broken.xml", "<bar><item key=\"x\"");
    EXPECT_FALSE(m_bar->LoadFile("broken.xml"));
    EXPECT_FALSE(m_bar->LoadFile("missing.xml"));
    EXPECT_EQ(0u, m_bar->GetPanel()->GetShortCutCount());
}

TEST_F(ShortcutBarTest, ClickingAShortcutSendsOneItemEvent)
{
    m_bar->CreateShortCut("first", 0, "First", wxNullBitmap);
    m_bar->CreateShortCut("second", 1, "Second", wxNullBitmap);
    Pump();
    ClickOn(m_bar->GetPanel()->GetShortCutLink("second"));

    ASSERT_EQ(1u, m_received.size());
    const Received& got = m_received[0];
    EXPECT_TRUE(got.itemClicked);
    EXPECT_FALSE(got.captionClicked);
    EXPECT_EQ("second", got.key);
    EXPECT_EQ(1001, got.id);
    EXPECT_EQ(m_bar->GetPanel()->GetShortCut(1), got.item);
    EXPECT_EQ(m_bar->GetPanel(), got.object);
    EXPECT_FALSE(m_bar->IsCollapsed());
}

TEST_F(ShortcutBarTest, CaptionClickTogglesThePanel)
{
    ClickOn(m_bar->GetMoreLink());
    ASSERT_EQ(1u, m_received.size());
    EXPECT_TRUE(m_received[0].captionClicked);
    EXPECT_FALSE(m_received[0].itemClicked);
    EXPECT_EQ(nullptr, m_received[0].item);
    EXPECT_EQ(m_bar, m_received[0].object);
    EXPECT_TRUE(m_bar->IsCollapsed());

    ClickOn(m_bar->GetMoreLink());
    ASSERT_EQ(2u, m_received.size());
    EXPECT_FALSE(m_bar->IsCollapsed());

    m_bar->Collapse();
    EXPECT_TRUE(m_bar->IsCollapsed());
    m_bar->Expand();
    EXPECT_FALSE(m_bar->IsCollapsed());
}

TEST(ShortcutEvent, FlagsExcludeEachOtherAndClonesKeepTheClass)
{
    KelShortCutEvent event(wxEVT_SHORTCUT_BUTTON_CLICKED, 9);
    EXPECT_FALSE(event.IsItemClicked() || event.IsCaptionClicked() || event.Collapsed());
    EXPECT_TRUE(event.Expanded());
    event.SetItemClicked(true);
    event.SetCaptionClicked(true);
    EXPECT_FALSE(event.IsItemClicked());
    event.SetItemClicked(true);
    EXPECT_FALSE(event.IsCaptionClicked());
    event.SetClicketKey("mail");

    // The copy is the compiler's; the clone must be of this class.
    std::unique_ptr<wxEvent> clone(event.Clone());
    KelShortCutEvent* copy = dynamic_cast<KelShortCutEvent*>(clone.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ("mail", copy->GetClickedKey());

    std::unique_ptr<wxObject> byName(wxCreateDynamicObject("KelShortCutEvent"));
    EXPECT_TRUE(dynamic_cast<KelShortCutEvent*>(byName.get()));
}
