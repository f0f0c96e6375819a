#include <kelctrls/browser/activex.h>

#include <wx/dcclient.h>
#include <wx/weakref.h>

namespace
{

// ---------------------------------------------------------------------------
// Value conversion
// ---------------------------------------------------------------------------

wxVariant NamedLike(const wxVariant& value, const wxVariant& nameSource)
{
    wxVariant named(value);
    named.SetName(nameSource.GetName());
    return named;
}

wxArrayString StringsOfList(const wxVariant& list)
{
    wxArrayString strings;
    for (size_t i = 0; i < list.GetCount(); ++i)
        strings.Add(list[i].MakeString());
    return strings;
}

// ---------------------------------------------------------------------------
// Process-wide event registry
// ---------------------------------------------------------------------------

struct EventRegistry
{
    std::map<wxString, wxEventType> byName; // lower-cased name
    std::map<long, wxEventType> byId;

    static EventRegistry& Get()
    {
        static EventRegistry registry;
        return registry;
    }
};

wxEventType FindRegisteredEvent(long memberId)
{
    const auto& byId = EventRegistry::Get().byId;
    const auto it = byId.find(memberId);
    return it == byId.end() ? wxEVT_NULL : it->second;
}

// ---------------------------------------------------------------------------
// Control classes
// ---------------------------------------------------------------------------

std::map<wxString, wxAxControlFactory>& ControlClasses()
{
    static std::map<wxString, wxAxControlFactory> classes;
    return classes;
}

template <typename T>
const T& DescAt(const std::vector<T>& table, int index, const char* message)
{
    if (index < 0 || index >= static_cast<int>(table.size()))
        throw wxActiveXException(message);
    return table[index];
}

} // namespace

unsigned short wxAxVarTypeFromName(const wxString& typeName)
{
    static const std::map<wxString, unsigned short> types = {
        {"bool", wxAX_VT_BOOL},  {"char", wxAX_VT_I1},          {"datetime", wxAX_VT_DATE},
        {"date", wxAX_VT_DATE},  {"time", wxAX_VT_DATE},        {"double", wxAX_VT_R8},
        {"list", wxAX_VT_ARRAY}, {"stringlist", wxAX_VT_ARRAY}, {"arrstring", wxAX_VT_ARRAY},
        {"long", wxAX_VT_I4},    {"string", wxAX_VT_BSTR},      {"void*", wxAX_VT_BYREF | wxAX_VT_VOID},
    };
    const auto it = types.find(typeName);
    return it == types.end() ? static_cast<unsigned short>(wxAX_VT_NULL) : it->second;
}

bool wxVariantToAxVariant(const wxVariant& value, wxAxVariant& out)
{
    const wxString type = value.GetType();
    out = wxAxVariant();
    out.vt = wxAxVarTypeFromName(type);
    switch (out.vt)
    {
    case wxAX_VT_BOOL:
        out.boolVal = value.GetBool();
        break;
    case wxAX_VT_I1:
        out.cVal = static_cast<char>(value.GetChar().GetValue());
        break;
    case wxAX_VT_DATE:
        out.date = value.GetDateTime();
        break;
    case wxAX_VT_R8:
        out.dblVal = value.GetDouble();
        break;
    case wxAX_VT_ARRAY:
        out.array = type == "list" ? StringsOfList(value) : value.GetArrayString();
        break;
    case wxAX_VT_I4:
        out.lVal = value.GetLong();
        break;
    case wxAX_VT_BSTR:
        out.bstrVal = value.GetString();
        break;
    case wxAX_VT_BYREF | wxAX_VT_VOID:
        out.byref = value.GetVoidPtr();
        break;
    default:
        break;
    }
    return true;
}

