// The control container without a web engine: tables and name lookups with
// their messages, value conversions, event delivery with out-parameters, the
// script call protocol, and the small value types of the browser family.
#include "testsupport.h"

#include <kelctrls/browser.h>
#include "browser/webbrowser.h"
#include <kelctrls/platform/encrypt.h>

#include <wx/frame.h>
#include <wx/mstream.h>
#include <wx/panel.h>

#include <sstream>

using kel::test::Pump;

namespace
{

enum
{
    ID_VALUE = 10,
    ID_CAPTION,
    ID_RATIO,
    ID_SECRET,
    ID_STAMP,
    ID_HANDLE,
    ID_ADD = 20,
    ID_SWAP,
    ID_CHANGED = 30,
    ID_CLOSING
};

wxArrayString Strings(std::initializer_list<const char*> items)
{
    wxArrayString strings;
    for (const char* item : items)
        strings.Add(item);
    return strings;
}

ParamX MakeParam(const char* name, unsigned short vt, unsigned short flags = wxAX_PARAM_IN)
{
    ParamX param;
    param.name = name;
    param.vt = vt;
    param.flags = flags;
    return param;
}

PropX MakeProp(const char* name, long memid, unsigned short vt, bool canGet, bool canSet)
{
    PropX prop;
    prop.name = name;
    prop.memid = memid;
    prop.type = MakeParam(name, vt);
    prop.canGet = canGet;
    prop.canSet = canSet;
    return prop;
}

FuncX MakeFunc(const char* name, long memid, std::vector<ParamX> params)
{
    FuncX func;
    func.name = name;
    func.memid = memid;
    func.params = std::move(params);
    for (const ParamX& p : func.params)
        func.hasOut = func.hasOut || p.IsOut();
    return func;
}

// A small control with a value, a caption and two events.
class GaugeControl : public wxAxHostedControl
{
public:
    bool Create(wxActiveX* container) override
    {
        m_container = container;
        m_window = new wxPanel(container);
        return true;
    }
    wxWindow* GetWindow() const override { return m_window; }

    void DescribeTypes(wxAxTypeInfo& info) const override
    {
        info.props = {
            MakeProp("Value", ID_VALUE, wxAX_VT_I4, true, true),
            MakeProp("Caption", ID_CAPTION, wxAX_VT_BSTR, true, true),
            MakeProp("Ratio", ID_RATIO, wxAX_VT_R8, true, false),
            MakeProp("Secret", ID_SECRET, wxAX_VT_BSTR, false, true),
            MakeProp("Stamp", ID_STAMP, wxAX_VT_DATE, true, false),
            MakeProp("Handle", ID_HANDLE, wxAX_VT_BYREF | wxAX_VT_VOID, true, false),
        };
        info.methods = {
            MakeFunc("Add", ID_ADD, {MakeParam("a", wxAX_VT_I4), MakeParam("b", wxAX_VT_I4)}),
            MakeFunc("Swap", ID_SWAP, {MakeParam("text", wxAX_VT_BSTR, wxAX_PARAM_IN | wxAX_PARAM_OUT)}),
        };
        info.events = {
            MakeFunc("Changed", ID_CHANGED, {MakeParam("NewValue", wxAX_VT_I4)}),
            MakeFunc("Closing", ID_CLOSING,
                     {MakeParam("Reason", wxAX_VT_BSTR),
                      MakeParam("Cancel", wxAX_VT_BOOL, wxAX_PARAM_IN | wxAX_PARAM_OUT)}),
        };
    }

    bool GetProperty(long memid, wxAxVariant& value) override
    {
        switch (memid)
        {
        case ID_VALUE:
            value = wxAxVariant(m_value);
            return true;
        case ID_CAPTION:
            value = wxAxVariant(m_caption);
            return true;
        case ID_RATIO:
            value = wxAxVariant(m_value / 4.0);
            return true;
        case ID_STAMP:
            value.vt = wxAX_VT_DATE;
            value.date = wxDateTime(24, wxDateTime::Dec, 2025, 18, 30);
            return true;
        case ID_HANDLE:
            value = wxAxVariant(static_cast<void*>(this));
            return true;
        }
        return false;
    }

