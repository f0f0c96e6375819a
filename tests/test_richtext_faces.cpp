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
#include <set>

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
    EXPECT_GE(files.size(), 2 * 12u);
    for (const wxString& file : files)
    {
        if (file.EndsWith("@2x.gif"))
            continue;
        SCOPED_TRACE(file);
        wxFlagRichTextAnimation face(file, wxANIMATION_TYPE_GIF);
        ASSERT_TRUE(face.IsOk());
        EXPECT_EQ(face.GetAnimationSize(), wxSize(24, 24));
        ASSERT_GE(face.GetFrameCount(), 2u);
        // Each is drawn again for a display scale of 2: the same frames at twice the size.
        const wxFlagRichTextAnimation doubled(file.BeforeLast('.') + "@2x.gif", wxANIMATION_TYPE_GIF);
        ASSERT_TRUE(doubled.IsOk());
        EXPECT_EQ(doubled.GetAnimationSize(), wxSize(48, 48));
        EXPECT_EQ(doubled.GetFrameCount(), face.GetFrameCount());
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

std::string Le16(int v)
{
    return std::string{char(v & 0xFF), char(v >> 8)};
}

// A GIF of full-screen frames of one pixel each, the rest left to the
// decoder to fill, shown for the given delays (hundredths of a second).
std::string SparseGif(const std::vector<int>& delays, int width, int height)
{
    std::string gif = "GIF89a" + Le16(width) + Le16(height) + std::string("\x80\0\0", 3) +
                      std::string("\0\0\0\xff\xff\xff", 6);
    for (int delay : delays)
        gif += std::string("\x21\xf9\x04\0", 4) + Le16(delay) + std::string("\0\0\x2c\0\0\0\0", 7) +
               Le16(width) + Le16(height) + std::string("\0\x02\x02\x4c\x01\0", 6);
    return gif + "\x3b";
}

std::string SparseGif(int frames, int width, int height)
{
    return SparseGif(std::vector<int>(size_t(frames), 10), width, height);
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
    // The clock sleeps until the next change.
    EXPECT_EQ(face.GetNextFrameChange(0).GetValue(), 90);
    EXPECT_EQ(face.GetNextFrameChange(89).GetValue(), 90);
    EXPECT_EQ(face.GetNextFrameChange(90).GetValue(), 180);
    EXPECT_EQ(face.GetNextFrameChange(90 * 12 * 1000 - 1).GetValue(), 90 * 12 * 1000);

    // Each frame keeps its own delay; too short ones are shown as browsers
    // show them.
    const std::string gif = SparseGif({5, 30, 1}, 16, 16);
    wxFlagRichTextAnimation uneven;
    ASSERT_TRUE(uneven.ReadHex(Hex(gif), int(gif.size() * 2), wxANIMATION_TYPE_GIF));
    EXPECT_EQ(uneven.GetFrameAt(49), 0u);
    EXPECT_EQ(uneven.GetFrameAt(50), 1u);
    EXPECT_EQ(uneven.GetNextFrameChange(50).GetValue(), 350);
    EXPECT_EQ(uneven.GetFrameAt(350), 2u);
    EXPECT_EQ(uneven.GetNextFrameChange(350).GetValue(), 450);
    EXPECT_EQ(uneven.GetFrameAt(450), 0u);

    wxFlagRichTextAnimation single;
    const std::string one = SparseGif(1, 16, 16);
    ASSERT_TRUE(single.ReadHex(Hex(one), int(one.size() * 2), wxANIMATION_TYPE_GIF));
    EXPECT_EQ(single.GetNextFrameChange(1234).GetValue(), -1) << "a single frame never changes";
}

TEST(RichTextFaces, FacesOfOneFileShareTheirFramesAndMissingFilesShowAPlaceholderSize)
{
    const wxFlagRichTextAnimation a(FacePath("cool")), b(FacePath("cool"));
    EXPECT_TRUE(a.GetFrameBitmap(3).IsSameAs(b.GetFrameBitmap(3)));
    const wxFlagRichTextAnimation copy(a);
    EXPECT_TRUE(copy.GetFrameBitmap(3).IsSameAs(a.GetFrameBitmap(3)));
    // Faces that arrived with the same data are decoded once as well.
    const std::string bytes = ReadBytes(FacePath("cool"));
    wxFlagRichTextAnimation first, second;
    ASSERT_TRUE(first.ReadHex(Hex(bytes), int(bytes.size() * 2), wxANIMATION_TYPE_GIF));
    ASSERT_TRUE(second.ReadHex(Hex(bytes), int(bytes.size() * 2), wxANIMATION_TYPE_GIF));
    EXPECT_TRUE(first.GetFrameBitmap(3).IsSameAs(second.GetFrameBitmap(3)));

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

// Whether `shown` is frame `frame` of `face` over `background`: faces are
// drawn whole, over the background, each time their frame changes.
bool ShowsFrame(const wxImage& shown, const wxFlagRichTextAnimation& face, unsigned frame,
                const wxColour& background)
{
    const wxImage image = face.GetFrameBitmap(frame).ConvertToImage();
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const bool opaque = image.GetAlpha(x, y) > 0;
            const wxColour expected =
                opaque ? wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)) : background;
            if (kel::test::PixelAt(shown, x, y) != expected)
                return false;
        }
    return true;
}

