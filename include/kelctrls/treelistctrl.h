/// \file
/// The multi-column tree control used for contact and organisation lists
/// (kel::wxTreeListCtrl), with its header, item window and item types.
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

/// The default window name of the control, "treelistctrl".
extern KELCTRLS_API const char wxTreeListCtrlNameStr[];

/// A tree whose rows have several columns: a header window on top
/// (wxTreeListHeaderWindow) and the scrolled item window below
/// (wxTreeListMainWindow), both owned by the control. Nearly every call is
/// forwarded to one of them.
///
/// Add columns first (AddRoot fails without one), then the root, then
/// items. Items are named by wxTreeItemId; a null id makes every operation
/// do nothing or answer a null id, -1, "" or false. Column indexes out of
/// range are ignored by setters and answered with
/// wxTreeListColumnInfo::GetDefault() by getters.
///
/// Styles: the wxTR_* tree styles (wxTR_HAS_BUTTONS, wxTR_MULTIPLE,
/// wxTR_FULL_ROW_HIGHLIGHT, wxTR_HIDE_ROOT...) plus wxTR_HIDE_HEADER and
/// wxTR_VIRTUAL.
///
/// Events, all wxTreeListEvent sent synchronously with the control's id:
/// the standard tree events (wxEVT_TREE_SEL_CHANGING and _CHANGED,
/// _ITEM_EXPANDING/_EXPANDED/_COLLAPSING/_COLLAPSED, _DELETE_ITEM,
/// _BEGIN_DRAG, _BEGIN_RDRAG, _END_DRAG, _ITEM_RIGHT_CLICK,
/// _ITEM_ACTIVATED, _KEY_DOWN, _BEGIN_LABEL_EDIT, _END_LABEL_EDIT), the
/// header's wxEVT_LIST_COL_CLICK, _COL_RIGHT_CLICK, _COL_BEGIN_DRAG,
/// _COL_DRAGGING and _COL_END_DRAG, and the control's own
/// wxEVT_COMMAND_TREE_ITEM_CLICKED, _DATACHG, _ENTER, _KEY_DOWN and _MOVE.
/// The vetoable ones (_CHANGING, _EXPANDING, _COLLAPSING,
/// _BEGIN_LABEL_EDIT) stop the change when a handler vetoes them.
class KELCTRLS_API wxTreeListCtrl : public wxControl
{
public:
    /// For two-step creation; Create must follow.
    wxTreeListCtrl();
    /// Creates the control (see Create).
    wxTreeListCtrl(wxWindow* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTR_DEFAULT_STYLE,
                   const wxValidator& validator = wxDefaultValidator,
                   const wxString& name = wxTreeListCtrlNameStr);
    virtual ~wxTreeListCtrl();

    /// Creates the control and its two child windows. `style` takes tree
    /// styles; scroll bar styles are dropped (the item window scrolls) and
    /// border styles apply to the control only. Returns false when the
    /// control itself cannot be created.
    bool Create(wxWindow* parent, wxWindowID id = -1, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTR_DEFAULT_STYLE,
                const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxTreeListCtrlNameStr);

    /// Refreshes the item window and the header alike.
    virtual void Refresh(bool erase = true, const wxRect* rect = nullptr) override;
    /// Sets the background of the item window; false before creation.
    virtual bool SetBackgroundColour(const wxColour& colour) override;
    /// Sets the text colour of the item window; false before creation.
    virtual bool SetForegroundColour(const wxColour& colour) override;
    /// Gives header and items the font (the bold font for bold items is
    /// derived from it), recomputes the header height and the row layout.
    virtual bool SetFont(const wxFont& font) override;
    /// Sets the tree styles; the item window lays its rows out anew.
    virtual void SetWindowStyleFlag(long style) override;
    /// Same as SetWindowStyleFlag.
    void SetWindowStyle(long style) { SetWindowStyleFlag(style); }
    /// The control's styles together with those of the item window.
    virtual long GetWindowStyleFlag() const override;
    /// Same as GetWindowStyleFlag.
    long GetWindowStyle() const { return GetWindowStyleFlag(); }
    /// Focuses the item window.
    virtual void SetFocus() override;

