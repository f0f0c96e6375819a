// A window that hosts one embeddable control (on this client the web
// browser) and makes its events, properties and methods usable by name with
// wxVariant values; it also gives the hosted page an external scripting
// object whose calls come back to the window through two virtual hooks.
#ifndef KELCTRLS_BROWSER_ACTIVEX_H
#define KELCTRLS_BROWSER_ACTIVEX_H

#include <kelctrls/base.h>

#include <wx/arrstr.h>
#include <wx/datetime.h>
#include <wx/event.h>
#include <wx/variant.h>
#include <wx/window.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

// ---------------------------------------------------------------------------
// Control-side values
// ---------------------------------------------------------------------------

// Type codes of the values exchanged with a hosted control.
enum wxAxVarType : unsigned short
{
    wxAX_VT_EMPTY = 0,
    wxAX_VT_NULL = 1,
    wxAX_VT_I4 = 3,
    wxAX_VT_R4 = 4,
    wxAX_VT_R8 = 5,
    wxAX_VT_DATE = 7,
    wxAX_VT_BSTR = 8,
    wxAX_VT_DISPATCH = 9,
    wxAX_VT_BOOL = 11,
    wxAX_VT_VARIANT = 12,
    wxAX_VT_DECIMAL = 14,
    wxAX_VT_I1 = 16,
    wxAX_VT_VOID = 24,
    wxAX_VT_ARRAY = 0x2000,
    wxAX_VT_BYREF = 0x4000
};

// One value as the hosted control sees it: a type code and the field that
// belongs to it (R4 and DECIMAL values are held in dblVal, arrays are
// arrays of strings, BYREF|VOID and DISPATCH values are pointers).
struct KELCTRLS_API wxAxVariant
{
    wxAxVariant() = default;
    explicit wxAxVariant(bool value) : vt(wxAX_VT_BOOL), boolVal(value) {}
    explicit wxAxVariant(long value) : vt(wxAX_VT_I4), lVal(value) {}
    explicit wxAxVariant(double value) : vt(wxAX_VT_R8), dblVal(value) {}
    explicit wxAxVariant(const wxString& value) : vt(wxAX_VT_BSTR), bstrVal(value) {}
    explicit wxAxVariant(const char* value) : vt(wxAX_VT_BSTR), bstrVal(value) {}
    explicit wxAxVariant(void* value) : vt(wxAX_VT_BYREF | wxAX_VT_VOID), byref(value) {}

    // True for the empty and the null value.
    bool IsEmpty() const { return vt == wxAX_VT_EMPTY || vt == wxAX_VT_NULL; }

    unsigned short vt = wxAX_VT_EMPTY;
    bool boolVal = false;
    char cVal = 0;
    long lVal = 0;
    double dblVal = 0;
    wxDateTime date;
    wxString bstrVal;
    wxArrayString array;
    void* byref = nullptr;
};

// The type code for a wxVariant type name: "bool" 11, "char" 16, "datetime",
// "date" and "time" 7, "double" 5, "list", "stringlist" and "arrstring"
// (the toolkit's name for a string list) 0x2000, "long" 3, "string" 8,
// "void*" 0x4018, anything else 1.
KELCTRLS_API unsigned short wxAxVarTypeFromName(const wxString& typeName);

// Conversions between the two kinds of value. Both return false when the
// value cannot be represented; the name of `out` is kept.
KELCTRLS_API bool wxVariantToAxVariant(const wxVariant& value, wxAxVariant& out);
KELCTRLS_API bool wxAxVariantToVariant(const wxAxVariant& value, wxVariant& out);

// ---------------------------------------------------------------------------
// Type information
// ---------------------------------------------------------------------------

// Parameter flags.
enum
{
    wxAX_PARAM_IN = 1,
    wxAX_PARAM_OUT = 2,
    wxAX_PARAM_RETVAL = 8,
    wxAX_PARAM_OPTIONAL = 16
};

// A parameter of an event or method, or the type of a property.
struct KELCTRLS_API ParamX
{
    unsigned short flags = wxAX_PARAM_IN;
    bool isPtr = false;
    bool isSafeArray = false;
    bool isOptional = false;
    unsigned short vt = wxAX_VT_EMPTY;
    wxString name;

