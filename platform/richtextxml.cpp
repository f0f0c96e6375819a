// XML reading and writing of the rich text family.
#include <kelctrls/platform/richtextbase.h>
#include <kelctrls/core/markup.h>

#include "platform/richtextimagedata.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <algorithm>
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
    if (in.GetLength() != wxInvalidOffset)
        bytes.SetBufSize(size_t(in.GetLength()) + 1);
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

bool IsHexDigit(wxUniChar c)
{
    const wxUint32 v = c.GetValue();
    return (v >= '0' && v <= '9') || (v >= 'A' && v <= 'F') || (v >= 'a' && v <= 'f');
}

void SetNumber(wxXmlAttribute* attribute, int value)
{
    attribute->SetValue(wxString::Format("%d", value));
}

template <typename Dimension>
void LimitDimension(Dimension& dimension, int limit)
{
    if (dimension.IsValid() && (dimension.GetValue() > limit || dimension.GetValue() < -limit))
        dimension.Reset();
}

// The toolkit asserts on font weights, styles and families outside its own
// constants (and keeps them in enumerations that cannot hold them), while a
// received document may carry any number: take the nearest weight and the
// default style and family.
void LimitFontWeight(wxXmlAttribute* attribute)
{
    const int weight = wxAtoi(attribute->GetValue());
    const bool legacy = weight >= wxNORMAL && weight <= wxBOLD;
    if (!legacy && (weight % 100 != 0 || weight < wxFONTWEIGHT_THIN || weight > wxFONTWEIGHT_MAX))
    {
        const int clipped = wxClip(weight, int(wxFONTWEIGHT_THIN), int(wxFONTWEIGHT_MAX));
        SetNumber(attribute, (clipped + 50) / 100 * 100);
    }
}

void LimitFontStyle(wxXmlAttribute* attribute)
{
    const int style = wxAtoi(attribute->GetValue());
    if (style != wxFONTSTYLE_NORMAL && style != wxFONTSTYLE_ITALIC && style != wxFONTSTYLE_SLANT)
        SetNumber(attribute, wxFONTSTYLE_NORMAL);
}

void LimitFontFamily(wxXmlAttribute* attribute)
{
    const int family = wxAtoi(attribute->GetValue());
    if (family < wxFONTFAMILY_DEFAULT || family > wxFONTFAMILY_TELETYPE)
        SetNumber(attribute, wxFONTFAMILY_DEFAULT);
}

// Colours in the toolkit's "#RRGGBB" form are decoded with an assertion on
// a short value or anything but an upper-case hex digit. False when the
// colour cannot be read.
bool NormaliseColour(wxXmlAttribute* attribute)
{
    wxString rgb = attribute->GetValue().Mid(1, 6);
    if (rgb.length() != 6 || !std::all_of(rgb.begin(), rgb.end(), IsHexDigit))
        return false;
    attribute->SetValue("#" + rgb.MakeUpper());
    return true;
}

// Makes the style attributes of an element safe for the toolkit to read;
// a colour that cannot be read is dropped. Every run of text is an element
// with attributes, so they are walked once, and only the ones that need it
// are looked at closer.
void NormaliseStyle(wxXmlNode* element)
{
    wxArrayString unreadable;
    for (wxXmlAttribute* attribute = element->GetAttributes(); attribute; attribute = attribute->GetNext())
    {
        const wxString& name = attribute->GetName();
        if (name == wxS("fontweight"))
            LimitFontWeight(attribute);
        else if (name == wxS("fontstyle"))
            LimitFontStyle(attribute);
        else if (name == wxS("fontfamily"))
            LimitFontFamily(attribute);
        else if (attribute->GetValue().StartsWith(wxS("#")) && name.Lower().Contains(wxS("colo")) &&
                 !NormaliseColour(attribute))
            unreadable.push_back(name);
    }
    for (const wxString& name : unreadable)
        element->DeleteAttribute(name);
}

