// "Settings": the installed skins and languages (also offered in the main
// window's Skin and Language menus), input that the client remembers across
// restarts, the remembered export folder and the tab and shortcut
// configuration.
#include "demoregistry.h"
#include "demotext.h"
#include "skinart.h"

#include <kelctrls/controls.h>
#include <kelctrls/dialogs.h>
#include <kelctrls/skin.h>
#include <kelctrls/uistate.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace
{

const wxString EXPORT_KEY = "DEMO_EXPORT";

// ---------------------------------------------------------------------------
// Texts of the selected language

wxString Text(const wxString& key, const wxString& fallback)
{
    const wxString text = KelBaseShowSetting::GetInstance()->GetShowContent(key);
    return text.empty() ? fallback : text;
}

// The language whose texts are on screen: the selected one, or one that
// screenshot mode shows without selecting it for later runs.
int& ShownLanguage()
{
    static int shown = LanguageHandler::GetInstance()->GetSelected();
    return shown;
}

void LoadLanguageTexts()
{
    const wxString folder = LanguageHandler::GetInstance()->GetLanguageLocal(ShownLanguage());
    KelBaseShowSetting* settings = KelBaseShowSetting::GetInstance();
    settings->Release();
    if (!folder.empty())
        settings->LoadSetting(KelInstallPath(folder + "/baseinfo.xml"));
}

// Call-backs of the windows that show a choice or a text of the display
// settings, so that a new choice or language renews them. Each belongs to a
// window, which forgets its call-backs when it goes.
struct Refresher
{
    const wxWindow* owner;
    std::function<void()> refresh;
};

std::vector<Refresher>& TextUpdaters()
{
    static std::vector<Refresher> updaters;
    return updaters;
}

std::vector<Refresher>& SelectionViews()
{
    static std::vector<Refresher> views;
    return views;
}

void RunAll(const std::vector<Refresher>& refreshers)
{
    for (const Refresher& refresher : refreshers)
        refresher.refresh();
}

void Forget(const wxWindow* owner)
{
    for (std::vector<Refresher>* list : {&TextUpdaters(), &SelectionViews()})
        list->erase(std::remove_if(list->begin(), list->end(),
                                   [owner](const Refresher& r) { return r.owner == owner; }),
                    list->end());
}

void UpdateTexts()
{
    RunAll(TextUpdaters());
}

// ---------------------------------------------------------------------------
// Skins

// The colours of the loaded skin by key, read from its resource file.
std::map<wxString, wxColour> SkinColours(const wxString& resourceFile)
{
    std::map<wxString, wxColour> colours;
    wxXmlDocument doc;
    if (!wxFileExists(resourceFile) || !doc.Load(resourceFile) || !doc.GetRoot())
        return colours;
    for (wxXmlNode* section = doc.GetRoot()->GetChildren(); section; section = section->GetNext())
    {
        if (!section->GetName().IsSameAs("colours", false))
            continue;
        for (wxXmlNode* entry = section->GetChildren(); entry; entry = entry->GetNext())
        {
            const wxString key = entry->GetAttribute("id");
            colours[key] = KelSkinResource::GetInstance()->GetColour(key);
        }
    }
    return colours;
}

// Windows took their colours from the skin when they were made; give every
// window that shows an old skin colour the new skin's colour of that key.
void Recolour(wxWindow* window, const std::map<wxUint32, wxColour>& change)
{
    const auto background = change.find(window->GetBackgroundColour().GetRGB());
    if (background != change.end())
        window->SetBackgroundColour(background->second);
    const auto foreground = change.find(window->GetForegroundColour().GetRGB());
    if (foreground != change.end())
        window->SetForegroundColour(foreground->second);
    for (wxWindow* child : window->GetChildren())
        Recolour(child, change);
}

wxString& LoadedSkinFile()
{
    static wxString file = KelInstallPath("skins/default/default.xml");
    return file;
}

// Loads the skin's resources into the store and repaints every window.
void ApplySkin(int id)
{
    const SkinInfo* skin = KelSkinManager::GetInstance()->GetSkinInfo(id);
    if (!skin)
        return;
    const wxString file = KelInstallPath(skin->GetResourse());
    if (file == LoadedSkinFile())
        return;
    const std::map<wxString, wxColour> before = SkinColours(LoadedSkinFile());
    if (!KelSkinResource::GetInstance()->LoadResource(file))
    {
        KelSkinResource::GetInstance()->LoadResource(LoadedSkinFile());
        return;
    }
    LoadedSkinFile() = file;
    std::map<wxUint32, wxColour> change;
    for (const auto& entry : before)
        change.emplace(entry.second.GetRGB(), KelSkinResource::GetInstance()->GetColour(entry.first));
    for (wxWindow* top : wxTopLevelWindows)
    {
        Recolour(top, change);
        top->Refresh();
    }
}

std::vector<SkinInfo*> InstalledSkins()
{
    KelSkinManager* manager = KelSkinManager::GetInstance();
    wxArrayInt ids;
    manager->GetSkinList(ids);
    std::vector<SkinInfo*> skins;
    for (int id : ids)
        skins.push_back(manager->GetSkinInfo(id));
    return skins;
}

// The page and the menus offer the same choices and both show the current
// one.
void ShowSelections()
{
    RunAll(SelectionViews());
}

// The catalogue and the texts are read once, by whichever of the page and
// the menus comes first.
void LoadSettingsOnce()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    KelSkinManager::GetInstance()->Load("skins");
    LoadLanguageTexts();
}