    // The direction flags.
    bool IsIn() const { return (flags & wxAX_PARAM_IN) != 0; }
    bool IsOut() const { return (flags & wxAX_PARAM_OUT) != 0; }
    bool IsRetVal() const { return (flags & wxAX_PARAM_RETVAL) != 0; }
};

// An event or a method: its name, member id, whether a parameter is an
// out-parameter, the return type and the parameters in declaration order.
struct KELCTRLS_API FuncX
{
    wxString name;
    long memid = 0;
    bool hasOut = false;
    ParamX retType;
    std::vector<ParamX> params;
};

// A property: its name, member id, type, the type of its argument when
// set, and whether it can be read and set.
struct KELCTRLS_API PropX
{
    wxString name;
    long memid = 0;
    ParamX type;
    ParamX arg;
    bool putByRef = false;
    bool canGet = false;
    bool canSet = false;

    bool CanGet() const { return canGet; }
    bool CanSet() const { return canSet; }
};

// What a hosted control publishes about itself.
struct KELCTRLS_API wxAxTypeInfo
{
    std::vector<FuncX> events;
    std::vector<PropX> props;
    std::vector<FuncX> methods;
};

// Thrown by the name lookups and value conversions of wxActiveX; what()
// gives the message ("property <Name> not found" and the like).
class KELCTRLS_API wxActiveXException : public std::runtime_error
{
public:
    explicit wxActiveXException(const wxString& message) : std::runtime_error(message.utf8_string()) {}
};

// ---------------------------------------------------------------------------
// Events
// ---------------------------------------------------------------------------

// The event type for a control event, by name (compared without regard to
// case) or by member id. Each is made once, on first request, and lives
// until the process ends; the reference stays valid, so static event tables
// can name control events (see EVT_ACTIVEX).
KELCTRLS_API const wxEventType& RegisterActiveXEvent(const wxString& eventName);
KELCTRLS_API const wxEventType& RegisterActiveXEvent(long memberId);

// A control event. Its parameters are named after the control's parameters;
// for events with out-parameters, assigning to a parameter changes the value
// handed back to the control.
class KELCTRLS_API wxActiveXEvent : public wxCommandEvent
{
public:
    explicit wxActiveXEvent(wxEventType type = wxEVT_NULL, int id = 0);
    wxActiveXEvent(const wxActiveXEvent& other) = default;

    wxEvent* Clone() const override { return new wxActiveXEvent(*this); }

    // The control's member id of the event.
    long GetMemberId() const { return m_memberId; }
    void SetMemberId(long memberId) { m_memberId = memberId; }

    // The parameters by position: their number, type name, name and value
    // (an index must be below ParamCount).
    int ParamCount() const { return static_cast<int>(m_params.GetCount()); }
    wxString ParamType(int index) const { return m_params[index].GetType(); }
    wxString ParamName(int index) const { return m_params[index].GetName(); }
    wxVariant& operator[](int index) { return m_params[index]; }
    // The parameter of that name, compared without regard to case; a name
    // that is not there yields a shared empty variant.
    wxVariant& operator[](const wxString& name);

    // Appends a parameter (the container does this while building the event).
    void AddParam(const wxVariant& value) { m_params.Append(value); }
    wxVariant& GetParams() { return m_params; }

private:
    wxVariant m_params;
    long m_memberId = 0;

    wxDECLARE_DYNAMIC_CLASS_NO_ASSIGN(wxActiveXEvent);
};

typedef void (wxEvtHandler::*wxActiveXEventFunction)(wxActiveXEvent&);
#define wxActiveXEventHandler(func) wxEVENT_HANDLER_CAST(wxActiveXEventFunction, func)

// The same types for Bind: `Bind(wxActiveXEventType("TitleChange"), ...)`.
inline wxEventTypeTag<wxActiveXEvent> wxActiveXEventType(const wxString& eventName)
{
    return wxEventTypeTag<wxActiveXEvent>(RegisterActiveXEvent(eventName));
}
inline wxEventTypeTag<wxActiveXEvent> wxActiveXEventType(long memberId)
{
    return wxEventTypeTag<wxActiveXEvent>(RegisterActiveXEvent(memberId));
}

#define EVT_ACTIVEX(id, eventName, fn)                                                                       \
    wx__DECLARE_EVT1(RegisterActiveXEvent(wxString(eventName)), id, wxActiveXEventHandler(fn))
