// Hit testing, selection, mouse and keyboard handling and in-place editing
// of the tree list item window.
#include <kelctrls/treelistctrl.h>

#include "treelist/treelistmetrics.h"

#include <wx/imaglist.h>

namespace kel
{

namespace
{
const int kDragDelayMs = 250;
const int kDragMotions = 3;
const int kRenameDelayMs = 250;
const int kFindDelayMs = 500;
const int kFindAsYouTypeMode = wxTL_MODE_NAV_EXPANDED | wxTL_MODE_FIND_PARTIAL | wxTL_MODE_FIND_NOCASE;

} // anonymous namespace

// ---- events ------------------------------------------------------------------

void wxTreeListMainWindow::InitEvent(wxTreeListEvent& event, wxEventType type, wxTreeListItem* item) const
{
    event.SetEventType(type);
    if (m_owner)
    {
        event.SetId(m_owner->GetId());
        event.SetEventObject(m_owner);
    }
    event.SetItem(item);
}

void wxTreeListMainWindow::SendEvent(wxTreeListEvent& event)
{
    if (m_owner)
        m_owner->GetEventHandler()->ProcessEvent(event);
}

// Returns false when a handler processed the event and vetoed it.
bool wxTreeListMainWindow::SendVetoableEvent(wxTreeListEvent& event)
{
    if (!m_owner)
        return true;
    return !(m_owner->GetEventHandler()->ProcessEvent(event) && !event.IsAllowed());
}

// An event about a cell: the column as int and column, and the hit flags.
void wxTreeListMainWindow::InitColumnEvent(wxTreeListEvent& event, wxEventType type, wxTreeListItem* item,
                                           int column) const
{
    InitEvent(event, type, item);
    event.SetInt(column);
    event.SetColumn(column);
    event.SetFlags(m_hitFlags);
}

// An event of the mouse: the cell under it and the point.
void wxTreeListMainWindow::InitInputEvent(wxTreeListEvent& event, wxEventType type, wxTreeListItem* item,
                                          const wxPoint& point) const
{
    InitColumnEvent(event, type, item, m_curColumn);
    event.SetPoint(point);
}

// ---- hit testing -------------------------------------------------------------

wxTreeListItem* wxTreeListItem::HitTest(const wxPoint& point, const wxTreeListMainWindow* window, int& flags,
                                        int& column, int level)
{
    if (level == 0 && window->IsHiddenRoot(this))
    {
        for (wxTreeListItem* child : m_children)
        {
            if (wxTreeListItem* hit = child->HitTest(point, window, flags, column, 1))
                return hit;
        }
        return nullptr;
    }
    flags = 0;
    column = -1;
    wxTreeListHeaderWindow* header = window->GetHeader();
    if (!header || point.x > header->GetWidth())
        return nullptr;
    const int h = window->GetLineHeight(this);
    if (point.y < m_y || point.y >= m_y + h)
    {
        if (!IsExpanded())
            return nullptr;
        for (wxTreeListItem* child : m_children)
        {
            if (wxTreeListItem* hit = child->HitTest(point, window, flags, column, level + 1))
                return hit;
        }
        return nullptr;
    }
    return const_cast<wxTreeListMainWindow*>(window)->HitTestInRow(this, point, flags, column);
}

int wxTreeListMainWindow::GetMainContentX(wxTreeListItem* item) const
{
    return HasButtons() ? item->GetX() + kButtonToContent + m_btnWidth - m_btnWidth2
                        : item->GetX() + kCellMargin - m_indent / 2;
}

int wxTreeListMainWindow::GetMainTextX(wxTreeListItem* item, int textWidth) const
{
    const int iw = m_imageListNormal && item->GetCurrentImage() != -1 ? m_imgWidth + kCellMargin : 0;
    const int alignment = GetHeader() ? GetHeader()->GetColumnAlignment(m_main_column) : wxALIGN_LEFT;
    return GetMainContentX(item) +
           AlignmentOffset(alignment, GetMainColumnWidth() - iw - textWidth - kCellMargin) + iw;
}

wxTreeListItem* wxTreeListMainWindow::HitTestInRow(wxTreeListItem* item, const wxPoint& point, int& flags,
                                                   int& column)
{
    EnsureMeasured(item);
    const int textWidth = item->GetWidth() - m_imgWidth - kCellMargin;
    item->SetTextX(GetMainTextX(item, textWidth));

    const int h = GetLineHeight(item);
    const int yMid = item->GetY() + h / 2;
    const int x = item->GetX();
    const int textX = item->GetTextX();
    flags = point.y < yMid ? wxTREE_HITTEST_ONITEMUPPERPART : wxTREE_HITTEST_ONITEMLOWERPART;
    column = m_main_column;

    const wxRect button(x - m_btnWidth2, yMid - m_btnHeight2, m_btnWidth + 1, m_btnHeight + 1);
    if (item->HasPlus() && HasButtons() && button.Contains(point))
    {
        flags |= wxTREE_HITTEST_ONITEMBUTTON;
        return item;
    }
    const wxRect icon(textX - m_imgWidth - kCellMargin, yMid - m_imgHeight2, m_imgWidth + 1, m_imgHeight + 1);
    if (m_imgWidth > 0 && icon.Contains(point))
    {
        flags |= wxTREE_HITTEST_ONITEMICON;
        return item;
    }
    const int mainLeft = GetMainColumnLeft();
    const int mainRight = mainLeft + GetMainColumnWidth();
    if (point.x >= textX && point.x <= wxMin(x + GetMainColumnWidth(), textX + item->GetWidth()))
    {
        flags |= wxTREE_HITTEST_ONITEMLABEL;
        return item;
    }
    if (point.x < x)
    {
        flags |= wxTREE_HITTEST_ONITEMINDENT;
        column = -1;
        return item;
    }
    if (point.x >= mainLeft && point.x < mainRight)
    {
        // reported as column 0 whichever column shows the tree
        flags |= wxTREE_HITTEST_ONITEMRIGHT;
        column = 0;
        return item;
    }
    column = -1;
    wxTreeListHeaderWindow* header = GetHeader();
    int xCol = 0;
    for (int col = 0; col < GetColumnCount(); ++col)
    {
        if (!header->IsColumnShown(col))
            continue;
        const int width = header->GetColumnWidth(col);
        if (col != m_main_column && point.x >= xCol && point.x < xCol + width)
        {
            flags |= wxTREE_HITTEST_ONITEMCOLUMN;
            column = col;
            return item;
        }
        xCol += width;
    }
    return item;
}

// Finds the row under an unscrolled point through the list of placed rows.
wxTreeListItem* wxTreeListMainWindow::HitTestRow(const wxPoint& point, int& flags, int& column)
{
    flags = 0;
    column = -1;
    if (!m_rootItem)
        return nullptr;
    EnsureLayout();
    wxTreeListHeaderWindow* header = GetHeader();
    if (!header || point.x > header->GetWidth())
        return nullptr;
    const size_t row = FindRowAt(point.y);
    if (row >= m_rows.size() || point.y < m_rows[row]->GetY())
        return nullptr;
    return HitTestInRow(m_rows[row], point, flags, column);
}

wxTreeItemId wxTreeListMainWindow::HitTest(const wxPoint& point)
{
    int flags, column;
    return HitTest(point, flags, column);
}

wxTreeItemId wxTreeListMainWindow::HitTest(const wxPoint& point, int& flags)
{
    int column;
    return HitTest(point, flags, column);
}

wxTreeItemId wxTreeListMainWindow::HitTest(const wxPoint& point, int& flags, int& column)
{
    flags = 0;
    column = -1;
    int w, h;
    GetSize(&w, &h);
    if (point.x < 0)
        flags |= wxTREE_HITTEST_TOLEFT;
    if (point.x > w)
        flags |= wxTREE_HITTEST_TORIGHT;
    if (point.y < 0)
        flags |= wxTREE_HITTEST_ABOVE;
    if (point.y > h)
        flags |= wxTREE_HITTEST_BELOW;
    if (flags)
        return wxTreeItemId();
    if (!m_rootItem)
    {
        flags = wxTREE_HITTEST_NOWHERE;
        return wxTreeItemId();
    }
    wxTreeListItem* hit = HitTestRow(CalcUnscrolledPosition(point), flags, column);
    if (!hit)
    {
        flags = wxTREE_HITTEST_NOWHERE;
        column = -1;
        return wxTreeItemId();
    }
    return hit;
}

// ---- selection ---------------------------------------------------------------

void wxTreeListMainWindow::SelectItem(const wxTreeItemId& itemId, const wxTreeItemId& lastId,
                                      bool unselectOthers)
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    if (!item)
        return;
    const bool multiple = HasFlag(wxTR_MULTIPLE);
    if (!multiple)
        unselectOthers = true;

