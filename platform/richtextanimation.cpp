// Animated faces of the rich text family: decoding, frame timing, drawing
// and the family's own XML form.
#include <kelctrls/platform/richtextbase.h>

#include "platform/richtextanimationclock.h"
#include "platform/richtextanimationframes.h"
#include "platform/richtextimagedata.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/gifdecod.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/settings.h>
#include <wx/xml/xml.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>

wxIMPLEMENT_DYNAMIC_CLASS(wxFlagRichTextAnimation, wxRichTextObject);

namespace
{

// Browsers show frames with no or a tiny delay at this pace; so do we.
constexpr long DefaultFrameDelay = 100;
constexpr long MinimumFrameDelay = 20;

int HexDigitValue(wxUniChar c)
{
    const wxUint32 v = c.GetValue();
    if (v >= '0' && v <= '9')
        return int(v - '0');
    if (v >= 'A' && v <= 'F')
        return int(v - 'A' + 10);
    if (v >= 'a' && v <= 'f')
        return int(v - 'a' + 10);
    return -1;
}

// Draws `frame` over `canvas` at `pos`: opaque pixels replace, transparent
// ones (mask colour or alpha) leave the canvas as it was.
void BlendFrame(wxImage& canvas, const wxImage& frame, const wxPoint& pos)
{
    const bool hasMask = frame.HasMask();
    const unsigned char mr = frame.GetMaskRed(), mg = frame.GetMaskGreen(), mb = frame.GetMaskBlue();
    const unsigned char* src = frame.GetData();
    const unsigned char* srcAlpha = frame.HasAlpha() ? frame.GetAlpha() : nullptr;
    unsigned char* dst = canvas.GetData();
    unsigned char* dstAlpha = canvas.GetAlpha();
    const int cw = canvas.GetWidth(), ch = canvas.GetHeight();
    for (int y = 0; y < frame.GetHeight(); ++y)
    {
        const int cy = pos.y + y;
        if (cy < 0 || cy >= ch)
            continue;
        for (int x = 0; x < frame.GetWidth(); ++x)
        {
            const int cx = pos.x + x;
            if (cx < 0 || cx >= cw)
                continue;
            const int si = y * frame.GetWidth() + x;
            const unsigned char* p = src + si * 3;
            if (hasMask && p[0] == mr && p[1] == mg && p[2] == mb)
                continue;
            const unsigned char alpha = srcAlpha ? srcAlpha[si] : 255;
            if (alpha == 0)
                continue;
            const int di = cy * cw + cx;
            dst[di * 3] = p[0];
            dst[di * 3 + 1] = p[1];
            dst[di * 3 + 2] = p[2];
            dstAlpha[di] = alpha;
        }
    }
}

void ClearRect(wxImage& canvas, const wxRect& rect)
{
    const wxRect area = rect.Intersect(wxRect(canvas.GetSize()));
    unsigned char* alpha = canvas.GetAlpha();
    for (int y = area.y; y < area.GetBottom() + 1; ++y)
        for (int x = area.x; x < area.GetRight() + 1; ++x)
            alpha[y * canvas.GetWidth() + x] = 0;
}

// Decoded frames by type and file, kept for the process: a chat shows the
// same few dozen faces all day.
using FileCache = std::map<std::pair<int, wxString>, std::shared_ptr<wxFlagAnimationFrames>>;
// Decoded frames by type and data, for faces that arrived with their data;
// released with the last face that shows them.
using DataCache = std::map<std::pair<int, std::string>, std::weak_ptr<wxFlagAnimationFrames>>;

wxMemoryBuffer ReadFaceFile(const wxString& file)
{
    wxMemoryBuffer bytes;
    wxLogNull noLog;
    wxFFile f;
    if (!file.empty() && f.Open(file, "rb"))
    {
        const wxFileOffset length = f.Length();
        if (length > 0 && length < wxFlagAnimationFrames::MaxFileSize)
        {
            const size_t read = f.Read(bytes.GetWriteBuf(size_t(length)), size_t(length));
            bytes.UngetWriteBuf(read);
        }
    }
    return bytes;
}

// "dir/name@2x.gif" for "dir/name.gif".
wxString DoubleScalePath(const wxString& file)
{
    wxFileName name(file);
    name.SetName(name.GetName() + "@2x");
    return name.GetFullPath();
}

FileCache& Files()
{
    static FileCache cache;
    return cache;
}

DataCache& Data()
{
    static DataCache cache;
    return cache;
}

bool IsUnused(const std::shared_ptr<wxFlagAnimationFrames>& frames)
{
    return frames.use_count() == 1;
}

bool IsUnused(const std::weak_ptr<wxFlagAnimationFrames>& frames)
{
    return frames.expired();
}

template <typename Cache>
void ForgetUnused(Cache& cache)
{
    for (auto entry = cache.begin(); entry != cache.end();)
        entry = IsUnused(entry->second) ? cache.erase(entry) : std::next(entry);
}

} // namespace

