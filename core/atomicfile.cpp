#include <kelctrls/core/atomicfile.h>

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

mode_t DefaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the content of a file durable before it is renamed over another one:
// otherwise a crash soon after the rename may leave an empty file in place of
// the old one.
bool SyncToDisk(const wxString& path)
{
    const int fd = ::open(path.fn_str(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

// Writes the bytes to `path` and closes it, reporting whether every byte
// reached the file. (Not through wxFFile: when closing fails, as it does when
// the last buffered bytes find the disk full, it closes the stream again from
// its destructor.)
bool WriteWholeFile(const wxString& path, const void* data, size_t size)
{
    const int fd = ::open(path.fn_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const char* next = static_cast<const char*>(data);
    size_t left = size;
    while (left > 0)
    {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        next += written;
        left -= size_t(written);
    }
    return ::close(fd) == 0 && left == 0;
}

bool WriteBytesAtomically(const wxString& path, const void* data, size_t size)
{
    return KelSaveAtomically(path, [&](const wxString& temp) { return WriteWholeFile(temp, data, size); });
}

} // anonymous namespace

bool KelSaveAtomically(const wxString& path, const std::function<bool(const wxString& tempPath)>& writer)
{
    wxLogNull noLog;
    const wxFileName target(path);
    if (!target.DirExists() && !wxFileName::Mkdir(target.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL))
        return false;

    const wxString temp =
        wxFileName::CreateTempFileName(target.GetPath() + wxFILE_SEP_PATH + "." + target.GetFullName());
    if (temp.empty())
        return false;

    // The temporary file is private; the saved file keeps the mode of the
    // file it replaces, or gets the usual one of a new file.
    struct stat old;
    const mode_t mode = ::stat(path.fn_str(), &old) == 0 ? (old.st_mode & 07777) : DefaultFileMode();
    if (!writer(temp) || !SyncToDisk(temp) || ::chmod(temp.fn_str(), mode) != 0 ||
        !wxRenameFile(temp, path, true))
    {
        wxRemoveFile(temp);
        return false;
    }
    return true;
}

bool KelWriteTextAtomically(const wxString& path, const wxString& text)
{
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return WriteBytesAtomically(path, utf8.data(), utf8.length());
}

bool KelWriteStreamAtomically(const wxString& path, const wxMemoryOutputStream& stream)
{
    const wxStreamBuffer* buffer = stream.GetOutputStreamBuffer();
    return WriteBytesAtomically(path, buffer->GetBufferStart(), buffer->GetIntPosition());
}

bool KelSaveXmlAtomically(const wxXmlDocument& doc, const wxString& path, int indent)
{
    wxMemoryOutputStream encoded;
    return doc.Save(encoded, indent) && KelWriteStreamAtomically(path, encoded);
}

bool KelSaveImageAtomically(const wxImage& image, const wxString& path, wxBitmapType type)
{
    wxLogNull noLog;
    wxMemoryOutputStream encoded;
    return image.IsOk() && image.SaveFile(encoded, type) && KelWriteStreamAtomically(path, encoded);
}

void KelReportFailedSave(const wxString& path)
{
    wxLogError(_("Could not save \"%s\"; the file keeps its previous content."), path);
}
