// The item window of the tree list control: construction, item attributes,
// tree operations and navigation. Layout and painting are in
// treelistpaint.cpp, user input and editing in treelistinput.cpp.
#include <kelctrls/treelistctrl.h>

#include "treelist/treelistfindindex.h"
#include "treelist/treelistmetrics.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/imaglist.h>
#include <wx/settings.h>

#include <algorithm>

namespace kel
{

namespace
{
// The tree whose children are being sorted; guards against re-entry from
// a comparison hook.
wxTreeListMainWindow* s_treeBeingSorted = nullptr;

// True when item is candidate itself (if allowed) or lies below it.
bool IsInSubtree(const wxTreeListItem* item, const wxTreeListItem* top, bool includeTop)
{
    if (!item)
        return false;
    if (item == top)
        return includeTop;
    for (const wxTreeListItem* p = item->GetItemParent(); p; p = p->GetItemParent())
    {
        if (p == top)
            return true;
    }
    return false;
}

// Tree lines are grey dots on every other pixel, in a checkerboard that
// does not depend on where a line starts (see DrawDottedLine).
wxPen MakeDottedPen()
{
    static wxDash dots[] = {1, 1};
    wxPen pen(wxGREY_PEN->GetColour(), 1, wxPENSTYLE_USER_DASH);
    pen.SetDashes(2, dots);
    pen.SetCap(wxCAP_BUTT);
    return pen;
}
} // anonymous namespace

class wxTreeListRenameTimer : public wxTimer
{
public:
    explicit wxTreeListRenameTimer(wxTreeListMainWindow* owner) : m_owner(owner) {}
    virtual void Notify() override { m_owner->OnRenameTimer(); }

private:
    wxTreeListMainWindow* m_owner;
};

wxIMPLEMENT_DYNAMIC_CLASS(wxTreeListMainWindow, wxScrolledWindow);

// clang-format off
wxBEGIN_EVENT_TABLE(wxTreeListMainWindow, wxScrolledWindow)
    EVT_PAINT(wxTreeListMainWindow::OnPaint)
    EVT_ERASE_BACKGROUND(wxTreeListMainWindow::OnEraseBackground)
    EVT_MOUSE_EVENTS(wxTreeListMainWindow::OnMouse)
    EVT_MOUSE_CAPTURE_LOST(wxTreeListMainWindow::OnMouseCaptureLost)
    EVT_KEY_DOWN(wxTreeListMainWindow::OnKeyDown)
    EVT_CHAR(wxTreeListMainWindow::OnChar)
    EVT_SET_FOCUS(wxTreeListMainWindow::OnSetFocus)
    EVT_KILL_FOCUS(wxTreeListMainWindow::OnKillFocus)
    EVT_IDLE(wxTreeListMainWindow::OnIdle)
    EVT_SCROLLWIN(wxTreeListMainWindow::OnScroll)
wxEND_EVENT_TABLE()
// clang-format on

void wxTreeListMainWindow::Init()
{
    m_owner = nullptr;
    m_main_column = 0;
    m_rootItem = nullptr;
    m_current = nullptr;
    m_shiftItem = nullptr;
    m_editItem = nullptr;
    m_selectItem = nullptr;
    m_leftDownItem = nullptr;
    m_dragItem = nullptr;
    m_editCol = -1;
    m_curColumn = -1;
    m_hitFlags = 0;

    m_editControl = nullptr;
    m_normalFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    m_boldFont = m_normalFont.Bold();
    m_btnWidth = m_btnWidth2 = m_btnHeight = m_btnHeight2 = 0;
    m_imgWidth = m_imgWidth2 = m_imgHeight = m_imgHeight2 = 0;
    m_indent = kMinIndent;
    m_lineHeight = 10;
    m_linespacing = 4;
    m_selectPen = nullptr;
    m_unfocusSelectPen = nullptr;
    m_hilightBrush = new wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), wxBRUSHSTYLE_SOLID);
    m_hilightUnfocusedBrush =
        new wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW), wxBRUSHSTYLE_SOLID);
    m_hasFocus = false;
    m_dirty = false;
    m_ownsImageListNormal = m_ownsImageListState = m_ownsImageListButtons = false;
    m_imageListNormal = m_imageListState = m_imageListButtons = nullptr;

    m_isDragging = false;
    m_lastOnSame = false;
    m_left_down_selection = false;
    m_renameAccept = false;
    m_dragCount = 0;
    m_dragTimer = new wxTimer(this, -1);
    m_renameTimer = new wxTreeListRenameTimer(this);
    m_findTimer = new wxTimer(this, -1);
    m_layoutValid = false;
    m_lineHeightRaised = false;
    m_pendingScroll = nullptr;
    m_findIndex.reset(new wxTreeListFindIndex);
}

wxTreeListMainWindow::wxTreeListMainWindow()
{
    Init();
}

wxTreeListMainWindow::wxTreeListMainWindow(wxTreeListCtrl* parent, wxWindowID id, const wxPoint& pos,
                                           const wxSize& size, long style, const wxValidator& validator,
                                           const wxString& name)
{
    Init();
    Create(parent, id, pos, size, style, validator, name);
}