    bool SetProperty(long memid, const wxAxVariant& value) override
    {
        switch (memid)
        {
        case ID_VALUE:
        {
            m_value = value.lVal;
            std::vector<wxAxVariant> args = {wxAxVariant(m_value)};
            m_container->FireEvent(ID_CHANGED, args);
            return true;
        }
        case ID_CAPTION:
            m_caption = value.bstrVal;
            return true;
        case ID_SECRET:
            m_secret = value.bstrVal;
            return true;
        }
        return false;
    }

    bool Invoke(long memid, std::vector<wxAxVariant>& args, wxAxVariant& result) override
    {
        if (memid == ID_ADD && args.size() == 2)
        {
            result = wxAxVariant(args[0].lVal + args[1].lVal);
            return true;
        }
        if (memid == ID_SWAP && args.size() == 1)
        {
            result = wxAxVariant(m_caption);
            std::swap(m_caption, args[0].bstrVal);
            return true;
        }
        return false;
    }

    // Asks the container whether it may close; true when no handler cancelled.
    bool AskClose(const wxString& reason)
    {
        std::vector<wxAxVariant> args = {wxAxVariant(reason), wxAxVariant(false)};
        m_container->FireEvent(ID_CLOSING, args);
        return !args[1].boolVal;
    }

    wxString m_secret;

private:
    wxActiveX* m_container = nullptr;
    wxWindow* m_window = nullptr;
    long m_value = 0;
    wxString m_caption = "gauge";
};

const bool gaugeRegistered = []
{
    wxActiveX::RegisterControlClass("{0A11CE00-0000-4000-8000-000000000001}", "Test.Gauge",
                                    [] { return new GaugeControl; });
    return true;
}();

// A container whose page may call "Echo" and "Join".
class ScriptHost : public wxActiveX
{
public:
    explicit ScriptHost(wxWindow* parent) : wxActiveX(parent, "test.gauge") {}

    bool JScriptCheck(const wxString& name) override
    {
        return name.IsSameAs("Echo", false) || name.IsSameAs("Join", false);
    }
    wxString JScriptProcess(const wxString& name, wxArrayString& args) override
    {
        lastName = name;
        lastArgs = args;
        return name.IsSameAs("Echo", false) ? (args.empty() ? wxString("(none)") : args[0])
                                            : wxJoin(args, '+');
    }

    wxString lastName;
    wxArrayString lastArgs;
};

class ActiveXTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "container", wxDefaultPosition, wxSize(300, 200));
        m_host = new ScriptHost(m_frame);
        m_frame->Show();
    }
    void TearDown() override
    {
        m_frame->Destroy();
        Pump();
    }

    GaugeControl* Gauge() { return static_cast<GaugeControl*>(m_host->GetControl()); }

    template <typename F>
    static wxString MessageOf(F&& f)
    {
        try
        {
            f();
        }
        catch (const wxActiveXException& e)
        {
            return wxString::FromUTF8(e.what());
        }
        return "(no exception)";
    }

    wxFrame* m_frame = nullptr;
    ScriptHost* m_host = nullptr;
};

} // namespace

TEST(ActiveXTypes, TypeNamesMapToControlTypes)
{
    EXPECT_EQ(wxAxVarTypeFromName("bool"), 11);
    EXPECT_EQ(wxAxVarTypeFromName("char"), 16);
    EXPECT_EQ(wxAxVarTypeFromName("datetime"), 7);
    EXPECT_EQ(wxAxVarTypeFromName("date"), 7);
    EXPECT_EQ(wxAxVarTypeFromName("time"), 7);
    EXPECT_EQ(wxAxVarTypeFromName("double"), 5);
    EXPECT_EQ(wxAxVarTypeFromName("list"), 0x2000);
    EXPECT_EQ(wxAxVarTypeFromName("stringlist"), 0x2000);
    EXPECT_EQ(wxAxVarTypeFromName("long"), 3);
    EXPECT_EQ(wxAxVarTypeFromName("string"), 8);
    EXPECT_EQ(wxAxVarTypeFromName("void*"), 0x4018);
    EXPECT_EQ(wxAxVarTypeFromName("wxFont"), 1);
    EXPECT_EQ(wxAxVarTypeFromName("Bool"), 1) << "type names are case-sensitive";
}

