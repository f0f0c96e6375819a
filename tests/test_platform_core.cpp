#include "testsupport.h"

#include <kelctrls/base.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/platform/inifile.h>

#include <wx/dir.h>
#include <wx/filename.h>

using kel::test::TempCwdTest;

namespace
{

// ---------------------------------------------------------------------------
// Installation paths and atomic writes
// ---------------------------------------------------------------------------

using InstallPathTest = TempCwdTest;

TEST_F(InstallPathTest, MatchesExistingComponentsWithoutRegardToCase)
{
    WriteFile("Locale/Images/Select.cur", "x");
    EXPECT_EQ(KelInstallPath("locale\\images\\select.cur"), PathOf("Locale/Images/Select.cur"));
    EXPECT_EQ(KelInstallPath("LOCALE/Images/missing.txt"), PathOf("Locale/Images/missing.txt"));
    EXPECT_EQ(KelInstallPath("Config\\UiRecord.ini"), PathOf("Config/UiRecord.ini"));
    EXPECT_EQ(KelInstallPath(""), m_dir);
}

TEST_F(InstallPathTest, PrefersTheExactSpellingWhenBothExist)
{
    WriteFile("config/a.ini", "lower");
    WriteFile("CONFIG/a.ini", "upper");
    EXPECT_EQ(KelInstallPath("CONFIG/a.ini"), PathOf("CONFIG/a.ini"));
    EXPECT_EQ(KelInstallPath("config/a.ini"), PathOf("config/a.ini"));
}

TEST_F(InstallPathTest, AtomicWritesReplaceWholeFilesAndLeaveNothingBehind)
{
    ASSERT_TRUE(KelWriteTextAtomically(PathOf("deep/folder/file.txt"), "first"));
    ASSERT_TRUE(
        KelWriteTextAtomically(PathOf("deep/folder/file.txt"), wxString::FromUTF8("zweite \xc3\xa9")));
    EXPECT_EQ(ReadFile("deep/folder/file.txt"), wxString::FromUTF8("zweite \xc3\xa9"));

    EXPECT_FALSE(KelSaveAtomically(PathOf("deep/folder/file.txt"), [](const wxString&) { return false; }));
    EXPECT_EQ(ReadFile("deep/folder/file.txt"), wxString::FromUTF8("zweite \xc3\xa9"));

    wxArrayString files;
    wxDir::GetAllFiles(PathOf("deep"), &files, wxEmptyString, wxDIR_DEFAULT | wxDIR_HIDDEN);
    EXPECT_EQ(files.size(), 1u);
}

// ---------------------------------------------------------------------------
// wxIniFileEx
// ---------------------------------------------------------------------------

using IniFileTest = TempCwdTest;

TEST_F(IniFileTest, ReadsTypedValuesWithDefaults)
{
    WriteFile("a.ini", "; header comment\n[SKIN]\nskin_id = 12\nskin_title=Blue Sky\n"
                       "skin_select=1\nbad_int=12ab\nflag=maybe\n[Other]\nskin_id=3\n");
    wxIniFileEx ini(PathOf("a.ini"));
    ASSERT_TRUE(ini.IsInitOk());

    EXPECT_EQ(ini.GetInt("SKIN", "skin_id", 0), 12);
    EXPECT_EQ(ini.GetInt("skin", "SKIN_ID", 0), 12);
    EXPECT_EQ(ini.GetInt("Other", "skin_id", 0), 3);
    EXPECT_EQ(ini.GetString("SKIN", "skin_title"), "Blue Sky");
    EXPECT_TRUE(ini.GetBool("SKIN", "skin_select", false));
    EXPECT_EQ(ini.GetInt("SKIN", "bad_int", -7), -7);
    EXPECT_TRUE(ini.GetBool("SKIN", "flag", true));
    EXPECT_EQ(ini.GetString("SKIN", "absent", "dflt"), "dflt");
    EXPECT_EQ(ini.GetString("Absent", "skin_id", "dflt"), "dflt");
}

TEST_F(IniFileTest, MissingFileIsNotInitialisedButStillWritable)
{
    wxIniFileEx ini(PathOf("new.ini"));
    EXPECT_FALSE(ini.IsInitOk());
    ini.SetString("S", "k", "v");
    ini.SetString("S", "ignored", "v", false);
    ASSERT_TRUE(ini.SaveFile(PathOf("new.ini")));

    wxIniFileEx again(PathOf("new.ini"));
    ASSERT_TRUE(again.IsInitOk());
    EXPECT_EQ(again.GetString("S", "k"), "v");
    EXPECT_FALSE(again.HasEntry("S", "ignored"));
}

TEST_F(IniFileTest, SavingKeepsCommentsOrderAndUntouchedKeys)
{
    WriteFile("a.ini", "[SKIN]\r\n; keep me\r\nskin_menu=menu.xml\r\nskin_id=1\r\n\r\n[Tail]\r\nx=1\r\n");
    wxIniFileEx ini(PathOf("a.ini"));
    ini.SetInt("SKIN", "skin_id", 5);
    ini.SetBool("SKIN", "skin_select", true);
    ini.SetString("New", "k", "v");
    ASSERT_TRUE(ini.SaveFile(PathOf("a.ini"), wxTextFileType_None));

    EXPECT_EQ(ReadFile("a.ini"), "[SKIN]\n; keep me\nskin_menu=menu.xml\nskin_id=5\nskin_select=1\n\n"
                                 "[Tail]\nx=1\n[New]\nk=v\n");
    EXPECT_EQ(ini.ToString(wxTextFileType_Dos).Left(8), "[SKIN]\r\n");
}

TEST_F(IniFileTest, RepeatedSectionsContinueAndLatin1FilesAreRead)
{
    WriteBytes("a.ini", "[A]\nx=1\n[B]\ny=2\n[a]\nz=caf\xe9\n");
    wxIniFileEx ini(PathOf("a.ini"));
    ASSERT_TRUE(ini.IsInitOk());
    EXPECT_EQ(ini.GetKeys("A"), wxArrayString(wxArrayString(2, std::vector<wxString>{"x", "z"}.data())));
    EXPECT_EQ(ini.GetString("A", "z"), wxString::FromUTF8("caf\xc3\xa9"));
    EXPECT_EQ(ini.GetSections().size(), 2u);
}

// ---------------------------------------------------------------------------
// Core messaging library: job, names, event hub
// ---------------------------------------------------------------------------

TEST(CoreJob, ParsesNamesAndKeepsTheAccount)
{
    EXPECT_EQ(ParseName("alice@kel.example/desk"), "alice");
    EXPECT_EQ(ParseName("bob@kel.example"), "bob");
    EXPECT_EQ(ParseName("carol/phone"), "carol");
    EXPECT_EQ(ParseName(""), "");

    KelJabberJob* job = KelJabberJob::GetInstance();
    ASSERT_EQ(job, KelJabberJob::GetInstance());
    job->SetUserLocal("/home/alice/users/alice/");
    EXPECT_EQ(job->GetUserLocal(), "/home/alice/users/alice");
    job->SetMyPassWord("secret", true);
    EXPECT_TRUE(job->IsEncryptUserPwd());
}

class Recorder : public wxEvtHandler
{
public:
    std::vector<int> seen;
    std::function<void()> onEvent;

