// The UI record file: restoring a text, a combo box and a check box from it.
#include "fuzzsupport.h"
#include "records_fuzzfiles.h"

#include <kelctrls/uistate.h>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInstallFolder folder;
    folder.Write("CONFIG/UiRecord.ini", data, size);

    static wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "fuzz");
    static wxTextCtrl* text = new wxTextCtrl(frame, wxID_ANY);
    static const wxString choices[] = {"a", "b"};
    static wxComboBox* combo =
        new wxComboBox(frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, 2, choices, wxCB_READONLY);
    static wxCheckBox* check = new wxCheckBox(frame, wxID_ANY, "c");

    wxUIKeeper* keeper = wxUIKeeper::GetInstance();
    keeper->Attach(new wxTextUIHandler(text, "search"));
    keeper->Attach(new wxComboBoxUIHandler(combo, "scope"));
    keeper->Attach(new wxCheckBoxUIHandler(check, "remember"));
    // detaching saves and drops the configuration, so the next input is read
    // afresh
    keeper->Detach(text);
    keeper->Detach(combo);
    keeper->Detach(check);
    return 0;
}
