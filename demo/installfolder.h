// Where the demo client keeps its installation folder.
#ifndef KELCTRLS_DEMO_INSTALLFOLDER_H
#define KELCTRLS_DEMO_INSTALLFOLDER_H

#include <wx/string.h>

// The installation folder of the demo. Run from the build tree it is the
// source tree's data folder. Installed, the library and the demo write below
// their installation folder, which the system's shared data is not: each
// user then gets a folder of their own, into which every start copies the
// installed files it does not have yet (what the user changed stays).
// Returns an empty string when that folder cannot be made.
wxString DemoInstallFolder();

#endif
