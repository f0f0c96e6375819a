#include <kelctrls/dialogs/userheadselect.h>
#include <kelctrls/dialogs/filedialog.h>
#include <kelctrls/messaging/events.h>
#include <kelctrls/skin.h>

#include "dialogs/enddialog.h"

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
#include <cstdlib>

namespace
{

const int EDGE_TOLERANCE = 3;
const int HANDLE_SIZE = 7;
const int MIN_FRAME_SIDE = 12;
const wxSize DEFAULT_HEAD_SIZE(96, 96);
const wxSize IMAGE_PANEL_SIZE(320, 300);

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

wxBEGIN_EVENT_TABLE(KelBmpPanel, wxPanel) EVT_PAINT(KelBmpPanel::OnPaint) EVT_MOTION(KelBmpPanel::OnMouseMove)
    EVT_LEAVE_WINDOW(KelBmpPanel::OnMouseMove) EVT_LEFT_DOWN(KelBmpPanel::OnLeftDown)
        EVT_LEFT_UP(KelBmpPanel::OnLeftUp) EVT_RIGHT_UP(KelBmpPanel::OnRightUp) wxEND_EVENT_TABLE()

            KelBmpPanel::KelBmpPanel()
{
    Init();
}

KelBmpPanel::KelBmpPanel(wxStaticBitmap* preview, wxWindow* parent, wxWindowID id, const wxPoint& pos,
                         const wxSize& size, long style)
{
    Init();
    m_preview = preview;
    Create(parent, id, pos, size, style);
    SetBackgroundColour(*wxWHITE);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    const wxSize head = GetStandardHeadSize();
    SetAspect(head.x, head.y);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_dragZone = Zone_Outside; });
}

void KelBmpPanel::Init()
{
    m_selected = false;
    m_creating = false;
    m_scale = 1.0;
    m_cursor = wxCURSOR_ARROW;
    m_preview = nullptr;
    m_aspect = wxSize(1, 1);
    m_dragZone = Zone_Outside;
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
    return wxRect(m_frameStart, m_frameEnd);
}

