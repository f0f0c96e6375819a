// The multi-column tree control used for contact and organisation lists.
#ifndef KELCTRLS_TREELISTCTRL_H
#define KELCTRLS_TREELISTCTRL_H

#include <kelctrls/base.h>
#include <kelctrls/treelist/treelistitem.h>
#include <kelctrls/treelist/treelistheader.h>
#include <kelctrls/treelist/treelistmainwindow.h>

#include <wx/control.h>

class WXDLLIMPEXP_FWD_CORE wxImageList;

namespace kel
{

extern KELCTRLS_API const char wxTreeListCtrlNameStr[];

class KELCTRLS_API wxTreeListCtrl : public wxControl
{
public:
    wxTreeListCtrl();
    wxTreeListCtrl(wxWindow* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTR_DEFAULT_STYLE,
                   const wxValidator& validator = wxDefaultValidator,
                   const wxString& name = wxTreeListCtrlNameStr);
    virtual ~wxTreeListCtrl();

    bool Create(wxWindow* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTR_DEFAULT_STYLE,
                const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxTreeListCtrlNameStr);

    virtual void Refresh(bool erase = true, const wxRect* rect = nullptr) override;
    virtual bool SetBackgroundColour(const wxColour& colour) override;
    virtual bool SetForegroundColour(const wxColour& colour) override;
    virtual bool SetFont(const wxFont& font) override;
    virtual void SetWindowStyleFlag(long style) override;
    void SetWindowStyle(long style) { SetWindowStyleFlag(style); }
    virtual long GetWindowStyleFlag() const override;
    long GetWindowStyle() const { return GetWindowStyleFlag(); }
    virtual void SetFocus() override;

    // ---- columns ------------------------------------------------------------
    size_t GetColumnCount() const;
    void AddColumn(const wxString& text, int width = 100, int flag = wxALIGN_LEFT, int image = -1,
                   bool shown = true, bool edit = false);
    void AddColumn(const wxTreeListColumnInfo& column);
    void InsertColumn(int before, const wxString& text, int width = 100, int flag = wxALIGN_LEFT,
                      int image = -1, bool shown = true, bool edit = false);
    void InsertColumn(int before, const wxTreeListColumnInfo& column);
    void RemoveColumn(int column);
    void SetColumn(int column, const wxTreeListColumnInfo& info);
    const wxTreeListColumnInfo& GetColumn(int column) const;
    wxTreeListColumnInfo& GetColumn(int column);
    void SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    void SetColumnText(int column, const wxString& text);
    wxString GetColumnText(int column) const;
    void SetColumnImage(int column, int image);
    int GetColumnImage(int column) const;
    void SetColumnAlignment(int column, int flag);
    int GetColumnAlignment(int column) const;
    void SetColumnShown(int column, bool shown = true);
    bool IsColumnShown(int column) const;
    void SetColumnEditable(int column, bool edit = true);
    bool IsColumnEditable(int column) const;
    void SetMainColumn(int column);
    int GetMainColumn() const;

    // ---- appearance ---------------------------------------------------------
    size_t GetCount() const;
    unsigned int GetIndent() const;
    void SetIndent(unsigned int indent);
    unsigned int GetLineSpacing() const;
    void SetLineSpacing(unsigned int spacing);
    wxImageList* GetImageList() const;
    wxImageList* GetStateImageList() const;
    wxImageList* GetButtonsImageList() const;
    void SetImageList(wxImageList* imageList);
    void SetStateImageList(wxImageList* imageList);
    void SetButtonsImageList(wxImageList* imageList);
    void AssignImageList(wxImageList* imageList);
    void AssignStateImageList(wxImageList* imageList);
    void AssignButtonsImageList(wxImageList* imageList);
    void SetSelectItemColour(const wxColour& fill, const wxColour& border = wxNullColour);
    void SetUnFocusSelectItemColour(const wxColour& fill, const wxColour& border = wxNullColour);
    void SetSelectFontColour(const wxColour& colour);

