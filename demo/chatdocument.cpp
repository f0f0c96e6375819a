#include "chatdocument.h"

wxString Escaped(const wxString& text)
{
    wxString escaped = text;
    escaped.Replace("&", "&amp;");
    escaped.Replace("<", "&lt;");
    escaped.Replace(">", "&gt;");
    return escaped;
}

wxString Text(const wxString& text)
{
    return "<text>\"" + Escaped(text) + "\"</text>";
}

wxString Face(const wxString& key)
{
    return "<animation><animationKey>" + key +
           "</animationKey><animationType>1</animationType>"
           "</animation>";
}

wxString Document(const wxString& paragraphs)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><richtext version=\"1.0.0.0\">"
           "<paragraphlayout>" +
           paragraphs + "</paragraphlayout></richtext>";
}

wxString BodyParagraph(const wxString& content)
{
    return "<paragraph parspacingafter=\"20\">" + content + "</paragraph>";
}