    wxTreeListEvent event;
    InitColumnEvent(event, wxEVT_TREE_SEL_CHANGING, item, m_curColumn);
    event.SetOldItem(m_current);
    if (!SendVetoableEvent(event))
        return;

    if (unselectOthers)
    {
        if (multiple)
        {
            UnselectAll();
        }
        else if (m_selectItem)
        {
            m_selectItem->SetHilight(false);
            RefreshLine(m_selectItem);
        }
    }

    wxTreeListItem* last = wxTreeListItem::FromId(lastId);
    if (!last || last == item)
    {
        item->SetHilight(!item->IsSelected());
        RefreshLine(item);
        if (unselectOthers)
            m_selectItem = item->IsSelected() ? item : nullptr;
    }
    else
    {
        if (!unselectOthers)
            UnselectAll();
        SelectRange(item, last);
    }

    event.SetEventType(wxEVT_TREE_SEL_CHANGED);
    SendEvent(event);
}

// Index of the displayed row of item, or of its nearest displayed ancestor.
size_t wxTreeListMainWindow::RowIndexOf(wxTreeListItem* item) const
{
    for (; item; item = item->GetItemParent())
    {
        const size_t row = FindRowAt(item->GetY());
        if (row < m_rows.size() && m_rows[row] == item)
            return row;
    }
    return m_rows.size();
}

