#include <kelctrls/uistate/uikeeper.h>

#include "uistate/configfile.h"

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/fileconf.h>
#include <wx/textctrl.h>

#include <ctime>
#include <memory>

namespace
{

const char RECORD_FILE[] = "CONFIG/UiRecord.ini";
const char BUILD_TIME[] = "BUILD_TIME";

} // anonymous namespace

// ---------------------------------------------------------------------------
// wxUIRecord

wxUIRecord::wxUIRecord()
{
    Stamp();
}

wxUIRecord::wxUIRecord(const wxUIRecord& other) : wxRecordBase(other)
{
    Stamp();
}

wxUIRecord& wxUIRecord::operator=(const wxUIRecord& other)
{
    wxRecordBase::operator=(other);
    return *this;
}

void wxUIRecord::Stamp()
{
    SetLong(BUILD_TIME, static_cast<long>(time(nullptr)));
}

// ---------------------------------------------------------------------------
// wxUIHandlerBase

wxFileConfig* wxUIHandlerBase::ms_config = nullptr;

wxUIHandlerBase::wxUIHandlerBase(wxWindow* window, const wxString& name) : m_window(window), m_name(name) {}

// Every state is flushed when saved, so dropping the configuration here
// loses nothing; the next use reads the file again.
wxUIHandlerBase::~wxUIHandlerBase()
{
    delete ms_config;
    ms_config = nullptr;
}

wxFileConfig* wxUIHandlerBase::GetConfig()
{
    if (!ms_config)
        ms_config = KelOpenConfigFile(KelInstallPath(RECORD_FILE));
    return ms_config;
}

void wxUIHandlerBase::LoadUI()
{
    wxUIRecord record;
    GetUIRecord(record, DoGetHandlerType(), m_name);
    DoLoadUI(record, m_window, m_name);
}

void wxUIHandlerBase::SaveUI()
{
    wxUIRecord record;
    DoSaveUI(record, m_window, m_name);
    SaveUIRecord(record, DoGetHandlerType(), m_name);
}

void wxUIHandlerBase::GetUIRecord(wxUIRecord& record, const wxString& type, const wxString& name)
{
    wxFileConfig* config = GetConfig();
    config->SetPath("/");
    if (!config->HasGroup(type))
        return;
    config->SetPath(type);
    if (!config->HasGroup(name))
        return;
    config->SetPath(name);
    wxString entry;
    long cookie = 0;
    for (bool more = config->GetFirstEntry(entry, cookie); more; more = config->GetNextEntry(entry, cookie))
        record.SetString(entry, config->Read(entry, wxString()));
    config->SetPath("/");
}

void wxUIHandlerBase::SaveUIRecord(const wxUIRecord& record, const wxString& type, const wxString& name)
{
    wxFileConfig* config = GetConfig();
    config->SetPath("/");
    config->SetPath(type);
    config->SetPath(name);
    const wxColumnArray columns = record.GetColumns();
    for (size_t i = 0; i < columns.size(); ++i)
        config->Write(columns[i].GetName(), columns[i].GetValue());
    config->SetPath("/");
    KelFlushConfigFile(*config, KelInstallPath(RECORD_FILE));
}

// ---------------------------------------------------------------------------
// Handlers

wxTextUIHandler::wxTextUIHandler(wxTextCtrl* text, const wxString& name) : wxUIHandlerBase(text, name) {}

void wxTextUIHandler::DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& WXUNUSED(name))
{
    wxString text = record.GetString("TEXT_VALUE", wxString());
    text.Replace("\\40", "@");
    static_cast<wxTextCtrl*>(window)->ChangeValue(text);
}

void wxTextUIHandler::DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& WXUNUSED(name))
{
    record.SetString("TEXT_VALUE", static_cast<wxTextCtrl*>(window)->GetValue());
}

wxComboBoxUIHandler::wxComboBoxUIHandler(wxComboBox* combo, const wxString& name)
    : wxUIHandlerBase(combo, name)
{
}

void wxComboBoxUIHandler::DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& WXUNUSED(name))
{
    wxComboBox* combo = static_cast<wxComboBox*>(window);
    const int index = record.GetInt("COMBO_SELECT_INDEX", 0);
    // An index the list no longer has leaves the box as it is.
    if (index == wxNOT_FOUND || (index >= 0 && static_cast<unsigned>(index) < combo->GetCount()))
        combo->SetSelection(index);
}

void wxComboBoxUIHandler::DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& WXUNUSED(name))
{
    record.SetInt("COMBO_SELECT_INDEX", static_cast<wxComboBox*>(window)->GetSelection());
}

wxCheckBoxUIHandler::wxCheckBoxUIHandler(wxCheckBox* check, const wxString& name)
    : wxUIHandlerBase(check, name)
{
}

void wxCheckBoxUIHandler::DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& WXUNUSED(name))
{
    static_cast<wxCheckBox*>(window)->SetValue(record.GetBool("CHECK_SELECT_VALUE", false));
}

void wxCheckBoxUIHandler::DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& WXUNUSED(name))
{
    record.SetBool("CHECK_SELECT_VALUE", static_cast<wxCheckBox*>(window)->GetValue());
}

// ---------------------------------------------------------------------------
// wxUIKeeper

wxUIKeeper* wxUIKeeper::GetInstance()
{
    static wxUIKeeper keeper;
    return &keeper;
}

wxUIKeeper::wxUIKeeper() : m_autoDestroy(true)
{
    m_handlers.rehash(101);
}

wxUIKeeper::~wxUIKeeper()
{
    if (m_autoDestroy)
    {
        for (auto& entry : m_handlers)
            delete entry.second;
    }
}

void wxUIKeeper::Attach(wxUIHandlerBase* handler)
{
    if (!handler)
        return;
    m_handlers.emplace(handler->GetWindow(), handler);
    handler->LoadUI();
}

void wxUIKeeper::Detach(wxWindow* window)
{
    const auto it = m_handlers.find(window);
    if (it == m_handlers.end())
        return;
    wxUIHandlerBase* handler = it->second;
    m_handlers.erase(it);
    handler->SaveUI();
    if (m_autoDestroy)
        delete handler;
}

void wxUIKeeper::Detach(wxUIHandlerBase* handler)
{
    if (handler)
        Detach(handler->GetWindow());
}

wxUIHandlerBase* wxUIKeeper::GetUIHandler(wxWindow* window)
{
    const auto it = m_handlers.find(window);
    return it == m_handlers.end() ? nullptr : it->second;
}
