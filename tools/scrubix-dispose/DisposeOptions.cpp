#include "DisposeOptions.h"

#include "DriveArgument.h"
#include "MinAgeArgument.h"

bool ParseDisposeOptions(int argc, char** argv, SDisposeOptions& options, std::string& strError)
{
    int nActions = 0;
    for (int i = 1; i < argc; ++i)
    {
        const std::string strArgument = argv[i];
        if (strArgument == "--purge")
        {
            options.nMove = 1;
            ++nActions;
        }
        else if (strArgument == "--move-to-trash")
        {
            options.nMove = 0;
            options.nRecycleRadio = 0;
            ++nActions;
        }
        else if (strArgument == "--move-to-folder" && i + 1 < argc)
        {
            options.nMove = 0;
            options.nRecycleRadio = 1;
            options.strMovePath = argv[++i];
            ++nActions;
            // An empty name would leave the stored folder in force unseen.
            if (options.strMovePath.empty())
            {
                strError = "--move-to-folder needs a folder";
                return false;
            }
        }
        else if (strArgument == "--report" || strArgument == "--no-report")
            options.nAnomaly = strArgument == "--report" ? 1 : 0;
        else if (strArgument == "--overwrite" || strArgument == "--no-overwrite")
            options.nOverwrite = strArgument == "--overwrite" ? 1 : 0;
        else if (strArgument == "--delete-read-only" || strArgument == "--keep-read-only")
            options.nDeleteReadOnly = strArgument == "--delete-read-only" ? 1 : 0;
        else if (strArgument == "--min-age" && i + 1 < argc)
        {
            if (!ParseMinAgeArgument(argv[++i], options.nMinAge))
            {
                strError = "--min-age needs a number of days from 0 to 3650";
                return false;
            }
        }
        else if (strArgument == "--undo-last-move")
            options.bUndoLastMove = true;
        else if (strArgument == "--timing")
            options.bTiming = true;
        else if (strArgument == "--quiet")
            options.bQuiet = true;
        else if (options.strRoot.empty() && ParseDriveArgument(strArgument, options.strRoot))
            continue;
        else
        {
            strError = "unexpected argument: " + strArgument;
            return false;
        }
    }
    if (options.bUndoLastMove)
    {
        if (argc != 2)
            strError = "--undo-last-move takes no other argument";
        return strError.empty();
    }
    if (nActions != 1)
        strError = "give exactly one of --purge, --move-to-trash, --move-to-folder";
    else if (options.strRoot.empty())
        strError = "no drive given";
    return strError.empty();
}