TEST(ActiveXTypes, ValuesSurviveTheRoundTrip)
{
    int anchor = 0;
    const wxDateTime when(1, wxDateTime::Mar, 2024, 9, 15, 30);
    const wxVariant values[] = {wxVariant(true),
                                wxVariant(wxUniChar('q')),
                                wxVariant(when),
                                wxVariant(2.5),
                                wxVariant(-42L),
                                wxVariant(wxString::FromUTF8("text \xC3\xBC")),
                                wxVariant(static_cast<void*>(&anchor))};
    for (const wxVariant& value : values)
    {
        wxAxVariant control;
        ASSERT_TRUE(wxVariantToAxVariant(value, control)) << value.GetType();
        wxVariant back;
        back.SetName("kept");
        ASSERT_TRUE(wxAxVariantToVariant(control, back)) << value.GetType();
        EXPECT_EQ(back.GetType(), value.GetType());
        EXPECT_TRUE(back == value) << value.GetType() << ": " << back.MakeString();
        EXPECT_EQ(back.GetName(), "kept");
    }
}

TEST(ActiveXTypes, ListsBecomeStringArraysAndDecimalsDoubles)
{
    wxVariant list;
    list.NullList();
    list.Append(wxVariant(3L));
    list.Append(wxVariant("b"));
    wxAxVariant control;
    ASSERT_TRUE(wxVariantToAxVariant(list, control));
    EXPECT_EQ(control.vt, wxAX_VT_ARRAY);
    ASSERT_EQ(control.array.size(), 2u);
    EXPECT_EQ(control.array[0], "3");
    EXPECT_EQ(control.array[1], "b");

    wxAxVariant decimal;
    decimal.vt = wxAX_VT_DECIMAL;
    decimal.dblVal = 1.25;
    wxVariant value;
    ASSERT_TRUE(wxAxVariantToVariant(decimal, value));
    EXPECT_EQ(value.GetType(), "double");
    EXPECT_DOUBLE_EQ(value.GetDouble(), 1.25);

    wxAxVariant unknown;
    unknown.vt = 0x1234;
    EXPECT_FALSE(wxAxVariantToVariant(unknown, value));
}

TEST(ActiveXEvents, RegistryGivesOneTypePerNameAndPerId)
{
    const wxEventType& byName = RegisterActiveXEvent("SomethingHappened");
    EXPECT_NE(byName, wxEVT_NULL);
    EXPECT_EQ(RegisterActiveXEvent("somethinghappened"), byName);
    EXPECT_EQ(&RegisterActiveXEvent("SOMETHINGHAPPENED"), &byName) << "the reference stays valid";
    EXPECT_NE(RegisterActiveXEvent("OtherThing"), byName);

    const wxEventType& byId = RegisterActiveXEvent(4711L);
    EXPECT_EQ(RegisterActiveXEvent(4711L), byId);
    EXPECT_NE(byId, byName);
}

TEST(ActiveXEvents, ParametersByNameAndCopies)
{
    wxActiveXEvent event(RegisterActiveXEvent("Sample"), 7);
    wxVariant url("http://example.test/");
    url.SetName("URL");
    wxVariant cancel(false);
    cancel.SetName("Cancel");
    event.AddParam(url);
    event.AddParam(cancel);

    EXPECT_EQ(event.ParamCount(), 2);
    EXPECT_EQ(event.ParamName(1), "Cancel");
    EXPECT_EQ(event.ParamType(0), "string");
    EXPECT_EQ(event["url"].GetString(), "http://example.test/");
    event["cancel"] = true;
    EXPECT_TRUE(event["Cancel"].GetBool());
    EXPECT_EQ(event["Cancel"].GetName(), "Cancel") << "assignment keeps the name";

    wxVariant& missing = event["NoSuchParam"];
    EXPECT_TRUE(missing.IsNull());
    missing = 5L;
    EXPECT_TRUE(event["AnotherMissing"].IsNull()) << "the shared empty value is reset on each use";

    std::unique_ptr<wxEvent> copy(event.Clone());
    auto& cloned = static_cast<wxActiveXEvent&>(*copy);
    EXPECT_EQ(cloned.GetId(), 7);
    EXPECT_EQ(cloned["URL"].GetString(), "http://example.test/");
    EXPECT_TRUE(cloned["Cancel"].GetBool());
}