    /// \name Columns
    ///@{

    /// The number of columns, shown or not.
    size_t GetColumnCount() const;
    /// Appends a column (see wxTreeListColumnInfo for the arguments) and lays
    /// the header out.
    void AddColumn(const wxString& text, int width = 100, int flag = wxALIGN_LEFT, int image = -1,
                   bool shown = true, bool edit = false);
    /// Appends a copy of `column`.
    void AddColumn(const wxTreeListColumnInfo& column);
    /// Inserts a column before index `before`. Item texts are not moved: the
    /// texts stay with their index.
    void InsertColumn(int before, const wxString& text, int width = 100, int flag = wxALIGN_LEFT,
                      int image = -1, bool shown = true, bool edit = false);
    /// Inserts a copy of `column` before index `before`.
    void InsertColumn(int before, const wxTreeListColumnInfo& column);
    /// Removes column `column`; item texts are not moved.
    void RemoveColumn(int column);
    /// Replaces column `column` by a copy of `info`.
    void SetColumn(int column, const wxTreeListColumnInfo& info);
    /// Column `column`, owned by the header; the default column when out of range.
    const wxTreeListColumnInfo& GetColumn(int column) const;
    /// Column `column`, owned by the header; the default column when out of
    /// range. Changes through the reference show after Refresh.
    wxTreeListColumnInfo& GetColumn(int column);
    /// Sets the width of `column` in pixels.
    void SetColumnWidth(int column, int width);
    /// The width of `column` in pixels.
    int GetColumnWidth(int column) const;
    /// Sets the caption of `column`.
    void SetColumnText(int column, const wxString& text);
    /// The caption of `column`.
    wxString GetColumnText(int column) const;
    /// Sets the header image of `column` (an index in the item image list; -1: none).
    void SetColumnImage(int column, int image);
    /// The header image of `column`; -1 for none.
    int GetColumnImage(int column) const;
    /// Aligns caption and cells of `column` (wxALIGN_LEFT, wxALIGN_RIGHT or wxALIGN_CENTER).
    void SetColumnAlignment(int column, int flag);
    /// The alignment of `column`.
    int GetColumnAlignment(int column) const;
    /// Shows or hides `column`; the main column always stays shown.
    void SetColumnShown(int column, bool shown = true);
    /// Whether `column` is shown.
    bool IsColumnShown(int column) const;
    /// Allows or forbids editing the cells of `column` in place (EditLabel).
    void SetColumnEditable(int column, bool edit = true);
    /// Whether the cells of `column` can be edited in place.
    bool IsColumnEditable(int column) const;
    /// Makes `column` (0 to GetColumnCount() - 1) the main column, the one
    /// with the tree lines, expanders and item images; other values are ignored.
    void SetMainColumn(int column);
    /// The main column, 0 unless changed.
    int GetMainColumn() const;
    ///@}

    /// \name Appearance
    ///@{

    /// The number of items below the root (the root not counted); 0 without root.
    size_t GetCount() const;
    /// The indentation of each level in pixels.
    unsigned int GetIndent() const;
    /// Sets the indentation of each level in pixels.
    void SetIndent(unsigned int indent);
    /// The extra space between rows in pixels.
    unsigned int GetLineSpacing() const;
    /// Sets the extra space between rows in pixels.
    void SetLineSpacing(unsigned int spacing);
    /// The item images; null when none was set.
    wxImageList* GetImageList() const;
    /// The state images; null when none was set.
    wxImageList* GetStateImageList() const;
    /// The expander images (collapsed, collapsed and selected, expanded,
    /// expanded and selected); null for the drawn expanders.
    wxImageList* GetButtonsImageList() const;
    /// Uses `imageList` for item images; the caller keeps owning it.
    void SetImageList(wxImageList* imageList);
    /// Uses `imageList` for state images; the caller keeps owning it.
    void SetStateImageList(wxImageList* imageList);
    /// Uses `imageList` for the expanders; the caller keeps owning it.
    void SetButtonsImageList(wxImageList* imageList);
    /// Uses `imageList` for item images and deletes it with the control.
    void AssignImageList(wxImageList* imageList);
    /// Uses `imageList` for state images and deletes it with the control.
    void AssignStateImageList(wxImageList* imageList);
    /// Uses `imageList` for the expanders and deletes it with the control.
    void AssignButtonsImageList(wxImageList* imageList);
    /// The fill and frame of selected rows while the tree has the focus; an
    /// invalid `border` draws no frame.
    void SetSelectItemColour(const wxColour& fill, const wxColour& border = wxNullColour);
    /// The fill and frame of selected rows while the tree does not have the focus.
    void SetUnFocusSelectItemColour(const wxColour& fill, const wxColour& border = wxNullColour);
    /// The text colour of selected rows.
    void SetSelectFontColour(const wxColour& colour);
    ///@}

