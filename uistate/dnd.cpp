#include <kelctrls/dnd.h>

#include <wx/log.h>
#include <wx/thread.h>

#include <cstring>

// ----------------------------------------------------------------------------
// KelDndObject
// ----------------------------------------------------------------------------

KelDndObject::KelDndObject(const wxString& formatName, void* data)
    : m_format(GetDndFormat(formatName)), m_data(data)
{
}

wxString KelDndObject::GetDndFormatId(const wxString& name)
{
    return wxString::Format("%lu-%s", static_cast<unsigned long>(wxThread::GetCurrentId()), name);
}

wxDataFormat KelDndObject::GetDndFormat(const wxString& name)
{
    return wxDataFormat(GetDndFormatId(name));
}

wxDataFormat KelDndObject::GetPreferredFormat(Direction WXUNUSED(dir)) const
{
    return m_format;
}

size_t KelDndObject::GetFormatCount(Direction dir) const
{
    return dir == Get ? 1 + m_bitmapObject.GetFormatCount(dir) : 1;
}

void KelDndObject::GetAllFormats(wxDataFormat* formats, Direction dir) const
{
    formats[0] = m_format;
    if (dir == Get)
        m_bitmapObject.GetAllFormats(formats + 1, dir);
}

size_t KelDndObject::GetDataSize(const wxDataFormat& format) const
{
    if (format == m_format)
        return sizeof(m_data);
    return m_bitmapObject.GetDataSize(format);
}

bool KelDndObject::GetDataHere(const wxDataFormat& format, void* buf) const
{
    if (format == m_format)
    {
        std::memcpy(buf, &m_data, sizeof(m_data));
        return true;
    }
    return m_bitmapObject.GetDataHere(format, buf);
}

bool KelDndObject::SetData(const wxDataFormat& format, size_t len, const void* buf)
{
    if (format != m_format || len < sizeof(m_data) || !buf)
        return false;
    std::memcpy(&m_data, buf, sizeof(m_data));
    return true;
}

// ----------------------------------------------------------------------------
// KelDndDropTarget
// ----------------------------------------------------------------------------

KelDndDropTarget::KelDndDropTarget(KelDropReceverInterface* receiver, const wxString& formatName)
    : wxDropTarget(new KelDndObject(formatName)), m_receiver(receiver)
{
}

wxDragResult KelDndDropTarget::OnEnter(wxCoord x, wxCoord y, wxDragResult def)
{
    if (m_receiver)
        m_receiver->OnEnter(x, y, def);
    return OnDragOver(x, y, def);
}

void KelDndDropTarget::OnLeave()
{
    if (m_receiver)
        m_receiver->OnLeave();
}

wxDragResult KelDndDropTarget::OnData(wxCoord x, wxCoord y, wxDragResult def)
{
    if (!GetData())
    {
        wxLogError("Failed to get drag and drop data");
        return wxDragNone;
    }
    if (m_receiver)
        m_receiver->OnDndDataDrop(x, y, static_cast<KelDndObject*>(GetDataObject())->GetDndData());
    return def;
}

// ----------------------------------------------------------------------------
// KelFileDropTarget
// ----------------------------------------------------------------------------

KelFileDropTarget::KelFileDropTarget(KelFileDropTargetObserver* observer) : m_observer(observer) {}

bool KelFileDropTarget::OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files)
{
    return m_observer && m_observer->OnObservedDropFiles(x, y, files);
}

// ----------------------------------------------------------------------------
// wxMutiDropObjectAdapter
// ----------------------------------------------------------------------------

wxMutiDropObjectAdapter::wxMutiDropObjectAdapter() : m_current(nullptr) {}

// No object is registered at construction, so none can be current yet.
wxMutiDropObjectAdapter::wxMutiDropObjectAdapter(const wxDataFormat& WXUNUSED(format)) : m_current(nullptr) {}

wxMutiDropObjectAdapter::~wxMutiDropObjectAdapter()
{
    Release();
}

void wxMutiDropObjectAdapter::Release()
{
    for (wxDataObject* object : m_objects)
        delete object;
    m_objects.clear();
    m_current = nullptr;
}

void wxMutiDropObjectAdapter::RegisterObject(wxDataObject* object)
{
    if (!object)
        return;
    m_objects.push_back(object);
}

wxDataObject* wxMutiDropObjectAdapter::FindObject(const wxDataFormat& format) const
{
    for (wxDataObject* object : m_objects)
    {
        if (object->IsSupported(format, Get))
            return object;
    }
    return nullptr;
}

wxDataFormat wxMutiDropObjectAdapter::GetPreferredFormat(Direction dir) const
{
    return m_current ? m_current->GetPreferredFormat(dir) : wxDataFormat();
}

size_t wxMutiDropObjectAdapter::GetFormatCount(Direction dir) const
{
    size_t count = 0;
    for (wxDataObject* object : m_objects)
        count += object->GetFormatCount(dir);
    return count;
}

void wxMutiDropObjectAdapter::GetAllFormats(wxDataFormat* formats, Direction dir) const
{
    for (wxDataObject* object : m_objects)
    {
        object->GetAllFormats(formats, dir);
        formats += object->GetFormatCount(dir);
    }
}

size_t wxMutiDropObjectAdapter::GetDataSize(const wxDataFormat& format) const
{
    wxDataObject* object = FindObject(format);
    return object ? object->GetDataSize(format) : 0;
}

bool wxMutiDropObjectAdapter::GetDataHere(const wxDataFormat& format, void* buf) const
{
    wxDataObject* object = FindObject(format);
    return object && object->GetDataHere(format, buf);
}

bool wxMutiDropObjectAdapter::SetData(const wxDataFormat& format, size_t len, const void* buf)
{
    wxDataObject* object = FindObject(format);
    if (!object)
        return false;
    m_current = object;
    return object->SetData(format, len, buf);
}

// ----------------------------------------------------------------------------
// wxMutiDropTargetAdapter
// ----------------------------------------------------------------------------

wxMutiDropTargetAdapter::wxMutiDropTargetAdapter() : wxDropTarget(new wxMutiDropObjectAdapter) {}

wxMutiDropObjectAdapter* wxMutiDropTargetAdapter::GetAdapter() const
{
    return static_cast<wxMutiDropObjectAdapter*>(GetDataObject());
}

bool wxMutiDropTargetAdapter::AppendObject(wxDataObject* object)
{
    if (!object)
        return false;
    GetAdapter()->RegisterObject(object);
    return true;
}

wxDragResult wxMutiDropTargetAdapter::OnData(wxCoord x, wxCoord y, wxDragResult def)
{
    if (!GetData())
        return wxDragNone;
    wxDataObject* object = GetAdapter()->GetDataObject();
    if (!object)
        return wxDragNone;
    return OnDropData(object, x, y, def);
}

wxDragResult wxMutiDropTargetAdapter::OnDropData(wxDataObject* WXUNUSED(object), wxCoord WXUNUSED(x),
                                                 wxCoord WXUNUSED(y), wxDragResult def)
{
    return def;
}

// ----------------------------------------------------------------------------
// KelOrgDndData
// ----------------------------------------------------------------------------

KelOrgDndData::KelOrgDndData(const KelOrgDndData& other)
    : wxObject(other), m_id(other.m_id), m_name(other.m_name), m_type(other.m_type), m_extra(other.m_extra)
{
}

KelOrgDndData& KelOrgDndData::operator=(const KelOrgDndData& other)
{
    if (this != &other)
    {
        wxObject::operator=(other);
        m_id = other.m_id;
        m_name = other.m_name;
        m_type = other.m_type;
        m_extra = other.m_extra;
    }
    return *this;
}
