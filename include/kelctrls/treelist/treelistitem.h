/// \file
/// Columns, items and the notification event of the tree list control
/// (kel::wxTreeListCtrl).
#ifndef KELCTRLS_TREELIST_TREELISTITEM_H
#define KELCTRLS_TREELIST_TREELISTITEM_H

#include <kelctrls/base.h>

#include <wx/dynarray.h>
#include <wx/colour.h>
#include <wx/font.h>
#include <wx/itemattr.h>
#include <wx/treebase.h>
#include <wx/string.h>

#include <cstdint>
#include <cstdlib>

/// Text colour, background colour and font of one tree list item.
typedef wxItemAttr wxTreeItemAttr;

/// The tree list control and its parts. They live in a namespace of their
/// own because wxWidgets declares classes of the same names in
/// `<wx/treelist.h>`; kelctrls/treelistctrl.h brings them into the global
/// namespace unless KEL_NO_TREELIST_USING is defined.
namespace kel
{

class wxTreeListMainWindow;
class wxTreeListItem;

/// One column of the header: caption, width, alignment, image, visibility
/// and whether its cells can be edited in place. A plain value; every setter
/// returns the column so that calls can be chained.
class KELCTRLS_API wxTreeListColumnInfo : public wxObject
{
public:
    /// A column with caption `text`, `width` pixels wide, aligned by `flag`
    /// (wxALIGN_LEFT, wxALIGN_RIGHT or wxALIGN_CENTER, for the caption and the
    /// cells), showing header image `image` (-1: none). The selected image
    /// starts at -1.
    wxTreeListColumnInfo(const wxString& text = wxEmptyString, int width = 100, int flag = wxALIGN_LEFT,
                         int image = -1, bool shown = true, bool edit = false);
    /// Copies all fields.
    wxTreeListColumnInfo(const wxTreeListColumnInfo& other);
    /// Copies all fields.
    wxTreeListColumnInfo& operator=(const wxTreeListColumnInfo& other);
    virtual ~wxTreeListColumnInfo();

    /// The header caption.
    const wxString& GetText() const { return m_text; }
    /// Sets the header caption.
    wxTreeListColumnInfo& SetText(const wxString& text)
    {
        m_text = text;
        return *this;
    }
    /// The width in pixels.
    int GetWidth() const { return m_width; }
    /// Sets the width in pixels.
    wxTreeListColumnInfo& SetWidth(int width)
    {
        m_width = width;
        return *this;
    }
    /// wxALIGN_LEFT, wxALIGN_RIGHT or wxALIGN_CENTER.
    int GetAlignment() const { return m_flag; }
    /// Sets the alignment of caption and cells (wxALIGN_LEFT, wxALIGN_RIGHT or wxALIGN_CENTER).
    wxTreeListColumnInfo& SetAlignment(int flag)
    {
        m_flag = flag;
        return *this;
    }
    /// The index of the header image in the header's image list; -1 for none.
    int GetImage() const { return m_image; }
    /// Sets the header image index (-1: none).
    wxTreeListColumnInfo& SetImage(int image)
    {
        m_image = image;
        return *this;
    }
    /// The header image index used while selected; -1 for none.
    int GetSelectedImage() const { return m_selectedImage; }
    /// Sets the selected header image index (-1: none).
    wxTreeListColumnInfo& SetSelectedImage(int image)
    {
        m_selectedImage = image;
        return *this;
    }
    /// Whether the column is visible.
    bool IsShown() const { return m_shown; }
    /// Shows or hides the column.
    wxTreeListColumnInfo& SetShown(bool shown)
    {
        m_shown = shown;
        return *this;
    }
    /// Whether cells of the column can be edited in place.
    bool IsEditable() const { return m_edit; }
    /// Allows or forbids in-place editing of the column's cells.
    wxTreeListColumnInfo& SetEditable(bool edit)
    {
        m_edit = edit;
        return *this;
    }