void wxTreeListMainWindow::SelectRange(wxTreeListItem* from, wxTreeListItem* to)
{
    EnsureLayout();
    size_t first = RowIndexOf(from);
    size_t last = RowIndexOf(to);
    if (first >= m_rows.size() || last >= m_rows.size())
        return;
    if (first > last)
        std::swap(first, last);
    for (size_t i = first; i <= last; ++i)
    {
        m_rows[i]->SetHilight(true);
        RefreshLine(m_rows[i]);
    }
}

void wxTreeListMainWindow::SelectAll()
{
    if (!HasFlag(wxTR_MULTIPLE) || !m_rootItem)
        return;
    wxTreeListEvent event;
    InitEvent(event, wxEVT_TREE_SEL_CHANGING, m_rootItem);
    event.SetOldItem(m_current);
    if (!SendVetoableEvent(event))
        return;
    const wxArrayTreeListItems& children = m_rootItem->GetChildren();
    if (!children.IsEmpty())
        SelectRange(children[0], children.Last());
    event.SetEventType(wxEVT_TREE_SEL_CHANGED);
    SendEvent(event);
}

void wxTreeListMainWindow::Unselect()
{
    if (!m_selectItem)
        return;
    m_selectItem->SetHilight(false);
    RefreshLine(m_selectItem);
    m_selectItem = nullptr;
}

void wxTreeListMainWindow::UnselectAllChildren(wxTreeListItem* item)
{
    if (item->IsSelected())
    {
        item->SetHilight(false);
        RefreshLine(item);
    }
    for (wxTreeListItem* child : item->GetChildren())
        UnselectAllChildren(child);
}

void wxTreeListMainWindow::UnselectAll()
{
    if (!m_rootItem)
        return;
    UnselectAllChildren(m_rootItem);
    m_selectItem = nullptr;
}

