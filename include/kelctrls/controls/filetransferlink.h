/// \file
/// The hyperlink base (wxHyperLinkBase), the file transfer action link
/// (FileTransferLink), its event and XRC handler, and DoOpenFile.
#ifndef KELCTRLS_CONTROLS_FILETRANSFERLINK_H
#define KELCTRLS_CONTROLS_FILETRANSFERLINK_H

#include <kelctrls/base.h>

#include <wx/control.h>
#include <wx/cursor.h>
#include <wx/event.h>
#include <wx/xrc/xmlres.h>

/// A simple hyperlink: the label in the foreground colour with an underlined copy of the
/// window's font. Keeps hover, normal, visited, enabled and disabled colours and a hover
/// cursor for derived links.
class KELCTRLS_API wxHyperLinkBase : public wxControl
{
public:
    /// For two-step creation; Create must follow.
    wxHyperLinkBase() : m_textWidth(0), m_textHeight(0), m_visited(false) {}
    /// Creates the link (see Create).
    wxHyperLinkBase(wxWindow* parent, wxWindowID id, const wxString& label,
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                    long style = 0, const wxString& name = wxASCII_STR(wxControlNameStr))
        : m_textWidth(0), m_textHeight(0), m_visited(false)
    {
        Create(parent, id, label, pos, size, style, name);
    }

    /// Creates the link showing `label` and measures it (the best size).
    bool Create(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = wxASCII_STR(wxControlNameStr));

    ///@{

    /// The colours and the cursor of derived links: hover (pointer over the
    /// link), normal, visited, enabled and disabled colours; the setters of the
    /// normal and visited colours redraw.
    virtual wxColour GetHoverColour() const { return m_hoverColour; }
    virtual void SetHoverColour(const wxColour& colour) { m_hoverColour = colour; }
    virtual wxColour GetNormalColour() const { return m_normalColour; }
    virtual void SetNormalColour(const wxColour& colour);
    virtual wxColour GetVisitedColour() const { return m_visitedColour; }
    virtual void SetVisitedColour(const wxColour& colour);
    virtual wxCursor GetHoverCursor() const { return m_hoverCursor; }
    virtual void SetHoverCursor(const wxCursor& cursor) { m_hoverCursor = cursor; }
    virtual void SetEnabledColour(const wxColour& colour) { m_enabledColour = colour; }
    virtual wxColour GetEnabledColour() const { return m_enabledColour; }
    virtual void SetDisabledColour(const wxColour& colour) { m_disabledColour = colour; }
    virtual wxColour GetDisabledColour() const { return m_disabledColour; }
    ///@}

    /// Marks the link visited or not.
    void SetVisited(bool visited) { m_visited = visited; }
    /// Whether the link is marked visited.
    bool GetVisited() const { return m_visited; }

protected:
    /// The label's extent when the link was created.
    wxSize DoGetBestSize() const override { return wxSize(m_textWidth, m_textHeight); }

    ///@{

    /// The label's extent, the visited flag, the hover cursor and the colours.
    int m_textWidth;
    int m_textHeight;
    bool m_visited;
    wxCursor m_hoverCursor;
    wxColour m_hoverColour;
    wxColour m_normalColour;
    wxColour m_visitedColour;
    wxColour m_enabledColour;
    wxColour m_disabledColour;
    ///@}

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};

/// Sent to the parent window when an enabled FileTransferLink is pressed.
class KELCTRLS_API wxFileTransferLinkEvent : public wxCommandEvent
{
public:
    /// An event of `type` from window `id`.
    wxFileTransferLinkEvent(wxEventType type = wxEVT_NULL, int id = 0) : wxCommandEvent(type, id) {}
    /// Copies the event.
    wxFileTransferLinkEvent(const wxFileTransferLinkEvent& other) : wxCommandEvent(other) {}

    /// Queued events are copies: keep them of this class for handlers bound to it.
    wxEvent* Clone() const override { return new wxFileTransferLinkEvent(*this); }

private:
    wxDECLARE_DYNAMIC_CLASS_NO_ASSIGN(wxFileTransferLinkEvent);
};

/// An enabled FileTransferLink was pressed; the id is the link's.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_FILETRNSFER_LEFT_CLICK, wxFileTransferLinkEvent);

/// The signature of wxFileTransferLinkEvent handlers in event tables.
typedef void (wxEvtHandler::*wxFileTransferLinkEventFunction)(wxFileTransferLinkEvent&);
/// Casts a wxFileTransferLinkEvent handler for Connect and event tables.
#define wxFileTransferLinkEventHandler(func) wxEVENT_HANDLER_CAST(wxFileTransferLinkEventFunction, func)
/// Event table entry for wxEVT_FILETRNSFER_LEFT_CLICK from window `id`.
#define EVT_FILETRNSFER_LEFT_CLICK(id, fn)                                                                   \
    wx__DECLARE_EVT1(wxEVT_FILETRNSFER_LEFT_CLICK, id, wxFileTransferLinkEventHandler(fn))

/// A link for the actions of a file transfer view (accept, save as, cancel...). It is
/// enabled and disabled logically, without disabling the native window: while enabled it
/// shows the hover colour and a hand under the pointer, and a press sends
/// wxEVT_FILETRNSFER_LEFT_CLICK to the parent window.
class KELCTRLS_API FileTransferLink : public wxHyperLinkBase
{
public:
    /// For two-step creation; wxHyperLinkBase::Create must follow.
    FileTransferLink() : m_linkEnabled(true) {}
    /// Creates an enabled link showing `label`.
    FileTransferLink(wxWindow* parent, wxWindowID id, const wxString& label,
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize)
        : wxHyperLinkBase(parent, id, label, pos, size, 0, wxS("wxHyperLinkBase")), m_linkEnabled(true)
    {
    }

    /// Enables or disables the link logically (the native window stays
    /// enabled): sets the enabled or disabled colour and the hand cursor (or
    /// none) and redraws. Always returns true.
    bool Enable(bool enable = true) override;
    /// Whether the link is logically enabled.
    bool IsLinkEnabled() const { return m_linkEnabled; }

protected:
    /// Whether the link is logically enabled.
    bool m_linkEnabled;

private:
    void OnLinkActivate(wxMouseEvent& event);
    void OnWindowEnter(wxMouseEvent& event);
    void OnWindowLeave(wxMouseEvent& event);

    wxDECLARE_DYNAMIC_CLASS(FileTransferLink);
    wxDECLARE_EVENT_TABLE();
};

/// XRC handler of class "FileTransferLink": `label` and the usual window
/// properties. The client adds it with wxXmlResource::AddHandler.
class KELCTRLS_API wxFileTransferLinkXmlHandler : public wxXmlResourceHandler
{
public:
    ///@{

    /// The wxXmlResourceHandler interface.
    wxFileTransferLinkXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;
    ///@}

private:
    wxDECLARE_DYNAMIC_CLASS(wxFileTransferLinkXmlHandler);
};

/// Opens the file with the program associated with its type; otherwise offers the desktop's
/// choice of program. Says "Fail to open file" when nothing can be started. The started
/// program's end is reported to parent, which may be null.
KELCTRLS_API void DoOpenFile(const wxString& path, wxWindow* parent);

#endif
