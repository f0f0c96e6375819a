/// \file
/// The scrolled item area of the tree list control and its in-place editor.
#ifndef KELCTRLS_TREELIST_TREELISTMAINWINDOW_H
#define KELCTRLS_TREELIST_TREELISTMAINWINDOW_H

#include <kelctrls/treelist/treelistitem.h>

#include <wx/scrolwin.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/pen.h>
#include <wx/brush.h>
#include <wx/font.h>

#include <memory>
#include <unordered_map>
#include <vector>

class WXDLLIMPEXP_FWD_CORE wxImageList;

namespace kel
{

/// Style bits of the tree list control beyond the standard tree styles. Note
/// that they reuse the values of wxTR_HIDE_ROOT and wxTR_FULL_ROW_HIGHLIGHT.
enum
{
    wxTR_HIDE_HEADER = 0x0800,       ///< No column header.
    wxTR_VIRTUAL = 0x1000,           ///< Texts come from wxTreeListCtrl::OnGetItemText.
    wxTR_HIDE_ROOT_FULL_ROW = 0x2000 ///< Hidden root; selection marks span the full row.
};

/// Modes of FindItem, combined with |. At most one of the first three
/// chooses the items searched (none of them: the whole tree, collapsed
/// branches included); the last two choose how the main column's text is
/// compared with the string.
enum
{
    wxTL_MODE_NAV_EXPANDED = 0x0001, ///< Expanded items only (GetNextExpanded).
    wxTL_MODE_NAV_VISIBLE = 0x0002,  ///< Items on screen only (GetNextVisible).
    wxTL_MODE_NAV_LEVEL = 0x0004,    ///< The item's siblings only.
    wxTL_MODE_FIND_PARTIAL = 0x0010, ///< The text starts with the string.
    wxTL_MODE_FIND_NOCASE = 0x0020   ///< Letters compare without regard to case.
};

/// Hit-test flag for a point on a cell of a column other than the main one.
static const int wxTREE_HITTEST_ONITEMCOLUMN = 0x2000;

class wxTreeListCtrl;
class wxTreeListHeaderWindow;
class wxEditTextCtrl;
class wxTreeListFindIndex;

/// The scrolled item area of a wxTreeListCtrl: it keeps the tree, lays the
/// rows out at idle time, paints them, and turns mouse and keyboard input
/// into selection, expansion, drags and in-place editing. Created and owned
/// by the control, which forwards its item operations here; every event
/// this window sends goes out with the control's id and the control as
/// event object (see wxTreeListCtrl for the list).
///
/// Keyboard: arrows, Home, End, Page Up/Down move the current item
/// (Shift extends, Ctrl moves without selecting in a wxTR_MULTIPLE tree),
/// Left and Right (and '-', '+', '*') collapse and expand, Space toggles the
/// selection, Return sends wxEVT_COMMAND_TREE_ITEM_ENTER and
/// wxEVT_TREE_ITEM_ACTIVATED, F2 edits the label, other printable keys
/// search the expanded items by prefix.
class KELCTRLS_API wxTreeListMainWindow : public wxScrolledWindow
{
public:
    /// For two-step creation.
    wxTreeListMainWindow();
    /// The item window of `parent`.
    wxTreeListMainWindow(wxTreeListCtrl* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                         const wxSize& size = wxDefaultSize, long style = wxTR_DEFAULT_STYLE,
                         const wxValidator& validator = wxDefaultValidator,
                         const wxString& name = wxT("wxtreelistmainwindow"));
    /// Deletes the tree, the brushes and pens, and the image lists it was assigned.
    virtual ~wxTreeListMainWindow();

    /// Creates the window for `parent`.
    bool Create(wxTreeListCtrl* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTR_DEFAULT_STYLE,
                const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxT("wxtreelistmainwindow"));

    /// \name Appearance
    ///@{