void KelBmpPanel::SetFrame(const wxRect& frame)
{
    const wxRect inside = frame.Intersect(m_imageBounds);
    if (inside.IsEmpty())
        return;
    m_frameStart = inside.GetTopLeft();
    m_frameEnd = inside.GetBottomRight();
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
    m_frameStart = wxPoint(centre.x - w / 2, centre.y - h / 2);
    m_frameEnd = m_frameStart + wxPoint(w - 1, h - 1);
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
        const wxRect frame = GetFrame();
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.SetPen(wxPen(*wxWHITE, 1, wxPENSTYLE_SOLID));
        dc.DrawRectangle(frame);
        dc.SetPen(wxPen(wxColour(40, 110, 200), 1, wxPENSTYLE_SHORT_DASH));
        dc.DrawRectangle(frame);

        dc.SetPen(wxPen(wxColour(40, 110, 200)));
        dc.SetBrush(*wxWHITE_BRUSH);
        const int right = frame.GetRight();
        const int bottom = frame.GetBottom();
        const int midX = frame.x + frame.width / 2;
        const int midY = frame.y + frame.height / 2;
        const wxPoint handles[] = {wxPoint(frame.x, frame.y), wxPoint(midX, frame.y), wxPoint(right, frame.y),
                                   wxPoint(right, midY),      wxPoint(right, bottom), wxPoint(midX, bottom),
                                   wxPoint(frame.x, bottom),  wxPoint(frame.x, midY)};
        for (const wxPoint& handle : handles)
            dc.DrawRectangle(handle.x - HANDLE_SIZE / 2, handle.y - HANDLE_SIZE / 2, HANDLE_SIZE,
                             HANDLE_SIZE);
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

KelBmpPanel::Zone KelBmpPanel::HitTest(const wxPoint& pt) const
{
    if (!m_selected)
        return Zone_Outside;

    const wxRect frame = GetFrame();
    const int right = frame.x + frame.width - 1;
    const int bottom = frame.y + frame.height - 1;
    const bool withinX = pt.x >= frame.x - EDGE_TOLERANCE && pt.x <= right + EDGE_TOLERANCE;
    const bool withinY = pt.y >= frame.y - EDGE_TOLERANCE && pt.y <= bottom + EDGE_TOLERANCE;
    if (!withinX || !withinY)
        return Zone_Outside;

    const bool left = std::abs(pt.x - frame.x) <= EDGE_TOLERANCE;
    const bool rightEdge = std::abs(pt.x - right) <= EDGE_TOLERANCE;
    const bool top = std::abs(pt.y - frame.y) <= EDGE_TOLERANCE;
    const bool bottomEdge = std::abs(pt.y - bottom) <= EDGE_TOLERANCE;
    if (top && left)
        return Zone_TopLeft;
    if (top && rightEdge)
        return Zone_TopRight;
    if (bottomEdge && left)
        return Zone_BottomLeft;
    if (bottomEdge && rightEdge)
        return Zone_BottomRight;
    if (left)
        return Zone_Left;
    if (rightEdge)
        return Zone_Right;
    if (top)
        return Zone_Top;
    if (bottomEdge)
        return Zone_Bottom;
    return Zone_Inside;
}

void KelBmpPanel::SetCursorForZone(Zone zone)
{
    wxStockCursor cursor = wxCURSOR_ARROW;
    switch (zone)
    {
    case Zone_Outside:
        cursor = !m_selected && m_imageBounds.Contains(ScreenToClient(wxGetMousePosition())) ? wxCURSOR_CROSS
                                                                                             : wxCURSOR_ARROW;
        break;
    case Zone_Inside:
        cursor = wxCURSOR_SIZING;
        break;
    case Zone_Left:
    case Zone_Right:
        cursor = wxCURSOR_SIZEWE;
        break;
    case Zone_Top:
    case Zone_Bottom:
        cursor = wxCURSOR_SIZENS;
        break;
    case Zone_TopLeft:
    case Zone_BottomRight:
        cursor = wxCURSOR_SIZENWSE;
        break;
    case Zone_TopRight:
    case Zone_BottomLeft:
        cursor = wxCURSOR_SIZENESW;
        break;
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
    const Zone zone = HitTest(pt);
    const wxRect frame = GetFrame();
    const wxPoint centre(frame.x + frame.width / 2, frame.y + frame.height / 2);
    const int right = frame.x + frame.width;
    const int bottom = frame.y + frame.height;

    m_dragZone = zone;
    m_creating = false;
    switch (zone)
    {
    case Zone_Outside:
        if (!m_selected)
        {
            if (!m_imageBounds.Contains(pt))
                return;
            m_creating = true;
            m_anchor = pt;
            break;
        }
        // Away from its edges the frame follows the mouse, wherever the
        // press was.
        m_dragZone = Zone_Inside;
        wxFALLTHROUGH;
    case Zone_Inside:
        m_dragOffset = pt - frame.GetTopLeft();
        break;
    case Zone_TopLeft:
        m_anchor = wxPoint(right, bottom);
        break;
    case Zone_TopRight:
        m_anchor = wxPoint(frame.x, bottom);
        break;
    case Zone_BottomLeft:
        m_anchor = wxPoint(right, frame.y);
        break;
    case Zone_BottomRight:
        m_anchor = frame.GetTopLeft();
        break;
    case Zone_Left:
        m_anchor = wxPoint(right, centre.y);
        break;
    case Zone_Right:
        m_anchor = wxPoint(frame.x, centre.y);
        break;
    case Zone_Top:
        m_anchor = wxPoint(centre.x, bottom);
        break;
    case Zone_Bottom:
        m_anchor = wxPoint(centre.x, frame.y);
        break;
    }
    if (!HasCapture())
        CaptureMouse();
}

void KelBmpPanel::OnMouseMove(wxMouseEvent& event)
{
    const wxPoint pt = event.GetPosition();
    if (event.LeftIsDown() && (m_creating || m_dragZone != Zone_Outside))
    {
        DragFrameTo(pt);
        return;
    }
    if (event.GetEventType() == wxEVT_MOTION)
        SetCursorForZone(HitTest(pt));
}

void KelBmpPanel::DragFrameTo(const wxPoint& pt)
{
    if (m_dragZone == Zone_Inside)
        MoveFrameTo(pt);
    else
        ResizeFrameTo(pt);
    ComposePanelBitmap();
}

void KelBmpPanel::MoveFrameTo(const wxPoint& pt)
{
    const wxRect frame = GetFrame();
    const int x = std::max(m_imageBounds.x, std::min(pt.x - m_dragOffset.x,
                                                     m_imageBounds.x + m_imageBounds.width - frame.width));
    const int y = std::max(m_imageBounds.y, std::min(pt.y - m_dragOffset.y,
                                                     m_imageBounds.y + m_imageBounds.height - frame.height));
    m_frameStart = wxPoint(x, y);
    m_frameEnd = wxPoint(x + frame.width - 1, y + frame.height - 1);
}

void KelBmpPanel::ResizeFrameTo(const wxPoint& pt)
{
    // The direction in which the frame grows from the anchor on each axis:
    // +1 or -1, or 0 when the frame stays centred on the anchor there.
    int dirX = 0;
    int dirY = 0;
    switch (m_creating ? Zone_Outside : m_dragZone)
    {
    case Zone_TopLeft:
        dirX = -1;
        dirY = -1;
        break;
    case Zone_TopRight:
        dirX = 1;
        dirY = -1;
        break;
    case Zone_BottomLeft:
        dirX = -1;
        dirY = 1;
        break;
    case Zone_BottomRight:
        dirX = 1;
        dirY = 1;
        break;
    case Zone_Left:
        dirX = -1;
        break;
    case Zone_Right:
        dirX = 1;
        break;
    case Zone_Top:
        dirY = -1;
        break;
    case Zone_Bottom:
        dirY = 1;
        break;
    case Zone_Outside:
        dirX = pt.x < m_anchor.x ? -1 : 1;
        dirY = pt.y < m_anchor.y ? -1 : 1;
        break;
    case Zone_Inside:
        return;
    }

    const wxRect& b = m_imageBounds;
    const int boundsRight = b.x + b.width;
    const int boundsBottom = b.y + b.height;
    const auto room = [](int dir, int anchor, int low, int high)
    {
        if (dir > 0)
            return high - anchor;
        if (dir < 0)
            return anchor - low;
        return 2 * std::min(anchor - low, high - anchor);
    };
    const double maxScale = std::min(double(room(dirX, m_anchor.x, b.x, boundsRight)) / m_aspect.x,
                                     double(room(dirY, m_anchor.y, b.y, boundsBottom)) / m_aspect.y);
    const double minScale = std::min(double(GetMinFrameWidth()) / m_aspect.x, maxScale);

    const double wantX = dirX ? double(dirX * (pt.x - m_anchor.x)) / m_aspect.x : 0.0;
    const double wantY = dirY ? double(dirY * (pt.y - m_anchor.y)) / m_aspect.y : 0.0;
    const double scale = std::max(minScale, std::min(maxScale, std::max(wantX, wantY)));

    const int w = std::max(1, int(scale * m_aspect.x));
    const int h = std::max(1, int(scale * m_aspect.y));
    const int x = dirX > 0 ? m_anchor.x : (dirX < 0 ? m_anchor.x - w : m_anchor.x - w / 2);
    const int y = dirY > 0 ? m_anchor.y : (dirY < 0 ? m_anchor.y - h : m_anchor.y - h / 2);
    m_frameStart = wxPoint(x, y);
    m_frameEnd = wxPoint(x + w - 1, y + h - 1);
    m_selected = true;
}

void KelBmpPanel::OnLeftUp(wxMouseEvent& event)
{
    if (HasCapture())
        ReleaseMouse();
    // The release point ends the drag even when no motion reported it; a
    // click beside the frame without a drag puts a frame of the smallest
    // size there.
    if (m_creating || m_dragZone != Zone_Outside)
        DragFrameTo(event.GetPosition());
    m_creating = false;
    m_dragZone = Zone_Outside;

    const wxRect frame = GetFrame();
    m_frameStart = frame.GetTopLeft();
    m_frameEnd = frame.GetBottomRight();
    ComposePanelBitmap();
    UpdatePreview();
}

void KelBmpPanel::OnRightUp(wxMouseEvent& WXUNUSED(event)) {}

// ----------------------------------------------------------------------------
// KelUserHeadSelect
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(KelUserHeadSelect, wxDialog);

wxBEGIN_EVENT_TABLE(KelUserHeadSelect, wxDialog)
    EVT_BUTTON(KelUserHeadSelect::ID_BROWSE, KelUserHeadSelect::OnLoadImage)
        EVT_BUTTON(KelUserHeadSelect::ID_CANCEL, KelUserHeadSelect::OnExit)
            EVT_BUTTON(KelUserHeadSelect::ID_OK, KelUserHeadSelect::OnOK) wxEND_EVENT_TABLE()

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
    wxStaticBox* previewBox = new wxStaticBox(outer, ID_TEXT, wxGetTranslation("Preview"));
    m_preview = new wxStaticBitmap(previewBox, wxID_ANY, wxNullBitmap, wxDefaultPosition, head);
    m_preview->SetMinSize(head);
    m_panel = new KelBmpPanel(m_preview, frame, ID_IMAGE_PANEL, wxDefaultPosition, IMAGE_PANEL_SIZE);
    m_panel->SetMinSize(IMAGE_PANEL_SIZE);
    wxBoxSizer* frameSizer = new wxBoxSizer(wxVERTICAL);
    frameSizer->Add(m_panel, 1, wxEXPAND);
    frame->SetSizer(frameSizer);

    wxStaticBoxSizer* previewSizer = new wxStaticBoxSizer(previewBox, wxVERTICAL);
    previewSizer->Add(m_preview, 0, wxALIGN_CENTER | wxALL, 8);

    wxBoxSizer* side = new wxBoxSizer(wxVERTICAL);
    side->Add(new wxButton(outer, ID_BROWSE, wxGetTranslation("Browse...")), 0, wxEXPAND | wxBOTTOM, 10);
    side->Add(
        new wxStaticText(outer, ID_TEXT,
                         wxGetTranslation("Please adjust image \nsize and position for\nyour photo image.")),
        0, wxBOTTOM, 10);
    side->Add(previewSizer, 0, wxEXPAND | wxBOTTOM, 6);
    side->Add(new wxStaticText(outer, wxID_ANY,
                               wxString::Format(wxGetTranslation("Standard:%d*%d"), head.x, head.y)));

    wxBoxSizer* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(frame, 1, wxEXPAND | wxRIGHT, 12);
    body->Add(side, 0, wxEXPAND);

    wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(outer, ID_OK, wxGetTranslation("OK")), 0, wxRIGHT, 8);
    buttons->Add(new wxButton(outer, ID_CANCEL, wxGetTranslation("Cancel")));

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
    KelFileDialog dialog(this, wxGetTranslation("File name:"), wxEmptyString, wxEmptyString,
                         "Image files (*.bmp;*.jpg)|*.bmp;*.jpg", wxFD_OPEN);
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
