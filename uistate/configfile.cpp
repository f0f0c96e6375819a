#include "uistate/configfile.h"

#include <kelctrls/base.h>

#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/sstream.h>
#include <wx/wfstream.h>

wxFileConfig* KelOpenConfigFile(const wxString& path)
{
    wxLogNull quiet;
    if ( wxFileExists(path) )
    {
        wxFileInputStream in(path);
        if ( in.IsOk() )
            return new wxFileConfig(in, wxConvAuto());
    }
    wxMemoryInputStream empty("", 0);
    return new wxFileConfig(empty, wxConvAuto());
}

bool KelFlushConfigFile(wxFileConfig& config, const wxString& path)
{
    wxStringOutputStream out;
    if ( !config.Save(out, wxConvUTF8) )
        return false;
    return KelWriteTextAtomically(path, out.GetString());
}