    /// The operation of wxTreeListCtrl of the same name, which forwards to
    /// this one unchanged; see there.
    size_t GetCount() const;
    unsigned int GetIndent() const { return m_indent; }
    void SetIndent(unsigned int indent);
    unsigned int GetLineSpacing() const { return m_linespacing; }
    void SetLineSpacing(unsigned int spacing);
    ///@}
    /// The height of every row in pixels, as the last layout found it.
    int GetLineHeight() const { return m_lineHeight; }
    /// The height of the row of `item` in pixels.
    int GetLineHeight(wxTreeListItem* item) const;

    ///@{

    /// The operation of wxTreeListCtrl of the same name, which forwards to
    /// this one unchanged; see there.

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
    ///@}

    /// Uses `font` for normal items and derives the bold font from it.
    virtual bool SetFont(const wxFont& font) override;
    /// Sets the background of the rows.
    virtual bool SetBackgroundColour(const wxColour& colour) override;
    /// Sets the text colour of the rows.
    virtual bool SetForegroundColour(const wxColour& colour) override;
    /// Sets the tree styles and lays the rows out anew.
    virtual void SetWindowStyleFlag(long style) override;
    /// Same as SetWindowStyleFlag.
    void SetWindowStyle(long style) { SetWindowStyleFlag(style); }

    /// The font of normal items.
    const wxFont& GetNormalFont() const { return m_normalFont; }
    /// The font of bold items.
    const wxFont& GetBoldFont() const { return m_boldFont; }

    /// \name Item attributes, state and navigation
    ///@{

    /// The operation of wxTreeListCtrl of the same name, which forwards to
    /// this one unchanged; see there.
    wxString GetItemText(const wxTreeItemId& item) const;
    wxString GetItemText(const wxTreeItemId& item, int column) const;
    wxString GetItemText(wxTreeItemData* item, int column) const;
    ///@}
    ///@{

    /// The operation of wxTreeListCtrl of the same name, which forwards to
    /// this one unchanged; see there.
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

    bool IsVisible(const wxTreeItemId& item, bool fullRow = false) const;
    bool HasChildren(const wxTreeItemId& item) const;
    bool IsExpanded(const wxTreeItemId& item) const;
    bool IsSelected(const wxTreeItemId& item) const;
    size_t GetChildrenCount(const wxTreeItemId& item, bool recursively = true) const;

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
    ///@}
    /// The next item in depth-first order; without `fulltree` the children
    /// of collapsed items are skipped.
    wxTreeItemId GetNext(const wxTreeItemId& item, bool fulltree = true) const;
    /// The previous item in depth-first order; without `fulltree` the
    /// children of collapsed items are skipped.
    wxTreeItemId GetPrev(const wxTreeItemId& item, bool fulltree = true) const;
    ///@{

    /// The operation of wxTreeListCtrl of the same name, which forwards to
    /// this one unchanged; see there.
    wxTreeItemId GetFirstExpandedItem() const;
    wxTreeItemId GetNextExpanded(const wxTreeItemId& item) const;
    wxTreeItemId GetPrevExpanded(const wxTreeItemId& item) const;
    wxTreeItemId GetFirstVisibleItem(bool fullRow = false) const;
    wxTreeItemId GetNextVisible(const wxTreeItemId& item, bool fullRow = false) const;
    wxTreeItemId GetPrevVisible(const wxTreeItemId& item, bool fullRow = false) const;

    ///@}

    /// \name Tree operations, selection, geometry and editing
    ///@{

    /// The operation of wxTreeListCtrl of the same name, which forwards to
    /// this one unchanged; see there.
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
    ///@}
    /// Asks the control's OnCompareItems.
    int OnCompareItems(const wxTreeItemId& item1, const wxTreeItemId& item2);

    ///@{