    /// \name Item attributes
    /// Setters redraw the item's row; texts and images re-measure it.
    ///@{

    /// The text of the main column.
    wxString GetItemText(const wxTreeItemId& item) const;
    /// The text of `column`; "" when none was set.
    wxString GetItemText(const wxTreeItemId& item, int column) const;
    /// The main-column image of kind `which` (index in the image list; -1: none).
    int GetItemImage(const wxTreeItemId& item, wxTreeItemIcon which = wxTreeItemIcon_Normal) const;
    /// The image of `column` (for the main column: of kind `which`); -1 for none.
    int GetItemImage(const wxTreeItemId& item, int column,
                     wxTreeItemIcon which = wxTreeItemIcon_Normal) const;
    /// The item's user data, owned by the item; null when none.
    wxTreeItemData* GetItemData(const wxTreeItemId& item) const;
    /// Whether the item is drawn bold.
    bool IsBold(const wxTreeItemId& item) const;
    /// The item's own text colour; invalid when it has none.
    wxColour GetItemTextColour(const wxTreeItemId& item) const;
    /// The item's own background colour; invalid when it has none.
    wxColour GetItemBackgroundColour(const wxTreeItemId& item) const;
    /// The item's own font, or else the tree's bold or normal font.
    wxFont GetItemFont(const wxTreeItemId& item) const;

    /// Sets the text of the main column.
    void SetItemText(const wxTreeItemId& item, const wxString& text);
    /// Sets the text of `column`; a column beyond the column count is ignored.
    void SetItemText(const wxTreeItemId& item, int column, const wxString& text);
    /// Sets the main-column image of kind `which` (-1: none).
    void SetItemImage(const wxTreeItemId& item, int image, wxTreeItemIcon which = wxTreeItemIcon_Normal);
    /// Sets the image of `column` (for the main column: of kind `which`).
    void SetItemImage(const wxTreeItemId& item, int column, int image,
                      wxTreeItemIcon which = wxTreeItemIcon_Normal);
    /// Gives the item `data`, which it takes over (the previous data is not
    /// deleted), and sends wxEVT_COMMAND_TREE_ITEM_DATACHG.
    void SetItemData(const wxTreeItemId& item, wxTreeItemData* data);
    /// Shows an expander on the item even while it has no children (for
    /// children added on wxEVT_TREE_ITEM_EXPANDING).
    void SetItemHasChildren(const wxTreeItemId& item, bool has = true);
    /// Draws the item bold or not.
    void SetItemBold(const wxTreeItemId& item, bool bold = true);
    /// Gives the item a text colour of its own.
    void SetItemTextColour(const wxTreeItemId& item, const wxColour& colour);
    /// Gives the item a background colour of its own.
    void SetItemBackgroundColour(const wxTreeItemId& item, const wxColour& colour);
    /// Gives the item a font of its own.
    void SetItemFont(const wxTreeItemId& item, const wxFont& font);
    ///@}

    /// \name Item state
    ///@{

