// Built against an installed or unpacked library: its Simplified Chinese
// catalogue is found beside the library, in whichever prefix the files lie,
// and a window of the library shows its text in Chinese.
//
//   catalogue    exit status 0 when both hold
#include <kelctrls/kelctrls.h>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/translation.h>

#include <cstdio>

namespace
{

// Whether `win` or a window below it carries the label `label`.
bool ShowsLabel(const wxWindow* win, const wxString& label)
{
    if (win->GetLabel() == label)
        return true;
    for (const wxWindow* child : win->GetChildren())
        if (ShowsLabel(child, label))
            return true;
    return false;
}

} // anonymous namespace

int main(int argc, char** argv)
{
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "cannot start the toolkit\n");
        return 1;
    }
    const bool found = KelTranslations::UseLanguage(wxLANGUAGE_CHINESE_SIMPLIFIED);
    std::printf("Chinese catalogue %s\n", found ? "found" : "missing");

    bool shown = false;
    {
        ChangePassDlg dialog(nullptr);
        const wxString title = dialog.GetTitle();
        shown = title == wxString::FromUTF8("修改密码") && ShowsLabel(&dialog, wxString::FromUTF8("确定"));
        std::printf("password dialog titled \"%s\"\n", static_cast<const char*>(title.utf8_str()));
    }
    wxEntryCleanup();
    return found && shown ? 0 : 1;
}
