// The chat document format: writing and reading text, pictures and faces.
#include "test_richtext_support.h"

#include <wx/ffile.h>
#include <wx/mstream.h>
#include <wx/sstream.h>

using namespace kel::test;

namespace
{

const char* const Prolog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

wxString Document(const wxString& paragraphs)
{
    return wxString(Prolog) + "<richtext version=\"1.0.0.0\"><paragraphlayout>" + paragraphs +
           "</paragraphlayout></richtext>";
}

wxString Paragraph(const wxString& content)
{
    return "<paragraph>" + content + "</paragraph>";
}

wxString KeyedFace(const wxString& key, const wxString& type = "1")
{
    return "<animation><animationKey>" + key + "</animationKey><animationType>" + type +
           "</animationType></animation>";
}

wxImage RedSquare()
{
    wxImage image(10, 10);
    image.SetRGB(wxRect(0, 0, 10, 10), 220, 30, 30);
    return image;
}

std::string PngOf(const wxImage& image)
{
    wxMemoryOutputStream out;
    image.SaveFile(out, wxBITMAP_TYPE_PNG);
    const wxStreamBuffer* buffer = out.GetOutputStreamBuffer();
    return std::string(static_cast<const char*>(buffer->GetBufferStart()), size_t(out.GetLength()));
}

wxString Hex(const std::string& bytes)
{
    wxString hex;
    for (unsigned char byte : bytes)
        hex += wxString::Format("%02X", byte);
    return hex;
}

wxString Picture(int type, const wxString& hex)
{
    return wxString::Format("<image imagetype=\"%d\"><data>", type) + hex + "</data></image>";
}

} // namespace

class RichTextFormatTest : public RichTextTest
{
};

TEST_F(RichTextFormatTest, RoundTripKeepsTextPicturesAndFaces)
{
    m_input->RegisteFaceInfoHandler(&m_faces);
    m_history->RegisteFaceInfoHandler(&m_faces);
    m_input->WriteText("Lunch at <12:30> & \"after\"? ");
    m_input->WriteAnimation(FacePath("smile"));
    m_input->BeginBold();
    m_input->WriteText(" bold");
    m_input->EndBold();
    m_input->Newline();
    m_input->WriteImage(RedSquare());
    m_input->WriteAnimation(FacePath("heart"));

    const wxString xml = m_input->ToXML();
    EXPECT_TRUE(xml.StartsWith(Prolog)) << xml;
    EXPECT_EQ(Occurrences(xml, "<animationKey>/smile</animationKey>"), 1) << xml;
    EXPECT_EQ(Occurrences(xml, "<animationKey>/heart</animationKey>"), 1) << xml;
    EXPECT_EQ(Occurrences(xml, "<image "), 1) << xml;

    ASSERT_TRUE(m_history->FromXML(xml, true));
    EXPECT_EQ(m_history->GetValue(), m_input->GetValue());
    EXPECT_EQ(m_history->ToXML(), xml);

    const auto faces = ObjectsOf<wxFlagRichTextAnimation>(m_history);
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_EQ(faces[0]->GetAnimationFile(), FacePath("smile"));
    EXPECT_EQ(faces[1]->GetAnimationFile(), FacePath("heart"));
    EXPECT_TRUE(faces[0]->IsOk());

    const auto pictures = ObjectsOf<wxRichTextImage>(m_history);
    ASSERT_EQ(pictures.size(), 1u);
    wxImage picture;
    ASSERT_TRUE(pictures[0]->GetImageBlock().Load(picture));
    EXPECT_EQ(picture.GetSize(), wxSize(10, 10));
    EXPECT_EQ(kel::test::PixelAt(picture, 5, 5), wxColour(220, 30, 30));

    wxFlagRichTextAttr bold;
    ASSERT_TRUE(m_history->GetStyle(m_history->GetValue().Find("bold"), bold));
    EXPECT_EQ(bold.GetFontWeight(), wxFONTWEIGHT_BOLD);
}

