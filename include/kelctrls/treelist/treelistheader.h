// The column caption strip above the items of the tree list control.
#ifndef KELCTRLS_TREELIST_TREELISTHEADER_H
#define KELCTRLS_TREELIST_TREELISTHEADER_H

#include <kelctrls/treelist/treelistitem.h>

#include <wx/window.h>

class WXDLLIMPEXP_FWD_CORE wxCursor;

namespace kel
{

class KELCTRLS_API wxTreeListHeaderWindow : public wxWindow
{
public:
    wxTreeListHeaderWindow();
    wxTreeListHeaderWindow(wxWindow* win, wxWindowID id, wxTreeListMainWindow* owner,
                           const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                           long style = 0, const wxString& name = wxT("wxtreelistctrlcolumntitles"));
    virtual ~wxTreeListHeaderWindow();

    void DoDrawRect(wxDC* dc, int x, int y, int w, int h);
    void DrawCurrent();
    void AdjustDC(wxDC& dc);

    // total width of all columns, shown or not
    int GetWidth() const { return m_total_col_width; }

    size_t GetColumnCount() const { return m_columns.GetCount(); }
    void AddColumn(const wxTreeListColumnInfo& column);
    void InsertColumn(int before, const wxTreeListColumnInfo& column);
    void RemoveColumn(int column);

    const wxTreeListColumnInfo& GetColumn(int column) const;
    wxTreeListColumnInfo& GetColumn(int column);
    void SetColumn(int column, const wxTreeListColumnInfo& info);

    wxString GetColumnText(int column) const { return GetColumn(column).GetText(); }
    void SetColumnText(int column, const wxString& text);
    int GetColumnAlignment(int column) const { return GetColumn(column).GetAlignment(); }
    void SetColumnAlignment(int column, int flag);
    int GetColumnWidth(int column) const { return GetColumn(column).GetWidth(); }
    void SetColumnWidth(int column, int width);
    bool IsColumnEditable(int column) const { return GetColumn(column).IsEditable(); }
    bool IsColumnShown(int column) const { return GetColumn(column).IsShown(); }

    // Left edge of a column and the x just past the last shown column, both
    // in unscrolled coordinates; hidden columns take no room.
    int GetColumnLeft(int column) const;

    bool IsDragging() const { return m_isDragging; }
    // x of the resize line while dragging, unscrolled
    int GetCurrentX() const { return m_currentX; }
    bool IsDirty() const { return m_dirty; }

protected:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnMouseCaptureLost(wxMouseCaptureLostEvent& event);
    void OnSetFocus(wxFocusEvent& event);

private:
    void Init();
    bool IsValidColumn(int column) const { return column >= 0 && column < (int)GetColumnCount(); }
    void ColumnsChanged();
    void SendListEvent(wxEventType type, const wxPoint& pos);
    void SetCursorIfChanged(const wxCursor* cursor);
    void FitColumn();
    // Finds the column under mx; returns true when mx is on its right border.
    bool FindColumnAt(int mx, int my);

    wxTreeListMainWindow* m_owner;
    const wxCursor* m_currentCursor;
    wxCursor* m_resizeCursor;
    bool m_isDragging;
    int m_column;
    int m_currentX;
    int m_minX;
    wxArrayTreeListColumnInfo m_columns;
    int m_total_col_width;
    bool m_dirty;

    wxDECLARE_DYNAMIC_CLASS(wxTreeListHeaderWindow);
    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(wxTreeListHeaderWindow);
};

} // namespace kel

#endif // KELCTRLS_TREELIST_TREELISTHEADER_H