    // ---- item attributes ----------------------------------------------------
    wxString GetItemText(const wxTreeItemId& item) const;
    wxString GetItemText(const wxTreeItemId& item, int column) const;
    int GetItemImage(const wxTreeItemId& item, wxTreeItemIcon which = wxTreeItemIcon_Normal) const;
    int GetItemImage(const wxTreeItemId& item, int column,
                     wxTreeItemIcon which = wxTreeItemIcon_Normal) const;
    wxTreeItemData* GetItemData(const wxTreeItemId& item) const;
    bool IsBold(const wxTreeItemId& item) const;
    wxColour GetItemTextColour(const wxTreeItemId& item) const;
    wxColour GetItemBackgroundColour(const wxTreeItemId& item) const;
    wxFont GetItemFont(const wxTreeItemId& item) const;

    void SetItemText(const wxTreeItemId& item, const wxString& text);
    void SetItemText(const wxTreeItemId& item, int column, const wxString& text);
    void SetItemImage(const wxTreeItemId& item, int image, wxTreeItemIcon which = wxTreeItemIcon_Normal);
    void SetItemImage(const wxTreeItemId& item, int column, int image,
                      wxTreeItemIcon which = wxTreeItemIcon_Normal);
    void SetItemData(const wxTreeItemId& item, wxTreeItemData* data);
    void SetItemHasChildren(const wxTreeItemId& item, bool has = true);
    void SetItemBold(const wxTreeItemId& item, bool bold = true);
    void SetItemTextColour(const wxTreeItemId& item, const wxColour& colour);
    void SetItemBackgroundColour(const wxTreeItemId& item, const wxColour& colour);
    void SetItemFont(const wxTreeItemId& item, const wxFont& font);

    // ---- item state ---------------------------------------------------------
    // Whether the row of `item` is in view: its ancestors are expanded and it
    // lies in the client area (or, with `fullRow`, at least its height does).
    // A hidden root is never visible.
    bool IsVisible(const wxTreeItemId& item, bool fullRow = false) const;
    bool HasChildren(const wxTreeItemId& item) const;
    bool IsExpanded(const wxTreeItemId& item) const;
    bool IsSelected(const wxTreeItemId& item) const;
    size_t GetChildrenCount(const wxTreeItemId& item, bool recursively = true) const;

    // ---- navigation ---------------------------------------------------------
    wxTreeItemId GetRootItem() const;
    wxTreeItemId GetSelection() const;
    size_t GetSelections(wxArrayTreeItemIds& selections) const;
    wxTreeItemId GetItemParent(const wxTreeItemId& item) const;
    wxTreeItemId GetFirstChild(const wxTreeItemId& item, long& cookie) const;
    wxTreeItemId GetNextChild(const wxTreeItemId& item, long& cookie) const;
    wxTreeItemId GetPrevChild(const wxTreeItemId& item, long& cookie) const;
    wxTreeItemId GetLastChild(const wxTreeItemId& item, long& cookie) const;
    wxTreeItemId GetNextSibling(const wxTreeItemId& item) const;
    wxTreeItemId GetPrevSibling(const wxTreeItemId& item) const;
    wxTreeItemId GetNext(const wxTreeItemId& item) const;
    wxTreeItemId GetPrev(const wxTreeItemId& item) const;
    wxTreeItemId GetFirstExpandedItem() const;
    wxTreeItemId GetNextExpanded(const wxTreeItemId& item) const;
    wxTreeItemId GetPrevExpanded(const wxTreeItemId& item) const;
    wxTreeItemId GetFirstVisibleItem(bool fullRow = false) const;
    wxTreeItemId GetNextVisible(const wxTreeItemId& item, bool fullRow = false) const;
    wxTreeItemId GetPrevVisible(const wxTreeItemId& item, bool fullRow = false) const;

    // ---- tree operations ----------------------------------------------------
    wxTreeItemId AddRoot(const wxString& text, int image = -1, int selectedImage = -1,
                         wxTreeItemData* data = nullptr);
    wxTreeItemId PrependItem(const wxTreeItemId& parent, const wxString& text, int image = -1,
                             int selectedImage = -1, wxTreeItemData* data = nullptr);
    wxTreeItemId InsertItem(const wxTreeItemId& parent, const wxTreeItemId& idPrevious, const wxString& text,
                            int image = -1, int selectedImage = -1, wxTreeItemData* data = nullptr);
    wxTreeItemId InsertItem(const wxTreeItemId& parent, size_t index, const wxString& text, int image = -1,
                            int selectedImage = -1, wxTreeItemData* data = nullptr);
    wxTreeItemId AppendItem(const wxTreeItemId& parent, const wxString& text, int image = -1,
                            int selectedImage = -1, wxTreeItemData* data = nullptr);
    void Delete(const wxTreeItemId& item);
    void DeleteChildren(const wxTreeItemId& item);
    void DeleteRoot();
    void Expand(const wxTreeItemId& item);
    void ExpandAll(const wxTreeItemId& item);
    void Collapse(const wxTreeItemId& item);
    void CollapseAndReset(const wxTreeItemId& item);
    void Toggle(const wxTreeItemId& item);
    void Move(const wxTreeItemId& item, const wxTreeItemId& newParent);
    void SortChildren(const wxTreeItemId& item);
    // The next item matching `str` under `mode` (wxTL_MODE_* values);
    // see wxTreeListMainWindow::FindItem.
    wxTreeItemId FindItem(const wxTreeItemId& item, const wxString& str, int mode = 0);

