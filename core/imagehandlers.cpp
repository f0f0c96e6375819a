#include <kelctrls/core/imagehandlers.h>

#include <wx/image.h>
#include <wx/log.h>

void KelInitImageHandlers()
{
    static const bool registered = []
    {
        // Quietly: the toolkit reports handlers the client added already.
        wxLogNull noLog;
        wxInitAllImageHandlers();
        return true;
    }();
    wxUnusedVar(registered);
}
