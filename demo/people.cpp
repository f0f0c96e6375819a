#include "people.h"

#include <wx/utils.h>

#include "demotext.h"

namespace
{

const char* const kFirstNames[] = {
    "Anna",  "Ben",  "Chen",  "Dora",  "Emil",  "Fatima", "Georg",   "Hana",   "Ivan",   "Julia",
    "Kenji", "Lena", "Marco", "Nadia", "Oskar", "Priya",  "Quentin", "Rosa",   "Samir",  "Tove",
    "Umar",  "Vera", "Wei",   "Xenia", "Yusuf", "Zoe",    "Arvid",   "Bianca", "Carlos", "Delia"};
const char* const kLastNames[] = {
    "Andersen", "Brandt",   "Costa",     "Dubois", "Eriksen", "Fischer", "Garcia", "Hoffmann", "Ivanova",
    "Jensen",   "Kowalski", "Lindqvist", "Moreau", "Novak",   "Olsen",   "Petrov", "Quist",    "Rossi",
    "Schmidt",  "Tanaka",   "Ueda",      "Vogel",  "Wagner",  "Xu",      "Yilmaz", "Zhang"};
const char* const kDepartments[] = {wxTRANSLATE("Management"), wxTRANSLATE("Engineering"),
                                    wxTRANSLATE("Sales"),      wxTRANSLATE("Customer Support"),
                                    wxTRANSLATE("Finance"),    wxTRANSLATE("Human Resources"),
                                    wxTRANSLATE("Marketing"),  wxTRANSLATE("Operations"),
                                    wxTRANSLATE("Research"),   wxTRANSLATE("Legal")};
} // anonymous namespace

wxString PersonName(unsigned person)
{
    const size_t firsts = WXSIZEOF(kFirstNames), lasts = WXSIZEOF(kLastNames);
    wxString name =
        wxString(kFirstNames[person % firsts]) + " " + kLastNames[(person / firsts + person * 7) % lasts];
    if (person >= firsts * lasts)
        name << " " << (person / (firsts * lasts) + 1);
    return name;
}

wxString DepartmentName(size_t index)
{
    wxString name = _(kDepartments[index % WXSIZEOF(kDepartments)]);
    if (index >= WXSIZEOF(kDepartments))
        name << " " << (index / WXSIZEOF(kDepartments) + 1);
    return name;
}

size_t DepartmentCount()
{
    return WXSIZEOF(kDepartments);
}
