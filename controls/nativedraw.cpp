#include "controls/nativedraw.h"

#include <wx/window.h>
#include <wx/dcgraph.h>

#include <gtk/gtk.h>

namespace kel
{
namespace
{
gboolean OnNativeDraw(GtkWidget*, cairo_t* cr, gpointer data)
{
    const NativePainter& painter = *static_cast<NativePainter*>(data);
    cairo_save(cr);
    bool drawn;
    {
        wxGCDC dc(wxGraphicsContext::CreateFromNative(cr));
        drawn = painter(dc);
    }
    cairo_restore(cr);
    return drawn ? TRUE : FALSE;
}

gboolean OnNativeDrawAfter(GtkWidget* widget, cairo_t* cr, gpointer data)
{
    OnNativeDraw(widget, cr, data);
    return FALSE;
}

void DeletePainter(gpointer data, GClosure*)
{
    delete static_cast<NativePainter*>(data);
}
} // namespace

void ConnectNativePainter(wxWindow* win, NativeDrawOrder order, NativePainter painter)
{
    GtkWidget* widget = static_cast<GtkWidget*>(win->GetHandle());
    if (!widget)
        return;
    const bool after = order == NativeDrawOrder::AfterNative;
    g_signal_connect_data(widget, "draw", after ? G_CALLBACK(OnNativeDrawAfter) : G_CALLBACK(OnNativeDraw),
                          new NativePainter(std::move(painter)), DeletePainter,
                          after ? G_CONNECT_AFTER : GConnectFlags(0));
}

void ApplyNativeCss(wxWindow* win, const char* css)
{
    GtkWidget* widget = static_cast<GtkWidget*>(win->GetHandle());
    if (!widget)
        return;
    static const char* const key = "kelctrls-css";
    GtkCssProvider* provider = static_cast<GtkCssProvider*>(g_object_get_data(G_OBJECT(widget), key));
    if (!provider)
    {
        provider = gtk_css_provider_new();
        gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(provider),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_set_data_full(G_OBJECT(widget), key, provider, g_object_unref);
    }
    gtk_css_provider_load_from_data(provider, css, -1, nullptr);
}

bool IsNativePressed(const wxWindow* win)
{
    GtkWidget* widget = static_cast<GtkWidget*>(win->GetHandle());
    return widget && (gtk_widget_get_state_flags(widget) & GTK_STATE_FLAG_ACTIVE);
}
} // namespace kel