// Keeps received documents from asking for absurd fonts, indents or sizes
// that would take the layout down with them.
void LimitAttributes(wxRichTextAttr& attr)
{
    constexpr int MaxFontSize = 144;
    constexpr int MaxIndent = 2000; // tenths of a millimetre
    constexpr int MaxExtent = 4096;
    if (attr.HasFontSize() && (attr.GetFontSize() < 1 || attr.GetFontSize() > MaxFontSize))
        attr.SetFontSize(wxClip(attr.GetFontSize(), 1, MaxFontSize));
    if (attr.HasLeftIndent() &&
        (std::abs(attr.GetLeftIndent()) > MaxIndent || std::abs(attr.GetLeftSubIndent()) > MaxIndent))
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

bool IsElement(const wxXmlNode* node)
{
    return node->GetType() == wxXML_ELEMENT_NODE;
}

wxMemoryBuffer DecodeHex(const wxString& hex)
{
    wxMemoryBuffer bytes;
    for (size_t i = 0; i + 1 < hex.length(); i += 2)
        bytes.AppendByte(char(wxHexToDec(hex.Mid(i, 2))));
    return bytes;
}

wxBitmapType PictureType(const wxXmlNode* picture)
{
    // What the toolkit reads when the type is missing or out of range.
    const int type = wxAtoi(picture->GetAttribute("imagetype"));
    return type > wxBITMAP_TYPE_INVALID && type < wxBITMAP_TYPE_MAX ? wxBitmapType(type) : wxBITMAP_TYPE_PNG;
}

// The toolkit decodes the data of a picture with an assertion on anything
// but an upper-case hex digit, and its image decoders allocate whatever a
// header asks for: take lower case as well, and accept only whole pictures
// within the pixels the document has left.
bool NormalisePictureData(wxXmlNode* picture, wxUint64& pixelsLeft)
{
    // Like the toolkit, take the last piece of content of the "data" children.
    wxXmlNode* data = nullptr;
    for (wxXmlNode* child = picture->GetChildren(); child; child = child->GetNext())
    {
        if (child->GetName() != "data")
            continue;
        for (wxXmlNode* text = child->GetChildren(); text; text = text->GetNext())
        {
            wxString content = text->GetContent();
            if (!std::all_of(content.begin(), content.end(), IsHexDigit))
                return false;
            text->SetContent(content.MakeUpper());
            data = text;
        }
    }
    if (!data)
        return false;
    const wxUint64 pixels = PicturePixels(DecodeHex(data->GetContent()), PictureType(picture));
    if (pixels == 0 || pixels > pixelsLeft)
        return false;
    pixelsLeft -= pixels;
    return true;
}

} // namespace

wxFlagRichTextXMLHandler::wxFlagRichTextXMLHandler(const wxString& name, const wxString& ext, int type)
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
// String stream
// ----------------------------------------------------------------------------

size_t wxFlagStringOutputStream::OnSysWrite(const void* buffer, size_t size)
{
    m_bytes.append(static_cast<const char*>(buffer), size);
    return size;
}