// ----------------------------------------------------------------------------
// wxFlagAnimationFrames
// ----------------------------------------------------------------------------

bool wxFlagAnimationFrames::Decode(const wxMemoryBuffer& bytes, int type)
{
    m_bitmaps.clear();
    m_doubled.clear();
    m_enlarged.clear();
    m_delays.clear();
    m_total = 0;
    m_bytes = bytes;
    if (bytes.GetDataLen() == 0)
        return false;

    // Faces are GIF animations; any other type asked for finds none.
    if (type != wxANIMATION_TYPE_GIF && type != wxANIMATION_TYPE_ANY && type != wxANIMATION_TYPE_INVALID)
        return false;
    if (!IsReadableFace(bytes))
        return false;

    wxLogNull noLog;
    wxGIFDecoder decoder;
    wxMemoryInputStream in(bytes.GetData(), bytes.GetDataLen());
    if (decoder.LoadGIF(in) != wxGIF_OK || decoder.GetFrameCount() == 0)
        return false;

    m_type = wxANIMATION_TYPE_GIF;
    m_size = decoder.GetAnimationSize();
    if (m_size.x <= 0 || m_size.y <= 0)
        return false;

    wxImage canvas(m_size, true);
    canvas.InitAlpha();
    ClearRect(canvas, wxRect(m_size));
    for (unsigned i = 0; i < decoder.GetFrameCount(); ++i)
    {
        wxImage frame;
        if (!decoder.ConvertToImage(i, &frame) || !frame.IsOk())
            return false;
        const wxAnimationDisposal disposal = decoder.GetDisposalMethod(i);
        const wxImage previous = disposal == wxANIM_TOPREVIOUS ? canvas.Copy() : wxImage();
        const wxPoint pos = decoder.GetFramePosition(i);

        BlendFrame(canvas, frame, pos);
        m_bitmaps.push_back(wxBitmap(canvas));
        long delay = decoder.GetDelay(i);
        if (delay < MinimumFrameDelay)
            delay = DefaultFrameDelay;
        m_delays.push_back(delay);
        m_total += delay;

        if (disposal == wxANIM_TOBACKGROUND)
            ClearRect(canvas, wxRect(pos, frame.GetSize()));
        else if (disposal == wxANIM_TOPREVIOUS)
            canvas = previous;
    }
    return true;
}

wxBitmap wxFlagAnimationFrames::GetBitmap(unsigned frame, double scale) const
{
    if (scale < 2 || frame >= m_bitmaps.size())
        return GetBitmap(frame);
    if (!m_doubled.empty())
        return m_doubled[frame];
    if (m_enlarged.empty())
        m_enlarged.resize(m_bitmaps.size());
    wxBitmap& enlarged = m_enlarged[frame];
    if (!enlarged.IsOk())
    {
        enlarged = wxBitmap(
            m_bitmaps[frame].ConvertToImage().Scale(m_size.x * 2, m_size.y * 2, wxIMAGE_QUALITY_NEAREST));
        enlarged.SetScaleFactor(2);
    }
    return enlarged;
}

bool wxFlagAnimationFrames::DecodeDoubleScale(const wxMemoryBuffer& bytes)
{
    m_doubled.clear();
    wxFlagAnimationFrames doubled;
    if (!IsOk() || !doubled.Decode(bytes, m_type) || doubled.m_size != m_size * 2 ||
        doubled.m_delays != m_delays)
        return false;
    for (wxBitmap& bitmap : doubled.m_bitmaps)
        bitmap.SetScaleFactor(2);
    m_doubled = std::move(doubled.m_bitmaps);
    return true;
}

std::pair<unsigned, long> wxFlagAnimationFrames::Locate(wxLongLong millis) const
{
    long t = long((millis % m_total).GetValue());
    if (t < 0)
        t += m_total;
    unsigned frame = 0;
    while (frame + 1 < m_delays.size() && t >= m_delays[frame])
        t -= m_delays[frame++];
    return {frame, t};
}