    /// The operation of wxTreeListCtrl of the same name, which forwards to
    /// this one unchanged; see there.
    wxTreeItemId FindItem(const wxTreeItemId& item, const wxString& str, int mode = 0);
    void Unselect();
    void UnselectAll();
    void SelectItem(const wxTreeItemId& item, const wxTreeItemId& lastItem = (wxTreeItemId*)nullptr,
                    bool unselectOthers = true);
    void SelectAll();
    ///@}
    /// Makes `item` the current item, the one keyboard navigation continues
    /// from; null is ignored.
    void SetCurItem(wxTreeListItem* item)
    {
        if (item)
            m_current = item;
    }
    /// The current item; null when there is none.
    wxTreeListItem* GetCurItem() const { return m_current; }
    /// The anchor of Shift selections; null when there is none.
    wxTreeListItem* GetShiftItem() const { return m_shiftItem; }

    ///@{

    /// The operation of wxTreeListCtrl of the same name, which forwards to
    /// this one unchanged; see there.
    void EnsureVisible(const wxTreeItemId& item);
    void ScrollTo(const wxTreeItemId& item);
    ///@}
    /// Sets the scroll bars to the height of the laid-out rows and the total
    /// column width.
    void AdjustMyScrollbars();
    ///@{

    /// The operation of wxTreeListCtrl of the same name, which forwards to
    /// this one unchanged; see there.
    bool GetBoundingRect(const wxTreeItemId& item, wxRect& rect, bool textOnly = false) const;
    wxTreeItemId HitTest(const wxPoint& point);
    wxTreeItemId HitTest(const wxPoint& point, int& flags);
    wxTreeItemId HitTest(const wxPoint& point, int& flags, int& column);
    ///@}
    /// The width `item` needs in `column`: text, image and, in the main
    /// column, indentation and expander, in pixels.
    int GetItemWidth(int column, wxTreeListItem* item);
    /// The widest GetItemWidth of `column` over the expanded items below
    /// `parent` (the root when null), plus a margin.
    int GetBestColumnWidth(int column, wxTreeItemId parent = wxTreeItemId());
    ///@{

    /// The operation of wxTreeListCtrl of the same name, which forwards to
    /// this one unchanged; see there.
    void SetDragItem(const wxTreeItemId& item = (wxTreeItemId*)nullptr);
    wxTextCtrl* EditLabel(const wxTreeItemId& item, int column);
    void EndEditLabel();
    void SetEditControl(wxEditTextCtrl* edit);
    wxEditTextCtrl* GetEditControl() const { return m_editControl; }
    ///@}
    /// Opens the editor on the current item and column (the slow second
    /// click of a click-pause-click).
    void OnRenameTimer();
    /// Takes the accepted text of the editor: sends
    /// wxEVT_TREE_END_LABEL_EDIT and stores the text unless vetoed.
    void OnRenameAccept();

    /// Places every displayed row (positions, the row list) now.
    void CalculatePositions();
    /// Computes the row height from the fonts, the image sizes and the line spacing.
    void CalculateLineHeight();
    /// Measures the label of `item` with `dc`.
    void CalculateSize(wxTreeListItem* item, wxDC& dc);
    /// Redraws the row of `item`.
    void RefreshLine(wxTreeListItem* item);
    /// Redraws `item` and every row below it.
    void RefreshSubtree(wxTreeListItem* item);
    /// Redraws the rows of the selected items.
    void RefreshSelected();
    /// Paints the rows that intersect the update region into `dc`.
    void PaintTree(wxDC& dc);
    /// Asks for a new layout at the next idle time.
    void MarkDirty()
    {
        m_dirty = true;
        m_layoutValid = false;
    }
    /// Whether a new layout is pending.
    bool IsDirty() const { return m_dirty; }

    /// The main column.
    int GetMainColumn() const { return m_main_column; }
    /// Makes `column` the main column (0 to the column count - 1).
    void SetMainColumn(int column);