#define EVT_ACTIVEX_DISPID(id, memberId, fn)                                                                 \
    wx__DECLARE_EVT1(RegisterActiveXEvent(static_cast<long>(memberId)), id, wxActiveXEventHandler(fn))

// ---------------------------------------------------------------------------
// The host
// ---------------------------------------------------------------------------

class wxActiveX;

// A control that a wxActiveX can host. It creates its window as a child of
// the container, describes its events, properties and methods, and reports
// events through wxActiveX::FireEvent.
class KELCTRLS_API wxAxHostedControl
{
public:
    virtual ~wxAxHostedControl() = default;

    // Creates the control's window; false leaves the container empty.
    virtual bool Create(wxActiveX* container) = 0;
    virtual wxWindow* GetWindow() const = 0;
    virtual void DescribeTypes(wxAxTypeInfo& info) const = 0;

    virtual bool GetProperty(long memid, wxAxVariant& value) = 0;
    virtual bool SetProperty(long memid, const wxAxVariant& value) = 0;
    // `args` are in declaration order; out-parameters may be written.
    virtual bool Invoke(long memid, std::vector<wxAxVariant>& args, wxAxVariant& result) = 0;

    // The container's ambient property `memid` has changed.
    virtual void AmbientPropertyChanged(long memid) { wxUnusedVar(memid); }
};

using wxAxControlFactory = std::function<wxAxHostedControl*()>;

// Result codes of the scripting object.
enum : std::uint32_t
{
    wxAX_OK = 0,
    wxAX_E_NOTIMPL = 0x80004001,
    wxAX_E_NOINTERFACE = 0x80004002,
    wxAX_E_INVALIDARG = 0x80070057,
    wxAX_E_NONAMEDARGS = 0x80020007
};

// Call kinds of the scripting object.
enum
{
    wxAX_DISPATCH_METHOD = 1,
    wxAX_DISPATCH_PROPERTYGET = 2,
    wxAX_DISPATCH_PROPERTYPUT = 4
};

// The member id that names the value of a property assignment.
enum
{
    wxAX_DISPID_PROPERTYPUT = -3
};

// The page's external object. A call from the page first looks its name up,
// which the owner's JScriptCheck accepts or refuses; the accepted name is
// remembered and the following call hands it with the arguments to the
// owner's JScriptProcess, whose text is the call's value.
class KELCTRLS_API wxActiveXScriptObject
{
public:
    explicit wxActiveXScriptObject(wxActiveX* owner) : m_owner(owner) {}

    // `interfaceId` must be empty (the null id). Only the first name is
    // looked up; the ids of further names are set to -1.
    std::uint32_t GetIDsOfNames(const wxString& interfaceId, const wxArrayString& names,
                                std::vector<long>& ids);
    // `argsLastFirst` are the positional arguments, last first; `namedIds`
    // the ids of the named ones (which come first in `argsLastFirst`).
    std::uint32_t Invoke(int flags, const std::vector<wxAxVariant>& argsLastFirst,
                         const std::vector<long>& namedIds, wxAxVariant* result);

    // Both steps at once, as a page's call makes them: false when the name
    // is refused or the call fails. Calls may nest (a handler may make one):
    // each handler gets its own name, and the outer name stays pending.
    // The owner may be destroyed by the handler; Call then touches it no
    // more.
    bool Call(const wxString& name, const wxArrayString& args, wxString& answer);

    const wxString& GetPendingName() const { return m_pendingName; }

private:
    bool LookUpAndInvoke(const wxString& name, const wxArrayString& args, wxString& answer);

    wxActiveX* m_owner;
    wxString m_pendingName;
};

class KELCTRLS_API wxActiveX : public wxWindow
{
public:
    // Hosts the control registered under `classId` (a class id in braces or
    // a program id, see RegisterControlClass). A control that cannot be
    // created leaves the window empty.
    wxActiveX(wxWindow* parent, const wxString& classId, wxWindowID id = wxID_ANY,
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
              const wxString& name = "wxActiveXContainer");
    ~wxActiveX() override;

    // Makes a kind of control available to all containers.
    static void RegisterControlClass(const wxString& classId, const wxString& progId,
                                     wxAxControlFactory factory);

    // The hosted control, owned by the window (null when none could be
    // created).
    bool HasControl() const { return m_control != nullptr; }
    wxAxHostedControl* GetControl() const { return m_control.get(); }
    // The control's own window (null without a control).
    wxWindow* GetOLEHWND() const;

