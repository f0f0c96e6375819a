// Layout, painting and scrolling of the tree list item window.
//
// Layout places every displayed row once and keeps the rows in display order;
// painting and hit testing find rows by binary search in that list, so their
// cost depends on the window height and not on the size of the tree. Labels
// are measured when first needed (painting, hit testing, geometry queries)
// and the size is kept until the text, image or font changes. Painting also
// keeps the sizes of the cell texts it drew lately, so that repainting the
// same rows does not lay their texts out again.
#include <kelctrls/treelistctrl.h>

#include "treelist/treelistfindindex.h"
#include "treelist/treelistmetrics.h"

#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/imaglist.h>
#include <wx/settings.h>

#include <algorithm>

namespace kel
{

namespace
{
// Bounds of the label size cache; beyond them it starts afresh. A window
// shows a few hundred cells at most.
const size_t kMaxCachedFonts = 8;
const size_t kMaxCachedSizes = 4096;

// Draws a horizontal or vertical tree line whose dots fall on the pixels with
// an even x + y, so that pieces drawn row by row join up into one pattern.
void DrawDottedLine(wxDC& dc, int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if ((x1 + y1) & 1)
    {
        if (x1 == x2)
            ++y1;
        else
            ++x1;
    }
    if (x1 <= x2 && y1 <= y2)
        dc.DrawLine(x1, y1, x2, y2);
}

// Every font or colour given to a graphics context builds its text renderer
// anew, which costs more than drawing the text; rows mostly share both.
void SetFontIfChanged(wxDC& dc, const wxFont& font)
{
    if (!(dc.GetFont() == font))
        dc.SetFont(font);
}

void SetTextColourIfChanged(wxDC& dc, const wxColour& colour)
{
    if (dc.GetTextForeground() != colour)
        dc.SetTextForeground(colour);
}

// Drawing through the device context measures the text once more only to
// track the drawn area, which nothing here reads; on GTK that doubles the
// cost of every label. Texts of several lines are laid out by the context.
void DrawLabelText(wxDC& dc, const wxString& text, int x, int y)
{
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    if (gc && dc.GetLogicalFunction() == wxCOPY && text.find('\n') == wxString::npos)
        gc->DrawText(text, x, y);
    else
        dc.DrawText(text, x, y);
}

int AddLabelMargin(int h)
{
    return h + (h < 30 ? 2 : h / 10);
}
} // anonymous namespace

// ---- label sizes -----------------------------------------------------------

wxTreeListMainWindow::TextSizes::FontSizes& wxTreeListMainWindow::TextSizes::ForFont(const wxFont& font)
{
    for (FontSizes& entry : m_fonts)
    {
        if (entry.font.GetRefData() == font.GetRefData())
            return entry;
    }
    if (m_fonts.size() >= kMaxCachedFonts)
        Clear();
    m_fonts.push_back(FontSizes());
    m_fonts.back().font = font;
    return m_fonts.back();
}

wxSize wxTreeListMainWindow::TextSizes::Get(wxDC& dc, const wxString& text)
{
    if (m_count >= kMaxCachedSizes)
        Clear();
    FontSizes& entry = ForFont(dc.GetFont());
    auto found = entry.sizes.find(text);
    if (found != entry.sizes.end())
        return found->second;
    wxSize size;
    dc.GetTextExtent(text, &size.x, &size.y);
    entry.sizes.emplace(text, size);
    ++m_count;
    return size;
}

void wxTreeListMainWindow::TextSizes::Clear()
{
    m_fonts.clear();
    m_count = 0;
}

// ---- metrics ---------------------------------------------------------------

int wxTreeListMainWindow::AlignmentOffset(int alignment, int spare)
{
    switch (alignment)
    {
    case wxALIGN_RIGHT:
        return wxMax(0, spare);
    case wxALIGN_CENTER:
        return wxMax(0, spare / 2);
    default:
        return 0;
    }
}

int wxTreeListMainWindow::GetLineHeight(wxTreeListItem* item) const
{
    if (HasFlag(wxTR_HAS_VARIABLE_ROW_HEIGHT))
        return item->GetHeight();
    return m_lineHeight;
}

bool wxTreeListMainWindow::HasButtons() const
{
    return m_imageListButtons || HasFlag(wxTR_HAS_BUTTONS | wxTR_TWIST_BUTTONS);
}

void wxTreeListMainWindow::CalculateLineHeight()
{
    wxClientDC dc(this);
    dc.SetFont(m_normalFont);
    m_lineHeight = (int)(dc.GetCharHeight() + m_linespacing);

    for (wxImageList* list : {m_imageListNormal, m_imageListButtons})
    {
        if (!list)
            continue;
        for (int i = 0; i < list->GetImageCount(); ++i)
        {
            int width = 0, height = 0;
            list->GetSize(i, width, height);
            if (height > m_lineHeight)
                m_lineHeight = height + m_linespacing;
        }
    }
    m_lineHeight = AddLabelMargin(m_lineHeight);
}

// Button and image sizes and the indent that follows from the buttons.
// Returns true when anything that places rows changed.
bool wxTreeListMainWindow::UpdateImageMetrics()
{
    const int oldButton = m_btnWidth, oldImage = m_imgWidth, oldIndent = m_indent;
    int bw = 0, bh = 0;
    if (m_imageListButtons && m_imageListButtons->GetImageCount() > 0)
        m_imageListButtons->GetSize(0, bw, bh);
    else if (HasButtons())
        bw = bh = kDefaultButtonSize;
    m_btnWidth = bw;
    m_btnHeight = bh;
    m_btnWidth2 = bw / 2;
    m_btnHeight2 = bh / 2;

    int iw = 0, ih = 0;
    if (m_imageListNormal && m_imageListNormal->GetImageCount() > 0)
        m_imageListNormal->GetSize(0, iw, ih);
    m_imgWidth = iw;
    m_imgHeight = ih;
    m_imgWidth2 = iw / 2;
    m_imgHeight2 = ih / 2;

    if (m_imageListButtons)
        m_indent = (unsigned short)wxMax(kMinIndent, m_btnWidth + kIndentBesideButtonImage);
    else if (HasButtons())
        m_indent = (unsigned short)wxMax(kMinIndent, m_btnWidth + kIndentBesideButton);

    return oldButton != m_btnWidth || oldImage != m_imgWidth || oldIndent != m_indent;
}

void wxTreeListMainWindow::CalculateSize(wxTreeListItem* item, wxDC& dc)
{
    SetFontIfChanged(dc, GetItemFontFor(item));
    int w = 0, h = 0;
    dc.GetTextExtent(item->GetText(m_main_column), &w, &h);
    h = AddLabelMargin(wxMax(h, m_imgHeight));
    item->SetHeight(wxMin(h, 255));
    if (h > m_lineHeight)
    {
        m_lineHeight = h;
        m_lineHeightRaised = true;
    }
    item->SetWidth(m_imgWidth + kCellMargin + w);
    item->SetMeasured(true);
}

void wxTreeListMainWindow::EnsureMeasured(wxTreeListItem* item) const
{
    if (item->IsMeasured())
        return;
    wxTreeListMainWindow* self = const_cast<wxTreeListMainWindow*>(this);
    wxClientDC dc(self);
    self->CalculateSize(item, dc);
    if (self->m_lineHeightRaised)
    {
        self->m_lineHeightRaised = false;
        self->MarkDirty();
    }
}

// ---- layout ----------------------------------------------------------------

int wxTreeListMainWindow::GetMainColumnLeft() const
{
    wxTreeListHeaderWindow* header = GetHeader();
    return header ? header->GetColumnLeft(m_main_column) : 0;
}

int wxTreeListMainWindow::GetMainColumnWidth() const
{
    wxTreeListHeaderWindow* header = GetHeader();
    return header ? header->GetColumnWidth(m_main_column) : 0;
}

int wxTreeListMainWindow::GetItemX(int level) const
{
    int x = GetMainColumnLeft() + kCellMargin;
    if (HasFlag(wxTR_LINES_AT_ROOT))
        x += kLinesAtRootMargin;
    if (HasButtons())
        x += m_btnWidth - m_btnWidth2;
    else
        x += m_indent - m_indent / 2;
    return x + m_indent * level;
}

void wxTreeListMainWindow::PlaceItems(wxTreeListItem* item, int level, int& y, wxDC& dc)
{
    // Rows are all as high as the line height unless each has its own
    // height; only then (or with a font of its own, which may raise the
    // line height) must the label be measured before it can be placed.
    const bool needsSize =
        HasFlag(wxTR_HAS_VARIABLE_ROW_HEIGHT) || (item->GetAttributes() && item->GetAttributes()->HasFont());
    if (needsSize && !item->IsMeasured())
        CalculateSize(item, dc);
    item->SetX(GetItemX(level));
    item->SetY(y);
    y += GetLineHeight(item);
    m_rows.push_back(item);
    if (!item->IsExpanded())
        return;
    for (wxTreeListItem* child : item->GetChildren())
        PlaceItems(child, level + 1, y, dc);
}

void wxTreeListMainWindow::CalculatePositions()
{
    UpdateImageMetrics();
    m_rows.clear();
    if (m_rootItem)
    {
        wxClientDC dc(this);
        PrepareDC(dc);
        dc.SetFont(m_normalFont);
        do
        {
            m_lineHeightRaised = false;
            m_rows.clear();
            int y = kTopMargin;
            if (IsHiddenRoot(m_rootItem))
            {
                for (wxTreeListItem* child : m_rootItem->GetChildren())
                    PlaceItems(child, 0, y, dc);
            }
            else
            {
                PlaceItems(m_rootItem, 0, y, dc);
            }
        } while (m_lineHeightRaised);
    }
    m_layoutValid = true;
}

void wxTreeListMainWindow::EnsureLayout()
{
    if (UpdateImageMetrics())
        m_layoutValid = false;
    if (!m_layoutValid)
        CalculatePositions();
}

int wxTreeListMainWindow::GetContentHeight() const
{
    if (m_rows.empty())
        return 0;
    wxTreeListItem* last = m_rows.back();
    return last->GetY() + GetLineHeight(last);
}

size_t wxTreeListMainWindow::FindRowAt(int y) const
{
    // first row whose bottom lies below y
    auto it = std::upper_bound(m_rows.begin(), m_rows.end(), y,
                               [this](int value, wxTreeListItem* row)
                               { return value < row->GetY() + GetLineHeight(row); });
    return (size_t)(it - m_rows.begin());
}

// ---- scrolling -------------------------------------------------------------

void wxTreeListMainWindow::GetScrollUnits(int& xUnit, int& yUnit) const
{
    GetScrollPixelsPerUnit(&xUnit, &yUnit);
    if (xUnit == 0)
        xUnit = GetCharWidth();
    if (yUnit == 0)
        yUnit = m_lineHeight;
}

void wxTreeListMainWindow::SetScrollRange(int yPos)
{
    int xUnit, yUnit;
    GetScrollUnits(xUnit, yUnit);
    wxTreeListHeaderWindow* header = GetHeader();
    const int width = (header ? header->GetWidth() : 0) + kContentMargin;
    const int height = GetContentHeight() + kContentMargin + yUnit;
    int xPos, curY;
    GetViewStart(&xPos, &curY);
    if (width < GetClientSize().x)
        xPos = 0;
    SetScrollbars(xUnit, yUnit, (width + xUnit - 1) / xUnit, height / yUnit, xPos, yPos < 0 ? curY : yPos,
                  true);
}

void wxTreeListMainWindow::AdjustMyScrollbars()
{
    if (!m_rootItem)
    {
        SetScrollbars(0, 0, 0, 0);
        return;
    }
    EnsureLayout();
    SetScrollRange(-1);
}

void wxTreeListMainWindow::ScrollTo(const wxTreeItemId& itemId)
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    m_pendingScroll = nullptr;
    if (!item)
        return;
    if (!IsShownOnScreen())
    {
        // The toolkit ignores scroll positions of windows not yet shown.
        m_pendingScroll = item;
        return;
    }
    EnsureLayout();
    int xUnit, yUnit;
    GetScrollUnits(xUnit, yUnit);
    int vx, vy;
    GetViewStart(&vx, &vy);
    const int start = vy * yUnit;
    const int clientHeight = GetClientSize().y;
    const int y = item->GetY();
    const int h = GetLineHeight(item);
    if (y < start + kScrollIntoViewSlack)
        SetScrollRange(y / yUnit);
    else if (y + h > start + clientHeight)
        SetScrollRange((h + y + kContentMargin + yUnit - clientHeight) / yUnit);
    else
        return;
    Refresh();
    if (wxTreeListHeaderWindow* header = GetHeader())
        header->Refresh();
}

