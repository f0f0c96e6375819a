#include "support/testsupport.h"

#include <kelctrls/dialogs.h>

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/frame.h>

namespace
{

wxString MakeFolder(const wxString& name)
{
    const wxString path = wxGetCwd() + "/" + name;
    wxFileName::Mkdir(path, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return path;
}

// Shows the dialog for key; while it is open, records the folder it opened
// in, moves it to `moveTo` and closes it with `result`.
struct DialogRun
{
    wxString openedIn;
    int returned = 0;
};

DialogRun RunDialog(wxWindow* parent, const wxString& key, const wxString& callerDir, const wxString& moveTo,
                    int result)
{
    DialogRun run;
    KelFileDialog dialog(parent, "Select Path", callerDir, "", "*.*", wxFD_SAVE);
    dialog.CallAfter(
        [&]()
        {
            run.openedIn = dialog.GetDirectory();
            if (!moveTo.empty())
                dialog.SetDirectory(moveTo);
            dialog.EndModal(result);
        });
    run.returned = dialog.ShowModal(key);
    return run;
}

// The remembered folders live in one configuration for the whole process,
// so the cases run in one sequence.
class FileDialogTest : public kel::test::TempCwdTest
{
};

TEST_F(FileDialogTest, FoldersAreRememberedPerKeyAlsoAfterCancel)
{
    EXPECT_EQ(KelFileDialog::GetDefaultPath("SAVE_BITMAP"), "");
    EXPECT_FALSE(wxFileExists("CONFIG/fileSelect.ini")) << "reading creates nothing";

    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "files");
    const wxString pictures = MakeFolder("pictures");
    const wxString saved = MakeFolder("saved");
    const wxString heads = MakeFolder("heads");

    // first use: the caller's folder, then remembered even though cancelled
    DialogRun first = RunDialog(frame, "SAVE_BITMAP", pictures, saved, wxID_CANCEL);
    EXPECT_EQ(first.returned, wxID_CANCEL);
    EXPECT_EQ(first.openedIn, pictures);
    EXPECT_EQ(KelFileDialog::GetDefaultPath("SAVE_BITMAP"), saved);
    const wxString file = ReadFile("CONFIG/fileSelect.ini");
    EXPECT_TRUE(file.Contains("[FILEPATH]")) << file;
    EXPECT_TRUE(file.Contains("SAVE_BITMAP=" + saved)) << file;

    // the remembered folder replaces the caller's
    DialogRun second = RunDialog(frame, "SAVE_BITMAP", pictures, "", wxID_OK);
    EXPECT_EQ(second.returned, wxID_OK);
    EXPECT_EQ(second.openedIn, saved);

    // another key keeps its own folder
    RunDialog(frame, "SELECT_BITMAP", heads, "", wxID_OK);
    EXPECT_EQ(KelFileDialog::GetDefaultPath("SELECT_BITMAP"), heads);
    EXPECT_EQ(KelFileDialog::GetDefaultPath("SAVE_BITMAP"), saved);

    KelFileDialog::SetDefaultPath("OTHER", "/srv/share");
    EXPECT_TRUE(ReadFile("CONFIG/fileSelect.ini").Contains("OTHER=/srv/share"));
    frame->Destroy();
    kel::test::Pump();
}

} // anonymous namespace