unsigned wxFlagAnimationFrames::FrameAt(wxLongLong millis) const
{
    if (m_bitmaps.size() < 2 || m_total <= 0)
        return 0;
    return Locate(millis).first;
}

wxLongLong wxFlagAnimationFrames::NextChangeAfter(wxLongLong millis) const
{
    if (m_bitmaps.size() < 2 || m_total <= 0)
        return -1;
    const std::pair<unsigned, long> at = Locate(millis);
    return millis + (m_delays[at.first] - at.second);
}

std::shared_ptr<wxFlagAnimationFrames> wxFlagAnimationFrames::FromFile(const wxString& file, int type)
{
    const FileCache::key_type key(type, file);
    auto& cache = Files();
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;

    auto frames = std::make_shared<wxFlagAnimationFrames>();
    if (frames->Decode(ReadFaceFile(file), type))
    {
        const wxString doubled = DoubleScalePath(file);
        if (wxFileName::FileExists(doubled))
            frames->DecodeDoubleScale(ReadFaceFile(doubled));
    }
    if (cache.size() >= MaxCachedFiles)
        ForgetUnused(cache);
    cache.emplace(key, frames);
    return frames;
}

std::shared_ptr<wxFlagAnimationFrames> wxFlagAnimationFrames::FromBytes(const wxMemoryBuffer& bytes, int type)
{
    const DataCache::key_type key(type,
                                  std::string(static_cast<const char*>(bytes.GetData()), bytes.GetDataLen()));
    auto& cache = Data();
    auto found = cache.find(key);
    if (found != cache.end())
    {
        if (std::shared_ptr<wxFlagAnimationFrames> frames = found->second.lock())
            return frames;
    }

    auto frames = std::make_shared<wxFlagAnimationFrames>();
    if (!frames->Decode(bytes, type))
        return nullptr;
    if (cache.size() >= MaxCachedFiles)
        ForgetUnused(cache);
    cache[key] = frames;
    return frames;
}

// ----------------------------------------------------------------------------
// wxFlagRichTextAnimation
// ----------------------------------------------------------------------------

wxFlagRichTextAnimation::wxFlagRichTextAnimation(wxRichTextObject* parent) : wxRichTextObject(parent)
{
    Init();
}

wxFlagRichTextAnimation::wxFlagRichTextAnimation(const wxString& file, int type, wxRichTextObject* parent)
    : wxRichTextObject(parent)
{
    Init();
    SetAnimationFile(file, type);
}

wxFlagRichTextAnimation::wxFlagRichTextAnimation(const wxFlagRichTextAnimation& obj) : wxRichTextObject(obj)
{
    Init();
    Copy(obj);
}

void wxFlagRichTextAnimation::Init()
{
    m_type = wxANIMATION_TYPE_ANY;
    m_drawnFrame = -1;
}

void wxFlagRichTextAnimation::Copy(const wxFlagRichTextAnimation& obj)
{
    wxRichTextObject::Copy(obj);
    m_file = obj.m_file;
    m_type = obj.m_type;
    m_frames = obj.m_frames;
}

void wxFlagRichTextAnimation::SetAnimationFile(const wxString& file, int type)
{
    m_file = file;
    m_type = type;
    m_frames.reset();
    m_drawnFrame = -1;
}

bool wxFlagRichTextAnimation::ReadHex(const wxString& hex, int length, int type)
{
    if (length < 0 || size_t(length) > hex.length() || length % 2 != 0 || length == 0)
        return false;

    wxMemoryBuffer bytes;
    unsigned char* out = static_cast<unsigned char*>(bytes.GetWriteBuf(size_t(length / 2)));
    wxString::const_iterator it = hex.begin();
    for (int i = 0; i < length / 2; ++i)
    {
        const int high = HexDigitValue(*it++);
        const int low = HexDigitValue(*it++);
        if (high < 0 || low < 0)
            return false;
        out[i] = static_cast<unsigned char>(high * 16 + low);
    }
    bytes.UngetWriteBuf(size_t(length / 2));

    std::shared_ptr<wxFlagAnimationFrames> frames = wxFlagAnimationFrames::FromBytes(bytes, type);
    if (!frames)
        return false;
    m_file.clear();
    m_type = frames->GetType();
    m_frames = frames;
    m_drawnFrame = -1;
    return true;
}

