// The scrolled item area of the tree list control and its in-place editor.
#ifndef KELCTRLS_TREELIST_TREELISTMAINWINDOW_H
#define KELCTRLS_TREELIST_TREELISTMAINWINDOW_H

#include <kelctrls/treelist/treelistitem.h>

#include <wx/scrolwin.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/pen.h>
#include <wx/brush.h>
#include <wx/font.h>

#include <unordered_map>
#include <vector>

class WXDLLIMPEXP_FWD_CORE wxImageList;

namespace kel
{

// Style bits of the tree list control beyond the standard tree styles. Note
// that they reuse the values of wxTR_HIDE_ROOT and wxTR_FULL_ROW_HIGHLIGHT.
enum
{
    wxTR_HIDE_HEADER = 0x0800,       // no column header
    wxTR_VIRTUAL = 0x1000,           // texts come from wxTreeListCtrl::OnGetItemText
    wxTR_HIDE_ROOT_FULL_ROW = 0x2000 // hidden root, marks span the full row
};

// Modes of FindItem, combined with |. One of the first three chooses the items
// searched (none of them: the whole tree, collapsed branches included); the
// last two choose how the main column's text is compared with the string.
enum
{
    wxTL_MODE_NAV_EXPANDED = 0x0001, // expanded items only
    wxTL_MODE_NAV_VISIBLE = 0x0002,  // items on screen only
    wxTL_MODE_NAV_LEVEL = 0x0004,    // the item's siblings only
    wxTL_MODE_FIND_PARTIAL = 0x0010, // the text starts with the string
    wxTL_MODE_FIND_NOCASE = 0x0020   // letters compare without regard to case
};

// Hit-test flag for a point on a cell of a column other than the main one.
static const int wxTREE_HITTEST_ONITEMCOLUMN = 0x2000;

class wxTreeListCtrl;
class wxTreeListHeaderWindow;
class wxEditTextCtrl;

class KELCTRLS_API wxTreeListMainWindow : public wxScrolledWindow
{
public:
    wxTreeListMainWindow();
    wxTreeListMainWindow(wxTreeListCtrl* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                         const wxSize& size = wxDefaultSize, long style = wxTR_DEFAULT_STYLE,
                         const wxValidator& validator = wxDefaultValidator,
                         const wxString& name = wxT("wxtreelistmainwindow"));
    virtual ~wxTreeListMainWindow();

    bool Create(wxTreeListCtrl* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTR_DEFAULT_STYLE,
                const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxT("wxtreelistmainwindow"));

    // ---- appearance ---------------------------------------------------------
    size_t GetCount() const;
    unsigned int GetIndent() const { return m_indent; }
    void SetIndent(unsigned int indent);
    unsigned int GetLineSpacing() const { return m_linespacing; }
    void SetLineSpacing(unsigned int spacing);
    int GetLineHeight() const { return m_lineHeight; }
    int GetLineHeight(wxTreeListItem* item) const;

    wxImageList* GetImageList() const { return m_imageListNormal; }
    wxImageList* GetStateImageList() const { return m_imageListState; }
    wxImageList* GetButtonsImageList() const { return m_imageListButtons; }
    void SetImageList(wxImageList* imageList);
    void SetStateImageList(wxImageList* imageList);
    void SetButtonsImageList(wxImageList* imageList);
    void AssignImageList(wxImageList* imageList);
    void AssignStateImageList(wxImageList* imageList);
    void AssignButtonsImageList(wxImageList* imageList);

    void SetSelectItemColour(const wxColour& fill, const wxColour& border = wxNullColour);
    void SetUnFocusSelectItemColour(const wxColour& fill, const wxColour& border = wxNullColour);
    void SetSelectFontColour(const wxColour& colour) { m_selectFontColour = colour; }

    virtual bool SetFont(const wxFont& font) override;
    virtual bool SetBackgroundColour(const wxColour& colour) override;
    virtual bool SetForegroundColour(const wxColour& colour) override;
    virtual void SetWindowStyleFlag(long style) override;
    void SetWindowStyle(long style) { SetWindowStyleFlag(style); }

    const wxFont& GetNormalFont() const { return m_normalFont; }
    const wxFont& GetBoldFont() const { return m_boldFont; }

    // ---- item attributes ----------------------------------------------------
    wxString GetItemText(const wxTreeItemId& item) const;
    wxString GetItemText(const wxTreeItemId& item, int column) const;
    wxString GetItemText(wxTreeItemData* item, int column) const;
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
    bool IsVisible(const wxTreeItemId& item, bool fullRow = false) const;
    bool HasChildren(const wxTreeItemId& item) const;
    bool IsExpanded(const wxTreeItemId& item) const;
    bool IsSelected(const wxTreeItemId& item) const;
    size_t GetChildrenCount(const wxTreeItemId& item, bool recursively = true) const;