TEST_F(ActiveXTest, UnknownClassLeavesTheWindowEmpty)
{
    wxActiveX* empty = new wxActiveX(m_frame, "{00000000-0000-0000-0000-000000000000}");
    EXPECT_FALSE(empty->HasControl());
    EXPECT_EQ(empty->GetOLEHWND(), nullptr);
    EXPECT_EQ(empty->GetPropCount(), 0);
    EXPECT_EQ(MessageOf([&] { empty->GetPropDesc("Value"); }), "property <Value> not found");
}

TEST_F(ActiveXTest, TablesAndLookupsWithoutRegardToCase)
{
    ASSERT_TRUE(m_host->HasControl());
    EXPECT_EQ(m_host->GetPropCount(), 6);
    EXPECT_EQ(m_host->GetMethodCount(), 2);
    EXPECT_EQ(m_host->GetEventCount(), 2);
    EXPECT_EQ(m_host->GetPropDesc("caption").memid, ID_CAPTION);
    EXPECT_EQ(m_host->GetMethodDesc("ADD").params.size(), 2u);
    EXPECT_TRUE(m_host->GetEventDesc(1).hasOut);
    EXPECT_EQ(m_host->GetOLEHWND()->GetParent(), m_host);

    EXPECT_EQ(MessageOf([&] { m_host->GetPropDesc(6); }), "Property index out of bounds");
    EXPECT_EQ(MessageOf([&] { m_host->GetMethodDesc(-1); }), "Method index out of bounds");
    EXPECT_EQ(MessageOf([&] { m_host->GetPropAsLong("Volume"); }), "property <Volume> not found");
    EXPECT_EQ(MessageOf([&] { m_host->CallMethod("Multiply"); }), "method <Multiply> not found");
    EXPECT_EQ(MessageOf([&] { m_host->SetProp("Ratio", wxVariant(1.0)); }), "property <Ratio> is readonly");
    EXPECT_EQ(MessageOf([&] { m_host->GetPropAsString("Secret"); }), "property <Secret)> is writeonly");
}

TEST_F(ActiveXTest, PropertiesByNameInEveryForm)
{
    m_host->SetProp("value", wxVariant(12L));
    EXPECT_EQ(m_host->GetPropAsLong("Value"), 12);
    EXPECT_EQ(m_host->GetPropAsString("Value"), "12");
    EXPECT_DOUBLE_EQ(m_host->GetPropAsDouble("Ratio"), 3.0);
    EXPECT_TRUE(m_host->GetPropAsBool("Value"));

    m_host->Prop("Caption") = wxString("level");
    EXPECT_EQ(m_host->GetPropAsString("caption"), "level");
    EXPECT_EQ(m_host->GetPropAsWxVariant("CAPTION").GetName(), "Caption");
    EXPECT_EQ(m_host->GetPropAsVariant(ID_CAPTION).bstrVal, "level");

    m_host->SetProp("Secret", wxVariant("s3"));
    EXPECT_EQ(Gauge()->m_secret, "s3");

    EXPECT_EQ(m_host->GetPropAsDateTime("Stamp"), wxDateTime(24, wxDateTime::Dec, 2025, 18, 30));
    EXPECT_EQ(m_host->GetPropAsPointer("Handle"), static_cast<void*>(Gauge()));
    EXPECT_EQ(MessageOf([&] { m_host->GetPropAsBool("Caption"); }), "Unable to convert variant");
    EXPECT_EQ(MessageOf([&] { m_host->GetPropAsLong("Stamp"); }), "Unable to convert variant");
    EXPECT_EQ(MessageOf([&] { m_host->GetPropAsDateTime("Caption"); }),
              "Unable to convert variant to wxDateTime");
    EXPECT_EQ(MessageOf([&] { m_host->GetPropAsPointer("Value"); }), "Unable to convert variant");
}

