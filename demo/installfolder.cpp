#include "installfolder.h"

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

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

// The user's data folder of the XDG base directories ($XDG_DATA_HOME, else
// ~/.local/share). The toolkit's user data folder is ~/.<program>.
wxString UserDataHome()
{
    wxString home;
    if (wxGetEnv("XDG_DATA_HOME", &home) && wxIsAbsolutePath(home))
        return home;
    return wxGetHomeDir() + "/.local/share";
}

} // anonymous namespace

wxString DemoInstallFolder()
{
    const wxString bin = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    const wxString shared = bin + "/" KELCTRLS_DEMO_BIN_TO_DATA;
    if (!wxDirExists(shared + "/kelctrls-demo"))
        return KELCTRLS_DEMO_DATA_DIR;

    const wxString folder = UserDataHome() + "/kelctrls-demo";
    if (!CopyMissing(shared + "/kelctrls", folder) || !CopyMissing(shared + "/kelctrls-demo", folder))
        return wxString();
    return folder;
}