bool wxTreeListMainWindow::Create(wxTreeListCtrl* parent, wxWindowID id, const wxPoint& pos,
                                  const wxSize& size, long style, const wxValidator& validator,
                                  const wxString& name)
{
    // Painting clears the background itself.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (!wxScrolledWindow::Create(parent, id, pos, size, style | wxHSCROLL | wxVSCROLL, name))
        return false;
    SetValidator(validator);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOX));
    m_dottedPen = MakeDottedPen();
    m_owner = parent;
    m_main_column = 0;
    CalculateLineHeight();
    return true;
}

wxTreeListMainWindow::~wxTreeListMainWindow()
{
    delete m_hilightBrush;
    delete m_hilightUnfocusedBrush;
    delete m_selectPen;
    delete m_unfocusSelectPen;
    delete m_dragTimer;
    delete m_renameTimer;
    delete m_findTimer;
    if (m_ownsImageListNormal)
        delete m_imageListNormal;
    if (m_ownsImageListState)
        delete m_imageListState;
    if (m_ownsImageListButtons)
        delete m_imageListButtons;
    m_findIndex.reset();
    if (m_rootItem)
    {
        m_rootItem->DeleteChildren(nullptr);
        delete m_rootItem;
    }
}

wxTreeListHeaderWindow* wxTreeListMainWindow::GetHeader() const
{
    return m_owner ? m_owner->GetHeaderWindow() : nullptr;
}

int wxTreeListMainWindow::GetColumnCount() const
{
    wxTreeListHeaderWindow* header = GetHeader();
    return header ? (int)header->GetColumnCount() : 0;
}

void wxTreeListMainWindow::SetMainColumn(int column)
{
    if (column >= 0 && column < GetColumnCount())
    {
        m_main_column = column;
        m_findIndex->Clear();
        IndexSubtree(m_rootItem);
        MarkDirty();
    }
}

wxString wxTreeListMainWindow::GetVirtualText(wxTreeItemData* data, long column) const
{
    return m_owner ? m_owner->OnGetItemText(data, column) : wxString();
}

// ---- appearance ------------------------------------------------------------

size_t wxTreeListMainWindow::GetCount() const
{
    return m_rootItem ? m_rootItem->GetChildrenCount(true) : 0;
}

void wxTreeListMainWindow::SetIndent(unsigned int indent)
{
    m_indent = (unsigned short)wxMax(static_cast<unsigned>(kMinIndent), indent);
    MarkDirty();
}

void wxTreeListMainWindow::SetLineSpacing(unsigned int spacing)
{
    m_linespacing = (unsigned short)spacing;
    MarkDirty();
    CalculateLineHeight();
}

void wxTreeListMainWindow::SetImageList(wxImageList* imageList)
{
    if (m_ownsImageListNormal)
        delete m_imageListNormal;
    m_imageListNormal = imageList;
    m_ownsImageListNormal = false;
    MarkDirty();
    CalculateLineHeight();
}

void wxTreeListMainWindow::SetStateImageList(wxImageList* imageList)
{
    if (m_ownsImageListState)
        delete m_imageListState;
    m_imageListState = imageList;
    m_ownsImageListState = false;
    MarkDirty();
}

void wxTreeListMainWindow::SetButtonsImageList(wxImageList* imageList)
{
    if (m_ownsImageListButtons)
        delete m_imageListButtons;
    m_imageListButtons = imageList;
    m_ownsImageListButtons = false;
    MarkDirty();
    CalculateLineHeight();
}

void wxTreeListMainWindow::AssignImageList(wxImageList* imageList)
{
    SetImageList(imageList);
    m_ownsImageListNormal = true;
}

void wxTreeListMainWindow::AssignStateImageList(wxImageList* imageList)
{
    SetStateImageList(imageList);
    m_ownsImageListState = true;
}

void wxTreeListMainWindow::AssignButtonsImageList(wxImageList* imageList)
{
    SetButtonsImageList(imageList);
    m_ownsImageListButtons = true;
}

void wxTreeListMainWindow::SetSelectItemColour(const wxColour& fill, const wxColour& border)
{
    delete m_hilightBrush;
    m_hilightBrush = new wxBrush(fill, wxBRUSHSTYLE_SOLID);
    delete m_selectPen;
    m_selectPen = border.IsOk() ? new wxPen(border, 1, wxPENSTYLE_SOLID) : nullptr;
}

void wxTreeListMainWindow::SetUnFocusSelectItemColour(const wxColour& fill, const wxColour& border)
{
    delete m_hilightUnfocusedBrush;
    m_hilightUnfocusedBrush = new wxBrush(fill, wxBRUSHSTYLE_SOLID);
    delete m_unfocusSelectPen;
    m_unfocusSelectPen = border.IsOk() ? new wxPen(border, 1, wxPENSTYLE_SOLID) : nullptr;
}

bool wxTreeListMainWindow::SetFont(const wxFont& font)
{
    wxScrolledWindow::SetFont(font);
    m_normalFont = font;
    m_boldFont = wxFont(wxFontInfo(m_normalFont.GetFractionalPointSize())
                            .Family(m_normalFont.GetFamily())
                            .Style(m_normalFont.GetStyle())
                            .Underlined(m_normalFont.GetUnderlined())
                            .FaceName(m_normalFont.GetFaceName())
                            .Encoding(m_normalFont.GetEncoding())
                            .Bold());
    if (!m_boldFont.IsOk())
        m_boldFont = m_normalFont.Bold();
    ForgetMeasurements(m_rootItem);
    m_textSizes.Clear();
    CalculateLineHeight();
    MarkDirty();
    return true;
}