    bool ProcessEvent(wxEvent& event) override
    {
        seen.push_back(event.GetEventType());
        if (onEvent)
            onEvent();
        return true;
    }
};

TEST(CoreJob, SendEventRunsTheInstalledHandlerBeforeReturning)
{
    KelJabberJob* job = KelJabberJob::GetInstance();
    wxCommandEvent event(wxEVT_BUTTON);
    job->SetEventHandler(nullptr);
    EXPECT_FALSE(job->SendEvent(event, 0));

    Recorder handler;
    job->SetEventHandler(&handler);
    EXPECT_TRUE(job->SendEvent(event, 0));
    EXPECT_EQ(handler.seen, std::vector<int>{wxEVT_BUTTON});
    job->SetEventHandler(nullptr);
}

TEST(EventCenter, DeliversByTypeUntilUnregistered)
{
    KelJabberEventCenter* hub = KelJabberEventCenter::GetInstance();
    Recorder a, b;
    const int typeX = wxNewEventType();
    const int typeY = wxNewEventType();
    hub->Register(&a, typeX, "Window", "X");
    hub->Register(&a, typeX, "Window", "X");
    hub->Register(&a, typeY, "Window", "Y");
    hub->Register(&b, typeX, "Other", "X");
    EXPECT_EQ(hub->GetHandlerCount(typeX), 2u);

    wxCommandEvent x(typeX), y(typeY);
    EXPECT_EQ(hub->Deliver(x), 2u);
    EXPECT_EQ(hub->Deliver(y), 1u);
    EXPECT_EQ(a.seen, (std::vector<int>{typeX, typeY}));
    EXPECT_EQ(b.seen, std::vector<int>{typeX});

    hub->UnRegister(&a, typeX);
    EXPECT_FALSE(hub->IsRegistered(&a, typeX));
    EXPECT_TRUE(hub->IsRegistered(&a, typeY));
    hub->UnRegister(&a, -1);
    EXPECT_FALSE(hub->IsRegistered(&a, typeY));
    hub->UnRegister(&b, -1);
    EXPECT_EQ(hub->GetHandlerCount(typeX), 0u);
}

TEST(EventCenter, AHandlerMayUnregisterOthersWhileAnEventIsDelivered)
{
    KelJabberEventCenter* hub = KelJabberEventCenter::GetInstance();
    Recorder first, second;
    const int type = wxNewEventType();
    hub->Register(&first, type);
    hub->Register(&second, type);
    first.onEvent = [&] { hub->UnRegister(&second, -1); };

    wxCommandEvent event(type);
    EXPECT_EQ(hub->Deliver(event), 1u);
    EXPECT_TRUE(second.seen.empty());
    hub->UnRegister(&first, -1);
}

TEST(EventCenter, PostQueuesACopyForEveryHandler)
{
    KelJabberEventCenter* hub = KelJabberEventCenter::GetInstance();
    wxEvtHandler handler;
    int received = 0;
    const wxEventTypeTag<wxCommandEvent> type(wxNewEventType());
    handler.Bind(type, [&](wxCommandEvent& e) { received += e.GetInt(); });
    hub->Register(&handler, type);

    wxCommandEvent event(type);
    event.SetInt(7);
    EXPECT_EQ(hub->Post(event), 1u);
    EXPECT_EQ(received, 0);
    kel::test::Pump();
    EXPECT_EQ(received, 7);
    hub->UnRegister(&handler, -1);
}

} // anonymous namespace