TEST_F(RichTextFormatTest, EverythingButFacesIsWrittenAsTheToolkitWritesIt)
{
    m_input->WriteText(wxString::FromUTF8("caf\xC3\xA9 \"quoted\" <tag> & tab\t"));
    m_input->BeginBold();
    m_input->WriteText("bold");
    m_input->EndBold();
    m_input->Newline();
    m_input->BeginParagraphStyle("Indented");
    m_input->WriteText("indented");
    m_input->EndParagraphStyle();
    m_input->Newline();
    m_input->WriteImage(RedSquare());
    m_input->Newline();
    m_input->WriteText("last, unfinished");
    wxRichTextBuffer& buffer = m_input->GetBuffer();
    buffer.GetProperties().SetProperty("conversation", "design");
    dynamic_cast<wxRichTextParagraph*>(buffer.GetChild(1))->GetProperties().SetProperty("sender", 7L);
    buffer.SetPartialParagraph(true);

    wxString plain;
    {
        wxStringOutputStream out(&plain, wxConvUTF8);
        wxRichTextXMLHandler toolkit;
        ASSERT_TRUE(toolkit.SaveFile(&buffer, out));
    }
    const wxString ours = m_input->ToXML();
    // Only the root element's start differs.
    const auto content = [](const wxString& document)
    { return document.Mid(document.find("<paragraphlayout")); };
    EXPECT_EQ(content(ours), content(plain));
    EXPECT_EQ(Occurrences(ours, "partialparagraph=\"true\""), 1) << ours;
    EXPECT_EQ(Occurrences(ours, "name=\"sender\""), 1) << ours;
}

TEST_F(RichTextFormatTest, FaceKeysKeepCharactersOfEveryLength)
{
    // One-, two-, three- and four-byte characters in UTF-8.
    const wxString key = wxString::FromUTF8("/a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    m_input->WriteAnimation(key);
    const wxString xml = m_input->ToXML();
    EXPECT_EQ(Occurrences(xml, "<animationKey>" + key + "</animationKey>"), 1) << xml;

    ASSERT_TRUE(m_history->FromXML(xml, true));
    const auto faces = ObjectsOf<wxFlagRichTextAnimation>(m_history);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0]->GetAnimationFile(), key);
}

TEST_F(RichTextFormatTest, StringStreamDecodesAsTheToolkitsStrictConversion)
{
    const auto decoded = [](const std::string& bytes)
    {
        wxFlagStringOutputStream out;
        out.Write(bytes.data(), bytes.size());
        return out.GetString();
    };
    EXPECT_EQ(decoded("plain"), "plain");
    EXPECT_TRUE(decoded("caf\xE9").empty());
    for (const std::string bytes : {"\xE2\x82\xAC and \xF0\x9F\x98\x80", "caf\xE9", "\xC0\xAF",
                                    "\xED\xA0\x80", "\xE2\x82", "\xF4\x90\x80\x80"})
        EXPECT_EQ(decoded(bytes), wxString::FromUTF8(bytes.data(), bytes.size())) << bytes;
}

TEST_F(RichTextFormatTest, FacesWithoutHandlerTravelByTheirFile)
{
    m_input->WriteAnimation(FacePath("wink"));
    const wxString xml = m_input->ToXML();
    EXPECT_EQ(Occurrences(xml, "<animationKey>" + FacePath("wink") + "</animationKey>"), 1) << xml;

    // The handler does not know the file: the file itself is the key.
    m_input->RegisteFaceInfoHandler(&m_faces);
    m_input->Clear();
    m_input->WriteAnimation(PathOf("elsewhere.gif"));
    EXPECT_EQ(Occurrences(m_input->ToXML(), "<animationKey>" + PathOf("elsewhere.gif")), 1);
}

