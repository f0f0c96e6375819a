// The smaller dialogs: message box, progress dialog, tips, the file-open
// prompt and the change password dialog.
#include <kelctrls/dialogs.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/platform/skinengine.h>
#include <kelctrls/skin.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <deque>
#include <functional>

using namespace kel::test;

namespace
{

// Stands in for the user at modal dialogs: message boxes get the queued
// answers (and their texts are kept); other dialogs are shown, and `onShow`
// runs inside their modal loop.
class ModalUser : public wxModalDialogHook
{
public:
    ModalUser() { Register(); }

    std::deque<int> answers;
    wxArrayString messages;
    std::function<void(wxDialog*)> onShow;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (wxMessageDialog* message = dynamic_cast<wxMessageDialog*>(dialog))
        {
            messages.Add(message->GetMessage());
            const int answer = answers.empty() ? wxID_OK : answers.front();
            if (!answers.empty())
                answers.pop_front();
            return answer;
        }
        if (onShow)
        {
            std::function<void(wxDialog*)> action = onShow;
            dialog->CallAfter([action, dialog] { action(dialog); });
        }
        return wxID_NONE;
    }
};

template <class T>
T* FindTopLevel()
{
    for (wxWindow* win : wxTopLevelWindows)
    {
        if (T* found = dynamic_cast<T*>(win))
        {
            if (!wxPendingDelete.Member(found))
                return found;
        }
    }
    return nullptr;
}

wxString FindLabelContaining(wxWindow* parent, const wxString& text)
{
    for (wxWindow* child : parent->GetChildren())
    {
        if (dynamic_cast<wxStaticText*>(child) && child->GetLabel().Contains(text))
            return child->GetLabel();
        const wxString inner = FindLabelContaining(child, text);
        if (!inner.empty())
            return inner;
    }
    return wxString();
}

class BoxesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_main = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(50, 50), wxSize(400, 300));
        ShowAndWait(m_main);
    }

    void TearDown() override
    {
        m_main->Destroy();
        Pump();
    }

    wxFrame* m_main = nullptr;
};

} // anonymous namespace

// ----------------------------------------------------------------------------
// Message box
// ----------------------------------------------------------------------------

TEST_F(BoxesTest, MessageBoxBlocksTheApplicationUntilAnswered)
{
    KelMessageBox(m_main, "The file could not be sent.", "Transfer", KelMessageBox_OKCancel,
                  KelMessageBox_IconWarning);
    KelMessageBoxFrame* box = FindTopLevel<KelMessageBoxFrame>();
    ASSERT_TRUE(box);
    ShowAndWait(box);

    EXPECT_EQ("Transfer", box->GetTitle());
    EXPECT_TRUE(box->IsShown());
    EXPECT_TRUE(box->HasFlag(wxSTAY_ON_TOP));
    EXPECT_FALSE(m_main->IsEnabled());
    EXPECT_EQ("KelMessageBox_Dlg", SkinWindowEngine::Get()->GetSkinName(box));
    EXPECT_EQ(2, SkinWindowEngine::Get()->GetKind(box));
    EXPECT_EQ("The file could not be sent.", FindLabelContaining(box, "could not be sent"));

    wxWindow* ok = box->FindWindow(KelMessageBoxFrame::ID_BUTTON_OK);
    wxWindow* cancel = box->FindWindow(KelMessageBoxFrame::ID_BUTTON_CANCEL);
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ("OK", ok->GetLabel());
    EXPECT_EQ("Cancel", cancel->GetLabel());
    EXPECT_FALSE(box->FindWindow(KelMessageBoxFrame::ID_BUTTON_NO));

    // Button 1001 answers OK; the window goes at the next idle time.
    wxCommandEvent click(wxEVT_BUTTON, KelMessageBoxFrame::ID_BUTTON_OK);
    click.SetEventObject(ok);
    ok->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(wxID_OK, box->GetResult());
    EXPECT_TRUE(m_main->IsEnabled());
    Pump();
    EXPECT_FALSE(FindTopLevel<KelMessageBoxFrame>());
}