void wxTreeListMainWindow::EnsureVisible(const wxTreeItemId& itemId)
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    if (!item)
        return;
    for (wxTreeListItem* parent = item->GetItemParent(); parent; parent = parent->GetItemParent())
        Expand(parent);
    ScrollTo(item);
    RefreshLine(item);
}

void wxTreeListMainWindow::OnScroll(wxScrollWinEvent& event)
{
    HandleOnScroll(event);
    if (event.GetOrientation() == wxHORIZONTAL)
    {
        if (wxTreeListHeaderWindow* header = GetHeader())
        {
            header->Refresh();
            header->Update();
        }
    }
    if (!m_owner)
        return;

    static const struct
    {
        wxEventType win, scroll;
    } kTypes[] = {
        {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLL_TOP},
        {wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLL_BOTTOM},
        {wxEVT_SCROLLWIN_LINEUP, wxEVT_SCROLL_LINEUP},
        {wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLL_LINEDOWN},
        {wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLL_PAGEUP},
        {wxEVT_SCROLLWIN_PAGEDOWN, wxEVT_SCROLL_PAGEDOWN},
        {wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLL_THUMBTRACK},
        {wxEVT_SCROLLWIN_THUMBRELEASE, wxEVT_SCROLL_THUMBRELEASE},
    };
    for (const auto& type : kTypes)
    {
        if (event.GetEventType() != type.win)
            continue;
        wxScrollEvent scroll(type.scroll, m_owner->GetId(), event.GetPosition(), event.GetOrientation());
        scroll.SetEventObject(m_owner);
        m_owner->GetEventHandler()->ProcessEvent(scroll);
        break;
    }
}

