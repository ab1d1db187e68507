#pragma once

#include <string>

// Letter-case folding of the program's single-byte text: ASCII letters only,
// so UTF-8 names and bytes that are not valid UTF-8 pass through unchanged.
inline char ToUpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string ToUpperAscii(std::string strText)
{
    for (char& c : strText)
        c = ToUpperAscii(c);
    return strText;
}
