// The rich text control of the family: image cache folders, animated faces
// and following the end of a growing history.
#include <kelctrls/platform/richtextbase.h>

#include <wx/filename.h>

wxIMPLEMENT_DYNAMIC_CLASS(wxFlagRichTextCtrl, wxRichTextCtrl);

wxBEGIN_EVENT_TABLE(wxFlagRichTextCtrl, wxRichTextCtrl)
    EVT_TIMER(wxID_ANY, wxFlagRichTextCtrl::OnAnimationTimer)
        EVT_RICHTEXT_CONTENT_INSERTED(wxID_ANY, wxFlagRichTextCtrl::OnContentInserted)
            EVT_IDLE(wxFlagRichTextCtrl::OnIdle) wxEND_EVENT_TABLE()

                namespace
{
    // Calls `visit` for every animated face in the paragraphs of `box` that
    // intersect `area` (logical coordinates), descending into nested boxes.
    template <typename Visit>
    void ForEachAnimationIn(wxRichTextCompositeObject & box, const wxRect& area, Visit&& visit)
    {
        for (wxRichTextObjectList::compatibility_iterator node = box.GetChildren().GetFirst(); node;
             node = node->GetNext())
        {
            wxRichTextObject* child = node->GetData();
            if (auto animation = dynamic_cast<wxFlagRichTextAnimation*>(child))
            {
                if (animation->IsShown() && area.Intersects(animation->GetRect()))
                    visit(*animation);
            }
            else if (auto composite = dynamic_cast<wxRichTextCompositeObject*>(child))
            {
                if (composite->IsShown() && area.Intersects(composite->GetRect()))
                    ForEachAnimationIn(*composite, area, visit);
            }
        }
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
    m_animationTimer.Stop();
}

void wxFlagRichTextCtrl::Init()
{
    m_followEnd = 0;
    m_wasAtEnd = true;
    m_endPending = false;
    m_animationTimer.SetOwner(this);
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

void wxFlagRichTextCtrl::KeepAnimating()
{
    if (!m_animationTimer.IsRunning())
        m_animationTimer.Start(AnimationTick);
}

int wxFlagRichTextCtrl::RefreshAnimations()
{
    const wxRect visible(GetUnscaledPoint(GetLogicalPoint(wxPoint(0, 0))), GetUnscaledSize(GetClientSize()));
    const wxLongLong now = wxGetLocalTimeMillis();
    int animated = 0;
    ForEachAnimationIn(GetBuffer(), visible,
                       [&](wxFlagRichTextAnimation& animation)
                       {
                           if (animation.GetFrameCount() < 2)
                               return;
                           ++animated;
                           if (animation.GetDrawnFrame() != int(animation.GetFrameAt(now)))
                           {
                               wxRect area = GetScaledRect(animation.GetRect());
                               area.SetPosition(GetPhysicalPoint(area.GetPosition()));
                               RefreshRect(area, false);
                           }
                       });
    return animated;
}

void wxFlagRichTextCtrl::Refresh(bool eraseBackground, const wxRect* rect)
{
    if (rect && (rect->width <= 0 || rect->height <= 0))
        return;
    wxRichTextCtrl::Refresh(eraseBackground, rect);
}

void wxFlagRichTextCtrl::OnAnimationTimer(wxTimerEvent& event)
{
    if (&event.GetTimer() != &m_animationTimer)
    {
        event.Skip();
        return;
    }
    // Faces out of view or in a hidden control rest until painted again.
    if (!IsShownOnScreen() || RefreshAnimations() == 0)
        m_animationTimer.Stop();
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
