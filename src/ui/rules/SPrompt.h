#pragma once

#include <string>

enum class EPromptButtons
{
    Ok,    // information or refusal
    YesNo, // confirmation: only Yes continues; Yes is the default button
};

// One message box the options sheet asks for: its buttons and its text, with
// line breaks as "\n". The box is titled with the program's name and shows no
// icon.
struct SPrompt
{
    EPromptButtons eButtons = EPromptButtons::Ok;
    std::string strText;

    bool operator==(const SPrompt&) const = default;
};

inline SPrompt OkPrompt(std::string strText)
{
    return SPrompt{EPromptButtons::Ok, std::move(strText)};
}

inline SPrompt YesNoPrompt(std::string strText)
{
    return SPrompt{EPromptButtons::YesNo, std::move(strText)};
}