TEST_F(RichTextFormatTest, ShowAnimationEmbedsTheDataOfTheNextFaceOnly)
{
    m_input->RegisteFaceInfoHandler(&m_faces);
    m_input->WriteAnimation(FacePath("cool"));
    m_input->WriteText(" and ");
    m_input->WriteAnimation(FacePath("kiss"));

    m_input->ShowAnimation(true);
    const wxString embedded = m_input->ToXML();
    EXPECT_EQ(Occurrences(embedded, "<data>4749463839"), 1) << "GIF89 bytes in hex";
    EXPECT_EQ(Occurrences(embedded, "<animationKey>"), 1);
    EXPECT_LT(embedded.find("<data>"), embedded.find("<animationKey>/kiss</animationKey>"));
    EXPECT_EQ(Occurrences(m_input->ToXML(), "<data>"), 0) << "the flag is used up";

    // The embedded face needs no file at the receiver.
    ASSERT_TRUE(m_history->FromXML(embedded, true));
    const auto faces = ObjectsOf<wxFlagRichTextAnimation>(m_history);
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_TRUE(faces[0]->GetAnimationFile().empty());
    EXPECT_TRUE(faces[0]->IsOk());
    EXPECT_EQ(faces[0]->GetFrameCount(), 12u);
    EXPECT_EQ(faces[1]->GetAnimationFile(), "/kiss") << "no handler at the receiver";
}

TEST_F(RichTextFormatTest, ReadsFacesByKeyThroughTheHandlerOrAsFiles)
{
    m_history->RegisteFaceInfoHandler(&m_faces);
    ASSERT_TRUE(m_history->FromXML(
        Document(Paragraph(KeyedFace("/laugh") + KeyedFace("/unknown") + KeyedFace("/sad", " 1x")))));
    auto faces = ObjectsOf<wxFlagRichTextAnimation>(m_history);
    ASSERT_EQ(faces.size(), 3u);
    EXPECT_EQ(faces[0]->GetAnimationFile(), FacePath("laugh"));
    EXPECT_EQ(faces[0]->GetAnimationType(), 1);
    EXPECT_EQ(faces[1]->GetAnimationFile(), "/unknown") << "no face file: the key is the file";
    EXPECT_FALSE(faces[1]->IsOk());
    EXPECT_EQ(faces[1]->GetAnimationSize(), wxSize());
    EXPECT_EQ(faces[2]->GetAnimationType(), 1) << "the number up to the first non-digit";

    m_history->RegisteFaceInfoHandler(nullptr);
    m_history->Clear();
    ASSERT_TRUE(m_history->FromXML(Document(Paragraph(KeyedFace("/laugh")))));
    faces = ObjectsOf<wxFlagRichTextAnimation>(m_history);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0]->GetAnimationFile(), "/laugh");
}

TEST_F(RichTextFormatTest, AnimationChildrenCompareWithoutCaseAndBothFormsGiveTwoFaces)
{
    wxString hex;
    {
        wxFlagRichTextAnimation face(FacePath("blush"), wxANIMATION_TYPE_GIF);
        wxStringOutputStream out(&hex);
        ASSERT_TRUE(face.WriteHex(out, wxANIMATION_TYPE_GIF));
    }
    const wxString both = "<animation><ANIMATIONKEY>" + FacePath("angry") + "</ANIMATIONKEY><Data>" + hex +
                          "</Data><AnimationType>1</AnimationType><extra>x</extra></animation>";
    ASSERT_TRUE(m_history->FromXML(Document(Paragraph("<text>hi</text>" + both))));
    const auto faces = ObjectsOf<wxFlagRichTextAnimation>(m_history);
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_EQ(faces[0]->GetAnimationFile(), FacePath("angry"));
    EXPECT_TRUE(faces[1]->GetAnimationFile().empty());
    EXPECT_TRUE(faces[1]->IsOk());
    EXPECT_EQ(m_history->GetValue().Left(2), "hi");
}

TEST_F(RichTextFormatTest, VersionElementIsIgnored)
{
    m_history->WriteText("kept");
    wxString text;
    EXPECT_TRUE(
        m_history->FromXML("<richtext><richtext-version>9.9</richtext-version></richtext>", true, &text));
    EXPECT_EQ(m_history->GetValue(), "kept");
    EXPECT_TRUE(text.Contains("<richtext-version>9.9</richtext-version>")) << text;

    EXPECT_TRUE(m_history->FromXML("<richtext><richtext-version>"
                                   "<paragraphlayout><paragraph><text>inside</text></paragraph>"
                                   "</paragraphlayout></richtext-version></richtext>"));
    EXPECT_EQ(m_history->GetValue(), "kept");
}