void wxTreeListMainWindow::FillArray(wxTreeListItem* item, wxArrayTreeItemIds& array) const
{
    if (item->IsSelected())
        array.Add(wxTreeItemId(item));
    for (wxTreeListItem* child : item->GetChildren())
        FillArray(child, array);
}

size_t wxTreeListMainWindow::GetSelections(wxArrayTreeItemIds& selections) const
{
    selections.Empty();
    if (m_rootItem)
        FillArray(m_rootItem, selections);
    return selections.GetCount();
}

bool wxTreeListMainWindow::AnySelected(const wxTreeListItem* item) const
{
    if (item->IsSelected())
        return true;
    for (wxTreeListItem* child : item->GetChildren())
    {
        if (AnySelected(child))
            return true;
    }
    return false;
}

void wxTreeListMainWindow::SetDragItem(const wxTreeItemId& item)
{
    wxTreeListItem* old = m_dragItem;
    m_dragItem = wxTreeListItem::FromId(item);
    RefreshLine(old);
    RefreshLine(m_dragItem);
}

// ---- mouse -------------------------------------------------------------------

void wxTreeListMainWindow::PassMouseToOwner(wxMouseEvent& event)
{
    if (m_owner)
        m_owner->GetEventHandler()->ProcessEvent(event);
    event.Skip();
}

bool wxTreeListMainWindow::IsOnExpanderOrIcon(wxTreeListItem* item) const
{
    return (m_hitFlags & (wxTREE_HITTEST_ONITEMBUTTON | wxTREE_HITTEST_ONITEMICON)) && item->HasPlus() &&
           HasButtons();
}

void wxTreeListMainWindow::MakeCurrent(wxTreeListItem* item)
{
    wxTreeListItem* old = m_current;
    m_current = item;
    if (old != item)
    {
        RefreshLine(old);
        RefreshLine(item);
    }
}

void wxTreeListMainWindow::SelectFromClick(wxTreeListItem* item, const wxMouseEvent& event)
{
    const bool keepOthers = HasFlag(wxTR_MULTIPLE) && (event.ShiftDown() || event.ControlDown());
    SelectItem(item, m_shiftItem, !keepOthers);
    EnsureVisible(item);
    MakeCurrent(item);
}

void wxTreeListMainWindow::BeginDrag(wxMouseEvent& event, wxTreeListItem* item)
{
    m_dragCount = 0;
    m_isDragging = true;
    CaptureMouse();
    RefreshSelected();
    wxTreeListEvent drag;
    InitInputEvent(drag, event.LeftIsDown() ? wxEVT_TREE_BEGIN_DRAG : wxEVT_TREE_BEGIN_RDRAG, item,
                   CalcUnscrolledPosition(event.GetPosition()));
    drag.Veto(); // the handler must allow the drag
    SendEvent(drag);
    // A handler that let go of the mouse ran a drag and drop of its own,
    // which has seen the button go up.
    if (m_isDragging && !HasCapture())
        StopDragging();
}

void wxTreeListMainWindow::StopDragging()
{
    m_dragCount = 0;
    m_isDragging = false;
    RefreshSelected();
}

void wxTreeListMainWindow::OnMouseCaptureLost(wxMouseCaptureLostEvent& WXUNUSED(event))
{
    if (m_isDragging)
        StopDragging();
}

void wxTreeListMainWindow::EndDrag(wxMouseEvent& event, wxTreeListItem* item)
{
    if (HasCapture())
        ReleaseMouse();
    StopDragging();
    wxTreeListEvent drop;
    InitInputEvent(drop, wxEVT_TREE_END_DRAG, item, CalcUnscrolledPosition(event.GetPosition()));
    SendEvent(drop);
}

