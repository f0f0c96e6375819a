// The installed skins besides the default one: the "Jade" colour set, which
// shares the default skin's images, and the preview pictures of the skin
// catalogue.
#include "skinpainter.h"

#include <kelctrls/base.h>

#include <wx/filename.h>
#include <wx/xml/xml.h>

#include <cstdio>
#include <map>

namespace
{

// The default palette's colours and their Jade counterparts.
const std::map<wxString, wxColour>& JadeColours()
{
    static const std::map<wxString, wxColour> colours = {
        {Palette::WindowBack.GetAsString(wxC2S_HTML_SYNTAX), wxColour(0xE6, 0xF4, 0xEC)},
        {Palette::PaneBack.GetAsString(wxC2S_HTML_SYNTAX), wxColour(0xF4, 0xFB, 0xF6)},
        {Palette::Accent.GetAsString(wxC2S_HTML_SYNTAX), wxColour(0x2A, 0x9A, 0x68)},
        {Palette::AccentDark.GetAsString(wxC2S_HTML_SYNTAX), wxColour(0x1B, 0x70, 0x48)},
        {Palette::AccentLight.GetAsString(wxC2S_HTML_SYNTAX), wxColour(0xCD, 0xEB, 0xDB)},
        {Palette::Border.GetAsString(wxC2S_HTML_SYNTAX), wxColour(0x98, 0xCD, 0xB2)},
    };
    return colours;
}

wxColour Jade(const wxColour& colour)
{
    const auto it = JadeColours().find(colour.GetAsString(wxC2S_HTML_SYNTAX));
    return it == JadeColours().end() ? colour : it->second;
}

// A miniature window in the skin's colours, shown in the skin menu.
wxBitmap PaintPreview(const std::function<wxColour(const wxColour&)>& palette)
{
    return PaintBitmap(48, 32, palette(Palette::WindowBack),
                       [&](wxDC& dc)
                       {
                           dc.SetPen(wxPen(palette(Palette::Border)));
                           dc.SetBrush(wxBrush(palette(Palette::Accent)));
                           dc.DrawRectangle(0, 0, 48, 8);
                           dc.SetBrush(wxBrush(palette(Palette::PaneBack)));
                           dc.DrawRectangle(0, 7, 16, 25);
                           dc.SetBrush(wxBrush(palette(Palette::AccentLight)));
                           dc.DrawRoundedRectangle(20, 12, 24, 7, 2);
                           dc.DrawRoundedRectangle(20, 22, 18, 7, 2);
                           dc.SetPen(*wxTRANSPARENT_PEN);
                           dc.SetBrush(wxBrush(palette(Palette::AccentDark)));
                           dc.DrawCircle(8, 14, 3);
                       });
}

SkinPainterRegistration previews("skincatalogue",
                                 [](SkinWriter& skin)
                                 {
                                     skin.Bitmap("skin_preview_default", "skin_preview_default.bmp",
                                                 PaintPreview([](const wxColour& c) { return c; }));
                                     skin.Bitmap("skin_preview_jade", "skin_preview_jade.bmp",
                                                 PaintPreview(Jade));
                                 });

// The Jade resource file is the default one with its colours replaced.
SkinOutputHookRegistration jade(
    [](const wxString& outputDir)
    {
        wxXmlDocument doc;
        if (!doc.Load(outputDir + "/default.xml") || !doc.GetRoot())
            return;
        for (wxXmlNode* section = doc.GetRoot()->GetChildren(); section; section = section->GetNext())
        {
            if (!section->GetName().IsSameAs("colours", false))
                continue;
            for (wxXmlNode* entry = section->GetChildren(); entry; entry = entry->GetNext())
            {
                for (wxXmlAttribute* attr = entry->GetAttributes(); attr; attr = attr->GetNext())
                {
                    const wxColour colour(attr->GetName() == "value" ? attr->GetValue() : wxString());
                    if (colour.IsOk())
                        attr->SetValue(Jade(colour).GetAsString(wxC2S_HTML_SYNTAX));
                }
            }
        }
        const wxFileName target(outputDir + "/../jade/jade.xml");
        if (!KelSaveXmlAtomically(doc, target.GetAbsolutePath(), 2))
            std::fprintf(stderr, "cannot write %s\n",
                         static_cast<const char*>(target.GetFullPath().utf8_str()));
    });

} // anonymous namespace
