#include "installfolder.h"

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

namespace
{

// Copies the files below `from` that `to` lacks, creating folders as needed.
bool CopyMissing(const wxString& from, const wxString& to)
{
    if (!wxFileName::Mkdir(to, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL))
        return false;
    wxDir dir(from);
    if (!dir.IsOpened())
        return false;
    bool copied = true;
    wxString name;
    for (bool more = dir.GetFirst(&name); more; more = dir.GetNext(&name))
    {
        const wxString source = from + "/" + name;
        const wxString target = to + "/" + name;
        if (wxDirExists(source))
            copied = CopyMissing(source, target) && copied;
        else if (!wxFileExists(target))
            copied = wxCopyFile(source, target, false) && copied;
    }
    return copied;
}

} // anonymous namespace

wxString DemoInstallFolder()
{
    const wxString bin = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    const wxString shared = bin + "/" KELCTRLS_DEMO_BIN_TO_DATA;
    if (!wxDirExists(shared + "/kelctrls-demo"))
        return KELCTRLS_DEMO_DATA_DIR;

    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    const wxString folder = wxStandardPaths::Get().GetUserLocalDataDir();
    if (!CopyMissing(shared + "/kelctrls", folder) || !CopyMissing(shared + "/kelctrls-demo", folder))
        return wxString();
    return folder;
}
