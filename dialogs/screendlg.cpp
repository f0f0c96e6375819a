#include <kelctrls/dialogs/screendlg.h>
#include <kelctrls/dialogs/filedialog.h>

#include "dialogs/enddialog.h"
#include "skin/librarytext.h"

#include <wx/clipbrd.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#ifdef __WXGTK3__
#include <gtk/gtk.h>
#endif

#include <algorithm>
#include <cstring>

namespace
{

const wxSize MAGNIFIER_SAMPLE(20, 20);
// How far from an edge the pointer still counts as being on it.
const int EDGE_TOLERANCE = 2;
const int HANDLE_SIZE = 5;

} // anonymous namespace

wxBitmap KelGrabScreen(const wxRect& rect)
{
#ifdef __WXGTK3__
    // A wxScreenDC would do, but on GTK 3 it keeps the program's later
    // drawing from reaching the screen and answers with stale pixels.
    GdkWindow* root = gdk_get_default_root_window();
    const int scale = std::max(1, gdk_window_get_scale_factor(root));
    wxImage image(std::max(1, rect.width) * scale, std::max(1, rect.height) * scale, true);
    const wxRect onScreen =
        rect.Intersect(wxRect(0, 0, gdk_window_get_width(root), gdk_window_get_height(root)));
    GdkPixbuf* pixbuf = onScreen.IsEmpty() ? nullptr
                                           : gdk_pixbuf_get_from_window(root, onScreen.x, onScreen.y,
                                                                        onScreen.width, onScreen.height);
    if (pixbuf)
    {
        // In device pixels: `scale` of them each way per window unit.
        const int width = std::min(gdk_pixbuf_get_width(pixbuf), onScreen.width * scale);
        const int height = std::min(gdk_pixbuf_get_height(pixbuf), onScreen.height * scale);
        const int channels = gdk_pixbuf_get_n_channels(pixbuf);
        const int stride = gdk_pixbuf_get_rowstride(pixbuf);
        const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
        const wxPoint at((onScreen.x - rect.x) * scale, (onScreen.y - rect.y) * scale);
        for (int y = 0; y < height; ++y)
        {
            const guchar* from = pixels + y * stride;
            unsigned char* to = image.GetData() + 3 * ((at.y + y) * image.GetWidth() + at.x);
            for (int x = 0; x < width; ++x, from += channels, to += 3)
            {
                to[0] = from[0];
                to[1] = from[1];
                to[2] = from[2];
            }
        }
        g_object_unref(pixbuf);
    }
    return wxBitmap(image, -1, scale);
#else
    wxBitmap bitmap(wxImage(std::max(1, rect.width), std::max(1, rect.height), true));
    wxScreenDC screen;
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y, wxCOPY);
    memory.SelectObject(wxNullBitmap);
    return bitmap;
#endif
}

// clang-format off
wxBEGIN_EVENT_TABLE(ScreenDlg, wxDialog)
    EVT_MOTION(ScreenDlg::OnMotion)
    EVT_LEFT_UP(ScreenDlg::OnLeftUp)
    EVT_LEFT_DOWN(ScreenDlg::OnLeftDown)
    EVT_LEFT_DCLICK(ScreenDlg::OnLeftDClick)
    EVT_RIGHT_UP(ScreenDlg::OnRightUp)
    EVT_MENU(ScreenDlg::ID_ESCAPE, ScreenDlg::OnEscExit)
    // The dialog's own close handling clicks its escape button.
    EVT_BUTTON(ScreenDlg::ID_ESCAPE, ScreenDlg::OnEscExit)
    EVT_CHAR_HOOK(ScreenDlg::OnChar)
    EVT_PAINT(ScreenDlg::OnPaint)
    EVT_ERASE_BACKGROUND(ScreenDlg::OnErasePaint)
    EVT_MENU(ScreenDlg::ID_SAVE_AS, ScreenDlg::OnMenu)
    EVT_MENU(ScreenDlg::ID_CANCEL_SELECTION, ScreenDlg::OnMenu)
    EVT_MENU(ScreenDlg::ID_QUIT, ScreenDlg::OnMenu)
    EVT_MENU(ScreenDlg::ID_COPY, ScreenDlg::OnMenu)