TEST_F(BoxesTest, EveryButtonClosesTheMessageBox)
{
    KelMessageBox("Delete the group?", "Contacts", KelMessageBox_YesNoCancel, KelMessageBox_IconQuestion);
    KelMessageBoxFrame* box = FindTopLevel<KelMessageBoxFrame>();
    ASSERT_TRUE(box);
    EXPECT_EQ(nullptr, box->GetParent());
    ShowAndWait(box);
    EXPECT_EQ("Yes", box->FindWindow(KelMessageBoxFrame::ID_BUTTON_OK)->GetLabel());
    EXPECT_EQ("No", box->FindWindow(KelMessageBoxFrame::ID_BUTTON_NO)->GetLabel());

    wxWeakRef<KelMessageBoxFrame> watched(box);
    wxWindow* no = box->FindWindow(KelMessageBoxFrame::ID_BUTTON_NO);
    ClickAt(no, wxPoint(no->GetSize().x / 2, no->GetSize().y / 2));
    EXPECT_TRUE(WaitUntil([&] { return !watched; }));
    EXPECT_TRUE(m_main->IsEnabled());

    // Closing from the title bar also gives the application back.
    KelMessageBox(m_main, "Bye", "Closing", KelMessageBox_OK, KelMessageBox_IconNone);
    box = FindTopLevel<KelMessageBoxFrame>();
    ASSERT_TRUE(box);
    watched = box;
    box->Close();
    EXPECT_TRUE(m_main->IsEnabled());
    EXPECT_TRUE(WaitUntil([&] { return !watched; }));
}

// ----------------------------------------------------------------------------
// Progress dialog
// ----------------------------------------------------------------------------

TEST_F(BoxesTest, ProgressDialogRemembersCancel)
{
    KelProgressDialog* progress =
        new KelProgressDialog("Sending", "report.txt", 100, m_main, wxPD_CAN_ABORT | wxPD_APP_MODAL);
    EXPECT_TRUE(progress->IsKindOf(wxCLASSINFO(wxProgressDialog)));
    EXPECT_EQ(wxString("KelProgressDialog"), progress->GetClassInfo()->GetClassName());
    EXPECT_EQ(1, progress->ShowModal()) << "returns at once";
    EXPECT_TRUE(progress->IsShown());
    EXPECT_TRUE(progress->Update(40));
    EXPECT_FALSE(progress->IsFailure());

    wxWeakRef<KelProgressDialog> watched(progress);
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    cancel.SetEventObject(progress->FindWindow(wxID_CANCEL));
    progress->ProcessWindowEvent(cancel);
    EXPECT_TRUE(progress->IsFailure());
    EXPECT_TRUE(progress->WasCancelled());
    EXPECT_TRUE(WaitUntil([&] { return !watched; }));
}

TEST_F(BoxesTest, ClosingTheProgressDialogCountsAsFailure)
{
    KelProgressDialog* progress = new KelProgressDialog("Receiving", "photo.jpg", 10, m_main, wxPD_CAN_ABORT);
    progress->ShowModal();
    wxWeakRef<KelProgressDialog> watched(progress);
    wxCloseEvent close(wxEVT_CLOSE_WINDOW, progress->GetId());
    close.SetEventObject(progress);
    progress->ProcessWindowEvent(close);
    EXPECT_TRUE(progress->IsFailure());
    EXPECT_TRUE(WaitUntil([&] { return !watched; }));
}

// ----------------------------------------------------------------------------
// Tips
// ----------------------------------------------------------------------------

class TipsTest : public TempCwdTest
{
};

TEST_F(TipsTest, TipFileSkipsCommentsAndWraps)
{
    WriteFile("tips.txt", "# tips of the day\n"
                          "First tip\n"
                          "\n"
                          "   \n"
                          "# another comment\n"
                          "Second tip\n");
    KFileTipProvider tips(PathOf("tips.txt"), 0);
    EXPECT_EQ("First tip", tips.GetTip());
    EXPECT_EQ("Second tip", tips.GetTip());
    EXPECT_EQ("First tip", tips.GetTip()) << "wraps from the last line to the first";
    EXPECT_EQ("", tips.GetPreTip());

    KFileTipProvider fromSecond(PathOf("tips.txt"), 4);
    EXPECT_EQ("Second tip", fromSecond.GetTip());
    EXPECT_EQ(6u, fromSecond.GetCurrentTip());

    KFileTipProvider pastTheEnd(PathOf("tips.txt"), 99);
    EXPECT_EQ("First tip", pastTheEnd.GetTip());
}

TEST_F(TipsTest, FilesWithoutTips)
{
    WriteFile("comments.txt", "# one\n#two\n\n");
    EXPECT_EQ("", KFileTipProvider(PathOf("comments.txt"), 0).GetTip());

    WriteFile("empty.txt", "");
    EXPECT_EQ("Tips not available, sorry!", KFileTipProvider(PathOf("empty.txt"), 0).GetTip());
    EXPECT_EQ("Tips not available, sorry!", KFileTipProvider(PathOf("missing.txt"), 3).GetTip());
}

