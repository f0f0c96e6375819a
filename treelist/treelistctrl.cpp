// The tree list control: a header above an item window, and the calls the
// client makes, most of which go on to one of the two.
#include <kelctrls/treelistctrl.h>

#include <wx/msgdlg.h>

namespace kel
{

const char wxTreeListCtrlNameStr[] = "treelistctrl";

namespace
{
// Border styles are drawn by the control, never by the item window.
const long kBorderBits = 0x1F000000;
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(wxTreeListCtrl, wxControl);

// clang-format off
wxBEGIN_EVENT_TABLE(wxTreeListCtrl, wxControl)
    EVT_SIZE(wxTreeListCtrl::OnSize)
    EVT_CONTEXT_MENU(wxTreeListCtrl::OnContextMenu)
    EVT_PAINT(wxTreeListCtrl::OnPaint)
    EVT_ERASE_BACKGROUND(wxTreeListCtrl::OnEraseBackground)
wxEND_EVENT_TABLE()
// clang-format on

wxTreeListCtrl::wxTreeListCtrl() : m_header_win(nullptr), m_main_win(nullptr), m_headerHeight(0) {}

wxTreeListCtrl::wxTreeListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                               long style, const wxValidator& validator, const wxString& name)
    : m_header_win(nullptr), m_main_win(nullptr), m_headerHeight(0)
{
    Create(parent, id, pos, size, style, validator, name);
}

wxTreeListCtrl::~wxTreeListCtrl() {}

bool wxTreeListCtrl::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                            long style, const wxValidator& validator, const wxString& name)
{
    if (!wxControl::Create(parent, id, pos, size, style & ~(long)(wxHSCROLL | wxVSCROLL), validator, name))
        return false;

    m_main_win = new wxTreeListMainWindow;
    if (!m_main_win->Create(this, -1, wxPoint(0, 0), size, style & ~kBorderBits, validator,
                            wxT("wxtreelistmainwindow")))
    {
        delete m_main_win;
        m_main_win = nullptr;
        wxMessageBox(wxT("创建树视图失败!"), wxMessageBoxCaptionStr, wxOK | wxCENTRE);
    }

    m_header_win =
        new wxTreeListHeaderWindow(this, -1, m_main_win, wxPoint(0, 0), wxDefaultSize, wxTAB_TRAVERSAL);
    if (style & wxTR_HIDE_HEADER)
        m_header_win->Hide();
    else
        CalculateAndSetHeaderHeight();
    DoHeaderLayout();
    return true;
}

void wxTreeListCtrl::CalculateAndSetHeaderHeight()
{
    if (!m_header_win)
        return;
    int w, h, d;
    m_header_win->GetTextExtent(wxT("Hg"), &w, &h, &d);
    const int height = h + d + 6;
    if (height != m_headerHeight)
    {
        m_headerHeight = height;
        DoHeaderLayout();
    }
}

void wxTreeListCtrl::DoHeaderLayout()
{
    int w, h;
    GetClientSize(&w, &h);
    if (m_header_win)
    {
        m_header_win->SetSize(0, 0, w, m_headerHeight);
        m_header_win->Refresh();
    }
    if (m_main_win)
        m_main_win->SetSize(0, m_headerHeight + 1, w, wxMax(0, h - m_headerHeight - 1));
}

void wxTreeListCtrl::OnSize(wxSizeEvent& WXUNUSED(event))
{
    DoHeaderLayout();
}

void wxTreeListCtrl::OnPaint(wxPaintEvent& event)
{
    event.Skip();
}

void wxTreeListCtrl::OnEraseBackground(wxEraseEvent& event)
{
    event.Skip();
}

void wxTreeListCtrl::OnContext(wxContextMenuEvent& WXUNUSED(event)) {}

wxSize wxTreeListCtrl::DoGetBestSize() const
{
    return wxSize(200, 200);
}

// ---- columns -----------------------------------------------------------------

size_t wxTreeListCtrl::GetColumnCount() const
{
    return m_header_win ? m_header_win->GetColumnCount() : 0;
}