wxEND_EVENT_TABLE()
// clang-format on

ScreenDlg::ScreenDlg(wxWindow* parent)
    : m_tipPanel(nullptr), m_selected(0), m_dragging(0), m_frame(EDGE_TOLERANCE, HANDLE_SIZE),
      m_curBorder(border_none)
{
    // The frame must be off from the start: a window manager only reads the
    // decoration hints when the window is first mapped.
    Create(parent, wxID_ANY, "Screen dialog", wxDefaultPosition, wxDefaultSize, wxSTAY_ON_TOP | wxNO_BORDER);
    SetBackgroundStyle(wxBG_STYLE_PAINT);

    const wxSize displaySize = wxGetDisplaySize();
    Move(0, 0);
    SetClientSize(displaySize);

    m_tipPanel = new ScreenTipPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    wxTAB_TRAVERSAL | wxBORDER_SIMPLE);
    m_tipPanel->Move(FromDIP(wxPoint(10, 10)));
    m_zoomSize = m_tipPanel->GetZoomSize();

    // The cursor file, the clipboard and the saved files need them.
    KelInitImageHandlers();
    TakeSnapshot();
    LoadSelectCursor();
    SetEscapeId(ID_ESCAPE);
}

void ScreenDlg::TakeSnapshot()
{
    m_screenBmp = KelGrabScreen(wxRect(wxGetDisplaySize()));
    m_showBmp = m_screenBmp;
    // The magnifier and the pixel readout work in window units: one device
    // pixel of each unit stands for it.
    const wxSize units(wxRound(m_screenBmp.GetLogicalWidth()), wxRound(m_screenBmp.GetLogicalHeight()));
    m_screenImage = m_screenBmp.ConvertToImage();
    if (m_screenImage.GetSize() != units)
        m_screenImage.Rescale(units.x, units.y, wxIMAGE_QUALITY_NEAREST);
}

void ScreenDlg::LoadSelectCursor()
{
    wxLogNull noLog;
    m_selectCursor = wxCursor(KelInstallPath("locale/Images/select.cur"), wxBITMAP_TYPE_CUR, 0, 0);
    if (m_selectCursor.IsOk())
        SetCursor(m_selectCursor);
}

// ----------------------------------------------------------------------------
// Selection geometry
// ----------------------------------------------------------------------------

wxRect ScreenDlg::ReSetRect(const wxRect& rect) const
{
    wxRect result(rect);
    if (result.width < 0)
    {
        result.x += result.width;
        result.width = -result.width;
    }
    if (result.height < 0)
    {
        result.y += result.height;
        result.height = -result.height;
    }
    return result;
}

wxRect ScreenDlg::GetSelectRect() const
{
    return m_frame.GetRect();
}

void ScreenDlg::SelectRect(const wxRect& rect)
{
    m_frame.SetRect(ReSetRect(rect));
    m_selected = 1;
    m_dragging = 0;
    ShowSelectionFrame();
}

frame_border ScreenDlg::HitTestSelectRect(const wxPoint& pt)
{
    return m_frame.HitTest(pt);
}

void ScreenDlg::SetCurCursor(frame_border border)
{
    if (border == border_none)
        SetCursor(m_selectCursor);
    else
        SetCursor(wxCursor(KelSelectionFrame::GetCursor(border)));
}

void ScreenDlg::AdjustSelection(const wxPoint& pointer)
{
    if (m_curBorder == border_inside)
        m_frame.MoveTo(pointer - m_dragOffset, wxRect(GetSize()));
    else
        m_frame.MoveEdges(m_curBorder, pointer);
}

void ScreenDlg::ClearSelectRect()
{
    m_frame.SetCorners(wxPoint(0, 0), wxPoint(0, 0));
    m_selected = 0;
    m_showBmp = m_screenBmp;
    ShowBitmapNow();
}

// ----------------------------------------------------------------------------
// Drawing
// ----------------------------------------------------------------------------

void ScreenDlg::DrawDragScreen(wxDC& dc, wxRect rect)
{
    // A solid red hairline: a hatched pen, drawn through cairo, comes out as
    // a faint blend of the snapshot and red that is hard to see.
    dc.SetPen(wxPen(*wxRED, 1, wxPENSTYLE_SOLID));
    KelSelectionFrame frame(EDGE_TOLERANCE, HANDLE_SIZE);
    frame.SetRect(rect);
    frame.DrawEdges(dc);
    frame.DrawHandles(dc);
}

