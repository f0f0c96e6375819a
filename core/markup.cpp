#include <kelctrls/core/markup.h>

wxString KelEscapeMarkup(const wxString& text)
{
    if (text.find_first_of("&<>\"") == wxString::npos)
        return text;

    wxString escaped;
    escaped.reserve(text.length() + 16);
    for (const wxUniChar c : text)
    {
        switch (c.GetValue())
        {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
            break;
        }
    }
    return escaped;
}