void ChooseSkin(int id)
{
    KelSkinManager::GetInstance()->SelectSkin(id);
    ApplySkin(id);
    ShowSelections();
}

// The translations of the demo and the library follow the shown language;
// windows opened from now on show it.
void UseShownLanguage()
{
    const wxString folder = LanguageHandler::GetInstance()->GetLanguageLocal(ShownLanguage());
    wxArrayString domains;
    domains.Add(DEMO_TEXT_DOMAIN);
    KelTranslations::UseLanguage(KelTranslations::LanguageOfFolder(folder), domains);
}

// The labels of the display settings relabel at once; the main window, whose
// texts come from the translations, is built anew.
void ChooseLanguage(int id)
{
    LanguageHandler::GetInstance()->SetSelected(id);
    ShownLanguage() = id;
    UseShownLanguage();
    LoadLanguageTexts();
    UpdateTexts();
    ShowSelections();
    DemoRebuildMainWindow();
}

// ---------------------------------------------------------------------------
// The page

class SettingsPage : public KelPanelBase
{
public:
    explicit SettingsPage(wxWindow* parent) : KelPanelBase(parent, wxID_ANY)
    {
        LoadSettingsOnce();
        wxBoxSizer* columns = new wxBoxSizer(wxHORIZONTAL);
        wxBoxSizer* left = new wxBoxSizer(wxVERTICAL);
        left->Add(BuildHeading(), 0, wxEXPAND | wxALL, 10);
        left->Add(BuildAppearance(), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
        left->Add(BuildRemembered(), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
        columns->Add(left, 1, wxEXPAND);
        columns->Add(BuildTabs(), 1, wxEXPAND | wxALL, 10);
        SetSizer(columns);
        // after the labels, which it registered first
        TextUpdaters().push_back({this, [this] { Layout(); }});
        ShowSelection();
        RememberInput();
    }

    ~SettingsPage() override
    {
        Forget(this);
        wxUIKeeper* keeper = wxUIKeeper::GetInstance();
        keeper->Detach(m_search);
        keeper->Detach(m_scope);
        keeper->Detach(m_autoLogin);
    }

private:
    // A label whose text comes from the display settings of the language.
    // Its width is that of its text: a label laid out while its page was
    // hidden would otherwise keep the narrow size it had then.
    wxStaticText* Label(wxWindow* parent, const wxString& key, const wxString& fallback)
    {
        wxStaticText* label = new wxStaticText(parent, wxID_ANY, wxString());
        auto update = [label, key, fallback]
        {
            label->SetLabel(Text(key, fallback));
            label->SetMinSize(label->GetTextExtent(label->GetLabel()));
        };
        update();
        TextUpdaters().push_back({this, update});
        return label;
    }

    wxStaticBoxSizer* Box(const wxString& key, const wxString& fallback)
    {
        wxStaticBoxSizer* box = new wxStaticBoxSizer(wxVERTICAL, this, Text(key, fallback));
        wxStaticBox* frame = box->GetStaticBox();
        TextUpdaters().push_back({this, [frame, key, fallback] { frame->SetLabel(Text(key, fallback)); }});
        return box;
    }

    wxSizer* BuildHeading()
    {
        KelSkinResource* skin = KelSkinResource::GetInstance();
        wxBoxSizer* heading = new wxBoxSizer(wxHORIZONTAL);
        heading->Add(new wxStaticBitmap(this, wxID_ANY, DemoSkinBundle("logo_emblem")), 0, wxRIGHT, 10);
        wxBoxSizer* texts = new wxBoxSizer(wxVERTICAL);
        wxStaticText* product = Label(this, "product", _("Kel Messenger"));
        product->SetFont(skin->GetFont("font_user_name"));
        product->SetForegroundColour(skin->GetColour("color_user_name"));
        wxStaticText* slogan = Label(this, "slogan", wxString());
        slogan->SetForegroundColour(skin->GetColour("color_text_grey"));
        texts->Add(product, 0, wxTOP, 6);
        texts->Add(slogan, 0, wxTOP, 4);
        heading->Add(texts, 1);
        return heading;
    }

    wxSizer* BuildAppearance()
    {
        wxStaticBoxSizer* box = Box("appearance", _("Appearance"));
        wxWindow* parent = box->GetStaticBox();
        wxFlexGridSizer* grid = new wxFlexGridSizer(2, 8, 12);
        grid->AddGrowableCol(1);

        grid->Add(Label(parent, "skin_label", _("Skin")), 0, wxALIGN_TOP | wxTOP, 8);
        wxBoxSizer* skins = new wxBoxSizer(wxVERTICAL);
        bool first = true;
        for (SkinInfo* skin : InstalledSkins())
        {
            wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
            wxRadioButton* choice = new wxRadioButton(parent, wxID_ANY, skin->GetTitle(), wxDefaultPosition,
                                                      wxDefaultSize, first ? wxRB_GROUP : 0);
            first = false;
            const int id = skin->GetId();
            choice->Bind(wxEVT_RADIOBUTTON, [id](wxCommandEvent&) { ChooseSkin(id); });
            m_skinChoices[id] = choice;
            wxBitmap preview(KelInstallPath(skin->GetBriefBitmap()), wxBITMAP_TYPE_BMP);
            row->Add(new wxStaticBitmap(parent, wxID_ANY, preview), 0, wxRIGHT, 8);
            wxBoxSizer* texts = new wxBoxSizer(wxVERTICAL);
            texts->Add(choice);
            wxStaticText* description = new wxStaticText(parent, wxID_ANY, skin->GetDescription());
            description->SetForegroundColour(KelSkinResource::GetInstance()->GetColour("color_text_grey"));
            texts->Add(description, 0, wxLEFT, 22);
            row->Add(texts, 1);
            skins->Add(row, 0, wxBOTTOM, 6);
        }
        grid->Add(skins, 1, wxEXPAND | wxTOP, 6);

        grid->Add(Label(parent, "language_label", _("Language")), 0, wxALIGN_CENTER_VERTICAL);
        wxBoxSizer* languages = new wxBoxSizer(wxHORIZONTAL);
        wxArrayInt ids;
        LanguageHandler::GetInstance()->GetLanguages(ids);
        first = true;
        for (int id : ids)
        {
            wxRadioButton* choice =
                new wxRadioButton(parent, wxID_ANY, LanguageHandler::GetInstance()->GetLanguageName(id),
                                  wxDefaultPosition, wxDefaultSize, first ? wxRB_GROUP : 0);
            first = false;
            choice->Bind(wxEVT_RADIOBUTTON, [id](wxCommandEvent&) { ChooseLanguage(id); });
            m_languageChoices[id] = choice;
            languages->Add(choice, 0, wxRIGHT, 16);
        }
        grid->Add(languages, 1, wxBOTTOM, 4);
        grid->AddSpacer(0);
        wxStaticText* note = new wxStaticText(
            parent, wxID_ANY,
            _("The main window changes language at once; chat windows and dialogs that are open change when "
              "they are opened again."));
        note->SetForegroundColour(KelSkinResource::GetInstance()->GetColour("color_text_grey"));
        note->Wrap(FromDIP(320));
        grid->Add(note, 1, wxBOTTOM, 4);
        box->Add(grid, 0, wxEXPAND | wxALL, 8);

        SelectionViews().push_back({this, [this] { ShowSelection(); }});
        return box;
    }

    void ShowSelection()
    {
        const int skin = KelSkinManager::GetInstance()->GetSelectedSkin();
        if (m_skinChoices.count(skin))
            m_skinChoices[skin]->SetValue(true);
        const int language = ShownLanguage();
        if (m_languageChoices.count(language))
            m_languageChoices[language]->SetValue(true);
    }

    wxSizer* BuildRemembered()
    {
        wxStaticBoxSizer* box = Box("remembered", _("Remembered input"));
        wxWindow* parent = box->GetStaticBox();
        wxFlexGridSizer* grid = new wxFlexGridSizer(2, 8, 12);
        grid->AddGrowableCol(1);

        grid->Add(Label(parent, "search_label", _("Find contact")), 0, wxALIGN_CENTER_VERTICAL);
        m_search = new wxTextCtrl(parent, wxID_ANY);
        m_search->SetHint(_("name, account or phone"));
        grid->Add(m_search, 1, wxEXPAND);

        grid->Add(Label(parent, "scope_label", _("Search in")), 0, wxALIGN_CENTER_VERTICAL);
        const wxString scopes[] = {_("Everyone"), _("My department"), _("Friends"), _("Groups")};
        m_scope = new wxComboBox(parent, wxID_ANY, scopes[0], wxDefaultPosition, wxDefaultSize,
                                 WXSIZEOF(scopes), scopes, wxCB_READONLY);
        grid->Add(m_scope, 1, wxEXPAND);

        grid->AddSpacer(0);
        m_autoLogin = new wxCheckBox(parent, wxID_ANY, Text("autologin", _("Sign in automatically")));
        wxCheckBox* autoLogin = m_autoLogin;
        TextUpdaters().push_back(
            {this, [autoLogin] { autoLogin->SetLabel(Text("autologin", _("Sign in automatically"))); }});
        grid->Add(m_autoLogin);

        grid->Add(Label(parent, "export_label", _("Export folder")), 0, wxALIGN_CENTER_VERTICAL);
        wxBoxSizer* folder = new wxBoxSizer(wxHORIZONTAL);
        m_exportFolder = new wxStaticText(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                          wxST_ELLIPSIZE_START);
        wxButton* choose = new wxButton(parent, wxID_ANY, Text("choose_folder", _("Choose...")));
        TextUpdaters().push_back(
            {this, [choose] { choose->SetLabel(Text("choose_folder", _("Choose..."))); }});
        choose->Bind(wxEVT_BUTTON, &SettingsPage::OnChooseFolder, this);
        folder->Add(m_exportFolder, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
        folder->Add(choose);
        grid->Add(folder, 1, wxEXPAND);
        ShowExportFolder();

        box->Add(grid, 0, wxEXPAND | wxALL, 8);
        return box;
    }

    void RememberInput()
    {
        wxUIKeeper* keeper = wxUIKeeper::GetInstance();
        keeper->Attach(new wxTextUIHandler(m_search, "settings.search"));
        keeper->Attach(new wxComboBoxUIHandler(m_scope, "settings.scope"));
        keeper->Attach(new wxCheckBoxUIHandler(m_autoLogin, "settings.autologin"));
    }

    void ShowExportFolder()
    {
        const wxString folder = KelFileDialog::GetDefaultPath(EXPORT_KEY);
        m_exportFolder->SetLabel(folder.empty() ? _("(none chosen yet)") : folder);
        m_exportFolder->SetToolTip(folder);
    }

    void OnChooseFolder(wxCommandEvent&)
    {
        KelFileDialog dialog(this, _("Select Path"), wxGetHomeDir(), "contacts.csv",
                             _("Comma separated values (*.csv)") + "|*.csv", wxFD_SAVE);
        dialog.ShowModal(EXPORT_KEY);
        ShowExportFolder();
    }

    wxSizer* BuildTabs()
    {
        wxStaticBoxSizer* box = Box("tabs_title", _("Tabs and shortcuts"));
        wxWindow* parent = box->GetStaticBox();
        KelTabManager* tabs = KelTabManager::GetInstance();

        wxListCtrl* tabList = new wxListCtrl(parent, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(-1, 150)),
                                             wxLC_REPORT | wxLC_SINGLE_SEL);
        tabList->AppendColumn(_("Tab"), wxLIST_FORMAT_LEFT, 90);
        tabList->AppendColumn(_("Position"), wxLIST_FORMAT_RIGHT, 70);
        tabList->AppendColumn(_("Tooltip"), wxLIST_FORMAT_LEFT, 170);
        tabList->AppendColumn(_("System"), wxLIST_FORMAT_CENTER, 60);
        wxList all;
        tabs->GetAllTabs(all);
        for (wxList::compatibility_iterator node = all.GetFirst(); node; node = node->GetNext())
        {
            const tabattr* tab = static_cast<tabattr*>(node->GetData());
            const long row = tabList->InsertItem(tabList->GetItemCount(), tab->m_key);
            tabList->SetItem(row, 1, wxString::Format("%d", tab->m_index));
            tabList->SetItem(row, 2, tab->m_tip);
            tabList->SetItem(row, 3, tab->m_sysTab ? _("yes") : "");
        }

        wxListCtrl* shortcutList = new wxListCtrl(parent, wxID_ANY, wxDefaultPosition,
                                                  FromDIP(wxSize(-1, 170)), wxLC_REPORT | wxLC_SINGLE_SEL);
        shortcutList->AppendColumn(_("Shortcut"), wxLIST_FORMAT_LEFT, 120);
        shortcutList->AppendColumn(_("Position"), wxLIST_FORMAT_RIGHT, 70);
        wxList shortcuts;
        tabs->GetAllShortCutAttr(shortcuts);
        for (wxList::compatibility_iterator node = shortcuts.GetFirst(); node; node = node->GetNext())
        {
            const shortcutattr* shortcut = static_cast<shortcutattr*>(node->GetData());
            const long row = shortcutList->InsertItem(shortcutList->GetItemCount(), shortcut->m_key);
            shortcutList->SetItem(row, 1, wxString::Format("%d", shortcut->m_index));
        }

        box->Add(new wxStaticText(parent, wxID_ANY, _("Main window tabs, by position")), 0, wxALL, 6);
        box->Add(tabList, 0, wxEXPAND | wxLEFT | wxRIGHT, 6);
        box->Add(new wxStaticText(parent, wxID_ANY, _("Shortcut bar")), 0, wxALL, 6);
        box->Add(shortcutList, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
        return box;
    }

    std::map<int, wxRadioButton*> m_skinChoices;
    std::map<int, wxRadioButton*> m_languageChoices;
    wxTextCtrl* m_search = nullptr;
    wxComboBox* m_scope = nullptr;
    wxCheckBox* m_autoLogin = nullptr;
    wxStaticText* m_exportFolder = nullptr;
};

DemoPageRegistration page(90, wxTRANSLATE("Settings"),
                          [](wxWindow* parent) -> wxWindow* { return new SettingsPage(parent); });

// ---------------------------------------------------------------------------
// The main window's menus

// Radio items of one menu, by the id of the skin or language they choose.
using MenuChoices = std::map<int, wxMenuItem*>;

wxMenu* BuildSkinMenu(wxFrame* frame, MenuChoices& items)
{
    wxMenu* menu = new wxMenu;
    for (SkinInfo* skin : InstalledSkins())
    {
        wxMenuItem* item = menu->AppendRadioItem(wxID_ANY, skin->GetTitle(), skin->GetDescription());
        const int id = skin->GetId();
        frame->Bind(
            wxEVT_MENU, [id](wxCommandEvent&) { ChooseSkin(id); }, item->GetId());
        items[id] = item;
    }
    return menu;
}

wxMenu* BuildLanguageMenu(wxFrame* frame, MenuChoices& items)
{
    wxMenu* menu = new wxMenu;
    wxArrayInt ids;
    LanguageHandler::GetInstance()->GetLanguages(ids);
    for (int id : ids)
    {
        wxMenuItem* item =
            menu->AppendRadioItem(wxID_ANY, LanguageHandler::GetInstance()->GetLanguageName(id));
        frame->Bind(
            wxEVT_MENU, [id](wxCommandEvent&) { ChooseLanguage(id); }, item->GetId());
        items[id] = item;
    }
    return menu;
}

DemoMainHookRegistration menus(
    40,
    [](DemoMainFrame& main)
    {
        LoadSettingsOnce();

        wxFrame* frame = main.GetFrame();
        static MenuChoices skinItems;
        static MenuChoices languageItems;
        wxMenuBar* bar = main.GetMenuBar();
        const size_t beforeHelp = bar->GetMenuCount() > 0 ? bar->GetMenuCount() - 1 : 0;
        bar->Insert(beforeHelp, BuildLanguageMenu(frame, languageItems), _("&Language"));
        bar->Insert(beforeHelp, BuildSkinMenu(frame, skinItems), _("S&kin"));

        SelectionViews().push_back({frame, []
                                    {
                                        const int skin = KelSkinManager::GetInstance()->GetSelectedSkin();
                                        if (skinItems.count(skin))
                                            skinItems[skin]->Check();
                                        const int language = ShownLanguage();
                                        if (languageItems.count(language))
                                            languageItems[language]->Check();
                                    }});
        TextUpdaters().push_back({frame, [frame] { frame->SetTitle(Text("product", _("Kel Messenger"))); }});
        frame->Bind(wxEVT_DESTROY,
                    [frame](wxWindowDestroyEvent& event)
                    {
                        if (event.GetEventObject() == frame)
                            Forget(frame);
                        event.Skip();
                    });

        // The skin chosen in an earlier session.
        ApplySkin(KelSkinManager::GetInstance()->GetSelectedSkin());
        UpdateTexts();
        ShowSelections();
    });

} // anonymous namespace

void DemoUseSelectedLanguage()
{
    ShownLanguage() = LanguageHandler::GetInstance()->GetSelected();
    UseShownLanguage();
}

bool DemoShowLanguage(const wxString& folderName)
{
    LanguageHandler* languages = LanguageHandler::GetInstance();
    wxArrayInt ids;
    languages->GetLanguages(ids);
    for (int id : ids)
    {
        if (wxFileName(languages->GetLanguageLocal(id)).GetFullName() != folderName)
            continue;
        ShownLanguage() = id;
        UseShownLanguage();
        LoadLanguageTexts();
        return true;
    }
    return false;
}
