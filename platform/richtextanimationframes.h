// Decoded frames of one animation, composed to full size and shared by all
// faces showing the same animation.
#ifndef KELCTRLS_PLATFORM_RICHTEXTANIMATIONFRAMES_H
#define KELCTRLS_PLATFORM_RICHTEXTANIMATIONFRAMES_H

#include <wx/animdecod.h>
#include <wx/bitmap.h>
#include <wx/buffer.h>
#include <wx/longlong.h>

#include <memory>
#include <utility>
#include <vector>

class wxFlagAnimationFrames
{
public:
    // Animation files above this size are not read.
    static constexpr long MaxFileSize = 8 * 1024 * 1024;

    // The frames of a file, decoded once: every face of the same file and
    // type shares them, for as long as the process runs (the cache forgets
    // files no face uses once it holds more than MaxCachedFiles). A file
    // "name@2x.ext" beside "name.ext" gives the frames for a display scale of
    // 2 when it is the same animation at twice the size.
    static std::shared_ptr<wxFlagAnimationFrames> FromFile(const wxString& file, int type);
    // The frames of animation data, shared with every face that shows the
    // same bytes while any of them is alive; null when they do not decode.
    static std::shared_ptr<wxFlagAnimationFrames> FromBytes(const wxMemoryBuffer& bytes, int type);
    static constexpr size_t MaxCachedFiles = 256;

    // Keeps `bytes` and decodes them; false when they are no GIF animation
    // (`type` wxANIMATION_TYPE_GIF, or ANY or INVALID for "unspecified").
    bool Decode(const wxMemoryBuffer& bytes, int type);

    bool IsOk() const { return !m_bitmaps.empty(); }
    int GetType() const { return m_type; }
    wxSize GetSize() const { return m_size; }
    unsigned GetCount() const { return unsigned(m_bitmaps.size()); }
    const wxMemoryBuffer& GetBytes() const { return m_bytes; }
    wxBitmap GetBitmap(unsigned frame) const
    {
        return frame < m_bitmaps.size() ? m_bitmaps[frame] : wxBitmap();
    }
    // The frame drawn for a display scale: at a scale of 2 or more twice as
    // many pixels in the same space, from the frames for that scale when the
    // animation has them, otherwise the frame enlarged pixel for pixel (made
    // on first use and kept).
    wxBitmap GetBitmap(unsigned frame, double scale) const;
    // Takes the frames of `bytes` as those for a display scale of 2; false,
    // keeping none, unless they are this animation at twice the size with
    // the same frames and delays.
    bool DecodeDoubleScale(const wxMemoryBuffer& bytes);
    unsigned FrameAt(wxLongLong millis) const;
    // The first moment after `millis` at which FrameAt gives another frame;
    // -1 for an animation that never changes.
    wxLongLong NextChangeAfter(wxLongLong millis) const;

private:
    // Where `millis` falls in the loop: the frame and the milliseconds
    // already spent in it.
    std::pair<unsigned, long> Locate(wxLongLong millis) const;

    wxMemoryBuffer m_bytes;
    int m_type = wxANIMATION_TYPE_INVALID;
    wxSize m_size;
    std::vector<wxBitmap> m_bitmaps;
    std::vector<wxBitmap> m_doubled;
    mutable std::vector<wxBitmap> m_enlarged;
    std::vector<long> m_delays;
    long m_total = 0;
};

#endif // KELCTRLS_PLATFORM_RICHTEXTANIMATIONFRAMES_H
