// Atomic file writing: a reader of the file sees either the old content or
// the new one, never a part, and a failed write leaves the old file as it was.
#ifndef KELCTRLS_CORE_ATOMICFILE_H
#define KELCTRLS_CORE_ATOMICFILE_H

#include <kelctrls/core/export.h>

#include <wx/string.h>

#include <functional>

class wxXmlDocument;

// Writes a file atomically: `writer` fills a temporary file beside `path`
// (whose name it receives), which then replaces `path` in one rename. When
// the writer fails, the temporary file is removed and `path` is untouched.
// Missing parent folders are created.
KELCTRLS_API bool KelSaveAtomically(const wxString& path,
                                    const std::function<bool(const wxString& tempPath)>& writer);

// Saves an XML document atomically (UTF-8, indented by `indent` spaces).
KELCTRLS_API bool KelSaveXmlAtomically(const wxXmlDocument& doc, const wxString& path, int indent = 2);

// Writes `text` as UTF-8 atomically.
KELCTRLS_API bool KelWriteTextAtomically(const wxString& path, const wxString& text);

#endif