TEST_F(ActiveXTest, MethodsReturnValuesAndWriteBackOutParameters)
{
    wxVariant numbers[] = {wxVariant(40L), wxVariant(2L)};
    EXPECT_EQ(m_host->CallMethod("add", numbers).GetLong(), 42);

    m_host->Prop("Caption") = wxString("old");
    wxVariant text[] = {wxVariant("new")};
    EXPECT_EQ(m_host->CallMethod("Swap", text).GetString(), "old");
    EXPECT_EQ(text[0].GetString(), "old") << "the out-parameter came back";
    EXPECT_EQ(m_host->GetPropAsString("Caption"), "new");

    wxAxVariant raw[] = {wxAxVariant(5L), wxAxVariant(6L)};
    EXPECT_EQ(m_host->CallMethod(ID_ADD, raw, 2).lVal, 11);
}

TEST_F(ActiveXTest, EventsWithOutParametersAreAnsweredAtOnce)
{
    int byName = 0;
    m_frame->Bind(wxActiveXEventType("closing"),
                  [&](wxActiveXEvent& event)
                  {
                      ++byName;
                      EXPECT_EQ(event["reason"].GetString(), "user");
                      EXPECT_EQ(event.GetMemberId(), ID_CLOSING);
                      EXPECT_EQ(event.GetEventObject(), m_host);
                      event["CANCEL"] = true;
                  });
    EXPECT_FALSE(Gauge()->AskClose("user")) << "the handler's Cancel reached the control";
    EXPECT_EQ(byName, 1);

    int byId = 0;
    m_frame->Bind(wxActiveXEventType(static_cast<long>(ID_CLOSING)),
                  [&](wxActiveXEvent& e)
                  {
                      ++byId;
                      auto& event = e;
                      EXPECT_TRUE(event["Cancel"].GetBool())
                          << "the id handler sees what the name handler set";
                      event["Cancel"] = false;
                  });
    EXPECT_TRUE(Gauge()->AskClose("user"));
    EXPECT_EQ(byId, 1);
}

TEST_F(ActiveXTest, EventsWithoutOutParametersAreQueued)
{
    std::vector<long> seen;
    m_frame->Bind(wxActiveXEventType("Changed"),
                  [&](wxActiveXEvent& e) { seen.push_back(e["NewValue"].GetLong()); });
    m_host->SetProp("Value", wxVariant(3L));
    m_host->SetProp("Value", wxVariant(4L));
    EXPECT_TRUE(seen.empty()) << "not delivered before the queue runs";
    Pump();
    EXPECT_EQ(seen, (std::vector<long>{3, 4}));
}

TEST_F(ActiveXTest, ScriptObjectFollowsTheCallProtocol)
{
    wxActiveXScriptObject& script = m_host->GetScriptObject();
    std::vector<long> ids;
    EXPECT_EQ(script.GetIDsOfNames("{00020400-0000-0000-C000-000000000046}", Strings({"join"}), ids),
              wxAX_E_NOINTERFACE);
    EXPECT_EQ(script.GetIDsOfNames("", Strings({"Launch"}), ids), wxAX_E_NOTIMPL);
    EXPECT_EQ(script.GetIDsOfNames("", Strings({"join", "extra"}), ids), wxAX_OK);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[1], -1);
    EXPECT_EQ(script.GetPendingName(), "join");

    // Arguments arrive last first and are handed over in source order.
    const std::vector<wxAxVariant> lastFirst = {wxAxVariant(true), wxAxVariant(7L), wxAxVariant("a")};
    wxAxVariant result;
    EXPECT_EQ(script.Invoke(wxAX_DISPATCH_METHOD, lastFirst, {}, &result), wxAX_OK);
    EXPECT_EQ(m_host->lastName, "join");
    ASSERT_EQ(m_host->lastArgs.size(), 3u);
    EXPECT_EQ(m_host->lastArgs[0], "a");
    EXPECT_EQ(m_host->lastArgs[1], "7");
    EXPECT_EQ(result.vt, wxAX_VT_BSTR);
    EXPECT_TRUE(result.bstrVal.StartsWith("a+7+"));

    EXPECT_EQ(script.Invoke(wxAX_DISPATCH_PROPERTYGET, lastFirst, {}, nullptr), wxAX_E_INVALIDARG);
    EXPECT_EQ(script.Invoke(wxAX_DISPATCH_METHOD, lastFirst, {5}, &result), wxAX_E_NONAMEDARGS);
    EXPECT_EQ(
        script.Invoke(wxAX_DISPATCH_PROPERTYPUT, {wxAxVariant("v")}, {wxAX_DISPID_PROPERTYPUT}, &result),
        wxAX_OK);

    wxString answer;
    EXPECT_TRUE(script.Call("ECHO", wxArrayString(), answer));
    EXPECT_EQ(answer, "(none)");
    EXPECT_FALSE(script.Call("Launch", Strings({"x"}), answer));
}

