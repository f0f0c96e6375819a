#include <kelctrls/controls/tabart.h>
#include <kelctrls/platform/notebookext.h>
#include <kelctrls/skin.h>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

namespace
{

const char* const kChatFaces[kBitmapAuiTabArt::FACE_COUNT] = {
    "talkfrm_tab_normal_left",         "talkfrm_tab_normal_mid",         "talkfrm_tab_normal_right",
    "talkfrm_tab_hover_left",          "talkfrm_tab_hover_mid",          "talkfrm_tab_hover_right",
    "talkfrm_tab_unread_left",         "talkfrm_tab_unread_mid",         "talkfrm_tab_unread_right",
    "talkfrm_tab_close_button_normal", "talkfrm_tab_close_button_hover", "talkfrm_tab_close_button_pressed"};

const char* const kOtherFaces[kBitmapAuiTabArt::FACE_COUNT] = {"talkfrm_othertab_normal_left",
                                                               "talkfrm_othertab_normal_mid",
                                                               "talkfrm_othertab_normal_right",
                                                               "talkfrm_othertab_hover_left",
                                                               "talkfrm_othertab_hover_mid",
                                                               "talkfrm_othertab_hover_right",
                                                               "talkfrm_othertab_unread_left",
                                                               "talkfrm_othertab_unread_mid",
                                                               "talkfrm_othertab_unread_right",
                                                               "",
                                                               "",
                                                               ""};

KelSkinResource* Skin()
{
    return KelSkinResource::GetInstance();
}

// The skin's bitmap of `key` at the display scale of `wnd`.
wxBitmap SkinBitmap(const wxString& key, const wxWindow* wnd)
{
    const wxBitmapBundle bundle = Skin()->GetBitmapBundle(key);
    return wnd ? bundle.GetBitmapFor(wnd) : bundle.GetBitmap(wxDefaultSize);
}

KAuiNotebookPageExtend* PageExtend(const wxWindow* page)
{
    return KAuiNotebookPageExtendContainer::GetInstance()->GetPageExtend(page);
}

// The stock art draws into this when only its rectangles are wanted.
class ScratchDC : public wxMemoryDC
{
public:
    ScratchDC() : m_bitmap(1, 1) { SelectObject(m_bitmap); }

private:
    wxBitmap m_bitmap;
};

// Skin name of a row button in one of the states normal, hover, pressed.
wxString ButtonBitmapName(int bitmapId, int buttonState)
{
    wxString button;
    switch (bitmapId)
    {
    case wxAUI_BUTTON_WINDOWLIST:
        button = "wlist";
        break;
    case wxAUI_BUTTON_LEFT:
        button = "left";
        break;
    case wxAUI_BUTTON_RIGHT:
        button = "right";
        break;
    default:
        return wxString();
    }

    wxString state;
    switch (buttonState)
    {
    case wxAUI_BUTTON_STATE_NORMAL:
        state = "normal";
        break;
    case wxAUI_BUTTON_STATE_HOVER:
        state = "hover";
        break;
    case wxAUI_BUTTON_STATE_PRESSED:
        state = "pressed";
        break;
    default:
        return wxString();
    }
    return "talkfrm_tab_" + button + "_button_" + state;
}

} // namespace

kBitmapAuiTabArt::kBitmapAuiTabArt(const KELAUITAB_BITMAP_TYPE& type)
    : m_default_art(new wxAuiDefaultTabArt), m_normal_font(*wxNORMAL_FONT), m_base_colour(153, 208, 253),
      m_base_colour_pen(m_base_colour), m_base_colour_brush(m_base_colour), m_type(type)
{
    const wxColour border = Skin()->GetColour("talkfrm_tab_border");
    m_border_pen = border.IsOk() ? wxPen(border) : *wxTRANSPARENT_PEN;
    SetAuiTabType(type);
}

kBitmapAuiTabArt::~kBitmapAuiTabArt() {}

void kBitmapAuiTabArt::SetAuiTabType(const KELAUITAB_BITMAP_TYPE& type)
{
    m_type = type;
    const char* const* names = nullptr;
    if (type == KELAUITAB_BITMAP_CHAT)
        names = kChatFaces;
    else if (type == KELAUITAB_BITMAP_OTHER)
        names = kOtherFaces;
    if (!names)
        return;
    for (int i = 0; i < FACE_COUNT; ++i)
        m_face_names[i] = names[i];
}

