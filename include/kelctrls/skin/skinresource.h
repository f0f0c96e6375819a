/// \file
/// The process-wide store of the current skin's bitmaps, icons, colours and
/// fonts, looked up by string key.
#ifndef KELCTRLS_SKIN_SKINRESOURCE_H
#define KELCTRLS_SKIN_SKINRESOURCE_H

#include <kelctrls/base.h>

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/colour.h>
#include <wx/font.h>
#include <wx/icon.h>

#include <map>

/// One bitmap of the skin store.
struct SkinBitmapEntry
{
    wxBitmap bitmap;       ///< Null until the first successful load.
    wxString path;         ///< As written in the resource file.
    wxBitmapBundle bundle; ///< Empty until GetBitmapBundle first hands it out.
};

/// One icon of the skin store.
struct SkinIconEntry
{
    /// The icon; null until the first successful load.
    wxIcon icon;
    /// As written in the resource file.
    wxString path;
};

/// A skin is one XML file with the root "resource" and the sections "icons",
/// "bitmaps", "colours" and "fonts". Colours and fonts are read at load; image
/// files are read on their first lookup and cached until the next load. Keys the
/// skin does not define give a null bitmap or icon, opaque black, or the normal
/// system font.
///
/// Image paths in the file are relative to the installation folder. An image
/// may have a variant drawn for a display scale of 2 beside it (see
/// GetBitmapBundle). Windows read the store when they are created: load the
/// skin before creating them.
class KELCTRLS_API KelSkinResource
{
public:
    /// The store, created empty on first use; it lives until the program ends.
    static KelSkinResource* GetInstance();

    /// Frees the tables.
    virtual ~KelSkinResource();

    /// Empties the store, then reads `path`. Returns false, leaving the store
    /// empty, when the file is missing or is not a skin file. On success the
    /// window skin engine draws with the skin's "color_caption_text" and
    /// "color_win_bk" from then on.
    bool LoadResource(const wxString& path);

    /// The colour of `key` (any form wxColour reads, such as "#RRGGBB");
    /// opaque black when undefined.
    virtual wxColour GetColour(const wxString& key) const;
    /// The bitmap of `key`, read from its file on first use; null when undefined
    /// or unreadable.
    virtual wxBitmap GetBitmap(const wxString& key) const;
    /// The bitmap of `key` at every display scale, for a window to draw with
    /// `GetBitmapFor(window)`. At scale 1 it is the bitmap GetBitmap gives. At
    /// scale 2 it is the image beside that file with "@2x" before the extension
    /// ("ok@2x.bmp" beside "ok.bmp") when there is one exactly twice as large,
    /// otherwise the scale-1 bitmap enlarged pixel for pixel, so that edges
    /// stay hard. Empty when GetBitmap gives a null bitmap. The bundle is made
    /// once per skin load and shares its images with every copy.
    wxBitmapBundle GetBitmapBundle(const wxString& key) const;
    /// The icon of `key`, read from its file on first use; null when undefined or unreadable.
    virtual wxIcon GetIcon(const wxString& key) const;
    /// The font of `key`; the normal system font when undefined.
    virtual wxFont GetFont(const wxString& key) const;

    /// Empties the four tables; the instance stays usable.
    virtual void Release();

protected:
    /// An empty store; only GetInstance (or a derived class) makes stores.
    KelSkinResource();

    /// The store GetInstance hands out; a derived class may set its own.
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
