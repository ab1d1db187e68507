#pragma once

#include <string>
#include <string_view>

// UTF-8, the program's text form, to and from UTF-16, the form of dialog
// templates and of the wide window calls. Invalid input becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view strText);
std::string Utf8FromWide(std::wstring_view strText);