void kBitmapAuiTabArt::Copy(const kBitmapAuiTabArt& other)
{
    SetAuiTabType(other.m_type);
}

wxAuiTabArt* kBitmapAuiTabArt::Clone()
{
    kBitmapAuiTabArt* art = new kBitmapAuiTabArt(KELAUITAB_BITMAP_CHAT);
    art->Copy(*this);
    return art;
}

void kBitmapAuiTabArt::SetFlags(unsigned int flags)
{
    m_default_art->SetFlags(flags);
}

void kBitmapAuiTabArt::SetSizingInfo(const wxSize& tabCtrlSize, size_t tabCount, wxWindow* wnd)
{
    m_default_art->SetSizingInfo(tabCtrlSize, tabCount, wnd);
}

void kBitmapAuiTabArt::SetNormalFont(const wxFont& font)
{
    m_default_art->SetNormalFont(font);
}

void kBitmapAuiTabArt::SetSelectedFont(const wxFont& font)
{
    m_default_art->SetSelectedFont(font);
}

void kBitmapAuiTabArt::SetMeasuringFont(const wxFont& font)
{
    m_default_art->SetMeasuringFont(font);
}

void kBitmapAuiTabArt::SetColour(const wxColour& colour)
{
    m_default_art->SetColour(colour);
}

void kBitmapAuiTabArt::SetActiveColour(const wxColour& colour)
{
    m_default_art->SetActiveColour(colour);
}

int kBitmapAuiTabArt::ShowDropDown(wxWindow* wnd, const wxAuiNotebookPageArray& items, int activeIdx)
{
    return m_default_art->ShowDropDown(wnd, items, activeIdx);
}

int kBitmapAuiTabArt::GetIndentSize()
{
    return m_default_art->GetIndentSize();
}

int kBitmapAuiTabArt::GetBorderWidth(wxWindow* wnd)
{
    return m_default_art->GetBorderWidth(wnd);
}

int kBitmapAuiTabArt::GetAdditionalBorderSpace(wxWindow* wnd)
{
    return m_default_art->GetAdditionalBorderSpace(wnd);
}

int kBitmapAuiTabArt::GetBestTabCtrlSize(wxWindow* wnd, const wxAuiNotebookPageArray& pages,
                                         const wxSize& requiredBmpSize)
{
    return m_default_art->GetBestTabCtrlSize(wnd, pages, requiredBmpSize);
}

wxSize kBitmapAuiTabArt::GetTabSize(wxDC& dc, wxWindow* wnd, const wxString& caption,
                                    const wxBitmapBundle& bitmap, bool WXUNUSED(active),
                                    int WXUNUSED(closeButtonState), int* xExtent)
{
    return m_default_art->GetTabSize(dc, wnd, caption, bitmap, true, wxAUI_BUTTON_STATE_NORMAL, xExtent);
}

void kBitmapAuiTabArt::DrawBorder(wxDC& dc, wxWindow* wnd, const wxRect& rect)
{
    m_default_art->DrawBorder(dc, wnd, rect);
}

void kBitmapAuiTabArt::DrawBackground(wxDC& dc, wxWindow* wnd, const wxRect& rect)
{
    dc.SetPen(m_base_colour_pen);
    dc.SetBrush(m_base_colour_brush);
    dc.DrawRectangle(rect.x, rect.y, rect.width + 2, rect.height);
    dc.SetPen(m_border_pen);

    const wxBitmap tile = SkinBitmap("talkfrm_tab_bk", wnd);
    const int tileWidth = tile.IsOk() ? wxRound(tile.GetLogicalWidth()) : 0;
    if (tileWidth <= 0)
        return;
    for (int x = 0; x < rect.x + rect.width - 1; x += tileWidth)
        dc.DrawBitmap(tile, x, 0, false);
}

wxString kBitmapAuiTabArt::ChopText(wxDC& dc, const wxString& text, int limit)
{
    if (dc.GetTextExtent(text).x <= limit)
        return text;

    size_t fitting = 0;
    for (size_t i = 0; i < text.length(); ++i)
    {
        if (dc.GetTextExtent(text.Left(i) + "...").x > limit)
            break;
        fitting = i;
    }
    return text.Left(fitting) + "...";
}

