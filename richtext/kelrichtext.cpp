// Rich chat text control.
#include <kelctrls/richtext.h>

#include <kelctrls/messaging/handlers.h>
#include <kelctrls/platform/imcore.h>

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <cstdio>
#include <random>

wxIMPLEMENT_CLASS_COMMON2(KelRichText, wxFlagRichTextCtrl, wxFlagRichTextXMLHandler,
                          KelRichText::wxCreateObject)

    wxObject* KelRichText::wxCreateObject()
{
    return static_cast<wxFlagRichTextCtrl*>(new KelRichText);
}

// clang-format off
wxBEGIN_EVENT_TABLE(KelRichText, wxFlagRichTextCtrl)
    EVT_CHAR(KelRichText::OnChar)
    EVT_RICHTEXT_RIGHT_CLICK(wxID_ANY, KelRichText::OnRightClick)
    EVT_SCROLLWIN_TOP(KelRichText::OnScrollEvent)
    EVT_SCROLLWIN_BOTTOM(KelRichText::OnScrollEvent)
    EVT_SCROLLWIN_LINEUP(KelRichText::OnScrollEvent)
    EVT_SCROLLWIN_LINEDOWN(KelRichText::OnScrollEvent)
    EVT_SCROLLWIN_PAGEUP(KelRichText::OnScrollEvent)
    EVT_SCROLLWIN_PAGEDOWN(KelRichText::OnScrollEvent)
    EVT_SCROLLWIN_THUMBTRACK(KelRichText::OnScrollEvent)
    EVT_SCROLLWIN_THUMBRELEASE(KelRichText::OnScrollEvent)
    EVT_TEXT(wxID_ANY, KelRichText::OnUpdateText)
    EVT_LEFT_DOWN(KelRichText::OnMouseEvent)
wxEND_EVENT_TABLE()
// clang-format on

namespace
{
// A random UUID in the C initialiser form, for example
// "0x6B29FC40, 0xCA47, 0x1067, 0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA".
wxString CreateUuidText()
{
    static std::mt19937_64 generator{std::random_device{}()};
    unsigned char bytes[16];
    for (size_t i = 0; i < sizeof(bytes); i += 8)
    {
        const std::uint64_t value = generator();
        for (size_t j = 0; j < 8; ++j)
            bytes[i + j] = static_cast<unsigned char>(value >> (8 * j));
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant

    wxString text = wxString::Format("0x%02X%02X%02X%02X, 0x%02X%02X, 0x%02X%02X", bytes[0], bytes[1],
                                     bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7]);
    for (size_t i = 8; i < sizeof(bytes); ++i)
        text += wxString::Format(", 0x%02X", bytes[i]);
    return text;
}

wxImageHandler* FindImageHandlerByExtension(const wxString& extension)
{
    for (wxList::compatibility_iterator node = wxImage::GetHandlers().GetFirst(); node;
         node = node->GetNext())
    {
        auto handler = static_cast<wxImageHandler*>(node->GetData());
        if (handler->GetExtension().IsSameAs(extension, false))
            return handler;
        for (const wxString& alternative : handler->GetAltExtensions())
        {
            if (alternative.IsSameAs(extension, false))
                return handler;
        }
    }
    return nullptr;
}

wxString ImageCacheFolder()
{
    KelJabberJob* job = KelJabberJob::GetInstance();
    wxString folder =
        GetNextPresence() != KEL_PRESENCE_OFFLINE ? job->GetUserLocal() : job->GetOfflineUserLocal();
    if (folder.empty())
        folder = wxGetCwd();
    return folder + wxFILE_SEP_PATH + "ImageCache";
}

wxString ElementText(const wxXmlNode* node)
{
    return node->GetNodeContent();
}

} // namespace

// ----------------------------------------------------------------------------
// Construction
// ----------------------------------------------------------------------------

KelRichText::KelRichText()
{
    Init();
}

KelRichText::KelRichText(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos,
                         const wxSize& size, long style, const wxValidator& validator, const wxString& name)
{
    Init();
    Create(parent, id, value, pos, size, style, validator, name);
}

