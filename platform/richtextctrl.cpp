// The rich text control of the family: image cache folders, animated faces
// and following the end of a growing history.
#include <kelctrls/platform/richtextbase.h>

#include "platform/richtextanimationclock.h"
#include "platform/richtextlayoutdc.h"

#include <wx/caret.h>
#include <wx/dcclient.h>
#include <wx/filename.h>
#include <wx/toplevel.h>

#ifdef __WXGTK3__
#include <cairo.h>
#endif

wxIMPLEMENT_DYNAMIC_CLASS(wxFlagRichTextCtrl, wxRichTextCtrl);

// clang-format off
wxBEGIN_EVENT_TABLE(wxFlagRichTextCtrl, wxRichTextCtrl)
    EVT_PAINT(wxFlagRichTextCtrl::OnPaint)
    EVT_RICHTEXT_CONTENT_INSERTED(wxID_ANY, wxFlagRichTextCtrl::OnContentInserted)
    EVT_IDLE(wxFlagRichTextCtrl::OnIdle)
wxEND_EVENT_TABLE()
// clang-format on

namespace
{
// Calls `visit` for every animated face in the paragraphs of `box` that
// intersect `area` (logical coordinates), descending into nested boxes.
// The paragraphs of a box lie one below the other, so the walk starts at
// the end of the box nearer to `area` and stops past it: a view at the end
// of a long history costs no more than one at the end of a short one.
template <typename Visit>
void ForEachAnimationIn(wxRichTextCompositeObject& box, const wxRect& area, Visit&& visit)
{
    const bool stacked = dynamic_cast<wxRichTextParagraphLayoutBox*>(&box) != nullptr;
    const wxRect boxRect = box.GetRect();
    const bool fromEnd = stacked && area.GetTop() - boxRect.GetTop() > boxRect.GetBottom() - area.GetBottom();
    const wxRichTextObjectList& children = box.GetChildren();
    for (auto node = fromEnd ? children.GetLast() : children.GetFirst(); node;
         node = fromEnd ? node->GetPrevious() : node->GetNext())
    {
        wxRichTextObject* child = node->GetData();
        const wxRect rect = child->GetRect();
        if (stacked && (fromEnd ? rect.GetBottom() < area.GetTop() : rect.GetTop() > area.GetBottom()))
            break;
        if (!child->IsShown() || !area.Intersects(rect))
            continue;
        if (auto animation = dynamic_cast<wxFlagRichTextAnimation*>(child))
            visit(*animation);
        else if (auto composite = dynamic_cast<wxRichTextCompositeObject*>(child))
            ForEachAnimationIn(*composite, area, visit);
    }
}

// Whether nothing but the control's own background lies under `object`.
bool IsOnPlainBackground(const wxRichTextObject& object)
{
    for (const wxRichTextObject* box = object.GetParent(); box; box = box->GetParent())
    {
        if (box->GetAttributes().HasBackgroundColour())
            return false;
    }
    return true;
}

} // namespace

wxFlagRichTextCtrl::wxFlagRichTextCtrl()
{
    Init();
}

wxFlagRichTextCtrl::wxFlagRichTextCtrl(wxWindow* parent, wxWindowID id, const wxString& value,
                                       const wxPoint& pos, const wxSize& size, long style,
                                       const wxValidator& validator, const wxString& name)
{
    Init();
    Create(parent, id, value, pos, size, style, validator, name);
}

wxFlagRichTextCtrl::~wxFlagRichTextCtrl()
{
    wxFlagAnimationClock::Get().Forget(this);
}

void wxFlagRichTextCtrl::Init()
{
    m_followEnd = 0;
    m_wasAtEnd = true;
    m_endPending = false;
}

// ----------------------------------------------------------------------------
// Image cache folders
// ----------------------------------------------------------------------------

void wxFlagRichTextCtrl::AddFileImageBuff(const wxString& folder)
{
    if (!folder.empty() && m_imageFolders.Index(folder) == wxNOT_FOUND)
        m_imageFolders.Add(folder);
}

wxString wxFlagRichTextCtrl::GetFileImageMainBuff() const
{
    return m_imageFolders.IsEmpty() ? wxString() : m_imageFolders[0];
}

wxString wxFlagRichTextCtrl::FindFileInImageBuff(const wxString& name) const
{
    for (const wxString& folder : m_imageFolders)
    {
        const wxString path = folder + wxFILE_SEP_PATH + name;
        if (wxFileName::FileExists(path))
            return path;
    }
    return wxString();
}

// ----------------------------------------------------------------------------
// Writing faces and pictures
// ----------------------------------------------------------------------------

