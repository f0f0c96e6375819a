// Layout device context of the rich text family.
#include "platform/richtextlayoutdc.h"

#include <wx/dcgraph.h>
#include <wx/graphics.h>

#include <unordered_map>

namespace
{

// Everything is measured by the shared graphics context, as the source
// context would; what the layout converts with the source's resolution and
// scale it gets from the source.
class MeasuringDCImpl : public wxGCDCImpl
{
public:
    MeasuringDCImpl(wxDC* owner, const wxDC& source, wxGraphicsContext* context)
        : wxGCDCImpl(owner, context), m_source(source)
    {
        double x, y;
        source.GetUserScale(&x, &y);
        SetUserScale(x, y);
        SetFont(source.GetFont());
    }

    wxCoord GetCharHeight() const override { return CharSize().y; }
    wxCoord GetCharWidth() const override { return CharSize().x; }
    wxSize GetPPI() const override { return m_source.GetPPI(); }
    double GetContentScaleFactor() const override { return m_source.GetContentScaleFactor(); }
    wxSize FromDIP(const wxSize& size) const override { return m_source.FromDIP(size); }
    wxSize ToDIP(const wxSize& size) const override { return m_source.ToDIP(size); }

private:
    struct Metrics
    {
        wxFont font; // holds the font's data, whose address is the key
        wxSize charSize;
    };

    wxSize CharSize() const
    {
        if (!m_font.IsOk())
            return wxSize(wxGCDCImpl::GetCharWidth(), wxGCDCImpl::GetCharHeight());
        auto found = m_metrics.find(m_font.GetRefData());
        if (found == m_metrics.end())
        {
            const wxSize size(wxGCDCImpl::GetCharWidth(), wxGCDCImpl::GetCharHeight());
            found = m_metrics.emplace(m_font.GetRefData(), Metrics{m_font, size}).first;
        }
        return found->second.charSize;
    }

    const wxDC& m_source;
    mutable std::unordered_map<const wxObjectRefData*, Metrics> m_metrics;
};

} // namespace

wxFlagLayoutDC::wxFlagLayoutDC(wxDC& dc, wxGraphicsContext* context)
    : wxDC(new MeasuringDCImpl(this, dc, context))
{
}

std::unique_ptr<wxFlagLayoutDC> wxFlagLayoutDC::MeasuringAs(wxDC& dc)
{
    wxGraphicsContext* source = dc.GetGraphicsContext();
    void* native = source ? source->GetNativeContext() : nullptr;
    wxGraphicsContext* shared =
        native ? source->GetRenderer()->CreateContextFromNativeContext(native) : nullptr;
    if (!shared)
        return nullptr;
    return std::unique_ptr<wxFlagLayoutDC>(new wxFlagLayoutDC(dc, shared));
}