void wxTreeListCtrl::AddColumn(const wxString& text, int width, int flag, int image, bool shown, bool edit)
{
    AddColumn(wxTreeListColumnInfo(text, width, flag, image, shown, edit));
}

void wxTreeListCtrl::AddColumn(const wxTreeListColumnInfo& column)
{
    if (!m_header_win)
        return;
    m_header_win->AddColumn(column);
    DoHeaderLayout();
}

void wxTreeListCtrl::InsertColumn(int before, const wxString& text, int width, int flag, int image,
                                  bool shown, bool edit)
{
    InsertColumn(before, wxTreeListColumnInfo(text, width, flag, image, shown, edit));
}

void wxTreeListCtrl::InsertColumn(int before, const wxTreeListColumnInfo& column)
{
    if (!m_header_win)
        return;
    m_header_win->InsertColumn(before, column);
    m_header_win->Refresh();
}

void wxTreeListCtrl::RemoveColumn(int column)
{
    if (!m_header_win)
        return;
    m_header_win->RemoveColumn(column);
    m_header_win->Refresh();
}

void wxTreeListCtrl::SetColumn(int column, const wxTreeListColumnInfo& info)
{
    if (!m_header_win)
        return;
    m_header_win->SetColumn(column, info);
    m_header_win->Refresh();
}

const wxTreeListColumnInfo& wxTreeListCtrl::GetColumn(int column) const
{
    return m_header_win ? m_header_win->GetColumn(column) : wxTreeListColumnInfo::GetDefault();
}

wxTreeListColumnInfo& wxTreeListCtrl::GetColumn(int column)
{
    if (!m_header_win)
        return const_cast<wxTreeListColumnInfo&>(wxTreeListColumnInfo::GetDefault());
    return m_header_win->GetColumn(column);
}

void wxTreeListCtrl::SetColumnWidth(int column, int width)
{
    if (!m_header_win)
        return;
    m_header_win->SetColumnWidth(column, width);
    m_header_win->Refresh();
}

int wxTreeListCtrl::GetColumnWidth(int column) const
{
    return GetColumn(column).GetWidth();
}

void wxTreeListCtrl::SetColumnText(int column, const wxString& text)
{
    if (!m_header_win)
        return;
    m_header_win->SetColumnText(column, text);
    m_header_win->Refresh();
}

wxString wxTreeListCtrl::GetColumnText(int column) const
{
    return GetColumn(column).GetText();
}

bool wxTreeListCtrl::IsValidColumn(int column) const
{
    return column >= 0 && column < (int)GetColumnCount();
}

void wxTreeListCtrl::SetColumnImage(int column, int image)
{
    if (!IsValidColumn(column))
        return;
    wxTreeListColumnInfo info(GetColumn(column));
    SetColumn(column, info.SetImage(image));
}

int wxTreeListCtrl::GetColumnImage(int column) const
{
    return GetColumn(column).GetImage();
}

void wxTreeListCtrl::SetColumnAlignment(int column, int flag)
{
    if (!IsValidColumn(column))
        return;
    wxTreeListColumnInfo info(GetColumn(column));
    SetColumn(column, info.SetAlignment(flag));
}

int wxTreeListCtrl::GetColumnAlignment(int column) const
{
    return GetColumn(column).GetAlignment();
}

void wxTreeListCtrl::SetColumnShown(int column, bool shown)
{
    if (!IsValidColumn(column))
        return;
    wxTreeListColumnInfo info(GetColumn(column));
    SetColumn(column, info.SetShown(column == GetMainColumn() ? true : shown));
}

bool wxTreeListCtrl::IsColumnShown(int column) const
{
    return GetColumn(column).IsShown();
}

void wxTreeListCtrl::SetColumnEditable(int column, bool edit)
{
    if (!IsValidColumn(column) || !m_header_win)
        return;
    wxTreeListColumnInfo info(GetColumn(column));
    m_header_win->SetColumn(column, info.SetEditable(edit));
}

bool wxTreeListCtrl::IsColumnEditable(int column) const
{
    return GetColumn(column).IsEditable();
}

void wxTreeListCtrl::SetMainColumn(int column)
{
    if (m_main_win && IsValidColumn(column))
        m_main_win->SetMainColumn(column);
}

