// kelctrls-facegen: paints the animated faces of the installation folder
// ("faces/*.gif" below data/) and writes them as looping GIF animations.
//
//   kelctrls-facegen OUTPUT_FOLDER
//
// Each face is drawn at four times its size with anti-aliasing, scaled down
// to 24 x 24 and given a transparent background (pixels that are mostly
// uncovered); edge pixels are blended with the light chat background so
// they look smooth on it. The same face drawn at 48 x 48, for a display
// scale of 2, goes beside it as "name@2x.gif".
#include <wx/app.h>
#include <wx/brush.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/palette.h>
#include <wx/pen.h>
#include <wx/quantize.h>
#include <wx/wfstream.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace
{

constexpr int FaceSize = 24;
constexpr int Scale = 4;
constexpr int FrameDelay = 90; // milliseconds; holds repeat a frame
constexpr int Frames = 12;

const wxColour Yellow(255, 206, 62), YellowEdge(214, 150, 30), Ink(92, 58, 24), Blush(247, 120, 120),
    Tear(90, 170, 240), Red(226, 52, 64), White(255, 255, 255);
// Edge pixels are blended with this, the history's background.
const wxColour Background(246, 250, 255);
const wxColour MaskColour(255, 0, 255);

using Painter = std::function<void(wxGraphicsContext& gc, int frame)>;

struct Face
{
    const char* name;
    Painter paint;
};

wxGraphicsPath Circle(wxGraphicsContext& gc, double x, double y, double r)
{
    wxGraphicsPath path = gc.CreatePath();
    path.AddCircle(x, y, r);
    return path;
}

void FillCircle(wxGraphicsContext& gc, double x, double y, double r, const wxColour& colour)
{
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(wxBrush(colour));
    gc.FillPath(Circle(gc, x, y, r));
}

void Head(wxGraphicsContext& gc, const wxColour& fill = Yellow, double dy = 0)
{
    gc.SetPen(wxPen(YellowEdge, 4));
    gc.SetBrush(gc.CreateRadialGradientBrush(38, 30 + dy, 48, 48 + dy, 50, fill.ChangeLightness(125), fill));
    gc.DrawPath(Circle(gc, 48, 48 + dy, 42));
}

void Stroke(wxGraphicsContext& gc, const std::vector<wxPoint2DDouble>& points, double width,
            const wxColour& colour = Ink)
{
    wxGraphicsPath path = gc.CreatePath();
    path.MoveToPoint(points[0]);
    if (points.size() == 3)
        path.AddQuadCurveToPoint(points[1].m_x, points[1].m_y, points[2].m_x, points[2].m_y);
    else
        for (size_t i = 1; i < points.size(); ++i)
            path.AddLineToPoint(points[i]);
    wxPen pen(colour, int(width));
    pen.SetCap(wxCAP_ROUND);
    gc.SetPen(pen);
    gc.SetBrush(*wxTRANSPARENT_BRUSH);
    gc.StrokePath(path);
}

void Eyes(wxGraphicsContext& gc, double openness = 1, double dy = 0)
{
    for (double x : {34.0, 62.0})
    {
        if (openness < 0.3)
            Stroke(gc, {{x - 7, 38 + dy}, {x, 43 + dy}, {x + 7, 38 + dy}}, 5);
        else
        {
            gc.SetPen(*wxTRANSPARENT_PEN);
            gc.SetBrush(wxBrush(Ink));
            gc.DrawEllipse(x - 5, 38 + dy - 8 * openness, 10, 16 * openness);
        }
    }
}

void Smile(wxGraphicsContext& gc, double width = 1, double dy = 0)
{
    Stroke(gc, {{48 - 22 * width, 58 + dy}, {48, 80 + dy}, {48 + 22 * width, 58 + dy}}, 6);
}

void Heart(wxGraphicsContext& gc, double cx, double cy, double size, const wxColour& colour)
{
    wxGraphicsPath path = gc.CreatePath();
    path.MoveToPoint(cx, cy + size * 0.9);
    path.AddCurveToPoint(cx - size * 1.4, cy, cx - size * 0.8, cy - size * 1.1, cx, cy - size * 0.35);
    path.AddCurveToPoint(cx + size * 0.8, cy - size * 1.1, cx + size * 1.4, cy, cx, cy + size * 0.9);
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(wxBrush(colour));
    gc.FillPath(path);
}

// 0..1..0 over the loop.
double Wave(int frame)
{
    return 0.5 - 0.5 * std::cos(2 * M_PI * frame / Frames);
}

std::vector<Face> Faces()
{
    return {
        {"smile",
         [](wxGraphicsContext& gc, int f)
         {
             Head(gc);
             Eyes(gc, f == 9 || f == 10 ? 0.1 : 1);
             Smile(gc);
         }},
        {"laugh",
         [](wxGraphicsContext& gc, int f)
         {
             const double dy = (f % 4 < 2) ? -3 : 2;
             Head(gc, Yellow, dy);
             Stroke(gc, {{26, 40 + dy}, {34, 33 + dy}, {42, 40 + dy}}, 5);
             Stroke(gc, {{54, 40 + dy}, {62, 33 + dy}, {70, 40 + dy}}, 5);
             wxGraphicsPath mouth = gc.CreatePath();
             mouth.MoveToPoint(26, 54 + dy);
             mouth.AddQuadCurveToPoint(48, 92 + dy, 70, 54 + dy);
             mouth.CloseSubpath();
             gc.SetPen(wxPen(Ink, 4));
             gc.SetBrush(wxBrush(wxColour(150, 40, 40)));
             gc.DrawPath(mouth);
         }},
        {"wink",
         [](wxGraphicsContext& gc, int f)
         {
             Head(gc);
             const bool winking = f >= 4 && f <= 8;
             gc.SetPen(*wxTRANSPARENT_PEN);
             gc.SetBrush(wxBrush(Ink));
             gc.DrawEllipse(29, 30, 10, 16);
             if (winking)
                 Stroke(gc, {{54, 40}, {62, 34}, {70, 40}}, 5);
             else
                 gc.DrawEllipse(57, 30, 10, 16);
             Stroke(gc, {{30, 62}, {52, 78}, {68, 56}}, 6);
         }},
        {"sad",
         [](wxGraphicsContext& gc, int f)
         {
             Head(gc);
             Eyes(gc, 0.8);
             Stroke(gc, {{30, 74}, {48, 58}, {66, 74}}, 6);
             const double y = 50 + 4 * f;
             FillCircle(gc, 30, y, 5, Tear);
         }},
        {"angry",
         [](wxGraphicsContext& gc, int f)
         {
             const wxColour flush(255, int(190 - 90 * Wave(f)), int(60 - 30 * Wave(f)));
             Head(gc, flush);
             Stroke(gc, {{24, 28}, {42, 36}}, 6);
             Stroke(gc, {{72, 28}, {54, 36}}, 6);
             Eyes(gc, 0.7, 4);
             Stroke(gc, {{32, 74}, {48, 64}, {64, 74}}, 6);
         }},
        {"surprise",
         [](wxGraphicsContext& gc, int f)
         {
             Head(gc);
             gc.SetPen(wxPen(Ink, 3));
             gc.SetBrush(wxBrush(White));
             gc.DrawEllipse(26, 26, 16, 20);
             gc.DrawEllipse(54, 26, 16, 20);
             FillCircle(gc, 34, 37, 4, Ink);
             FillCircle(gc, 62, 37, 4, Ink);
             const double r = 7 + 5 * Wave(f);
             gc.SetPen(*wxTRANSPARENT_PEN);
             gc.SetBrush(wxBrush(wxColour(150, 40, 40)));
             gc.DrawEllipse(48 - r, 68 - r * 1.2, 2 * r, 2.4 * r);
         }},
        {"cool",
         [](wxGraphicsContext& gc, int f)
         {
             Head(gc);
             gc.SetPen(*wxTRANSPARENT_PEN);
             gc.SetBrush(wxBrush(wxColour(30, 34, 48)));
             gc.DrawRoundedRectangle(18, 30, 26, 18, 7);
             gc.DrawRoundedRectangle(52, 30, 26, 18, 7);
             Stroke(gc, {{42, 36}, {54, 36}}, 4, wxColour(30, 34, 48));
             const double x = -20 + 11 * f;
             gc.Clip(18, 30, 60, 18);
             Stroke(gc, {{x, 50}, {x + 12, 28}}, 5, wxColour(255, 255, 255, 190));
             gc.ResetClip();
             Stroke(gc, {{34, 64}, {52, 74}, {64, 60}}, 6);
         }},
        {"kiss",
         [](wxGraphicsContext& gc, int f)
         {
             Head(gc);
             Stroke(gc, {{26, 40}, {34, 34}, {42, 40}}, 5);
             gc.SetPen(*wxTRANSPARENT_PEN);
             gc.SetBrush(wxBrush(Ink));
             gc.DrawEllipse(57, 30, 10, 16);
             gc.SetBrush(wxBrush(Red));
             gc.DrawEllipse(44, 60, 10, 14);
             Heart(gc, 76 - f, 60 - 4 * f, 6 + f * 0.6, Red);
         }},
        {"cry",
         [](wxGraphicsContext& gc, int f)
         {
             Head(gc);
             Stroke(gc, {{26, 40}, {34, 44}, {42, 40}}, 5);
             Stroke(gc, {{54, 40}, {62, 44}, {70, 40}}, 5);
             Stroke(gc, {{34, 72}, {48, 62}, {62, 72}}, 6);
             for (int i = 0; i < 2; ++i)
             {
                 const double y = 46 + ((f * 4 + i * 24) % 44);
                 FillCircle(gc, 31, y, 4.5, Tear);
                 FillCircle(gc, 65, y, 4.5, Tear);
             }
         }},
        {"sleepy",
         [](wxGraphicsContext& gc, int f)
         {
             Head(gc);
             Eyes(gc, 0);
             gc.SetPen(*wxTRANSPARENT_PEN);
             gc.SetBrush(wxBrush(Ink));
             gc.DrawEllipse(42, 64, 12, 8 + 4 * Wave(f));
             const double s = 8 + f, x = 62 + f * 1.5, y = 26 - f * 1.8;
             Stroke(gc, {{x, y}, {x + s, y}, {x, y + s}, {x + s, y + s}}, 4, wxColour(60, 110, 200));
         }},
        {"heart",
         [](wxGraphicsContext& gc, int f)
         {
             const double beat = (f % 6 == 1 || f % 6 == 3) ? 1.0 : 0.0;
             Heart(gc, 48, 52, 34 + 6 * beat, Red);
             gc.SetBrush(wxBrush(wxColour(255, 255, 255, 120)));
             gc.DrawEllipse(26, 28, 16, 10);
         }},
        {"blush",
         [](wxGraphicsContext& gc, int f)
         {
             Head(gc);
             Eyes(gc, f == 6 ? 0.1 : 0.9);
             Smile(gc, 0.7);
             const wxColour cheeks(Blush.Red(), Blush.Green(), Blush.Blue(),
                                   (unsigned char)(90 + 140 * Wave(f)));
             gc.SetPen(*wxTRANSPARENT_PEN);
             gc.SetBrush(wxBrush(cheeks));
             gc.DrawEllipse(14, 50, 18, 11);
             gc.DrawEllipse(64, 50, 18, 11);
         }},
    };
}

// One frame `size` pixels square: painted large, scaled down, edges blended
// with the background and uncovered pixels set to the mask colour. Painters
// draw on a canvas of FaceSize * Scale units whatever the size.
wxImage RenderFrame(const Painter& paint, int frame, int size)
{
    wxImage large(size * Scale, size * Scale);
    large.InitAlpha();
    std::memset(large.GetAlpha(), 0, size_t(large.GetWidth() * large.GetHeight()));
    {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(large));
        gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
        gc->Scale(double(size) / FaceSize, double(size) / FaceSize);
        paint(*gc, frame);
    }
    wxImage small = large.Scale(size, size, wxIMAGE_QUALITY_HIGH);

    wxImage out(size, size);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            const int a = small.GetAlpha(x, y);
            auto blend = [a](int c, int b) { return (c * a + b * (255 - a)) / 255; };
            out.SetRGB(x, y, blend(small.GetRed(x, y), Background.Red()),
                       blend(small.GetGreen(x, y), Background.Green()),
                       blend(small.GetBlue(x, y), Background.Blue()));
            if (a < 64)
                out.SetRGB(x, y, MaskColour.Red(), MaskColour.Green(), MaskColour.Blue());
        }
    }
    return out;
}