bool wxFlagRichTextAnimation::WriteHex(wxOutputStream& stream, int type) const
{
    const wxFlagAnimationFrames* frames = Frames();
    const wxMemoryBuffer& bytes = frames->GetBytes();
    if (bytes.GetDataLen() == 0)
        return false;
    if (type != wxANIMATION_TYPE_ANY && frames->IsOk() && type != frames->GetType())
        return false;

    static const char digits[] = "0123456789ABCDEF";
    const unsigned char* data = static_cast<const unsigned char*>(bytes.GetData());
    char chunk[1024];
    size_t used = 0;
    for (size_t i = 0; i < bytes.GetDataLen(); ++i)
    {
        chunk[used++] = digits[data[i] >> 4];
        chunk[used++] = digits[data[i] & 0x0F];
        if (used == sizeof(chunk))
        {
            stream.Write(chunk, used);
            used = 0;
        }
    }
    stream.Write(chunk, used);
    return stream.IsOk();
}

const wxFlagAnimationFrames* wxFlagRichTextAnimation::Frames() const
{
    if (!m_frames)
        m_frames = wxFlagAnimationFrames::FromFile(m_file, m_type);
    return m_frames.get();
}

bool wxFlagRichTextAnimation::IsOk() const
{
    return Frames()->IsOk();
}

wxSize wxFlagRichTextAnimation::GetAnimationSize() const
{
    return Frames()->GetSize();
}

unsigned wxFlagRichTextAnimation::GetFrameCount() const
{
    return Frames()->GetCount();
}

unsigned wxFlagRichTextAnimation::GetFrameAt(wxLongLong millis) const
{
    return Frames()->FrameAt(millis);
}

wxLongLong wxFlagRichTextAnimation::GetNextFrameChange(wxLongLong millis) const
{
    return Frames()->NextChangeAfter(millis);
}

wxBitmap wxFlagRichTextAnimation::GetFrameBitmap(unsigned frame) const
{
    return Frames()->GetBitmap(frame);
}

wxBitmapBundle wxFlagRichTextAnimation::GetFrameBundle(unsigned frame) const
{
    const wxFlagAnimationFrames* frames = Frames();
    const wxBitmap normal = frames->GetBitmap(frame);
    if (!normal.IsOk())
        return wxBitmapBundle();
    wxVector<wxBitmap> bitmaps;
    bitmaps.push_back(normal);
    bitmaps.push_back(frames->GetBitmap(frame, 2));
    return wxBitmapBundle::FromBitmaps(bitmaps);
}

wxSize wxFlagRichTextAnimation::DisplaySize() const
{
    return IsOk() ? GetAnimationSize() : GetPlaceholderSize();
}

bool wxFlagRichTextAnimation::Draw(wxDC& dc, wxRichTextDrawingContext& WXUNUSED(context),
                                   const wxRichTextRange& WXUNUSED(range),
                                   const wxRichTextSelection& selection, const wxRect& rect,
                                   int WXUNUSED(descent), int WXUNUSED(style))
{
    if (!IsShown())
        return true;

    const wxSize size = DisplaySize();
    const wxPoint pos(rect.x, rect.y + rect.height - size.y);
    if (selection.WithinSelection(GetRange().GetStart(), this))
    {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
        dc.DrawRectangle(wxRect(pos, size));
    }

    if (!IsOk())
    {
        dc.SetPen(wxPen(wxColour(0xB0, 0xB8, 0xC4)));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(wxRect(pos, size).Deflate(1));
        return true;
    }

    const wxFlagAnimationFrames* frames = Frames();
    const wxLongLong now = wxFlagAnimationClock::Now();
    const unsigned frame = frames->FrameAt(now);
    dc.DrawBitmap(frames->GetBitmap(frame, dc.GetContentScaleFactor()), pos, true);
    m_drawnFrame = int(frame);

    const wxLongLong next = frames->NextChangeAfter(now);
    if (next >= 0 && GetBuffer())
    {
        if (auto ctrl = dynamic_cast<wxFlagRichTextCtrl*>(GetBuffer()->GetRichTextCtrl()))
            ctrl->KeepAnimating(next);
    }
    return true;
}