    /// Whether the item is on screen now: its ancestors are expanded and its
    /// row (with `fullRow`) or its label lies inside the window. A hidden
    /// root is never visible.
    bool IsVisible(const wxTreeItemId& item, bool fullRow = false) const;
    /// Whether the item has children or was marked by SetItemHasChildren.
    bool HasChildren(const wxTreeItemId& item) const;
    /// Whether the item is expanded.
    bool IsExpanded(const wxTreeItemId& item) const;
    /// Whether the item is selected.
    bool IsSelected(const wxTreeItemId& item) const;
    /// The number of children, or with `recursively` of all descendants.
    size_t GetChildrenCount(const wxTreeItemId& item, bool recursively = true) const;
    ///@}

    /// \name Navigation
    /// Each answers a null id when there is no such item.
    ///@{

    /// The root.
    wxTreeItemId GetRootItem() const;
    /// The selected item of a single-selection tree.
    wxTreeItemId GetSelection() const;
    /// Fills `selections` with every selected item in tree order and returns
    /// how many there are.
    size_t GetSelections(wxArrayTreeItemIds& selections) const;
    /// The parent.
    wxTreeItemId GetItemParent(const wxTreeItemId& item) const;
    /// The first child; `cookie` is set for GetNextChild.
    wxTreeItemId GetFirstChild(const wxTreeItemId& item, long& cookie) const;
    /// The child after the one `cookie` stands at, moving the cookie.
    wxTreeItemId GetNextChild(const wxTreeItemId& item, long& cookie) const;
    /// The child before the one `cookie` stands at, moving the cookie.
    wxTreeItemId GetPrevChild(const wxTreeItemId& item, long& cookie) const;
    /// The last child; `cookie` is set for GetPrevChild.
    wxTreeItemId GetLastChild(const wxTreeItemId& item, long& cookie) const;
    /// The next child of the same parent.
    wxTreeItemId GetNextSibling(const wxTreeItemId& item) const;
    /// The previous child of the same parent.
    wxTreeItemId GetPrevSibling(const wxTreeItemId& item) const;
    /// The next item of the whole tree in depth-first order, collapsed
    /// branches included.
    wxTreeItemId GetNext(const wxTreeItemId& item) const;
    /// The previous item of the whole tree in depth-first order.
    wxTreeItemId GetPrev(const wxTreeItemId& item) const;
    /// The first item after the root that is not inside a collapsed branch.
    wxTreeItemId GetFirstExpandedItem() const;
    /// The next item not inside a collapsed branch.
    wxTreeItemId GetNextExpanded(const wxTreeItemId& item) const;
    /// The previous item not inside a collapsed branch.
    wxTreeItemId GetPrevExpanded(const wxTreeItemId& item) const;
    /// The first item on screen (see IsVisible).
    wxTreeItemId GetFirstVisibleItem(bool fullRow = false) const;
    /// The next item on screen.
    wxTreeItemId GetNextVisible(const wxTreeItemId& item, bool fullRow = false) const;
    /// The previous item on screen.
    wxTreeItemId GetPrevVisible(const wxTreeItemId& item, bool fullRow = false) const;
    ///@}

    /// \name Tree operations
    /// `image` and `selectedImage` are indexes in the item image list (-1:
    /// none); `data` is taken over by the new item. Insertion sends no event.
    ///@{

