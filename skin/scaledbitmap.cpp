#include "skin/scaledbitmap.h"

#include <wx/filename.h>
#include <wx/log.h>

#include <vector>

namespace
{

class ScaledBundleImpl : public wxBitmapBundleImpl
{
public:
    ScaledBundleImpl(const wxBitmap& normal, const wxBitmap& doubled) : m_normal(normal)
    {
        if (doubled.IsOk() && doubled.GetSize() == normal.GetSize() * 2)
            m_doubled = doubled;
    }

    wxSize GetDefaultSize() const override { return m_normal.GetSize(); }

    wxSize GetPreferredBitmapSizeAtScale(double scale) const override
    {
        return GetDefaultSize() * wxMax(1, wxRound(scale));
    }

    wxBitmap GetBitmap(const wxSize& size) override
    {
        if (size == m_normal.GetSize())
            return m_normal;
        if (m_doubled.IsOk() && size == m_doubled.GetSize())
            return m_doubled;
        for (const wxBitmap& made : m_made)
        {
            if (made.GetSize() == size)
                return made;
        }
        m_made.push_back(Enlarge(size));
        return m_made.back();
    }

private:
    wxBitmap Enlarge(const wxSize& size) const
    {
        const bool fromDoubled =
            m_doubled.IsOk() && size.x >= m_doubled.GetWidth() && size.y >= m_doubled.GetHeight();
        const wxBitmap& source = fromDoubled ? m_doubled : m_normal;
        const wxSize from = source.GetSize();
        const bool whole = size.x % from.x == 0 && size.y % from.y == 0 && size.x / from.x == size.y / from.y;
        return wxBitmap(source.ConvertToImage().Scale(
            size.x, size.y, whole ? wxIMAGE_QUALITY_NEAREST : wxIMAGE_QUALITY_HIGH));
    }

    wxBitmap m_normal;
    wxBitmap m_doubled;
    std::vector<wxBitmap> m_made;
};

} // anonymous namespace

namespace kel
{

wxBitmap LoadDoubleScaleVariant(const wxString& path, wxBitmapType type)
{
    wxFileName name(path);
    name.SetName(name.GetName() + "@2x");
    wxLogNull noLog;
    wxBitmap doubled;
    if (!path.empty() && name.FileExists())
        doubled.LoadFile(name.GetFullPath(), type);
    return doubled;
}

wxBitmapBundle MakeScaledBundle(const wxBitmap& normal, const wxBitmap& doubled)
{
    if (!normal.IsOk())
        return wxBitmapBundle();
    return wxBitmapBundle::FromImpl(new ScaledBundleImpl(normal, doubled));
}

wxBitmapBundle LoadScaledBundle(const wxString& path, wxBitmapType type)
{
    wxLogNull noLog;
    wxBitmap normal;
    if (path.empty() || !normal.LoadFile(path, type))
        return wxBitmapBundle();
    return MakeScaledBundle(normal, LoadDoubleScaleVariant(path, type));
}

} // namespace kel