void wxTreeListMainWindow::ForgetMeasurements(wxTreeListItem* item)
{
    if (!item)
        return;
    item->SetMeasured(false);
    for (wxTreeListItem* child : item->GetChildren())
        ForgetMeasurements(child);
}

bool wxTreeListMainWindow::SetBackgroundColour(const wxColour& colour)
{
    if (!wxScrolledWindow::SetBackgroundColour(colour))
        return false;
    Refresh();
    return true;
}

bool wxTreeListMainWindow::SetForegroundColour(const wxColour& colour)
{
    if (!wxScrolledWindow::SetForegroundColour(colour))
        return false;
    Refresh();
    return true;
}

void wxTreeListMainWindow::SetWindowStyleFlag(long style)
{
    wxScrolledWindow::SetWindowStyleFlag(style);
    MarkDirty();
}

// ---- item attributes -------------------------------------------------------

wxString wxTreeListMainWindow::GetItemText(const wxTreeItemId& item) const
{
    return GetItemText(item, m_main_column);
}

wxString wxTreeListMainWindow::GetItemText(const wxTreeItemId& item, int column) const
{
    return item.IsOk() ? wxTreeListItem::FromId(item)->GetText(column) : wxString();
}

wxString wxTreeListMainWindow::GetItemText(wxTreeItemData* item, int column) const
{
    return GetVirtualText(item, column);
}

int wxTreeListMainWindow::GetItemImage(const wxTreeItemId& item, wxTreeItemIcon which) const
{
    return GetItemImage(item, m_main_column, which);
}

int wxTreeListMainWindow::GetItemImage(const wxTreeItemId& item, int column, wxTreeItemIcon which) const
{
    return item.IsOk() ? wxTreeListItem::FromId(item)->GetImage(column, which) : -1;
}

wxTreeItemData* wxTreeListMainWindow::GetItemData(const wxTreeItemId& item) const
{
    return item.IsOk() ? wxTreeListItem::FromId(item)->GetData() : nullptr;
}

bool wxTreeListMainWindow::IsBold(const wxTreeItemId& item) const
{
    return item.IsOk() && wxTreeListItem::FromId(item)->IsBold();
}

wxColour wxTreeListMainWindow::GetItemTextColour(const wxTreeItemId& item) const
{
    if (!item.IsOk())
        return wxNullColour;
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    return it->Attr().GetTextColour();
}

wxColour wxTreeListMainWindow::GetItemBackgroundColour(const wxTreeItemId& item) const
{
    if (!item.IsOk())
        return wxNullColour;
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    return it->Attr().GetBackgroundColour();
}

wxFont wxTreeListMainWindow::GetItemFont(const wxTreeItemId& item) const
{
    if (!item.IsOk())
        return wxNullFont;
    return GetItemFontFor(wxTreeListItem::FromId(item));
}

wxFont wxTreeListMainWindow::GetItemFontFor(const wxTreeListItem* item) const
{
    wxTreeItemAttr* attr = item->GetAttributes();
    if (attr && attr->HasFont())
        return attr->GetFont();
    return item->IsBold() ? m_boldFont : m_normalFont;
}

void wxTreeListMainWindow::ItemLookChanged(wxTreeListItem* item)
{
    item->SetMeasured(false);
    if (HasFlag(wxTR_HAS_VARIABLE_ROW_HEIGHT))
        MarkDirty();
    else
        RefreshLine(item);
}

void wxTreeListMainWindow::SetItemText(const wxTreeItemId& item, const wxString& text)
{
    SetItemText(item, m_main_column, text);
}

void wxTreeListMainWindow::SetItemText(const wxTreeItemId& item, int column, const wxString& text)
{
    if (!item.IsOk())
        return;
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    it->SetText(column, text);
    ItemLookChanged(it);
}

void wxTreeListMainWindow::SetItemImage(const wxTreeItemId& item, int image, wxTreeItemIcon which)
{
    SetItemImage(item, m_main_column, image, which);
}

void wxTreeListMainWindow::SetItemImage(const wxTreeItemId& item, int column, int image, wxTreeItemIcon which)
{
    if (!item.IsOk())
        return;
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    it->SetImage(column, image, which);
    ItemLookChanged(it);
}

void wxTreeListMainWindow::SetItemData(const wxTreeItemId& item, wxTreeItemData* data)
{
    if (!item.IsOk())
        return;
    if (data)
        data->SetId(item);
    wxTreeListItem::FromId(item)->SetData(data);
}

void wxTreeListMainWindow::SetItemHasChildren(const wxTreeItemId& item, bool has)
{
    if (!item.IsOk())
        return;
    wxTreeListItem::FromId(item)->SetHasPlus(has);
    RefreshLine(wxTreeListItem::FromId(item));
}

void wxTreeListMainWindow::SetItemBold(const wxTreeItemId& item, bool bold)
{
    if (!item.IsOk())
        return;
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    if (it->IsBold() != bold)
    {
        it->SetBold(bold);
        ItemLookChanged(it);
    }
}