void ScreenDlg::ShowSelectionFrame()
{
    // A copy of the snapshot drawn for the same scale, so that the frame is as sharp as the pixels.
    m_showBmp = wxBitmap(m_screenBmp.ConvertToImage(), -1, m_screenBmp.GetScaleFactor());
    {
        wxMemoryDC dc(m_showBmp);
        DrawDragScreen(dc, GetSelectRect());
    }
    ShowBitmapNow();
}

void ScreenDlg::ShowBitmapNow()
{
    Refresh(false);
    Update();
}

void ScreenDlg::OnPaint(wxPaintEvent& WXUNUSED(event))
{
    wxPaintDC dc(this);
    if (m_showBmp.IsOk())
        dc.DrawBitmap(m_showBmp, 0, 0);
}

void ScreenDlg::OnErasePaint(wxEraseEvent& event)
{
    if (m_showBmp.IsOk() && event.GetDC())
        event.GetDC()->DrawBitmap(m_showBmp, 0, 0);
}

// ----------------------------------------------------------------------------
// Magnifier and information panel
// ----------------------------------------------------------------------------

wxBitmap ScreenDlg::GetSubMaxImage(const wxPoint& centre, const wxSize& sample, const wxSize& out)
{
    if (sample.x <= 0 || sample.y <= 0 || out.x <= 0 || out.y <= 0)
        return wxNullBitmap;

    // The sample starts black; only the part that lies on the screen is
    // copied, at the place it has around the centre.
    wxImage image(sample.x, sample.y, true);
    const int left = centre.x - sample.x / 2;
    const int top = centre.y - sample.y / 2;
    const int screenWidth = m_screenImage.IsOk() ? m_screenImage.GetWidth() : 0;
    const int screenHeight = m_screenImage.IsOk() ? m_screenImage.GetHeight() : 0;
    const int firstX = std::max(0, -left);
    const int lastX = std::min(sample.x, screenWidth - left);
    for (int y = std::max(0, -top); y < std::min(sample.y, screenHeight - top) && firstX < lastX; ++y)
    {
        const unsigned char* from = m_screenImage.GetData() + 3 * ((top + y) * screenWidth + left + firstX);
        unsigned char* to = image.GetData() + 3 * (y * sample.x + firstX);
        std::memcpy(to, from, 3 * (lastX - firstX));
    }

    const int cx = sample.x / 2;
    const int cy = sample.y / 2;
    const wxColour pixel(image.GetRed(cx, cy), image.GetGreen(cx, cy), image.GetBlue(cx, cy));
    m_tipPanel->SetPixelColour(pixel);

    image.SetRGB(cx, cy, 255 - pixel.Red(), 255 - pixel.Green(), 255 - pixel.Blue());
    for (int d = 1; d <= 3; ++d)
    {
        const wxPoint cross[] = {wxPoint(cx + d, cy), wxPoint(cx - d, cy), wxPoint(cx, cy + d),
                                 wxPoint(cx, cy - d)};
        for (const wxPoint& p : cross)
        {
            if (p.x >= 0 && p.y >= 0 && p.x < sample.x && p.y < sample.y)
                image.SetRGB(p.x, p.y, 255, 0, 230);
        }
    }

    return wxBitmap(image.Scale(out.x, out.y, wxIMAGE_QUALITY_NORMAL));
}

wxColour ScreenDlg::GetBkColour(wxDC& dc, wxPoint& pt)
{
    wxColour colour;
    if (dc.GetPixel(pt, &colour) && colour.IsOk())
        return colour;
    return *wxBLACK;
}

void ScreenDlg::MoveScreenTip(wxPoint& pointer)
{
    const wxPoint pos = m_tipPanel->GetPosition();
    const wxSize size = m_tipPanel->GetSize();
    const wxSize client = GetClientSize();
    const bool upperHalf = pointer.y < client.y / 2;
    if (!upperHalf)
        return;

    if (pointer.x < client.x / 2 && pos.x < client.x / 2)
        m_tipPanel->Move(client.x - pos.x - size.x, pos.y);
    else if (pointer.x > client.x / 2 && pos.x > client.x / 2)
        m_tipPanel->Move(FromDIP(10), pos.y);
}

