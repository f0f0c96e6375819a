#include "testsupport.h"

#include <kelctrls/platform/imcore.h>
#include <kelctrls/platform/inifile.h>
#include <kelctrls/platform/xml2.h>

#include <wx/dir.h>
#include <wx/filename.h>

using kel::test::TempCwdTest;

namespace
{

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
// XML wrapper
// ---------------------------------------------------------------------------

TEST(Xml2, CopiesShareOneTreeWithCountedReferences)
{
    wxXml2Document doc("message");
    EXPECT_EQ(doc.GetRefCount(), 1);
    {
        wxXml2Document copy(doc);
        wxXml2BaseNode root = copy.GetRoot();
        EXPECT_EQ(doc.GetRefCount(), 3);
        root.SetAttribute("to", "bob@example.org");
    }
    EXPECT_EQ(doc.GetRefCount(), 1);
    EXPECT_EQ(doc.GetRoot().GetAttribute("to"), "bob@example.org");

    // a node keeps its tree alive after the document wrapper is gone
    wxXml2BaseNode root;
    {
        wxXml2Document shortLived("iq");
        root = shortLived.GetRoot();
    }
    ASSERT_TRUE(root.IsOk());
    EXPECT_EQ(root.GetName(), "iq");
    EXPECT_FALSE(root.IsUnlinked());
}

TEST(Xml2, IncRefCountAndDestroyIfUnlinked)
{
    wxXml2BaseNode node("x");
    EXPECT_TRUE(node.IsUnlinked());
    node.IncRefCount();
    EXPECT_EQ(node.GetRefCount(), 2);
    node.DecRefCount();
    node.DestroyIfUnlinked();
    EXPECT_FALSE(node.IsNonEmpty());

    wxXml2Document doc("presence");
    wxXml2BaseNode root = doc.GetRoot();
    root.DestroyIfUnlinked();
    EXPECT_TRUE(root.IsOk()) << "a node of a document is not unlinked";
}

TEST(Xml2, AddChildMovesLoneNodesAndCopiesSharedOnes)
{
    wxXml2Document doc("message");
    wxXml2BaseNode root = doc.GetRoot();

    wxXml2BaseNode body("body");
    body.SetContent("hello");
    ASSERT_TRUE(root.AddChild(body));
    EXPECT_FALSE(body.IsUnlinked());
    body.SetContent("changed");
    EXPECT_EQ(root.Find("body").GetContent(), "changed") << "moved, not copied";

    wxXml2BaseNode shared("subject");
    wxXml2BaseNode otherRef(shared);
    ASSERT_TRUE(root.AddChild(shared));
    shared.SetContent("in doc");
    EXPECT_EQ(otherRef.GetContent(), "") << "a shared node is copied in";
    EXPECT_EQ(root.Find("subject").GetContent(), "in doc");

    // adding a node to its own descendant copies instead of making a cycle
    wxXml2BaseNode rootRef = doc.GetRoot();
    ASSERT_TRUE(body.AddChild(rootRef));
    EXPECT_EQ(doc.GetRoot().GetName(), "message");
    EXPECT_TRUE(body.Find("message").IsOk());
}

TEST(Xml2, RemovedNodesStayValidForTheirWrappers)
{
    wxXml2Document doc;
    ASSERT_TRUE(doc.LoadFromString("<a><b><c/></b><d/></a>"));
    wxXml2BaseNode b = doc.GetRoot().Find("b");
    wxXml2BaseNode c = b.Find("c");
    wxXml2BaseNode bAgain = b;
    ASSERT_TRUE(doc.GetRoot().RemoveChild(b));
    EXPECT_FALSE(b.IsOk());
    EXPECT_EQ(c.GetName(), "c");
    EXPECT_EQ(bAgain.Find("c"), c);
    EXPECT_EQ(doc.GetRoot().ToString(), "<a><d/></a>");
    EXPECT_FALSE(doc.GetRoot().RemoveChild(c)) << "not a child of the root";
}

TEST(Xml2, DeepCopiesAreIndependent)
{
    wxXml2Document doc;
    ASSERT_TRUE(doc.LoadFromString("<a x='1'><b>t</b></a>"));
    wxXml2Document copy = doc.DeepCopy();
    copy.GetRoot().SetAttribute("x", "2");
    EXPECT_EQ(doc.GetRoot().GetAttribute("x"), "1");

    wxXml2BaseNode b = doc.GetRoot().Find("b").DeepCopy();
    EXPECT_TRUE(b.IsUnlinked());
    b.SetContent("u");
    EXPECT_EQ(doc.GetRoot().Find("b").GetContent(), "t");
}

TEST(Xml2, BadTextLeavesTheDocumentAsItWas)
{
    wxXml2Document doc("keep");
    EXPECT_FALSE(doc.LoadFromString("<unclosed>"));
    EXPECT_FALSE(doc.LoadFromString(""));
    EXPECT_EQ(doc.GetRoot().GetName(), "keep");
}

class Xml2File : public TempCwdTest
{
};

TEST_F(Xml2File, SaveAndLoadRoundTrip)
{
    wxXml2Document doc("roster");
    wxXml2BaseNode root = doc.GetRoot();
    root.AddTextChild("item", wxString::FromUTF8("\xe5\xbc\xa0\xe4\xb8\x89 & co"));
    ASSERT_TRUE(doc.Save("roster.xml"));

    wxXml2Document loaded;
    ASSERT_TRUE(loaded.Load("roster.xml"));
    EXPECT_EQ(loaded.GetRoot().Find("item").GetContent(),
              wxString::FromUTF8("\xe5\xbc\xa0\xe4\xb8\x89 & co"));
    EXPECT_FALSE(loaded.Load("missing.xml"));
    EXPECT_TRUE(loaded.IsOk());
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