void wxTreeListMainWindow::OnMouse(wxMouseEvent& event)
{
    if (!m_rootItem)
        return;

    const bool handled = event.LeftDown() || event.LeftUp() || event.RightDown() || event.RightUp() ||
                         event.LeftDClick() || event.Dragging();
    if (!handled && event.GetWheelRotation() == 0)
    {
        PassMouseToOwner(event);
        return;
    }

    if (event.LeftDown() || event.RightDown())
        SetFocus();

    const wxPoint point = CalcUnscrolledPosition(event.GetPosition());
    int flags = 0, column = -1;
    wxTreeListItem* item = HitTestRow(point, flags, column);
    m_curColumn = column;
    m_hitFlags = flags;

    // A press on a selected group opens or closes it, wherever in the row.
    if (event.LeftDown() && item && item->IsSelected() && item->HasPlus())
    {
        if (item->IsExpanded())
            Collapse(item);
        else
            Expand(item);
    }

    if (event.Dragging())
    {
        if (m_isDragging || !item)
            return;
        if (m_dragCount == 0)
            m_dragTimer->StartOnce(kDragDelayMs);
        ++m_dragCount;
        if (m_dragCount >= kDragMotions && !m_dragTimer->IsRunning())
            BeginDrag(event, item);
        return;
    }
    if (m_isDragging)
        EndDrag(event, item);
    else
        m_dragCount = 0;

    if (!item)
    {
        PassMouseToOwner(event);
        return;
    }

    if (!event.ShiftDown())
        m_shiftItem = nullptr;
    else if (!m_shiftItem)
        m_shiftItem = m_current;

    if (event.RightUp())
    {
        SetFocus();
        wxTreeListEvent click;
        InitInputEvent(click, wxEVT_TREE_ITEM_RIGHT_CLICK, item, point);
        SendEvent(click);
    }
    else if (event.LeftUp())
    {
        OnLeftUp(event, item, point);
        if (IsOnExpanderOrIcon(item))
        {
            event.Skip();
            return;
        }
    }
    else if (event.LeftDown() || event.RightDown() || event.LeftDClick())
    {
        if (!OnPress(event, item, point))
        {
            event.Skip();
            return;
        }
    }
    else
    {
        event.Skip();
    }
    PassMouseToOwner(event);
}

void wxTreeListMainWindow::OnLeftUp(wxMouseEvent& event, wxTreeListItem* item, const wxPoint& point)
{
    if (item == m_leftDownItem)
    {
        wxTreeListEvent click;
        InitInputEvent(click, wxEVT_COMMAND_TREE_ITEM_CLICKED, item, point);
        SendEvent(click);
    }

    wxTreeListHeaderWindow* header = GetHeader();
    const bool onCell = (m_hitFlags & (wxTREE_HITTEST_ONITEMLABEL | wxTREE_HITTEST_ONITEMCOLUMN)) != 0;
    if (m_lastOnSame && item == m_current && header && m_curColumn >= 0 && m_curColumn < GetColumnCount() &&
        header->IsColumnEditable(m_curColumn) && onCell)
    {
        m_renameTimer->StartOnce(kRenameDelayMs);
    }
    m_lastOnSame = false;

    if (IsOnExpanderOrIcon(item))
        return;
    if (!m_left_down_selection)
        SelectFromClick(item, event);
    m_left_down_selection = false;
}

// Returns false when the press landed on an expander or icon and the event
// must only be skipped.
bool wxTreeListMainWindow::OnPress(wxMouseEvent& event, wxTreeListItem* item, const wxPoint& point)
{
    if (event.LeftDown() || event.RightDown())
    {
        SetFocus();
        m_leftDownItem = item;
        m_lastOnSame = item == m_current;
        m_left_down_selection = false;
    }
    if (IsOnExpanderOrIcon(item))
    {
        if (event.LeftDown())
            Toggle(item);
        return false;
    }
    if (!item->IsSelected())
    {
        SelectFromClick(item, event);
        m_left_down_selection = true;
    }
    if (event.LeftDClick())
    {
        m_renameTimer->Stop();
        m_lastOnSame = false;
        wxTreeListEvent activate;
        InitInputEvent(activate, wxEVT_TREE_ITEM_ACTIVATED, item, point);
        if (!(m_owner && m_owner->GetEventHandler()->ProcessEvent(activate)) && item->HasPlus())
            Toggle(item);
    }
    return true;
}

