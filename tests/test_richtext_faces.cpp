// Animated faces: decoding, their data as hexadecimal text, timing, and
// animation on screen.
#include "test_richtext_support.h"

#include <wx/dir.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/ffile.h>
#include <wx/settings.h>
#include <wx/sstream.h>

#include <cstdio>

#include <unistd.h>

using namespace kel::test;

namespace
{

std::string ReadBytes(const wxString& path)
{
    wxFFile file(path, "rb");
    std::string bytes(size_t(file.Length()), '\0');
    file.Read(&bytes[0], bytes.size());
    return bytes;
}

wxString Hex(const std::string& bytes)
{
    wxString hex;
    for (unsigned char c : bytes)
        hex += wxString::Format("%02X", c);
    return hex;
}

// What the window shows now, read through a client DC: the screen capture
// of the test support shows a window as it was first painted.
wxImage ClientImage(wxWindow* win)
{
    const wxSize size = win->GetClientSize();
    wxClientDC client(win);
    wxBitmap bitmap(size, 24);
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, size.x, size.y, &client, 0, 0);
    memory.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

bool SameImages(const wxImage& a, const wxImage& b)
{
    return a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}

} // namespace

TEST(RichTextFaces, TheInstalledFacesAreSmallTransparentAnimations)
{
    wxArrayString files;
    wxDir::GetAllFiles(kel::test::SourceDataDir() + "/faces", &files, "*.gif");
    EXPECT_GE(files.size(), 12u);
    for (const wxString& file : files)
    {
        SCOPED_TRACE(file);
        wxFlagRichTextAnimation face(file, wxANIMATION_TYPE_GIF);
        ASSERT_TRUE(face.IsOk());
        EXPECT_EQ(face.GetAnimationSize(), wxSize(24, 24));
        ASSERT_GE(face.GetFrameCount(), 2u);
        const wxImage first = face.GetFrameBitmap(0).ConvertToImage();
        ASSERT_TRUE(first.HasAlpha());
        EXPECT_EQ(first.GetAlpha(0, 0), 0) << "the corners show the background";
        EXPECT_EQ(first.GetAlpha(12, 12), 255);
        bool moves = false;
        for (unsigned i = 1; i < face.GetFrameCount() && !moves; ++i)
            moves = !SameImages(first, face.GetFrameBitmap(i).ConvertToImage());
        EXPECT_TRUE(moves);
    }
}

TEST(RichTextFaces, DataSurvivesHexadecimalTextAndBadTextIsRefused)
{
    const wxFlagRichTextAnimation face(FacePath("surprise"), wxANIMATION_TYPE_GIF);
    wxString hex;
    {
        wxStringOutputStream out(&hex);
        ASSERT_TRUE(face.WriteHex(out, wxANIMATION_TYPE_GIF));
        wxStringOutputStream other(nullptr);
        EXPECT_FALSE(face.WriteHex(other, wxANIMATION_TYPE_ANI)) << "no encoder for other types";
    }
    EXPECT_EQ(hex, Hex(ReadBytes(FacePath("surprise"))));

    wxFlagRichTextAnimation copy;
    ASSERT_TRUE(copy.ReadHex(hex.Lower(), int(hex.length()), wxANIMATION_TYPE_GIF));
    EXPECT_TRUE(copy.GetAnimationFile().empty());
    EXPECT_EQ(copy.GetAnimationType(), wxANIMATION_TYPE_GIF);
    ASSERT_EQ(copy.GetFrameCount(), face.GetFrameCount());
    EXPECT_TRUE(SameImages(copy.GetFrameBitmap(5).ConvertToImage(), face.GetFrameBitmap(5).ConvertToImage()));

    wxFlagRichTextAnimation refused(FacePath("sad"), wxANIMATION_TYPE_GIF);
    EXPECT_FALSE(refused.ReadHex(hex, int(hex.length()) - 1, wxANIMATION_TYPE_GIF)) << "odd";
    EXPECT_FALSE(refused.ReadHex(hex, int(hex.length()) + 2, wxANIMATION_TYPE_GIF)) << "past end";
    EXPECT_FALSE(refused.ReadHex(hex.Left(40) + "G0", 42, wxANIMATION_TYPE_GIF));
    EXPECT_FALSE(refused.ReadHex(hex.Left(200), 200, wxANIMATION_TYPE_GIF)) << "truncated";
    EXPECT_FALSE(refused.ReadHex(hex, int(hex.length()), wxANIMATION_TYPE_ANI));
    EXPECT_FALSE(refused.ReadHex(Hex("not a picture at all"), 40, wxANIMATION_TYPE_ANY));
    EXPECT_EQ(refused.GetAnimationFile(), FacePath("sad")) << "a refused read changes nothing";
    EXPECT_TRUE(refused.IsOk());
}