// ---- geometry ----------------------------------------------------------------

bool wxTreeListMainWindow::GetBoundingRect(const wxTreeItemId& itemId, wxRect& rect,
                                           bool WXUNUSED(textOnly)) const
{
    wxTreeListItem* item = wxTreeListItem::FromId(itemId);
    // A hidden root has no row: it is never placed, so it has no rectangle.
    if (!item || IsHiddenRoot(item))
        return false;
    const_cast<wxTreeListMainWindow*>(this)->EnsureLayout();
    EnsureMeasured(item);
    int x, y;
    CalcScrolledPosition(item->GetX(), item->GetY(), &x, &y);
    rect = wxRect(x, y, item->GetWidth(), GetLineHeight(item));
    return true;
}

int wxTreeListMainWindow::GetItemWidth(int column, wxTreeListItem* item)
{
    if (!item)
        return 0;
    wxClientDC dc(this);
    dc.SetFont(GetItemFontFor(item));
    int w = 0, h = 0;
    dc.GetTextExtent(item->GetText(column), &w, &h);
    if (column != m_main_column)
        return w + kColumnPadding;

    UpdateImageMetrics();
    w += kMainColumnPadding + (HasFlag(wxTR_LINES_AT_ROOT) ? kLinesAtRootMargin : 0);
    if (HasButtons())
        w += kButtonLineStub + m_btnWidth;
    if (item->GetCurrentImage() != -1)
        w += m_imgWidth;
    for (wxTreeListItem* parent = item->GetItemParent(); parent; parent = parent->GetItemParent())
    {
        if (!IsHiddenRoot(parent))
            w += m_indent;
    }
    return w;
}