// ----------------------------------------------------------------------------
// GIF encoding: one global palette for all frames of a face, index 255 is
// transparent, each frame covers the whole face and is cleared after it is
// shown (disposal "restore to background").
// ----------------------------------------------------------------------------

constexpr int TransparentIndex = 255;

class GifWriter
{
public:
    explicit GifWriter(const std::vector<wxImage>& frames)
        : m_frames(frames), m_size(frames.front().GetWidth())
    {
        BuildPalette();
    }

    std::vector<unsigned char> Encode(int delayMs)
    {
        const char header[] = "GIF89a";
        m_out.assign(header, header + 6);
        Put16(m_size);
        Put16(m_size);
        m_out.push_back(0xF7); // global palette of 256 entries, 8 bits per primary
        m_out.push_back(TransparentIndex);
        m_out.push_back(0);
        for (int i = 0; i < 256; ++i)
        {
            const wxColour c = i < int(m_palette.size()) ? m_palette[i] : MaskColour;
            m_out.push_back(c.Red());
            m_out.push_back(c.Green());
            m_out.push_back(c.Blue());
        }
        const unsigned char loop[] = {0x21, 0xFF, 0x0B, 'N', 'E',  'T',  'S',  'C',  'A', 'P',
                                      'E',  '2',  '.',  '0', 0x03, 0x01, 0x00, 0x00, 0x00};
        m_out.insert(m_out.end(), loop, loop + sizeof(loop));
        for (const wxImage& frame : m_frames)
        {
            const unsigned char control[] = {0x21, 0xF9, 0x04, (2 << 2) | 1};
            m_out.insert(m_out.end(), control, control + sizeof(control));
            Put16(delayMs / 10);
            m_out.push_back(TransparentIndex);
            m_out.push_back(0);
            m_out.push_back(0x2C);
            Put16(0);
            Put16(0);
            Put16(m_size);
            Put16(m_size);
            m_out.push_back(0);
            WriteImageData(Indices(frame));
        }
        m_out.push_back(0x3B);
        return m_out;
    }

private:
    static wxUint32 Key(unsigned char r, unsigned char g, unsigned char b)
    {
        return (wxUint32(r) << 16) | (wxUint32(g) << 8) | b;
    }

