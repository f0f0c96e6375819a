// Shared by the fuzz targets.
#ifndef KELCTRLS_FUZZ_FUZZSUPPORT_H
#define KELCTRLS_FUZZ_FUZZSUPPORT_H

#include <wx/string.h>

#include <cstddef>
#include <cstdint>

// Starts the toolkit with its GUI (needs a display) once; log output and
// assertion failures go to stderr, an assertion aborts so that the fuzzer
// reports it.
void KelFuzzInitGui();

// Writes the input to a file of its own in a private temporary folder and
// returns its path (the same path on every call of one process).
wxString KelFuzzWriteInput(const uint8_t* data, size_t size, const wxString& name = "input");

// A private temporary folder, made once per process; fuzz targets that read
// installation files make it their working directory.
wxString KelFuzzTempDir();

#endif
