// The chat text control: its image cache, converted pictures, styles and
// events.
#include "support/diskfull.h"
#include "test_richtext_support.h"

#include <wx/dir.h>
#include <wx/regex.h>
#include <wx/scrolwin.h>
#include <wx/uiaction.h>

using namespace kel::test;

class RichTextControlTest : public RichTextTest
{
protected:
    wxArrayString CachedFiles() const
    {
        wxArrayString files;
        wxDir::GetAllFiles(PathOf("online/ImageCache"), &files);
        return files;
    }

    wxString WritePicture(const wxString& name)
    {
        wxImage picture(30, 20);
        picture.SetRGB(wxRect(0, 0, 30, 20), 40, 120, 200);
        const wxString path = PathOf(name);
        EXPECT_TRUE(picture.SaveFile(path, wxBITMAP_TYPE_PNG));
        return path;
    }
};

TEST_F(RichTextControlTest, CreateMakesTheImageCacheOfTheUserOnlineOrOffline)
{
    EXPECT_TRUE(wxDir::Exists(PathOf("online/ImageCache")));
    EXPECT_EQ(m_history->GetFileImageMainBuff(), PathOf("online/ImageCache"));

    SetNextPresence(KEL_PRESENCE_OFFLINE);
    auto offline = new KelRichText;
    ASSERT_TRUE(offline->Create(m_frame, wxID_ANY));
    EXPECT_TRUE(wxDir::Exists(PathOf("offline/ImageCache")));
    EXPECT_EQ(offline->GetFileImageMainBuff(), PathOf("offline/ImageCache"));
    EXPECT_NE(offline->GetStyleSheet(), nullptr) << "both ways of creating give the styles";
    EXPECT_TRUE(offline->IsHandUrl());

    KelJabberJob::GetInstance()->SetOfflineUserLocal(PathOf("never/signed/in"));
    auto firstTime = new KelRichText(m_frame, wxID_ANY);
    EXPECT_TRUE(wxDir::Exists(PathOf("never/signed/in/ImageCache")));
    EXPECT_NE(firstTime->GetStyleSheet(), nullptr);
    EXPECT_EQ(offline->GetFollowEnd(), 1);
}

TEST_F(RichTextControlTest, ConstructionRegistersOneXmlHandlerForTheFamily)
{
    new KelRichText(m_frame, wxID_ANY);
    new KelRichText(m_frame, wxID_ANY);
    int handlers = 0;
    for (auto node = wxRichTextBuffer::GetHandlers().GetFirst(); node; node = node->GetNext())
        handlers += static_cast<wxRichTextFileHandler*>(node->GetData())->GetType() == wxRICHTEXT_TYPE_XML;
    EXPECT_EQ(handlers, 1);
    EXPECT_TRUE(dynamic_cast<wxFlagRichTextXMLHandler*>(wxRichTextBuffer::FindHandler(wxRICHTEXT_TYPE_XML)));
}

TEST_F(RichTextControlTest, PicturesAreConvertedIntoTheCacheUnderAFreshName)
{
    m_input->WriteText("look: ");
    ASSERT_TRUE(m_input->TransImageToWrite(WritePicture("holiday photo.PNG"), wxBITMAP_TYPE_JPEG));
    ASSERT_TRUE(m_input->TransImageToWrite(WritePicture("second.png"), wxBITMAP_TYPE_BMP));

    wxArrayString files = CachedFiles();
    ASSERT_EQ(files.size(), 2u);
    files.Sort();
    // The C initialiser form of a UUID with its commas made underscores.
    const wxRegEx uuidName("^0x[0-9A-F]{8}_ 0x[0-9A-F]{4}_ 0x[0-9A-F]{4}(_ 0x[0-9A-F]{2}){8}"
                           "\\.(jpg|bmp)$",
                           wxRE_ADVANCED);
    for (const wxString& file : files)
    {
        const wxString name = wxFileName(file).GetFullName();
        EXPECT_TRUE(uuidName.Matches(name)) << name;
        EXPECT_FALSE(name.BeforeLast('.').Contains(".")) << name;
        EXPECT_FALSE(name.Contains(",")) << name;
    }
    EXPECT_NE(wxFileName(files[0]).GetName(), wxFileName(files[1]).GetName());

    const auto pictures = ObjectsOf<wxRichTextImage>(m_input);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0]->GetImageBlock().GetImageType(), wxBITMAP_TYPE_JPEG);
    EXPECT_EQ(pictures[1]->GetImageBlock().GetImageType(), wxBITMAP_TYPE_BMP);
    const wxString cachedFirst = pictures[0]->GetProperties().GetPropertyString("file");
    EXPECT_TRUE(cachedFirst.EndsWith(".jpg")) << cachedFirst;
    EXPECT_TRUE(wxFileName::FileExists(cachedFirst));
    EXPECT_TRUE(m_input->GetValue().StartsWith("look: "));
}