void wxTreeListMainWindow::SetItemTextColour(const wxTreeItemId& item, const wxColour& colour)
{
    if (!item.IsOk())
        return;
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    it->Attr().SetTextColour(colour);
    RefreshLine(it);
}

void wxTreeListMainWindow::SetItemBackgroundColour(const wxTreeItemId& item, const wxColour& colour)
{
    if (!item.IsOk())
        return;
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    it->Attr().SetBackgroundColour(colour);
    RefreshLine(it);
}

void wxTreeListMainWindow::SetItemFont(const wxTreeItemId& item, const wxFont& font)
{
    if (!item.IsOk())
        return;
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    it->Attr().SetFont(font);
    // A font of its own may raise the line height: measure at the next layout.
    MarkDirty();
    ItemLookChanged(it);
}

void wxTreeListMainWindow::SendDataChanged(wxTreeListItem* item)
{
    wxTreeListEvent event(wxEVT_COMMAND_TREE_ITEM_DATACHG, GetId());
    event.SetEventObject(this);
    event.SetItem(item);
    GetEventHandler()->ProcessEvent(event);
}

// ---- item state ------------------------------------------------------------

bool wxTreeListMainWindow::IsVisible(const wxTreeItemId& item, bool fullRow) const
{
    if (!item.IsOk())
        return false;
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    for (wxTreeListItem* parent = it->GetItemParent(); parent; parent = parent->GetItemParent())
    {
        if (IsHiddenRoot(parent))
            break;
        if (!parent->IsExpanded())
            return false;
    }
    wxRect rect;
    if (!GetBoundingRect(item, rect))
        return false;
    if (rect.GetHeight() == 0 || (!fullRow && rect.GetWidth() == 0))
        return false;
    int cw, ch;
    GetClientSize(&cw, &ch);
    if (rect.GetBottom() < 0 || rect.GetTop() > ch)
        return false;
    if (fullRow)
        return true;
    return rect.GetRight() >= 0 && rect.GetLeft() <= cw;
}

bool wxTreeListMainWindow::HasChildren(const wxTreeItemId& item) const
{
    return item.IsOk() && wxTreeListItem::FromId(item)->HasPlus();
}

bool wxTreeListMainWindow::IsExpanded(const wxTreeItemId& item) const
{
    return item.IsOk() && wxTreeListItem::FromId(item)->IsExpanded();
}

bool wxTreeListMainWindow::IsSelected(const wxTreeItemId& item) const
{
    return item.IsOk() && wxTreeListItem::FromId(item)->IsSelected();
}

size_t wxTreeListMainWindow::GetChildrenCount(const wxTreeItemId& item, bool recursively) const
{
    return item.IsOk() ? wxTreeListItem::FromId(item)->GetChildrenCount(recursively) : 0;
}

bool wxTreeListMainWindow::IsHiddenRoot(const wxTreeListItem* item) const
{
    return item && item == m_rootItem && HasFlag(wxTR_HIDE_ROOT_FULL_ROW);
}

// ---- navigation ------------------------------------------------------------

wxTreeItemId wxTreeListMainWindow::GetItemParent(const wxTreeItemId& item) const
{
    return item.IsOk() ? wxTreeItemId(wxTreeListItem::FromId(item)->GetItemParent()) : wxTreeItemId();
}

wxTreeItemId wxTreeListMainWindow::GetFirstChild(const wxTreeItemId& item, long& cookie) const
{
    if (!item.IsOk())
        return wxTreeItemId();
    const wxArrayTreeListItems& children = wxTreeListItem::FromId(item)->GetChildren();
    cookie = 0;
    return children.IsEmpty() ? wxTreeItemId() : wxTreeItemId(children[0]);
}

wxTreeItemId wxTreeListMainWindow::GetNextChild(const wxTreeItemId& item, long& cookie) const
{
    if (!item.IsOk())
        return wxTreeItemId();
    const wxArrayTreeListItems& children = wxTreeListItem::FromId(item)->GetChildren();
    ++cookie;
    if (cookie < 0 || (size_t)cookie >= children.GetCount())
        return wxTreeItemId();
    return children[cookie];
}

wxTreeItemId wxTreeListMainWindow::GetPrevChild(const wxTreeItemId& item, long& cookie) const
{
    if (!item.IsOk())
        return wxTreeItemId();
    const wxArrayTreeListItems& children = wxTreeListItem::FromId(item)->GetChildren();
    --cookie;
    if (cookie < 0 || (size_t)cookie >= children.GetCount())
        return wxTreeItemId();
    return children[cookie];
}

wxTreeItemId wxTreeListMainWindow::GetLastChild(const wxTreeItemId& item, long& cookie) const
{
    if (!item.IsOk())
        return wxTreeItemId();
    const wxArrayTreeListItems& children = wxTreeListItem::FromId(item)->GetChildren();
    cookie = (long)children.GetCount();
    return children.IsEmpty() ? wxTreeItemId() : wxTreeItemId(children.Last());
}

wxTreeItemId wxTreeListMainWindow::GetNextSibling(const wxTreeItemId& item) const
{
    return item.IsOk() ? wxTreeItemId(wxTreeListItem::FromId(item)->GetNextSibling()) : wxTreeItemId();
}

