// The process-wide store of the current skin's bitmaps, icons, colours and
// fonts, looked up by string key.
#ifndef KELCTRLS_SKIN_SKINRESOURCE_H
#define KELCTRLS_SKIN_SKINRESOURCE_H

#include <kelctrls/base.h>

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/font.h>
#include <wx/icon.h>

#include <map>

struct SkinBitmapEntry
{
    wxBitmap bitmap; // null until the first successful load
    wxString path;   // as written in the resource file
};

struct SkinIconEntry
{
    wxIcon icon;
    wxString path;
};

// A skin is one XML file with the root "resource" and the sections "icons",
// "bitmaps", "colours" and "fonts". Colours and fonts are read at load; image
// files are read on their first lookup and cached until the next load. Keys the
// skin does not define give a null bitmap or icon, opaque black, or the normal
// system font.
class KELCTRLS_API KelSkinResource
{
public:
    static KelSkinResource* GetInstance();

    virtual ~KelSkinResource();

    // Empties the store, then reads `path`. On failure the store stays empty.
    // On success the window skin engine draws with the skin's
    // "color_caption_text" and "color_win_bk" from then on.
    bool LoadResource(const wxString& path);

    virtual wxColour GetColour(const wxString& key) const;
    virtual wxBitmap GetBitmap(const wxString& key) const;
    virtual wxIcon GetIcon(const wxString& key) const;
    virtual wxFont GetFont(const wxString& key) const;

    // Empties the four tables; the instance stays usable.
    virtual void Release();

protected:
    KelSkinResource();

    static KelSkinResource* m_instance;

private:
    struct KeyLess
    {
        bool operator()(const wxString& a, const wxString& b) const { return a.Cmp(b) < 0; }
    };

    virtual bool DoLoadRes(const wxString& path);

    std::map<wxString, wxColour, KeyLess> m_colours;
    std::map<wxString, wxFont, KeyLess> m_fonts;
    std::map<wxString, SkinIconEntry*, KeyLess> m_icons;
    std::map<wxString, SkinBitmapEntry*, KeyLess> m_bitmaps;

    KelSkinResource(const KelSkinResource&) = delete;
    KelSkinResource& operator=(const KelSkinResource&) = delete;
};

#endif
