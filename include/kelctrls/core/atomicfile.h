/// \file
/// Atomic file writing: a reader of the file sees either the old content or
/// the new one, never a part, and a failed write leaves the old file as it was.
#ifndef KELCTRLS_CORE_ATOMICFILE_H
#define KELCTRLS_CORE_ATOMICFILE_H

#include <kelctrls/core/export.h>

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <functional>

class wxImage;
class wxMemoryOutputStream;
class wxXmlDocument;

/// Writes a file atomically: `writer` fills a temporary file beside `path`
/// (whose name it receives), which then replaces `path` in one rename. When
/// the writer fails, the temporary file is removed and `path` is untouched.
/// Missing parent folders are created. Returns whether `path` was replaced.
KELCTRLS_API bool KelSaveAtomically(const wxString& path,
                                    const std::function<bool(const wxString& tempPath)>& writer);

/// The writers below encode the whole content in memory and check that every
/// byte of it reached the temporary file before the rename: the toolkit's own
/// file writers do not all report a failed write (some flush their buffers
/// when the stream is destroyed), which would let a truncated file replace a
/// good one.

/// Writes `text` as UTF-8 atomically; false when it cannot be written.
KELCTRLS_API bool KelWriteTextAtomically(const wxString& path, const wxString& text);

/// Writes what `stream` holds atomically.
KELCTRLS_API bool KelWriteStreamAtomically(const wxString& path, const wxMemoryOutputStream& stream);

/// Saves an XML document atomically (UTF-8, indented by `indent` spaces).
KELCTRLS_API bool KelSaveXmlAtomically(const wxXmlDocument& doc, const wxString& path, int indent = 2);

/// Saves an image atomically in the format `type`. A format that cannot hold
/// the image, or an image that is not valid, fails with `path` untouched.
KELCTRLS_API bool KelSaveImageAtomically(const wxImage& image, const wxString& path, wxBitmapType type);

/// Tells the user through the log (wxLogError) that `path` could not be saved
/// and keeps its previous content. For writers that have no result to return.
KELCTRLS_API void KelReportFailedSave(const wxString& path);

#endif
