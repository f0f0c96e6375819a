/// \file
/// The string encryption the client shares with its web server: it turns the
/// user's password into the key that pages receive as "varnel_user_key".
///
/// The transform is a keyed byte mask followed by hexadecimal encoding, so the
/// result is plain ASCII that can stand in an address unescaped:
///
///   k    = key bytes, or "KelCtrls" when the key is empty
///   m[i] = k[i mod |k|] XOR ((0x5A + 13 * i) mod 256)
///   out  = upper-case hex of (text[i] XOR m[i]), two digits per byte
///
/// zzSimpleDecryptString reverses it with the same key. It keeps a password
/// out of plain sight in addresses and logs; it is not meant to resist an
/// attacker who knows the scheme.
#ifndef KELCTRLS_PLATFORM_ENCRYPT_H
#define KELCTRLS_PLATFORM_ENCRYPT_H

#include <kelctrls/base.h>

#include <string>

/// `text` encrypted with `key` as described above (any bytes; an empty key
/// uses "KelCtrls"); empty for an empty `text`.
KELCTRLS_API std::string zzSimpleEncryptString(const std::string& text, const std::string& key);

/// The text zzSimpleEncryptString encrypted with `key`; empty when `cipher`
/// is not an even-length run of hexadecimal digits.
KELCTRLS_API std::string zzSimpleDecryptString(const std::string& cipher, const std::string& key);

#endif
