/// \file
/// KelSplitterButton: a small arrow button that collapses or expands a split
/// pane. Each click flips the arrow and posts a kelEVT_SPLITTERBTN_CHANGED event.
#ifndef KELCTRLS_CONTROLS_SPLITTERBUTTON_H
#define KELCTRLS_CONTROLS_SPLITTERBUTTON_H

#include <kelctrls/base.h>

#include <wx/bmpbndl.h>
#include <wx/event.h>
#include <wx/panel.h>

class WXDLLIMPEXP_FWD_CORE wxBitmapButton;

/// The event a KelSplitterButton posts to itself (it propagates to the parent)
/// on each click, with the button's id.
class KELCTRLS_API kelSplitterButtonEvent : public wxCommandEvent
{
public:
    /// An event of `type` from window `id`, not inverted.
    kelSplitterButtonEvent(wxEventType type = wxEVT_NULL, int id = 0) : wxCommandEvent(type, id) {}
    /// Copies the event.
    kelSplitterButtonEvent(const kelSplitterButtonEvent& other) = default;

    /// A copy, for queueing.
    wxEvent* Clone() const override { return new kelSplitterButtonEvent(*this); }

    /// True when the arrow now stands inverted (the pane was collapsed).
    bool IsInverted() const { return m_inverted; }
    /// Sets whether the arrow stands inverted.
    void SetInverted(bool inverted) { m_inverted = inverted; }

private:
    bool m_inverted = false;

    wxDECLARE_DYNAMIC_CLASS_NO_ASSIGN(kelSplitterButtonEvent);
};

/// The arrow of a KelSplitterButton was clicked and flipped.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, kelEVT_SPLITTERBTN_CHANGED, kelSplitterButtonEvent);

/// The signature of kelSplitterButtonEvent handlers in event tables.
typedef void (wxEvtHandler::*kelSplitterButtonEventFunction)(kelSplitterButtonEvent&);
/// Casts a kelSplitterButtonEvent handler for Connect and event tables.
#define kelSplitterButtonEventHandler(func) wxEVENT_HANDLER_CAST(kelSplitterButtonEventFunction, func)
/// Event table entry for kelEVT_SPLITTERBTN_CHANGED from window `id`.
#define EVT_SPLITTERBTN_CHANGED(id, func)                                                                    \
    wx__DECLARE_EVT1(kelEVT_SPLITTERBTN_CHANGED, id, kelSplitterButtonEventHandler(func))

/// Which way the arrow points after the first click: with the left direction
/// it turns to the right pair when the pane collapses, with the right
/// direction it is the other way round.
typedef int SplitterDirection;
enum
{
    KEL_SPLITTER_LEFT = 0,
    KEL_SPLITTER_RIGHT = 1
};

/// The arrow button: a panel holding one bitmap button with the skin images
/// "splitebtn_leftnormal", "splitebtn_lefthover", "splitebtn_rightnormal" and
/// "splitebtn_righthover".
class KELCTRLS_API KelSplitterButton : public wxPanel
{
public:
    /// Ids of the child windows.
    enum
    {
        ID_ARROW = 10001
    };

    /// For two-step creation; Create must follow.
    KelSplitterButton();
    /// Creates the button (see Create).
    KelSplitterButton(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                      const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                      const wxString& name = wxPanelNameStr);

    /// Creates the panel and its arrow, pointing the KEL_SPLITTER_LEFT way.
    bool Create(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                const wxString& name = wxPanelNameStr);

    /// Sets which way the arrow points first (KEL_SPLITTER_LEFT or
    /// KEL_SPLITTER_RIGHT) and redraws it in its current state.
    void SetDirection(SplitterDirection direction);
    /// The direction given to SetDirection.
    SplitterDirection GetDirection() const { return m_direction; }

    /// 0 before the arrow exists, then 1 (as created) and 2 (inverted),
    /// flipping with each click.
    int GetState() const { return m_state; }
    /// The arrow, a child window of the panel.
    wxBitmapButton* GetArrowButton() const { return m_button; }

private:
    void CreateContrles();
    void SetBtn();
    bool UsesRightPair() const;
    void OnSize(wxSizeEvent& event);
    void OnBtnArrow(wxCommandEvent& event);

    wxBitmapBundle m_leftNormal;
    wxBitmapBundle m_leftHover;
    wxBitmapBundle m_rightNormal;
    wxBitmapBundle m_rightHover;
    SplitterDirection m_direction;
    wxBitmapButton* m_button;
    int m_state;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(KelSplitterButton);
};

#endif
