// Names with a trailing dot as real files: only POSIX drives keep the dot.
#include "CandidateFileCases.h"

TEST_P(CandidateRulesTest, ClassifiesFilesWithATrailingDot)
{
    ExpectWalkClassifies(EndsWithDot);
}