    /// Creates the root with `text` in the main column. Only when there is
    /// no root yet and at least one column; otherwise returns a null id.
    /// With wxTR_HIDE_ROOT the root is expanded and not drawn.
    wxTreeItemId AddRoot(const wxString& text, int image = -1, int selectedImage = -1,
                         wxTreeItemData* data = nullptr);
    /// Inserts a child of `parent` before its first child.
    wxTreeItemId PrependItem(const wxTreeItemId& parent, const wxString& text, int image = -1,
                             int selectedImage = -1, wxTreeItemData* data = nullptr);
    /// Inserts a child of `parent` after its child `idPrevious`.
    wxTreeItemId InsertItem(const wxTreeItemId& parent, const wxTreeItemId& idPrevious, const wxString& text,
                            int image = -1, int selectedImage = -1, wxTreeItemData* data = nullptr);
    /// Inserts a child of `parent` at position `index` among its children.
    wxTreeItemId InsertItem(const wxTreeItemId& parent, size_t index, const wxString& text, int image = -1,
                            int selectedImage = -1, wxTreeItemData* data = nullptr);
    /// Appends a child to `parent`.
    wxTreeItemId AppendItem(const wxTreeItemId& parent, const wxString& text, int image = -1,
                            int selectedImage = -1, wxTreeItemData* data = nullptr);
    /// Deletes the item and its descendants, sending
    /// wxEVT_TREE_DELETE_ITEM for the item and for each child as it goes.
    /// The root cannot be deleted this way (see DeleteRoot).
    void Delete(const wxTreeItemId& item);
    /// Deletes the descendants of the item, sending wxEVT_TREE_DELETE_ITEM
    /// for each child.
    void DeleteChildren(const wxTreeItemId& item);
    /// Deletes the whole tree, sending wxEVT_TREE_DELETE_ITEM for the root.
    void DeleteRoot();
    /// Expands a collapsed item: sends wxEVT_TREE_ITEM_EXPANDING (a veto
    /// stops here), then wxEVT_TREE_ITEM_EXPANDED.
    void Expand(const wxTreeItemId& item);
    /// Expands the item and, if that was not vetoed, all its descendants.
    void ExpandAll(const wxTreeItemId& item);
    /// Collapses an expanded item: wxEVT_TREE_ITEM_COLLAPSING (vetoable),
    /// then wxEVT_TREE_ITEM_COLLAPSED. The selection is left as it is.
    void Collapse(const wxTreeItemId& item);
    /// Collapses the item, then deletes its children.
    void CollapseAndReset(const wxTreeItemId& item);
    /// Does nothing: expansion changes through Expand and Collapse only.
    void Toggle(const wxTreeItemId& item);
    /// Moves the item with its subtree to the end of the children of
    /// `newParent` and sends wxEVT_COMMAND_TREE_ITEM_MOVE. Nothing for the
    /// root or a null id. `newParent` must not lie inside the moved subtree.
    void Move(const wxTreeItemId& item, const wxTreeItemId& newParent);
    /// Sorts the children of the item with OnCompareItems (not recursively).
    void SortChildren(const wxTreeItemId& item);
    /// The first item after `item` whose main-column text matches `str`,
    /// wrapping around once to the start of the tree (the root, or its first
    /// child when the root is hidden); a null `item` starts there. `mode`
    /// combines at most one of wxTL_MODE_NAV_EXPANDED, wxTL_MODE_NAV_VISIBLE
    /// and wxTL_MODE_NAV_LEVEL (none: the whole tree, collapsed branches
    /// included) with wxTL_MODE_FIND_PARTIAL and wxTL_MODE_FIND_NOCASE.
    /// Returns a null id when nothing matches, or when the search comes back
    /// to `item`. The control keeps its items by the start of their labels,
    /// so that a search of the whole tree or of its expanded items costs
    /// about as much in a million items as in a thousand, unless the first
    /// characters searched for start thousands of labels (then the rows are
    /// walked, which soon meets one of them) or the tree is virtual.
    wxTreeItemId FindItem(const wxTreeItemId& item, const wxString& str, int mode = 0);
    ///@}

    /// \name Selection
    ///@{

    /// Forgets the selected item of a single-selection tree (no event).
    void Unselect();
    /// Unselects every item (no event).
    void UnselectAll();
    /// Selects the item: sends wxEVT_TREE_SEL_CHANGING (a veto stops here),
    /// unselects the others when `unselectOthers` (always without
    /// wxTR_MULTIPLE), toggles the item, or with `lastItem` selects every
    /// row between the two, and sends wxEVT_TREE_SEL_CHANGED.
    void SelectItem(const wxTreeItemId& item, const wxTreeItemId& lastItem = (wxTreeItemId*)nullptr,
                    bool unselectOthers = true);
    /// Selects every item of a wxTR_MULTIPLE tree, with the two selection events.
    void SelectAll();
    /// SelectItem, then makes the item the one keyboard navigation continues from.
    void PositionItem(const wxTreeItemId& item, const wxTreeItemId& lastItem = (wxTreeItemId*)nullptr,
                      bool unselectOthers = true);
    ///@}