    /// The column every accessor answers with for an index out of range:
    /// caption "", width 100, left aligned, no image, shown, not editable.
    static const wxTreeListColumnInfo& GetDefault();

private:
    wxString m_text;
    int m_width;
    int m_flag;
    int m_image;
    int m_selectedImage;
    bool m_shown;
    bool m_edit;
};

/// Owning array of columns: Add and Insert store heap copies, RemoveAt and
/// Clear delete them. Indexes must be below GetCount().
class KELCTRLS_API wxArrayTreeListColumnInfo
{
public:
    /// An empty array.
    wxArrayTreeListColumnInfo() {}
    /// Copies every column.
    wxArrayTreeListColumnInfo(const wxArrayTreeListColumnInfo& other);
    /// Replaces the columns by copies of those of `other`.
    wxArrayTreeListColumnInfo& operator=(const wxArrayTreeListColumnInfo& other);
    /// Deletes the columns.
    ~wxArrayTreeListColumnInfo() { Clear(); }

    /// The number of columns.
    size_t GetCount() const { return m_items.GetCount(); }
    /// Whether there is no column.
    bool IsEmpty() const { return m_items.IsEmpty(); }
    /// Column `i`, owned by the array.
    wxTreeListColumnInfo& Item(size_t i) const { return *static_cast<wxTreeListColumnInfo*>(m_items[i]); }
    /// Column `i`, owned by the array.
    wxTreeListColumnInfo& operator[](size_t i) const { return Item(i); }

    /// Appends a copy of `column`.
    void Add(const wxTreeListColumnInfo& column);
    /// Inserts a copy of `column` before index `before` (at most GetCount()).
    void Insert(const wxTreeListColumnInfo& column, size_t before);
    /// Deletes the column at `index`.
    void RemoveAt(size_t index);
    /// Deletes every column.
    void Clear();

private:
    wxArrayPtrVoid m_items;
};

/// Ordered array of item pointers, not owning them (an item deletes its
/// children itself). Count and capacity live in the heap block, so an empty
/// array is one null pointer. Indexes must be below GetCount().
class KELCTRLS_API wxArrayTreeListItems
{
public:
    /// An empty array.
    wxArrayTreeListItems() : m_block(nullptr) {}
    /// Frees the array, not the items.
    ~wxArrayTreeListItems() { free(m_block); }

    /// The number of items.
    size_t GetCount() const { return m_block ? m_block->count : 0; }
    /// Whether there is no item.
    bool IsEmpty() const { return GetCount() == 0; }
    /// Item `i`.
    wxTreeListItem* Item(size_t i) const { return m_block->items[i]; }
    /// Item `i`.
    wxTreeListItem* operator[](size_t i) const { return m_block->items[i]; }
    /// The last item; the array must not be empty.
    wxTreeListItem* Last() const { return m_block->items[m_block->count - 1]; }
    /// The first element, for range loops.
    wxTreeListItem** begin() const { return m_block ? m_block->items : nullptr; }
    /// Past the last element, for range loops.
    wxTreeListItem** end() const { return m_block ? m_block->items + m_block->count : nullptr; }

    /// Appends `item`.
    void Add(wxTreeListItem* item) { Insert(item, GetCount()); }
    /// Inserts `item` at `index` (at most GetCount()).
    void Insert(wxTreeListItem* item, size_t index);
    /// Removes the pointer at `index`; the item is not deleted.
    void RemoveAt(size_t index);
    /// The index of `item`, or wxNOT_FOUND.
    int Index(const wxTreeListItem* item) const;
    /// Removes every pointer.
    void Clear();

private:
    wxArrayTreeListItems(const wxArrayTreeListItems&) = delete;
    wxArrayTreeListItems& operator=(const wxArrayTreeListItems&) = delete;

    struct Block
    {
        uint32_t count;
        uint32_t capacity;
        wxTreeListItem* items[1];
    };
    Block* m_block;
};

/// The column texts of one item, packed into a single UTF-8 block so that
/// very large trees stay small in memory. At most 65535 texts; indexes must
/// be below GetCount(). Small blocks come from chunks shared by all trees:
/// texts must be set and freed on the GUI thread.
class KELCTRLS_API wxTreeListTexts
{
public:
    /// No text.
    wxTreeListTexts() : m_block(nullptr) {}
    /// Frees the block.
    ~wxTreeListTexts();

    /// The number of texts.
    size_t GetCount() const;
    /// Whether there is no text.
    bool IsEmpty() const { return GetCount() == 0; }
    /// Text `i`.
    wxString Item(size_t i) const;
    /// Text `i`.
    wxString operator[](size_t i) const { return Item(i); }