wxTreeItemId wxTreeListMainWindow::GetPrevSibling(const wxTreeItemId& item) const
{
    return item.IsOk() ? wxTreeItemId(wxTreeListItem::FromId(item)->GetPrevSibling()) : wxTreeItemId();
}

wxTreeItemId wxTreeListMainWindow::GetNext(const wxTreeItemId& item, bool fulltree) const
{
    if (!item.IsOk())
        return wxTreeItemId();
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    if (it->HasChildren() && (fulltree || it->IsExpanded()))
        return it->GetChildren()[0];
    return it->GetNextSiblingUpwards();
}

wxTreeItemId wxTreeListMainWindow::GetPrev(const wxTreeItemId& item, bool fulltree) const
{
    if (!item.IsOk())
        return wxTreeItemId();
    wxTreeListItem* it = wxTreeListItem::FromId(item);
    if (it->HasChildren() && (fulltree || it->IsExpanded()))
        return it->GetChildren().Last();
    return it->GetPrevSiblingUpwards();
}

wxTreeItemId wxTreeListMainWindow::GetFirstExpandedItem() const
{
    return GetNextExpanded(GetRootItem());
}

wxTreeItemId wxTreeListMainWindow::GetNextExpanded(const wxTreeItemId& item) const
{
    return GetNext(item, false);
}

wxTreeItemId wxTreeListMainWindow::GetPrevExpanded(const wxTreeItemId& item) const
{
    return GetPrev(item, false);
}

wxTreeItemId wxTreeListMainWindow::GetFirstVisibleItem(bool fullRow) const
{
    return GetNextVisible(GetRootItem(), fullRow);
}

// Only rows placed within the window can be visible, so both walks below
// look at those rows instead of at every item on the way to them.
wxTreeItemId wxTreeListMainWindow::GetNextVisible(const wxTreeItemId& itemId, bool fullRow) const
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    if (!item)
        return wxTreeItemId();
    size_t first, end;
    GetRowsInWindow(first, end);
    // GetNext(item, false) walks the rows in their order.
    for (size_t row = wxMax(first, RowAfter(item)); row < end; ++row)
    {
        if (IsVisible(m_rows[row], fullRow))
            return m_rows[row];
    }
    return wxTreeItemId();
}

wxTreeItemId wxTreeListMainWindow::GetPrevVisible(const wxTreeItemId& itemId, bool fullRow) const
{
    // GetPrev(item, true) walks the items after item in reverse post-order:
    // the first visible one of those in that order is the answer.
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    wxTreeListItem* found = nullptr;
    size_t first, end;
    GetRowsInWindow(first, end);
    for (size_t row = first; item && row < end; ++row)
    {
        wxTreeListItem* candidate = m_rows[row];
        if (ComesBeforeInReversePostOrder(item, candidate) &&
            (!found || ComesBeforeInReversePostOrder(candidate, found)) && IsVisible(candidate, fullRow))
        {
            found = candidate;
        }
    }
    return found;
}

// The range of rows that reach into the window: IsVisible is false for all
// others.
void wxTreeListMainWindow::GetRowsInWindow(size_t& first, size_t& end) const
{
    const_cast<wxTreeListMainWindow*>(this)->EnsureLayout();
    int top;
    CalcUnscrolledPosition(0, 0, nullptr, &top);
    const int bottom = top + GetClientSize().y;
    first = FindRowAt(top);
    end = first;
    while (end < m_rows.size() && m_rows[end]->GetY() <= bottom)
        ++end;
}

// The first row after item in display order, which is also the order
// GetNext(item, false) walks; an item of a collapsed branch walks on from
// the row of its nearest shown ancestor.
size_t wxTreeListMainWindow::RowAfter(wxTreeListItem* item) const
{
    if (IsHiddenRoot(item))
        return item->IsExpanded() ? 0 : m_rows.size();
    const size_t row = RowIndexOf(item);
    return row < m_rows.size() ? row + 1 : m_rows.size();
}

// Reverse post-order puts an item before its children, and the children
// last to first.
bool wxTreeListMainWindow::ComesBeforeInReversePostOrder(const wxTreeListItem* a, const wxTreeListItem* b)
{
    return ComparePositions(a, b, true);
}

// Pre-order, the order of the rows, puts an item before its children, and
// the children first to last.
bool wxTreeListMainWindow::ComesBeforeInPreOrder(const wxTreeListItem* a, const wxTreeListItem* b)
{
    return ComparePositions(a, b, false);
}

bool wxTreeListMainWindow::ComparePositions(const wxTreeListItem* a, const wxTreeListItem* b,
                                            bool childrenReversed)
{
    if (a == b)
        return false;
    if (IsInSubtree(b, a, false))
        return true;
    if (IsInSubtree(a, b, false))
        return false;
    // the ancestors of both that are siblings
    int depthA = 0, depthB = 0;
    for (const wxTreeListItem* p = a->GetItemParent(); p; p = p->GetItemParent())
        ++depthA;
    for (const wxTreeListItem* p = b->GetItemParent(); p; p = p->GetItemParent())
        ++depthB;
    for (; depthA > depthB; --depthA)
        a = a->GetItemParent();
    for (; depthB > depthA; --depthB)
        b = b->GetItemParent();
    while (a->GetItemParent() != b->GetItemParent())
    {
        a = a->GetItemParent();
        b = b->GetItemParent();
    }
    return childrenReversed ? a->GetIndexInParent() > b->GetIndexInParent()
                            : a->GetIndexInParent() < b->GetIndexInParent();
}