    // Type information. The lookups by index and by name (compared without
    // regard to case) throw wxActiveXException for an index out of bounds
    // or an unknown name.
    int GetEventCount() const { return static_cast<int>(m_events.size()); }
    int GetPropCount() const { return static_cast<int>(m_props.size()); }
    int GetMethodCount() const { return static_cast<int>(m_methods.size()); }
    const FuncX& GetEventDesc(int index) const;
    const PropX& GetPropDesc(int index) const;
    const PropX& GetPropDesc(const wxString& name) const;
    const FuncX& GetMethodDesc(int index) const;
    const FuncX& GetMethodDesc(const wxString& name) const;

    // Properties. By member id the value goes to the control as it is (an
    // unknown id does nothing, or gives the empty value). By name: setting
    // a read-only property or reading a write-only one throws, and so do
    // values that do not convert ("Unable to convert variant").
    void SetProp(long memid, const wxAxVariant& value);
    void SetProp(const wxString& name, const wxVariant& value);
    wxAxVariant GetPropAsVariant(long memid);
    wxAxVariant GetPropAsVariant(const wxString& name);
    wxVariant GetPropAsWxVariant(const wxString& name);
    wxString GetPropAsString(const wxString& name);
    char GetPropAsChar(const wxString& name);
    long GetPropAsLong(const wxString& name);
    bool GetPropAsBool(const wxString& name);
    double GetPropAsDouble(const wxString& name);
    wxDateTime GetPropAsDateTime(const wxString& name);
    void* GetPropAsPointer(const wxString& name);

    // Allows `Prop("Visible") = false;`.
    class PropertySetter
    {
    public:
        PropertySetter(wxActiveX* owner, const wxString& name) : m_owner(owner), m_name(name) {}
        template <typename T>
        PropertySetter& operator=(const T& value)
        {
            m_owner->SetProp(m_name, wxVariant(value));
            return *this;
        }

    private:
        wxActiveX* m_owner;
        wxString m_name;
    };
    PropertySetter Prop(const wxString& name) { return PropertySetter(this, name); }

    // Methods. `argc` -1 passes as many arguments as the method declares;
    // arguments in declaration order; out-parameters are written back into
    // `args`. An unknown name throws.
    wxVariant CallMethod(const wxString& name, wxVariant args[] = nullptr, int argc = -1);
    wxAxVariant CallMethod(const wxString& name, wxAxVariant args[], int argc);
    wxAxVariant CallMethod(long memid, wxAxVariant args[], int argc);

    // Hooks of the page's external object: whether a page may call `name`,
    // and the answer to such a call (the base refuses every name). The
    // browser window calls them only for its trusted pages (see wxIEHtmlWin).
    virtual bool JScriptCheck(const wxString& name);
    virtual wxString JScriptProcess(const wxString& name, wxArrayString& args);
    wxActiveXScriptObject& GetScriptObject() { return m_scriptObject; }

    // Ambient properties the container reports to its control; false for
    // one it does not know. AmbientPropertyChanged tells the control that
    // `memid` changed.
    virtual bool GetAmbientProperty(long memid, wxAxVariant& value);
    void AmbientPropertyChanged(long memid);

    // Called by the control: delivers its event `memid` with `args` in
    // declaration order (see the class comment of wxActiveXEvent). Events
    // with out-parameters are processed at once and the out-parameters
    // written back into `args`; the others are queued.
    void FireEvent(long memid, std::vector<wxAxVariant>& args);

protected:
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnSetFocus(wxFocusEvent& event);

private:
    bool CreateActiveX(const wxString& classId);
    const FuncX* FindEvent(long memid) const;
    const PropX& FindProp(const wxString& name) const;
    wxAxVariant ConvertForControl(const wxVariant& value) const;

    using NameIndex = std::map<wxString, int>;

    std::unique_ptr<wxAxHostedControl> m_control;
    std::vector<FuncX> m_events;
    std::vector<PropX> m_props;
    std::vector<FuncX> m_methods;
    NameIndex m_propNames;   // lower-cased name -> index
    NameIndex m_methodNames; // lower-cased name -> index
    std::map<long, int> m_eventIds;
    wxActiveXScriptObject m_scriptObject;

    wxDECLARE_EVENT_TABLE();
};

#endif
