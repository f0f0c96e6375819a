/// \file
/// KelMainShortCut: a collapsible bar of shortcuts. A caption strip with a
/// "More..." link sits above a scrollable KelShortCutPanel that lists one link
/// per shortcut, ordered by the shortcut's configured position.
#ifndef KELCTRLS_CONTROLS_SHORTCUT_H
#define KELCTRLS_CONTROLS_SHORTCUT_H

#include <kelctrls/base.h>

#include <wx/bitmap.h>
#include <wx/event.h>
#include <wx/list.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>

#include <map>
#include <memory>
#include <vector>

class KelBorder;
class wxLinkText;

/// One shortcut of a KelShortCutPanel, owned by the panel.
class KELCTRLS_API KEL_SHORTCUT_ITEM : public wxObject
{
public:
    /// An unconfigured shortcut.
    KEL_SHORTCUT_ITEM() : id(0), index(-1) {}

    int id;     ///< Window id of the shortcut's link.
    long index; ///< Configured position; -1 when not configured.
    /// The shortcut's name, unique in its panel.
    wxString key;
    /// The text of its link.
    wxString label;
    /// The image of its link.
    wxBitmap bitmap;
};

/// wxEVT_SHORTCUT_BUTTON_CLICKED, sent synchronously (it propagates to the
/// parents): by a KelShortCutPanel when a shortcut's link is clicked
/// (IsItemClicked, with the shortcut), and by a KelMainShortCut when its
/// caption is clicked (IsCaptionClicked), before the bar collapses or expands.
class KELCTRLS_API KelShortCutEvent : public wxCommandEvent
{
public:
    /// An event of `type` from window `id`, with nothing clicked.
    KelShortCutEvent(wxEventType type = wxEVT_NULL, int id = 0) : wxCommandEvent(type, id) {}
    /// Copies the event.
    KelShortCutEvent(const KelShortCutEvent& other) = default;

    /// A copy, for queueing.
    wxEvent* Clone() const override { return new KelShortCutEvent(*this); }

    /// The window id of the clicked shortcut's link.
    int GetClickedId() const { return m_clickedId; }
    /// Sets the window id of the clicked link.
    void SetClicketId(int id) { m_clickedId = id; }
    /// The key of the clicked shortcut.
    const wxString& GetClickedKey() const { return m_clickedKey; }
    /// Sets the key of the clicked shortcut.
    void SetClicketKey(const wxString& key) { m_clickedKey = key; }
    /// The clicked shortcut; owned by its panel, valid while the event is handled.
    KEL_SHORTCUT_ITEM* GetClickedItem() const { return m_clickedItem; }
    /// Sets the clicked shortcut (not owned).
    void SetClickedItem(KEL_SHORTCUT_ITEM* item) { m_clickedItem = item; }

    /// Whether the bar is collapsed.
    bool Collapsed() const { return m_collapsed; }
    /// Whether the bar is expanded.
    bool Expanded() const { return !m_collapsed; }
    /// Sets whether the bar is collapsed.
    void SetCollapse(bool collapsed) { m_collapsed = collapsed; }

    /// Whether a shortcut's link was clicked.
    bool IsItemClicked() const { return m_itemClicked; }
    /// Marks a shortcut click (and clears the caption click).
    void SetItemClicked(bool clicked);
    /// Whether the caption was clicked.
    bool IsCaptionClicked() const { return m_captionClicked; }
    /// Marks a caption click (and clears the shortcut click).
    void SetCaptionClicked(bool clicked);

private:
    int m_clickedId = 0;
    wxString m_clickedKey;
    KEL_SHORTCUT_ITEM* m_clickedItem = nullptr;
    bool m_collapsed = false;
    bool m_itemClicked = false;
    bool m_captionClicked = false;

    wxDECLARE_DYNAMIC_CLASS_NO_ASSIGN(KelShortCutEvent);
};

/// A shortcut or the caption of a shortcut bar was clicked (KelShortCutEvent).
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_SHORTCUT_BUTTON_CLICKED, KelShortCutEvent);

/// The signature of KelShortCutEvent handlers in event tables.
typedef void (wxEvtHandler::*KelShortCutEventFunction)(KelShortCutEvent&);
/// Casts a KelShortCutEvent handler for Connect and event tables.
#define KelShortCutEventHandler(func) wxEVENT_HANDLER_CAST(KelShortCutEventFunction, func)
/// Event table entry for wxEVT_SHORTCUT_BUTTON_CLICKED from window `id`.
#define EVT_SHORTCUT_BUTTON_CLICKED(id, func)                                                                \
    wx__DECLARE_EVT1(wxEVT_SHORTCUT_BUTTON_CLICKED, id, KelShortCutEventHandler(func))