TEST_F(RichTextFormatTest, ReceivedMessagesGoAfterTheContentWhereverTheCaretIs)
{
    ASSERT_TRUE(m_history->FromXML(Document(Paragraph("<text>first</text>"))));
    EXPECT_EQ(m_history->GetValue(), "first") << "an empty control takes it at 0";

    m_history->SetInsertionPoint(2);
    ASSERT_TRUE(m_history->FromXML(Document(Paragraph("<text>second</text>"))));
    m_history->SetInsertionPoint(0);
    ASSERT_TRUE(
        m_history->FromXML(Document(Paragraph("<text>third</text>") + Paragraph("<text>fourth</text>"))));
    EXPECT_EQ(m_history->GetValue(), "first\nsecond\nthird\nfourth");

    // The insertion is one undoable step.
    m_history->Undo();
    EXPECT_EQ(m_history->GetValue(), "first\nsecond");
}

TEST_F(RichTextFormatTest, ReadingWithoutInsertLeavesTheControlAndGivesTheDocument)
{
    m_history->WriteText("unchanged");
    wxString text;
    EXPECT_TRUE(m_history->FromXML(Document(Paragraph("<text>elsewhere</text>")), false, &text));
    EXPECT_EQ(m_history->GetValue(), "unchanged");
    EXPECT_TRUE(text.Contains("<text>elsewhere</text>")) << text;
    EXPECT_TRUE(text.Contains("\n <paragraphlayout>\n  <paragraph>")) << "indented by one per level:\n"
                                                                      << text;
}

TEST_F(RichTextFormatTest, UnreadableInputFallsBackToPlainText)
{
    m_history->WriteText("before");
    wxString text;
    EXPECT_FALSE(m_history->FromXML("Hi <b>there", true, &text));
    EXPECT_EQ(m_history->GetValue(), "beforeHi <b>there");
    EXPECT_EQ(text, "Hi <b>there");

    text.clear();
    EXPECT_FALSE(m_history->FromXML("still <not xml", false, &text));
    EXPECT_EQ(m_history->GetValue(), "beforeHi <b>there");
    EXPECT_EQ(text, "still <not xml");

    // Well-formed, but no chat document: the parsed document is reported.
    text.clear();
    EXPECT_FALSE(m_history->FromXML("<html><p>x</p></html>", false, &text));
    EXPECT_TRUE(text.Contains("<html>")) << text;
    EXPECT_FALSE(m_history->FromXML("", true, nullptr));
    EXPECT_EQ(m_history->GetValue(), "beforeHi <b>there");
}

TEST_F(RichTextFormatTest, HostileDocumentsLeaveTheControlUsable)
{
    const wxString valid = Document(Paragraph("<text>ok</text>") + Paragraph(KeyedFace("/x")));
    std::vector<wxString> hostile = {
        valid.Left(valid.length() / 2),
        wxString(Prolog) + "<richtext>" + wxString('\x01', 3) + "</richtext>",
        Document(Paragraph("<animation><data>4749463839ZZ</data></animation>")),
        Document(Paragraph("<animation><data>474946383961FFFF</data><animationType>1</animationType>"
                           "</animation>")),
        Document(Paragraph("<animation><data>123</data></animation>")),
        Document("<paragraph/><paragraph><paragraph><text>nested</text></paragraph></paragraph>"),
        Document("<text>loose</text><paragraphlayout><paragraph/></paragraphlayout>"),
        Document(Paragraph("<text fontpointsize=\"100000\" leftindent=\"99999999\">big</text>")),
        Document(Paragraph("<image imagetype=\"15\" width=\"99999\" height=\"99999\"><data>00"
                           "</data></image>")),
        Document(Paragraph("<table rows=\"100000\" cols=\"100000\"/><textbox/><field/>")),
        Document(Paragraph("<text>&amp;&lt;&#0;</text>")),
    };
    wxString deep;
    for (int i = 0; i < 20000; ++i)
        deep += "<paragraph>";
    hostile.push_back(Document(deep));

    for (const wxString& xml : hostile)
    {
        SCOPED_TRACE(xml.Left(200));
        m_history->Clear();
        m_history->WriteText("before");
        if (!m_history->FromXML(xml, true))
        {
            EXPECT_EQ(m_history->GetValue(), "before" + xml);
        }
        m_history->LayoutContent();
        m_history->Refresh();
        m_history->Update();
        EXPECT_TRUE(m_history->GetValue().StartsWith("before"));
    }
    kel::test::ShowAndWait(m_frame);
}