// ---- tree operations -------------------------------------------------------

wxTreeListItem* wxTreeListMainWindow::NewItem(wxTreeListItem* parent, const wxString& text, int image,
                                              int selectedImage, wxTreeItemData* data)
{
    wxTreeListItem* item = new wxTreeListItem(this, parent, wxArrayString(), image, selectedImage, data);
    item->m_text.Reset((size_t)GetColumnCount(), (size_t)m_main_column, text);
    IndexLabel(item);
    if (data)
        data->SetId(item);
    return item;
}

wxTreeItemId wxTreeListMainWindow::AddRoot(const wxString& text, int image, int selectedImage,
                                           wxTreeItemData* data)
{
    if (m_rootItem || GetColumnCount() == 0)
        return wxTreeItemId();
    MarkDirty();
    m_rootItem = NewItem(nullptr, text, image, selectedImage, data);
    if (HasFlag(wxTR_HIDE_ROOT_FULL_ROW))
    {
        m_rootItem->SetHasPlus();
        m_rootItem->Expand();
        long cookie = 0;
        m_current = wxTreeListItem::FromId(GetFirstChild(m_rootItem, cookie));
    }
    return m_rootItem;
}

wxTreeItemId wxTreeListMainWindow::DoInsertItem(const wxTreeItemId& parentId, size_t previous,
                                                const wxString& text, int image, int selectedImage,
                                                wxTreeItemData* data)
{
    wxTreeListItem* parent = wxTreeListItem::FromId(parentId);
    if (!parent)
        return wxTreeItemId();
    MarkDirty();
    wxTreeListItem* item = NewItem(parent, text, image, selectedImage, data);
    parent->Insert(item, previous);
    return item;
}

wxTreeItemId wxTreeListMainWindow::PrependItem(const wxTreeItemId& parent, const wxString& text, int image,
                                               int selectedImage, wxTreeItemData* data)
{
    return DoInsertItem(parent, 0u, text, image, selectedImage, data);
}

wxTreeItemId wxTreeListMainWindow::InsertItem(const wxTreeItemId& parentId, const wxTreeItemId& idPrevious,
                                              const wxString& text, int image, int selectedImage,
                                              wxTreeItemData* data)
{
    wxTreeListItem* parent = wxTreeListItem::FromId(parentId);
    if (!parent)
        return wxTreeItemId();
    const int index = parent->GetChildren().Index(wxTreeListItem::FromId(idPrevious));
    return DoInsertItem(parentId, (size_t)(index + 1), text, image, selectedImage, data);
}

wxTreeItemId wxTreeListMainWindow::InsertItem(const wxTreeItemId& parent, size_t index, const wxString& text,
                                              int image, int selectedImage, wxTreeItemData* data)
{
    return DoInsertItem(parent, index, text, image, selectedImage, data);
}

wxTreeItemId wxTreeListMainWindow::AppendItem(const wxTreeItemId& parentId, const wxString& text, int image,
                                              int selectedImage, wxTreeItemData* data)
{
    wxTreeListItem* parent = wxTreeListItem::FromId(parentId);
    if (!parent)
        return wxTreeItemId();
    return DoInsertItem(parentId, parent->GetChildren().GetCount(), text, image, selectedImage, data);
}

void wxTreeListMainWindow::SendDeleteEvent(wxTreeListItem* item)
{
    wxTreeListEvent event;
    InitEvent(event, wxEVT_TREE_DELETE_ITEM, item);
    SendEvent(event);
}

// No pointer of the window may outlive the items it names: before a subtree
// goes, the current item and the shift anchor move to the subtree's parent
// (they are cleared when that is the hidden root) and all other references
// into it are cleared. The selection is the exception: it is cleared item by
// item after each delete event, so that a handler still finds the item it is
// told about selected.
void wxTreeListMainWindow::ForgetItemsUnder(wxTreeListItem* top, bool includeTop)
{
    wxTreeListItem* heir = includeTop ? top->GetItemParent() : top;
    if (IsHiddenRoot(heir))
        heir = nullptr;
    if (IsInSubtree(m_current, top, includeTop))
        m_current = heir;
    if (IsInSubtree(m_shiftItem, top, includeTop))
        m_shiftItem = heir;
    if (IsInSubtree(m_leftDownItem, top, includeTop))
        m_leftDownItem = nullptr;
    if (IsInSubtree(m_dragItem, top, includeTop))
        m_dragItem = nullptr;
    if (IsInSubtree(m_pendingScroll, top, includeTop))
        m_pendingScroll = nullptr;
    if (IsInSubtree(m_editItem, top, includeTop))
    {
        m_editItem = nullptr;
        if (m_editControl)
            m_editControl->Hide();
    }
}

void wxTreeListMainWindow::Delete(const wxTreeItemId& itemId)
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    if (!item || item == m_rootItem)
        return;
    MarkDirty();
    ForgetItemsUnder(item, true);
    wxTreeListItem* parent = item->GetItemParent();
    if (parent)
    {
        const size_t index = item->GetIndexInParent();
        parent->m_children.RemoveAt(index);
        parent->RenumberChildrenFrom(index);
    }
    SendDeleteEvent(item);
    if (m_selectItem == item)
        m_selectItem = nullptr;
    item->DeleteChildren(this);
    delete item;
}