int wxTreeListMainWindow::GetBestColumnWidth(int column, wxTreeItemId parentId)
{
    const int limit = GetClientSize().x;
    wxTreeListItem* parent = parentId.IsOk() ? wxTreeListItem::FromId(parentId) : m_rootItem;
    if (!parent)
        return 0;
    int width = IsHiddenRoot(parent) ? 0 : GetItemWidth(column, parent);
    if (width >= limit)
        return limit;
    for (wxTreeListItem* child : parent->GetChildren())
    {
        width = wxMax(width, GetItemWidth(column, child));
        if (child->IsExpanded())
            width = wxMax(width, GetBestColumnWidth(column, child));
        if (width >= limit)
            return limit;
    }
    return width;
}

// ---- refreshing --------------------------------------------------------------

void wxTreeListMainWindow::RefreshLine(wxTreeListItem* item)
{
    if (m_dirty || !item || IsHiddenRoot(item))
        return;
    int y;
    CalcScrolledPosition(0, item->GetY(), nullptr, &y);
    RefreshRect(wxRect(0, y, GetClientSize().x, GetLineHeight(item)));
}

void wxTreeListMainWindow::RefreshSubtree(wxTreeListItem* item)
{
    if (m_dirty || !item)
        return;
    int y;
    CalcScrolledPosition(0, item->GetY() - 2, nullptr, &y);
    const wxSize client = GetClientSize();
    RefreshRect(wxRect(0, y, client.x, client.y - y));
    AdjustMyScrollbars();
}