// ---- keyboard ----------------------------------------------------------------

// Every key press is reported to the control before anything else handles it;
// Return is reported as the enter event and goes no further.
void wxTreeListMainWindow::OnKeyDown(wxKeyEvent& event)
{
    if (m_owner)
    {
        wxTreeListEvent keyDown;
        InitEvent(keyDown, wxEVT_COMMAND_TREE_ITEM_KEY_DOWN, m_current);
        wxKeyEvent key(event);
        key.SetEventType(wxEVT_KEY_DOWN);
        keyDown.SetKeyEvent(key);
        static_cast<wxEvtHandler*>(m_owner)->ProcessEvent(keyDown);

        const int code = event.GetKeyCode();
        if (code == WXK_RETURN || code == WXK_NUMPAD_ENTER)
        {
            wxTreeListEvent enter;
            InitEvent(enter, wxEVT_COMMAND_TREE_ITEM_ENTER, m_current);
            wxKeyEvent chr(event);
            chr.SetEventType(wxEVT_CHAR);
            chr.m_keyCode = WXK_RETURN;
            enter.SetKeyEvent(chr);
            static_cast<wxEvtHandler*>(m_owner)->ProcessEvent(enter);
            return;
        }
    }
    event.Skip();
}

wxTreeListItem* wxTreeListMainWindow::ParentForBack(wxTreeListItem* item) const
{
    wxTreeListItem* parent = item->GetItemParent();
    if (IsHiddenRoot(parent))
        return item->GetPrevSibling();
    return parent;
}

wxTreeListItem* wxTreeListMainWindow::FindAsYouType(wxChar ch)
{
    if (!m_findTimer->IsRunning())
        m_findStr.Clear();
    m_findStr.Append(ch);
    m_findTimer->StartOnce(kFindDelayMs);

    wxString prefix = m_findStr;
    wxTreeItemId found = FindItem(m_current, prefix, kFindAsYouTypeMode);
    while (!found.IsOk() && prefix.length() >= 2)
    {
        prefix.RemoveLast();
        found = FindItem(m_current, prefix, kFindAsYouTypeMode);
    }
    return wxTreeListItem::FromId(found);
}

// The item a navigation key moves to, or null; expands and collapses on the way.
wxTreeListItem* wxTreeListMainWindow::KeyboardTarget(wxKeyEvent& event, bool firstPress)
{
    wxTreeListItem* current = m_current;
    switch (event.GetKeyCode())
    {
    case '+':
    case WXK_ADD:
    case WXK_NUMPAD_ADD:
        if (current->HasPlus() && !current->IsExpanded())
            Expand(current);
        return nullptr;

    case '-':
    case WXK_SUBTRACT:
    case WXK_NUMPAD_SUBTRACT:
        if (current->HasPlus() && current->IsExpanded())
            Collapse(current);
        return nullptr;

    case '*':
    case WXK_MULTIPLY:
    case WXK_NUMPAD_MULTIPLY:
        if (current->HasPlus() && !current->IsExpanded())
            ExpandAll(current);
        else if (current->HasPlus())
            Collapse(current);
        return nullptr;

    case WXK_BACK:
        return ParentForBack(current);

    case WXK_RETURN:
    {
        wxTreeListEvent activate;
        InitEvent(activate, wxEVT_TREE_ITEM_ACTIVATED, current);
        SendEvent(activate);
        return nullptr;
    }

    case ' ':
        SelectItem(current, wxTreeItemId(), false);
        return nullptr;

    case WXK_LEFT:
        if (current->IsExpanded())
        {
            Collapse(current);
            return nullptr;
        }
        return ParentForBack(current);

    case WXK_UP:
    {
        wxTreeListItem* prev = current->GetPrevSibling();
        if (prev)
        {
            while (prev->IsExpanded() && prev->HasChildren())
                prev = prev->GetChildren().Last();
            return prev;
        }
        wxTreeListItem* parent = current->GetItemParent();
        return IsHiddenRoot(parent) ? nullptr : parent;
    }

    case WXK_RIGHT:
        if (current->HasPlus() && !current->IsExpanded())
            Expand(current);
        else if (current->IsExpanded() && current->HasChildren())
            return current->GetChildren()[0];
        return nullptr;

    case WXK_DOWN:
        if (firstPress)
            return current;
        if (current->IsExpanded() && current->HasChildren())
            return current->GetChildren()[0];
        return current->GetNextSiblingUpwards();

    case WXK_HOME:
        return FirstShownItem();

    case WXK_END:
        return m_rootItem->HasChildren() ? m_rootItem->GetChildren().Last() : nullptr;

    default:
    {
        event.Skip();
        const wxChar ch = event.GetUnicodeKey();
        if (ch == WXK_NONE || ch < 32 || ch == WXK_DELETE || event.ControlDown() || event.AltDown())
            return nullptr;
        return FindAsYouType(ch);
    }
    }
}

