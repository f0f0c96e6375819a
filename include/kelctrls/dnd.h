/// \file
/// Drag and drop between windows of the client: a data object that carries a
/// pointer together with a picture, drop targets that hand the pointer or the
/// dropped file names to a receiver, and adapters that let one drop target
/// accept any of several data objects.
#ifndef KELCTRLS_DND_H
#define KELCTRLS_DND_H

#include <kelctrls/base.h>

#include <wx/dataobj.h>
#include <wx/dnd.h>
#include <wx/object.h>

#include <vector>

/// Carries a pointer between two windows of this process (and thread), plus a
/// bitmap that other programs and drag feedback can use.
class KELCTRLS_API KelDndObject : public wxDataObject
{
public:
    /// An object of the private format named `formatName` (see GetDndFormat)
    /// carrying `data`, which it does not own.
    KelDndObject(const wxString& formatName, void* data = nullptr);

    /// Sets the carried pointer (not owned).
    void SetDndData(void* data) { m_data = data; }
    /// The carried pointer; on the receiving side the one the source carried.
    void* GetDndData() const { return m_data; }

    /// The bitmap offered besides the pointer (empty until set).
    void SetBitmap(const wxBitmap& bitmap) { m_bitmapObject.SetBitmap(bitmap); }
    /// The bitmap offered besides the pointer.
    wxBitmap GetBitmap() const { return m_bitmapObject.GetBitmap(); }

    /// A format private to the calling thread of this process: its id is the
    /// thread id followed by the name.
    static wxDataFormat GetDndFormat(const wxString& name);
    /// The id of the format GetDndFormat(name) gives.
    static wxString GetDndFormatId(const wxString& name);

    ///@{

    /// The wxDataObject interface: the private format (the pointer's bytes) and
    /// the bitmap format. SetData of the private format with fewer bytes than a
    /// pointer, or without data, returns false and keeps the pointer.
    wxDataFormat GetPreferredFormat(Direction dir = Get) const override;
    size_t GetFormatCount(Direction dir = Get) const override;
    void GetAllFormats(wxDataFormat* formats, Direction dir = Get) const override;
    size_t GetDataSize(const wxDataFormat& format) const override;
    bool GetDataHere(const wxDataFormat& format, void* buf) const override;
    bool SetData(const wxDataFormat& format, size_t len, const void* buf) override;
    ///@}

private:
    wxDataFormat m_format;
    wxBitmapDataObject m_bitmapObject;
    void* m_data;
};

/// Receives the pointer carried by a KelDndObject dropped on a KelDndDropTarget.
class KELCTRLS_API KelDropReceverInterface
{
public:
    /// Nothing to free.
    virtual ~KelDropReceverInterface() {}

    /// The object was dropped at (`x`, `y`), client coordinates of the target
    /// window; `data` is the carried pointer.
    virtual void OnDndDataDrop(int x, int y, void* data) = 0;
    /// A drag of the format entered the window at (`x`, `y`); `def` is the
    /// suggested result. Does nothing unless overridden.
    virtual void OnEnter(int WXUNUSED(x), int WXUNUSED(y), wxDragResult WXUNUSED(def)) {}
    /// The drag left the window. Does nothing unless overridden.
    virtual void OnLeave() {}
};

/// A drop target for KelDndObject of one format, handing what happens to a
/// receiver. The window it is set on owns it (wxWindow::SetDropTarget).
class KELCTRLS_API KelDndDropTarget : public wxDropTarget
{
public:
    /// A target for the format named `formatName` reporting to `receiver` (not
    /// owned; it must outlive the target; null reports nothing).
    KelDndDropTarget(KelDropReceverInterface* receiver, const wxString& formatName);

    /// Tells the receiver, then answers as OnDragOver does.
    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult def) override;
    /// Tells the receiver.
    void OnLeave() override;
    /// Hands the carried pointer to the receiver and returns `def`; logs an
    /// error and returns wxDragNone when the data cannot be read.
    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override;

