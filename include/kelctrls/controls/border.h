/// \file
/// The framing panel (KelBorder) and its XRC handler.
#ifndef KELCTRLS_CONTROLS_BORDER_H
#define KELCTRLS_CONTROLS_BORDER_H

#include <kelctrls/base.h>

#include <wx/panel.h>
#include <wx/xrc/xmlres.h>

/// Sides of a KelBorder (combine with |). In XRC, "wxBORDER_DEFAULT" names all four.
#define wxBORDER_LEFT 0x0001
/// Frame the right side.
#define wxBORDER_RIGHT 0x0002
/// Frame the top side.
#define wxBORDER_TOP 0x0004
/// Frame the bottom side.
#define wxBORDER_BOTTOM 0x0008
/// Frame all four sides.
#define wxBORDER_ALLSIDES 0x000f

/// A transparent panel that frames exactly one child window with one-pixel lines, solid or
/// dotted, on the chosen sides, and keeps the child inset by one pixel on each framed side.
class KELCTRLS_API KelBorder : public wxPanel
{
public:
    /// For two-step creation; Create must follow.
    KelBorder() : m_window(nullptr), m_borderStyle(0), m_dotted(false) {}
    /// Creates the border (see Create); lines are black until SetBorderColour.
    KelBorder(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize, long style = wxBORDER_ALLSIDES)
        : m_window(nullptr), m_borderColour(*wxBLACK), m_borderStyle(0), m_dotted(false)
    {
        Create(parent, id, pos, size, style);
    }

    /// style holds the framed sides, not window styles.
    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxBORDER_ALLSIDES);

    /// Makes window the framed child: reparents it and insets it by one pixel on every
    /// side; from the next size event on it keeps clear of the framed sides only.
    void SetWindow(wxWindow* window);
    /// The framed child; null before SetWindow.
    wxWindow* GetWindow() const { return m_window; }

    /// Sets the line colour, solid or `dotted`, and redraws; no lines are drawn
    /// while the colour is invalid.
    void SetBorderColour(const wxColour& colour, bool dotted);
    /// The line colour.
    wxColour GetBorderColour() const { return m_borderColour; }
    /// Whether the lines are dotted.
    bool IsDotted() const { return m_dotted; }

    /// Sets the framed sides (wxBORDER_LEFT...), lays the child out and redraws.
    void SetBorderStyle(long sides);
    /// The framed sides.
    long GetBorderSides() const { return m_borderStyle; }

    /// The child's rectangle inside a border of the given size and sides.
    static wxRect GetContentRect(const wxSize& size, long sides);

protected:
    /// Draws a dotted line: every second pixel from `from`, stopping before `to`.
    virtual void DrawVirtualLine(const wxPoint& from, const wxPoint& to, wxDC* dc);
    /// Draws the lines of the framed sides into `dc`.
    virtual void DrawBorder(wxDC* dc);
    /// The child's best size plus the framed sides.
    wxSize DoGetBestSize() const override;

    ///@{

    /// The framed child (owned as a child window), the line colour, the framed
    /// sides and whether the lines are dotted.
    wxWindow* m_window;
    wxColour m_borderColour;
    long m_borderStyle;
    bool m_dotted;
    ///@}

private:
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);

    wxDECLARE_DYNAMIC_CLASS(KelBorder);
    wxDECLARE_EVENT_TABLE();
};

/// XRC handler of class "KelBorder" (`style` names the sides, `color` the line
/// colour, `dotted`), whose single "KelBorderContent" child holds the framed
/// control. The client adds it with wxXmlResource::AddHandler.
class KELCTRLS_API KelBorderXmlHandler : public wxXmlResourceHandler
{
public:
    ///@{

    /// The wxXmlResourceHandler interface.
    KelBorderXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;
    ///@}

private:
    wxObject* CreateContent();
    wxObject* CreateBorder();

    bool m_isInside;

    wxDECLARE_DYNAMIC_CLASS(KelBorderXmlHandler);
};

#endif