void wxTreeListMainWindow::OnChar(wxKeyEvent& event)
{
    if (!m_selectItem && !(m_rootItem && AnySelected(m_rootItem)))
        return;

    wxTreeListEvent keyDown;
    InitEvent(keyDown, wxEVT_TREE_KEY_DOWN, m_current);
    keyDown.SetKeyEvent(event);
    if (m_owner && m_owner->GetEventHandler()->ProcessEvent(keyDown))
        return;

    bool firstPress = false;
    if (!m_current)
    {
        m_current = FirstShownItem();
        firstPress = true;
        if (!m_current)
            return;
    }

    const bool multiple = HasFlag(wxTR_MULTIPLE);
    if (!(multiple && event.ShiftDown()))
        m_shiftItem = nullptr;
    else if (!m_shiftItem)
        m_shiftItem = m_current;

    wxTreeListItem* target = KeyboardTarget(event, firstPress);
    if (!target)
        return;
    if (!event.ControlDown())
        SelectItem(target, m_shiftItem, !(multiple && event.ShiftDown()));
    EnsureVisible(target);
    MakeCurrent(target);
}

// ---- editing -----------------------------------------------------------------

wxTextCtrl* wxTreeListMainWindow::EditLabel(const wxTreeItemId& itemId, int column)
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    wxTreeListHeaderWindow* header = GetHeader();
    if (!item || IsHiddenRoot(item) || !header || column < 0 || column >= GetColumnCount())
        return nullptr;
    m_editItem = item;
    m_editCol = column;

    wxTreeListEvent event;
    InitColumnEvent(event, wxEVT_TREE_BEGIN_LABEL_EDIT, item, column);
    if (!SendVetoableEvent(event))
        return nullptr;

    EnsureLayout();
    EnsureMeasured(item);
    int x, w;
    int style = 0;
    const int y = item->GetY() + 1;
    const int h = item->GetHeight();
    if (column == m_main_column)
    {
        x = GetMainTextX(item, item->GetWidth() - m_imgWidth - kCellMargin) - kCellMargin;
        w = GetMainColumnLeft() + GetMainColumnWidth() - x;
    }
    else
    {
        x = 0;
        for (int i = 0; i < column; ++i)
            x += header->GetColumnWidth(i);
        w = header->GetColumnWidth(column);
        if (header->GetColumnAlignment(column) == wxALIGN_RIGHT)
            style = wxTE_RIGHT;
        else if (header->GetColumnAlignment(column) == wxALIGN_CENTER)
            style = wxTE_CENTRE;
    }
    const wxPoint pos = CalcScrolledPosition(wxPoint(x, y));
    const wxString text = item->GetText(column);

    if (!m_editControl)
    {
        m_editControl = new wxEditTextCtrl(this, -1, this, &m_renameAccept, &m_renameRes, text, pos,
                                           wxSize(w, h), style, wxDefaultValidator, wxTextCtrlNameStr);
    }
    else
    {
        m_editControl->SetWindowStyleFlag(style | wxSIMPLE_BORDER | wxTE_PROCESS_ENTER);
        m_editControl->SetSize(pos.x, pos.y, w, h);
        m_editControl->SetValue(text);
        m_editControl->SetStartValue(text);
        m_editControl->SetAcceptString(&m_renameAccept, &m_renameRes);
        m_editControl->Show();
    }
    m_editControl->SelectAll();
    m_editControl->SetFocus();
    return m_editControl;
}

