#include "browser/webkitnative.h"

#include <wx/webview.h>

#include <gio/gio.h>

#include <dlfcn.h>

#include <set>
#include <utility>

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
using ObjectFn = void* (*)(void*);
using TextFn = const char* (*)(void*);
using ScriptNewFn = void* (*)(const char*, int, int, const char* const*, const char* const*);
using AddScriptFn = void (*)(void*, void*);
using UnrefFn = void (*)(void*);
using RegisterSchemeFn = void (*)(void*, const char*, void (*)(void*, void*), void*, void (*)(void*));
using FinishFn = void (*)(void*, GInputStream*, gint64, const char*);
using FinishErrorFn = void (*)(void*, GError*);
using EvaluateFn = void (*)(void*, const char*, gssize, const char*, const char*, GCancellable*,
                            GAsyncReadyCallback, gpointer);
using EvaluateFinishFn = void* (*)(void*, GAsyncResult*, GError**);
using ValueToStringFn = char* (*)(void*);

// Values of the engine's enumerations.
const int InjectTopFrame = 1;
const int InjectAtDocumentStart = 0;

template <typename Fn>
Fn Lookup(const char* name)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, name));
}

} // namespace

void* NativeOf(wxWebView* view)
{
    return view ? view->GetNativeBackend() : nullptr;
}

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

bool EvaluateToText(wxWebView* view, const wxString& script, wxString& value)
{
    static const auto evaluate = Lookup<EvaluateFn>("webkit_web_view_evaluate_javascript");
    static const auto finish = Lookup<EvaluateFinishFn>("webkit_web_view_evaluate_javascript_finish");
    static const auto toString = Lookup<ValueToStringFn>("jsc_value_to_string");
    void* native = NativeOf(view);
    if (!evaluate || !finish || !toString || !native)
        return false;

    GAsyncResult* result = nullptr;
    g_object_ref(native);
    // In a script world of its own: what the page defined (getters that
    // never return, among others) is not there.
    evaluate(
        native, script.utf8_str(), -1, "kelctrls-reader", nullptr, nullptr,
        [](GObject*, GAsyncResult* done, gpointer slot)
        { *static_cast<GAsyncResult**>(slot) = static_cast<GAsyncResult*>(g_object_ref(done)); },
        &result);
    while (!result)
        g_main_context_iteration(nullptr, TRUE);

    void* jsValue = finish(native, result, nullptr);
    g_object_unref(result);
    g_object_unref(native);
    if (!jsValue)
        return false;
    char* text = toString(jsValue);
    value = wxString::FromUTF8(text ? text : "");
    g_free(text);
    g_object_unref(jsValue);
    return true;
}

bool AddTopFrameScript(wxWebView* view, const wxString& source)
{
    static const auto manager = Lookup<ObjectFn>("webkit_web_view_get_user_content_manager");
    static const auto create = Lookup<ScriptNewFn>("webkit_user_script_new");
    static const auto add = Lookup<AddScriptFn>("webkit_user_content_manager_add_script");
    static const auto unref = Lookup<UnrefFn>("webkit_user_script_unref");
    void* native = NativeOf(view);
    if (!manager || !create || !add || !unref || !native)
        return false;
    void* script = create(source.utf8_str(), InjectTopFrame, InjectAtDocumentStart, nullptr, nullptr);
    if (!script)
        return false;
    add(manager(native), script);
    unref(script);
    return true;
}

bool ServeScheme(wxWebView* view, const char* scheme, SchemeCallback callback)
{
    static const auto context = Lookup<ObjectFn>("webkit_web_view_get_context");
    static const auto registerScheme = Lookup<RegisterSchemeFn>("webkit_web_context_register_uri_scheme");
    static std::set<std::pair<void*, std::string>> served;
    void* native = NativeOf(view);
    if (!context || !registerScheme || !native)
        return false;
    void* shared = context(native);
    if (served.insert({shared, scheme}).second)
        registerScheme(shared, scheme, callback, nullptr, nullptr);
    return true;
}

void* RequestView(void* request)
{
    static const auto view = Lookup<ObjectFn>("webkit_uri_scheme_request_get_web_view");
    return view ? view(request) : nullptr;
}

std::string RequestMethod(void* request)
{
    static const auto method = Lookup<TextFn>("webkit_uri_scheme_request_get_http_method");
    const char* text = method ? method(request) : nullptr;
    return text ? text : std::string();
}

std::string RequestBody(void* request)
{
    static const auto body = Lookup<ObjectFn>("webkit_uri_scheme_request_get_http_body");
    GInputStream* stream = body ? static_cast<GInputStream*>(body(request)) : nullptr;
    std::string bytes;
    if (!stream)
        return bytes;
    char chunk[16384];
    gssize count = 0;
    while ((count = g_input_stream_read(stream, chunk, sizeof(chunk), nullptr, nullptr)) > 0)
        bytes.append(chunk, static_cast<size_t>(count));
    g_object_unref(stream);
    return bytes;
}

void FinishRequest(void* request, const std::string& body, const char* contentType)
{
    static const auto finish = Lookup<FinishFn>("webkit_uri_scheme_request_finish");
    if (!finish)
        return;
    GBytes* bytes = g_bytes_new(body.data(), body.size());
    GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
    finish(request, stream, static_cast<gint64>(body.size()), contentType);
    g_object_unref(stream);
    g_bytes_unref(bytes);
}

void FailRequest(void* request, const char* reason)
{
    static const auto fail = Lookup<FinishErrorFn>("webkit_uri_scheme_request_finish_error");
    if (!fail)
        return;
    GError* error = g_error_new_literal(g_quark_from_static_string("kelctrls-bridge"), 1, reason);
    fail(request, error);
    g_error_free(error);
}

void HoldRequest(void* request)
{
    g_object_ref(request);
}

void ReleaseRequest(void* request)
{
    g_object_unref(request);
}

} // namespace webkit
} // namespace kel