TEST_F(RichTextControlTest, PicturesThatCannotBeConvertedChangeNothing)
{
    m_input->WriteText("unchanged");
    WriteFile("notes.xyz", "plain text");
    WriteFile("broken.png", "not a png");
    const wxString good = WritePicture("good.png");

    EXPECT_FALSE(m_input->TransImageToWrite(PathOf("notes.xyz"), wxBITMAP_TYPE_PNG));
    EXPECT_FALSE(m_input->TransImageToWrite(PathOf("broken.png"), wxBITMAP_TYPE_PNG));
    EXPECT_FALSE(m_input->TransImageToWrite(PathOf("missing.png"), wxBITMAP_TYPE_PNG));
    EXPECT_FALSE(m_input->TransImageToWrite(good, 9999)) << "no handler for the target type";
    EXPECT_EQ(m_input->GetValue(), "unchanged");
    EXPECT_TRUE(ObjectsOf<wxRichTextImage>(m_input).empty());
    EXPECT_TRUE(CachedFiles().IsEmpty());
}

TEST_F(RichTextControlTest, FailedSavesKeepTheOldFileAndInsertNothing)
{
    m_input->WriteText("new text");
    WriteFile("chat.xml", "the old chat");
    const wxString picture = WritePicture("photo.png");
    kel::test::SaveOnFullDiskChangesNothing(m_dir,
                                            [&]
                                            {
                                                EXPECT_FALSE(m_input->SaveFile(PathOf("chat.xml")));
                                                EXPECT_FALSE(
                                                    m_input->TransImageToWrite(picture, wxBITMAP_TYPE_BMP));
                                            });
    EXPECT_TRUE(ObjectsOf<wxRichTextImage>(m_input).empty());
    EXPECT_EQ(m_input->GetFilename(), "") << "not the name of a file it did not write";

    ASSERT_TRUE(m_input->SaveFile(PathOf("chat.xml")));
    EXPECT_EQ(m_input->GetFilename(), PathOf("chat.xml"));
    EXPECT_TRUE(ReadFile("chat.xml").Contains("new text"));
}

TEST_F(RichTextControlTest, TheStyleSheetHoldsTheChatStylesAndTheyApply)
{
    wxRichTextStyleSheet* sheet = m_history->GetStyleSheet();
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->GetParagraphStyleCount(), 4);
    EXPECT_EQ(sheet->GetParagraphStyle(0)->GetName(), "Normal");
    EXPECT_EQ(sheet->GetParagraphStyle(3)->GetName(), "First Line Indented");
    ASSERT_EQ(sheet->GetCharacterStyleCount(), 3);
    ASSERT_EQ(sheet->GetListStyleCount(), 3);

    // Applying a style really formats the text.
    m_history->WriteText("headline");
    m_history->SetSelection(0, 8);
    ASSERT_TRUE(m_history->ApplyStyle(sheet->FindCharacterStyle("Red Bold")));
    wxTextAttr applied;
    ASSERT_TRUE(m_history->GetStyle(2, applied));
    EXPECT_EQ(applied.GetTextColour(), *wxRED);
    EXPECT_EQ(applied.GetFontWeight(), wxFONTWEIGHT_BOLD);
}

TEST_F(RichTextControlTest, RightClicksEndInTheControl)
{
    kel::test::ShowAndWait(m_frame);
    int reachedParent = 0;
    m_frame->Bind(wxEVT_RICHTEXT_RIGHT_CLICK, [&](wxRichTextEvent&) { ++reachedParent; });

    // A plain control of the family lets the event through to the parent...
    auto plain = new wxFlagRichTextCtrl(m_frame, wxID_ANY, "plain", wxPoint(0, 0), wxSize(100, 40));
    wxUIActionSimulator sim;
    sim.MouseMove(plain->ClientToScreen(wxPoint(20, 10)));
    kel::test::Pump(50);
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    ASSERT_TRUE(kel::test::WaitUntil([&] { return reachedParent == 1; }));
    plain->Destroy();

    // ...the chat text keeps it.
    sim.MouseMove(m_history->ClientToScreen(wxPoint(20, 10)));
    kel::test::Pump(50);
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    kel::test::Pump(200);
    EXPECT_EQ(reachedParent, 1);
}

