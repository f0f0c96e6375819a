// The caption strip of the tree list control: drawing, resizing, clicks.
#include <kelctrls/treelist/treelistheader.h>
#include <kelctrls/treelist/treelistmainwindow.h>

#include <wx/cursor.h>
#include <wx/dcclient.h>
#include <wx/imaglist.h>
#include <wx/listbase.h>
#include <wx/settings.h>

namespace kel
{

namespace
{
const int kBorderSlack = 3;    // a press this close to a border grabs it
const int kBorderMaxY = 22;    // borders can be grabbed only above this y
const int kMinColumnWidth = 7; // a drag never makes a column narrower
const int kLineWidth = 2;      // width of the resize line
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(wxTreeListHeaderWindow, wxWindow);

// clang-format off
wxBEGIN_EVENT_TABLE(wxTreeListHeaderWindow, wxWindow)
    EVT_PAINT(wxTreeListHeaderWindow::OnPaint)
    EVT_MOUSE_EVENTS(wxTreeListHeaderWindow::OnMouse)
    EVT_MOUSE_CAPTURE_LOST(wxTreeListHeaderWindow::OnMouseCaptureLost)
    EVT_SET_FOCUS(wxTreeListHeaderWindow::OnSetFocus)
wxEND_EVENT_TABLE()
// clang-format on

void wxTreeListHeaderWindow::Init()
{
    m_owner = nullptr;
    m_currentCursor = nullptr;
    m_resizeCursor = nullptr;
    m_isDragging = false;
    m_column = 0;
    m_currentX = 0;
    m_minX = 0;
    m_total_col_width = 0;
    m_dirty = false;
}

wxTreeListHeaderWindow::wxTreeListHeaderWindow()
{
    Init();
}

wxTreeListHeaderWindow::wxTreeListHeaderWindow(wxWindow* win, wxWindowID id, wxTreeListMainWindow* owner,
                                               const wxPoint& pos, const wxSize& size, long style,
                                               const wxString& name)
    : wxWindow(win, id, pos, size, style, name)
{
    Init();
    m_owner = owner;
    m_resizeCursor = new wxCursor(wxCURSOR_SIZEWE);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
}

wxTreeListHeaderWindow::~wxTreeListHeaderWindow()
{
    delete m_resizeCursor;
}

// ---- columns ---------------------------------------------------------------

const wxTreeListColumnInfo& wxTreeListHeaderWindow::GetColumn(int column) const
{
    if (!IsValidColumn(column))
        return wxTreeListColumnInfo::GetDefault();
    return m_columns[column];
}

wxTreeListColumnInfo& wxTreeListHeaderWindow::GetColumn(int column)
{
    if (!IsValidColumn(column))
        return const_cast<wxTreeListColumnInfo&>(wxTreeListColumnInfo::GetDefault());
    return m_columns[column];
}

void wxTreeListHeaderWindow::ColumnsChanged()
{
    if (!m_owner)
        return;
    m_owner->AdjustMyScrollbars();
    m_owner->MarkDirty();
}

void wxTreeListHeaderWindow::AddColumn(const wxTreeListColumnInfo& column)
{
    m_columns.Add(column);
    m_total_col_width += column.GetWidth();
    ColumnsChanged();
}

void wxTreeListHeaderWindow::InsertColumn(int before, const wxTreeListColumnInfo& column)
{
    if (!IsValidColumn(before))
        return;
    m_columns.Insert(column, (size_t)before);
    m_total_col_width += column.GetWidth();
    ColumnsChanged();
}

void wxTreeListHeaderWindow::RemoveColumn(int column)
{
    if (!IsValidColumn(column))
        return;
    m_total_col_width -= m_columns[column].GetWidth();
    m_columns.RemoveAt((size_t)column);
    ColumnsChanged();
}

void wxTreeListHeaderWindow::SetColumn(int column, const wxTreeListColumnInfo& info)
{
    if (!IsValidColumn(column))
        return;
    const int oldWidth = m_columns[column].GetWidth();
    m_columns[column] = info;
    if (oldWidth != info.GetWidth())
    {
        m_total_col_width += info.GetWidth() - oldWidth;
        if (m_owner)
            m_owner->AdjustMyScrollbars();
    }
    if (m_owner)
        m_owner->MarkDirty();
}

void wxTreeListHeaderWindow::SetColumnText(int column, const wxString& text)
{
    if (IsValidColumn(column))
        m_columns[column].SetText(text);
}

void wxTreeListHeaderWindow::SetColumnAlignment(int column, int flag)
{
    if (IsValidColumn(column))
        m_columns[column].SetAlignment(flag);
}

void wxTreeListHeaderWindow::SetColumnWidth(int column, int width)
{
    if (!IsValidColumn(column))
        return;
    m_total_col_width += width - m_columns[column].GetWidth();
    m_columns[column].SetWidth(width);
    if (!m_owner)
        return;
    m_owner->AdjustMyScrollbars();
    m_owner->MarkDirty();
    if (m_owner->GetEditControl())
        m_owner->GetEditControl()->Hide();
}

int wxTreeListHeaderWindow::GetColumnLeft(int column) const
{
    int x = 0;
    for (int i = 0; i < column && i < (int)GetColumnCount(); ++i)
    {
        if (m_columns[i].IsShown())
            x += m_columns[i].GetWidth();
    }
    return x;
}

// ---- drawing ---------------------------------------------------------------

void wxTreeListHeaderWindow::DoDrawRect(wxDC* dc, int x, int y, int w, int h)
{
    dc->SetBrush(*wxTRANSPARENT_BRUSH);

    dc->SetPen(*wxBLACK_PEN);
    dc->DrawLine(x + w, y, x + w, y + h);
    dc->DrawRectangle(x, y + h, w + 1, 1);

    dc->SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW), 1, wxPENSTYLE_SOLID));
    dc->DrawLine(x + w - 1, y, x + w - 1, y + h);
    dc->DrawRectangle(x + 1, y + h - 1, w - 2, 1);

    dc->SetPen(*wxWHITE_PEN);
    dc->DrawRectangle(x, y, w, 1);
    dc->DrawRectangle(x, y, 1, h);
    dc->DrawLine(x, y + h - 1, x + 1, y + h - 1);
    dc->DrawLine(x + w - 1, y, x + w - 1, y + 1);
}

