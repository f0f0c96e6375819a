// Columns, items and the notification event of the tree list control.
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

// Text colour, background colour and font of one item.
typedef wxItemAttr wxTreeItemAttr;

namespace kel
{

class wxTreeListMainWindow;
class wxTreeListItem;

// ----------------------------------------------------------------------------
// wxTreeListColumnInfo: one column of the header
// ----------------------------------------------------------------------------

class KELCTRLS_API wxTreeListColumnInfo : public wxObject
{
public:
    wxTreeListColumnInfo(const wxString& text = wxEmptyString, int width = 100, int flag = wxALIGN_LEFT,
                         int image = -1, bool shown = true, bool edit = false);
    wxTreeListColumnInfo(const wxTreeListColumnInfo& other);
    wxTreeListColumnInfo& operator=(const wxTreeListColumnInfo& other);
    virtual ~wxTreeListColumnInfo();

    const wxString& GetText() const { return m_text; }
    wxTreeListColumnInfo& SetText(const wxString& text)
    {
        m_text = text;
        return *this;
    }
    int GetWidth() const { return m_width; }
    wxTreeListColumnInfo& SetWidth(int width)
    {
        m_width = width;
        return *this;
    }
    int GetAlignment() const { return m_flag; }
    wxTreeListColumnInfo& SetAlignment(int flag)
    {
        m_flag = flag;
        return *this;
    }
    int GetImage() const { return m_image; }
    wxTreeListColumnInfo& SetImage(int image)
    {
        m_image = image;
        return *this;
    }
    int GetSelectedImage() const { return m_selectedImage; }
    wxTreeListColumnInfo& SetSelectedImage(int image)
    {
        m_selectedImage = image;
        return *this;
    }
    bool IsShown() const { return m_shown; }
    wxTreeListColumnInfo& SetShown(bool shown)
    {
        m_shown = shown;
        return *this;
    }
    bool IsEditable() const { return m_edit; }
    wxTreeListColumnInfo& SetEditable(bool edit)
    {
        m_edit = edit;
        return *this;
    }

    // The column every accessor answers with for an index out of range.
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

// Owning array of columns: Add and Insert store heap copies.
class KELCTRLS_API wxArrayTreeListColumnInfo
{
public:
    wxArrayTreeListColumnInfo() {}
    wxArrayTreeListColumnInfo(const wxArrayTreeListColumnInfo& other);
    wxArrayTreeListColumnInfo& operator=(const wxArrayTreeListColumnInfo& other);
    ~wxArrayTreeListColumnInfo() { Clear(); }

    size_t GetCount() const { return m_items.GetCount(); }
    bool IsEmpty() const { return m_items.IsEmpty(); }
    wxTreeListColumnInfo& Item(size_t i) const { return *static_cast<wxTreeListColumnInfo*>(m_items[i]); }
    wxTreeListColumnInfo& operator[](size_t i) const { return Item(i); }

    void Add(const wxTreeListColumnInfo& column);
    void Insert(const wxTreeListColumnInfo& column, size_t before);
    void RemoveAt(size_t index);
    void Clear();

private:
    wxArrayPtrVoid m_items;
};

// ----------------------------------------------------------------------------
// wxArrayTreeListItems: plain ordered array of item pointers. Count and
// capacity live in the heap block, so an empty array is one null pointer.
// ----------------------------------------------------------------------------

class KELCTRLS_API wxArrayTreeListItems
{
public:
    wxArrayTreeListItems() : m_block(nullptr) {}
    ~wxArrayTreeListItems() { free(m_block); }

    size_t GetCount() const { return m_block ? m_block->count : 0; }
    bool IsEmpty() const { return GetCount() == 0; }
    wxTreeListItem* Item(size_t i) const { return m_block->items[i]; }
    wxTreeListItem* operator[](size_t i) const { return m_block->items[i]; }
    wxTreeListItem* Last() const { return m_block->items[m_block->count - 1]; }
    wxTreeListItem** begin() const { return m_block ? m_block->items : nullptr; }
    wxTreeListItem** end() const { return m_block ? m_block->items + m_block->count : nullptr; }

    void Add(wxTreeListItem* item) { Insert(item, GetCount()); }
    void Insert(wxTreeListItem* item, size_t index);
    void RemoveAt(size_t index);
    int Index(const wxTreeListItem* item) const;
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

// ----------------------------------------------------------------------------
// wxTreeListTexts: the column texts of one item, packed into a single UTF-8
// block so that very large trees stay small in memory
// ----------------------------------------------------------------------------

class KELCTRLS_API wxTreeListTexts
{
public:
    wxTreeListTexts() : m_block(nullptr) {}
    ~wxTreeListTexts() { free(m_block); }