    // ---- selection ----------------------------------------------------------
    void Unselect();
    void UnselectAll();
    void SelectItem(const wxTreeItemId& item, const wxTreeItemId& lastItem = (wxTreeItemId*)nullptr,
                    bool unselectOthers = true);
    void SelectAll();
    void PositionItem(const wxTreeItemId& item, const wxTreeItemId& lastItem = (wxTreeItemId*)nullptr,
                      bool unselectOthers = true);

    // ---- geometry -----------------------------------------------------------
    void EnsureVisible(const wxTreeItemId& item);
    void ScrollTo(const wxTreeItemId& item);
    // The row of `item` in the main window's client coordinates; false for
    // a null item and for a hidden root, which has no row.
    bool GetBoundingRect(const wxTreeItemId& item, wxRect& rect, bool textOnly = false) const;
    wxTreeItemId HitTest(const wxPoint& pos);
    wxTreeItemId HitTest(const wxPoint& pos, int& flags);
    wxTreeItemId HitTest(const wxPoint& pos, int& flags, int& column);
    void SetDragItem(const wxTreeItemId& item = (wxTreeItemId*)nullptr);

    // ---- editing ------------------------------------------------------------
    // Opens the edit control on a cell (a hidden root has none: null).
    wxTextCtrl* EditLabel(const wxTreeItemId& item);
    wxTextCtrl* EditLabel(const wxTreeItemId& item, int column);
    void EndEditLabel();
    void SetEditControl(wxEditTextCtrl* edit);
    wxEditTextCtrl* GetEditControl() const;

    wxTreeListHeaderWindow* GetHeaderWindow() const { return m_header_win; }
    wxTreeListMainWindow* GetMainWindow() const { return m_main_win; }
    int GetHeaderHeight() const { return m_headerHeight; }

    // ---- hooks --------------------------------------------------------------
    virtual wxString OnGetItemText(wxTreeItemData* item, long column) const;
    virtual int OnCompareItems(const wxTreeItemId& item1, const wxTreeItemId& item2);

protected:
    virtual void OnContext(wxContextMenuEvent& event);
    virtual wxSize DoGetBestSize() const override;

    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnContextMenu(wxContextMenuEvent& event) { OnContext(event); }

    void CalculateAndSetHeaderHeight();
    void DoHeaderLayout();

private:
    bool IsValidColumn(int column) const;

    wxTreeListHeaderWindow* m_header_win;
    wxTreeListMainWindow* m_main_win;
    int m_headerHeight;

    wxDECLARE_DYNAMIC_CLASS(wxTreeListCtrl);
    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(wxTreeListCtrl);
};

} // namespace kel

#ifndef KEL_NO_TREELIST_USING
using kel::wxArrayTreeListColumnInfo;
using kel::wxArrayTreeListItems;
using kel::wxEditTextCtrl;
using kel::wxTR_HIDE_HEADER;
using kel::wxTR_HIDE_ROOT_FULL_ROW;
using kel::wxTR_VIRTUAL;
using kel::wxTREE_HITTEST_ONITEMCOLUMN;
using kel::wxTreeListColumnInfo;
using kel::wxTreeListCtrl;
using kel::wxTreeListCtrlNameStr;
using kel::wxTreeListEvent;
using kel::wxTreeListEventFunction;
using kel::wxTreeListHeaderWindow;
using kel::wxTreeListItem;
using kel::wxTreeListMainWindow;
#endif

#endif // KELCTRLS_TREELISTCTRL_H