void wxTreeListMainWindow::DeleteChildren(const wxTreeItemId& itemId)
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    if (!item)
        return;
    MarkDirty();
    ForgetItemsUnder(item, false);
    item->DeleteChildren(this);
}

void wxTreeListMainWindow::DeleteRoot()
{
    if (!m_rootItem)
        return;
    MarkDirty();
    SendDeleteEvent(m_rootItem);
    ForgetItemsUnder(m_rootItem, true);
    m_current = nullptr;
    m_shiftItem = nullptr;
    m_selectItem = nullptr;
    m_findIndex.reset();
    m_rootItem->DeleteChildren(this);
    delete m_rootItem;
    m_rootItem = nullptr;
    m_findIndex.reset(new wxTreeListFindIndex);
}

bool wxTreeListMainWindow::DoExpand(wxTreeListItem* item, bool refresh)
{
    if (item->IsExpanded())
        return false;
    wxTreeListEvent event;
    InitEvent(event, wxEVT_TREE_ITEM_EXPANDING, item);
    if (!SendVetoableEvent(event))
        return false;
    item->Expand();
    MarkDirty();
    event.SetEventType(wxEVT_TREE_ITEM_EXPANDED);
    SendEvent(event);
    if (refresh)
        Refresh();
    return true;
}

void wxTreeListMainWindow::Expand(const wxTreeItemId& item)
{
    if (item.IsOk())
        DoExpand(wxTreeListItem::FromId(item), true);
}

// Expands a whole subtree with one refresh at the end instead of one per item.
void wxTreeListMainWindow::ExpandAllFrom(wxTreeListItem* item)
{
    DoExpand(item, false);
    if (!item->IsExpanded())
        return;
    for (size_t i = 0; i < item->GetChildren().GetCount(); ++i)
        ExpandAllFrom(item->GetChildren()[i]);
}

void wxTreeListMainWindow::ExpandAll(const wxTreeItemId& item)
{
    if (!item.IsOk())
        return;
    ExpandAllFrom(wxTreeListItem::FromId(item));
    Refresh();
}

void wxTreeListMainWindow::Collapse(const wxTreeItemId& itemId)
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    if (!item || !item->IsExpanded())
        return;
    wxTreeListEvent event;
    InitEvent(event, wxEVT_TREE_ITEM_COLLAPSING, item);
    if (!SendVetoableEvent(event))
        return;
    item->Collapse();
    MarkDirty();
    event.SetEventType(wxEVT_TREE_ITEM_COLLAPSED);
    SendEvent(event);
    Refresh();
}

void wxTreeListMainWindow::CollapseAndReset(const wxTreeItemId& item)
{
    Collapse(item);
    DeleteChildren(item);
}

void wxTreeListMainWindow::Toggle(const wxTreeItemId& WXUNUSED(item))
{
    // Expansion changes only through Expand, Collapse, ExpandAll and the
    // mouse and keyboard rules; clients rely on Toggle doing nothing.
}

void wxTreeListMainWindow::Move(const wxTreeItemId& itemId, const wxTreeItemId& newParentId)
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    wxTreeListItem* newParent = wxTreeListItem::FromId(newParentId);
    if (!item || !newParent || item == m_rootItem)
        return;
    wxTreeListItem* oldParent = item->GetItemParent();
    if (oldParent)
    {
        const size_t index = item->GetIndexInParent();
        wxArrayTreeListItems& siblings = oldParent->m_children;
        if (index < siblings.GetCount() && siblings[index] == item)
        {
            siblings.RemoveAt(index);
            oldParent->RenumberChildrenFrom(index);
        }
    }
    newParent->Insert(item, newParent->GetChildren().GetCount());
    item->m_parent = newParent;
    MarkDirty();

    wxTreeListEvent event;
    InitEvent(event, wxEVT_COMMAND_TREE_ITEM_MOVE, item);
    event.SetOldParent(oldParent);
    event.SetNewParent(newParent);
    SendEvent(event);
    Refresh();
}

int wxTreeListMainWindow::OnCompareItems(const wxTreeItemId& item1, const wxTreeItemId& item2)
{
    if (m_owner)
        return m_owner->OnCompareItems(item1, item2);
    return wxTreeListItem::FromId(item1)->CompareText(m_main_column, *wxTreeListItem::FromId(item2));
}

void wxTreeListMainWindow::SortChildren(const wxTreeItemId& itemId)
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    if (!item || item->GetChildren().GetCount() <= 1 || s_treeBeingSorted)
        return;
    s_treeBeingSorted = this;
    wxArrayTreeListItems& children = item->m_children;
    std::stable_sort(children.begin(), children.end(),
                     [this](wxTreeListItem* a, wxTreeListItem* b) { return OnCompareItems(a, b) < 0; });
    item->RenumberChildrenFrom(0);
    s_treeBeingSorted = nullptr;
    MarkDirty();
}