TEST(RichTextFaces, MalformedGifStructureNeverReachesTheDecoder)
{
    const std::string gif = ReadBytes(FacePath("smile"));
    auto refusedWith = [](std::string bytes)
    {
        wxFlagRichTextAnimation face;
        return !face.ReadHex(Hex(bytes), int(bytes.size() * 2), wxANIMATION_TYPE_GIF);
    };
    std::string palette = gif;
    palette[10] = char(0x80); // claims a palette of 2 entries; 256 follow
    EXPECT_TRUE(refusedWith(palette));

    std::string outside = gif;
    const size_t image = outside.find('\x2C', 13 + 768);
    ASSERT_NE(image, std::string::npos);
    outside[image + 5] = char(200); // a frame wider than the screen
    EXPECT_TRUE(refusedWith(outside));

    std::string huge = gif;
    huge[6] = huge[7] = char(0xFF); // 65535 pixels wide
    EXPECT_TRUE(refusedWith(huge));

    EXPECT_TRUE(refusedWith(gif.substr(0, 13)));
    EXPECT_FALSE(refusedWith(gif));
}

namespace
{

// A GIF of `frames` full-screen frames of one pixel each, the rest left to
// the decoder to fill.
std::string SparseGif(int frames, int width, int height)
{
    auto le16 = [](int v) { return std::string{char(v & 0xFF), char(v >> 8)}; };
    std::string gif = "GIF89a" + le16(width) + le16(height) + std::string("\x80\0\0", 3) +
                      std::string("\0\0\0\xff\xff\xff", 6);
    for (int i = 0; i < frames; ++i)
        gif += std::string("\x21\xf9\x04\0\x0a\0\0\0\x2c\0\0\0\0", 13) + le16(width) + le16(height) +
               std::string("\0\x02\x02\x4c\x01\0", 6);
    return gif + "\x3b";
}

} // namespace

TEST(RichTextFaces, LargeAnimationsAreNoFaces)
{
    auto reads = [](const std::string& bytes)
    {
        wxFlagRichTextAnimation face;
        return face.ReadHex(Hex(bytes), int(bytes.size() * 2), wxANIMATION_TYPE_GIF);
    };
    EXPECT_TRUE(reads(SparseGif(64, 128, 128)));
    EXPECT_FALSE(reads(SparseGif(65, 128, 128))) << "too many pixels over all frames";
    EXPECT_TRUE(reads(SparseGif(1, 512, 64)));
    EXPECT_FALSE(reads(SparseGif(1, 513, 64))) << "too wide";
    EXPECT_FALSE(reads(SparseGif(1, 4096, 4096)));
}

TEST(RichTextFaces, CodesNamingNoTableEntryNeverReachTheDecoder)
{
    // Its codes would lead the toolkit's decoder off its tables.
    const std::string bytes =
        ReadBytes(kel::test::SourceDataDir() + "/../fuzz/corpus/richtext_face/decoder_overrun.gif");
    ASSERT_EQ(bytes.size(), 1512u);
    wxFlagRichTextAnimation face(FacePath("sad"));
    EXPECT_FALSE(face.ReadHex(Hex(bytes), int(bytes.size() * 2), wxANIMATION_TYPE_GIF));
    EXPECT_EQ(face.GetAnimationFile(), FacePath("sad"));
    EXPECT_TRUE(face.IsOk());
}

TEST(RichTextFaces, FramesFollowTheirDelaysAndLoop)
{
    const wxFlagRichTextAnimation face(FacePath("heart"));
    ASSERT_EQ(face.GetFrameCount(), 12u);
    // The faces show each frame for 90 ms.
    EXPECT_EQ(face.GetFrameAt(0), 0u);
    EXPECT_EQ(face.GetFrameAt(89), 0u);
    EXPECT_EQ(face.GetFrameAt(90), 1u);
    EXPECT_EQ(face.GetFrameAt(90 * 11 + 10), 11u);
    EXPECT_EQ(face.GetFrameAt(90 * 12), 0u);
    EXPECT_EQ(face.GetFrameAt(90 * 12 * 1000 + 95), 1u);
}

TEST(RichTextFaces, FacesOfOneFileShareTheirFramesAndMissingFilesShowAPlaceholderSize)
{
    const wxFlagRichTextAnimation a(FacePath("cool")), b(FacePath("cool"));
    EXPECT_TRUE(a.GetFrameBitmap(3).IsSameAs(b.GetFrameBitmap(3)));
    const wxFlagRichTextAnimation copy(a);
    EXPECT_TRUE(copy.GetFrameBitmap(3).IsSameAs(a.GetFrameBitmap(3)));

    const wxFlagRichTextAnimation missing("/no/such/face.gif");
    EXPECT_FALSE(missing.IsOk());
    EXPECT_EQ(missing.GetFrameCount(), 0u);
    EXPECT_EQ(missing.GetFrameAt(1234), 0u);
    EXPECT_FALSE(missing.GetFrameBitmap(0).IsOk());
    wxStringOutputStream out(nullptr);
    EXPECT_FALSE(missing.WriteHex(out, wxANIMATION_TYPE_ANY));
}

class RichTextFacesOnScreen : public RichTextTest
{
protected:
    // Where the first face of the history is drawn, in client coordinates.
    wxRect FirstFaceRect()
    {
        const auto faces = ObjectsOf<wxFlagRichTextAnimation>(m_history);
        wxRect rect = faces.at(0)->GetRect();
        rect.SetPosition(m_history->GetPhysicalPoint(rect.GetPosition()));
        return rect;
    }
};