bool wxAxVariantToVariant(const wxAxVariant& value, wxVariant& out)
{
    switch (value.vt)
    {
    case wxAX_VT_EMPTY:
    case wxAX_VT_NULL:
        out = NamedLike(wxVariant(), out);
        return true;
    case wxAX_VT_BOOL:
        out = NamedLike(wxVariant(value.boolVal), out);
        return true;
    case wxAX_VT_I1:
        out = NamedLike(wxVariant(wxUniChar(static_cast<unsigned char>(value.cVal))), out);
        return true;
    case wxAX_VT_I4:
        out = NamedLike(wxVariant(value.lVal), out);
        return true;
    case wxAX_VT_R4:
    case wxAX_VT_R8:
    case wxAX_VT_DECIMAL:
        out = NamedLike(wxVariant(value.dblVal), out);
        return true;
    case wxAX_VT_DATE:
        out = NamedLike(wxVariant(value.date), out);
        return true;
    case wxAX_VT_BSTR:
        out = NamedLike(wxVariant(value.bstrVal), out);
        return true;
    case wxAX_VT_ARRAY:
    case wxAX_VT_ARRAY | wxAX_VT_BSTR:
        out = NamedLike(wxVariant(value.array), out);
        return true;
    case wxAX_VT_DISPATCH:
    case wxAX_VT_BYREF | wxAX_VT_VOID:
        out = NamedLike(wxVariant(value.byref), out);
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------
// Event registry and event
// ---------------------------------------------------------------------------

const wxEventType& RegisterActiveXEvent(const wxString& eventName)
{
    auto& byName = EventRegistry::Get().byName;
    const wxString key = eventName.Lower();
    auto it = byName.find(key);
    if (it == byName.end())
        it = byName.emplace(key, wxNewEventType()).first;
    return it->second;
}

const wxEventType& RegisterActiveXEvent(long memberId)
{
    auto& byId = EventRegistry::Get().byId;
    auto it = byId.find(memberId);
    if (it == byId.end())
        it = byId.emplace(memberId, wxNewEventType()).first;
    return it->second;
}

wxIMPLEMENT_DYNAMIC_CLASS(wxActiveXEvent, wxCommandEvent);

wxActiveXEvent::wxActiveXEvent(wxEventType type, int id) : wxCommandEvent(type, id)
{
    m_params.NullList();
}

wxVariant& wxActiveXEvent::operator[](const wxString& name)
{
    for (size_t i = 0; i < m_params.GetCount(); ++i)
        if (m_params[i].GetName().IsSameAs(name, false))
            return m_params[i];

    static wxVariant missing;
    missing = wxVariant();
    return missing;
}

// ---------------------------------------------------------------------------
// Scripting object
// ---------------------------------------------------------------------------

std::uint32_t wxActiveXScriptObject::GetIDsOfNames(const wxString& interfaceId, const wxArrayString& names,
                                                   std::vector<long>& ids)
{
    if (!interfaceId.empty())
        return wxAX_E_NOINTERFACE;

    ids.assign(names.size(), -1);
    if (names.empty() || !m_owner->JScriptCheck(names[0]))
        return wxAX_E_NOTIMPL;

    m_pendingName = names[0];
    ids[0] = 1;
    return wxAX_OK;
}

std::uint32_t wxActiveXScriptObject::Invoke(int flags, const std::vector<wxAxVariant>& argsLastFirst,
                                            const std::vector<long>& namedIds, wxAxVariant* result)
{
    if (!(flags & wxAX_DISPATCH_METHOD) && !result)
        return wxAX_E_INVALIDARG;
    if (!namedIds.empty() && !(namedIds.size() == 1 && namedIds[0] == wxAX_DISPID_PROPERTYPUT))
        return wxAX_E_NONAMEDARGS;

    wxArrayString args;
    for (auto it = argsLastFirst.rbegin(); it != argsLastFirst.rend(); ++it)
    {
        wxVariant value;
        args.Add(wxAxVariantToVariant(*it, value) && !value.IsNull() ? value.MakeString() : wxString());
    }

    // The handler gets a name of its own: a call nested in it may look up
    // another name meanwhile.
    const wxString name = m_pendingName;
    const wxString answer = m_owner->JScriptProcess(name, args);
    if (result)
        *result = wxAxVariant(answer);
    return wxAX_OK;
}

bool wxActiveXScriptObject::Call(const wxString& name, const wxArrayString& args, wxString& answer)
{
    // A call nested in another one's handler leaves the outer name pending.
    const wxString outerName = m_pendingName;
    const wxWeakRef<wxActiveX> owner(m_owner);
    const bool answered = LookUpAndInvoke(name, args, answer);
    if (owner)
        m_pendingName = outerName;
    return answered;
}

bool wxActiveXScriptObject::LookUpAndInvoke(const wxString& name, const wxArrayString& args, wxString& answer)
{
    std::vector<long> ids;
    if (GetIDsOfNames(wxString(), wxArrayString(1, &name), ids) != wxAX_OK)
        return false;

    std::vector<wxAxVariant> argsLastFirst;
    for (size_t i = args.size(); i > 0; --i)
        argsLastFirst.emplace_back(args[i - 1]);

    wxAxVariant result;
    if (Invoke(wxAX_DISPATCH_METHOD, argsLastFirst, std::vector<long>(), &result) != wxAX_OK)
        return false;
    answer = result.bstrVal;
    return true;
}

// ---------------------------------------------------------------------------
// wxActiveX
// ---------------------------------------------------------------------------

// clang-format off
wxBEGIN_EVENT_TABLE(wxActiveX, wxWindow)
    EVT_SIZE(wxActiveX::OnSize)
    EVT_PAINT(wxActiveX::OnPaint)
    EVT_SET_FOCUS(wxActiveX::OnSetFocus)
wxEND_EVENT_TABLE()
// clang-format on

wxActiveX::wxActiveX(wxWindow* parent, const wxString& classId, wxWindowID id, const wxPoint& pos,
                     const wxSize& size, long style, const wxString& name)
    : wxWindow(parent, id, pos, size, style, name), m_scriptObject(this)
{
    CreateActiveX(classId);
}

wxActiveX::~wxActiveX()
{
    // The control's window is a child and is destroyed with the others; the
    // control itself goes first so that it stops reporting events.
    m_control.reset();
}

void wxActiveX::RegisterControlClass(const wxString& classId, const wxString& progId,
                                     wxAxControlFactory factory)
{
    auto& classes = ControlClasses();
    if (!classId.empty())
        classes[classId.Lower()] = factory;
    if (!progId.empty())
        classes[progId.Lower()] = factory;
}

bool wxActiveX::CreateActiveX(const wxString& classId)
{
    const auto& classes = ControlClasses();
    const auto it = classes.find(classId.Lower());
    if (it == classes.end())
        return false;

    std::unique_ptr<wxAxHostedControl> control(it->second());
    if (!control || !control->Create(this))
        return false;

    wxAxTypeInfo info;
    control->DescribeTypes(info);
    m_events = std::move(info.events);
    m_props = std::move(info.props);
    m_methods = std::move(info.methods);
    for (size_t i = 0; i < m_events.size(); ++i)
        m_eventIds[m_events[i].memid] = static_cast<int>(i);
    for (size_t i = 0; i < m_props.size(); ++i)
        m_propNames[m_props[i].name.Lower()] = static_cast<int>(i);
    for (size_t i = 0; i < m_methods.size(); ++i)
        m_methodNames[m_methods[i].name.Lower()] = static_cast<int>(i);
    m_control = std::move(control);

    m_control->GetWindow()->Show();
    wxSizeEvent sizeEvent(GetSize(), GetId());
    sizeEvent.SetEventObject(this);
    GetEventHandler()->AddPendingEvent(sizeEvent);
    return true;
}

wxWindow* wxActiveX::GetOLEHWND() const
{
    return m_control ? m_control->GetWindow() : nullptr;
}

const FuncX& wxActiveX::GetEventDesc(int index) const
{
    return DescAt(m_events, index, "Event index out of bounds");
}

const PropX& wxActiveX::GetPropDesc(int index) const
{
    return DescAt(m_props, index, "Property index out of bounds");
}

const FuncX& wxActiveX::GetMethodDesc(int index) const
{
    return DescAt(m_methods, index, "Method index out of bounds");
}

const PropX& wxActiveX::GetPropDesc(const wxString& name) const
{
    return FindProp(name);
}

const PropX& wxActiveX::FindProp(const wxString& name) const
{
    const auto it = m_propNames.find(name.Lower());
    if (it == m_propNames.end())
        throw wxActiveXException("property <" + name + "> not found");
    return m_props[it->second];
}

const FuncX& wxActiveX::GetMethodDesc(const wxString& name) const
{
    const auto it = m_methodNames.find(name.Lower());
    if (it == m_methodNames.end())
        throw wxActiveXException("method <" + name + "> not found");
    return m_methods[it->second];
}

const FuncX* wxActiveX::FindEvent(long memid) const
{
    const auto it = m_eventIds.find(memid);
    return it == m_eventIds.end() ? nullptr : &m_events[it->second];
}

wxAxVariant wxActiveX::ConvertForControl(const wxVariant& value) const
{
    wxAxVariant converted;
    if (!wxVariantToAxVariant(value, converted))
        throw wxActiveXException("Unable to convert variant");
    return converted;
}

void wxActiveX::SetProp(long memid, const wxAxVariant& value)
{
    if (m_control)
        m_control->SetProperty(memid, value);
}

void wxActiveX::SetProp(const wxString& name, const wxVariant& value)
{
    const PropX& prop = FindProp(name);
    if (!prop.CanSet())
        throw wxActiveXException("property <" + name + "> is readonly");
    SetProp(prop.memid, ConvertForControl(value));
}

wxAxVariant wxActiveX::GetPropAsVariant(long memid)
{
    wxAxVariant value;
    if (m_control)
        m_control->GetProperty(memid, value);
    return value;
}

wxAxVariant wxActiveX::GetPropAsVariant(const wxString& name)
{
    const PropX& prop = FindProp(name);
    if (!prop.CanGet())
        throw wxActiveXException("property <" + name + ")> is writeonly");
    return GetPropAsVariant(prop.memid);
}

wxVariant wxActiveX::GetPropAsWxVariant(const wxString& name)
{
    wxVariant value;
    value.SetName(FindProp(name).name);
    if (!wxAxVariantToVariant(GetPropAsVariant(name), value))
        throw wxActiveXException("Unable to convert variant");
    return value;
}

wxString wxActiveX::GetPropAsString(const wxString& name)
{
    wxString text;
    if (!GetPropAsWxVariant(name).Convert(&text))
        throw wxActiveXException("Unable to convert variant");
    return text;
}

char wxActiveX::GetPropAsChar(const wxString& name)
{
    wxUniChar c;
    if (!GetPropAsWxVariant(name).Convert(&c))
        throw wxActiveXException("Unable to convert variant");
    return static_cast<char>(c.GetValue());
}

long wxActiveX::GetPropAsLong(const wxString& name)
{
    long number = 0;
    if (!GetPropAsWxVariant(name).Convert(&number))
        throw wxActiveXException("Unable to convert variant");
    return number;
}

bool wxActiveX::GetPropAsBool(const wxString& name)
{
    bool flag = false;
    if (!GetPropAsWxVariant(name).Convert(&flag))
        throw wxActiveXException("Unable to convert variant");
    return flag;
}

double wxActiveX::GetPropAsDouble(const wxString& name)
{
    double number = 0;
    if (!GetPropAsWxVariant(name).Convert(&number))
        throw wxActiveXException("Unable to convert variant");
    return number;
}

wxDateTime wxActiveX::GetPropAsDateTime(const wxString& name)
{
    wxDateTime date;
    if (!GetPropAsWxVariant(name).Convert(&date))
        throw wxActiveXException("Unable to convert variant to wxDateTime");
    return date;
}

void* wxActiveX::GetPropAsPointer(const wxString& name)
{
    const wxVariant value = GetPropAsWxVariant(name);
    if (value.GetType() != "void*")
        throw wxActiveXException("Unable to convert variant");
    return value.GetVoidPtr();
}

wxVariant wxActiveX::CallMethod(const wxString& name, wxVariant args[], int argc)
{
    const FuncX& method = GetMethodDesc(name);
    if (argc < 0)
        argc = args ? static_cast<int>(method.params.size()) : 0;

    std::vector<wxAxVariant> axArgs;
    for (int i = 0; i < argc; ++i)
        axArgs.push_back(ConvertForControl(args[i]));

    wxAxVariant result;
    if (m_control)
        m_control->Invoke(method.memid, axArgs, result);

    for (int i = 0; i < argc && i < static_cast<int>(method.params.size()); ++i)
        if (method.params[i].IsOut())
            wxAxVariantToVariant(axArgs[i], args[i]);

    wxVariant value;
    if (!wxAxVariantToVariant(result, value))
        throw wxActiveXException("Unable to convert variant");
    return value;
}

wxAxVariant wxActiveX::CallMethod(const wxString& name, wxAxVariant args[], int argc)
{
    return CallMethod(GetMethodDesc(name).memid, args, argc);
}

wxAxVariant wxActiveX::CallMethod(long memid, wxAxVariant args[], int argc)
{
    std::vector<wxAxVariant> axArgs(args, args + std::max(argc, 0));
    wxAxVariant result;
    if (m_control)
        m_control->Invoke(memid, axArgs, result);
    std::copy(axArgs.begin(), axArgs.end(), args);
    return result;
}

bool wxActiveX::JScriptCheck(const wxString& WXUNUSED(name))
{
    return false;
}

wxString wxActiveX::JScriptProcess(const wxString& WXUNUSED(name), wxArrayString& WXUNUSED(args))
{
    return wxString();
}

bool wxActiveX::GetAmbientProperty(long WXUNUSED(memid), wxAxVariant& WXUNUSED(value))
{
    return false;
}

void wxActiveX::AmbientPropertyChanged(long memid)
{
    if (m_control)
        m_control->AmbientPropertyChanged(memid);
}

void wxActiveX::FireEvent(long memid, std::vector<wxAxVariant>& args)
{
    const FuncX* desc = FindEvent(memid);
    if (!desc)
        return;

    wxActiveXEvent event(RegisterActiveXEvent(desc->name), GetId());
    event.SetEventObject(this);
    event.SetMemberId(memid);
    for (size_t i = 0; i < desc->params.size(); ++i)
    {
        wxVariant value;
        if (i < args.size())
            wxAxVariantToVariant(args[i], value);
        value.SetName(desc->params[i].name);
        event.AddParam(value);
    }

    // Handlers may name the event by its name or by its member id; the
    // latter only when someone asked for that type.
    wxActiveXEvent byId(FindRegisteredEvent(memid), GetId());
    byId.SetEventObject(this);
    byId.SetMemberId(memid);

    if (!desc->hasOut)
    {
        GetEventHandler()->AddPendingEvent(event);
        if (byId.GetEventType() != wxEVT_NULL)
        {
            byId.GetParams() = event.GetParams();
            GetEventHandler()->AddPendingEvent(byId);
        }
        return;
    }

    GetEventHandler()->ProcessEvent(event);
    wxActiveXEvent* answered = &event;
    if (byId.GetEventType() != wxEVT_NULL)
    {
        byId.GetParams() = event.GetParams();
        GetEventHandler()->ProcessEvent(byId);
        answered = &byId;
    }

    for (size_t i = 0; i < desc->params.size() && i < args.size(); ++i)
        if (desc->params[i].IsOut())
            wxVariantToAxVariant((*answered)[static_cast<int>(i)], args[i]);
}

void wxActiveX::OnSize(wxSizeEvent& event)
{
    if (wxWindow* control = GetOLEHWND())
        control->SetSize(GetClientSize());
    event.Skip();
}

void wxActiveX::OnPaint(wxPaintEvent& WXUNUSED(event))
{
    // The control's window paints itself; an empty container stays blank.
    wxPaintDC dc(this);
}

void wxActiveX::OnSetFocus(wxFocusEvent& event)
{
    if (wxWindow* control = GetOLEHWND())
        control->SetFocus();
    event.Skip();
}