private:
    KelDropReceverInterface* m_receiver;
};

/// Receives the names of files dropped on a KelFileDropTarget.
class KELCTRLS_API KelFileDropTargetObserver
{
public:
    /// Nothing to free.
    virtual ~KelFileDropTargetObserver() {}

    /// The files `files` (full paths) were dropped at (`x`, `y`), client
    /// coordinates of the target window; returns whether they were accepted.
    virtual bool OnObservedDropFiles(int x, int y, const wxArrayString& files) = 0;
};

/// A drop target for files, handing them to an observer. The window it is set
/// on owns it.
class KELCTRLS_API KelFileDropTarget : public wxFileDropTarget
{
public:
    /// A target reporting to `observer` (not owned; it must outlive the target;
    /// null refuses every drop).
    explicit KelFileDropTarget(KelFileDropTargetObserver* observer);

    /// Asks the observer; false without one.
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

private:
    KelFileDropTargetObserver* m_observer;
};

/// A data object made of several registered ones; the first that supports a
/// format serves it, and the one that accepted the last SetData is current.
class KELCTRLS_API wxMutiDropObjectAdapter : public wxDataObject
{
public:
    /// An adapter without objects.
    wxMutiDropObjectAdapter();
    /// An adapter without objects; `format` is not used.
    explicit wxMutiDropObjectAdapter(const wxDataFormat& format);
    /// Deletes the registered objects.
    virtual ~wxMutiDropObjectAdapter();

    /// Takes ownership of the object.
    void RegisterObject(wxDataObject* object);
    /// The object that accepted the last SetData; null before.
    wxDataObject* GetDataObject() const { return m_current; }
    /// The number of registered objects.
    size_t GetObjectCount() const { return m_objects.size(); }
    /// Deletes the registered objects.
    void Release();

    ///@{

    /// The wxDataObject interface, answered by the registered objects in
    /// registration order.
    wxDataFormat GetPreferredFormat(Direction dir = Get) const override;
    size_t GetFormatCount(Direction dir = Get) const override;
    void GetAllFormats(wxDataFormat* formats, Direction dir = Get) const override;
    size_t GetDataSize(const wxDataFormat& format) const override;
    bool GetDataHere(const wxDataFormat& format, void* buf) const override;
    bool SetData(const wxDataFormat& format, size_t len, const void* buf) override;
    ///@}

private:
    wxDataObject* FindObject(const wxDataFormat& format) const;

    std::vector<wxDataObject*> m_objects;
    wxDataObject* m_current;

    wxDECLARE_NO_COPY_CLASS(wxMutiDropObjectAdapter);
};

/// A drop target that accepts any of several data objects. The window it is
/// set on owns it.
class KELCTRLS_API wxMutiDropTargetAdapter : public wxDropTarget
{
public:
    /// A target without objects.
    wxMutiDropTargetAdapter();

    /// Registers the object with the adapter, which then owns it.
    bool AppendObject(wxDataObject* object);

    /// Reads the dropped data into the object of its format and calls OnDropData.
    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override;

    /// Called with the registered object that received the dropped data.
    virtual wxDragResult OnDropData(wxDataObject* object, wxCoord x, wxCoord y, wxDragResult def);

private:
    wxMutiDropObjectAdapter* GetAdapter() const;
};

/// A row of the organisation tree as dragged between windows; the meaning of
/// the fields belongs to the client.
class KELCTRLS_API KelOrgDndData : public wxObject
{
public:
    /// An empty row of type 0.
    KelOrgDndData() : m_type(0) {}
    /// Copies every field.
    KelOrgDndData(const KelOrgDndData& other);
    /// Copies every field.
    KelOrgDndData& operator=(const KelOrgDndData& other);

    /// The row's id.
    wxString m_id;
    /// The row's name.
    wxString m_name;
    /// The row's kind.
    wxInt32 m_type;
    /// Anything else the client needs.
    wxString m_extra;
};

#endif // KELCTRLS_DND_H