void wxTreeListMainWindow::RefreshSelected()
{
    if (m_dirty || !m_layoutValid)
        return;
    int top;
    CalcUnscrolledPosition(0, 0, nullptr, &top);
    const int bottom = top + GetClientSize().y;
    for (size_t i = FindRowAt(top); i < m_rows.size() && m_rows[i]->GetY() < bottom; ++i)
    {
        if (m_rows[i]->IsSelected())
            RefreshLine(m_rows[i]);
    }
}

void wxTreeListMainWindow::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    if (m_dirty)
    {
        m_dirty = false;
        CalculatePositions();
        Refresh();
        AdjustMyScrollbars();
    }
    if (m_pendingScroll && IsShownOnScreen())
        ScrollTo(m_pendingScroll);
    if (m_findIndex)
        m_findIndex->Compact();
}

void wxTreeListMainWindow::OnSetFocus(wxFocusEvent& event)
{
    m_hasFocus = true;
    RefreshSelected();
    RefreshLine(m_current);
    event.Skip();
}

void wxTreeListMainWindow::OnKillFocus(wxFocusEvent& event)
{
    m_hasFocus = false;
    RefreshSelected();
    RefreshLine(m_current);
    event.Skip();
}

// ---- painting ----------------------------------------------------------------

void wxTreeListMainWindow::OnPaint(wxPaintEvent& WXUNUSED(event))
{
    wxPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    const wxRect box = GetUpdateRegion().GetBox();
    PaintRows(dc, box.GetTop(), box.GetBottom() + 1, &m_textSizes);
}

void wxTreeListMainWindow::OnEraseBackground(wxEraseEvent& WXUNUSED(event))
{
    // The paint handler clears and paints everything.
}

void wxTreeListMainWindow::PaintTree(wxDC& dc)
{
    PaintRows(dc, 0, GetClientSize().y, nullptr);
}

