// XML reading and writing of the rich text family.
#include <kelctrls/platform/richtextbase.h>

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <cstring>
#include <string>

wxIMPLEMENT_DYNAMIC_CLASS(wxFlagRichTextXMLHandler, wxRichTextXMLHandler);

namespace
{

const char* FindText(const char* from, const char* end, const char* text)
{
    const size_t length = std::strlen(text);
    for (const char* p = from; p + length <= end; ++p)
    {
        if (std::memcmp(p, text, length) == 0)
            return p + length;
    }
    return end;
}

bool StartsWith(const char* p, const char* end, const char* text)
{
    const size_t length = std::strlen(text);
    return size_t(end - p) >= length && std::memcmp(p, text, length) == 0;
}

// The end of the tag starting at `p` (just past its '>'), skipping quoted
// attribute values.
const char* SkipTag(const char* p, const char* end)
{
    char quote = 0;
    for (; p < end; ++p)
    {
        if (quote)
        {
            if (*p == quote)
                quote = 0;
        }
        else if (*p == '"' || *p == '\'')
            quote = *p;
        else if (*p == '>')
            return p + 1;
    }
    return end;
}

// The XML parser and document tree recurse per element level, so a hostile
// document could exhaust the stack; measure its nesting before parsing.
// Malformed markup is left for the parser to reject.
bool NestingWithin(const char* text, size_t size, int maxDepth)
{
    const char* end = text + size;
    int depth = 0;
    for (const char* p = text; p < end;)
    {
        if (*p != '<')
        {
            ++p;
            continue;
        }
        if (StartsWith(p, end, "<!--"))
            p = FindText(p + 4, end, "-->");
        else if (StartsWith(p, end, "<![CDATA["))
            p = FindText(p + 9, end, "]]>");
        else if (StartsWith(p, end, "<?"))
            p = FindText(p + 2, end, "?>");
        else if (StartsWith(p, end, "<!") || StartsWith(p, end, "</"))
        {
            if (p[1] == '/')
                --depth;
            p = SkipTag(p + 2, end);
        }
        else
        {
            const char* close = SkipTag(p + 1, end);
            if (!(close - p >= 2 && close[-1] == '>' && close[-2] == '/') && ++depth > maxDepth)
                return false;
            p = close;
        }
    }
    return true;
}

bool ReadAll(wxInputStream& in, wxMemoryBuffer& bytes)
{
    char chunk[16384];
    for (;;)
    {
        in.Read(chunk, sizeof(chunk));
        const size_t read = in.LastRead();
        if (read == 0)
            break;
        bytes.AppendData(chunk, read);
    }
    return in.GetLastError() == wxSTREAM_NO_ERROR || in.GetLastError() == wxSTREAM_EOF;
}

template <typename Dimension>
void LimitDimension(Dimension& dimension, int limit)
{
    if (dimension.IsValid() && (dimension.GetValue() > limit || dimension.GetValue() < -limit))
        dimension.Reset();
}

// Keeps received documents from asking for absurd fonts, indents or sizes
// that would take the layout down with them.
void LimitAttributes(wxRichTextAttr& attr)
{
    constexpr int MaxFontSize = 144;
    constexpr int MaxIndent = 2000;   // tenths of a millimetre
    constexpr int MaxExtent = 4096;
    if (attr.HasFontSize() && (attr.GetFontSize() < 1 || attr.GetFontSize() > MaxFontSize))
        attr.SetFontSize(wxClip(attr.GetFontSize(), 1, MaxFontSize));
    if (attr.HasLeftIndent()
        && (std::abs(attr.GetLeftIndent()) > MaxIndent
            || std::abs(attr.GetLeftSubIndent()) > MaxIndent))
        attr.SetLeftIndent(0, 0);
    if (attr.HasRightIndent() && std::abs(attr.GetRightIndent()) > MaxIndent)
        attr.SetRightIndent(0);
    wxTextBoxAttr& box = attr.GetTextBoxAttr();
    LimitDimension(box.GetWidth(), MaxExtent);
    LimitDimension(box.GetHeight(), MaxExtent);
    LimitDimension(box.GetMinSize().GetWidth(), MaxExtent);
    LimitDimension(box.GetMinSize().GetHeight(), MaxExtent);
    LimitDimension(box.GetMaxSize().GetWidth(), MaxExtent);
    LimitDimension(box.GetMaxSize().GetHeight(), MaxExtent);
}

// Collects written bytes in memory, growing geometrically.
class ByteCollector : public wxOutputStream
{
public:
    const std::string& GetBytes() const { return m_bytes; }

protected:
    size_t OnSysWrite(const void* buffer, size_t size) override
    {
        m_bytes.append(static_cast<const char*>(buffer), size);
        return size;
    }
    wxFileOffset OnSysTell() const override { return wxFileOffset(m_bytes.size()); }

private:
    std::string m_bytes;
};

bool IsElement(const wxXmlNode* node)
{
    return node->GetType() == wxXML_ELEMENT_NODE;
}

} // namespace

