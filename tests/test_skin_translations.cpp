// The Simplified Chinese catalogue of the library and the drawing of Chinese
// text.
#include <kelctrls/controls/statictext.h>
#include <kelctrls/dialogs/changepassdlg.h>
#include <kelctrls/skin/translations.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/intl.h>
#include <wx/stattext.h>
#include <wx/textfile.h>
#include <wx/translation.h>

#include <set>

using namespace kel::test;

namespace
{

// The quoted text of a line of a gettext template, with its escapes undone.
wxString UnquotePoLine(const wxString& line)
{
    const wxString quoted = line.AfterFirst('"').BeforeLast('"');
    wxString text;
    for (size_t i = 0; i < quoted.length(); ++i)
    {
        wxUniChar c = quoted[i];
        if (c == '\\' && i + 1 < quoted.length())
        {
            c = quoted[++i];
            if (c == 'n')
                c = '\n';
            else if (c == 't')
                c = '\t';
        }
        text += c;
    }
    return text;
}

// Every message id of the template, the header's empty one left out.
std::set<wxString> TemplateMessageIds(const wxString& path)
{
    wxTextFile file;
    std::set<wxString> ids;
    if (!file.Open(path, wxConvUTF8))
        return ids;
    wxString current;
    bool inId = false;
    for (size_t i = 0; i < file.GetLineCount(); ++i)
    {
        const wxString line = file.GetLine(i);
        if (line.StartsWith("msgid "))
        {
            current = UnquotePoLine(line);
            inId = true;
        }
        else if (inId && line.StartsWith("\""))
            current += UnquotePoLine(line);
        else if (inId)
        {
            if (!current.empty())
                ids.insert(current);
            inId = false;
        }
    }
    return ids;
}

wxWindow* FindLabelled(wxWindow* parent, const wxString& label)
{
    for (wxWindow* child : parent->GetChildren())
    {
        if (child->GetLabel() == label)
            return child;
        if (wxWindow* found = FindLabelled(child, label))
            return found;
    }
    return nullptr;
}

class Translations : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { KelTranslations::AddCatalogFolder(KELCTRLS_BUILD_LOCALE_DIR); }
    void TearDown() override { KelTranslations::UseLanguage(wxLANGUAGE_ENGLISH_US); }

    static bool UseChinese() { return KelTranslations::UseLanguage(wxLANGUAGE_CHINESE_SIMPLIFIED); }
};

TEST_F(Translations, ChineseCatalogueTranslatesEveryTextOfTheTemplate)
{
    ASSERT_TRUE(UseChinese());
    const std::set<wxString> ids =
        TemplateMessageIds(wxFileName(SourceDataDir(), "").GetPath() + "/../po/kelctrls.pot");
    ASSERT_GT(ids.size(), 40u);
    wxArrayString untranslated;
    for (const wxString& id : ids)
    {
        const wxString* text = wxTranslations::Get()->GetTranslatedString(id, KelTranslations::TEXT_DOMAIN);
        if (!text || text->empty())
            untranslated.Add(id);
    }
    EXPECT_TRUE(untranslated.empty()) << wxJoin(untranslated, '|');
}

TEST_F(Translations, DialogsOpenedAfterASwitchShowItsLanguage)
{
    ASSERT_TRUE(UseChinese());
    {
        ChangePassDlg dialog(nullptr);
        EXPECT_EQ(dialog.GetTitle(), wxString::FromUTF8("修改密码"));
        EXPECT_NE(FindLabelled(&dialog, wxString::FromUTF8("新密码：")), nullptr);
        EXPECT_NE(FindLabelled(&dialog, wxString::FromUTF8("确定")), nullptr);
    }

    ASSERT_TRUE(KelTranslations::UseLanguage(wxLANGUAGE_ENGLISH_UK));
    ChangePassDlg dialog(nullptr);
    EXPECT_EQ(dialog.GetTitle(), "Input identifying code");
    EXPECT_NE(FindLabelled(&dialog, "New Password:"), nullptr);
}