void wxTreeListMainWindow::PaintRows(wxDC& dc, int top, int bottom, TextSizes* sizes)
{
    if (!m_rootItem || GetColumnCount() == 0)
        return;
    EnsureLayout();
    PrepareDC(dc);
    dc.SetFont(m_normalFont);
    dc.SetPen(m_dottedPen);

    int from, to;
    CalcUnscrolledPosition(0, top, nullptr, &from);
    CalcUnscrolledPosition(0, bottom, nullptr, &to);
    for (size_t i = FindRowAt(from); i < m_rows.size() && m_rows[i]->GetY() < to; ++i)
        PaintRow(m_rows[i], dc, sizes);

    wxTreeListHeaderWindow* header = GetHeader();
    if (header && header->IsDragging())
    {
        dc.SetPen(wxPen(*wxBLACK, 2));
        dc.DrawLine(header->GetCurrentX(), from, header->GetCurrentX(), to);
    }
    if (m_lineHeightRaised)
    {
        // a label measured while painting was taller than the rows
        m_lineHeightRaised = false;
        MarkDirty();
    }
}

void wxTreeListMainWindow::PaintRow(wxTreeListItem* item, wxDC& dc, TextSizes* sizes)
{
    if (!item->IsMeasured())
        CalculateSize(item, dc);
    const int h = GetLineHeight(item);
    const int y = item->GetY();
    wxTreeListHeaderWindow* header = GetHeader();
    const int total = header ? header->GetWidth() : 0;

    if (HasFlag(wxTR_ROW_LINES))
    {
        dc.SetPen(GetBackgroundColour() == *wxWHITE ? *wxMEDIUM_GREY_PEN : *wxWHITE_PEN);
        dc.DrawLine(0, y, total, y);
        dc.DrawLine(0, y + h, total, y + h);
    }

    PaintItem(item, dc, sizes);

    const wxRect mainColumn(GetMainColumnLeft(), y, GetMainColumnWidth(), h);
    const bool hasButton = item->HasPlus() && HasButtons();
    if (!HasFlag(wxTR_NO_LINES))
    {
        dc.SetClippingRegion(mainColumn);
        PaintRowLines(item, dc);
        dc.DestroyClippingRegion();
    }
    if (hasButton)
    {
        const wxRect button(item->GetX() - m_btnWidth2, y + h / 2 - m_btnHeight2, m_btnWidth + 2,
                            m_btnHeight + 2);
        const bool clip = !mainColumn.Contains(button);
        if (clip)
            dc.SetClippingRegion(mainColumn);
        PaintButton(item, item->GetX(), y + h / 2, dc);
        dc.DestroyClippingRegion();
    }
}

// Draws the part of the tree lines that crosses this row: the connector to
// the item, the start of its own children's line, and the lines of the
// ancestors that continue below it.
void wxTreeListMainWindow::PaintRowLines(wxTreeListItem* item, wxDC& dc)
{
    const int h = GetLineHeight(item);
    const int y = item->GetY();
    const int yMid = y + h / 2;
    const int x = item->GetX();
    const int x0 = wxMax(x - (int)m_indent, GetMainColumnLeft() + kCellMargin);
    const int xb = x + m_btnWidth - m_btnWidth2;
    dc.SetPen(m_dottedPen);

    if (!HasButtons())
    {
        DrawDottedLine(dc, x0, yMid, x - m_indent / 2, yMid);
    }
    else if (!item->HasPlus())
    {
        DrawDottedLine(dc, x0, yMid, xb + kButtonLineStub, yMid);
    }
    else
    {
        DrawDottedLine(dc, x0, yMid, x - m_btnWidth2, yMid);
        DrawDottedLine(dc, xb, yMid, xb + kButtonLineStub, yMid);
    }

    if (item->IsExpanded() && item->HasChildren())
    {
        const int start = yMid + (m_imgHeight ? m_imgHeight2 : h / 2);
        if (start < y + h)
            DrawDottedLine(dc, x, start, x, y + h);
    }

    const wxTreeListItem* child = item;
    for (wxTreeListItem* ancestor = item->GetItemParent(); ancestor && !IsHiddenRoot(ancestor);
         child = ancestor, ancestor = ancestor->GetItemParent())
    {
        const int ax = ancestor->GetX();
        if (child == item)
        {
            DrawDottedLine(dc, ax, y, ax, yMid);
            if (item->GetNextSibling())
                DrawDottedLine(dc, ax, yMid, ax, y + h);
        }
        else if (child->GetNextSibling())
        {
            DrawDottedLine(dc, ax, y, ax, y + h);
        }
    }
}