bool wxFlagRichTextAnimation::Layout(wxDC& WXUNUSED(dc), wxRichTextDrawingContext& WXUNUSED(context),
                                     const wxRect& rect, const wxRect& WXUNUSED(parentRect),
                                     int WXUNUSED(style))
{
    const wxSize size = DisplaySize();
    SetPosition(rect.GetPosition());
    SetCachedSize(size);
    SetMinSize(size);
    SetMaxSize(size);
    return true;
}

bool wxFlagRichTextAnimation::GetRangeSize(const wxRichTextRange& range, wxSize& size, int& descent,
                                           wxDC& WXUNUSED(dc), wxRichTextDrawingContext& WXUNUSED(context),
                                           int WXUNUSED(flags), const wxPoint& WXUNUSED(position),
                                           const wxSize& WXUNUSED(parentSize),
                                           wxArrayInt* partialExtents) const
{
    if (!range.IsWithin(GetRange()))
        return false;

    size = DisplaySize();
    descent = 0;
    if (partialExtents)
    {
        const int last = partialExtents->IsEmpty() ? 0 : partialExtents->Last();
        partialExtents->Add(last + size.x);
    }
    return true;
}

wxTextAttrSize wxFlagRichTextAnimation::GetNaturalSize() const
{
    const wxSize size = DisplaySize();
    wxTextAttrSize natural;
    natural.GetWidth().SetValue(size.x, wxTEXT_ATTR_UNITS_PIXELS);
    natural.GetHeight().SetValue(size.y, wxTEXT_ATTR_UNITS_PIXELS);
    return natural;
}

bool wxFlagRichTextAnimation::ImportFromXML(wxRichTextBuffer* buffer, wxXmlNode* node,
                                            wxRichTextXMLHandler* handler, bool* recurse)
{
    wxRichTextObject::ImportFromXML(buffer, node, handler, recurse);
    *recurse = false;

    long type = wxANIMATION_TYPE_ANY;
    node->GetAttribute("type", wxString::Format("%d", int(wxANIMATION_TYPE_ANY))).ToLong(&type);
    SetAnimationFile(node->GetAttribute("file"), int(type));
    for (wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
    {
        if (child->GetType() == wxXML_ELEMENT_NODE && child->GetName() == "data")
        {
            const wxString hex = child->GetNodeContent();
            ReadHex(hex, int(hex.length()), int(type));
        }
    }
    return true;
}

bool wxFlagRichTextAnimation::WriteXML(wxOutputStream& stream, int indent) const
{
    wxFlagRichTextXMLHandler::OutputIndentation(stream, indent);
    wxFlagRichTextXMLHandler::OutputString(stream, "<animation file=\"");
    wxFlagRichTextXMLHandler::OutputStringEnt(stream, m_file);
    char type[32];
    std::snprintf(type, sizeof(type), "\" type=\"%d\">", m_type);
    wxFlagRichTextXMLHandler::OutputString(stream, type);
    if (m_file.empty())
    {
        wxFlagRichTextXMLHandler::OutputString(stream, "<data>");
        WriteHex(stream, m_type);
        wxFlagRichTextXMLHandler::OutputString(stream, "</data>");
    }
    wxFlagRichTextXMLHandler::OutputString(stream, "</animation>");
    return stream.IsOk();
}

bool wxFlagRichTextAnimation::ExportXML(wxOutputStream& stream, int indent, wxRichTextXMLHandler* handler)
{
    if (auto flagHandler = dynamic_cast<wxFlagRichTextXMLHandler*>(handler))
        return flagHandler->ExportXML(stream, *this, indent);
    return WriteXML(stream, indent);
}

bool wxFlagRichTextAnimation::ExportXML(wxXmlNode* parent, wxRichTextXMLHandler* WXUNUSED(handler))
{
    auto element = new wxXmlNode(parent, wxXML_ELEMENT_NODE, GetXMLNodeName());
    element->AddAttribute("file", m_file);
    element->AddAttribute("type", wxString::Format("%d", m_type));
    if (m_file.empty())
    {
        wxMemoryOutputStream hex;
        WriteHex(hex, m_type);
        const wxStreamBuffer* buffer = hex.GetOutputStreamBuffer();
        auto data = new wxXmlNode(element, wxXML_ELEMENT_NODE, "data");
        new wxXmlNode(
            data, wxXML_TEXT_NODE, wxString(),
            wxString::FromAscii(static_cast<const char*>(buffer->GetBufferStart()), hex.GetLength()));
    }
    return true;
}