TEST_F(RichTextFacesOnScreen, EachNewFrameReplacesTheWholeFace)
{
    m_history->WriteAnimation(FacePath("sleepy"));
    m_history->WriteText(" good night");
    m_history->SetInsertionPoint(m_history->GetLastPosition());
    kel::test::ShowAndWait(m_frame);
    ASSERT_TRUE(kel::test::WaitUntil([&] { return m_history->IsAnimating(); }));

    const auto face = ObjectsOf<wxFlagRichTextAnimation>(m_history).at(0);
    const wxColour background = m_history->GetBackgroundColour();
    std::set<unsigned> seen;
    for (int look = 0; look < 6; ++look)
    {
        kel::test::Pump(130);
        const wxImage shown = ClientImage(m_history).GetSubImage(FirstFaceRect());
        bool matched = false;
        for (unsigned frame = 0; frame < face->GetFrameCount() && !matched; ++frame)
        {
            matched = ShowsFrame(shown, *face, frame, background);
            if (matched)
                seen.insert(frame);
        }
        EXPECT_TRUE(matched) << "look " << look << ": a mix of frames, or a frame over the last one";
    }
    EXPECT_GE(seen.size(), 2u) << "the face moves on screen";
}

TEST_F(RichTextFacesOnScreen, OnlyFacesInViewKeepTheClockGoing)
{
    m_history->WriteAnimation(FacePath("sleepy"));
    for (int line = 0; line < 80; ++line)
    {
        m_history->Newline();
        m_history->WriteText(wxString::Format("line %d", line));
    }
    m_input->WriteAnimation(FacePath("sleepy"));
    kel::test::ShowAndWait(m_frame);
    m_history->Scroll(0, 0);
    ASSERT_TRUE(kel::test::WaitUntil([&] { return m_history->IsAnimating() && m_input->IsAnimating(); }));

    // Two controls on the one clock: both faces move (the "z" of this one
    // rises in every frame).
    auto faceImage = [](KelRichText* text)
    {
        wxRect rect = ObjectsOf<wxFlagRichTextAnimation>(text).at(0)->GetRect();
        rect.SetPosition(text->GetPhysicalPoint(rect.GetPosition()));
        return ClientImage(text).GetSubImage(rect);
    };
    const wxImage historyBefore = faceImage(m_history), inputBefore = faceImage(m_input);
    EXPECT_TRUE(
        kel::test::WaitUntil([&] { return !SameImages(historyBefore, faceImage(m_history)); }, 10000));
    EXPECT_TRUE(kel::test::WaitUntil([&] { return !SameImages(inputBefore, faceImage(m_input)); }, 10000));

    m_history->ShowPosition(m_history->GetLastPosition());
    EXPECT_TRUE(kel::test::WaitUntil([&] { return !m_history->IsAnimating(); }))
        << "the face was scrolled out of view";
    EXPECT_TRUE(m_input->IsAnimating());
    m_history->Scroll(0, 0);
    EXPECT_TRUE(kel::test::WaitUntil([&] { return m_history->IsAnimating(); })) << "and back";
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