    /// Replaces the contents by `count` empty texts, then stores `text` as
    /// text `main`.
    void Reset(size_t count, size_t main, const wxString& text);
    /// Replaces text `i`.
    void Set(size_t i, const wxString& text);
    /// Appends `text`.
    void Add(const wxString& text)
    {
        Resize(GetCount() + 1);
        Set(GetCount() - 1, text);
    }
    /// Keeps the first `count` texts, or appends empty ones up to `count`.
    void Resize(size_t count);

    /// Whether text `i` equals `what`, without building a wxString. With
    /// `prefixOnly` the text is cut to the length of `what` first; with
    /// `noCase` case is ignored.
    bool Matches(size_t i, const wxString& what, bool prefixOnly, bool noCase) const;
    /// Orders text `i` of this and text `j` of `other` as wide-character
    /// strings compare: negative, zero or positive.
    int Compare(size_t i, const wxTreeListTexts& other, size_t j) const;
    /// Calls `visit` with each character of text `i` in turn, without
    /// building a wxString, until it returns false.
    template <typename Visit>
    void ForEachCodePoint(size_t i, Visit visit) const
    {
        if (i >= GetCount())
            return;
        size_t len;
        const unsigned char* p = reinterpret_cast<const unsigned char*>(Bytes(i, &len));
        const unsigned char* end = p + len;
        while (p < end && visit(NextCodePoint(p, end)))
        {
        }
    }

private:
    wxTreeListTexts(const wxTreeListTexts&) = delete;
    wxTreeListTexts& operator=(const wxTreeListTexts&) = delete;

    const char* Bytes(size_t i, size_t* len) const;
    // Decodes the UTF-8 sequence at p (bounded by end) and advances p.
    static wxUniChar NextCodePoint(const unsigned char*& p, const unsigned char* end);
    size_t TotalBytes() const;
    // The size of the block: header and texts.
    size_t BlockBytes() const;

    // [uint16 count][uint16 end offset per text][UTF-8 bytes]
    unsigned char* m_block;
};

/// One node of the tree, owned by the tree list's main window. A
/// wxTreeItemId handed out by the control holds the address of its item.
/// The setters here change the item only: they send no event and redraw
/// nothing (use the control's operations for that).
class KELCTRLS_API wxTreeListItem
{
public:
    /// An item of `owner` below `parent` (null for the root) with one text
    /// per column, images `image` (normal) and `selImage` (selected), -1 for
    /// none, and user data `data`, which the item takes over. Created
    /// collapsed and unselected.
    wxTreeListItem(wxTreeListMainWindow* owner, wxTreeListItem* parent, const wxArrayString& texts, int image,
                   int selImage, wxTreeItemData* data);
    /// Deletes the user data and owned attributes; children must have been
    /// deleted first (DeleteChildren).
    ~wxTreeListItem();

    /// Items are made in blocks of many, shared by all trees of the process
    /// and given back to the system when the last item is deleted: a
    /// million people cost one allocation per block instead of one each.
    /// Items must be made and deleted on the GUI thread.
    static void* operator new(size_t size);
    /// Returns the item's place to its block.
    static void operator delete(void* p, size_t size);

    /// The children in display order.
    wxArrayTreeListItems& GetChildren() { return m_children; }
    /// The children in display order.
    const wxArrayTreeListItems& GetChildren() const { return m_children; }

    /// The text of column 0.
    wxString GetText() const { return GetText(0); }
    /// The text of `column`: for a virtual tree (wxTR_VIRTUAL) what the
    /// control's OnGetItemText answers, otherwise the stored text, "" when
    /// none is stored.
    wxString GetText(int column) const;
    /// Sets the text of column 0 (appends it when the item has no text).
    void SetText(const wxString& text);
    /// Sets the text of `column`, filling missing columns below it with "";
    /// a column at or beyond the control's column count is ignored.
    void SetText(int column, const wxString& text);
    /// Whether the text of `column` equals `what` (see wxTreeListTexts::Matches),
    /// without copying it.
    bool TextMatches(int column, const wxString& what, bool prefixOnly, bool noCase) const;
    /// Orders the texts of `column` of this and `other` as wide-character
    /// strings compare: negative, zero or positive.
    int CompareText(int column, const wxTreeListItem& other) const;