void kBitmapAuiTabArt::DrawPlainTab(wxDC& dc, const wxRect& tab, bool active)
{
    const int x = tab.x, y = tab.y, w = tab.width, h = tab.height;
    if (active)
    {
        dc.SetPen(m_base_colour_pen);
        dc.SetBrush(m_base_colour_brush);
        dc.DrawRectangle(x + 1, y + 1, w - 1, h - 4);
        dc.SetPen(*wxWHITE_PEN);
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(x, y + 1, w, h - 4);
        dc.SetPen(m_base_colour_pen);
        dc.DrawPoint(x + 2, y + 1);
        dc.DrawPoint(x + w - 2, y + 1);
        dc.GradientFillLinear(wxRect(x + 2, y + h / 2 - 2, w - 2, h / 2), m_base_colour, *wxWHITE, wxNORTH);
        return;
    }

    wxRect half(x + 3, y + 2, w - 4, (h - 3) / 2 - 1);
    dc.GradientFillLinear(half, m_base_colour, m_base_colour, wxNORTH);
    half.Offset(0, half.height - 1);
    dc.GradientFillLinear(half, m_base_colour, m_base_colour, wxSOUTH);
}

void kBitmapAuiTabArt::DrawTab(wxDC& dc, wxWindow* wnd, const wxAuiNotebookPage& page, const wxRect& inRect,
                               int closeButtonState, wxRect* outTabRect, wxRect* outButtonRect, int* xExtent)
{
    const KAuiNotebookPageExtend* extend = PageExtend(page.window);

    dc.SetTextForeground(*wxBLACK);
    const wxSize size =
        GetTabSize(dc, wnd, page.caption, page.bitmap, page.active, closeButtonState, xExtent);
    const wxRect tab(inRect.x, inRect.y, size.x, inRect.height - 5);
    dc.SetFont(m_normal_font);

    int clipWidth = tab.width;
    if (tab.x + tab.width > inRect.x + inRect.width)
        clipWidth = inRect.x + inRect.width - tab.x;
    dc.SetClippingRegion(tab.x, tab.y, clipWidth + 1, inRect.height);

    // The stock art places the close button's click area and computes the
    // extent; what it draws is thrown away.
    {
        ScratchDC scratch;
        m_default_art->DrawTab(scratch, wnd, page, inRect, closeButtonState, outTabRect, outButtonRect,
                               xExtent);
    }

    Face first = FACE_NORMAL_LEFT;
    wxString colourName = "talkfrm_tab_fontcolor_normal";
    if (page.active)
    {
        first = FACE_ACTIVE_LEFT;
        colourName = "talkfrm_tab_fontcolor_hover";
    }
    else if (extend && extend->NeedAttention() && extend->IsBlinkOn())
    {
        first = FACE_UNREAD_LEFT;
        colourName = "talkfrm_tab_fontcolor_unread";
    }

    KelSkinResource* skin = Skin();
    const wxBitmap left = SkinBitmap(m_face_names[first], wnd);
    const wxBitmap mid = SkinBitmap(m_face_names[first + 1], wnd);
    const wxBitmap right = SkinBitmap(m_face_names[first + 2], wnd);
    const int midWidth = mid.IsOk() ? wxRound(mid.GetLogicalWidth()) : 0;
    if (left.IsOk() && right.IsOk() && midWidth > 0)
    {
        dc.DrawBitmap(left, tab.x + 1, tab.y + 1, false);
        const int rightX = tab.x + tab.width - 1 - wxRound(right.GetLogicalWidth());
        for (int x = tab.x + 1 + wxRound(left.GetLogicalWidth()); x < rightX; x += midWidth)
            dc.DrawBitmap(mid, x, tab.y + 1, false);
        dc.DrawBitmap(right, rightX, tab.y + 1, false);
    }
    else
    {
        DrawPlainTab(dc, tab, page.active);
    }

    dc.SetTextForeground(skin->GetColour(colourName));
    dc.DrawLabel(ChopText(dc, page.caption, tab.width - 8), wxRect(tab.x, tab.y + 5, tab.width, tab.height),
                 wxALIGN_CENTRE_HORIZONTAL | wxALIGN_CENTRE_VERTICAL);

    int closeFace = -1;
    switch (closeButtonState)
    {
    case wxAUI_BUTTON_STATE_NORMAL:
        closeFace = FACE_CLOSE_NORMAL;
        break;
    case wxAUI_BUTTON_STATE_HOVER:
        closeFace = FACE_CLOSE_HOVER;
        break;
    case wxAUI_BUTTON_STATE_PRESSED:
        closeFace = FACE_CLOSE_PRESSED;
        break;
    }
    if (closeFace >= 0 && !m_face_names[closeFace].empty())
    {
        const wxBitmap close = SkinBitmap(m_face_names[closeFace], wnd);
        if (close.IsOk())
            dc.DrawBitmap(close, tab.x + tab.width - wxRound(close.GetLogicalWidth()) - 3, tab.y + 1, false);
    }

    *outTabRect = tab;
    dc.DestroyClippingRegion();
}