TEST_F(RichTextFormatTest, FontNumbersAndColoursTheToolkitCannotTakeAreNormalised)
{
    const wxString xml = Document(
        Paragraph("<text fontweight=\"461\">a</text><text fontweight=\"-7\">b</text>"
                  "<text fontweight=\"2147483647\">c</text><text fontweight=\"700\">d</text>"
                  "<text fontstyle=\"12\">e</text><text fontfamily=\"1000\">f</text>"
                  "<text textcolor=\"#00p000\">g</text><text fontunderlined=\"1\" textcolor=\"#12\">h</text>"
                  "<text bgcolor=\"#a0b0c0\">i</text>"));
    ASSERT_TRUE(m_history->FromXML(xml, true));
    m_history->LayoutContent();
    m_history->Update();
    EXPECT_EQ(m_history->GetValue(), "abcdefghi");

    const auto runs = ObjectsOf<wxRichTextPlainText>(m_history);
    ASSERT_EQ(runs.size(), 9u);
    EXPECT_EQ(runs[0]->GetAttributes().GetFontWeight(), wxFONTWEIGHT_MEDIUM);
    EXPECT_EQ(runs[1]->GetAttributes().GetFontWeight(), wxFONTWEIGHT_THIN);
    EXPECT_EQ(runs[2]->GetAttributes().GetFontWeight(), wxFONTWEIGHT_MAX);
    EXPECT_EQ(runs[3]->GetAttributes().GetFontWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(runs[4]->GetAttributes().GetFontStyle(), wxFONTSTYLE_NORMAL);
    EXPECT_EQ(runs[5]->GetAttributes().GetFontFamily(), wxFONTFAMILY_DEFAULT);
    EXPECT_FALSE(runs[6]->GetAttributes().HasTextColour());
    EXPECT_FALSE(runs[7]->GetAttributes().HasTextColour());
    EXPECT_EQ(runs[8]->GetAttributes().GetBackgroundColour(), wxColour(0xA0, 0xB0, 0xC0));
}

TEST_F(RichTextFormatTest, PicturesAreTakenOnlyWhenTheirDataIsWholeAndOfASensibleSize)
{
    const std::string png = PngOf(RedSquare());
    const std::string pnm = "P6\n50000 50000\n255\n" + std::string(30, '\0');
    std::string hugePng = png;
    hugePng.replace(16, 8, std::string("\0\0\x9c\x40\0\0\x9c\x40", 8));
    const std::string hugeGif = std::string("GIF89a\xff\xff\xff\xff\x80\0\0", 13) + std::string(6, '\0') +
                                std::string("\x2c\0\0\0\0\xff\xff\xff\xff\0\x02\x02\x4c\x01\0\x3b", 16);
    const std::string hugeJpeg = std::string("\xff\xd8\xff\xe0\0\x04\0\0\xff\xc0\0\x0b\x08\xea\x60\xea\x60"
                                             "\x01\x01\x11\0",
                                             21);

    wxString rejected;
    for (const auto& [type, bytes] : std::vector<std::pair<int, std::string>>{
             {15, png.substr(0, 20)}, {15, hugePng}, {13, hugeGif}, {17, hugeJpeg}, {19, pnm}, {15, ""}})
        rejected += Paragraph("<text>x</text>" + Picture(type, Hex(bytes)));
    const wxString lowerCase = Picture(15, Hex(png).Lower());
    const wxString badDigit = Picture(15, Hex(png).Left(40) + "Zz" + Hex(png).Mid(42));

    ASSERT_TRUE(m_history->FromXML(
        Document(Paragraph("<text>a</text>" + lowerCase) + Paragraph("<text>b</text>" + badDigit) + rejected),
        true));
    m_history->LayoutContent();
    m_history->Update();
    EXPECT_TRUE(m_history->GetValue().StartsWith("a")) << m_history->GetValue();
    EXPECT_TRUE(m_history->GetValue().EndsWith("\nb\nx\nx\nx\nx\nx\nx")) << m_history->GetValue();
    const auto pictures = ObjectsOf<wxRichTextImage>(m_history);
    ASSERT_EQ(pictures.size(), 1u);
    wxImage image;
    ASSERT_TRUE(pictures[0]->GetImageBlock().Load(image));
    EXPECT_EQ(kel::test::PixelAt(image, 5, 5), wxColour(220, 30, 30));
}

TEST_F(RichTextFormatTest, PicturesOfOneDocumentShareABudgetOfPixels)
{
    // Headers only: what counts is the size they announce.
    std::string large = PngOf(RedSquare());
    large.replace(16, 8, std::string("\0\0\x08\0\0\0\x04\0", 8)); // 2048 x 1024
    const wxString picture = Picture(15, Hex(large));
    const wxString document = Document(Paragraph("<text>p</text>" + picture + picture + picture));

    ASSERT_TRUE(m_history->FromXML(document, true));
    EXPECT_EQ(ObjectsOf<wxRichTextImage>(m_history).size(), 2u);
    ASSERT_TRUE(m_history->FromXML(document, true));
    EXPECT_EQ(ObjectsOf<wxRichTextImage>(m_history).size(), 4u) << "each document has its own";
    m_history->LayoutContent();
    m_history->Update();
}

TEST_F(RichTextFormatTest, GifPicturesWhoseCodesNameNoTableEntryAreLeftOut)
{
    wxFFile file(kel::test::SourceDataDir() + "/../fuzz/corpus/richtext_face/decoder_overrun.gif", "rb");
    std::string gif(size_t(file.Length()), '\0');
    ASSERT_EQ(file.Read(&gif[0], gif.size()), gif.size());

    ASSERT_TRUE(m_history->FromXML(Document(Paragraph("<text>g</text>" + Picture(13, Hex(gif)))), true));
    m_history->LayoutContent();
    m_history->Update();
    EXPECT_EQ(m_history->GetValue(), "g");
    EXPECT_TRUE(ObjectsOf<wxRichTextImage>(m_history).empty());
}

TEST_F(RichTextFormatTest, LoadFileReplacesTheContentOnlyWhenTheFileReads)
{
    m_input->RegisteFaceInfoHandler(&m_faces);
    m_input->WriteText("saved ");
    m_input->WriteAnimation(FacePath("cry"));
    ASSERT_TRUE(m_input->SaveFile(PathOf("saved.xml"), wxRICHTEXT_TYPE_XML));

    m_history->WriteText("old");
    ASSERT_TRUE(m_history->LoadFile(PathOf("saved.xml"), wxRICHTEXT_TYPE_XML));
    EXPECT_EQ(m_history->GetValue(), m_input->GetValue());
    const auto faces = ObjectsOf<wxFlagRichTextAnimation>(m_history);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0]->GetAnimationFile(), FacePath("cry"));

    WriteBytes("broken.xml", std::string("<?xml version=\"1.0\"?><richtext><paragraphlayout>"
                                         "<paragraph><text>\xff\xfe</text>"));
    EXPECT_FALSE(m_history->LoadFile(PathOf("broken.xml"), wxRICHTEXT_TYPE_XML));
    EXPECT_FALSE(m_history->LoadFile(PathOf("missing.xml"), wxRICHTEXT_TYPE_XML));
    EXPECT_EQ(m_history->GetValue(), m_input->GetValue());
}

TEST_F(RichTextFormatTest, NonUtf8BytesAreRefused)
{
    wxFlagRichTextBuffer buffer;
    const std::string latin1 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><richtext><paragraphlayout>"
                               "<paragraph><text>caf\xe9</text></paragraph></paragraphlayout></richtext>";
    wxMemoryInputStream in(latin1.data(), latin1.size());
    m_history->WriteText("mine");
    EXPECT_FALSE(m_history->DoGetStream(&buffer, in, nullptr, true));
    EXPECT_EQ(m_history->GetValue(), "mine");
}
