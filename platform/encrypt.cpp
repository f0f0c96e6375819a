#include <kelctrls/platform/encrypt.h>

namespace
{

const char DefaultKey[] = "KelCtrls";

unsigned char MaskAt(const std::string& key, size_t i)
{
    static const std::string fallback(DefaultKey);
    const std::string& k = key.empty() ? fallback : key;
    return static_cast<unsigned char>(k[i % k.size()]) ^ static_cast<unsigned char>(0x5A + 13 * i);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string zzSimpleEncryptString(const std::string& text, const std::string& key)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string cipher;
    cipher.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i)
    {
        const unsigned char byte = static_cast<unsigned char>(text[i]) ^ MaskAt(key, i);
        cipher += digits[byte >> 4];
        cipher += digits[byte & 0x0F];
    }
    return cipher;
}

std::string zzSimpleDecryptString(const std::string& cipher, const std::string& key)
{
    if (cipher.size() % 2 != 0)
        return std::string();
    std::string text;
    text.reserve(cipher.size() / 2);
    for (size_t i = 0; i < cipher.size() / 2; ++i)
    {
        const int high = HexValue(cipher[2 * i]);
        const int low = HexValue(cipher[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::string();
        text += static_cast<char>((high << 4 | low) ^ MaskAt(key, i));
    }
    return text;
}