    size_t GetCount() const;
    bool IsEmpty() const { return GetCount() == 0; }
    wxString Item(size_t i) const;
    wxString operator[](size_t i) const { return Item(i); }

    // Replaces the contents by count empty texts, then stores text in column main.
    void Reset(size_t count, size_t main, const wxString& text);
    void Set(size_t i, const wxString& text);
    void Add(const wxString& text)
    {
        Resize(GetCount() + 1);
        Set(GetCount() - 1, text);
    }
    void Resize(size_t count);

    // Compares without building a wxString. prefixOnly compares the text cut
    // to the length of what.
    bool Matches(size_t i, const wxString& what, bool prefixOnly, bool noCase) const;
    // Orders text i of this and text j of other as wide-character strings
    // compare (negative, zero, positive).
    int Compare(size_t i, const wxTreeListTexts& other, size_t j) const;

private:
    wxTreeListTexts(const wxTreeListTexts&) = delete;
    wxTreeListTexts& operator=(const wxTreeListTexts&) = delete;

    const char* Bytes(size_t i, size_t* len) const;
    size_t TotalBytes() const;

    // [uint16 count][uint16 end offset per text][UTF-8 bytes]
    unsigned char* m_block;
};

// ----------------------------------------------------------------------------
// wxTreeListItem: one node of the tree
// ----------------------------------------------------------------------------

class KELCTRLS_API wxTreeListItem
{
public:
    wxTreeListItem(wxTreeListMainWindow* owner, wxTreeListItem* parent, const wxArrayString& texts, int image,
                   int selImage, wxTreeItemData* data);
    ~wxTreeListItem();

    wxArrayTreeListItems& GetChildren() { return m_children; }
    const wxArrayTreeListItems& GetChildren() const { return m_children; }

    wxString GetText() const { return GetText(0); }
    wxString GetText(int column) const;
    void SetText(const wxString& text);
    void SetText(int column, const wxString& text);
    // Compares the stored text of a column without copying it.
    bool TextMatches(int column, const wxString& what, bool prefixOnly, bool noCase) const;
    // Orders the texts of a column of two items as wide-character strings.
    int CompareText(int column, const wxTreeListItem& other) const;

    int GetImage(wxTreeItemIcon which = wxTreeItemIcon_Normal) const { return m_images[which]; }
    int GetImage(int column, wxTreeItemIcon which = wxTreeItemIcon_Normal) const;
    void SetImage(int image, wxTreeItemIcon which) { m_images[which] = (short)image; }
    void SetImage(int column, int image, wxTreeItemIcon which);
    int GetCurrentImage() const;

    wxTreeItemData* GetData() const { return m_data; }
    void SetData(wxTreeItemData* data);

    void SetHasPlus(bool has = true) { m_hasPlus = has; }
    void SetBold(bool bold) { m_isBold = bold; }

    int GetX() const { return m_x; }
    int GetY() const { return m_y; }
    void SetX(int x) { m_x = x; }
    void SetY(int y) { m_y = y; }
    int GetTextX() const { return m_textX; }
    void SetTextX(int x) { m_textX = x; }
    int GetHeight() const { return m_height; }
    int GetWidth() const { return m_width; }
    void SetHeight(int h) { m_height = (unsigned char)h; }
    void SetWidth(int w) { m_width = (short)w; }

    wxTreeListItem* GetItemParent() const { return m_parent; }
    wxTreeListItem* GetNextSibling() const;
    wxTreeListItem* GetPrevSibling() const;
    // The next (previous) sibling of this item or of its nearest ancestor
    // that has one.
    wxTreeListItem* GetNextSiblingUpwards() const;
    wxTreeListItem* GetPrevSiblingUpwards() const;

    // The item an id names (ids hold the address of their item).
    static wxTreeListItem* FromId(const wxTreeItemId& id) { return static_cast<wxTreeListItem*>(id.GetID()); }

    void Insert(wxTreeListItem* child, size_t index);
    void DeleteChildren(wxTreeListMainWindow* tree = nullptr);
    size_t GetChildrenCount(bool recursively = true) const;
    void GetSize(int& x, int& y, const wxTreeListMainWindow* theButton);

    wxTreeListItem* HitTest(const wxPoint& point, const wxTreeListMainWindow* window, int& flags, int& column,
                            int level);

    void Expand() { m_isCollapsed = false; }
    void Collapse() { m_isCollapsed = true; }
    void SetHilight(bool set = true) { m_hasHilight = set; }

