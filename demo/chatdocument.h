// Pieces of chat documents, the format in which the demo's messages are
// shown and sent: text runs, faces by key, paragraphs.
#ifndef KELCTRLS_DEMO_CHATDOCUMENT_H
#define KELCTRLS_DEMO_CHATDOCUMENT_H

#include <wx/string.h>

wxString Escaped(const wxString& text);
// A run of text.
wxString Text(const wxString& text);
// A face by its key ("/smile").
wxString Face(const wxString& key);
// A whole document around some paragraphs.
wxString Document(const wxString& paragraphs);
wxString BodyParagraph(const wxString& content);

#endif