bool wxFlagRichTextCtrl::WriteAnimation(const wxString& file, int type)
{
    return WriteAnimation(wxFlagRichTextAnimation(file, type));
}

bool wxFlagRichTextCtrl::WriteAnimation(const wxFlagRichTextAnimation& animation)
{
    if (HasSelection() && IsEditable())
        DeleteSelectedContent();
    auto object = static_cast<wxFlagRichTextAnimation*>(animation.Clone());
    object->SetAttributes(GetDefaultStyleEx());
    const wxRichTextObject* inserted = GetFocusObject()->InsertObjectWithUndo(
        &GetBuffer(), GetCaretPosition() + 1, object, this, wxRICHTEXT_INSERT_WITH_PREVIOUS_PARAGRAPH_STYLE);
    return inserted != nullptr;
}

bool wxFlagRichTextCtrl::WriteImageBlock(const wxFlagRichTextImageBlock& block)
{
    if (!block.IsOk())
        return false;
    if (HasSelection() && IsEditable())
        DeleteSelectedContent();
    const long position = GetCaretPosition() + 1;
    if (!GetFocusObject()->InsertImageWithUndo(&GetBuffer(), position, block, this, 0, GetDefaultStyleEx()))
        return false;
    if (!block.GetFilePath().empty())
    {
        wxRichTextObject* inserted = GetFocusObject()->GetLeafObjectAtPosition(position);
        if (auto image = dynamic_cast<wxRichTextImage*>(inserted))
            image->GetProperties().SetProperty("file", block.GetFilePath());
    }
    return true;
}

// ----------------------------------------------------------------------------
// Attributes
// ----------------------------------------------------------------------------

bool wxFlagRichTextCtrl::GetStyle(long position, wxFlagRichTextAttr& style)
{
    return wxRichTextCtrl::GetStyle(position, static_cast<wxRichTextAttr&>(style));
}

bool wxFlagRichTextCtrl::GetStyle(long position, wxFlagTextAttrEx& style)
{
    return wxRichTextCtrl::GetStyle(position, static_cast<wxTextAttr&>(style));
}

// ----------------------------------------------------------------------------
// Animation
// ----------------------------------------------------------------------------

void wxFlagRichTextCtrl::KeepAnimating(wxLongLong due)
{
    if (CanBeSeen())
        wxFlagAnimationClock::Get().WakeAt(this, due);
}

bool wxFlagRichTextCtrl::IsAnimating() const
{
    return wxFlagAnimationClock::Get().IsWaiting(this);
}

wxRect wxFlagRichTextCtrl::PhysicalRect(const wxRichTextObject& object) const
{
    wxRect rect = GetScaledRect(object.GetRect());
    rect.SetPosition(GetPhysicalPoint(rect.GetPosition()));
    return rect;
}

bool wxFlagRichTextCtrl::CanBeSeen() const
{
    if (!IsShownOnScreen())
        return false;
    auto top =
        dynamic_cast<const wxTopLevelWindow*>(wxGetTopLevelParent(const_cast<wxFlagRichTextCtrl*>(this)));
    return !top || !top->IsIconized();
}

// Faces out of view, or in a control that cannot be seen, rest until they
// are painted again.
wxLongLong wxFlagRichTextCtrl::AdvanceAnimations(wxLongLong now)
{
    if (!CanBeSeen())
        return -1;
    const wxRect visible(GetUnscaledPoint(GetLogicalPoint(wxPoint(0, 0))), GetUnscaledSize(GetClientSize()));
    const wxRect client(GetClientSize());
    wxLongLong next = -1;
    ForEachAnimationIn(GetBuffer(), visible,
                       [&](wxFlagRichTextAnimation& animation)
                       {
                           const wxLongLong change = animation.GetNextFrameChange(now);
                           if (change < 0)
                               return;
                           if (next < 0 || change < next)
                               next = change;
                           if (animation.GetDrawnFrame() == int(animation.GetFrameAt(now)))
                               return;
                           wxRect area = PhysicalRect(animation).Intersect(client);
                           if (area.IsEmpty())
                               return;
                           RefreshRect(area, false);
                           if (IsOnPlainBackground(animation))
                               m_refreshedFaces.Union(area);
                       });
    return next;
}

void wxFlagRichTextCtrl::Refresh(bool eraseBackground, const wxRect* rect)
{
    if (rect && (rect->width <= 0 || rect->height <= 0))
        return;
    wxRichTextCtrl::Refresh(eraseBackground, rect);
}

void wxFlagRichTextCtrl::DoLayoutBuffer(wxRichTextBuffer& buffer, wxDC& dc, wxRichTextDrawingContext& context,
                                        const wxRect& rect, const wxRect& parentRect, int flags)
{
    const std::unique_ptr<wxFlagLayoutDC> measuring = wxFlagLayoutDC::MeasuringAs(dc);
    wxRichTextCtrl::DoLayoutBuffer(buffer, measuring ? *measuring : dc, context, rect, parentRect, flags);
}