void KelRichText::Init()
{
    LoadHandles();
    RegisterFamilyHandlers();
    m_styleSheet = nullptr;
    m_scrollSink = nullptr;
    m_faceHandler = nullptr;
    m_showAnimation = false;
    // Text change events reach the parent unless the owner turns this off.
    m_handUrl = true;
}

void KelRichText::RegisterFamilyHandlers()
{
    // Once for the process: the buffer's handler list belongs to the whole
    // rich text family, and the image handlers to the whole program.
    static const bool registered = []
    {
        wxFlagRichTextBuffer::AddHandler(new wxFlagRichTextXMLHandler("XML", "xml", wxRICHTEXT_TYPE_XML));
        KelInitImageHandlers();
        return true;
    }();
    wxUnusedVar(registered);
}

KelRichText::~KelRichText()
{
    if (m_styleSheet)
    {
        SetStyleSheet(nullptr);
        delete m_styleSheet;
    }
}

bool KelRichText::Create(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos,
                         const wxSize& size, long style, const wxValidator& validator, const wxString& name)
{
    if (!wxFlagRichTextCtrl::Create(parent, id, value, pos, size, style, validator, name))
        return false;

    SetFollowEnd(1);
    m_styleSheet = new wxFlagRichTextStyleSheet;
    CreateStyles();
    SetStyleSheet(m_styleSheet);

    // Made with its parents: a user who never signed in here has no folder.
    const wxString folder = ImageCacheFolder();
    if (!wxDir::Exists(folder))
    {
        wxLogNull noLog;
        wxFileName::Mkdir(folder, 0777, wxPATH_MKDIR_FULL);
    }
    AddFileImageBuff(folder);
    return true;
}

// ----------------------------------------------------------------------------
// Documents
// ----------------------------------------------------------------------------

wxString KelRichText::ToXML()
{
    wxFlagStringOutputStream out;
    if (!DoPutStream(&GetBuffer(), out))
        return wxString();
    return out.GetString();
}

bool KelRichText::FromXML(const wxString& xml, bool insert, wxString* text)
{
    wxLogNull noLog;
    const wxScopedCharBuffer utf8 = xml.utf8_str();
    wxMemoryInputStream in(utf8.data(), utf8.length());
    wxFlagRichTextBuffer buffer;

    bool loaded;
    if (text)
    {
        wxFlagStringOutputStream out;
        loaded = DoGetStream(&buffer, in, &out, insert);
        *text = out.GetString();
    }
    else
    {
        loaded = DoGetStream(&buffer, in, nullptr, insert);
    }

    if (!loaded)
    {
        if (insert && !xml.empty())
            AppendText(xml);
        if (text && text->empty())
            *text = xml;
    }
    return loaded;
}

bool KelRichText::DoPutStream(wxRichTextBuffer* buffer, wxOutputStream& out)
{
    return wxFlagRichTextXMLHandler::DoSaveFile(buffer, out);
}

bool KelRichText::DoGetStream(wxRichTextBuffer* buffer, wxInputStream& in, wxOutputStream* out, bool insert)
{
    buffer->SetRichTextCtrl(this);
    return wxFlagRichTextXMLHandler::DoLoadFile(buffer, in, out, insert);
}

bool KelRichText::ExportXML(wxOutputStream& stream, wxRichTextObject& obj, int level)
{
    if (auto animation = dynamic_cast<wxFlagRichTextAnimation*>(&obj))
    {
        WriteAnimationElement(stream, *animation, level);
        return stream.IsOk();
    }
    return wxFlagRichTextXMLHandler::ExportXML(stream, obj, level);
}