void ScreenDlg::ShowPointerInfo(const wxPoint& pointer)
{
    wxPoint pos(pointer);
    MoveScreenTip(pos);
    m_tipPanel->SetZoomBitmap(GetSubMaxImage(pointer, MAGNIFIER_SAMPLE, m_zoomSize));
    m_tipPanel->SetMousePosition(pointer);
    m_tipPanel->SetSelectRect(GetSelectRect());
}

// ----------------------------------------------------------------------------
// Mouse and keys
// ----------------------------------------------------------------------------

void ScreenDlg::OnMotion(wxMouseEvent& event)
{
    const wxPoint pointer = event.GetPosition();
    if (event.ButtonIsDown(wxMOUSE_BTN_ANY) && m_dragging)
    {
        if (!m_selected)
        {
            m_frame.SetCorners(m_frame.GetStart(), pointer);
            ShowSelectionFrame();
        }
        else if (m_curBorder != border_none)
        {
            AdjustSelection(pointer);
            ShowSelectionFrame();
        }
    }

    ShowPointerInfo(pointer);

    const frame_border border = HitTestSelectRect(pointer);
    if (border != m_curBorder && !m_dragging)
    {
        m_curBorder = border;
        SetCurCursor(border);
    }
}

void ScreenDlg::OnLeftDown(wxMouseEvent& event)
{
    m_downPos = event.GetPosition();
    m_dragOffset = m_selected ? m_downPos - m_frame.GetStart() : wxPoint(0, 0);

    const frame_border border = HitTestSelectRect(m_downPos);
    if (border == border_none && !m_selected)
    {
        // A click that does not move selects nothing: both corners start at
        // the press, and a release there leaves the dialog idle.
        m_frame.SetCorners(m_downPos, m_downPos);
        m_dragging = 1;
    }
    else if (border != border_none && m_selected)
    {
        m_dragging = 1;
    }
}

void ScreenDlg::OnLeftUp(wxMouseEvent& WXUNUSED(event))
{
    if (m_dragging)
    {
        m_dragging = 0;
        if (!m_selected && m_frame.GetStart() == m_frame.GetEnd())
            ClearSelectRect();
        else
            m_selected = 1;
    }

    m_frame.Normalise();
}

void ScreenDlg::OnLeftDClick(wxMouseEvent& event)
{
    wxLogNull noLog;
    if (m_selected && HitTestSelectRect(event.GetPosition()) != border_none)
    {
        CopyBitmap2Clipboard(GetSelectBitamp());
        KelEndDialog(this, wxID_OK);
    }
    else
    {
        KelEndDialog(this, wxID_CANCEL);
    }
}

wxMenu* ScreenDlg::CreateContextMenu(const wxPoint& pt)
{
    wxMenu* menu = new wxMenu;
    if (m_selected)
    {
        if (HitTestSelectRect(pt) != border_none)
        {
            menu->Append(ID_SAVE_AS, _("Save As"));
            menu->Append(ID_COPY, _("Copy to Clipboard"));
        }
        menu->Append(ID_CANCEL_SELECTION, _("Cancel"));
        menu->AppendSeparator();
    }
    menu->Append(ID_QUIT, _("Quit"));
    return menu;
}

void ScreenDlg::OnRightUp(wxMouseEvent& event)
{
    wxLogNull noLog;
    wxMenu* menu = CreateContextMenu(event.GetPosition());
    PopupMenu(menu, event.GetPosition());
    delete menu;
}

void ScreenDlg::OnMenu(wxCommandEvent& event)
{
    wxLogNull noLog;
    switch (event.GetId())
    {
    case ID_SAVE_AS:
        SaveSelection();
        break;
    case ID_CANCEL_SELECTION:
        ClearSelectRect();
        break;
    case ID_QUIT:
        KelEndDialog(this, wxID_CANCEL);
        break;
    case ID_COPY:
        CopyBitmap2Clipboard(GetSelectBitamp());
        KelEndDialog(this, wxID_CANCEL);
        break;
    }
}

