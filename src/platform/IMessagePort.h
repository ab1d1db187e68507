#pragma once

#include <cstdint>

// The workers' private messages to the main frame.
constexpr uint32_t WM_SEARCH_DONE = 0x8002;
constexpr uint32_t WM_SEARCH_PATH = 0x8004;
constexpr uint32_t WM_ADD_CANDIDATE = 0x8006;
constexpr uint32_t WM_DISPOSE_STEP = 0x8008;
constexpr uint32_t WM_DISPOSE_DONE = 0x800A;
constexpr uint32_t WM_DISPOSE_BEGIN = 0x800C;
constexpr uint32_t WM_STARTUP_INVISIBLE = 0x800E;
constexpr uint32_t WM_VIEW_STARTUP_INVISIBLE = 0x8010;
constexpr uint32_t WM_STARTUP_VISIBLE = 0x8012;
constexpr uint32_t WM_VIEW_STARTUP_VISIBLE = 0x8014;

// windows.h makes PostMessage a macro; the member keeps its name whichever
// header comes first, so every file sees the same declaration.
#pragma push_macro("PostMessage")
#undef PostMessage

// Posts a message to the main frame: never blocks, delivered once, in order,
// on the user-interface thread.
class IMessagePort
{
public:
    virtual ~IMessagePort() = default;
    virtual void PostMessage(uint32_t nMessage, uintptr_t wParam) = 0;
};

#pragma pop_macro("PostMessage")
