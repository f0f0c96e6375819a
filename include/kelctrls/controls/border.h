#ifndef KELCTRLS_CONTROLS_BORDER_H
#define KELCTRLS_CONTROLS_BORDER_H

#include <kelctrls/base.h>

#include <wx/panel.h>
#include <wx/xrc/xmlres.h>

// Sides of a KelBorder. In XRC, "wxBORDER_DEFAULT" names all four.
#define wxBORDER_LEFT     0x0001
#define wxBORDER_RIGHT    0x0002
#define wxBORDER_TOP      0x0004
#define wxBORDER_BOTTOM   0x0008
#define wxBORDER_ALLSIDES 0x000f

// A transparent panel that frames exactly one child window with one-pixel lines, solid or
// dotted, on the chosen sides, and keeps the child inset by one pixel on each framed side.
class KELCTRLS_API KelBorder : public wxPanel
{
public:
    KelBorder() : m_window(nullptr), m_borderStyle(0), m_dotted(false) {}
    KelBorder(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize, long style = wxBORDER_ALLSIDES)
        : m_window(nullptr), m_borderColour(*wxBLACK), m_borderStyle(0), m_dotted(false)
    {
        Create(parent, id, pos, size, style);
    }

    // style holds the framed sides, not window styles.
    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxBORDER_ALLSIDES);

    // Makes window the framed child: reparents it and insets it by one pixel on every
    // side; from the next size event on it keeps clear of the framed sides only.
    void SetWindow(wxWindow* window);
    wxWindow* GetWindow() const { return m_window; }

    // No lines are drawn while the colour is unset.
    void SetBorderColour(const wxColour& colour, bool dotted);
    wxColour GetBorderColour() const { return m_borderColour; }
    bool IsDotted() const { return m_dotted; }

    void SetBorderStyle(long sides);
    long GetBorderSides() const { return m_borderStyle; }

    // The child's rectangle inside a border of the given size and sides.
    static wxRect GetContentRect(const wxSize& size, long sides);

protected:
    // Every second pixel from `from`, stopping before `to`.
    virtual void DrawVirtualLine(const wxPoint& from, const wxPoint& to, wxDC* dc);
    virtual void DrawBorder(wxDC* dc);
    wxSize DoGetBestSize() const override;

    wxWindow* m_window;
    wxColour m_borderColour;
    long m_borderStyle;
    bool m_dotted;

private:
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);

    wxDECLARE_DYNAMIC_CLASS(KelBorder);
    wxDECLARE_EVENT_TABLE();
};

// Builds a "KelBorder" and, through its single "KelBorderContent" child, the framed control.
class KELCTRLS_API KelBorderXmlHandler : public wxXmlResourceHandler
{
public:
    KelBorderXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;

private:
    wxObject* CreateContent();
    wxObject* CreateBorder();

    bool m_isInside;

    wxDECLARE_DYNAMIC_CLASS(KelBorderXmlHandler);
};

#endif