    // ---- navigation ---------------------------------------------------------
    wxTreeItemId GetRootItem() const { return m_rootItem; }
    wxTreeItemId GetSelection() const { return m_selectItem; }
    size_t GetSelections(wxArrayTreeItemIds& selections) const;
    wxTreeItemId GetItemParent(const wxTreeItemId& item) const;
    wxTreeItemId GetFirstChild(const wxTreeItemId& item, long& cookie) const;
    wxTreeItemId GetNextChild(const wxTreeItemId& item, long& cookie) const;
    wxTreeItemId GetPrevChild(const wxTreeItemId& item, long& cookie) const;
    wxTreeItemId GetLastChild(const wxTreeItemId& item, long& cookie) const;
    wxTreeItemId GetNextSibling(const wxTreeItemId& item) const;
    wxTreeItemId GetPrevSibling(const wxTreeItemId& item) const;
    wxTreeItemId GetNext(const wxTreeItemId& item, bool fulltree = true) const;
    wxTreeItemId GetPrev(const wxTreeItemId& item, bool fulltree = true) const;
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
    int OnCompareItems(const wxTreeItemId& item1, const wxTreeItemId& item2);

    // The next item after `item` (or the first item, when `item` is null)
    // whose main-column text matches `str` under `mode` (wxTL_MODE_*
    // values); the search wraps around once and gives a null id when it
    // comes back to where it started.
    wxTreeItemId FindItem(const wxTreeItemId& item, const wxString& str, int mode = 0);

    // ---- selection ----------------------------------------------------------
    void Unselect();
    void UnselectAll();
    void SelectItem(const wxTreeItemId& item, const wxTreeItemId& lastItem = (wxTreeItemId*)nullptr,
                    bool unselectOthers = true);
    void SelectAll();
    void SetCurItem(wxTreeListItem* item)
    {
        if (item)
            m_current = item;
    }
    wxTreeListItem* GetCurItem() const { return m_current; }
    wxTreeListItem* GetShiftItem() const { return m_shiftItem; }

    // ---- geometry -----------------------------------------------------------
    void EnsureVisible(const wxTreeItemId& item);
    void ScrollTo(const wxTreeItemId& item);
    void AdjustMyScrollbars();
    bool GetBoundingRect(const wxTreeItemId& item, wxRect& rect, bool textOnly = false) const;
    wxTreeItemId HitTest(const wxPoint& point);
    wxTreeItemId HitTest(const wxPoint& point, int& flags);
    wxTreeItemId HitTest(const wxPoint& point, int& flags, int& column);
    int GetItemWidth(int column, wxTreeListItem* item);
    int GetBestColumnWidth(int column, wxTreeItemId parent = wxTreeItemId());
    void SetDragItem(const wxTreeItemId& item = (wxTreeItemId*)nullptr);

    // ---- editing ------------------------------------------------------------
    wxTextCtrl* EditLabel(const wxTreeItemId& item, int column);
    void EndEditLabel();
    void SetEditControl(wxEditTextCtrl* edit);
    wxEditTextCtrl* GetEditControl() const { return m_editControl; }
    void OnRenameTimer();
    void OnRenameAccept();

    // ---- layout and painting ------------------------------------------------
    void CalculatePositions();
    void CalculateLineHeight();
    void CalculateSize(wxTreeListItem* item, wxDC& dc);
    void RefreshLine(wxTreeListItem* item);
    void RefreshSubtree(wxTreeListItem* item);
    void RefreshSelected();
    void PaintTree(wxDC& dc);
    void MarkDirty()
    {
        m_dirty = true;
        m_layoutValid = false;
    }
    bool IsDirty() const { return m_dirty; }

    int GetMainColumn() const { return m_main_column; }
    void SetMainColumn(int column);

    wxTreeListCtrl* GetOwner() const { return m_owner; }
    wxTreeListHeaderWindow* GetHeader() const;
    int GetColumnCount() const;

    // Button and image sizes as the last layout found them.
    int GetButtonWidth() const { return m_btnWidth; }
    int GetButtonHeight() const { return m_btnHeight; }
    int GetImageWidth() const { return m_imgWidth; }
    int GetImageHeight() const { return m_imgHeight; }
    bool HasButtons() const;

    // Called by items: sends the data-changed event for item.
    void SendDataChanged(wxTreeListItem* item);
    // Text of a virtual item, from the control.
    wxString GetVirtualText(wxTreeItemData* data, long column) const;