    bool HasChildren() const { return !m_children.IsEmpty(); }
    bool IsSelected() const { return m_hasHilight; }
    bool IsExpanded() const { return !m_isCollapsed; }
    bool HasPlus() const { return m_hasPlus || HasChildren(); }
    bool IsBold() const { return m_isBold; }
    bool IsVirtual() const;

    wxTreeItemAttr* GetAttributes() const { return m_attr; }
    wxTreeItemAttr& Attr();
    void SetAttributes(wxTreeItemAttr* attr);
    void AssignAttributes(wxTreeItemAttr* attr);

    // Position among the parent's children, kept up to date by every change
    // of the children array so that sibling walks cost nothing.
    size_t GetIndexInParent() const { return m_index; }
    // The label size is measured once and kept until text, image or font change.
    bool IsMeasured() const { return m_measured; }
    void SetMeasured(bool measured) { m_measured = measured; }

private:
    friend class wxTreeListMainWindow;

    wxTreeListItem(const wxTreeListItem&) = delete;
    wxTreeListItem& operator=(const wxTreeListItem&) = delete;

    void RenumberChildrenFrom(size_t first);

    wxTreeListMainWindow* m_owner;
    wxTreeListTexts m_text;
    wxTreeItemData* m_data;
    wxArrayTreeListItems m_children;
    wxTreeListItem* m_parent;
    wxTreeItemAttr* m_attr;
    short m_images[wxTreeItemIcon_Max];
    wxArrayShort* m_col_images;
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

// ----------------------------------------------------------------------------
// wxTreeListEvent: tree event with column, hit flags and the parents of a move
// ----------------------------------------------------------------------------

class KELCTRLS_API wxTreeListEvent : public wxTreeEvent
{
public:
    wxTreeListEvent(wxEventType commandType = wxEVT_NULL, int id = 0);
    wxTreeListEvent(const wxTreeListEvent& event);

    virtual wxEvent* Clone() const override { return new wxTreeListEvent(*this); }

    int GetColumn() const { return m_column; }
    void SetColumn(int column) { m_column = column; }
    int GetFlags() const { return m_flags; }
    void SetFlags(int flags) { m_flags = flags; }
    wxTreeListItem* GetOldParent() const { return m_oldParent; }
    void SetOldParent(wxTreeListItem* item) { m_oldParent = item; }
    wxTreeListItem* GetNewParent() const { return m_newParent; }
    void SetNewParent(wxTreeListItem* item) { m_newParent = item; }

private:
    int m_column;
    int m_flags;
    wxTreeListItem* m_oldParent;
    wxTreeListItem* m_newParent;

    wxDECLARE_DYNAMIC_CLASS(wxTreeListEvent);
};

typedef void (wxEvtHandler::*wxTreeListEventFunction)(wxTreeListEvent&);

} // namespace kel

#define wxTreeListEventHandler(func) wxEVENT_HANDLER_CAST(kel::wxTreeListEventFunction, func)

wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_TREE_ITEM_CLICKED, kel::wxTreeListEvent);
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_TREE_ITEM_DATACHG, kel::wxTreeListEvent);
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_TREE_ITEM_ENTER, kel::wxTreeListEvent);
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_TREE_ITEM_KEY_DOWN, kel::wxTreeListEvent);
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_TREE_ITEM_MOVE, kel::wxTreeListEvent);

#define EVT_TREE_ITEM_CLICKED(id, fn)                                                                        \
    wx__DECLARE_EVT1(wxEVT_COMMAND_TREE_ITEM_CLICKED, id, wxTreeListEventHandler(fn))
#define EVT_TREE_ITEM_DATACHG(id, fn)                                                                        \
    wx__DECLARE_EVT1(wxEVT_COMMAND_TREE_ITEM_DATACHG, id, wxTreeListEventHandler(fn))
#define EVT_TREE_ITEM_ENTER(id, fn)                                                                          \
    wx__DECLARE_EVT1(wxEVT_COMMAND_TREE_ITEM_ENTER, id, wxTreeListEventHandler(fn))
#define EVT_TREE_ITEM_KEY_DOWN(id, fn)                                                                       \
    wx__DECLARE_EVT1(wxEVT_COMMAND_TREE_ITEM_KEY_DOWN, id, wxTreeListEventHandler(fn))
#define EVT_TREE_ITEM_MOVE(id, fn)                                                                           \
    wx__DECLARE_EVT1(wxEVT_COMMAND_TREE_ITEM_MOVE, id, wxTreeListEventHandler(fn))

#endif // KELCTRLS_TREELIST_TREELISTITEM_H