int wxTreeListCtrl::GetMainColumn() const
{
    return m_main_win ? m_main_win->GetMainColumn() : 0;
}

// ---- window ------------------------------------------------------------------

void wxTreeListCtrl::Refresh(bool erase, const wxRect* rect)
{
    if (m_main_win)
        m_main_win->Refresh(erase, rect);
    if (m_header_win)
        m_header_win->Refresh(erase, rect);
}

bool wxTreeListCtrl::SetBackgroundColour(const wxColour& colour)
{
    return m_main_win && m_main_win->SetBackgroundColour(colour);
}

bool wxTreeListCtrl::SetForegroundColour(const wxColour& colour)
{
    return m_main_win && m_main_win->SetForegroundColour(colour);
}

bool wxTreeListCtrl::SetFont(const wxFont& font)
{
    if (m_header_win)
    {
        m_header_win->SetFont(font);
        // A hidden header keeps no room above the items.
        if (m_header_win->IsShown())
            CalculateAndSetHeaderHeight();
        m_header_win->Refresh();
    }
    return m_main_win && m_main_win->SetFont(font);
}

void wxTreeListCtrl::SetWindowStyleFlag(long style)
{
    if (m_main_win)
        m_main_win->SetWindowStyleFlag(style);
    m_windowStyle = style;
}

long wxTreeListCtrl::GetWindowStyleFlag() const
{
    long style = m_windowStyle;
    if (m_main_win)
        style |= m_main_win->GetWindowStyleFlag();
    return style;
}

void wxTreeListCtrl::SetFocus()
{
    if (m_main_win)
        m_main_win->SetFocus();
}

// ---- items with behaviour of their own ---------------------------------------