    // The displayed rows in order, as the last layout placed them.
    const std::vector<wxTreeListItem*>& GetDisplayedRows() const { return m_rows; }

    // Measures item now if its size is not known yet.
    void EnsureMeasured(wxTreeListItem* item) const;

protected:
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnMouseCaptureLost(wxMouseCaptureLostEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnScroll(wxScrollWinEvent& event);

private:
    friend class wxTreeListItem;
    friend class wxEditTextCtrl;
    friend class wxTreeListRenameTimer;

    void Init();
    wxTreeItemId DoInsertItem(const wxTreeItemId& parent, size_t previous, const wxString& text, int image,
                              int selectedImage, wxTreeItemData* data);
    wxTreeListItem* NewItem(wxTreeListItem* parent, const wxString& text, int image, int selectedImage,
                            wxTreeItemData* data);
    bool DoExpand(wxTreeListItem* item, bool refresh);
    void ItemLookChanged(wxTreeListItem* item);
    void ForgetMeasurements(wxTreeListItem* item);
    void ForgetItemsUnder(wxTreeListItem* item, bool includeItem);
    void SelectRange(wxTreeListItem* from, wxTreeListItem* to);
    void UnselectAllChildren(wxTreeListItem* item);
    void FillArray(wxTreeListItem* item, wxArrayTreeItemIds& array) const;
    void ExpandAllFrom(wxTreeListItem* item);

    // Sizes of the labels painted lately, per font. Measuring a label costs
    // as much as drawing it, and the same rows are painted over and over
    // (scrolling back, selection, focus, presence changes).
    class TextSizes
    {
    public:
        // The size of text in the current font of dc, measured once.
        wxSize Get(wxDC& dc, const wxString& text);
        void Clear();

    private:
        struct FontSizes
        {
            wxFont font; // keeps the font data, by whose address entries are found
            std::unordered_map<wxString, wxSize> sizes;
        };
        FontSizes& ForFont(const wxFont& font);

        std::vector<FontSizes> m_fonts;
        size_t m_count = 0;
    };

    // layout and painting helpers
    struct RowMark
    {
        wxBrush brush;
        wxPen pen;
        wxColour text;
    };
    static int AlignmentOffset(int alignment, int spare);
    bool UpdateImageMetrics();
    void EnsureLayout();
    void PlaceItems(wxTreeListItem* item, int level, int& y, wxDC& dc);
    int GetItemX(int level) const;
    int GetMainColumnLeft() const;
    int GetMainColumnWidth() const;
    size_t FindRowAt(int y) const;
    void GetScrollUnits(int& xUnit, int& yUnit) const;
    void SetScrollRange(int yPos);
    void PaintRows(wxDC& dc, int top, int bottom, TextSizes* sizes);
    void PaintRow(wxTreeListItem* item, wxDC& dc, TextSizes* sizes);
    void PaintRowLines(wxTreeListItem* item, wxDC& dc);
    void PaintButton(wxTreeListItem* item, int x, int yMid, wxDC& dc);
    void PaintItem(wxTreeListItem* item, wxDC& dc, TextSizes* sizes);
    RowMark GetRowMark(wxTreeListItem* item, bool fullRow, const wxColour& background,
                       const wxColour& text) const;
    int GetContentHeight() const;
    wxFont GetItemFontFor(const wxTreeListItem* item) const;

    // input helpers
    wxTreeListItem* HitTestRow(const wxPoint& point, int& flags, int& column);
    wxTreeListItem* HitTestInRow(wxTreeListItem* item, const wxPoint& point, int& flags, int& column);
    // Where the main column's image (or, without one, its label) starts.
    int GetMainContentX(wxTreeListItem* item) const;
    int GetMainTextX(wxTreeListItem* item, int textWidth) const;
    size_t RowIndexOf(wxTreeListItem* item) const;
    size_t RowAfter(wxTreeListItem* item) const;
    void GetRowsInWindow(size_t& first, size_t& end) const;
    static bool ComesBeforeInReversePostOrder(const wxTreeListItem* a, const wxTreeListItem* b);
    bool AnySelected(const wxTreeListItem* item) const;
    void SendEvent(wxTreeListEvent& event);
    void SendDeleteEvent(wxTreeListItem* item);
    bool SendVetoableEvent(wxTreeListEvent& event);
    void InitEvent(wxTreeListEvent& event, wxEventType type, wxTreeListItem* item) const;
    void InitColumnEvent(wxTreeListEvent& event, wxEventType type, wxTreeListItem* item, int column) const;
    void InitInputEvent(wxTreeListEvent& event, wxEventType type, wxTreeListItem* item,
                        const wxPoint& point) const;
    void BeginDrag(wxMouseEvent& event, wxTreeListItem* item);
    void StopDragging();
    void EndDrag(wxMouseEvent& event, wxTreeListItem* item);
    void PassMouseToOwner(wxMouseEvent& event);
    bool IsOnExpanderOrIcon(wxTreeListItem* item) const;
    void MakeCurrent(wxTreeListItem* item);
    void SelectFromClick(wxTreeListItem* item, const wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event, wxTreeListItem* item, const wxPoint& point);
    bool OnPress(wxMouseEvent& event, wxTreeListItem* item, const wxPoint& point);
    wxTreeListItem* FindAsYouType(wxChar ch);
    wxTreeListItem* KeyboardTarget(wxKeyEvent& event, bool firstPress);
    wxTreeListItem* ParentForBack(wxTreeListItem* item) const;
    wxTreeListItem* FirstShownItem() const;
    bool IsHiddenRoot(const wxTreeListItem* item) const;

    wxTreeListCtrl* m_owner;
    int m_main_column;
    wxTreeListItem* m_rootItem;
    wxTreeListItem* m_current;
    wxTreeListItem* m_shiftItem;
    wxTreeListItem* m_editItem;
    wxTreeListItem* m_selectItem;
    wxTreeListItem* m_leftDownItem;
    wxTreeListItem* m_dragItem;
    int m_editCol;
    int m_curColumn;
    int m_hitFlags;

    wxEditTextCtrl* m_editControl;
    wxFont m_normalFont;
    wxFont m_boldFont;
    int m_btnWidth, m_btnWidth2;
    int m_btnHeight, m_btnHeight2;
    int m_imgWidth, m_imgWidth2;
    int m_imgHeight, m_imgHeight2;
    unsigned short m_indent;
    int m_lineHeight;
    unsigned short m_linespacing;
    wxPen m_dottedPen;
    wxPen* m_selectPen;
    wxPen* m_unfocusSelectPen;
    wxBrush* m_hilightBrush;
    wxBrush* m_hilightUnfocusedBrush;
    wxColour m_selectFontColour;
    bool m_hasFocus;
    bool m_dirty;
    bool m_ownsImageListNormal, m_ownsImageListState, m_ownsImageListButtons;
    wxImageList* m_imageListNormal;
    wxImageList* m_imageListState;
    wxImageList* m_imageListButtons;

    bool m_isDragging;
    bool m_lastOnSame;
    bool m_left_down_selection;
    bool m_renameAccept;
    wxString m_renameRes;
    int m_dragCount;
    wxTimer* m_dragTimer;
    wxTimer* m_renameTimer;
    wxTimer* m_findTimer;
    wxString m_findStr;

    // Positions of the displayed rows, rebuilt by CalculatePositions. Painting
    // and hit testing look rows up here instead of walking the whole tree.
    std::vector<wxTreeListItem*> m_rows;
    bool m_layoutValid;
    bool m_lineHeightRaised;
    // item to scroll to once the window is on screen
    wxTreeListItem* m_pendingScroll;
    // label sizes for painting the window itself (other DCs measure anew)
    TextSizes m_textSizes;

    wxDECLARE_DYNAMIC_CLASS(wxTreeListMainWindow);
    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(wxTreeListMainWindow);
};

// ----------------------------------------------------------------------------
// wxEditTextCtrl: the in-place editor of a cell
// ----------------------------------------------------------------------------

class KELCTRLS_API wxEditTextCtrl : public wxTextCtrl
{
public:
    wxEditTextCtrl(wxWindow* parent, const wxWindowID id, wxTreeListMainWindow* owner, bool* accept,
                   wxString* res, const wxString& value = wxEmptyString,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, int style = 0,
                   const wxValidator& validator = wxDefaultValidator,
                   const wxString& name = wxTextCtrlNameStr);

    void SetStartValue(const wxString& value) { m_startValue = value; }
    void SetAcceptString(bool* accept, wxString* res);
    void SetMainWindow(wxTreeListMainWindow* owner) { m_owner = owner; }
    const wxString& GetStartValue() const { return m_startValue; }
    bool IsFinished() const { return m_finished; }
    void EndEditLabel();

protected:
    void OnChar(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    void OnKillFocus(wxFocusEvent& event);

private:
    void Finish(bool accept, const wxString& result);

    bool* m_accept;
    wxString* m_res;
    wxTreeListMainWindow* m_owner;
    wxString m_startValue;
    bool m_finished;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(wxEditTextCtrl);
};

} // namespace kel

#endif // KELCTRLS_TREELIST_TREELISTMAINWINDOW_H
