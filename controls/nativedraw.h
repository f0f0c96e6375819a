#ifndef KELCTRLS_CONTROLS_NATIVEDRAW_H
#define KELCTRLS_CONTROLS_NATIVEDRAW_H

#include <functional>

class wxDC;
class wxWindow;

// GTK sends no paint events to native controls (buttons, gauges): the toolkit draws them
// itself. The skinned controls built on them paint from the widget's own draw signal
// instead, through a device context on the signal's cairo context, in widget coordinates.
namespace kel
{
// Called for every native draw. Return true when the painter covered the control so that
// the native drawing is skipped; return value is ignored for painters run after it.
using NativePainter = std::function<bool(wxDC& dc)>;

enum class NativeDrawOrder
{
    BeforeNative, // may replace the native drawing
    AfterNative   // draws over what the toolkit painted
};

void ConnectNativePainter(wxWindow* win, NativeDrawOrder order, NativePainter painter);

// Style the control's native widget with the given CSS rules; a later call replaces the
// rules of the earlier one.
void ApplyNativeCss(wxWindow* win, const char* css);

// The native widget's pressed (active) state.
bool IsNativePressed(const wxWindow* win);
} // namespace kel

#endif