void wxTreeListHeaderWindow::AdjustDC(wxDC& dc)
{
    if (!m_owner)
        return;
    int xpix;
    m_owner->GetScrollPixelsPerUnit(&xpix, nullptr);
    int x;
    m_owner->GetViewStart(&x, nullptr);
    dc.SetDeviceOrigin(-x * xpix, 0);
}

// The resize line is drawn by the paint handlers of the header and the item
// window while a drag runs; this invalidates the band it covers.
void wxTreeListHeaderWindow::DrawCurrent()
{
    int x = m_currentX;
    if (m_owner)
        m_owner->CalcScrolledPosition(m_currentX, 0, &x, nullptr);
    const wxRect band(x - kLineWidth, 0, 2 * kLineWidth + 1, GetClientSize().y);
    RefreshRect(band, false);
    if (m_owner)
        m_owner->RefreshRect(wxRect(band.x, 0, band.width, m_owner->GetClientSize().y), false);
}

void wxTreeListHeaderWindow::OnPaint(wxPaintEvent& WXUNUSED(event))
{
    wxPaintDC dc(this);
    PrepareDC(dc);
    AdjustDC(dc);
    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));

    int w, h;
    GetClientSize(&w, &h);
    if (m_owner)
        m_owner->CalcUnscrolledPosition(w, 0, &w, nullptr);

    wxImageList* images = m_owner ? m_owner->GetImageList() : nullptr;
    int x = 1;
    for (size_t i = 0; i < GetColumnCount() && x < w; ++i)
    {
        const wxTreeListColumnInfo& column = m_columns[i];
        if (!column.IsShown())
            continue;
        const int cw = column.GetWidth() - 2;
        DoDrawRect(&dc, x, 1, cw, h - 2);

        const int image = column.GetImage();
        int iw = -2, ih = 0;
        if (image != -1 && images)
            images->GetSize(image, iw, ih);

        int tw, th;
        dc.GetTextExtent(column.GetText(), &tw, &th);
        int textX, imageX;
        switch (column.GetAlignment())
        {
        case wxALIGN_RIGHT:
            textX = x + (cw - tw) - 6;
            imageX = x;
            break;
        case wxALIGN_CENTER:
            textX = x + (cw - tw) / 2 + iw + 2;
            imageX = x + ((cw - tw - iw) - 2) / 2 - 2;
            break;
        default:
            textX = x + 4;
            imageX = x + (cw - iw) - 1;
            break;
        }

        if (image != -1 && images)
            images->Draw(image, dc, imageX, (h - ih - 4) / 2 + 1, wxIMAGELIST_DRAW_TRANSPARENT);

        dc.SetClippingRegion(x, 1, cw, h - 4);
        dc.DrawText(column.GetText(), textX, 5);
        dc.DestroyClippingRegion();
        x += column.GetWidth();
    }

    if (w > x + 1)
        DoDrawRect(&dc, x, 1, w - x - 1, h - 2);

    if (m_isDragging)
    {
        dc.SetPen(wxPen(*wxBLACK, kLineWidth));
        dc.DrawLine(m_currentX, 0, m_currentX, h);
    }
}