void wxTreeListMainWindow::PaintButton(wxTreeListItem* item, int x, int yMid, wxDC& dc)
{
    if (m_imageListButtons)
    {
        const int image = (item->IsExpanded() ? 2 : 0) + (item->IsSelected() ? 1 : 0);
        const int bx = x - m_btnWidth2 + kButtonImageInset;
        const int by = yMid - m_btnHeight2;
        m_imageListButtons->Draw(image, dc, bx, by, wxIMAGELIST_DRAW_TRANSPARENT);
        return;
    }
    if (HasFlag(wxTR_TWIST_BUTTONS))
    {
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(*m_hilightBrush);
        wxPoint button[3];
        if (item->IsExpanded())
        {
            button[0] = wxPoint(x - m_btnWidth2 - kTwistOverhang, yMid - m_btnHeight / 3);
            button[1] = wxPoint(x + m_btnWidth2 + kTwistOverhang, yMid - m_btnHeight / 3);
            button[2] = wxPoint(x, yMid - m_btnHeight / 3 + m_btnHeight2 + kTwistOverhang);
        }
        else
        {
            button[0] = wxPoint(x - m_btnWidth / 3, yMid - m_btnHeight2 - kTwistOverhang);
            button[1] = wxPoint(x - m_btnWidth / 3, yMid + m_btnHeight2 + kTwistOverhang);
            button[2] = wxPoint(x - m_btnWidth / 3 + m_btnWidth2 + kTwistOverhang, yMid);
        }
        dc.DrawPolygon(3, button, 0, 0, wxODDEVEN_RULE);
        return;
    }
    if (HasFlag(wxTR_HAS_BUTTONS))
    {
        dc.SetPen(*wxGREY_PEN);
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(x - m_btnWidth2, yMid - m_btnHeight2, m_btnWidth, m_btnHeight);
        dc.SetPen(*wxBLACK_PEN);
        dc.DrawLine(x - m_btnWidth2 + kButtonBarInset, yMid, x + m_btnWidth2 - 1, yMid);
        if (!item->IsExpanded())
            dc.DrawLine(x, yMid - m_btnHeight2 + kButtonBarInset, x, yMid + m_btnHeight2 - 1);
    }
}

wxTreeListMainWindow::RowMark wxTreeListMainWindow::GetRowMark(wxTreeListItem* item, bool fullRow,
                                                               const wxColour& background,
                                                               const wxColour& text) const
{
    RowMark mark;
    const wxColour hilightText = m_selectFontColour.IsOk()
                                     ? m_selectFontColour
                                     : wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    mark.brush = wxBrush(background, wxBRUSHSTYLE_SOLID);
    mark.pen = *wxTRANSPARENT_PEN;
    mark.text = text;
    if (item == m_dragItem)
    {
        mark.brush = *m_hilightBrush;
        mark.pen = *wxBLACK_PEN;
        mark.text = hilightText;
    }
    else if (item->IsSelected())
    {
        if (m_hasFocus && !m_isDragging)
        {
            mark.brush = *m_hilightBrush;
            mark.pen = fullRow && m_selectPen ? *m_selectPen : *wxBLACK_PEN;
        }
        else
        {
            mark.brush = *m_hilightUnfocusedBrush;
            mark.pen = fullRow && m_unfocusSelectPen ? *m_unfocusSelectPen : *wxTRANSPARENT_PEN;
        }
        mark.text = hilightText;
    }
    else if (item == m_current)
    {
        mark.pen = m_hasFocus ? *wxBLACK_PEN : *wxTRANSPARENT_PEN;
        mark.text = *wxBLACK;
    }
    return mark;
}

