// "Skin": every resource of the loaded skin, looked up by its key through
// the skin resource store.
#include "demoregistry.h"
#include "demotext.h"

#include <kelctrls/skin.h>

#include <wx/dcclient.h>
#include <wx/scrolwin.h>
#include <wx/xml/xml.h>

#include <vector>

namespace
{

struct SkinKey
{
    wxString section;
    wxString key;
};

std::vector<SkinKey> ReadKeys(const wxString& path)
{
    std::vector<SkinKey> keys;
    wxXmlDocument doc;
    if (!doc.Load(path) || !doc.GetRoot())
        return keys;
    for (wxXmlNode* section = doc.GetRoot()->GetChildren(); section; section = section->GetNext())
        for (wxXmlNode* entry = section->GetChildren(); entry; entry = entry->GetNext())
            if (entry->GetType() == wxXML_ELEMENT_NODE)
                keys.push_back(SkinKey{section->GetName().Lower(), entry->GetAttribute("id")});
    return keys;
}

class SkinSwatches : public wxScrolledCanvas
{
public:
    explicit SkinSwatches(wxWindow* parent)
        : wxScrolledCanvas(parent, wxID_ANY), m_keys(ReadKeys(KelInstallPath("skins/default/default.xml")))
    {
        SetBackgroundColour(KelSkinResource::GetInstance()->GetColour("color_pane_bk"));
        SetScrollRate(0, 20);
        Bind(wxEVT_PAINT, &SkinSwatches::OnPaint, this);
        Bind(wxEVT_SIZE,
             [this](wxSizeEvent& e)
             {
                 UpdateVirtualSize();
                 e.Skip();
             });
    }

private:
    static constexpr int CellWidth = 260;
    static constexpr int CellHeight = 58;

    int Columns() const { return std::max(1, GetClientSize().x / CellWidth); }

    void UpdateVirtualSize()
    {
        const int rows = (static_cast<int>(m_keys.size()) + Columns() - 1) / Columns();
        SetVirtualSize(-1, rows * CellHeight + 10);
        Refresh();
    }

    void OnPaint(wxPaintEvent&)
    {
        wxPaintDC dc(this);
        DoPrepareDC(dc);
        KelSkinResource* skin = KelSkinResource::GetInstance();
        dc.SetFont(skin->GetFont("font_normal"));
        for (size_t i = 0; i < m_keys.size(); ++i)
        {
            const wxRect cell(10 + (i % Columns()) * CellWidth, 10 + (i / Columns()) * CellHeight,
                              CellWidth - 10, CellHeight - 8);
            DrawCell(dc, cell, m_keys[i]);
        }
    }

    void DrawCell(wxDC& dc, const wxRect& cell, const SkinKey& key)
    {
        KelSkinResource* skin = KelSkinResource::GetInstance();
        wxRect sample(cell.x, cell.y, 64, cell.height);
        dc.SetPen(wxPen(skin->GetColour("color_border")));
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(sample);

        if (key.section == "colours")
        {
            dc.SetBrush(wxBrush(skin->GetColour(key.key)));
            dc.DrawRectangle(wxRect(sample).Deflate(4));
        }
        else if (key.section == "bitmaps" || key.section == "icons")
        {
            // Bitmaps as drawn for this window's display scale, placed by their size in window units.
            const wxBitmap bitmap = key.section == "bitmaps"
                                        ? skin->GetBitmapBundle(key.key).GetBitmapFor(this)
                                        : wxBitmap(skin->GetIcon(key.key));
            if (bitmap.IsOk())
            {
                const wxRect inner = wxRect(sample).Deflate(2);
                const wxSize size(wxRound(bitmap.GetLogicalWidth()), wxRound(bitmap.GetLogicalHeight()));
                dc.SetClippingRegion(inner);
                dc.DrawBitmap(bitmap, inner.x + std::max(0, (inner.width - size.x) / 2),
                              inner.y + std::max(0, (inner.height - size.y) / 2), true);
                dc.DestroyClippingRegion();
            }
        }
        else if (key.section == "fonts")
        {
            dc.SetFont(skin->GetFont(key.key));
            dc.SetTextForeground(skin->GetColour("color_text"));
            dc.DrawLabel("Aa", sample, wxALIGN_CENTRE);
            dc.SetFont(skin->GetFont("font_normal"));
        }

        dc.SetTextForeground(skin->GetColour("color_text"));
        dc.DrawText(key.key, cell.x + 72, cell.y + 8);
        dc.SetTextForeground(skin->GetColour("color_text_grey"));
        dc.DrawText(key.section, cell.x + 72, cell.y + 26);
    }

    std::vector<SkinKey> m_keys;
};

DemoPageRegistration page(900, wxTRANSLATE("Skin"),
                          [](wxWindow* parent) -> wxWindow* { return new SkinSwatches(parent); });

} // anonymous namespace