    /// The main-column image of kind `which`; -1 for none.
    int GetImage(wxTreeItemIcon which = wxTreeItemIcon_Normal) const { return m_images[which]; }
    /// The image of `column`: for the main column the image of kind `which`,
    /// for another column its one image; -1 for none.
    int GetImage(int column, wxTreeItemIcon which = wxTreeItemIcon_Normal) const;
    /// Sets the main-column image of kind `which` (-1: none).
    void SetImage(int image, wxTreeItemIcon which) { m_images[which] = (short)image; }
    /// Sets the image of `column` as GetImage reads it; a column at or beyond
    /// the column count is ignored.
    void SetImage(int column, int image, wxTreeItemIcon which);
    /// The main-column image for the item's state (selected, expanded or
    /// both), falling back to the normal image when that kind is -1.
    int GetCurrentImage() const;

    /// The user data, owned by the item; null when there is none.
    wxTreeItemData* GetData() const { return m_data; }
    /// Replaces the user data pointer (the previous data is not deleted; the
    /// item owns the new one) and sends wxEVT_COMMAND_TREE_ITEM_DATACHG from
    /// the main window.
    void SetData(wxTreeItemData* data);

    /// Shows an expander even without children (children added on demand).
    void SetHasPlus(bool has = true) { m_hasPlus = has; }
    /// Draws the label in the bold font.
    void SetBold(bool bold) { m_isBold = bold; }

    /// Left of the expander area, in unscrolled pixels (set by the layout).
    int GetX() const { return m_x; }
    /// Top of the row, in unscrolled pixels (set by the layout).
    int GetY() const { return m_y; }
    /// Sets the left of the expander area (layout only).
    void SetX(int x) { m_x = x; }
    /// Sets the top of the row (layout only).
    void SetY(int y) { m_y = y; }
    /// Left of the main-column text, in unscrolled pixels.
    int GetTextX() const { return m_textX; }
    /// Sets the left of the main-column text (layout only).
    void SetTextX(int x) { m_textX = x; }
    /// The measured label height in pixels (0 to 255).
    int GetHeight() const { return m_height; }
    /// The measured label width in pixels.
    int GetWidth() const { return m_width; }
    /// Sets the measured label height (0 to 255; layout only).
    void SetHeight(int h) { m_height = (unsigned char)h; }
    /// Sets the measured label width (layout only).
    void SetWidth(int w) { m_width = (short)w; }

    /// The parent; null for the root.
    wxTreeListItem* GetItemParent() const { return m_parent; }
    /// The next child of the same parent; null for the last.
    wxTreeListItem* GetNextSibling() const;
    /// The previous child of the same parent; null for the first.
    wxTreeListItem* GetPrevSibling() const;
    /// The next sibling of this item or of its nearest ancestor that has
    /// one; null at the end of the tree.
    wxTreeListItem* GetNextSiblingUpwards() const;
    /// The previous sibling of this item or of its nearest ancestor that has
    /// one; null at the start of the tree.
    wxTreeListItem* GetPrevSiblingUpwards() const;

    /// The item an id names (ids hold the address of their item).
    static wxTreeListItem* FromId(const wxTreeItemId& id) { return static_cast<wxTreeListItem*>(id.GetID()); }

    /// Inserts `child` (now owned by this item) at `index` among the children.
    void Insert(wxTreeListItem* child, size_t index);
    /// Deletes every descendant. With `tree`, wxEVT_COMMAND_TREE_DELETE_ITEM
    /// is sent for each child before it goes, and the tree forgets it as
    /// selected item.
    void DeleteChildren(wxTreeListMainWindow* tree = nullptr);
    /// The number of children, or with `recursively` of all descendants.
    size_t GetChildrenCount(bool recursively = true) const;
    /// Enlarges `x` to the right end of the label and `y` to the bottom of
    /// the row, including the children of expanded items.
    void GetSize(int& x, int& y, const wxTreeListMainWindow* theButton);