wxFlagRichTextXMLHandler::wxFlagRichTextXMLHandler(const wxString& name, const wxString& ext,
                                                   int type)
    : wxRichTextXMLHandler(name, ext, type)
{
}

void wxFlagRichTextXMLHandler::LoadHandles()
{
    RegisterNodeName("animation", "wxFlagRichTextAnimation");
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG))
        wxImage::AddHandler(new wxJPEGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_GIF))
        wxImage::AddHandler(new wxGIFHandler);
}

// ----------------------------------------------------------------------------
// Writing
// ----------------------------------------------------------------------------

void wxFlagRichTextXMLHandler::OutputString(wxOutputStream& stream, const wxString& text)
{
    const wxScopedCharBuffer utf8 = text.utf8_str();
    stream.Write(utf8.data(), utf8.length());
}

void wxFlagRichTextXMLHandler::OutputStringEnt(wxOutputStream& stream, const wxString& text)
{
    wxString escaped;
    escaped.reserve(text.length());
    for (wxUniChar c : text)
    {
        switch (c.GetValue())
        {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c; break;
        }
    }
    OutputString(stream, escaped);
}

void wxFlagRichTextXMLHandler::OutputIndentation(wxOutputStream& stream, int indent)
{
    wxString text("\n");
    text.append(size_t(std::max(indent, 0)) * 2, ' ');
    OutputString(stream, text);
}

bool wxFlagRichTextXMLHandler::ExportXML(wxOutputStream& stream, wxRichTextObject& obj,
                                         int level)
{
    if (auto animation = wxDynamicCast(&obj, wxFlagRichTextAnimation))
        return animation->WriteXML(stream, level);
    return obj.ExportXML(stream, level, this);
}

bool wxFlagRichTextXMLHandler::DoSaveFile(wxRichTextBuffer* buffer, wxOutputStream& stream)
{
    if (!stream.IsOk())
        return false;

    // Documents are always UTF-8; no encoding named means the toolkit's
    // direct UTF-8 conversion rather than a general converter.
    m_helper.SetupForSaving(wxString());
    m_helper.SetFlags(GetFlags());
    // The objects write many small pieces; collect them and hand the target
    // (often a string stream that decodes every write) the whole at once.
    ByteCollector document;
    OutputString(document, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<richtext version=\"1.0.0.0\">");
    const bool written = ExportXML(document, *buffer, 1);
    OutputString(document, "\n</richtext>\n");
    if (!written || !document.IsOk())
        return false;
    return stream.WriteAll(document.GetBytes().data(), document.GetBytes().size())
           && stream.IsOk();
}

// ----------------------------------------------------------------------------
// Reading
// ----------------------------------------------------------------------------