void ScreenDlg::OnEscExit(wxCommandEvent& WXUNUSED(event))
{
    wxLogNull noLog;
    KelEndDialog(this, wxID_CANCEL);
}

void ScreenDlg::OnChar(wxKeyEvent& event)
{
    wxLogNull noLog;
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE || key == WXK_DELETE)
        KelEndDialog(this, wxID_CANCEL);
}

// ----------------------------------------------------------------------------
// Clipboard and files
// ----------------------------------------------------------------------------

wxBitmap ScreenDlg::GetSelectBitamp()
{
    const double scale = m_screenBmp.GetScaleFactor();
    const wxRect rect = GetSelectRect().Intersect(wxRect(m_screenImage.GetSize()));
    if (rect.IsEmpty())
        return wxNullBitmap;
    // Every device pixel of the selection, drawn for the display's scale.
    const wxRect pixels(wxRound(rect.x * scale), wxRound(rect.y * scale), wxRound(rect.width * scale),
                        wxRound(rect.height * scale));
    return wxBitmap(m_screenBmp.ConvertToImage().GetSubImage(pixels), -1, scale);
}

void ScreenDlg::CopyBitmap2Clipboard(const wxBitmap& bitmap)
{
    wxLogNull noLog;
    if (!bitmap.IsOk() || !wxTheClipboard->Open())
        return;
    wxTheClipboard->SetData(new wxBitmapDataObject(bitmap));
    wxTheClipboard->Close();
}

wxString ScreenDlg::GetSaveFilter()
{
    wxString filter;
    for (wxList::compatibility_iterator node = wxImage::GetHandlers().GetFirst(); node;
         node = node->GetNext())
    {
        const wxImageHandler* handler = static_cast<wxImageHandler*>(node->GetData());
        if (handler->GetType() == wxBITMAP_TYPE_PNG)
            continue;
        const wxString ext = handler->GetExtension();
        if (!filter.empty())
            filter += "|";
        filter += wxString::Format("%s files (*.%s)|*.%s", ext.Upper(), ext, ext);
    }
    return filter;
}

void ScreenDlg::SaveSelection()
{
    KelFileDialog dialog(this, _("Select Path"), wxEmptyString, wxEmptyString, GetSaveFilter(), wxFD_SAVE);
    dialog.SetDirectory(wxGetHomeDir());
    dialog.SetFilterIndex(0);
    dialog.Centre();
    if (dialog.ShowModal("SAVE_BITMAP") != wxID_OK)
        return;

    if (SaveSelectionTo(dialog.GetPath()))
        KelEndDialog(this, wxID_CANCEL);
}

namespace
{

const wxImageHandler* FindHandlerForFile(const wxString& path)
{
    const wxString ext = wxFileName(path).GetExt();
    if (ext.empty())
        return nullptr;
    for (wxList::compatibility_iterator node = wxImage::GetHandlers().GetFirst(); node;
         node = node->GetNext())
    {
        const wxImageHandler* handler = static_cast<wxImageHandler*>(node->GetData());
        if (handler->GetExtension().IsSameAs(ext, false))
            return handler;
        for (const wxString& alt : handler->GetAltExtensions())
        {
            if (alt.IsSameAs(ext, false))
                return handler;
        }
    }
    return nullptr;
}

int AskUser(wxWindow* parent, const wxString& message, long buttons)
{
    return wxMessageBox(message, _("Message:"), buttons | wxCENTRE, parent);
}

} // anonymous namespace

bool ScreenDlg::SaveSelectionTo(const wxString& path)
{
    wxLogNull noLog;

    if (wxFileExists(path) &&
        AskUser(this, _("file exists,do you want to overwrite it?"), wxOK | wxCANCEL) != wxOK)
        return false;

    const wxImageHandler* handler = FindHandlerForFile(path);
    if (!handler)
        return false;

    // A save that fails (a full disk, an unwritable folder, a format that
    // cannot hold the image) leaves the file the user chose to overwrite as
    // it was.
    const wxBitmap selection = GetSelectBitamp();
    if (selection.IsOk() && KelSaveImageAtomically(selection.ConvertToImage(), path, handler->GetType()))
        return true;

    AskUser(this, _("operation failed,maybe it is too large to operate!"), wxOK);
    return false;
}
