#include <kelctrls/core/installpath.h>

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/tokenzr.h>

namespace
{

// The entry of `folder` whose name equals `name` without regard to case, an
// exact match preferred; `name` itself when there is none.
wxString MatchEntry(const wxString& folder, const wxString& name)
{
    if (wxFileName::Exists(folder + wxFILE_SEP_PATH + name))
        return name;

    wxDir dir;
    {
        wxLogNull noLog;
        if (!wxDir::Exists(folder) || !dir.Open(folder))
            return name;
    }
    wxString entry;
    for (bool more = dir.GetFirst(&entry, wxEmptyString, wxDIR_FILES | wxDIR_DIRS | wxDIR_HIDDEN); more;
         more = dir.GetNext(&entry))
    {
        if (entry.CmpNoCase(name) == 0)
            return entry;
    }
    return name;
}

} // anonymous namespace

wxString KelInstallPath(const wxString& relative)
{
    wxString path = wxGetCwd();
    wxStringTokenizer parts(relative, "/\\", wxTOKEN_STRTOK);
    while (parts.HasMoreTokens())
    {
        const wxString part = parts.GetNextToken();
        if (part == ".")
            continue;
        if (part == "..")
            path += wxFILE_SEP_PATH + part;
        else
            path += wxFILE_SEP_PATH + MatchEntry(path, part);
    }
    return path;
}
