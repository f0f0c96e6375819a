// The made-up people of the demo's company: names and departments that the
// organisation tree and the demo's Jabber server share.
#ifndef KELCTRLS_DEMO_PEOPLE_H
#define KELCTRLS_DEMO_PEOPLE_H

#include <wx/string.h>

// A name for person number `person`; unique over all numbers.
wxString PersonName(unsigned person);
// The name of department `index` in the current language; beyond the list,
// names repeat with a number.
wxString DepartmentName(size_t index);
size_t DepartmentCount();

#endif
