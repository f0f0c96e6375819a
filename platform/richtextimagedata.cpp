#include "platform/richtextimagedata.h"

#include <cstring>

namespace
{

// A face is small; a picture may be a screenshot of a large display.
constexpr unsigned MaxGifScreenSide = 4096;
constexpr wxUint64 MaxGifTotalPixels = 64u * 1024 * 1024;
constexpr unsigned MaxPictureSide = 8192;
constexpr wxUint64 MaxPicturePixels = 32u * 1024 * 1024;

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

bool IsPictureSize(wxUint64 width, wxUint64 height)
{
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide
           && width * height <= MaxPicturePixels;
}

bool IsReadablePng(const unsigned char* d, size_t n)
{
    static const unsigned char signature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    // The header chunk comes first: length, "IHDR", width, height.
    return n >= 24 && std::memcmp(d, signature, sizeof(signature)) == 0
           && std::memcmp(d + 12, "IHDR", 4) == 0
           && IsPictureSize(BigEndian32(d + 16), BigEndian32(d + 20));
}

bool IsStartOfFrame(unsigned char marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments up to the first frame header, which gives the
// image size.
bool IsReadableJpeg(const unsigned char* d, size_t n)
{
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8)
        return false;
    size_t pos = 2;
    while (pos + 4 <= n)
    {
        if (d[pos] != 0xFF)
            return false;
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
            return false;
        if (IsStartOfFrame(marker))
            return pos + 9 <= n && IsPictureSize(BigEndian16(d + pos + 7), BigEndian16(d + pos + 5));
        pos += 2 + length;
    }
    return false;
}

} // namespace

bool IsWellFormedGif(const wxMemoryBuffer& bytes)
{
    const unsigned char* d = static_cast<const unsigned char*>(bytes.GetData());
    const size_t n = bytes.GetDataLen();
    if (n < 13 || (std::memcmp(d, "GIF87a", 6) != 0 && std::memcmp(d, "GIF89a", 6) != 0))
        return false;
    const unsigned width = d[6] | (d[7] << 8), height = d[8] | (d[9] << 8);
    if (width == 0 || height == 0 || width > MaxGifScreenSide || height > MaxGifScreenSide)
        return false;

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
                return false;
            const unsigned x = d[pos] | (d[pos + 1] << 8), y = d[pos + 2] | (d[pos + 3] << 8),
                           w = d[pos + 4] | (d[pos + 5] << 8), h = d[pos + 6] | (d[pos + 7] << 8);
            const unsigned char flags = d[pos + 8];
            pos += 9;
            if (w == 0 || h == 0 || x + w > width || y + h > height)
                return false;
            if (flags & 0x80)
                pos += 3 * (size_t(2) << (flags & 7));
            if (pos >= n || d[pos] < 2 || d[pos] > 8)
                return false;
            pos = SkipSubBlocks(d, n, pos + 1);
            if (++frames * width * height > MaxGifTotalPixels)
                return false;
        }
        else
        {
            return false;
        }
        if (pos > n)
            return false;
    }
    return frames > 0;
}

bool IsReadablePicture(const wxMemoryBuffer& bytes, wxBitmapType type)
{
    const unsigned char* d = static_cast<const unsigned char*>(bytes.GetData());
    const size_t n = bytes.GetDataLen();
    switch (type)
    {
        case wxBITMAP_TYPE_PNG:
            return IsReadablePng(d, n);
        case wxBITMAP_TYPE_JPEG:
            return IsReadableJpeg(d, n);
        case wxBITMAP_TYPE_GIF:
            return IsWellFormedGif(bytes);
        default:
            return false;
    }
}