    static bool IsMask(const wxImage& image, int x, int y)
    {
        return image.GetRed(x, y) == MaskColour.Red() && image.GetGreen(x, y) == MaskColour.Green() &&
               image.GetBlue(x, y) == MaskColour.Blue();
    }

    // All frames side by side reduced to 255 colours together, so the
    // colours of a face do not flicker from frame to frame.
    void BuildPalette()
    {
        wxImage strip(m_size * int(m_frames.size()), m_size);
        for (size_t i = 0; i < m_frames.size(); ++i)
            strip.Paste(m_frames[i], int(i) * m_size, 0);
        wxImage reduced;
        wxPalette* palette = nullptr;
        wxQuantize::Quantize(strip, reduced, &palette, TransparentIndex, nullptr,
                             wxQUANTIZE_FILL_DESTINATION_IMAGE);
        // The quantizer's palette has room for every colour asked for, and
        // the entries it did not need are left unset; the colours the
        // reduced image holds are the palette, in a fixed order so that the
        // same faces give the same files.
        delete palette;
        std::set<wxUint32> colours;
        for (int y = 0; y < reduced.GetHeight(); ++y)
            for (int x = 0; x < reduced.GetWidth(); ++x)
                colours.insert(wxUint32(reduced.GetRed(x, y)) << 16 | wxUint32(reduced.GetGreen(x, y)) << 8 |
                               reduced.GetBlue(x, y));
        for (wxUint32 rgb : colours)
            m_palette.push_back(wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
        for (size_t i = 0; i < m_frames.size(); ++i)
        {
            for (int y = 0; y < m_size; ++y)
                for (int x = 0; x < m_size; ++x)
                    m_reduced[MakeKey(i, x, y)] = Nearest(reduced.GetRed(int(i) * m_size + x, y),
                                                          reduced.GetGreen(int(i) * m_size + x, y),
                                                          reduced.GetBlue(int(i) * m_size + x, y));
        }
    }

    wxUint32 MakeKey(size_t frame, int x, int y) const
    {
        return wxUint32(frame * m_size * m_size + y * m_size + x);
    }

    int Nearest(int r, int g, int b) const
    {
        int best = 0, bestDistance = INT_MAX;
        for (size_t i = 0; i < m_palette.size(); ++i)
        {
            const int dr = m_palette[i].Red() - r, dg = m_palette[i].Green() - g,
                      db = m_palette[i].Blue() - b;
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance)
            {
                bestDistance = distance;
                best = int(i);
            }
        }
        return best;
    }

