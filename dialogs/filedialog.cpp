#include <kelctrls/dialogs/filedialog.h>

#include "uistate/configfile.h"

#include <wx/fileconf.h>

namespace
{

const char PATH_FILE[] = "CONFIG/fileSelect.ini";
const char GROUP[] = "/FILEPATH";

} // anonymous namespace

wxFileConfig* KelFileDialog::config = nullptr;

KelFileDialog::KelFileDialog(wxWindow* parent, const wxString& message, const wxString& defaultDir,
                             const wxString& defaultFile, const wxString& wildcard, long style,
                             const wxPoint& pos, const wxSize& size, const wxString& name)
    : wxFileDialog(parent, message, defaultDir, defaultFile, wildcard, style, pos, size, name)
{
}

int KelFileDialog::ShowModal(const wxString& key)
{
    const wxString remembered = GetDefaultPath(key);
    if (!remembered.empty())
        SetDirectory(remembered);
    const int result = wxFileDialog::ShowModal();
    SetDefaultPath(key, GetDirectory());
    return result;
}

wxFileConfig* KelFileDialog::GetConfig()
{
    if (!config)
        config = KelOpenConfigFile(KelInstallPath(PATH_FILE));
    return config;
}

wxString KelFileDialog::GetDefaultPath(const wxString& key)
{
    wxFileConfig* cfg = GetConfig();
    cfg->SetPath("/");
    cfg->SetPath(GROUP);
    const wxString path = cfg->Read(key, wxString());
    cfg->SetPath("/");
    return path;
}

void KelFileDialog::SetDefaultPath(const wxString& key, const wxString& path)
{
    wxFileConfig* cfg = GetConfig();
    cfg->SetPath("/");
    cfg->SetPath(GROUP);
    const bool written = cfg->Write(key, path);
    cfg->SetPath("/");
    if (written)
        KelFlushConfigFile(*cfg, KelInstallPath(PATH_FILE));
}