TEST(BrowserEvents, CallAndExternalEventsCopyEveryField)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "owner");
    HtmlCallFuncEvent call(htmlEVT_HTMLCALL_FUNCTION);
    EXPECT_EQ(call.GetId(), -1);
    call.SetFunction("FetchUsers", Strings({"one", "two"}));
    call.SetResult("answer");
    call.SetIEWin(reinterpret_cast<wxIEHtmlWin*>(frame));
    std::unique_ptr<wxEvent> copy(call.Clone());
    auto& cloned = static_cast<HtmlCallFuncEvent&>(*copy);
    EXPECT_EQ(cloned.GetEventType(), htmlEVT_HTMLCALL_FUNCTION);
    EXPECT_EQ(cloned.GetFuncname(), "FetchUsers");
    EXPECT_EQ(cloned.GetParams(), Strings({"one", "two"}));
    EXPECT_EQ(cloned.GetResult(), "answer");
    EXPECT_EQ(static_cast<void*>(cloned.GetIEWin()), static_cast<void*>(frame));
    std::unique_ptr<wxObject> byName(wxCreateDynamicObject("HtmlCallFuncEvent"));
    EXPECT_NE(dynamic_cast<HtmlCallFuncEvent*>(byName.get()), nullptr);

    wxHtmlExternalEvent external(wxEVT_HTML_EXTERNAL, 3);
    external.SetHtmlEvtTyoe("kind");
    external.SetHtmlWParam("w");
    external.SetHtmlLParam("l");
    std::unique_ptr<wxEvent> externalCopy(external.Clone());
    auto& e = static_cast<wxHtmlExternalEvent&>(*externalCopy);
    EXPECT_EQ(e.GetId(), 3);
    EXPECT_EQ(e.GetHtmlEvtTyoe() + e.GetHtmlWParam() + e.GetHtmlLParam(), "kindwl");
    frame->Destroy();
}

TEST(BrowserScripts, ScriptElementsSplitIntoLanguageAndBody)
{
    wxString text = "<SCRIPT LANGUAGE=\"VBScript\">x</SCRIPT>";
    wxString language;
    EXPECT_TRUE(wxIEHtmlWin::GetScriptLangCode(text, language));
    EXPECT_EQ(language, "vbscript");
    EXPECT_EQ(text, "x");

    text = "<script type=\"text/javascript\">var a = 1;</script> trailing";
    EXPECT_TRUE(wxIEHtmlWin::GetScriptLangCode(text, language));
    EXPECT_EQ(language, "javascript");
    EXPECT_EQ(text, "var a = 1;");

    text = "<script language=jscript>f()</Script>";
    EXPECT_TRUE(wxIEHtmlWin::GetScriptLangCode(text, language));
    EXPECT_EQ(language, "jscript");

    wxString noLanguage = "<script>f()</script>";
    EXPECT_FALSE(wxIEHtmlWin::GetScriptLangCode(noLanguage, language));
    wxString reversed = "> javascript <";
    EXPECT_FALSE(wxIEHtmlWin::GetScriptLangCode(reversed, language));
    wxString emptyBody = "<script language=javascript></script>";
    EXPECT_FALSE(wxIEHtmlWin::GetScriptLangCode(emptyBody, language));
    wxString unclosed = "<script language=javascript>f()";
    EXPECT_FALSE(wxIEHtmlWin::GetScriptLangCode(unclosed, language));
}

TEST(BrowserStreams, AdaptorsAnswerThePrefixFirst)
{
    std::istringstream source("<body>hi</body>");
    IStreamAdaptorBase* adaptor = new IStreamAdaptor(&source);
    adaptor->SetPrefix("<html>");
    char small[4];
    ASSERT_EQ(adaptor->Read(small, sizeof(small)), 4u);
    EXPECT_EQ(std::string(small, 4), "<htm");
    EXPECT_EQ(adaptor->ReadAll(), "l><body>hi</body>");
    EXPECT_EQ(adaptor->Read(small, sizeof(small)), 0u);
    adaptor->AddRef();
    adaptor->Release();
    adaptor->Release();

    wxMemoryInputStream memory("abc", 3);
    IwxStreamAdaptor wrapped(&memory);
    EXPECT_EQ(static_cast<IStreamAdaptorBase&>(wrapped).ReadAll(), "abc");
}

