// Drag and drop between windows of the client: a data object that carries a
// pointer together with a picture, drop targets that hand the pointer or the
// dropped file names to a receiver, and adapters that let one drop target
// accept any of several data objects.
#ifndef KELCTRLS_DND_H
#define KELCTRLS_DND_H

#include <kelctrls/base.h>

#include <wx/dataobj.h>
#include <wx/dnd.h>
#include <wx/object.h>

#include <vector>

// Carries a pointer between two windows of this process (and thread), plus a
// bitmap that other programs and drag feedback can use.
class KELCTRLS_API KelDndObject : public wxDataObject
{
public:
    KelDndObject(const wxString& formatName, void* data = nullptr);

    void SetDndData(void* data) { m_data = data; }
    void* GetDndData() const { return m_data; }

    // The bitmap offered besides the pointer (empty until set).
    void SetBitmap(const wxBitmap& bitmap) { m_bitmapObject.SetBitmap(bitmap); }
    wxBitmap GetBitmap() const { return m_bitmapObject.GetBitmap(); }

    // A format private to the calling thread of this process: its id is the
    // thread id followed by the name.
    static wxDataFormat GetDndFormat(const wxString& name);
    static wxString GetDndFormatId(const wxString& name);

    wxDataFormat GetPreferredFormat(Direction dir = Get) const override;
    size_t GetFormatCount(Direction dir = Get) const override;
    void GetAllFormats(wxDataFormat* formats, Direction dir = Get) const override;
    size_t GetDataSize(const wxDataFormat& format) const override;
    bool GetDataHere(const wxDataFormat& format, void* buf) const override;
    bool SetData(const wxDataFormat& format, size_t len, const void* buf) override;

private:
    wxDataFormat m_format;
    wxBitmapDataObject m_bitmapObject;
    void* m_data;
};

// Receives the pointer carried by a KelDndObject dropped on a KelDndDropTarget.
class KELCTRLS_API KelDropReceverInterface
{
public:
    virtual ~KelDropReceverInterface() {}

    virtual void OnDndDataDrop(int x, int y, void* data) = 0;
    virtual void OnEnter(int WXUNUSED(x), int WXUNUSED(y), wxDragResult WXUNUSED(def)) {}
    virtual void OnLeave() {}
};

class KELCTRLS_API KelDndDropTarget : public wxDropTarget
{
public:
    KelDndDropTarget(KelDropReceverInterface* receiver, const wxString& formatName);

    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult def) override;
    void OnLeave() override;
    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override;

private:
    KelDropReceverInterface* m_receiver;
};

// Receives the names of files dropped on a KelFileDropTarget.
class KELCTRLS_API KelFileDropTargetObserver
{
public:
    virtual ~KelFileDropTargetObserver() {}

    virtual bool OnObservedDropFiles(int x, int y, const wxArrayString& files) = 0;
};

class KELCTRLS_API KelFileDropTarget : public wxFileDropTarget
{
public:
    explicit KelFileDropTarget(KelFileDropTargetObserver* observer);

    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

private:
    KelFileDropTargetObserver* m_observer;
};

// A data object made of several registered ones; the first that supports a
// format serves it, and the one that accepted the last SetData is current.
class KELCTRLS_API wxMutiDropObjectAdapter : public wxDataObject
{
public:
    wxMutiDropObjectAdapter();
    explicit wxMutiDropObjectAdapter(const wxDataFormat& format);
    virtual ~wxMutiDropObjectAdapter();

    // Takes ownership of the object.
    void RegisterObject(wxDataObject* object);
    wxDataObject* GetDataObject() const { return m_current; }
    size_t GetObjectCount() const { return m_objects.size(); }
    void Release();

    wxDataFormat GetPreferredFormat(Direction dir = Get) const override;
    size_t GetFormatCount(Direction dir = Get) const override;
    void GetAllFormats(wxDataFormat* formats, Direction dir = Get) const override;
    size_t GetDataSize(const wxDataFormat& format) const override;
    bool GetDataHere(const wxDataFormat& format, void* buf) const override;
    bool SetData(const wxDataFormat& format, size_t len, const void* buf) override;

private:
    wxDataObject* FindObject(const wxDataFormat& format) const;

    std::vector<wxDataObject*> m_objects;
    wxDataObject* m_current;

    wxDECLARE_NO_COPY_CLASS(wxMutiDropObjectAdapter);
};

class KELCTRLS_API wxMutiDropTargetAdapter : public wxDropTarget
{
public:
    wxMutiDropTargetAdapter();

    // Registers the object with the adapter, which then owns it.
    bool AppendObject(wxDataObject* object);

    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override;

    // Called with the registered object that received the dropped data.
    virtual wxDragResult OnDropData(wxDataObject* object, wxCoord x, wxCoord y, wxDragResult def);

private:
    wxMutiDropObjectAdapter* GetAdapter() const;
};

// A row of the organisation tree as dragged between windows; the meaning of
// the fields belongs to the client.
class KELCTRLS_API KelOrgDndData : public wxObject
{
public:
    KelOrgDndData() : m_type(0) {}
    KelOrgDndData(const KelOrgDndData& other);
    KelOrgDndData& operator=(const KelOrgDndData& other);

    wxString m_id;
    wxString m_name;
    wxInt32 m_type;
    wxString m_extra;
};

#endif // KELCTRLS_DND_H