void wxTreeListMainWindow::EndEditLabel()
{
    if (m_editControl)
        m_editControl->EndEditLabel();
}

void wxTreeListMainWindow::SetEditControl(wxEditTextCtrl* edit)
{
    m_editControl = edit;
    if (!edit)
        return;
    edit->Reparent(this);
    edit->SetMainWindow(this);
    edit->SetAcceptString(&m_renameAccept, &m_renameRes);
    edit->Hide();
}

void wxTreeListMainWindow::OnRenameTimer()
{
    EditLabel(m_current, m_curColumn);
}

void wxTreeListMainWindow::OnRenameAccept()
{
    if (!m_editItem)
        return;
    wxTreeListEvent event;
    InitColumnEvent(event, wxEVT_TREE_END_LABEL_EDIT, m_editItem, m_editCol);
    event.SetLabel(m_renameRes);
    if (SendVetoableEvent(event))
        SetItemText(m_editItem, m_editCol, m_renameRes);
}

// ----------------------------------------------------------------------------
// wxEditTextCtrl
// ----------------------------------------------------------------------------

// clang-format off
wxBEGIN_EVENT_TABLE(wxEditTextCtrl, wxTextCtrl)
    EVT_CHAR(wxEditTextCtrl::OnChar)
    EVT_KEY_UP(wxEditTextCtrl::OnKeyUp)
    EVT_KILL_FOCUS(wxEditTextCtrl::OnKillFocus)
wxEND_EVENT_TABLE()
// clang-format on

wxEditTextCtrl::wxEditTextCtrl(wxWindow* parent, const wxWindowID id, wxTreeListMainWindow* owner,
                               bool* accept, wxString* res, const wxString& value, const wxPoint& pos,
                               const wxSize& size, int style, const wxValidator& validator,
                               const wxString& name)
    : wxTextCtrl(parent, id, value, pos, size, style | wxSIMPLE_BORDER | wxTE_PROCESS_ENTER, validator, name),
      m_accept(accept), m_res(res), m_owner(owner), m_startValue(value), m_finished(false)
{
    if (m_accept)
        *m_accept = false;
    if (m_res)
        m_res->Clear();
}

void wxEditTextCtrl::SetAcceptString(bool* accept, wxString* res)
{
    m_accept = accept;
    m_res = res;
    if (m_accept)
        *m_accept = false;
    if (m_res)
        m_res->Clear();
    m_finished = false;
}

void wxEditTextCtrl::Finish(bool accept, const wxString& result)
{
    m_finished = true;
    if (m_accept)
        *m_accept = accept;
    if (m_res)
        *m_res = result;
    Hide();
    if (accept && result != m_startValue && m_owner)
        m_owner->OnRenameAccept();
}

void wxEditTextCtrl::OnChar(wxKeyEvent& event)
{
    switch (event.GetKeyCode())
    {
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        Finish(true, GetValue());
        break;
    case WXK_ESCAPE:
        Finish(false, m_startValue);
        break;
    default:
        event.Skip();
        return;
    }
    if (m_owner)
        m_owner->SetFocus();
}

void wxEditTextCtrl::OnKeyUp(wxKeyEvent& event)
{
    event.Skip();
}

void wxEditTextCtrl::OnKillFocus(wxFocusEvent& event)
{
    event.Skip();
    EndEditLabel();
}

void wxEditTextCtrl::EndEditLabel()
{
    if (!m_finished)
        Finish(true, GetValue());
}

} // namespace kel
