#include <kelctrls/dialogs/userheadselect.h>
#include <kelctrls/dialogs/filedialog.h>
#include <kelctrls/messaging/events.h>
#include <kelctrls/skin.h>

#include "dialogs/enddialog.h"
#include "skin/librarytext.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cmath>

namespace
{

const int EDGE_TOLERANCE = 3;
const int HANDLE_SIZE = 7;
const int MIN_FRAME_SIDE = 12;
const wxSize DEFAULT_HEAD_SIZE(96, 96);
const wxSize IMAGE_PANEL_SIZE(320, 300);
const wxColour FRAME_COLOUR(40, 110, 200);

wxSize GetStandardHeadSize()
{
    const wxBitmap head = KelSkinResource::GetInstance()->GetBitmap("defboyimage");
    return head.IsOk() ? head.GetSize() : DEFAULT_HEAD_SIZE;
}

// Darkens the pixels of `area` that lie outside `keep`.
void DimOutside(wxImage& image, const wxRect& area, const wxRect& keep)
{
    const wxRect dimmed = area.Intersect(wxRect(image.GetSize()));
    for (int y = dimmed.y; y < dimmed.GetBottom() + 1; ++y)
    {
        unsigned char* data = image.GetData() + 3 * (y * image.GetWidth() + dimmed.x);
        for (int x = dimmed.x; x <= dimmed.GetRight(); ++x, data += 3)
        {
            if (keep.Contains(x, y))
                continue;
            data[0] = static_cast<unsigned char>(data[0] / 2);
            data[1] = static_cast<unsigned char>(data[1] / 2);
            data[2] = static_cast<unsigned char>(data[2] / 2);
        }
    }
}

} // anonymous namespace

// ----------------------------------------------------------------------------
// KelBmpPanel
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(KelBmpPanel, wxPanel);

// clang-format off
wxBEGIN_EVENT_TABLE(KelBmpPanel, wxPanel)
    EVT_PAINT(KelBmpPanel::OnPaint)
    EVT_MOTION(KelBmpPanel::OnMouseMove)
    EVT_LEAVE_WINDOW(KelBmpPanel::OnMouseMove)
    EVT_LEFT_DOWN(KelBmpPanel::OnLeftDown)
    EVT_LEFT_UP(KelBmpPanel::OnLeftUp)
    EVT_RIGHT_UP(KelBmpPanel::OnRightUp)
wxEND_EVENT_TABLE()
// clang-format on

KelBmpPanel::KelBmpPanel() : m_frame(EDGE_TOLERANCE, HANDLE_SIZE)
{
    Init();
}

KelBmpPanel::KelBmpPanel(wxStaticBitmap* preview, wxWindow* parent, wxWindowID id, const wxPoint& pos,
                         const wxSize& size, long style)
    : m_frame(EDGE_TOLERANCE, HANDLE_SIZE)
{
    Init();
    Create(preview, parent, id, pos, size, style);
}

bool KelBmpPanel::Create(wxStaticBitmap* preview, wxWindow* parent, wxWindowID id, const wxPoint& pos,
                         const wxSize& size, long style)
{
    if (!wxPanel::Create(parent, id, pos, size, style))
        return false;
    m_preview = preview;
    SetBackgroundColour(*wxWHITE);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    const wxSize head = GetStandardHeadSize();
    SetAspect(head.x, head.y);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_dragPart = border_none; });
    return true;
}

void KelBmpPanel::Init()
{
    m_selected = false;
    m_creating = false;
    m_scale = 1.0;
    m_cursor = wxCURSOR_ARROW;
    m_preview = nullptr;
    m_aspect = wxSize(1, 1);
    m_dragPart = border_none;
}

void KelBmpPanel::SetAspect(int w, int h)
{
    m_aspect = wxSize(std::max(1, w), std::max(1, h));
    if (m_image.IsOk())
    {
        PlaceInitialFrame();
        ComposePanelBitmap();
        UpdatePreview();
    }
}

