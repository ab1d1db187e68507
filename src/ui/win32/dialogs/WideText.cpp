#include "WideText.h"

#include <windows.h>

std::wstring WideFromUtf8(std::string_view strText)
{
    if (strText.empty())
    {
        return {};
    }
    const int nLength = MultiByteToWideChar(CP_UTF8, 0, strText.data(),
                                            static_cast<int>(strText.size()), nullptr, 0);
    std::wstring strWide(static_cast<size_t>(nLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strText.data(), static_cast<int>(strText.size()),
                        strWide.data(), nLength);
    return strWide;
}

std::string Utf8FromWide(std::wstring_view strText)
{
    if (strText.empty())
    {
        return {};
    }
    const int nLength = WideCharToMultiByte(
        CP_UTF8, 0, strText.data(), static_cast<int>(strText.size()), nullptr, 0, nullptr, nullptr);
    std::string strNarrow(static_cast<size_t>(nLength), '\0');
    WideCharToMultiByte(CP_UTF8, 0, strText.data(), static_cast<int>(strText.size()),
                        strNarrow.data(), nLength, nullptr, nullptr);
    return strNarrow;
}