    /// The item at `point` (unscrolled main-window pixels) among this item
    /// and its visible descendants, or null. `flags` receives
    /// wxTREE_HITTEST_* bits and `column` the column under the point (-1
    /// outside every column); `level` is this item's depth.
    wxTreeListItem* HitTest(const wxPoint& point, const wxTreeListMainWindow* window, int& flags, int& column,
                            int level);

    /// Marks the item expanded (no event, no redraw).
    void Expand() { m_isCollapsed = false; }
    /// Marks the item collapsed (no event, no redraw).
    void Collapse() { m_isCollapsed = true; }
    /// Marks the item selected or not (no event, no redraw).
    void SetHilight(bool set = true) { m_hasHilight = set; }

    /// Whether the item has at least one child.
    bool HasChildren() const { return !m_children.IsEmpty(); }
    /// Whether the item is selected.
    bool IsSelected() const { return m_hasHilight; }
    /// Whether the item is expanded.
    bool IsExpanded() const { return !m_isCollapsed; }
    /// Whether the item shows an expander: it has children or SetHasPlus was called.
    bool HasPlus() const { return m_hasPlus || HasChildren(); }
    /// Whether the label is drawn bold.
    bool IsBold() const { return m_isBold; }
    /// Whether the owner is a virtual tree (wxTR_VIRTUAL).
    bool IsVirtual() const;

    /// The attributes (colours, font); null until first set.
    wxTreeItemAttr* GetAttributes() const { return m_extras ? m_extras->attr : nullptr; }
    /// The attributes, created empty and owned by the item on first use.
    wxTreeItemAttr& Attr();
    /// Uses `attr`, which the caller keeps owning, as attributes.
    void SetAttributes(wxTreeItemAttr* attr);
    /// Uses `attr` as attributes and takes it over.
    void AssignAttributes(wxTreeItemAttr* attr);

    /// Position among the parent's children, kept up to date by every change
    /// of the children array so that sibling walks cost nothing.
    size_t GetIndexInParent() const { return m_index; }
    /// Whether the label size was measured since the last change of text,
    /// image or font.
    bool IsMeasured() const { return m_measured; }
    /// Marks the label size as measured or as to be measured again.
    void SetMeasured(bool measured) { m_measured = measured; }

private:
    friend class wxTreeListMainWindow;

    wxTreeListItem(const wxTreeListItem&) = delete;
    wxTreeListItem& operator=(const wxTreeListItem&) = delete;

    void RenumberChildrenFrom(size_t first);
    bool IsLabelColumn(int column) const;

    wxTreeListMainWindow* m_owner;
    wxTreeListTexts m_text;
    wxTreeItemData* m_data;
    wxArrayTreeListItems m_children;
    wxTreeListItem* m_parent;
    // What few items have, in one block apart: a tree of a million rows
    // pays one pointer each for it.
    struct ItemExtras
    {
        wxTreeItemAttr* attr = nullptr;
        wxArrayShort columnImages;
    };
    ItemExtras& Extras();

    ItemExtras* m_extras;
    short m_images[wxTreeItemIcon_Max];
    int m_x;
    int m_y;
    int m_textX;
    uint32_t m_index;
    short m_width;
    unsigned char m_height;
    unsigned char m_isCollapsed : 1;
    unsigned char m_hasHilight : 1;
    unsigned char m_hasPlus : 1;
    unsigned char m_isBold : 1;
    unsigned char m_ownsAttr : 1;
    unsigned char m_measured : 1;
};

/// The notification of the tree list control: a wxTreeEvent with the
/// column, the hit-test flags, and the parents of a move. Every tree event
/// of the control (the standard wxEVT_TREE_* ones included) is one of these,
/// sent synchronously with the control's id and the control as event
/// object; wxEVT_COMMAND_TREE_ITEM_DATACHG alone comes from the main window
/// and reaches the control by propagation.
class KELCTRLS_API wxTreeListEvent : public wxTreeEvent
{
public:
    /// An event of type `commandType` from window `id`, with column, flags
    /// and parents zero.
    wxTreeListEvent(wxEventType commandType = wxEVT_NULL, int id = 0);
    /// Copies every field.
    wxTreeListEvent(const wxTreeListEvent& event);

    /// A copy, for queueing.
    virtual wxEvent* Clone() const override { return new wxTreeListEvent(*this); }

