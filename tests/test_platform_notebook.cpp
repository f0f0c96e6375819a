// The page extension registry and the chat notebook's attention marks.
#include "support/testsupport.h"

#include <kelctrls/platform/notebookext.h>

#include <gtest/gtest.h>

#include <wx/frame.h>

using namespace kel::test;

namespace
{

class ChatNotebookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "chat", wxDefaultPosition, wxSize(400, 300));
        m_book = new KAuiNotebook(m_frame);
        for (const char* peer : {"alice", "bob", "carol"})
            m_book->AddPage(new wxWindow(m_book, wxID_ANY), peer);
        m_book->SetSelection(0);
        ShowAndWait(m_frame);
    }

    void TearDown() override
    {
        m_frame->Destroy();
        Pump();
    }

    KAuiNotebookPageExtend* Extend(size_t page) const
    {
        return Registry()->GetPageExtend(m_book->GetPage(page));
    }

    static KAuiNotebookPageExtendContainer* Registry()
    {
        return KAuiNotebookPageExtendContainer::GetInstance();
    }

    wxFrame* m_frame = nullptr;
    KAuiNotebook* m_book = nullptr;
};

} // namespace

TEST(PageExtendContainer, OneExtensionPerWindowForgottenWithTheWindow)
{
    KAuiNotebookPageExtendContainer* registry = KAuiNotebookPageExtendContainer::GetInstance();
    EXPECT_EQ(registry, KAuiNotebookPageExtendContainer::GetInstance());
    EXPECT_EQ(nullptr, registry->GetPageExtend(nullptr));
    EXPECT_EQ(nullptr, registry->AddPageExtend(nullptr));

    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "x");
    wxWindow* page = new wxWindow(frame, wxID_ANY);
    const size_t before = registry->GetCount();

    KAuiNotebookPageExtend* extend = registry->AddPageExtend(page);
    ASSERT_TRUE(extend);
    EXPECT_EQ(page, extend->GetPage());
    EXPECT_FALSE(extend->NeedAttention());
    EXPECT_FALSE(extend->IsBlinkOn());
    EXPECT_EQ(extend, registry->AddPageExtend(page));
    EXPECT_EQ(extend, registry->GetPageExtend(page));
    EXPECT_EQ(before + 1, registry->GetCount());

    page->Destroy();
    EXPECT_EQ(nullptr, registry->GetPageExtend(page));
    EXPECT_EQ(before, registry->GetCount());
    frame->Destroy();
    Pump();
}

TEST_F(ChatNotebookTest, MarkBlinksUntilThePageIsShown)
{
    EXPECT_EQ(nullptr, Extend(1));
    m_book->SetPageAttention(1, true);
    ASSERT_TRUE(Extend(1));
    EXPECT_TRUE(m_book->HasPageAttention(1));
    EXPECT_TRUE(Extend(1)->IsBlinkOn());
    EXPECT_TRUE(m_book->IsBlinking());

    m_book->Blink();
    EXPECT_FALSE(Extend(1)->IsBlinkOn());
    EXPECT_TRUE(Extend(1)->NeedAttention());
    m_book->Blink();
    EXPECT_TRUE(Extend(1)->IsBlinkOn());

    m_book->SetSelection(1);
    Pump();
    EXPECT_FALSE(m_book->HasPageAttention(1));
    EXPECT_FALSE(Extend(1)->IsBlinkOn());
    EXPECT_FALSE(m_book->IsBlinking());
}

TEST_F(ChatNotebookTest, TimerDrivesTheBlinkPhase)
{
    // Longer than a repaint of the tabs even in a slow (sanitized) build: a
    // shorter period can flip the phase twice within one round of events and
    // hide every change from the checks.
    m_book->SetBlinkInterval(250);
    m_book->SetPageAttention(2, true);
    EXPECT_TRUE(WaitUntil([&] { return !Extend(2)->IsBlinkOn(); }));
    EXPECT_TRUE(WaitUntil([&] { return Extend(2)->IsBlinkOn(); }));
}

TEST_F(ChatNotebookTest, SelectedPageIsNotMarkedAndMarksAreIndependent)
{
    m_book->SetPageAttention(0, true);
    EXPECT_FALSE(m_book->HasPageAttention(0));
    EXPECT_FALSE(m_book->IsBlinking());

    m_book->SetPageAttention(1, true);
    m_book->SetPageAttention(2, true);
    m_book->SetPageAttention(1, false);
    EXPECT_FALSE(m_book->HasPageAttention(1));
    EXPECT_TRUE(m_book->IsBlinking());
    m_book->SetPageAttention(2, false);
    EXPECT_FALSE(m_book->IsBlinking());

    // Out-of-range pages are ignored.
    m_book->SetPageAttention(17, true);
    EXPECT_FALSE(m_book->HasPageAttention(17));
}

TEST_F(ChatNotebookTest, ClosedPageTakesItsMarkAlong)
{
    m_book->SetPageAttention(2, true);
    const wxWindow* page = m_book->GetPage(2);
    m_book->DeletePage(2);
    Pump();
    EXPECT_EQ(nullptr, Registry()->GetPageExtend(page));
    m_book->Blink();
    EXPECT_FALSE(m_book->IsBlinking());
}
