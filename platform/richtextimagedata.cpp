#include "platform/richtextimagedata.h"

#include <cstring>
#include <vector>

namespace
{

// Faces are small animations: a few hundred pixels a side, tens of frames.
constexpr unsigned MaxFaceSide = 512;
constexpr wxUint64 MaxFacePixels = 1024 * 1024;

unsigned BigEndian16(const unsigned char* p)
{
    return unsigned(p[0]) << 8 | p[1];
}

wxUint32 BigEndian32(const unsigned char* p)
{
    return wxUint32(p[0]) << 24 | wxUint32(p[1]) << 16 | wxUint32(p[2]) << 8 | p[3];
}

size_t SkipSubBlocks(const unsigned char* data, size_t size, size_t pos)
{
    while (pos < size)
    {
        const size_t length = data[pos++];
        if (length == 0)
            return pos;
        pos += length;
    }
    return size + 1;
}

wxUint64 PictureSize(wxUint64 width, wxUint64 height)
{
    return width <= MaxPictureSide && height <= MaxPictureSide ? width * height : 0;
}

wxUint64 PngPixels(const unsigned char* d, size_t n)
{
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    // The header chunk comes first: length, "IHDR", width, height.
    if (n < 24 || std::memcmp(d, signature, sizeof(signature)) != 0 || std::memcmp(d + 12, "IHDR", 4) != 0)
        return 0;
    return PictureSize(BigEndian32(d + 16), BigEndian32(d + 20));
}

bool IsStartOfFrame(unsigned char marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments up to the first frame header, which gives the
// image size.
wxUint64 JpegPixels(const unsigned char* d, size_t n)
{
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8)
        return 0;
    size_t pos = 2;
    while (pos + 4 <= n)
    {
        if (d[pos] != 0xFF)
            return 0;
        const unsigned char marker = d[pos + 1];
        if (marker == 0xFF)
        {
            ++pos; // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
        {
            pos += 2; // no segment follows these markers
            continue;
        }
        const size_t length = BigEndian16(d + pos + 2);
        if (length < 2)
            return 0;
        if (IsStartOfFrame(marker))
            return pos + 9 <= n ? PictureSize(BigEndian16(d + pos + 7), BigEndian16(d + pos + 5)) : 0;
        pos += 2 + length;
    }
    return 0;
}

// Reads the codes of a frame's image data, LSB first, from its sub-blocks.
class CodeReader
{
public:
    CodeReader(const unsigned char* data, size_t size, size_t pos) : m_data(data), m_size(size), m_pos(pos) {}

    // False when the sub-blocks end before `bits` more bits.
    bool Read(int bits, unsigned& code)
    {
        while (m_count < bits)
        {
            if (m_left == 0)
            {
                if (m_pos >= m_size || m_data[m_pos] == 0)
                    return false;
                m_left = m_data[m_pos++];
            }
            if (m_pos >= m_size)
                return false;
            m_bits |= wxUint32(m_data[m_pos++]) << m_count;
            m_count += 8;
            --m_left;
        }
        code = m_bits & ((1u << bits) - 1);
        m_bits >>= bits;
        m_count -= bits;
        return true;
    }

private:
    const unsigned char* m_data;
    size_t m_size;
    size_t m_pos;
    size_t m_left = 0;
    wxUint32 m_bits = 0;
    int m_count = 0;
};

// Follows the code table a decoder would build: every code must name an
// entry that exists, and the frame must not decode to more pixels than it
// has. The toolkit's decoder does not check either and runs off its tables.
bool HasSoundCodes(const unsigned char* d, size_t n, size_t pos, int minimumBits, wxUint64 framePixels)
{
    const unsigned clear = 1u << minimumBits, end = clear + 1;
    std::vector<wxUint32> length(4096, 1);
    CodeReader reader(d, n, pos);
    int bits = minimumBits + 1;
    unsigned next = clear + 2;
    bool first = true;
    unsigned previous = 0;
    wxUint64 pixels = 0;
    unsigned code;
    while (reader.Read(bits, code))
    {
        if (code == clear)
        {
            bits = minimumBits + 1;
            next = clear + 2;
            first = true;
            continue;
        }
        if (code == end)
            return true;
        if (first)
        {
            if (code > clear)
                return false;
            first = false;
            previous = code;
            pixels += 1;
        }
        else
        {
            if (code > next || (code == next && next >= 4096))
                return false;
            const wxUint32 added = length[previous] + 1;
            pixels += code == next ? added : length[code];
            if (next < 4096)
            {
                length[next++] = added;
                if (next == (1u << bits) && bits < 12)
                    ++bits;
            }
            previous = code;
        }
        if (pixels > framePixels)
            return false;
    }
    return true;
}

// The pixels a GIF decodes to, one logical screen a frame; 0 unless its
// block structure is whole and its frames lie within its screen.
wxUint64 GifPixels(const unsigned char* d, size_t n, unsigned maxSide)
{
    if (n < 13 || (std::memcmp(d, "GIF87a", 6) != 0 && std::memcmp(d, "GIF89a", 6) != 0))
        return 0;
    const unsigned width = d[6] | (d[7] << 8), height = d[8] | (d[9] << 8);
    if (width == 0 || height == 0 || width > maxSide || height > maxSide)
        return 0;

    size_t pos = 13;
    if (d[10] & 0x80)
        pos += 3 * (size_t(2) << (d[10] & 7));
    wxUint64 frames = 0;
    while (pos < n)
    {
        const unsigned char block = d[pos++];
        if (block == 0x3B)
            break;
        if (block == 0x21)
        {
            pos = SkipSubBlocks(d, n, pos + 1);
        }
        else if (block == 0x2C)
        {
            if (pos + 9 > n)
                return 0;
            const unsigned x = d[pos] | (d[pos + 1] << 8), y = d[pos + 2] | (d[pos + 3] << 8),
                           w = d[pos + 4] | (d[pos + 5] << 8), h = d[pos + 6] | (d[pos + 7] << 8);
            const unsigned char flags = d[pos + 8];
            pos += 9;
            if (w == 0 || h == 0 || x + w > width || y + h > height)
                return 0;
            if (flags & 0x80)
                pos += 3 * (size_t(2) << (flags & 7));
            if (pos >= n || d[pos] < 2 || d[pos] > 8 ||
                !HasSoundCodes(d, n, pos + 1, d[pos], wxUint64(w) * h))
                return 0;
            pos = SkipSubBlocks(d, n, pos + 1);
            ++frames;
        }
        else
        {
            return 0;
        }
        if (pos > n)
            return 0;
    }
    return frames * width * height;
}

} // namespace

bool IsReadableFace(const wxMemoryBuffer& bytes)
{
    const wxUint64 pixels =
        GifPixels(static_cast<const unsigned char*>(bytes.GetData()), bytes.GetDataLen(), MaxFaceSide);
    return pixels > 0 && pixels <= MaxFacePixels;
}

wxUint64 PicturePixels(const wxMemoryBuffer& bytes, wxBitmapType type)
{
    const unsigned char* d = static_cast<const unsigned char*>(bytes.GetData());
    const size_t n = bytes.GetDataLen();
    switch (type)
    {
    case wxBITMAP_TYPE_PNG:
        return PngPixels(d, n);
    case wxBITMAP_TYPE_JPEG:
        return JpegPixels(d, n);
    case wxBITMAP_TYPE_GIF:
        return GifPixels(d, n, MaxPictureSide);
    default:
        return 0;
    }
}
