#pragma once

#include <cstdint>

// What a disposal pass does with the checked files. It follows the Move
// setting alone, whichever command started the pass.
enum class EDisposalMode
{
    Move,
    Purge,
};

// The one reading of Move: 0 moves the files, any other value purges them.
inline EDisposalMode DisposalModeOf(int32_t nMove)
{
    return nMove == 0 ? EDisposalMode::Move : EDisposalMode::Purge;
}
