#include "uistate/configfile.h"

#include <kelctrls/base.h>

#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/sstream.h>
#include <wx/wfstream.h>

namespace
{

// wxFileConfig asserts when a group header occurs twice, as it may in a file
// edited by hand, although it reads such a file well: the entries of both
// headers land in the one group.
class QuietParse
{
public:
    QuietParse() : m_handler(wxSetAssertHandler(nullptr)) {}
    ~QuietParse() { wxSetAssertHandler(m_handler); }

private:
    wxLogNull m_noLog;
    wxAssertHandler_t m_handler;
};

} // anonymous namespace

wxFileConfig* KelOpenConfigFile(const wxString& path)
{
    QuietParse quiet;
    if (wxFileExists(path))
    {
        wxFileInputStream in(path);
        if (in.IsOk())
            return new wxFileConfig(in, wxConvAuto());
    }
    wxMemoryInputStream empty("", 0);
    return new wxFileConfig(empty, wxConvAuto());
}

bool KelFlushConfigFile(wxFileConfig& config, const wxString& path)
{
    wxStringOutputStream out;
    if (config.Save(out, wxConvUTF8) && KelWriteTextAtomically(path, out.GetString()))
        return true;
    KelReportFailedSave(path);
    return false;
}