    /// The column the event concerns (clicks, label editing); -1 for none.
    int GetColumn() const { return m_column; }
    /// Sets the column.
    void SetColumn(int column) { m_column = column; }
    /// The wxTREE_HITTEST_* flags of a click.
    int GetFlags() const { return m_flags; }
    /// Sets the hit-test flags.
    void SetFlags(int flags) { m_flags = flags; }
    /// The parent an item was moved from (wxEVT_COMMAND_TREE_ITEM_MOVE).
    wxTreeListItem* GetOldParent() const { return m_oldParent; }
    /// Sets the old parent.
    void SetOldParent(wxTreeListItem* item) { m_oldParent = item; }
    /// The parent an item was moved to (wxEVT_COMMAND_TREE_ITEM_MOVE).
    wxTreeListItem* GetNewParent() const { return m_newParent; }
    /// Sets the new parent.
    void SetNewParent(wxTreeListItem* item) { m_newParent = item; }

private:
    int m_column;
    int m_flags;
    wxTreeListItem* m_oldParent;
    wxTreeListItem* m_newParent;

    wxDECLARE_DYNAMIC_CLASS(wxTreeListEvent);
};

/// The signature of wxTreeListEvent handlers in event tables.
typedef void (wxEvtHandler::*wxTreeListEventFunction)(wxTreeListEvent&);

} // namespace kel

/// Casts a wxTreeListEvent handler for Connect and event tables.
#define wxTreeListEventHandler(func) wxEVENT_HANDLER_CAST(kel::wxTreeListEventFunction, func)

/// The left button was released over the item that was under the last
/// left or right press; carries the item, point, column and hit flags.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_TREE_ITEM_CLICKED, kel::wxTreeListEvent);
/// The user data of the item was replaced (wxTreeListItem::SetData,
/// SetItemData); id and event object are the main window's.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_TREE_ITEM_DATACHG, kel::wxTreeListEvent);
/// Return was pressed in the tree; the key is consumed and carried as a
/// wxEVT_CHAR key event.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_TREE_ITEM_ENTER, kel::wxTreeListEvent);
/// A key went down in the tree, sent before any other key handling; carries
/// the wxEVT_KEY_DOWN key event.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_TREE_ITEM_KEY_DOWN, kel::wxTreeListEvent);
/// An item was moved to another parent (Move); carries the item, the old and
/// the new parent.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_TREE_ITEM_MOVE, kel::wxTreeListEvent);

/// Event table entry for wxEVT_COMMAND_TREE_ITEM_CLICKED from window `id`, handled by `fn`.
#define EVT_TREE_ITEM_CLICKED(id, fn)                                                                        \
    wx__DECLARE_EVT1(wxEVT_COMMAND_TREE_ITEM_CLICKED, id, wxTreeListEventHandler(fn))
/// Event table entry for wxEVT_COMMAND_TREE_ITEM_DATACHG from window `id`, handled by `fn`.
#define EVT_TREE_ITEM_DATACHG(id, fn)                                                                        \
    wx__DECLARE_EVT1(wxEVT_COMMAND_TREE_ITEM_DATACHG, id, wxTreeListEventHandler(fn))
/// Event table entry for wxEVT_COMMAND_TREE_ITEM_ENTER from window `id`, handled by `fn`.
#define EVT_TREE_ITEM_ENTER(id, fn)                                                                          \
    wx__DECLARE_EVT1(wxEVT_COMMAND_TREE_ITEM_ENTER, id, wxTreeListEventHandler(fn))
/// Event table entry for wxEVT_COMMAND_TREE_ITEM_KEY_DOWN from window `id`, handled by `fn`.
#define EVT_TREE_ITEM_KEY_DOWN(id, fn)                                                                       \
    wx__DECLARE_EVT1(wxEVT_COMMAND_TREE_ITEM_KEY_DOWN, id, wxTreeListEventHandler(fn))
/// Event table entry for wxEVT_COMMAND_TREE_ITEM_MOVE from window `id`, handled by `fn`.
#define EVT_TREE_ITEM_MOVE(id, fn)                                                                           \
    wx__DECLARE_EVT1(wxEVT_COMMAND_TREE_ITEM_MOVE, id, wxTreeListEventHandler(fn))

#endif // KELCTRLS_TREELIST_TREELISTITEM_H