void KelBmpPanel::SetImage(const wxImage& image)
{
    if (!image.IsOk())
        return;

    m_image = image;
    const wxSize panel = GetClientSize();
    m_scale =
        std::min(1.0, std::min(double(panel.x) / image.GetWidth(), double(panel.y) / image.GetHeight()));
    const wxSize shown(std::max(1, int(image.GetWidth() * m_scale)),
                       std::max(1, int(image.GetHeight() * m_scale)));
    m_imageBitmap = wxBitmap(m_scale < 1.0 ? image.Scale(shown.x, shown.y, wxIMAGE_QUALITY_HIGH) : image);
    m_imageOffset = wxPoint((panel.x - shown.x) / 2, (panel.y - shown.y) / 2);
    m_imageBounds = wxRect(m_imageOffset, shown);

    PlaceInitialFrame();
    ComposePanelBitmap();
    UpdatePreview();
}

wxRect KelBmpPanel::GetFrame() const
{
    return m_frame.GetRect();
}

void KelBmpPanel::SetFrame(const wxRect& frame)
{
    const wxRect inside = frame.Intersect(m_imageBounds);
    if (inside.IsEmpty())
        return;
    m_frame.SetRect(inside);
    m_selected = true;
    ComposePanelBitmap();
    UpdatePreview();
}

void KelBmpPanel::PlaceInitialFrame()
{
    // The largest frame of the aspect that fits, reduced a little so that
    // its handles are easy to reach, centred on the image.
    const double fit =
        std::min(double(m_imageBounds.width) / m_aspect.x, double(m_imageBounds.height) / m_aspect.y);
    const int w = std::max(1, int(fit * 0.8 * m_aspect.x));
    const int h = std::max(1, int(fit * 0.8 * m_aspect.y));
    const wxPoint centre(m_imageBounds.x + m_imageBounds.width / 2,
                         m_imageBounds.y + m_imageBounds.height / 2);
    m_frame.SetRect(wxRect(centre.x - w / 2, centre.y - h / 2, w, h));
    m_selected = true;
}

int KelBmpPanel::GetMinFrameWidth() const
{
    // Both sides at least MIN_FRAME_SIDE pixels, in the frame's aspect.
    return std::max(MIN_FRAME_SIDE, int(std::ceil(double(MIN_FRAME_SIDE) * m_aspect.x / m_aspect.y)));
}

wxImage KelBmpPanel::GetFramedImage() const
{
    if (!m_image.IsOk() || !m_selected)
        return wxImage();

    const wxRect frame = GetFrame().Intersect(m_imageBounds);
    wxRect source(int((frame.x - m_imageOffset.x) / m_scale), int((frame.y - m_imageOffset.y) / m_scale),
                  int(std::lround(frame.width / m_scale)), int(std::lround(frame.height / m_scale)));
    source.Intersect(wxRect(m_image.GetSize()));
    if (source.IsEmpty())
        return wxImage();
    return m_image.GetSubImage(source);
}

void KelBmpPanel::UpdatePreview()
{
    if (!m_preview)
        return;
    const wxSize size = m_preview->GetSize();
    const wxImage framed = GetFramedImage();
    if (!framed.IsOk() || size.x <= 0 || size.y <= 0)
        return;
    m_preview->SetBitmap(wxBitmap(framed.Scale(size.x, size.y, wxIMAGE_QUALITY_HIGH)));
}

// ----------------------------------------------------------------------------
// Drawing
// ----------------------------------------------------------------------------

void KelBmpPanel::ComposePanelBitmap()
{
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;

    wxImage picture(size.x, size.y, false);
    picture.SetRGB(wxRect(size), 255, 255, 255);
    if (m_imageBitmap.IsOk())
        picture.Paste(m_imageBitmap.ConvertToImage(), m_imageOffset.x, m_imageOffset.y);
    if (m_selected)
        DimOutside(picture, m_imageBounds, GetFrame());
    m_panelBitmap = wxBitmap(picture);

    if (m_selected)
    {
        wxMemoryDC dc(m_panelBitmap);
        dc.SetPen(wxPen(*wxWHITE, 1, wxPENSTYLE_SOLID));
        m_frame.DrawEdges(dc);
        dc.SetPen(wxPen(FRAME_COLOUR, 1, wxPENSTYLE_SHORT_DASH));
        m_frame.DrawEdges(dc);
        dc.SetPen(wxPen(FRAME_COLOUR));
        dc.SetBrush(*wxWHITE_BRUSH);
        m_frame.DrawHandles(dc);
    }
    Refresh(false);
}