TEST_F(RichTextFacesOnScreen, FacesReallyAnimate)
{
    m_history->WriteText("Good night ");
    m_history->WriteAnimation(FacePath("sleepy"));
    kel::test::ShowAndWait(m_frame);
    ASSERT_TRUE(kel::test::WaitUntil([&] { return m_history->IsAnimating(); }));

    const wxRect face = FirstFaceRect();
    ASSERT_EQ(face.GetSize(), wxSize(24, 24));
    // The "z" rises a little in every frame, so any two moments a few frames
    // apart (and not a whole loop apart) differ.
    const wxImage before = ClientImage(m_history).GetSubImage(face);
    kel::test::Pump(300);
    const wxImage after = ClientImage(m_history).GetSubImage(face);
    EXPECT_FALSE(SameImages(before, after));

    // The face is drawn, not a blank: its yellow is on screen.
    int yellow = 0;
    for (int y = 0; y < after.GetHeight(); ++y)
        for (int x = 0; x < after.GetWidth(); ++x)
            yellow += after.GetRed(x, y) > 200 && after.GetGreen(x, y) > 150 && after.GetBlue(x, y) < 120;
    EXPECT_GT(yellow, 100);

    m_frame->Hide();
    EXPECT_TRUE(kel::test::WaitUntil([&] { return !m_history->IsAnimating(); }))
        << "a hidden control stops its frame timer";
}

TEST_F(RichTextFacesOnScreen, StillAndMissingFacesNeedNoTimer)
{
    m_history->WriteAnimation("/missing/face.gif");
    m_history->WriteText(" text");
    kel::test::ShowAndWait(m_frame);
    kel::test::Pump(150);
    EXPECT_FALSE(m_history->IsAnimating());

    // The placeholder is a grey frame of its own size.
    const wxRect face = FirstFaceRect();
    EXPECT_EQ(face.GetSize(), wxFlagRichTextAnimation::GetPlaceholderSize());
    const wxImage shot = ClientImage(m_history);
    EXPECT_EQ(kel::test::PixelAt(shot, face.x + 1, face.y + face.height / 2), wxColour(0xB0, 0xB8, 0xC4));
}

TEST_F(RichTextFacesOnScreen, SelectedFacesAreHighlighted)
{
    m_history->WriteAnimation(FacePath("heart"));
    m_history->WriteText("MMMM");
    kel::test::ShowAndWait(m_frame);
    const wxRect face = FirstFaceRect();
    m_history->SelectAll();
    m_history->Refresh();
    kel::test::Pump(100);
    const wxImage shot = ClientImage(m_history);
    // A transparent corner of the face shows the selection colour.
    EXPECT_EQ(kel::test::PixelAt(shot, face.x + 3, face.y + 1),
              wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
}

namespace
{

// Everything written to the standard error of the process (file descriptor
// 2, where GTK and the libraries below it write) while it lives.
class StderrCapture
{
public:
    StderrCapture() : m_file(std::tmpfile()), m_saved(dup(2))
    {
        std::fflush(stderr);
        dup2(fileno(m_file), 2);
    }
    ~StderrCapture() { Restore(); }

    std::string Take()
    {
        Restore();
        std::string text;
        std::rewind(m_file);
        for (int c = std::fgetc(m_file); c != EOF; c = std::fgetc(m_file))
            text += char(c);
        return text;
    }

private:
    void Restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, 2);
        close(m_saved);
        m_saved = -1;
    }

    std::FILE* m_file;
    int m_saved;
};

} // namespace

// Hundreds of messages with faces arrive while the history is shown, follows
// its end and animates; nothing below the toolkit may complain meanwhile (a
// paint or refresh of an empty or inverted area does).
TEST_F(RichTextFacesOnScreen, ManyMessagesWithFacesDrawWithoutComplaints)
{
    const char* const faces[] = {"smile", "wink", "heart", "sleepy", "laugh", "cool"};
    m_history->RegisteFaceInfoHandler(&m_faces);
    kel::test::ShowAndWait(m_frame);

    StderrCapture capture;
    for (int i = 0; i < 300; ++i)
    {
        const wxString face = wxString("/") + faces[i % 6];
        ASSERT_TRUE(m_history->FromXML(wxString::Format(
            "<richtext><paragraphlayout><paragraph><text>Contact %d  10:%02d</text></paragraph>"
            "<paragraph><text>message %d </text><animation><animationKey>%s</animationKey>"
            "<animationType>1</animationType></animation><text> and </text><animation><animationKey>%s"
            "</animationKey><animationType>1</animationType></animation></paragraph></paragraphlayout></"
            "richtext>",
            i % 7, i % 60, i, face, face)));
        if (i % 10 == 0)
            kel::test::Pump(20);
    }
    kel::test::Pump(300);
    const std::string written = capture.Take();

    EXPECT_EQ(written, "");
    EXPECT_TRUE(m_history->IsPositionVisible(m_history->GetLastPosition()));
    EXPECT_EQ(ObjectsOf<wxFlagRichTextAnimation>(m_history).size(), 600u);
}
