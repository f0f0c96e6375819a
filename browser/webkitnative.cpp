#include "browser/webkitnative.h"

#include <wx/webview.h>

#include <dlfcn.h>

namespace kel
{
namespace webkit
{

namespace
{

using ConnectFn = unsigned long (*)(void*, const char*, void (*)(), void*, void*, int);
using DisconnectFn = void (*)(void*, unsigned long);
using GetFn = void (*)(void*, const char*, ...);
using SetCharsetFn = void (*)(void*, const char*);

template <typename Fn>
Fn Lookup(const char* name)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, name));
}

void* NativeOf(wxWebView* view)
{
    return view ? view->GetNativeBackend() : nullptr;
}

} // namespace

unsigned long ConnectProgress(wxWebView* view, ProgressCallback callback, void* userData)
{
    static const auto connect = Lookup<ConnectFn>("g_signal_connect_data");
    void* native = NativeOf(view);
    if (!connect || !native)
        return 0;
    return connect(native, "notify::estimated-load-progress", reinterpret_cast<void (*)()>(callback),
                   userData, nullptr, 0);
}

void Disconnect(wxWebView* view, unsigned long connection)
{
    static const auto disconnect = Lookup<DisconnectFn>("g_signal_handler_disconnect");
    void* native = NativeOf(view);
    if (disconnect && native && connection)
        disconnect(native, connection);
}

double GetProgress(wxWebView* view)
{
    static const auto get = Lookup<GetFn>("g_object_get");
    void* native = NativeOf(view);
    double progress = 0;
    if (get && native)
        get(native, "estimated-load-progress", &progress, nullptr);
    return progress;
}

bool SetCustomCharset(wxWebView* view, const wxString& charset)
{
    static const auto set = Lookup<SetCharsetFn>("webkit_web_view_set_custom_charset");
    void* native = NativeOf(view);
    if (!set || !native)
        return false;
    set(native, charset.empty() ? nullptr : static_cast<const char*>(charset.utf8_str()));
    return true;
}

} // namespace webkit
} // namespace kel
