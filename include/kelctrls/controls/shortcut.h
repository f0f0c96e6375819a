// KelMainShortCut: a collapsible bar of shortcuts. A caption strip with a
// "More..." link sits above a scrollable KelShortCutPanel that lists one link
// per shortcut, ordered by the shortcut's configured position.
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

class KELCTRLS_API KEL_SHORTCUT_ITEM : public wxObject
{
public:
    KEL_SHORTCUT_ITEM() : id(0), index(-1) {}

    int id;     // window id of the shortcut's link
    long index; // configured position; -1 when not configured
    wxString key;
    wxString label;
    wxBitmap bitmap;
};

class KELCTRLS_API KelShortCutEvent : public wxCommandEvent
{
public:
    KelShortCutEvent(wxEventType type = wxEVT_NULL, int id = 0) : wxCommandEvent(type, id) {}
    KelShortCutEvent(const KelShortCutEvent& other) = default;

    wxEvent* Clone() const override { return new KelShortCutEvent(*this); }

    int GetClickedId() const { return m_clickedId; }
    void SetClicketId(int id) { m_clickedId = id; }
    const wxString& GetClickedKey() const { return m_clickedKey; }
    void SetClicketKey(const wxString& key) { m_clickedKey = key; }
    // The clicked shortcut; owned by its panel, valid while the event is handled.
    KEL_SHORTCUT_ITEM* GetClickedItem() const { return m_clickedItem; }
    void SetClickedItem(KEL_SHORTCUT_ITEM* item) { m_clickedItem = item; }

    bool Collapsed() const { return m_collapsed; }
    bool Expanded() const { return !m_collapsed; }
    void SetCollapse(bool collapsed) { m_collapsed = collapsed; }

    bool IsItemClicked() const { return m_itemClicked; }
    void SetItemClicked(bool clicked);
    bool IsCaptionClicked() const { return m_captionClicked; }
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

wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_SHORTCUT_BUTTON_CLICKED, KelShortCutEvent);

typedef void (wxEvtHandler::*KelShortCutEventFunction)(KelShortCutEvent&);
#define KelShortCutEventHandler(func) wxEVENT_HANDLER_CAST(KelShortCutEventFunction, func)
#define EVT_SHORTCUT_BUTTON_CLICKED(id, func)                                                                \
    wx__DECLARE_EVT1(wxEVT_SHORTCUT_BUTTON_CLICKED, id, KelShortCutEventHandler(func))

class KELCTRLS_API KelShortCutPanel : public wxScrolledWindow
{
public:
    enum
    {
        FIRST_ID = 1000,
        LAST_HANDLED_ID = 1100,
        ITEM_HEIGHT = 20,
        ITEM_INDENT = 10,
        SCROLL_UNIT = 5
    };

    KelShortCutPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                     const wxString& name = wxPanelNameStr);
    virtual ~KelShortCutPanel();

    // Adds a shortcut (replacing the one with the same key) and returns the
    // window id of its link.
    long CreateShortCut(const wxString& key, long index, const wxString& label, const wxBitmap& bitmap);
    bool IsExistShortCut(const wxString& key) const;

    size_t GetShortCutCount() const { return m_items.size(); }
    // The shortcuts in display order.
    const KEL_SHORTCUT_ITEM* GetShortCut(size_t pos) const;
    wxLinkText* GetShortCutLink(const wxString& key) const;

    void OnCaptionButton(wxCommandEvent& event);

protected:
    wxSize DoGetBestClientSize() const override;
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

class KELCTRLS_API KelMainShortCut : public wxPanel
{
public:
    KelMainShortCut();
    KelMainShortCut(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                    const wxString& name = wxPanelNameStr);

    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                const wxString& name = wxPanelNameStr);

    // Reads the shortcuts of a UTF-8 XML file: one child element of the root
    // per shortcut with the attributes "key", "label" and "bitmap" (a BMP file).
    // Returns false, adding nothing, when the file has no root element.
    bool LoadFile(const wxString& name);
    long CreateShortCut(const wxString& key, long index, const wxString& label, const wxBitmap& bitmap);

    void Collapse();
    void Expand();
    bool IsCollapsed() const;
    void GetShortCutOrders(wxList& orders);
    virtual int GetCaptionHeight() const { return 20; }

    KelShortCutPanel* GetPanel() const { return m_panel; }
    wxLinkText* GetMoreLink() const { return m_more; }

protected:
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