    /// The control this window belongs to.
    wxTreeListCtrl* GetOwner() const { return m_owner; }
    /// The control's header window.
    wxTreeListHeaderWindow* GetHeader() const;
    /// The number of columns of the header.
    int GetColumnCount() const;

    ///@{

    /// Expander and image sizes in pixels, as the last layout found them.
    int GetButtonWidth() const { return m_btnWidth; }
    int GetButtonHeight() const { return m_btnHeight; }
    int GetImageWidth() const { return m_imgWidth; }
    int GetImageHeight() const { return m_imgHeight; }
    ///@}
    /// Whether expanders are drawn (wxTR_HAS_BUTTONS).
    bool HasButtons() const;

    /// Called by items: sends wxEVT_COMMAND_TREE_ITEM_DATACHG for `item`.
    void SendDataChanged(wxTreeListItem* item);
    /// The text of a virtual item, from the control's OnGetItemText.
    wxString GetVirtualText(wxTreeItemData* data, long column) const;

    /// The displayed rows in order, as the last layout placed them.
    const std::vector<wxTreeListItem*>& GetDisplayedRows() const { return m_rows; }

    /// Measures `item` now if its size is not known yet.
    void EnsureMeasured(wxTreeListItem* item) const;

protected:
    /// \name Event handlers
    ///@{

    /// Bound in the event table: painting, focus, keyboard, mouse, idle-time
    /// layout and scrolling, as the class description says.
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
    ///@}

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
    bool FindIndexed(const wxTreeItemId& from, const wxString& str, int mode, wxTreeListItem*& found);
    bool IsWalked(const wxTreeListItem* item, bool expandedOnly) const;
    void IndexSubtree(wxTreeListItem* item);
    void IndexLabel(wxTreeListItem* item);
    void UnindexLabel(wxTreeListItem* item);

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
    static bool ComesBeforeInPreOrder(const wxTreeListItem* a, const wxTreeListItem* b);
    static bool ComparePositions(const wxTreeListItem* a, const wxTreeListItem* b, bool childrenReversed);
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
    // every item by its main-column label; null only while all items go
    // at once
    std::unique_ptr<wxTreeListFindIndex> m_findIndex;

    wxDECLARE_DYNAMIC_CLASS(wxTreeListMainWindow);
    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(wxTreeListMainWindow);
};

/// The in-place editor of a cell, owned by the item window (see
/// wxTreeListCtrl::EditLabel). Return accepts, Escape cancels, losing the
/// focus accepts; the result goes to the two fields it was given.
class KELCTRLS_API wxEditTextCtrl : public wxTextCtrl
{
public:
    /// An editor of `owner` showing `value`; `*accept` and `*res` (owned by
    /// the caller, living as long as the editor) are cleared now and receive
    /// whether the edit was accepted and the final text.
    wxEditTextCtrl(wxWindow* parent, const wxWindowID id, wxTreeListMainWindow* owner, bool* accept,
                   wxString* res, const wxString& value = wxEmptyString,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, int style = 0,
                   const wxValidator& validator = wxDefaultValidator,
                   const wxString& name = wxTextCtrlNameStr);

    /// The text the edit started with; an accepted equal text is no change.
    void SetStartValue(const wxString& value) { m_startValue = value; }
    /// Starts a new edit reporting to `accept` and `res` (both cleared).
    void SetAcceptString(bool* accept, wxString* res);
    /// The item window told about accepted texts.
    void SetMainWindow(wxTreeListMainWindow* owner) { m_owner = owner; }
    /// The text the edit started with.
    const wxString& GetStartValue() const { return m_startValue; }
    /// Whether the current edit has ended.
    bool IsFinished() const { return m_finished; }
    /// Ends the edit as losing the focus does: accepts the current text.
    void EndEditLabel();

protected:
    /// \name Event handlers
    ///@{

    /// Bound in the event table: Return and Escape end the edit, losing the
    /// focus accepts it.
    void OnChar(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    ///@}

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
