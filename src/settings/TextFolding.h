#pragma once

#include <string>
#include <string_view>

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

// Equality after upper-casing both sides, without building folded copies.
inline bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i]))
            return false;
    }
    return true;
}