// Decodes in one pass, a chunk at a time, straight into the string. What the
// handler writes is valid UTF-8; anything else gets the toolkit's strict
// conversion and its verdict.
wxString wxFlagStringOutputStream::GetString() const
{
    static_assert(sizeof(wchar_t) == 4, "a wide character holds any code point");
    wxString text;
    text.reserve(m_bytes.size());
    wchar_t chunk[4096];
    size_t used = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(m_bytes.data());
    const unsigned char* const end = p + m_bytes.size();
    while (p < end)
    {
        if (used == WXSIZEOF(chunk))
        {
            text.append(chunk, used);
            used = 0;
        }
        wxUint32 c = *p++;
        if (c >= 0x80)
        {
            if (c < 0xC2 || c > 0xF4)
                return wxString::FromUTF8(m_bytes.data(), m_bytes.size());
            const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
            static const wxUint32 smallest[] = {0, 0x80, 0x800, 0x10000};
            c &= 0x3F >> extra;
            for (int i = 0; i < extra; ++i, ++p)
            {
                if (p == end || (*p & 0xC0) != 0x80)
                    return wxString::FromUTF8(m_bytes.data(), m_bytes.size());
                c = (c << 6) | (*p & 0x3F);
            }
            if (c < smallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
                return wxString::FromUTF8(m_bytes.data(), m_bytes.size());
        }
        chunk[used++] = wchar_t(c);
    }
    text.append(chunk, used);
    return text;
}

// ----------------------------------------------------------------------------
// Writing
// ----------------------------------------------------------------------------

void wxFlagRichTextXMLHandler::OutputString(wxOutputStream& stream, const wxString& text)
{
    // Markup is mostly short ASCII: narrow it on the stack rather than
    // converting it into a buffer on the heap.
    char ascii[256];
    const size_t length = text.length();
    if (length <= sizeof(ascii))
    {
        const wxStringCharType* chars = text.wx_str();
        size_t i = 0;
        for (; i < length && unsigned(chars[i]) < 0x80; ++i)
            ascii[i] = char(chars[i]);
        if (i == length)
        {
            stream.Write(ascii, length);
            return;
        }
    }
    const wxScopedCharBuffer utf8 = text.utf8_str();
    stream.Write(utf8.data(), utf8.length());
}

void wxFlagRichTextXMLHandler::OutputString(wxOutputStream& stream, const char* utf8)
{
    stream.Write(utf8, std::strlen(utf8));
}

void wxFlagRichTextXMLHandler::OutputStringEnt(wxOutputStream& stream, const wxString& text)
{
    OutputString(stream, KelEscapeMarkup(text));
}

void wxFlagRichTextXMLHandler::OutputIndentation(wxOutputStream& stream, int indent)
{
    static const std::string line = "\n" + std::string(128, ' ');
    size_t length = 1 + size_t(std::max(indent, 0)) * 2;
    stream.Write(line.data(), std::min(length, line.size()));
    for (length -= std::min(length, line.size()); length > 0;)
    {
        const size_t part = std::min(length, line.size() - 1);
        stream.Write(line.data() + 1, part);
        length -= part;
    }
}

bool wxFlagRichTextXMLHandler::ExportXML(wxOutputStream& stream, wxRichTextObject& obj, int level)
{
    if (auto animation = dynamic_cast<wxFlagRichTextAnimation*>(&obj))
        return animation->WriteXML(stream, level);
    if (auto buffer = dynamic_cast<wxRichTextBuffer*>(&obj))
    {
        ExportComposite(stream, *buffer, level, buffer->GetPartialParagraph());
        return true;
    }
    if (obj.GetClassInfo() == wxCLASSINFO(wxRichTextParagraph))
    {
        ExportComposite(stream, static_cast<wxRichTextParagraph&>(obj), level, false);
        return true;
    }
    return obj.ExportXML(stream, level, this);
}

// The toolkit's form of the buffer and its paragraphs, with the children
// written through ExportXML so that faces take the family's form. The
// toolkit's own writer looks up every child by its index in the child list,
// a walk from the head each time, which makes a long history quadratic.
void wxFlagRichTextXMLHandler::ExportComposite(wxOutputStream& stream, wxRichTextCompositeObject& composite,
                                               int level, bool partialParagraph)
{
    const wxString name = composite.GetXMLNodeName();
    wxString start = "<" + name + m_helper.AddAttributes(&composite, true);
    if (partialParagraph)
        start += " partialparagraph=\"true\"";
    start += ">";
    OutputIndentation(stream, level);
    OutputString(stream, start);
    if (composite.GetProperties().GetCount() > 0)
        m_helper.WriteProperties(stream, composite.GetProperties(), level);

    for (wxRichTextObjectList::compatibility_iterator node = composite.GetChildren().GetFirst(); node;
         node = node->GetNext())
        ExportXML(stream, *node->GetData(), level + 1);

    OutputIndentation(stream, level);
    OutputString(stream, "</" + name + ">");
}

bool wxFlagRichTextXMLHandler::WriteDocument(wxRichTextBuffer* buffer, wxOutputStream& stream)
{
    // Documents are always UTF-8; no encoding named means the toolkit's
    // direct UTF-8 conversion rather than a general converter.
    m_helper.SetupForSaving(wxString());
    m_helper.SetFlags(GetFlags());
    OutputString(stream, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<richtext version=\"1.0.0.0\">");
    const bool written = ExportXML(stream, *buffer, 1);
    OutputString(stream, "\n</richtext>\n");
    return written && stream.IsOk();
}

bool wxFlagRichTextXMLHandler::DoSaveFile(wxRichTextBuffer* buffer, wxOutputStream& stream)
{
    if (!stream.IsOk())
        return false;
    if (auto collector = dynamic_cast<wxFlagStringOutputStream*>(&stream))
        return WriteDocument(buffer, *collector);
    // The objects write many small pieces; collect them and hand the target
    // (often a string stream that decodes every write) the whole at once.
    wxFlagStringOutputStream document;
    if (!WriteDocument(buffer, document))
        return false;
    return stream.WriteAll(document.GetBytes().data(), document.GetBytes().size()) && stream.IsOk();
}

// ----------------------------------------------------------------------------
// Reading
// ----------------------------------------------------------------------------

bool wxFlagRichTextXMLHandler::ImportXML(wxRichTextBuffer* buffer, wxXmlNode* node, bool asBuffer)
{
    const wxString& name = node->GetName();
    if (name == wxS("paragraph"))
    {
        ImportParagraph(buffer, node);
        return true;
    }
    if (name != wxS("paragraphlayout"))
        return false;

    if (asBuffer)
    {
        bool recurse = false;
        NormaliseStyle(node);
        buffer->ImportFromXML(buffer, node, this, &recurse);
        LimitAttributes(buffer->GetAttributes());
    }
    for (wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
    {
        if (IsElement(child) && child->GetName() == wxS("paragraph"))
            ImportParagraph(buffer, child);
    }
    return true;
}

void wxFlagRichTextXMLHandler::ImportParagraph(wxRichTextBuffer* buffer, wxXmlNode* node)
{
    auto paragraph = new wxRichTextParagraph(buffer);
    bool recurse = false;
    NormaliseStyle(node);
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

bool wxFlagRichTextXMLHandler::ImportObjects(wxRichTextBuffer* buffer, wxRichTextParagraph* paragraph,
                                             wxXmlNode* node)
{
    wxRichTextObject* obj = CreateObjectForXMLName(paragraph, node->GetName());
    // Chat text holds runs of text, pictures and faces; nested boxes,
    // tables and fields are not taken from received documents.
    if (!obj || dynamic_cast<wxRichTextCompositeObject*>(obj) ||
        (dynamic_cast<wxRichTextImage*>(obj) && !NormalisePictureData(node, m_picturePixelsLeft)))
    {
        delete obj;
        return false;
    }
    bool recurse = false;
    NormaliseStyle(node);
    obj->ImportFromXML(buffer, node, this, &recurse);
    LimitAttributes(obj->GetAttributes());
    paragraph->AppendChild(obj);
    return true;
}

bool wxFlagRichTextXMLHandler::DoLoadFile(wxRichTextBuffer* buffer, wxInputStream& in, wxOutputStream* out,
                                          bool insert)
{
    if (!in.IsOk())
        return false;

    m_picturePixelsLeft = MaxPicturePixels;
    wxLogNull noLog;
    wxMemoryBuffer bytes;
    wxXmlDocument document;
    bool parsed = ReadAll(in, bytes) &&
                  NestingWithin(static_cast<const char*>(bytes.GetData()), bytes.GetDataLen(), MaxDepth);
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
    else if (document.GetRoot()->GetName() == wxS("richtext"))
    {
        buffer->Clear();
        for (wxXmlNode* child = document.GetRoot()->GetChildren(); child; child = child->GetNext())
        {
            if (IsElement(child) && child->GetName() != wxS("richtext-version"))
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
    for (wxRichTextObjectList::compatibility_iterator node = loaded.GetChildren().GetFirst(); node;
         node = node->GetNext())
        buffer->AppendChild(node->GetData()->Clone());
    if (buffer->GetChildCount() == 0)
        buffer->Reset();
    buffer->UpdateRanges();
    buffer->Invalidate(wxRICHTEXT_ALL);
    return true;
}