void wxTreeListMainWindow::PaintItem(wxTreeListItem* item, wxDC& dc, TextSizes* sizes)
{
    wxTreeListHeaderWindow* header = GetHeader();
    if (!header)
        return;
    SetFontIfChanged(dc, GetItemFontFor(item));
    const wxTreeItemAttr* attr = item->GetAttributes();
    const wxColour textColour = attr && attr->HasTextColour() ? attr->GetTextColour() : GetForegroundColour();
    const wxColour background =
        attr && attr->HasBackgroundColour() ? attr->GetBackgroundColour() : GetBackgroundColour();
    const int markOffset = HasFlag(wxTR_ROW_LINES) ? 1 : 0;
    const int h = GetLineHeight(item);
    const int top = item->GetY();
    const int total = header->GetWidth();
    const bool fullRow = HasFlag(wxTR_HIDE_ROOT_FULL_ROW);
    const RowMark mark = GetRowMark(item, fullRow, background, textColour);

    // Rows that look like the window need no mark of their own.
    const bool plain =
        mark.pen.GetStyle() == wxPENSTYLE_TRANSPARENT && mark.brush.GetColour() == GetBackgroundColour();
    if (fullRow && !plain)
    {
        dc.SetBrush(mark.brush);
        dc.SetPen(mark.pen);
        dc.DrawRectangle(0, top + markOffset, total, h - markOffset);
    }
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);

    const int imageOffset = wxMax(0, (h - m_imgHeight) / 2);
    int xCol = 0;
    for (int column = 0; column < GetColumnCount(); ++column)
    {
        const wxTreeListColumnInfo& info = header->GetColumn(column);
        if (!info.IsShown())
            continue;
        const int wCol = info.GetWidth();
        const bool isMain = column == m_main_column;

        const wxString text = item->GetText(column);
        wxSize textSize;
        if (!text.empty())
            textSize = sizes ? sizes->Get(dc, text) : dc.GetTextExtent(text);
        const int tw = textSize.x, th = textSize.y;

        int x, image = -1;
        if (isMain)
        {
            x = GetMainContentX(item);
            if (m_imageListNormal)
                image = item->GetCurrentImage();
        }
        else
        {
            x = xCol + kCellMargin;
            if (m_imageListNormal)
                image = item->GetImage(column);
        }
        const int iw = image != -1 ? m_imgWidth + kCellMargin : 0;
        x += AlignmentOffset(info.GetAlignment(), wCol - iw - tw - kCellMargin);
        const int textX = x + iw;
        if (isMain)
            item->SetTextX(textX);

        // Clip only cells whose contents would spill over their edges.
        const wxRect cell(xCol, top, wxMin(wCol, total - xCol), h);
        const bool clip = x < cell.x || textX + tw > cell.GetRight() + 1;
        if (clip)
            dc.SetClippingRegion(cell);
        if (isMain && !fullRow && !plain)
        {
            dc.SetBrush(mark.brush);
            dc.SetPen(mark.pen);
            dc.DrawRectangle(textX, top + markOffset, tw, h - markOffset);
        }
        if (image != -1)
            m_imageListNormal->Draw(image, dc, x, top + imageOffset, wxIMAGELIST_DRAW_TRANSPARENT);
        if (!text.empty())
        {
            SetTextColourIfChanged(dc, isMain || fullRow ? mark.text : textColour);
            DrawLabelText(dc, text, textX, top + wxMax(0, (h - th) / 2));
        }
        if (clip)
            dc.DestroyClippingRegion();
        xCol += wCol;
    }
}

} // namespace kel