void KelBmpPanel::OnPaint(wxPaintEvent& WXUNUSED(event))
{
    wxPaintDC dc(this);
    if (m_panelBitmap.IsOk())
        dc.DrawBitmap(m_panelBitmap, 0, 0, true);
    else
        dc.Clear();
}

// ----------------------------------------------------------------------------
// Mouse
// ----------------------------------------------------------------------------

frame_border KelBmpPanel::HitTest(const wxPoint& pt) const
{
    return m_selected ? m_frame.HitTest(pt) : border_none;
}

void KelBmpPanel::SetCursorForPart(frame_border part)
{
    wxStockCursor cursor = KelSelectionFrame::GetCursor(part);
    if (cursor == wxCURSOR_NONE)
    {
        // Where a new frame can be drawn, the cross.
        const bool canDraw = !m_selected && m_imageBounds.Contains(ScreenToClient(wxGetMousePosition()));
        cursor = canDraw ? wxCURSOR_CROSS : wxCURSOR_ARROW;
    }
    if (cursor != m_cursor)
    {
        m_cursor = cursor;
        SetCursor(wxCursor(cursor));
    }
}

void KelBmpPanel::OnLeftDown(wxMouseEvent& event)
{
    if (!m_image.IsOk())
        return;

    const wxPoint pt = event.GetPosition();
    m_dragPart = HitTest(pt);
    m_creating = false;
    if (m_dragPart == border_none)
    {
        if (!m_selected)
        {
            if (!m_imageBounds.Contains(pt))
                return;
            m_creating = true;
            m_anchor = pt;
        }
        else
        {
            // Away from its edges the frame follows the mouse, wherever the
            // press was.
            m_dragPart = border_inside;
        }
    }
    if (m_dragPart == border_inside)
        m_dragOffset = pt - GetFrame().GetTopLeft();
    else if (!m_creating)
        m_anchor = m_frame.GetAnchor(m_dragPart);
    if (!HasCapture())
        CaptureMouse();
}

void KelBmpPanel::OnMouseMove(wxMouseEvent& event)
{
    const wxPoint pt = event.GetPosition();
    if (event.LeftIsDown() && (m_creating || m_dragPart != border_none))
    {
        DragFrameTo(pt);
        return;
    }
    if (event.GetEventType() == wxEVT_MOTION)
        SetCursorForPart(HitTest(pt));
}

void KelBmpPanel::DragFrameTo(const wxPoint& pt)
{
    if (m_dragPart == border_inside)
        MoveFrameTo(pt);
    else
        ResizeFrameTo(pt);
    ComposePanelBitmap();
}

void KelBmpPanel::MoveFrameTo(const wxPoint& pt)
{
    m_frame.MoveTo(pt - m_dragOffset, m_imageBounds);
}

namespace
{

// The direction in which a frame grows from its anchor when `part` is
// dragged, on one axis: +1 or -1, or 0 when it stays centred on the anchor.
int GrowthX(frame_border part)
{
    switch (part)
    {
    case border_top_left:
    case border_bottom_left:
    case border_left:
        return -1;
    case border_top_right:
    case border_bottom_right:
    case border_right:
        return 1;
    default:
        return 0;
    }
}

int GrowthY(frame_border part)
{
    switch (part)
    {
    case border_top_left:
    case border_top_right:
    case border_top:
        return -1;
    case border_bottom_left:
    case border_bottom_right:
    case border_bottom:
        return 1;
    default:
        return 0;
    }
}

// How many pixels a frame may span on one axis from `anchor` (a pixel of the
// frame) in direction `dir` within [low, high].
int Room(int dir, int anchor, int low, int high)
{
    if (dir > 0)
        return high - anchor + 1;
    if (dir < 0)
        return anchor - low + 1;
    return 2 * std::min(anchor - low, high + 1 - anchor);
}

// The first pixel of a span of `length` pixels that grows from `anchor` in
// direction `dir`.
int SpanStart(int dir, int anchor, int length)
{
    if (dir > 0)
        return anchor;
    if (dir < 0)
        return anchor - length + 1;
    return anchor - length / 2;
}

} // anonymous namespace