wxTreeItemId wxTreeListCtrl::GetNext(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetNext(item, true) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetPrev(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetPrev(item, true) : wxTreeItemId();
}

wxTextCtrl* wxTreeListCtrl::EditLabel(const wxTreeItemId& item)
{
    return EditLabel(item, GetMainColumn());
}

void wxTreeListCtrl::PositionItem(const wxTreeItemId& item, const wxTreeItemId& lastItem, bool unselectOthers)
{
    if (!m_main_win)
        return;
    m_main_win->SelectItem(item, lastItem, unselectOthers);
    m_main_win->SetCurItem(static_cast<wxTreeListItem*>(item.GetID()));
}

wxTreeItemId wxTreeListCtrl::HitTest(const wxPoint& pos)
{
    int flags, column;
    return HitTest(pos, flags, column);
}

wxTreeItemId wxTreeListCtrl::HitTest(const wxPoint& pos, int& flags)
{
    int column;
    return HitTest(pos, flags, column);
}

wxTreeItemId wxTreeListCtrl::HitTest(const wxPoint& pos, int& flags, int& column)
{
    flags = 0;
    column = -1;
    if (!m_main_win)
        return wxTreeItemId();
    return m_main_win->HitTest(m_main_win->ScreenToClient(ClientToScreen(pos)), flags, column);
}

wxString wxTreeListCtrl::OnGetItemText(wxTreeItemData* WXUNUSED(item), long WXUNUSED(column)) const
{
    return wxEmptyString;
}

int wxTreeListCtrl::OnCompareItems(const wxTreeItemId& item1, const wxTreeItemId& item2)
{
    wxTreeListItem* first = wxTreeListItem::FromId(item1);
    wxTreeListItem* second = wxTreeListItem::FromId(item2);
    if (!first || !second)
        return GetItemText(item1).compare(GetItemText(item2));
    return first->CompareText(GetMainColumn(), *second);
}

// ---- forwarding to the item window -----------------------------------------

size_t wxTreeListCtrl::GetCount() const
{
    return m_main_win ? m_main_win->GetCount() : 0;
}

unsigned int wxTreeListCtrl::GetIndent() const
{
    return m_main_win ? m_main_win->GetIndent() : 0;
}

void wxTreeListCtrl::SetIndent(unsigned int indent)
{
    if (m_main_win)
        m_main_win->SetIndent(indent);
}

unsigned int wxTreeListCtrl::GetLineSpacing() const
{
    return m_main_win ? m_main_win->GetLineSpacing() : 0;
}

void wxTreeListCtrl::SetLineSpacing(unsigned int spacing)
{
    if (m_main_win)
        m_main_win->SetLineSpacing(spacing);
}

wxImageList* wxTreeListCtrl::GetImageList() const
{
    return m_main_win ? m_main_win->GetImageList() : nullptr;
}

wxImageList* wxTreeListCtrl::GetStateImageList() const
{
    return m_main_win ? m_main_win->GetStateImageList() : nullptr;
}

wxImageList* wxTreeListCtrl::GetButtonsImageList() const
{
    return m_main_win ? m_main_win->GetButtonsImageList() : nullptr;
}

void wxTreeListCtrl::SetImageList(wxImageList* imageList)
{
    if (m_main_win)
        m_main_win->SetImageList(imageList);
}

void wxTreeListCtrl::SetStateImageList(wxImageList* imageList)
{
    if (m_main_win)
        m_main_win->SetStateImageList(imageList);
}

void wxTreeListCtrl::SetButtonsImageList(wxImageList* imageList)
{
    if (m_main_win)
        m_main_win->SetButtonsImageList(imageList);
}

void wxTreeListCtrl::AssignImageList(wxImageList* imageList)
{
    if (m_main_win)
        m_main_win->AssignImageList(imageList);
}

void wxTreeListCtrl::AssignStateImageList(wxImageList* imageList)
{
    if (m_main_win)
        m_main_win->AssignStateImageList(imageList);
}

void wxTreeListCtrl::AssignButtonsImageList(wxImageList* imageList)
{
    if (m_main_win)
        m_main_win->AssignButtonsImageList(imageList);
}

void wxTreeListCtrl::SetSelectItemColour(const wxColour& fill, const wxColour& border)
{
    if (m_main_win)
        m_main_win->SetSelectItemColour(fill, border);
}

void wxTreeListCtrl::SetUnFocusSelectItemColour(const wxColour& fill, const wxColour& border)
{
    if (m_main_win)
        m_main_win->SetUnFocusSelectItemColour(fill, border);
}

void wxTreeListCtrl::SetSelectFontColour(const wxColour& colour)
{
    if (m_main_win)
        m_main_win->SetSelectFontColour(colour);
}

wxString wxTreeListCtrl::GetItemText(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetItemText(item) : wxString();
}

wxString wxTreeListCtrl::GetItemText(const wxTreeItemId& item, int column) const
{
    return m_main_win ? m_main_win->GetItemText(item, column) : wxString();
}

int wxTreeListCtrl::GetItemImage(const wxTreeItemId& item, wxTreeItemIcon which) const
{
    return m_main_win ? m_main_win->GetItemImage(item, which) : -1;
}

int wxTreeListCtrl::GetItemImage(const wxTreeItemId& item, int column, wxTreeItemIcon which) const
{
    return m_main_win ? m_main_win->GetItemImage(item, column, which) : -1;
}

wxTreeItemData* wxTreeListCtrl::GetItemData(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetItemData(item) : nullptr;
}

bool wxTreeListCtrl::IsBold(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->IsBold(item) : false;
}

wxColour wxTreeListCtrl::GetItemTextColour(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetItemTextColour(item) : wxNullColour;
}

wxColour wxTreeListCtrl::GetItemBackgroundColour(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetItemBackgroundColour(item) : wxNullColour;
}

wxFont wxTreeListCtrl::GetItemFont(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetItemFont(item) : wxNullFont;
}

void wxTreeListCtrl::SetItemText(const wxTreeItemId& item, const wxString& text)
{
    if (m_main_win)
        m_main_win->SetItemText(item, text);
}

void wxTreeListCtrl::SetItemText(const wxTreeItemId& item, int column, const wxString& text)
{
    if (m_main_win)
        m_main_win->SetItemText(item, column, text);
}

void wxTreeListCtrl::SetItemImage(const wxTreeItemId& item, int image, wxTreeItemIcon which)
{
    if (m_main_win)
        m_main_win->SetItemImage(item, image, which);
}

void wxTreeListCtrl::SetItemImage(const wxTreeItemId& item, int column, int image, wxTreeItemIcon which)
{
    if (m_main_win)
        m_main_win->SetItemImage(item, column, image, which);
}

void wxTreeListCtrl::SetItemData(const wxTreeItemId& item, wxTreeItemData* data)
{
    if (m_main_win)
        m_main_win->SetItemData(item, data);
}

void wxTreeListCtrl::SetItemHasChildren(const wxTreeItemId& item, bool has)
{
    if (m_main_win)
        m_main_win->SetItemHasChildren(item, has);
}

void wxTreeListCtrl::SetItemBold(const wxTreeItemId& item, bool bold)
{
    if (m_main_win)
        m_main_win->SetItemBold(item, bold);
}

void wxTreeListCtrl::SetItemTextColour(const wxTreeItemId& item, const wxColour& colour)
{
    if (m_main_win)
        m_main_win->SetItemTextColour(item, colour);
}

void wxTreeListCtrl::SetItemBackgroundColour(const wxTreeItemId& item, const wxColour& colour)
{
    if (m_main_win)
        m_main_win->SetItemBackgroundColour(item, colour);
}

void wxTreeListCtrl::SetItemFont(const wxTreeItemId& item, const wxFont& font)
{
    if (m_main_win)
        m_main_win->SetItemFont(item, font);
}

bool wxTreeListCtrl::IsVisible(const wxTreeItemId& item, bool fullRow) const
{
    return m_main_win ? m_main_win->IsVisible(item, fullRow) : false;
}

bool wxTreeListCtrl::HasChildren(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->HasChildren(item) : false;
}

bool wxTreeListCtrl::IsExpanded(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->IsExpanded(item) : false;
}

bool wxTreeListCtrl::IsSelected(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->IsSelected(item) : false;
}

size_t wxTreeListCtrl::GetChildrenCount(const wxTreeItemId& item, bool recursively) const
{
    return m_main_win ? m_main_win->GetChildrenCount(item, recursively) : 0;
}

wxTreeItemId wxTreeListCtrl::GetRootItem() const
{
    return m_main_win ? m_main_win->GetRootItem() : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetSelection() const
{
    return m_main_win ? m_main_win->GetSelection() : wxTreeItemId();
}

size_t wxTreeListCtrl::GetSelections(wxArrayTreeItemIds& selections) const
{
    return m_main_win ? m_main_win->GetSelections(selections) : 0;
}

wxTreeItemId wxTreeListCtrl::GetItemParent(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetItemParent(item) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetFirstChild(const wxTreeItemId& item, long& cookie) const
{
    return m_main_win ? m_main_win->GetFirstChild(item, cookie) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetNextChild(const wxTreeItemId& item, long& cookie) const
{
    return m_main_win ? m_main_win->GetNextChild(item, cookie) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetPrevChild(const wxTreeItemId& item, long& cookie) const
{
    return m_main_win ? m_main_win->GetPrevChild(item, cookie) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetLastChild(const wxTreeItemId& item, long& cookie) const
{
    return m_main_win ? m_main_win->GetLastChild(item, cookie) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetNextSibling(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetNextSibling(item) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetPrevSibling(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetPrevSibling(item) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetFirstExpandedItem() const
{
    return m_main_win ? m_main_win->GetFirstExpandedItem() : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetNextExpanded(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetNextExpanded(item) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetPrevExpanded(const wxTreeItemId& item) const
{
    return m_main_win ? m_main_win->GetPrevExpanded(item) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetFirstVisibleItem(bool fullRow) const
{
    return m_main_win ? m_main_win->GetFirstVisibleItem(fullRow) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetNextVisible(const wxTreeItemId& item, bool fullRow) const
{
    return m_main_win ? m_main_win->GetNextVisible(item, fullRow) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::GetPrevVisible(const wxTreeItemId& item, bool fullRow) const
{
    return m_main_win ? m_main_win->GetPrevVisible(item, fullRow) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::AddRoot(const wxString& text, int image, int selectedImage, wxTreeItemData* data)
{
    return m_main_win ? m_main_win->AddRoot(text, image, selectedImage, data) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::PrependItem(const wxTreeItemId& parent, const wxString& text, int image,
                                         int selectedImage, wxTreeItemData* data)
{
    return m_main_win ? m_main_win->PrependItem(parent, text, image, selectedImage, data) : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::InsertItem(const wxTreeItemId& parent, const wxTreeItemId& idPrevious,
                                        const wxString& text, int image, int selectedImage,
                                        wxTreeItemData* data)
{
    return m_main_win ? m_main_win->InsertItem(parent, idPrevious, text, image, selectedImage, data)
                      : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::InsertItem(const wxTreeItemId& parent, size_t index, const wxString& text,
                                        int image, int selectedImage, wxTreeItemData* data)
{
    return m_main_win ? m_main_win->InsertItem(parent, index, text, image, selectedImage, data)
                      : wxTreeItemId();
}

wxTreeItemId wxTreeListCtrl::AppendItem(const wxTreeItemId& parent, const wxString& text, int image,
                                        int selectedImage, wxTreeItemData* data)
{
    return m_main_win ? m_main_win->AppendItem(parent, text, image, selectedImage, data) : wxTreeItemId();
}

void wxTreeListCtrl::Delete(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->Delete(item);
}

void wxTreeListCtrl::DeleteChildren(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->DeleteChildren(item);
}

void wxTreeListCtrl::DeleteRoot()
{
    if (m_main_win)
        m_main_win->DeleteRoot();
}

void wxTreeListCtrl::Expand(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->Expand(item);
}

void wxTreeListCtrl::ExpandAll(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->ExpandAll(item);
}

void wxTreeListCtrl::Collapse(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->Collapse(item);
}

void wxTreeListCtrl::CollapseAndReset(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->CollapseAndReset(item);
}

void wxTreeListCtrl::Toggle(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->Toggle(item);
}

void wxTreeListCtrl::Move(const wxTreeItemId& item, const wxTreeItemId& newParent)
{
    if (m_main_win)
        m_main_win->Move(item, newParent);
}

void wxTreeListCtrl::SortChildren(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->SortChildren(item);
}

wxTreeItemId wxTreeListCtrl::FindItem(const wxTreeItemId& item, const wxString& str, int mode)
{
    return m_main_win ? m_main_win->FindItem(item, str, mode) : wxTreeItemId();
}

void wxTreeListCtrl::Unselect()
{
    if (m_main_win)
        m_main_win->Unselect();
}

void wxTreeListCtrl::UnselectAll()
{
    if (m_main_win)
        m_main_win->UnselectAll();
}

void wxTreeListCtrl::SelectItem(const wxTreeItemId& item, const wxTreeItemId& lastItem, bool unselectOthers)
{
    if (m_main_win)
        m_main_win->SelectItem(item, lastItem, unselectOthers);
}

void wxTreeListCtrl::SelectAll()
{
    if (m_main_win)
        m_main_win->SelectAll();
}

void wxTreeListCtrl::EnsureVisible(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->EnsureVisible(item);
}

void wxTreeListCtrl::ScrollTo(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->ScrollTo(item);
}

bool wxTreeListCtrl::GetBoundingRect(const wxTreeItemId& item, wxRect& rect, bool textOnly) const
{
    return m_main_win ? m_main_win->GetBoundingRect(item, rect, textOnly) : false;
}

void wxTreeListCtrl::SetDragItem(const wxTreeItemId& item)
{
    if (m_main_win)
        m_main_win->SetDragItem(item);
}

wxTextCtrl* wxTreeListCtrl::EditLabel(const wxTreeItemId& item, int column)
{
    return m_main_win ? m_main_win->EditLabel(item, column) : nullptr;
}

void wxTreeListCtrl::EndEditLabel()
{
    if (m_main_win)
        m_main_win->EndEditLabel();
}

void wxTreeListCtrl::SetEditControl(wxEditTextCtrl* edit)
{
    if (m_main_win)
        m_main_win->SetEditControl(edit);
}

wxEditTextCtrl* wxTreeListCtrl::GetEditControl() const
{
    return m_main_win ? m_main_win->GetEditControl() : nullptr;
}

} // namespace kel
