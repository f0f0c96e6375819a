// The body of a request that page script sends to the program: decodes it as
// the browser does, checks what a caller relies on in what comes back, and
// passes every field through the origin test as an address.
#include "fuzzsupport.h"

#include "browser/webbrowser.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

// Every byte of `field`'s UTF-8 form percent-escaped: the most cautious way a
// page could have sent it.
std::string EscapeEveryByte(const wxString& field)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string escaped;
    const wxScopedCharBuffer utf8 = field.utf8_str();
    for (size_t i = 0; i < utf8.length(); ++i)
    {
        const unsigned char byte = static_cast<unsigned char>(utf8.data()[i]);
        escaped += '%';
        escaped += hex[byte >> 4];
        escaped += hex[byte & 15];
    }
    return escaped;
}

void CheckField(const wxString& field)
{
    for (const wxUniChar c : field)
    {
        Require(c.GetValue() != 0);
        Require(c.GetValue() < 0xD800 || c.GetValue() > 0xDFFF);
        Require(c.GetValue() <= 0x10FFFF);
    }
    // A field is text the rest of the program can pass on unchanged.
    Require(wxString::FromUTF8(field.utf8_str()) == field);

    const wxString origin = kel::OriginOf(field);
    if (origin.empty())
        return;
    Require(origin.StartsWith("http://") || origin.StartsWith("https://") || origin.StartsWith("file://"));
    // A web origin names itself: trust given to it is found again by it.
    if (!origin.StartsWith("file://"))
        Require(kel::OriginOf(origin) == origin);
}

} // anonymous namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInitGui();
    const std::string body(reinterpret_cast<const char*>(data), size);
    std::vector<wxString> fields;
    if (!kel::DecodeBridgeFields(body, fields))
        return 0;

    Require(fields.size() == size_t(std::count(body.begin(), body.end(), '&')) + 1);
    std::string again;
    for (size_t i = 0; i < fields.size(); ++i)
    {
        CheckField(fields[i]);
        again += (i == 0 ? "" : "&") + EscapeEveryByte(fields[i]);
    }
    std::vector<wxString> decodedAgain;
    Require(kel::DecodeBridgeFields(again, decodedAgain) && decodedAgain == fields);
    return 0;
}