wxTreeItemId wxTreeListMainWindow::FindItem(const wxTreeItemId& item, const wxString& str, int mode)
{
    if (!m_rootItem)
        return wxTreeItemId();
    wxTreeListItem* found = nullptr;
    if (FindIndexed(item, str, mode, found))
        return found;
    const bool prefixOnly = (mode & wxTL_MODE_FIND_PARTIAL) != 0;
    const bool noCase = (mode & wxTL_MODE_FIND_NOCASE) != 0;

    auto next = [this, mode](wxTreeListItem* it) -> wxTreeListItem*
    {
        if (mode & wxTL_MODE_NAV_EXPANDED)
            return wxTreeListItem::FromId(GetNextExpanded(it));
        if (mode & wxTL_MODE_NAV_VISIBLE)
            return wxTreeListItem::FromId(GetNextVisible(it, false));
        if (mode & wxTL_MODE_NAV_LEVEL)
            return it->GetNextSibling();
        return wxTreeListItem::FromId(GetNext(it, true));
    };
    wxTreeListItem* first = FirstShownItem();
    wxTreeListItem* start = item.IsOk() ? next(wxTreeListItem::FromId(item)) : nullptr;
    if (!start)
        start = first;
    // Wraps around once; the item searched from is the last candidate. A
    // start the walk from the first item never meets (inside a collapsed
    // branch, for a walk of the expanded rows) ends at the second wrap.
    bool wrapped = false;
    for (wxTreeListItem* candidate = start; candidate;)
    {
        if (candidate->TextMatches(m_main_column, str, prefixOnly, noCase))
            return candidate;
        candidate = next(candidate);
        if (!candidate)
        {
            if (wrapped)
                break;
            wrapped = true;
            candidate = first;
        }
        if (candidate == start)
            break;
    }
    return wxTreeItemId();
}

// The walk of FindItem, in the order of the rows, without walking: the
// index names the few items whose labels can match, and the answer is the
// first of them that the walk would meet after `from`. False when the index
// cannot answer (a virtual tree, a walk of the window or of one level, a
// start the walk never meets, or a label start shared by too many items, in
// which case walking finds one soon).
bool wxTreeListMainWindow::FindIndexed(const wxTreeItemId& fromId, const wxString& str, int mode,
                                       wxTreeListItem*& found)
{
    const size_t kMaxCandidates = 4096;
    const bool expandedOnly = (mode & wxTL_MODE_NAV_EXPANDED) != 0;
    if (HasFlag(wxTR_VIRTUAL) || (!expandedOnly && (mode & (wxTL_MODE_NAV_VISIBLE | wxTL_MODE_NAV_LEVEL))))
        return false;
    wxTreeListItem* from = wxTreeListItem::FromId(fromId);
    if (from && !IsWalked(from, expandedOnly))
        return false;
    const bool prefixOnly = (mode & wxTL_MODE_FIND_PARTIAL) != 0;
    const bool noCase = (mode & wxTL_MODE_FIND_NOCASE) != 0;
    wxTreeListFindIndex::Key low, high;
    wxTreeListFindIndex::KeyRange(str, prefixOnly, low, high);
    std::vector<wxTreeListItem*> candidates;
    if (!m_findIndex->Lookup(low, high, kMaxCandidates, candidates))
        return false;

    // The walk goes from the item after `from` to the end, then from the
    // start up to `from` itself.
    found = nullptr;
    bool foundWraps = false;
    for (wxTreeListItem* candidate : candidates)
    {
        if (!candidate->TextMatches(m_main_column, str, prefixOnly, noCase) ||
            !IsWalked(candidate, expandedOnly))
            continue;
        const bool wraps = from && !ComesBeforeInPreOrder(from, candidate);
        if (!found || (wraps == foundWraps ? ComesBeforeInPreOrder(candidate, found) : foundWraps))
        {
            found = candidate;
            foundWraps = wraps;
        }
    }
    return true;
}

// Whether the walk of FindItem from the first shown item meets `item`: the
// hidden root never, other items when every ancestor that is shown is
// expanded (or always, for a walk of the whole tree).
bool wxTreeListMainWindow::IsWalked(const wxTreeListItem* item, bool expandedOnly) const
{
    if (IsHiddenRoot(item))
        return false;
    for (const wxTreeListItem* p = item->GetItemParent(); expandedOnly && p; p = p->GetItemParent())
    {
        if (!p->IsExpanded() && !IsHiddenRoot(p))
            return false;
    }
    return true;
}

void wxTreeListMainWindow::IndexLabel(wxTreeListItem* item)
{
    if (m_findIndex)
        m_findIndex->Add(item, wxTreeListFindIndex::KeyOf(item->m_text, (size_t)m_main_column));
}

void wxTreeListMainWindow::UnindexLabel(wxTreeListItem* item)
{
    if (m_findIndex)
        m_findIndex->Remove(item, wxTreeListFindIndex::KeyOf(item->m_text, (size_t)m_main_column));
}

void wxTreeListMainWindow::IndexSubtree(wxTreeListItem* item)
{
    if (!item)
        return;
    IndexLabel(item);
    for (wxTreeListItem* child : item->GetChildren())
        IndexSubtree(child);
}

wxTreeListItem* wxTreeListMainWindow::FirstShownItem() const
{
    if (!m_rootItem)
        return nullptr;
    if (HasFlag(wxTR_HIDE_ROOT_FULL_ROW))
        return m_rootItem->HasChildren() ? m_rootItem->GetChildren()[0] : nullptr;
    return m_rootItem;
}

} // namespace kel