    /// \name Geometry
    ///@{

    /// Expands the item's ancestors and scrolls the item into view.
    void EnsureVisible(const wxTreeItemId& item);
    /// Scrolls the item into view (once the window is shown, when it is not yet).
    void ScrollTo(const wxTreeItemId& item);
    /// The item's row, or with `textOnly` its label, in item-window client
    /// coordinates; false for a null item, for an item that is not laid out
    /// and for a hidden root, which has no row.
    bool GetBoundingRect(const wxTreeItemId& item, wxRect& rect, bool textOnly = false) const;
    /// The item at `pos` (control client coordinates), or a null id.
    wxTreeItemId HitTest(const wxPoint& pos);
    /// The item at `pos`; `flags` receives wxTREE_HITTEST_* bits.
    wxTreeItemId HitTest(const wxPoint& pos, int& flags);
    /// The item at `pos`; `flags` receives wxTREE_HITTEST_* bits (with
    /// wxTREE_HITTEST_ONITEMCOLUMN for a cell outside the main column) and
    /// `column` the column under the point, -1 outside every column.
    wxTreeItemId HitTest(const wxPoint& pos, int& flags, int& column);
    /// Marks `item` as the drop target of a drag under way (drawn framed);
    /// a null id clears the mark.
    void SetDragItem(const wxTreeItemId& item = (wxTreeItemId*)nullptr);
    ///@}

    /// \name In-place editing
    ///@{

    /// Edits the main-column text of the item (see the other overload); a
    /// hidden root has no cell to edit: null.
    wxTextCtrl* EditLabel(const wxTreeItemId& item);
    /// Opens the in-place editor on a cell: sends wxEVT_TREE_BEGIN_LABEL_EDIT
    /// (a veto gives null), then shows the editor with all its text
    /// selected. Return accepts, Escape cancels, losing the focus accepts;
    /// an accepted changed text ends in wxEVT_TREE_END_LABEL_EDIT, whose
    /// veto keeps the old text. Returns the editor, owned by the tree, or
    /// null for a bad item or column.
    wxTextCtrl* EditLabel(const wxTreeItemId& item, int column);
    /// Ends an open edit as losing the focus does (accepting the text).
    void EndEditLabel();
    /// Uses `edit` as the in-place editor; the tree reparents and hides it.
    void SetEditControl(wxEditTextCtrl* edit);
    /// The in-place editor; null before the first edit.
    wxEditTextCtrl* GetEditControl() const;
    ///@}

    /// The header window, owned by the control.
    wxTreeListHeaderWindow* GetHeaderWindow() const { return m_header_win; }
    /// The item window, owned by the control.
    wxTreeListMainWindow* GetMainWindow() const { return m_main_win; }
    /// The header height in pixels; 0 with wxTR_HIDE_HEADER.
    int GetHeaderHeight() const { return m_headerHeight; }

    /// The text of `column` of an item of a wxTR_VIRTUAL tree, asked at each
    /// paint; `item` is its user data. Returns "" unless overridden.
    virtual wxString OnGetItemText(wxTreeItemData* item, long column) const;
    /// Orders two siblings for SortChildren: negative, zero or positive. By
    /// default a case-sensitive comparison of the main-column texts.
    virtual int OnCompareItems(const wxTreeItemId& item1, const wxTreeItemId& item2);

protected:
    /// Called on a context menu request over the control; does nothing
    /// unless overridden.
    virtual void OnContext(wxContextMenuEvent& event);
    /// 200 x 200 pixels.
    virtual wxSize DoGetBestSize() const override;

    /// \name Event handlers
    ///@{

    /// Bound in the event table: a size change lays the children out, paint
    /// and erase are left to the children, a context menu goes to OnContext.
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnContextMenu(wxContextMenuEvent& event) { OnContext(event); }
    ///@}

    /// Measures the header font and lays out again when the height changes.
    void CalculateAndSetHeaderHeight();
    /// Places the header on top and the item window below it.
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