TEST_F(TipsTest, TranslatedTipsAreUnquoted)
{
    WriteFile("tips.txt", "_(\"Press \\\"Send\\\" to send\")\n"
                          "_(\"Unfinished\n"
                          "_(Not quoted)\n"
                          "Plain _(\"text\")\n");
    KFileTipProvider tips(PathOf("tips.txt"), 0);
    EXPECT_EQ("Press \"Send\" to send", tips.GetTip());
    EXPECT_EQ("_(\"Unfinished", tips.GetTip()) << "without a closing quote the line stays as it is";
    EXPECT_EQ("_(Not quoted)", tips.GetTip());
    EXPECT_EQ("Plain _(\"text\")", tips.GetTip());
}

TEST_F(TipsTest, DialogShowsTipsAndTheStartupChoice)
{
    WriteFile("tips.txt", "Drag a contact onto a chat to invite it.\nDouble-click a group to open it.\n");
    KFileTipProvider tips(PathOf("tips.txt"), 0);
    KTipDialog dialog(nullptr, &tips, true);
    EXPECT_EQ("Tip of the Day", dialog.GetTitle());
    EXPECT_EQ("Drag a contact onto a chat to invite it.", dialog.GetTipText());
    EXPECT_TRUE(dialog.ShowTipsOnStartup());
    EXPECT_EQ(wxID_CLOSE, dialog.GetAffirmativeId());

    ShowAndWait(&dialog);
    wxWindow* next = dialog.FindWindow(KTipDialog::ID_NEXT_TIP);
    ASSERT_TRUE(next);
    ClickAt(next, wxPoint(next->GetSize().x / 2, next->GetSize().y / 2));
    EXPECT_TRUE(WaitUntil([&] { return dialog.GetTipText() == "Double-click a group to open it."; }));
    dialog.Hide();

    ModalUser user;
    user.onShow = [](wxDialog* shown)
    {
        wxCheckBox* box = nullptr;
        for (wxWindow* child : shown->GetChildren())
            if (!box)
                box = dynamic_cast<wxCheckBox*>(child);
        box->SetValue(false);
        shown->EndModal(wxID_CLOSE);
    };
    EXPECT_FALSE(KShowTip(nullptr, PathOf("tips.txt"), 0, true));
}

// ----------------------------------------------------------------------------
// File-open prompt
// ----------------------------------------------------------------------------

TEST_F(BoxesTest, FilePromptReportsTheChoice)
{
    ModalUser user;
    user.onShow = [](wxDialog* shown)
    {
        ASSERT_EQ("open file", shown->GetTitle());
        EXPECT_EQ("budget.xls", shown->FindWindow(KFileOpenPrompt::ID_FILE_NAME)->GetLabel());
        wxRadioButton* save = dynamic_cast<wxRadioButton*>(shown->FindWindow(KFileOpenPrompt::ID_SAVE));
        ASSERT_TRUE(save && save->GetValue()) << "saving is the default";
        wxWindow* open = shown->FindWindow(KFileOpenPrompt::ID_OPEN);
        ClickAt(open, wxPoint(8, open->GetSize().y / 2));
        wxWindow* ok = shown->FindWindow(wxID_OK);
        ClickAt(ok, wxPoint(ok->GetSize().x / 2, ok->GetSize().y / 2));
    };
    EXPECT_EQ(1, KShowFileDialogTip(m_main, "budget.xls"));

    user.onShow = [](wxDialog* shown)
    {
        wxWindow* ok = shown->FindWindow(wxID_OK);
        ClickAt(ok, wxPoint(ok->GetSize().x / 2, ok->GetSize().y / 2));
    };
    EXPECT_EQ(2, KShowFileDialogTip(m_main, "budget.xls"));

    user.onShow = [](wxDialog* shown)
    {
        wxWindow* cancel = shown->FindWindow(wxID_CLOSE);
        ClickAt(cancel, wxPoint(cancel->GetSize().x / 2, cancel->GetSize().y / 2));
    };
    EXPECT_EQ(0, KShowFileDialogTip(m_main, "budget.xls"));

    user.onShow = [](wxDialog* shown) { shown->Close(); };
    EXPECT_EQ(0, KShowFileDialogTip(m_main, "budget.xls"));
}

// ----------------------------------------------------------------------------
// Change password dialog
// ----------------------------------------------------------------------------