TEST_F(RichTextControlTest, TypingAndTextEventsFollowTheHandUrlFlag)
{
    kel::test::ShowAndWait(m_frame);
    int updates = 0;
    m_frame->Bind(wxEVT_TEXT, [&](wxCommandEvent&) { ++updates; });

    m_input->SetFocus();
    kel::test::Pump(50);
    wxUIActionSimulator sim;
    sim.Text("hi");
    ASSERT_TRUE(kel::test::WaitUntil([&] { return m_input->GetValue() == "hi"; }));
    EXPECT_GT(updates, 0);

    updates = 0;
    m_input->SetIsHandUrl(false);
    m_input->SetValue("quiet");
    m_input->SetInsertionPointEnd();
    sim.Text("x");
    ASSERT_TRUE(kel::test::WaitUntil([&] { return m_input->GetValue() == "quietx"; }));
    EXPECT_EQ(updates, 0);
}

TEST_F(RichTextControlTest, ScrollEventsReachTheSinkAndStillScroll)
{
    for (int i = 0; i < 80; ++i)
        m_history->WriteText(wxString::Format("line %d\n", i));
    kel::test::ShowAndWait(m_frame);
    m_history->ShowPosition(0);
    m_history->Scroll(0, 0);

    auto dragThumbTo = [this](int position)
    {
        wxScrollWinEvent event(wxEVT_SCROLLWIN_THUMBTRACK, position, wxVERTICAL);
        event.SetEventObject(static_cast<wxWindow*>(m_history));
        m_history->GetEventHandler()->ProcessEvent(event);
        kel::test::Pump(20);
    };
    dragThumbTo(10);
    EXPECT_EQ(m_history->GetViewStart().y, 10) << "without a sink the control scrolls as usual";

    auto sink = new wxWindow(m_frame, wxID_ANY);
    int seen = 0;
    sink->Bind(wxEVT_SCROLLWIN_THUMBTRACK,
               [&](wxScrollWinEvent& event)
               {
                   ++seen;
                   EXPECT_EQ(event.GetPosition(), 20);
               });
    m_history->RegistScrollEventSink(sink);
    dragThumbTo(20);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(m_history->GetViewStart().y, 20);

    // The sink hears of the scroll; a scrollable sink does not scroll along.
    auto scrolledSink = new wxScrolledWindow(m_frame, wxID_ANY, wxPoint(0, 0), wxSize(100, 100));
    scrolledSink->SetScrollbars(0, 10, 0, 100);
    int heard = 0;
    scrolledSink->Bind(wxEVT_SCROLLWIN_THUMBTRACK,
                       [&](wxScrollWinEvent& event)
                       {
                           ++heard;
                           event.Skip();
                       });
    m_history->RegistScrollEventSink(scrolledSink);
    dragThumbTo(30);
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(m_history->GetViewStart().y, 30);
    EXPECT_EQ(scrolledSink->GetViewStart().y, 0);
}

TEST_F(RichTextControlTest, TheHistoryFollowsItsEndAsMessagesArriveUnlessTheReaderScrolledUp)
{
    kel::test::ShowAndWait(m_frame);
    auto receive = [this](int count)
    {
        for (int i = 0; i < count; ++i)
        {
            ASSERT_TRUE(m_history->FromXML(
                wxString::Format("<richtext><paragraphlayout><paragraph><text>message %d</text>"
                                 "</paragraph></paragraphlayout></richtext>",
                                 i)));
        }
        kel::test::Pump(100);
    };
    receive(60);
    EXPECT_GT(m_history->GetViewStart().y, 0);
    EXPECT_TRUE(m_history->IsPositionVisible(m_history->GetLastPosition()));
    EXPECT_TRUE(m_history->IsViewAtEnd());

    m_history->Scroll(0, 3);
    kel::test::Pump(50);
    ASSERT_FALSE(m_history->IsViewAtEnd());
    receive(5);
    EXPECT_EQ(m_history->GetViewStart().y, 3) << "the reader keeps their place";
    EXPECT_FALSE(m_history->IsPositionVisible(m_history->GetLastPosition()));

    // Back at the end, the history follows again.
    m_history->ShowPosition(m_history->GetLastPosition());
    kel::test::Pump(50);
    receive(5);
    EXPECT_TRUE(m_history->IsPositionVisible(m_history->GetLastPosition()));

    // Text typed into the middle of the content never moves the view.
    m_history->Scroll(0, 0);
    kel::test::Pump(50);
    m_history->SetInsertionPoint(0);
    m_history->WriteText("typed at the start");
    kel::test::Pump(50);
    EXPECT_EQ(m_history->GetViewStart().y, 0);
}