void wxFlagRichTextCtrl::OnPaint(wxPaintEvent& event)
{
    const bool facesOnly = CanPaintFacesOnly();
    m_refreshedFaces.Clear();
    if (facesOnly)
        PaintFaces();
    else
        wxRichTextCtrl::OnPaint(event);
}

bool wxFlagRichTextCtrl::CanPaintFacesOnly()
{
    if (m_refreshedFaces.IsEmpty() || IsFrozen() || GetBuffer().IsDirty())
        return false;
    wxRegion rest = ExactUpdateRegion();
    rest.Subtract(m_refreshedFaces);
    if (!rest.IsEmpty())
        return false;
    // The caret is drawn with the text.
    const wxCaret* caret = GetCaret();
    return !caret || !caret->IsVisible() ||
           GetUpdateRegion().Contains(wxRect(caret->GetPosition(), caret->GetSize())) == wxOutRegion;
}

// On GTK 3 the toolkit gives the paint handler only the bounding box of
// what is to be painted; the rectangles themselves are the clip of the
// paint context.
wxRegion wxFlagRichTextCtrl::ExactUpdateRegion() const
{
#ifdef __WXGTK3__
    if (cairo_t* context = GTKPaintContext())
    {
        cairo_rectangle_list_t* rects = cairo_copy_clip_rectangle_list(context);
        if (rects->status == CAIRO_STATUS_SUCCESS)
        {
            wxRegion region;
            for (int i = 0; i < rects->num_rectangles; ++i)
            {
                const cairo_rectangle_t& r = rects->rectangles[i];
                region.Union(wxRect(int(r.x), int(r.y), int(r.width), int(r.height)));
            }
            cairo_rectangle_list_destroy(rects);
            return region;
        }
        cairo_rectangle_list_destroy(rects);
    }
#endif
    return GetUpdateRegion();
}

// What the toolkit's paint draws where a face is, given that the face lies
// on the plain background: the background, then the face.
void wxFlagRichTextCtrl::PaintFaces()
{
    wxPaintDC dc(this);
    PrepareDC(dc);
    PaintBackground(dc);

    wxRect area(GetUpdateRegion().GetBox());
    area.SetPosition(GetUnscaledPoint(GetLogicalPoint(area.GetPosition())));
    area.SetSize(GetUnscaledSize(area.GetSize()));
    dc.SetUserScale(GetScale(), GetScale());
    wxRichTextDrawingContext context(&GetBuffer());
    ForEachAnimationIn(GetBuffer(), area,
                       [&](wxFlagRichTextAnimation& animation)
                       {
                           if (GetUpdateRegion().Contains(PhysicalRect(animation)) == wxOutRegion)
                               return;
                           animation.Draw(dc, context, animation.GetRange(), GetSelection(),
                                          animation.GetRect(), 0, 0);
                       });
    dc.SetUserScale(1.0, 1.0);
}

// ----------------------------------------------------------------------------
// Following the end
// ----------------------------------------------------------------------------

bool wxFlagRichTextCtrl::IsViewAtEnd() const
{
    int unitX, unitY;
    GetScrollPixelsPerUnit(&unitX, &unitY);
    const int viewBottom = GetViewStart().y * unitY + GetClientSize().y;
    return viewBottom + unitY >= GetVirtualSize().y;
}

void wxFlagRichTextCtrl::OnContentInserted(wxRichTextEvent& event)
{
    event.Skip();
    // The scroll waits for the next idle time, when the new content is laid
    // out.
    if (m_followEnd && m_wasAtEnd && event.GetRange().GetEnd() + 1 >= GetLastPosition())
        m_endPending = true;
}

// Scrolls by the laid-out height rather than to the last line, whose place
// may not be known yet. The end stays pending until reached.
void wxFlagRichTextCtrl::ScrollToEndIfPending()
{
    if (!m_endPending)
        return;
    int unitX, unitY;
    GetScrollPixelsPerUnit(&unitX, &unitY);
    if (unitY > 0)
        Scroll(-1, (GetVirtualSize().y + unitY - 1) / unitY);
    m_endPending = !IsViewAtEnd();
}

void wxFlagRichTextCtrl::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    // Only the reader moves the view away from the end, and a hidden view
    // cannot be read; nor does it scroll along with its growing content.
    if (!IsShownOnScreen())
        return;
    ScrollToEndIfPending();
    if (!m_endPending)
        m_wasAtEnd = IsViewAtEnd();
}
