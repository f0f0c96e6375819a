// Buffer, style sheet and image block of the rich text family.
#include <kelctrls/platform/richtextbase.h>

wxIMPLEMENT_DYNAMIC_CLASS(wxFlagRichTextBuffer, wxRichTextBuffer);
wxIMPLEMENT_DYNAMIC_CLASS(wxFlagRichTextStyleSheet, wxRichTextStyleSheet);
wxIMPLEMENT_DYNAMIC_CLASS(wxFlagRichTextImageBlock, wxRichTextImageBlock);

void wxFlagRichTextBuffer::AddHandler(wxRichTextFileHandler* handler)
{
    wxList& handlers = GetHandlers();
    for (wxList::compatibility_iterator node = handlers.GetFirst(); node; node = node->GetNext())
    {
        auto registered = static_cast<wxRichTextFileHandler*>(node->GetData());
        if (registered == handler)
            return;
        if (registered->GetName() == handler->GetName() && registered->GetType() == handler->GetType())
        {
            handlers.Erase(node);
            delete registered;
            break;
        }
    }
    wxRichTextBuffer::AddHandler(handler);
}