wxString kBitmapAuiTabArt::FlashBitmapName(wxWindow* wnd, const wxRect& inRect, int bitmapId, int buttonState)
{
    if ((bitmapId != wxAUI_BUTTON_LEFT && bitmapId != wxAUI_BUTTON_RIGHT) ||
        (buttonState & wxAUI_BUTTON_STATE_DISABLED))
        return wxString();
    wxAuiTabCtrl* tabs = dynamic_cast<wxAuiTabCtrl*>(wnd);
    if (!tabs)
        return wxString();

    const size_t offset = tabs->GetTabOffset();
    const size_t count = tabs->GetPageCount();
    const KAuiNotebookPageExtend* first = nullptr;

    if (bitmapId == wxAUI_BUTTON_LEFT)
    {
        for (size_t i = 0; i < offset && i < count && !first; ++i)
        {
            const KAuiNotebookPageExtend* extend = PageExtend(tabs->GetWindowFromIdx(i));
            if (extend && extend->NeedAttention())
                first = extend;
        }
        return first && first->IsBlinkOn() ? "talkfrm_tab_left_button_flash" : "";
    }

    // Lay the visible tabs out as the tab row does; those from the first one
    // that reaches the button's edge on are hidden to the right.
    wxClientDC dc(wnd);
    const unsigned int flags = tabs->GetFlags();
    int total = 0;
    for (size_t i = offset; i < count && !first; ++i)
    {
        const wxAuiNotebookPage& page = tabs->GetPage(i);
        const bool closeShown =
            (flags & wxAUI_NB_CLOSE_ON_ALL_TABS) || ((flags & wxAUI_NB_CLOSE_ON_ACTIVE_TAB) && page.active);
        int extent = 0;
        const wxSize size =
            GetTabSize(dc, wnd, page.caption, page.bitmap, page.active,
                       closeShown ? wxAUI_BUTTON_STATE_NORMAL : wxAUI_BUTTON_STATE_HIDDEN, &extent);
        total += i + 1 < count ? extent : size.x;
        if (total < inRect.width)
            continue;
        const KAuiNotebookPageExtend* extend = PageExtend(page.window);
        if (extend && extend->NeedAttention())
            first = extend;
    }
    return first && first->IsBlinkOn() ? "talkfrm_tab_right_button_flash" : "";
}

void kBitmapAuiTabArt::DrawButton(wxDC& dc, wxWindow* wnd, const wxRect& inRect, int bitmapId,
                                  int buttonState, int orientation, wxRect* outRect)
{
    wxBitmap bitmap;
    const wxString flash = FlashBitmapName(wnd, inRect, bitmapId, buttonState);
    if (!flash.empty())
        bitmap = SkinBitmap(flash, wnd);
    if (!bitmap.IsOk())
    {
        const wxString name = ButtonBitmapName(bitmapId, buttonState);
        if (!name.empty())
            bitmap = SkinBitmap(name, wnd);
    }

    if (bitmap.IsOk())
    {
        const int w = wxRound(bitmap.GetLogicalWidth());
        const int h = wxRound(bitmap.GetLogicalHeight());
        const int x = orientation == wxLEFT ? inRect.x : inRect.x + inRect.width - w;
        const int y = (inRect.y + inRect.height) / 2 - h / 2;
        dc.DrawBitmap(bitmap, x, y, false);
        *outRect = wxRect(x, y, w, h);
    }
    else if (buttonState == wxAUI_BUTTON_STATE_DISABLED)
    {
        // Invisible, but the button keeps its place in the row.
        ScratchDC scratch;
        m_default_art->DrawButton(scratch, wnd, inRect, bitmapId, buttonState, orientation, outRect);
    }
    else
    {
        m_default_art->DrawButton(dc, wnd, inRect, bitmapId, buttonState, orientation, outRect);
    }
}