void KelBmpPanel::ResizeFrameTo(const wxPoint& pt)
{
    if (!m_creating && m_dragPart == border_inside)
        return;
    const int dirX = m_creating ? (pt.x < m_anchor.x ? -1 : 1) : GrowthX(m_dragPart);
    const int dirY = m_creating ? (pt.y < m_anchor.y ? -1 : 1) : GrowthY(m_dragPart);

    // The frame keeps its aspect: its size is `scale` times the aspect, the
    // largest that reaches the pointer on either axis and fits the image.
    const wxRect& b = m_imageBounds;
    const double maxScale = std::min(double(Room(dirX, m_anchor.x, b.x, b.GetRight())) / m_aspect.x,
                                     double(Room(dirY, m_anchor.y, b.y, b.GetBottom())) / m_aspect.y);
    const double minScale = std::min(double(GetMinFrameWidth()) / m_aspect.x, maxScale);
    const double wantX = dirX ? double(dirX * (pt.x - m_anchor.x) + 1) / m_aspect.x : 0.0;
    const double wantY = dirY ? double(dirY * (pt.y - m_anchor.y) + 1) / m_aspect.y : 0.0;
    const double scale = std::max(minScale, std::min(maxScale, std::max(wantX, wantY)));

    const int w = std::max(1, int(scale * m_aspect.x));
    const int h = std::max(1, int(scale * m_aspect.y));
    m_frame.SetRect(wxRect(SpanStart(dirX, m_anchor.x, w), SpanStart(dirY, m_anchor.y, h), w, h));
    m_selected = true;
}

void KelBmpPanel::OnLeftUp(wxMouseEvent& event)
{
    if (HasCapture())
        ReleaseMouse();
    // The release point ends the drag even when no motion reported it; a
    // click beside the frame without a drag puts a frame of the smallest
    // size there.
    if (m_creating || m_dragPart != border_none)
        DragFrameTo(event.GetPosition());
    m_creating = false;
    m_dragPart = border_none;

    m_frame.Normalise();
    ComposePanelBitmap();
    UpdatePreview();
}

void KelBmpPanel::OnRightUp(wxMouseEvent& WXUNUSED(event)) {}

// ----------------------------------------------------------------------------
// KelUserHeadSelect
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(KelUserHeadSelect, wxDialog);

// clang-format off
wxBEGIN_EVENT_TABLE(KelUserHeadSelect, wxDialog)
    EVT_BUTTON(KelUserHeadSelect::ID_BROWSE, KelUserHeadSelect::OnLoadImage)
    EVT_BUTTON(KelUserHeadSelect::ID_CANCEL, KelUserHeadSelect::OnExit)
    EVT_BUTTON(KelUserHeadSelect::ID_OK, KelUserHeadSelect::OnOK)
wxEND_EVENT_TABLE()
// clang-format on

KelUserHeadSelect::KelUserHeadSelect()
{
    AttachMouseHook();
    Init();
}

KelUserHeadSelect::KelUserHeadSelect(wxWindow* parent, wxWindowID id, const wxString& caption,
                                     const wxPoint& pos, const wxSize& size, long style)
{
    AttachMouseHook();
    Init();
    Create(parent, id, caption, pos, size, style);
}

void KelUserHeadSelect::Init()
{
    m_panel = nullptr;
    m_preview = nullptr;
}

bool KelUserHeadSelect::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                               const wxSize& size, long style)
{
    if (!wxDialog::Create(parent, id, caption, pos, size, style))
        return false;
    CreateControls();
    SetEscapeId(ID_CANCEL);
    GetSizer()->SetSizeHints(this);
    Centre();
    return true;
}

