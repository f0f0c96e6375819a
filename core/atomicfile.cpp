#include <kelctrls/core/atomicfile.h>

#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <sys/stat.h>

namespace
{

mode_t DefaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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
    if (!writer(temp) || ::chmod(temp.fn_str(), mode) != 0 || !wxRenameFile(temp, path, true))
    {
        wxRemoveFile(temp);
        return false;
    }
    return true;
}

bool KelSaveXmlAtomically(const wxXmlDocument& doc, const wxString& path, int indent)
{
    return KelSaveAtomically(path, [&](const wxString& temp) { return doc.Save(temp, indent); });
}

bool KelWriteTextAtomically(const wxString& path, const wxString& text)
{
    return KelSaveAtomically(path,
                             [&](const wxString& temp)
                             {
                                 wxFFile file(temp, "wb");
                                 return file.IsOpened() && file.Write(text, wxConvUTF8) && file.Close();
                             });
}