    std::vector<int> Indices(const wxImage& frame) const
    {
        size_t index = 0;
        while (&m_frames[index] != &frame)
            ++index;
        std::vector<int> indices;
        for (int y = 0; y < m_size; ++y)
            for (int x = 0; x < m_size; ++x)
                indices.push_back(IsMask(frame, x, y) ? TransparentIndex
                                                      : m_reduced.at(MakeKey(index, x, y)));
        return indices;
    }

    void Put16(int value)
    {
        m_out.push_back(static_cast<unsigned char>(value & 0xFF));
        m_out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
    }

    void PutCode(int code, int width)
    {
        m_bits |= wxUint32(code) << m_bitCount;
        m_bitCount += width;
        while (m_bitCount >= 8)
        {
            m_data.push_back(static_cast<unsigned char>(m_bits & 0xFF));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
    }

    // Variable-width LZW with 8-bit symbols, then split into sub-blocks.
    void WriteImageData(const std::vector<int>& indices)
    {
        const int clear = 256, end = 257;
        std::map<wxUint32, int> table;
        int width = 9, last = end, current = -1;
        m_data.clear();
        m_bits = 0;
        m_bitCount = 0;
        PutCode(clear, width);
        for (int symbol : indices)
        {
            if (current < 0)
            {
                current = symbol;
                continue;
            }
            const wxUint32 key = (wxUint32(current) << 8) | wxUint32(symbol);
            auto found = table.find(key);
            if (found != table.end())
            {
                current = found->second;
                continue;
            }
            PutCode(current, width);
            table[key] = ++last;
            if (last >= (1 << width))
                ++width;
            if (last == 4095)
            {
                PutCode(clear, width);
                table.clear();
                width = 9;
                last = end;
            }
            current = symbol;
        }
        PutCode(current, width);
        PutCode(end, width);
        if (m_bitCount > 0)
            m_data.push_back(static_cast<unsigned char>(m_bits & 0xFF));

        m_out.push_back(8);
        for (size_t i = 0; i < m_data.size(); i += 255)
        {
            const size_t count = std::min<size_t>(255, m_data.size() - i);
            m_out.push_back(static_cast<unsigned char>(count));
            m_out.insert(m_out.end(), m_data.begin() + long(i), m_data.begin() + long(i + count));
        }
        m_out.push_back(0);
    }

    const std::vector<wxImage>& m_frames;
    const int m_size; // frames are square
    std::vector<wxColour> m_palette;
    std::map<wxUint32, int> m_reduced;
    std::vector<unsigned char> m_out, m_data;
    wxUint32 m_bits = 0;
    int m_bitCount = 0;
};

bool WriteFace(const Face& face, const wxString& folder, int scale)
{
    std::vector<wxImage> frames;
    for (int i = 0; i < Frames; ++i)
        frames.push_back(RenderFrame(face.paint, i, FaceSize * scale));
    const std::vector<unsigned char> gif = GifWriter(frames).Encode(FrameDelay);

    const wxString suffix = scale == 1 ? wxString() : wxString::Format("@%dx", scale);
    const wxString path = folder + wxFILE_SEP_PATH + face.name + suffix + ".gif";
    wxFileOutputStream out(path);
    if (!out.IsOk() || !out.WriteAll(gif.data(), gif.size()))
    {
        std::fprintf(stderr, "cannot write %s\n", (const char*)path.utf8_str());
        return false;
    }
    std::printf("%s\n", (const char*)path.utf8_str());
    return true;
}

} // namespace

class FaceGenApp : public wxApp
{
public:
    bool OnInit() override
    {
        if (argc != 2)
        {
            std::fprintf(stderr, "usage: kelctrls-facegen OUTPUT_FOLDER\n");
            m_result = 2;
            return true;
        }
        wxInitAllImageHandlers();
        const wxString folder = argv[1];
        if (!wxDir::Exists(folder))
            wxFileName::Mkdir(folder, 0777, wxPATH_MKDIR_FULL);
        for (const Face& face : Faces())
        {
            for (int scale : {1, 2})
            {
                if (!WriteFace(face, folder, scale))
                    m_result = 1;
            }
        }
        return true;
    }
    // Everything happens in OnInit; there is no main loop to run.
    int OnRun() override { return m_result; }

private:
    int m_result = 0;
};

wxIMPLEMENT_APP(FaceGenApp);