void KelRichText::WriteAnimationElement(wxOutputStream& stream, wxFlagRichTextAnimation& animation, int level)
{
    OutputIndentation(stream, level);
    OutputString(stream, "<animation>");
    // A face without data to embed (its file is missing) still travels by
    // key, so the receiver can show it from its own faces.
    if (m_showAnimation && animation.IsOk())
    {
        OutputString(stream, "<data>");
        animation.WriteHex(stream, animation.GetAnimationType());
        OutputString(stream, "</data>");
    }
    else
    {
        const wxString file = animation.GetAnimationFile();
        wxString key = m_faceHandler ? m_faceHandler->GetFaceKey(file) : wxString();
        if (key.empty())
            key = file;
        OutputString(stream, "<animationKey>");
        OutputStringEnt(stream, key);
        OutputString(stream, "</animationKey>");
    }
    m_showAnimation = false;
    char type[64];
    std::snprintf(type, sizeof(type), "<animationType>%d</animationType>", animation.GetAnimationType());
    OutputString(stream, type);
    OutputIndentation(stream, level);
    OutputString(stream, "</");
    OutputString(stream, animation.GetXMLNodeName());
    OutputString(stream, ">");
}

bool KelRichText::ImportObjects(wxRichTextBuffer* buffer, wxRichTextParagraph* paragraph, wxXmlNode* node)
{
    if (node->GetName() == wxS("animation"))
        return ImportAnimation(paragraph, node);
    return wxFlagRichTextXMLHandler::ImportObjects(buffer, paragraph, node);
}