/// The scrollable list of a shortcut bar: one wxLinkText per shortcut, ordered
/// by configured position (unconfigured ones last, in creation order). A click
/// on a link sends wxEVT_SHORTCUT_BUTTON_CLICKED with the panel's id.
class KELCTRLS_API KelShortCutPanel : public wxScrolledWindow
{
public:
    /// Link ids (FIRST_ID up to LAST_HANDLED_ID) and the layout in pixels.
    enum
    {
        FIRST_ID = 1000,
        LAST_HANDLED_ID = 1100,
        ITEM_HEIGHT = 20,
        ITEM_INDENT = 10,
        SCROLL_UNIT = 5
    };

    /// Creates an empty panel.
    KelShortCutPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                     const wxString& name = wxPanelNameStr);
    /// Deletes the shortcuts.
    virtual ~KelShortCutPanel();

    /// Adds a shortcut (replacing the one with the same key) with its link
    /// showing `label` and `bitmap`, placed by `index` (-1: unconfigured), and
    /// returns the window id of its link.
    long CreateShortCut(const wxString& key, long index, const wxString& label, const wxBitmap& bitmap);
    /// Whether a shortcut of that key exists.
    bool IsExistShortCut(const wxString& key) const;

    /// The number of shortcuts.
    size_t GetShortCutCount() const { return m_items.size(); }
    /// The shortcut at display position `pos`, owned by the panel; null beyond the end.
    const KEL_SHORTCUT_ITEM* GetShortCut(size_t pos) const;
    /// The link of the shortcut of that key (a child window); null when there is none.
    wxLinkText* GetShortCutLink(const wxString& key) const;

    /// Does nothing; kept for the client's code.
    void OnCaptionButton(wxCommandEvent& event);

protected:
    /// Room for every link.
    wxSize DoGetBestClientSize() const override;
    /// Lays the links out once the panel is thawed.
    void DoThaw() override;

private:
    void LayoutShortCuts(const wxSize& size);
    void OnSize(wxSizeEvent& event);
    void OnShortCutCommand(wxCommandEvent& event);

    std::vector<std::unique_ptr<KEL_SHORTCUT_ITEM>> m_items;
    std::map<wxString, wxLinkText*> m_links;
    int m_nextId;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(KelShortCutPanel);
};

/// The shortcut bar: a caption strip with a "More..." link above a
/// KelShortCutPanel. Clicking the caption sends wxEVT_SHORTCUT_BUTTON_CLICKED
/// and then collapses or expands the panel.
class KELCTRLS_API KelMainShortCut : public wxPanel
{
public:
    /// For two-step creation; Create must follow.
    KelMainShortCut();
    /// Creates the bar (see Create).
    KelMainShortCut(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                    const wxString& name = wxPanelNameStr);

    /// Creates the bar with an empty, expanded panel.
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                const wxString& name = wxPanelNameStr);

    /// Reads the shortcuts of a UTF-8 XML file: one child element of the root
    /// per shortcut with the attributes "key", "label" and "bitmap" (a BMP file).
    /// Returns false, adding nothing, when the file has no root element.
    bool LoadFile(const wxString& name);
    /// Adds a shortcut to the panel (see KelShortCutPanel::CreateShortCut).
    long CreateShortCut(const wxString& key, long index, const wxString& label, const wxBitmap& bitmap);

    /// Hides the panel, leaving the caption.
    void Collapse();
    /// Shows the panel.
    void Expand();
    /// Whether the panel is hidden.
    bool IsCollapsed() const;
    /// Does nothing; kept for the client's code (the order comes from
    /// KelTabManager).
    void GetShortCutOrders(wxList& orders);
    /// The caption height in pixels, 20 unless overridden.
    virtual int GetCaptionHeight() const { return 20; }

    /// The panel, a child window.
    KelShortCutPanel* GetPanel() const { return m_panel; }
    /// The "More..." link, a child window; its clicks are the client's.
    wxLinkText* GetMoreLink() const { return m_more; }

protected:
    /// The caption plus the panel's best size while expanded.
    wxSize DoGetBestClientSize() const override;

private:
    void Init();
    void ShowPanel(bool show);
    void OnSize(wxSizeEvent& event);
    void OnShortCut(KelShortCutEvent& event);
    void OnCaptionButton(wxCommandEvent& event);

    KelShortCutPanel* m_panel;
    wxLinkText* m_more;
    KelBorder* m_border;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(KelMainShortCut);
};

#endif
