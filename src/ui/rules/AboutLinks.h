#pragma once

// The About box's two links and whether each has been opened in this run
// (a visited link is drawn purple). Owned by the application object, so the
// state outlives each About box.
struct SAboutLinks
{
    int bEmailVisited = 0;
    int bWebVisited = 0;
};
