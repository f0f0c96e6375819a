#include <kelctrls/skin/skinmanager.h>
#include <kelctrls/platform/inifile.h>

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <algorithm>
#include <vector>

namespace
{

const char SECTION[] = "SKIN";
const char SKIN_FILE_EXTENSION[] = ".skin";

} // anonymous namespace

// ---------------------------------------------------------------------------
// SkinInfo

bool SkinInfo::Load(const wxString& path)
{
    wxLogNull quiet;
    m_filePath = path;
    wxIniFileEx ini(path);
    if (!ini.IsInitOk())
        return false;
    m_selected = ini.GetBool(SECTION, "skin_select", false);
    m_title = ini.GetString(SECTION, "skin_title", wxString());
    m_config = ini.GetString(SECTION, "skin_config", wxString());
    m_briefBitmap = ini.GetString(SECTION, "skin_bitmap", wxString());
    m_description = ini.GetString(SECTION, "skin_desc", wxString());
    m_resource = ini.GetString(SECTION, "skin_res", wxString());
    m_menuFile = ini.GetString(SECTION, "skin_menu", wxString());
    m_id = ini.GetInt(SECTION, "skin_id", 0);
    return m_id != 0 && !m_resource.empty() && !m_config.empty();
}

bool SkinInfo::Save()
{
    wxIniFileEx ini(m_filePath);
    ini.SetBool(SECTION, "skin_select", m_selected, true);
    ini.SetString(SECTION, "skin_title", m_title, true);
    ini.SetString(SECTION, "skin_config", m_config, true);
    ini.SetString(SECTION, "skin_bitmap", m_briefBitmap, true);
    ini.SetString(SECTION, "skin_desc", m_description, true);
    ini.SetString(SECTION, "skin_res", m_resource, true);
    ini.SetInt(SECTION, "skin_id", m_id, true);
    return ini.SaveFile(m_filePath, wxTextFileType_None);
}

// ---------------------------------------------------------------------------
// KelSkinManager

KelSkinManager* KelSkinManager::m_instance = nullptr;

KelSkinManager* KelSkinManager::GetInstance()
{
    static KelSkinManager manager;
    m_instance = &manager;
    return m_instance;
}

KelSkinManager::~KelSkinManager()
{
    Release();
}

void KelSkinManager::Load(const wxString& folder)
{
    m_folder = folder;
    DoLoad();
}

void KelSkinManager::ReLoad()
{
    Release();
    DoLoad();
}

void KelSkinManager::Release()
{
    for (SkinInfo* skin : m_skins)
        delete skin;
    m_skins.clear();
}

// Skin files are taken in the order of their names, so that the catalogue
// does not depend on the order of the directory listing. Their extension is
// matched without regard to case, like every installation file.
bool KelSkinManager::DoLoad()
{
    wxLogNull quiet;
    const wxString folder = wxFileName(m_folder).IsAbsolute() ? m_folder : KelInstallPath(m_folder);
    wxDir dir;
    if (!wxDir::Exists(folder) || !dir.Open(folder))
        return true;
    std::vector<wxString> names;
    wxString name;
    for (bool found = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES); found; found = dir.GetNext(&name))
    {
        if (name.Lower().EndsWith(SKIN_FILE_EXTENSION))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (const wxString& file : names)
    {
        SkinInfo* skin = new SkinInfo;
        if (skin->Load(wxFileName(folder, file).GetFullPath()))
            m_skins.push_back(skin);
        else
            delete skin;
    }
    return true;
}

void KelSkinManager::GetSkinList(wxArrayInt& ids)
{
    for (const SkinInfo* skin : m_skins)
        ids.Add(skin->GetId());
}

SkinInfo* KelSkinManager::GetSkinInfo(int id)
{
    for (SkinInfo* skin : m_skins)
    {
        if (skin->GetId() == id)
            return skin;
    }
    return nullptr;
}

int KelSkinManager::GetSelectedSkin()
{
    for (const SkinInfo* skin : m_skins)
    {
        if (skin->GetSelected())
            return skin->GetId();
    }
    if (m_skins.empty())
        return -1;
    m_skins.front()->SetSelect(true);
    return m_skins.front()->GetId();
}

bool KelSkinManager::SelectSkin(int id)
{
    for (SkinInfo* skin : m_skins)
    {
        const bool wanted = skin->GetId() == id;
        if (wanted != skin->GetSelected())
        {
            skin->SetSelect(wanted);
            if (!skin->Save())
                KelReportFailedSave(skin->GetFilePath());
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// SectionItem

SectionItem::SectionItem(const wxIniFileEx* owner, const wxString& section) : m_owner(owner), m_current(0)
{
    if (!owner)
        return;
    m_keys = owner->GetKeys(section);
    for (const wxString& key : m_keys)
        m_values.Add(owner->GetString(section, key));
}

wxString SectionItem::GetKey() const
{
    return IsOk() ? m_keys[m_current] : wxString();
}

wxString SectionItem::GetValue() const
{
    return IsOk() ? m_values[m_current] : wxString();
}

SectionItem SectionItem::GetNext()
{
    if (IsOk())
        ++m_current;
    return *this;
}
