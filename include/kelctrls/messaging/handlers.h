/// \file
/// Interfaces that the client implements and registers with the library.
#ifndef KELCTRLS_MESSAGING_HANDLERS_H
#define KELCTRLS_MESSAGING_HANDLERS_H

#include <kelctrls/base.h>

#include <wx/object.h>
#include <wx/string.h>

/// Maps face keys of chat text to their image files and back. Registered with
/// the rich chat text control.
class KELCTRLS_API FaceInfoHandle : public wxObject
{
public:
    /// The image file of a face key, empty when the key names no face.
    virtual wxString GetFacePath(const wxString& key) = 0;
    /// The face key of an image file, empty when the file is no face.
    virtual wxString GetFaceKey(const wxString& path) = 0;
};

/// Dials telephone numbers for pages shown in browser frames.
class KELCTRLS_API PhoneCallBase
{
public:
    /// Nothing to free.
    virtual ~PhoneCallBase() {}
    /// Dials `number` (as the page passed it).
    virtual void MakeCall(const wxString& number) = 0;
};

/// Receives the notifications of the core library's event hub.
class KELCTRLS_API KelJabberObserver : public wxObject
{
public:
    /// Called for each notification of the hub: `eventType` is the event type,
    /// `payload` the record it carries (owned by the sender, valid during the call).
    virtual void OnJabberNotify(int eventType, wxObject* payload) = 0;
};

#endif