void KelUserHeadSelect::CreateControls()
{
    wxPanel* outer =
        new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    const wxSize head = GetStandardHeadSize();

    wxPanel* frame =
        new wxPanel(outer, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSUNKEN_BORDER | wxTAB_TRAVERSAL);
    wxStaticBox* previewBox = new wxStaticBox(outer, ID_TEXT, _("Preview"));
    m_preview = new wxStaticBitmap(previewBox, wxID_ANY, wxNullBitmap, wxDefaultPosition, head);
    m_preview->SetMinSize(head);
    m_panel = new KelBmpPanel(m_preview, frame, ID_IMAGE_PANEL, wxDefaultPosition, FromDIP(IMAGE_PANEL_SIZE));
    m_panel->SetMinSize(FromDIP(IMAGE_PANEL_SIZE));
    wxBoxSizer* frameSizer = new wxBoxSizer(wxVERTICAL);
    frameSizer->Add(m_panel, 1, wxEXPAND);
    frame->SetSizer(frameSizer);

    wxStaticBoxSizer* previewSizer = new wxStaticBoxSizer(previewBox, wxVERTICAL);
    previewSizer->Add(m_preview, 0, wxALIGN_CENTER | wxALL, 8);

    wxBoxSizer* side = new wxBoxSizer(wxVERTICAL);
    side->Add(new wxButton(outer, ID_BROWSE, _("Browse...")), 0, wxEXPAND | wxBOTTOM, 10);
    side->Add(
        new wxStaticText(outer, ID_TEXT, _("Please adjust image \nsize and position for\nyour photo image.")),
        0, wxBOTTOM, 10);
    side->Add(previewSizer, 0, wxEXPAND | wxBOTTOM, 6);
    side->Add(new wxStaticText(outer, wxID_ANY, wxString::Format(_("Standard:%d*%d"), head.x, head.y)));

    wxBoxSizer* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(frame, 1, wxEXPAND | wxRIGHT, 12);
    body->Add(side, 0, wxEXPAND);

    wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(outer, ID_OK, _("OK")), 0, wxRIGHT, 8);
    buttons->Add(new wxButton(outer, ID_CANCEL, _("Cancel")));

    wxBoxSizer* outerSizer = new wxBoxSizer(wxVERTICAL);
    outerSizer->Add(body, 1, wxEXPAND | wxALL, 12);
    outerSizer->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 12);
    outer->SetSizer(outerSizer);

    wxBoxSizer* top = new wxBoxSizer(wxVERTICAL);
    top->Add(outer, 1, wxEXPAND);
    SetSizer(top);
}

void KelUserHeadSelect::SetBitmapScale(int w, int h)
{
    if (w <= 0 || h <= 0)
        return;
    const int width = m_preview->GetSize().x;
    const wxSize size(width, (width / w) * h);
    m_preview->SetMinSize(size);
    m_preview->SetSize(size);
    m_panel->SetAspect(w, h);
    GetSizer()->SetSizeHints(this);
    Layout();
}

void KelUserHeadSelect::LoadImage(const wxImage& image)
{
    if (!image.IsOk())
        return;
    m_image = image;
    m_panel->SetImage(image);
}

void KelUserHeadSelect::OnLoadImage(wxCommandEvent& WXUNUSED(event))
{
    KelFileDialog dialog(this, _("File name:"), wxEmptyString, wxEmptyString,
                         _("Image files (*.bmp;*.jpg)") + "|*.bmp;*.jpg", wxFD_OPEN);
    dialog.Centre();
    if (dialog.ShowModal("SELECT_BITMAP") != wxID_OK)
        return;

    wxLogNull noLog;
    wxImage image;
    if (image.LoadFile(dialog.GetPath(), wxBITMAP_TYPE_ANY))
        LoadImage(image);
}

void KelUserHeadSelect::OnOK(wxCommandEvent& WXUNUSED(event))
{
    m_bitmap = m_preview->GetBitmap();
    KelEndDialog(this, wxID_OK);
}

void KelUserHeadSelect::OnExit(wxCommandEvent& WXUNUSED(event))
{
    m_bitmap = wxNullBitmap;
    KelEndDialog(this, wxID_CANCEL);
}
