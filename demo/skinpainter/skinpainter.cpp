// kelctrls-skinpainter [OUTPUT_DIR] [PATH_PREFIX]
//
// Writes the default skin into OUTPUT_DIR (default "data/skins/default"):
// its images under images/, each also drawn for a display scale of 2 as
// "name@2x.bmp", and the resource file default.xml, whose image paths start
// with PATH_PREFIX (default "skins/default/images/") because the client
// resolves them against its installation folder.
#include "skinpainter.h"

#include <wx/dcgraph.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/filename.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <kelctrls/base.h>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace
{

int g_paintScale = 1;

std::map<wxString, SkinPainter>& Painters()
{
    static std::map<wxString, SkinPainter> painters;
    return painters;
}

class FileSkinWriter : public SkinWriter
{
public:
    FileSkinWriter(const wxString& outputDir, const wxString& prefix)
        : m_imageDir(outputDir + "/images"), m_prefix(prefix)
    {
        wxFileName::Mkdir(m_imageDir, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        m_doc.SetRoot(new wxXmlNode(wxXML_ELEMENT_NODE, "resource"));
    }

    void BeginFamily(const wxString& family)
    {
        wxXmlNode* root = m_doc.GetRoot();
        root->AddChild(new wxXmlNode(wxXML_COMMENT_NODE, wxString(), " " + family + " "));
        m_sections.clear();
    }

    void Bitmap(const wxString& key, const wxString& file, const wxBitmap& bitmap) override
    {
        wxFileName path(m_imageDir, file);
        if (g_paintScale != 1)
            path.SetName(path.GetName() + wxString::Format("@%dx", g_paintScale));
        if (!bitmap.ConvertToImage().SaveFile(path.GetFullPath(), wxBITMAP_TYPE_BMP))
            std::fprintf(stderr, "cannot write %s\n",
                         static_cast<const char*>(path.GetFullName().utf8_str()));
        Entry("bitmaps", key, "path", m_prefix + file);
    }

    // Icons carry one size: the taskbar picks what it needs.
    void Icon(const wxString& key, const wxString& file, const wxImage& image) override
    {
        if (g_paintScale != 1)
            return;
        if (!image.SaveFile(m_imageDir + "/" + file, wxBITMAP_TYPE_ICO))
            std::fprintf(stderr, "cannot write %s\n", static_cast<const char*>(file.utf8_str()));
        Entry("icons", key, "path", m_prefix + file);
    }

    void Colour(const wxString& key, const wxColour& colour) override
    {
        Entry("colours", key, "value", colour.GetAsString(wxC2S_HTML_SYNTAX));
    }

    void Font(const wxString& key, const wxString& description) override
    {
        Entry("fonts", key, "value", description);
    }

    bool Save(const wxString& path) { return KelSaveXmlAtomically(m_doc, path, 2); }

private:
    // Lists an entry in the resource file, once: at scale 1.
    void Entry(const wxString& sectionName, const wxString& key, const wxString& attribute,
               const wxString& value)
    {
        if (g_paintScale != 1)
            return;
        wxXmlNode*& section = m_sections[sectionName];
        if (!section)
        {
            section = new wxXmlNode(wxXML_ELEMENT_NODE, sectionName);
            m_doc.GetRoot()->AddChild(section);
        }
        wxXmlNode* entry = new wxXmlNode(wxXML_ELEMENT_NODE, "item");
        entry->AddAttribute("id", key);
        entry->AddAttribute(attribute, value);
        section->AddChild(entry);
    }

    wxString m_imageDir;
    wxString m_prefix;
    wxXmlDocument m_doc;
    std::map<wxString, wxXmlNode*> m_sections;
};

} // anonymous namespace

int PaintScale()
{
    return g_paintScale;
}

static std::vector<SkinOutputHook>& OutputHooks()
{
    static std::vector<SkinOutputHook> hooks;
    return hooks;
}

SkinOutputHookRegistration::SkinOutputHookRegistration(SkinOutputHook hook)
{
    OutputHooks().push_back(std::move(hook));
}

SkinPainterRegistration::SkinPainterRegistration(const wxString& family, SkinPainter painter)
{
    Painters()[family] = std::move(painter);
}

wxBitmap PaintBitmap(int width, int height, const wxColour& background,
                     const std::function<void(wxDC& dc)>& paint, bool antialias)
{
    wxBitmap bitmap;
    bitmap.CreateWithDIPSize(wxSize(width, height), g_paintScale, 24);
    wxMemoryDC memory(bitmap);
    memory.SetBackground(wxBrush(background));
    memory.Clear();
    if (antialias)
    {
        wxGCDC dc(memory);
        paint(dc);
    }
    else
    {
        // The memory DC draws through a graphics context that smooths edges by
        // default; blends with the mask colour would show as a pink fringe.
        if (wxGraphicsContext* gc = memory.GetGraphicsContext())
            gc->SetAntialiasMode(wxANTIALIAS_NONE);
        paint(memory);
    }
    memory.SelectObject(wxNullBitmap);
    return bitmap;
}

wxBitmap PaintPanel(int width, int height, const wxColour& top, const wxColour& bottom,
                    const wxColour& border, int radius)
{
    return PaintBitmap(width, height, Palette::Mask,
                       [&](wxDC& dc)
                       {
                           const wxRect all(0, 0, width, height);
                           if (radius > 0)
                           {
                               // Round the gradient through a rounded clip of the DC.
                               dc.SetPen(*wxTRANSPARENT_PEN);
                               dc.SetBrush(wxBrush(bottom));
                               dc.DrawRoundedRectangle(all, radius);
                               dc.GradientFillLinear(wxRect(radius / 2, 1, width - radius, height - 2), top,
                                                     bottom, wxSOUTH);
                               dc.SetBrush(*wxTRANSPARENT_BRUSH);
                           }
                           else
                           {
                               dc.GradientFillLinear(all, top, bottom, wxSOUTH);
                           }
                           if (border.IsOk())
                           {
                               dc.SetPen(wxPen(border));
                               dc.SetBrush(*wxTRANSPARENT_BRUSH);
                               if (radius > 0)
                                   dc.DrawRoundedRectangle(all, radius);
                               else
                                   dc.DrawRectangle(all);
                           }
                       });
}

int main(int argc, char** argv)
{
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "cannot start the toolkit (is there a display?)\n");
        return 1;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxInitAllImageHandlers();

    const wxString outputDir = argc > 1 ? wxString(argv[1]) : wxString("data/skins/default");
    const wxString prefix = argc > 2 ? wxString(argv[2]) : wxString("skins/default/images/");

    FileSkinWriter writer(outputDir, prefix);
    for (int scale : {1, 2})
    {
        g_paintScale = scale;
        for (const auto& painter : Painters())
        {
            if (scale == 1)
                writer.BeginFamily(painter.first);
            painter.second(writer);
        }
    }
    if (!writer.Save(outputDir + "/default.xml"))
    {
        std::fprintf(stderr, "cannot write %s/default.xml\n", static_cast<const char*>(outputDir.utf8_str()));
        return 1;
    }
    for (const SkinOutputHook& hook : OutputHooks())
        hook(outputDir);
    return 0;
}