TEST_F(RichTextControlTest, TheHistoryKeepsUpWithMessagesArrivingOneByOneEvenWhileHidden)
{
    kel::test::ShowAndWait(m_frame);
    int sent = 0;
    auto receiveSlowly = [&](int count)
    {
        for (int i = 0; i < count; ++i, ++sent)
        {
            ASSERT_TRUE(m_history->FromXML(
                wxString::Format("<richtext><paragraphlayout><paragraph><text>message %d</text>"
                                 "</paragraph></paragraphlayout></richtext>",
                                 sent)));
            kel::test::Pump(5);
        }
        kel::test::Pump(50);
    };
    receiveSlowly(40);
    EXPECT_TRUE(m_history->IsPositionVisible(m_history->GetLastPosition()));

    // A conversation in a tab in the background follows too...
    m_history->Hide();
    receiveSlowly(40);
    m_history->Show();
    m_frame->Layout();
    kel::test::Pump(100);
    EXPECT_TRUE(m_history->IsPositionVisible(m_history->GetLastPosition()));

    // ...unless its reader had scrolled up before it went there.
    m_history->Scroll(0, 2);
    kel::test::Pump(50);
    m_history->Hide();
    receiveSlowly(10);
    m_history->Show();
    m_frame->Layout();
    kel::test::Pump(100);
    EXPECT_EQ(m_history->GetViewStart().y, 2);
}

// The control measures text for its layout through a context of its own; it
// must place every line where the toolkit's control places it.
TEST_F(RichTextControlTest, LayoutPlacesEveryLineAsThePlainControlDoes)
{
    auto plain =
        new wxRichTextCtrl(m_frame, wxID_ANY, wxEmptyString, wxDefaultPosition, m_history->GetSize());
    auto write = [](wxRichTextCtrl* text)
    {
        wxImage picture(40, 30);
        picture.SetRGB(wxRect(0, 0, 40, 30), 90, 160, 40);
        text->Freeze();
        for (int size : {8, 20, 11})
        {
            text->BeginFontSize(size);
            text->WriteText(wxString::Format("Contact %d  10:%02d", size, size));
            text->BeginBold();
            text->WriteText(" bold");
            text->EndBold();
            text->Newline();
            // Indents are given in tenths of a millimetre, line spacing in
            // tenths of the font's line height.
            text->BeginLeftIndent(150, 60);
            text->BeginLineSpacing(wxTEXT_ATTR_LINE_SPACING_TWICE);
            for (int word = 0; word < 60; ++word)
                text->WriteText(word % 7 ? "wrapping " : "longer-than-usual ");
            text->BeginItalic();
            text->WriteText("and italic");
            text->EndItalic();
            text->EndLineSpacing();
            text->EndLeftIndent();
            text->Newline();
            text->WriteImage(picture);
            text->Newline();
            text->EndFontSize();
        }
        text->Thaw();
        text->GetBuffer().Invalidate(wxRICHTEXT_ALL);
        text->LayoutContent();
    };
    m_history->SetSize(plain->GetSize());
    write(m_history);
    write(plain);

    const wxRichTextObjectList& ours = m_history->GetBuffer().GetChildren();
    const wxRichTextObjectList& theirs = plain->GetBuffer().GetChildren();
    ASSERT_EQ(ours.GetCount(), theirs.GetCount());
    EXPECT_EQ(m_history->GetBuffer().GetCachedSize(), plain->GetBuffer().GetCachedSize());
    for (auto o = ours.GetFirst(), t = theirs.GetFirst(); o && t; o = o->GetNext(), t = t->GetNext())
    {
        auto oursPara = static_cast<wxRichTextParagraph*>(o->GetData());
        auto theirPara = static_cast<wxRichTextParagraph*>(t->GetData());
        EXPECT_EQ(oursPara->GetRect(), theirPara->GetRect())
            << oursPara->GetTextForRange(oursPara->GetRange());
        const wxRichTextLineVector& oursLines = oursPara->GetLines();
        const wxRichTextLineVector& theirLines = theirPara->GetLines();
        ASSERT_EQ(oursLines.size(), theirLines.size());
        for (size_t line = 0; line < oursLines.size(); ++line)
        {
            EXPECT_EQ(oursLines[line]->GetRect(), theirLines[line]->GetRect());
            EXPECT_EQ(oursLines[line]->GetRange(), theirLines[line]->GetRange());
        }
    }
    plain->Destroy();
}