TEST(Encryption, KeyedTransformIsReversibleAndPrintable)
{
    const std::string password = "p\xC3\xA4ss w0rd&?";
    const std::string cipher = zzSimpleEncryptString(password, std::string());
    EXPECT_EQ(cipher.size(), password.size() * 2);
    EXPECT_EQ(cipher.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_NE(cipher, zzSimpleEncryptString(password, "other key"));
    EXPECT_EQ(zzSimpleEncryptString(password, std::string()), cipher) << "deterministic";
    EXPECT_EQ(zzSimpleDecryptString(cipher, std::string()), password);
    EXPECT_EQ(zzSimpleDecryptString(zzSimpleEncryptString(password, "k"), "k"), password);
    EXPECT_EQ(zzSimpleEncryptString("", "k"), "");
    EXPECT_EQ(zzSimpleDecryptString("ABC", ""), "") << "odd length";
    EXPECT_EQ(zzSimpleDecryptString("zz", ""), "") << "not hexadecimal";
}

TEST(BrowserTrust, OriginsByWhichPagesAreTrusted)
{
    EXPECT_EQ(wxIEHtmlWin::GetOrigin("HTTP://Example.ORG/a?b#c"), "http://example.org");
    EXPECT_EQ(wxIEHtmlWin::GetOrigin("http://example.org:80/"), "http://example.org");
    EXPECT_EQ(wxIEHtmlWin::GetOrigin("https://example.org:443/x"), "https://example.org");
    EXPECT_EQ(wxIEHtmlWin::GetOrigin("https://example.org:8443/x"), "https://example.org:8443");
    EXPECT_EQ(wxIEHtmlWin::GetOrigin("http://127.0.0.1:8080"), "http://127.0.0.1:8080");
    EXPECT_EQ(wxIEHtmlWin::GetOrigin("http://user:pw@example.org/"), "http://example.org");
    // Each local file stands alone; query and fragment do not count.
    EXPECT_EQ(wxIEHtmlWin::GetOrigin("file:///tmp/a%20b.html?x#y"), "file:///tmp/a b.html");
    EXPECT_EQ(wxIEHtmlWin::GetOrigin("file://localhost/tmp/a.html"), "file:///tmp/a.html");
    for (const char* never :
         {"", "about:blank", "data:text/html,<p>", "javascript:alert(1)", "kelext://bridge/call",
          "ftp://example.org/", "http:///nohost", "file://server/share/a.html", "relative.html"})
        EXPECT_EQ(wxIEHtmlWin::GetOrigin(never), "") << never;
}

TEST(BrowserTrust, BridgeFieldsDecodeExactlyOrNotAtAll)
{
    std::vector<wxString> fields;
    ASSERT_TRUE(kel::DecodeBridgeFields("a&b%26c&&%F0%9F%98%80%C3%BC", fields));
    EXPECT_EQ(fields,
              (std::vector<wxString>{"a", "b&c", "", wxString::FromUTF8("\xF0\x9F\x98\x80\xC3\xBC")}));
    // Beyond U+10FFFF, overlong forms (of a NUL among them) and lead bytes
    // no UTF-8 uses are no UTF-8 either.
    for (const char* bad : {"Echo%00Evil", "%FF", "a%C3b", "%", "%4", "%zz", "ok&%ED%A0%80", "%F4%90%80%80",
                            "%F4%9F%98%80", "Echo%C0%80Evil", "%E0%80%80", "%F0%80%80%80", "%F5%80%80%80"})
        EXPECT_FALSE(kel::DecodeBridgeFields(bad, fields)) << bad;

    const wxString lone = wxString("a") + wxUniChar(0xDC00) + "b";
    EXPECT_EQ(kel::WellFormed(lone), wxString("a") + wxUniChar(0xFFFD) + "b");
}