TEST_F(Translations, ClientCataloguesDoNotChangeTheLibrarysTexts)
{
    // The library's catalogue is asked by its own domain only: a text the
    // client's catalogue also holds is translated by the library's.
    ASSERT_TRUE(UseChinese());
    EXPECT_EQ(wxGetTranslation("Cancel", KelTranslations::TEXT_DOMAIN), wxString::FromUTF8("取消"));
    EXPECT_EQ(wxGetTranslation("Cancel", "kelctrls-client-without-catalogue"), "Cancel");
}

TEST_F(Translations, LanguageFoldersNameTheirLanguage)
{
    EXPECT_TRUE(wxLocale::GetLanguageCanonicalName(KelTranslations::LanguageOfFolder("locale/zh_CN"))
                    .StartsWith("zh"));
    EXPECT_TRUE(
        wxLocale::GetLanguageCanonicalName(KelTranslations::LanguageOfFolder("locale/en")).StartsWith("en"));
    EXPECT_EQ(KelTranslations::LanguageOfFolder(""), wxLANGUAGE_UNKNOWN);
    EXPECT_EQ(KelTranslations::LanguageOfFolder("locale/nowhere"), wxLANGUAGE_UNKNOWN);
    // A language without a catalogue leaves the texts English and says so.
    EXPECT_FALSE(KelTranslations::UseLanguage(wxLANGUAGE_SWAHILI));
    EXPECT_EQ(wxGetTranslation("Cancel", KelTranslations::TEXT_DOMAIN), "Cancel");
}

// The ink of a drawn label: pixels far from the colour of its top left
// corner.
struct Ink
{
    explicit Ink(const wxImage& image) : m_image(image), m_background(PixelAt(image, 0, 0)) {}

    bool At(int x, int y) const { return !NearColour(PixelAt(m_image, x, y), m_background, 100); }

    wxRect Bounds() const
    {
        wxRect bounds;
        for (int y = 0; y < m_image.GetHeight(); ++y)
            for (int x = 0; x < m_image.GetWidth(); ++x)
                if (At(x, y))
                    bounds = bounds.IsEmpty() ? wxRect(x, y, 1, 1) : bounds.Union(wxRect(x, y, 1, 1));
        return bounds;
    }

    // The share of the rows of `bounds` that have ink in the two columns
    // from `x` on (a line may be smoothed over two).
    double ColumnCoverage(const wxRect& bounds, int x) const
    {
        int covered = 0;
        for (int y = bounds.GetTop(); y <= bounds.GetBottom(); ++y)
            covered += At(x, y) || At(x + 1, y) ? 1 : 0;
        return double(covered) / bounds.height;
    }

    // Whether the ink is framed like the box that stands for a character
    // without a glyph: its first and last columns run the full height.
    bool IsBox() const
    {
        const wxRect bounds = Bounds();
        return bounds.width > 4 && ColumnCoverage(bounds, bounds.GetLeft()) > 0.9 &&
               ColumnCoverage(bounds, bounds.GetRight() - 1) > 0.9;
    }

    wxImage m_image;
    wxColour m_background;
};

TEST(ChineseText, LabelsDrawTheGlyphsNotTheMissingGlyphBox)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "Chinese", wxPoint(20, 20), wxSize(300, 120));
    const wxFont font(wxFontInfo(28));
    // U+4E2D; the second label holds a code point that no font has a glyph for.
    KelStaticText* chinese = new KelStaticText(frame, wxID_ANY, wxString::FromUTF8("中"), wxPoint(10, 10));
    KelStaticText* missing =
        new KelStaticText(frame, wxID_ANY, wxString::FromUTF8("\xf4\x8f\xbf\xbd"), wxPoint(150, 10));
    for (KelStaticText* label : {chinese, missing})
    {
        label->SetFont(font);
        label->SetSize(label->GetBestSize());
    }
    ShowAndWait(frame);

    const Ink box(CaptureWindow(missing));
    const Ink glyph(CaptureWindow(chinese));
    // The reference really is the box, so that the check below can tell.
    ASSERT_TRUE(box.IsBox());
    EXPECT_FALSE(glyph.Bounds().IsEmpty());
    EXPECT_FALSE(glyph.IsBox());
    frame->Destroy();
}

} // namespace
