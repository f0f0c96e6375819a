// The installed layout of the demo's "Controls" page: every control it declares is built
// by the library's handlers with its skin faces.
#include "test_controls_fixture.h"

#include <kelctrls/skin.h>

#include <wx/artprov.h>

using namespace kel::test;

namespace
{
// Serves skin bitmaps by key, as the client does for stock_id bitmaps in its layouts.
class SkinArt : public wxArtProvider
{
protected:
    wxBitmap CreateBitmap(const wxArtID& id, const wxArtClient&, const wxSize&) override
    {
        return KelSkinResource::GetInstance()->GetBitmap(id);
    }
};

// Runs the test from the installation folder, as the client runs.
struct InstallationCwd
{
    InstallationCwd() : previous(wxGetCwd()) { wxSetWorkingDirectory(SourceDataDir()); }
    ~InstallationCwd() { wxSetWorkingDirectory(previous); }
    wxString previous;
};

template <typename T>
T* Named(wxWindow* page, const char* name)
{
    return dynamic_cast<T*>(page->FindWindow(XRCID(name)));
}
} // namespace

TEST_F(ControlsTest, InstalledControlsPageBuildsEveryControlWithSkinFaces)
{
    InstallationCwd cwd;
    ASSERT_TRUE(KelSkinResource::GetInstance()->LoadResource(KelInstallPath("skins/default/default.xml")));
    wxArtProvider::Push(new SkinArt);

    wxXmlResource resource(wxXRC_USE_LOCALE);
    AddLibraryHandlers(resource);
    ASSERT_TRUE(resource.Load(KelInstallPath("xrc/controls.xrc")));
    wxPanel* page = resource.LoadPanel(m_panel, "ControlsPage");
    wxArtProvider::Pop();
    ASSERT_TRUE(page);

    KBitmapButton* signIn = Named<KBitmapButton>(page, "SignIn");
    ASSERT_TRUE(signIn);
    EXPECT_EQ(signIn->GetLabel(), "Sign in");
    for (const wxBitmap& face :
         {signIn->GetBitmapLabel(), signIn->GetBitmapCurrent(), signIn->GetBitmapPressed(),
          signIn->GetBitmapFocus(), signIn->GetBitmapDisabled()})
        EXPECT_TRUE(face.IsOk());
    EXPECT_FALSE(Named<KBitmapButton>(page, "Register")->IsEnabled());
    EXPECT_TRUE(Named<KBitmapButton>(page, "Proxy")->HasFlag(wxBU_AUTO_SCALE));

    EXPECT_TRUE(Named<KelCheckBox>(page, "RememberPassword")->IsChecked());
    EXPECT_FALSE(Named<KelCheckBox>(page, "AutoSignIn")->IsChecked());
    EXPECT_TRUE(Named<KelStaticText>(page, "SentStatus")->GetFontColour().IsOk());
    EXPECT_EQ(Named<KELGauge>(page, "Receiving")->GetValue(), 62);

    KelBorder* frame = Named<KelBorder>(page, "ShortcutFrame");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->GetBorderSides(), wxBORDER_TOP | wxBORDER_BOTTOM);
    EXPECT_EQ(frame->GetWindow(), Named<wxLinkText>(page, "History"));
    EXPECT_TRUE(Named<wxLinkText>(page, "History")->GetBitmap().IsOk());
    EXPECT_TRUE(Named<wxTextLinkCtrl>(page, "Welcome"));
    EXPECT_TRUE(Named<FileTransferLink>(page, "SaveAs"));
}