TEST(ChangePassword, ChecksTrimmedEntriesAndTheirLength)
{
    EXPECT_EQ("", ChangePassDlg::CheckPasswords("abc ", "abc"));
    EXPECT_EQ("", ChangePassDlg::CheckPasswords(" ab", " ab")) << "leading blanks count";
    EXPECT_EQ("", ChangePassDlg::CheckPasswords("fifteen-chars!!", "fifteen-chars!!"));
    EXPECT_EQ("Invalid password, please try again", ChangePassDlg::CheckPasswords("ab", "ab"));
    EXPECT_EQ("Invalid password, please try again",
              ChangePassDlg::CheckPasswords("sixteen-chars!!!", "sixteen-chars!!!"));
    EXPECT_EQ("The two enter a different password, please re-enter !",
              ChangePassDlg::CheckPasswords("abc", "abd"));
    EXPECT_EQ("The two enter a different password, please re-enter !",
              ChangePassDlg::CheckPasswords(" abc", "abc"));
}

TEST_F(BoxesTest, PasswordDialogRegistersAndIsSkinned)
{
    KelJabberEventCenter* hub = KelJabberEventCenter::GetInstance();
    {
        ChangePassDlg dialog(m_main);
        EXPECT_TRUE(hub->IsRegistered(&dialog, cltEVT_VARNEL_CLOSED));
        EXPECT_EQ("NoMinMaxCloseBtn_frame", SkinWindowEngine::Get()->GetSkinName(&dialog));
        EXPECT_EQ(3, SkinWindowEngine::Get()->GetKind(&dialog));
        EXPECT_EQ("Input identifying code", dialog.GetTitle());
        EXPECT_EQ(wxSize(370, 210), dialog.GetSize());
        EXPECT_EQ("", dialog.GetOldPassword());
        EXPECT_TRUE(dialog.GetNewPasswordCtrl()->HasFlag(wxTE_PASSWORD));

        wxWindow* confirm = dialog.FindWindow(ChangePassDlg::ID_CONFIRM);
        ASSERT_TRUE(confirm);
        EXPECT_TRUE(wxRect(dialog.GetClientSize()).Contains(confirm->GetRect()));
    }
    EXPECT_EQ(0u, hub->GetHandlerCount(cltEVT_VARNEL_CLOSED));
}

TEST_F(BoxesTest, PasswordEntriesStopAtFifteenCharacters)
{
    ChangePassDlg dialog(m_main);
    ShowAndWait(&dialog);
    wxTextCtrl* entry = dialog.GetNewPasswordCtrl();
    entry->SetFocus();
    Pump();
    wxUIActionSimulator sim;
    sim.Text("abcdefghijklmnopqrst");
    Pump(100);
    EXPECT_EQ("abcdefghijklmno", entry->GetValue());
}

TEST_F(BoxesTest, PasswordDialogEndsOnlyThroughItsButtonOrTheCore)
{
    ModalUser user;
    user.onShow = [&user](wxDialog* shown)
    {
        ChangePassDlg* dialog = static_cast<ChangePassDlg*>(shown);
        wxWindow* confirm = dialog->FindWindow(ChangePassDlg::ID_CONFIRM);
        const wxPoint middle(confirm->GetSize().x / 2, confirm->GetSize().y / 2);

        dialog->GetNewPasswordCtrl()->ChangeValue("secret");
        dialog->GetConfirmPasswordCtrl()->ChangeValue("secreT");
        ClickAt(confirm, middle);
        EXPECT_TRUE(dialog->IsModal());
        EXPECT_EQ(1u, user.messages.size());

        dialog->Close();
        Pump();
        EXPECT_TRUE(dialog->IsModal()) << "a close request is refused";

        dialog->GetConfirmPasswordCtrl()->ChangeValue("secret  ");
        ClickAt(confirm, middle);
    };

    ChangePassDlg dialog(m_main);
    EXPECT_EQ(wxID_YES, dialog.ShowModal());
    EXPECT_TRUE(dialog.IsCloseAllowed());
    EXPECT_EQ("secret", dialog.GetNewPassword());
    ASSERT_EQ(1u, user.messages.size());
    EXPECT_EQ("The two enter a different password, please re-enter !", user.messages[0]);
}

TEST_F(BoxesTest, PasswordDialogEndsWhenTheApplicationCloses)
{
    ModalUser user;
    user.onShow = [](wxDialog*)
    {
        wxCommandEvent closing(cltEVT_VARNEL_CLOSED);
        KelJabberEventCenter::GetInstance()->Deliver(closing);
    };
    ChangePassDlg dialog(m_main);
    EXPECT_EQ(wxID_CANCEL, dialog.ShowModal());
    EXPECT_TRUE(dialog.IsCloseAllowed());

    // When it is not shown modally the event changes nothing.
    ChangePassDlg idle(m_main);
    wxCommandEvent closing(cltEVT_VARNEL_CLOSED);
    KelJabberEventCenter::GetInstance()->Deliver(closing);
    EXPECT_FALSE(idle.IsCloseAllowed());
}