bool KelRichText::ImportAnimation(wxRichTextParagraph* paragraph, wxXmlNode* node)
{
    wxString key, data;
    int type = 0;
    for (wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
    {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        const wxString& name = child->GetName();
        if (name.IsSameAs(wxS("animationKey"), false))
            key = ElementText(child);
        else if (name.IsSameAs(wxS("animationType"), false))
            type = wxAtoi(ElementText(child));
        else if (name.IsSameAs(wxS("data"), false))
            data = ElementText(child);
    }

    bool appended = false;
    if (!key.empty())
    {
        wxString file = m_faceHandler ? m_faceHandler->GetFacePath(key) : wxString();
        if (file.empty())
            file = key;
        paragraph->AppendChild(new wxFlagRichTextAnimation(file, type, paragraph));
        appended = true;
    }
    if (!data.empty())
    {
        auto animation = new wxFlagRichTextAnimation(paragraph);
        if (animation->ReadHex(data, int(data.length()), type))
        {
            paragraph->AppendChild(animation);
            appended = true;
        }
        else
        {
            delete animation;
        }
    }
    return appended;
}

// ----------------------------------------------------------------------------
// Pictures
// ----------------------------------------------------------------------------

bool KelRichText::TransImageToWrite(const wxString& path, int type)
{
    wxLogNull noLog;

    wxImageHandler* source = FindImageHandlerByExtension(wxFileName(path).GetExt());
    if (!source)
        return false;
    wxImage image;
    if (!image.LoadFile(path, source->GetType()) || !image.IsOk())
        return false;
    wxImageHandler* target = wxImage::FindHandler(static_cast<wxBitmapType>(type));
    if (!target)
        return false;

    wxString name = CreateUuidText();
    name.Replace(",", "_");
    name.Replace(".", "");
    name += "." + target->GetExtension();
    const wxString cached = GetFileImageMainBuff() + wxFILE_SEP_PATH + name;
    if (!KelSaveImageAtomically(image, cached, static_cast<wxBitmapType>(type)))
        return false;

    wxFlagRichTextImageBlock block;
    if (!block.MakeImageBlock(cached, static_cast<wxBitmapType>(type), image, false))
        return false;
    block.SetFilePath(cached);
    WriteImageBlock(block);

    wxSizeEvent relayout(GetClientSize(), GetId());
    relayout.SetEventObject(static_cast<wxWindow*>(this));
    AddPendingEvent(relayout);
    return true;
}

// ----------------------------------------------------------------------------
// Base control operations
// ----------------------------------------------------------------------------

bool KelRichText::LoadFile(const wxString& path, int type)
{
    wxLogNull noLog;
    return wxFlagRichTextCtrl::LoadFile(path, type);
}

bool KelRichText::SaveFile(const wxString& path, int type)
{
    wxLogNull noLog;
    const wxString target = path.empty() ? GetFilename() : path;
    wxRichTextFileHandler* handler =
        target.empty()
            ? nullptr
            : wxRichTextBuffer::FindHandlerFilenameOrType(target, static_cast<wxRichTextFileType>(type));
    if (!handler)
        return false;

    handler->SetFlags(GetBuffer().GetHandlerFlags());
    wxMemoryOutputStream encoded;
    if (!handler->SaveFile(&GetBuffer(), encoded) || !KelWriteStreamAtomically(target, encoded))
        return false;
    SetFilename(target);
    DiscardEdits();
    return true;
}

bool KelRichText::GetStyle(long position, wxFlagRichTextAttr& style)
{
    return wxFlagRichTextCtrl::GetStyle(position, style);
}

bool KelRichText::GetStyle(long position, wxFlagTextAttrEx& style)
{
    return wxFlagRichTextCtrl::GetStyle(position, style);
}

bool KelRichText::GetStyle(long position, wxTextAttr& style)
{
    return wxFlagRichTextCtrl::GetStyle(position, style);
}

void KelRichText::Clear()
{
    wxFlagRichTextCtrl::Clear();
}

// ----------------------------------------------------------------------------
// Style sheet
// ----------------------------------------------------------------------------

void KelRichText::CreateStyles()
{
    if (!m_styleSheet)
        return;

    const wxFont romanFont(wxFontInfo(12).Family(wxFONTFAMILY_ROMAN));
    const wxFont swissFont(wxFontInfo(12).Family(wxFONTFAMILY_SWISS));
    const wxString romanFace = romanFont.GetFaceName();
    const wxString swissFace = swissFont.GetFaceName();

    auto paragraphStyle = [this](const wxString& name, wxRichTextAttr attr, long mask)
    {
        attr.SetFlags(mask);
        auto def = new wxRichTextParagraphStyleDefinition(name);
        def->SetStyle(attr);
        m_styleSheet->AddParagraphStyle(def);
    };
    auto characterStyle = [this](const wxString& name, wxRichTextAttr attr, long mask)
    {
        attr.SetFlags(mask);
        auto def = new wxRichTextCharacterStyleDefinition(name);
        def->SetStyle(attr);
        m_styleSheet->AddCharacterStyle(def);
    };
    auto roman = [&romanFace]()
    {
        wxRichTextAttr attr;
        attr.SetFontFaceName(romanFace);
        attr.SetFontSize(12);
        return attr;
    };
    const long indents = wxTEXT_ATTR_LEFT_INDENT | wxTEXT_ATTR_RIGHT_INDENT;

    // Every attribute of "Normal" is applied, so each has a real value; the
    // background stays the control's own.
    wxRichTextAttr normal = roman();
    normal.SetTextColour(*wxBLACK);
    normal.SetAlignment(wxTEXT_ALIGNMENT_LEFT);
    normal.SetLeftIndent(0, 0);
    normal.SetRightIndent(0);
    normal.SetParagraphSpacingBefore(0);
    normal.SetParagraphSpacingAfter(0);
    normal.SetLineSpacing(wxTEXT_ATTR_LINE_SPACING_NORMAL);
    paragraphStyle("Normal", normal, wxTEXT_ATTR_ALL & ~wxTEXT_ATTR_BACKGROUND_COLOUR);

    wxRichTextAttr indented = roman();
    indented.SetLeftIndent(100, 0);
    paragraphStyle("Indented", indented, indents);

    wxRichTextAttr redBoldIndented = roman();
    redBoldIndented.SetFontWeight(wxFONTWEIGHT_BOLD);
    redBoldIndented.SetTextColour(*wxRED);
    redBoldIndented.SetLeftIndent(100, 0);
    paragraphStyle("Red Bold Indented", redBoldIndented,
                   wxTEXT_ATTR_TEXT_COLOUR | wxTEXT_ATTR_FONT_FACE | wxTEXT_ATTR_FONT_SIZE |
                       wxTEXT_ATTR_FONT_WEIGHT | wxTEXT_ATTR_FONT_ITALIC | wxTEXT_ATTR_FONT_UNDERLINE |
                       indents);

    wxRichTextAttr firstLineIndented;
    firstLineIndented.SetFontFaceName(swissFace);
    firstLineIndented.SetFontSize(12);
    firstLineIndented.SetLeftIndent(100, -100);
    paragraphStyle("First Line Indented", firstLineIndented, indents);

    wxRichTextAttr bold = roman();
    bold.SetFontWeight(wxFONTWEIGHT_BOLD);
    characterStyle("Bold", bold, wxTEXT_ATTR_FONT_WEIGHT);

    wxRichTextAttr italic = roman();
    italic.SetFontStyle(wxFONTSTYLE_ITALIC);
    characterStyle("Italic", italic, wxTEXT_ATTR_FONT_ITALIC);

    wxRichTextAttr redBold = roman();
    redBold.SetFontWeight(wxFONTWEIGHT_BOLD);
    redBold.SetTextColour(*wxRED);
    characterStyle("Red Bold", redBold,
                   wxTEXT_ATTR_TEXT_COLOUR | wxTEXT_ATTR_FONT_FACE | wxTEXT_ATTR_FONT_WEIGHT);

    auto bullets = new wxRichTextListStyleDefinition("Bullet List 1");
    auto numbers = new wxRichTextListStyleDefinition("Numbered List 1");
    auto outline = new wxRichTextListStyleDefinition("Outline List 1");
    for (int level = 0; level < 10; ++level)
    {
        bullets->SetAttributes(level, (level + 1) * 60, 60, wxTEXT_ATTR_BULLET_STYLE_STANDARD);
        bullets->GetLevelAttributes(level)->SetBulletName(level == 1 || level == 3 ? "standard/square"
                                                                                   : "standard/circle");

        long numbering = wxTEXT_ATTR_BULLET_STYLE_ARABIC | wxTEXT_ATTR_BULLET_STYLE_PERIOD;
        if (level == 1)
            numbering = wxTEXT_ATTR_BULLET_STYLE_LETTERS_LOWER | wxTEXT_ATTR_BULLET_STYLE_PARENTHESES;
        else if (level == 2)
            numbering = wxTEXT_ATTR_BULLET_STYLE_ROMAN_LOWER | wxTEXT_ATTR_BULLET_STYLE_PARENTHESES;
        else if (level == 3)
            numbering = wxTEXT_ATTR_BULLET_STYLE_ROMAN_UPPER | wxTEXT_ATTR_BULLET_STYLE_PARENTHESES;
        numbers->SetAttributes(level, (level + 1) * 60, 60,
                               int(numbering | wxTEXT_ATTR_BULLET_STYLE_ALIGN_RIGHT));

        const int indent = (level + 1) * 120;
        const long outlineStyle = indent < 600
                                      ? wxTEXT_ATTR_BULLET_STYLE_OUTLINE | wxTEXT_ATTR_BULLET_STYLE_PERIOD
                                      : wxTEXT_ATTR_BULLET_STYLE_ARABIC | wxTEXT_ATTR_BULLET_STYLE_PERIOD;
        outline->SetAttributes(level, indent, 120, int(outlineStyle));
    }
    m_styleSheet->AddListStyle(bullets);
    m_styleSheet->AddListStyle(numbers);
    m_styleSheet->AddListStyle(outline);
}

// ----------------------------------------------------------------------------
// Events
// ----------------------------------------------------------------------------

void KelRichText::OnChar(wxKeyEvent& event)
{
    event.Skip();
}

void KelRichText::OnRightClick(wxRichTextEvent& WXUNUSED(event))
{
    // Handled: the chat window offers its own menu, not the editor's.
}

void KelRichText::OnScrollEvent(wxScrollWinEvent& event)
{
    // The sink's own handlers only: handlers pushed onto it, a scrolled
    // sink's scroll helper among them, would act on this control's scroll.
    if (m_scrollSink)
        static_cast<wxEvtHandler*>(m_scrollSink)->ProcessEvent(event);
    // The toolkit's scroll helper only scrolls events left unhandled here.
    event.Skip();
}

void KelRichText::OnUpdateText(wxCommandEvent& event)
{
    if (m_handUrl)
        event.Skip();
}

void KelRichText::OnMouseEvent(wxMouseEvent& event)
{
    event.Skip();
}
