#include "demoregistry.h"
#include "demotext.h"

#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace
{

template <typename T>
std::vector<DemoOrdered<T>>& Table()
{
    static std::vector<DemoOrdered<T>> table;
    return table;
}

template <typename T>
void AddOrdered(int order, const wxString& name, T function)
{
    auto& table = Table<T>();
    auto pos = std::upper_bound(table.begin(), table.end(), order,
                                [](int o, const DemoOrdered<T>& item) { return o < item.order; });
    table.insert(pos, DemoOrdered<T>{order, name, std::move(function)});
}

DemoConversationFactory& ConversationFactory()
{
    static DemoConversationFactory factory;
    return factory;
}

} // anonymous namespace

DemoPageRegistration::DemoPageRegistration(int order, const wxString& title, DemoPageFactory factory)
{
    AddOrdered(order, title, std::move(factory));
}

DemoShotRegistration::DemoShotRegistration(int order, const wxString& name, DemoShotOpener opener)
{
    AddOrdered(order, name, std::move(opener));
}

DemoMainHookRegistration::DemoMainHookRegistration(int order, DemoMainHook hook)
{
    AddOrdered(order, wxString(), std::move(hook));
}

DemoChatHookRegistration::DemoChatHookRegistration(int order, DemoChatHook hook)
{
    AddOrdered(order, wxString(), std::move(hook));
}

DemoConversationRegistration::DemoConversationRegistration(DemoConversationFactory factory)
{
    ConversationFactory() = std::move(factory);
}

const std::vector<DemoOrdered<DemoPageFactory>>& DemoPages()
{
    return Table<DemoPageFactory>();
}

const std::vector<DemoOrdered<DemoShotOpener>>& DemoShots()
{
    return Table<DemoShotOpener>();
}

const std::vector<DemoOrdered<DemoMainHook>>& DemoMainHooks()
{
    return Table<DemoMainHook>();
}

void RunDemoChatHooks(wxTopLevelWindow* chat)
{
    for (const auto& hook : Table<DemoChatHook>())
        hook.function(chat);
}

wxWindow* CreateDemoConversation(wxWindow* parent, const wxString& peer)
{
    if (ConversationFactory())
        return ConversationFactory()(parent, peer);
    return new wxTextCtrl(parent, wxID_ANY, wxString::Format(_("Conversation with %s"), peer),
                          wxDefaultPosition, wxDefaultSize, wxTE_MULTILINE | wxTE_READONLY);
}