bool wxFlagRichTextXMLHandler::ImportXML(wxRichTextBuffer* buffer, wxXmlNode* node,
                                         bool asBuffer)
{
    const wxString name = node->GetName();
    if (name == "paragraph")
    {
        ImportParagraph(buffer, node);
        return true;
    }
    if (name != "paragraphlayout")
        return false;

    if (asBuffer)
    {
        bool recurse = false;
        buffer->ImportFromXML(buffer, node, this, &recurse);
        LimitAttributes(buffer->GetAttributes());
    }
    for (wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
    {
        if (IsElement(child) && child->GetName() == "paragraph")
            ImportParagraph(buffer, child);
    }
    return true;
}

void wxFlagRichTextXMLHandler::ImportParagraph(wxRichTextBuffer* buffer, wxXmlNode* node)
{
    auto paragraph = new wxRichTextParagraph(buffer);
    bool recurse = false;
    paragraph->ImportFromXML(buffer, node, this, &recurse);
    LimitAttributes(paragraph->GetAttributes());
    buffer->AppendChild(paragraph);
    for (wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
    {
        if (IsElement(child))
            ImportObjects(buffer, paragraph, child);
    }
    // Every paragraph holds at least one (possibly empty) run of text.
    if (paragraph->GetChildCount() == 0)
        paragraph->AppendChild(new wxRichTextPlainText(wxString(), paragraph));
}

bool wxFlagRichTextXMLHandler::ImportObjects(wxRichTextBuffer* buffer,
                                             wxRichTextParagraph* paragraph, wxXmlNode* node)
{
    wxRichTextObject* obj = CreateObjectForXMLName(paragraph, node->GetName());
    // Chat text holds runs of text, pictures and faces; nested boxes,
    // tables and fields are not taken from received documents.
    if (!obj || wxDynamicCast(obj, wxRichTextCompositeObject))
    {
        delete obj;
        return false;
    }
    bool recurse = false;
    obj->ImportFromXML(buffer, node, this, &recurse);
    LimitAttributes(obj->GetAttributes());
    paragraph->AppendChild(obj);
    return true;
}

bool wxFlagRichTextXMLHandler::DoLoadFile(wxRichTextBuffer* buffer, wxInputStream& in,
                                          wxOutputStream* out, bool insert)
{
    if (!in.IsOk())
        return false;

    wxLogNull noLog;
    wxMemoryBuffer bytes;
    wxXmlDocument document;
    bool parsed = ReadAll(in, bytes)
                  && NestingWithin(static_cast<const char*>(bytes.GetData()),
                                   bytes.GetDataLen(), MaxDepth);
    if (parsed)
    {
        wxMemoryInputStream source(bytes.GetData(), bytes.GetDataLen());
        parsed = document.Load(source, "UTF-8") && document.GetRoot();
    }

    bool loaded = false;
    if (!parsed)
    {
        buffer->Clear();
        buffer->Invalidate(wxRICHTEXT_ALL);
    }
    else if (document.GetRoot()->GetName() == "richtext")
    {
        buffer->Clear();
        for (wxXmlNode* child = document.GetRoot()->GetChildren(); child;
             child = child->GetNext())
        {
            if (IsElement(child) && child->GetName() != "richtext-version")
                ImportXML(buffer, child, true);
        }
        buffer->UpdateRanges();
        buffer->Invalidate(wxRICHTEXT_ALL);
        loaded = true;
    }

    if (out && parsed)
        document.Save(*out, 1);

    wxRichTextCtrl* ctrl = buffer->GetRichTextCtrl();
    if (loaded && insert && ctrl && buffer->GetChildCount() > 0)
    {
        long position = ctrl->GetLastPosition();
        if (position > 0)
            ++position;
        else
            buffer->SetPartialParagraph(true);
        ctrl->GetBuffer().InsertParagraphsWithUndo(position, *buffer, ctrl,
                                                   wxRICHTEXT_INSERT_WITH_PREVIOUS_PARAGRAPH_STYLE);
    }
    return loaded;
}

bool wxFlagRichTextXMLHandler::DoLoadFile(wxRichTextBuffer* buffer, wxInputStream& stream)
{
    wxFlagRichTextBuffer loaded;
    if (!DoLoadFile(&loaded, stream, nullptr, false))
        return false;

    buffer->ResetAndClearCommands();
    buffer->Clear();
    buffer->SetAttributes(loaded.GetAttributes());
    for (wxRichTextObjectList::compatibility_iterator node = loaded.GetChildren().GetFirst();
         node; node = node->GetNext())
        buffer->AppendChild(node->GetData()->Clone());
    if (buffer->GetChildCount() == 0)
        buffer->Reset();
    buffer->UpdateRanges();
    buffer->Invalidate(wxRICHTEXT_ALL);
    return true;
}
