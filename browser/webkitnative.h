// The few engine calls the toolkit's web view does not offer. They are looked
// up at run time in the engine the web view library has loaded, so building
// needs no engine headers; when one is missing the call does nothing.
#ifndef KELCTRLS_BROWSER_WEBKITNATIVE_H
#define KELCTRLS_BROWSER_WEBKITNATIVE_H

#include <wx/string.h>

class wxWebView;

namespace kel
{
namespace webkit
{

using ProgressCallback = void (*)(void* view, void* param, void* userData);

// Calls `callback` whenever the view's estimated load progress changes;
// returns the connection (0 when it could not be made).
unsigned long ConnectProgress(wxWebView* view, ProgressCallback callback, void* userData);
void Disconnect(wxWebView* view, unsigned long connection);
// The view's estimated load progress, 0 to 1.
double GetProgress(wxWebView* view);
// Overrides the character set of the view's documents (and reloads).
bool SetCustomCharset(wxWebView* view, const wxString& charset);

} // namespace webkit
} // namespace kel

#endif