// ---- mouse -----------------------------------------------------------------

// Another window took the mouse in the middle of a resize: the column keeps
// its width.
void wxTreeListHeaderWindow::OnMouseCaptureLost(wxMouseCaptureLostEvent& WXUNUSED(event))
{
    m_isDragging = false;
    Refresh();
}

bool wxTreeListHeaderWindow::FindColumnAt(int mx, int my)
{
    m_minX = 0;
    int xpos = 0;
    m_column = -1;
    for (int col = 0; col < (int)GetColumnCount(); ++col)
    {
        if (!m_columns[col].IsShown())
            continue;
        xpos += m_columns[col].GetWidth();
        m_column = col;
        if (abs(mx - xpos) < kBorderSlack && my < kBorderMaxY)
            return true;
        if (mx < xpos)
            return false;
        m_minX = xpos;
    }
    m_column = -1; // right of the last column
    return false;
}

void wxTreeListHeaderWindow::OnMouse(wxMouseEvent& event)
{
    int mx = event.GetX();
    if (m_owner)
        m_owner->CalcUnscrolledPosition(event.GetX(), 0, &mx, nullptr);
    const int my = event.GetY();

    if (m_isDragging)
    {
        SendListEvent(wxEVT_LIST_COL_DRAGGING, event.GetPosition());
        int limit = GetClientSize().x;
        if (m_owner)
            m_owner->CalcUnscrolledPosition(limit, 0, &limit, nullptr);
        limit -= 6;
        if (m_currentX < limit)
            DrawCurrent();
        // GTK delivers a second press before the double-click, which started
        // a drag again: a double-click on a border still fits the column.
        if (event.LeftDClick())
        {
            m_isDragging = false;
            if (HasCapture())
                ReleaseMouse();
            FitColumn();
            return;
        }
        if (event.ButtonUp())
        {
            m_isDragging = false;
            if (HasCapture())
                ReleaseMouse();
            m_dirty = true;
            SetColumnWidth(m_column, m_currentX - m_minX);
            Refresh();
            SendListEvent(wxEVT_LIST_COL_END_DRAG, event.GetPosition());
            return;
        }
        m_currentX = wxMax(m_minX + kMinColumnWidth, mx);
        if (m_currentX < limit)
            DrawCurrent();
        return;
    }

    const bool onBorder = FindColumnAt(mx, my);
    if (event.LeftDown() && onBorder)
    {
        m_isDragging = true;
        CaptureMouse();
        m_currentX = mx;
        DrawCurrent();
        SendListEvent(wxEVT_LIST_COL_BEGIN_DRAG, event.GetPosition());
        return;
    }
    if (m_column >= 0 && !onBorder)
    {
        if (event.LeftDown())
            SendListEvent(wxEVT_LIST_COL_CLICK, event.GetPosition());
        else if (event.RightUp())
            SendListEvent(wxEVT_LIST_COL_RIGHT_CLICK, event.GetPosition());
    }
    if (event.LeftDClick() && onBorder)
        FitColumn();
    if (event.Moving())
        SetCursorIfChanged(onBorder ? m_resizeCursor : wxSTANDARD_CURSOR);
}

void wxTreeListHeaderWindow::FitColumn()
{
    if (!m_owner)
        return;
    SetColumnWidth(m_column, m_owner->GetBestColumnWidth(m_column));
    Refresh();
}

void wxTreeListHeaderWindow::SetCursorIfChanged(const wxCursor* cursor)
{
    if (m_currentCursor == cursor)
        return;
    m_currentCursor = cursor;
    SetCursor(*cursor);
}

void wxTreeListHeaderWindow::SendListEvent(wxEventType type, const wxPoint& pos)
{
    wxWindow* parent = GetParent();
    if (!parent)
        return;
    wxListEvent event(type, parent->GetId());
    event.SetEventObject(parent);
    event.m_pointDrag = pos;
    event.m_pointDrag.y -= GetClientSize().y;
    event.m_col = m_column;
    parent->GetEventHandler()->ProcessEvent(event);
}

void wxTreeListHeaderWindow::OnSetFocus(wxFocusEvent& WXUNUSED(event))
{
    if (m_owner)
        m_owner->SetFocus();
}

} // namespace kel
