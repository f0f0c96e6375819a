// The few engine calls the toolkit's web view does not offer. They are looked
// up at run time in the engine the web view library has loaded, so building
// needs no engine headers; when one is missing the call does nothing (or
// reports failure).
#ifndef KELCTRLS_BROWSER_WEBKITNATIVE_H
#define KELCTRLS_BROWSER_WEBKITNATIVE_H

#include <wx/string.h>

#include <string>

class wxWebView;

namespace kel
{
namespace webkit
{

using ProgressCallback = void (*)(void* view, void* param, void* userData);

// The engine's own view behind `view` (null without one).
void* NativeOf(wxWebView* view);

// Calls `callback` whenever the view's estimated load progress changes;
// returns the connection (0 when it could not be made).
unsigned long ConnectProgress(wxWebView* view, ProgressCallback callback, void* userData);
void Disconnect(wxWebView* view, unsigned long connection);
// The view's estimated load progress, 0 to 1.
double GetProgress(wxWebView* view);
// Overrides the character set of the view's documents (and reloads).
bool SetCustomCharset(wxWebView* view, const wxString& charset);

// Evaluates `script` in the view's page, apart from the page's own script
// (same document, separate script globals), and waits for its value as text
// (the program's events are handled meanwhile); false when it failed. The
// toolkit's own run shares one result slot per view between nested runs.
bool EvaluateToText(wxWebView* view, const wxString& script, wxString& value);

// Runs `source` at the start of every document of the view's top-level
// frame, before the page's own script, and in no other frame.
bool AddTopFrameScript(wxWebView* view, const wxString& source);

// Requests for addresses of a scheme the program serves. `request` is the
// engine's request object; every request handed to a callback must be
// answered once, with FinishRequest or FailRequest.
using SchemeCallback = void (*)(void* request, void* userData);
// Has `callback` answer requests for `scheme` made by pages of every view
// that shares `view`'s browsing context. Once per context and scheme; false
// when the engine does not offer it.
bool ServeScheme(wxWebView* view, const char* scheme, SchemeCallback callback);
// The engine's view whose page made the request (compare with NativeOf).
void* RequestView(void* request);
std::string RequestMethod(void* request);
// The request's body, empty without one.
std::string RequestBody(void* request);
void FinishRequest(void* request, const std::string& body, const char* contentType);
// The page sees a failed load.
void FailRequest(void* request, const char* reason);
// Keeps the request alive across code that may end the view.
void HoldRequest(void* request);
void ReleaseRequest(void* request);

} // namespace webkit
} // namespace kel

#endif
