#pragma once

#include "ui/rules/Commands.h"
#include "ui/rules/ResultsExclusions.h"

// Carries out a results-list command on a view: the one mapping of each
// command onto the view's operations, for both front ends. TView offers
// SortByColumn(int), SetAllChecked(bool), InvertChecks(), ToggleSelectedRows(),
// OpenCurrentFile(), OpenCurrentFolder(), CopyCurrentPath(bool bHostPath),
// ExcludeCurrentRow(EExclusion) and UndoLastMove(); each checks the command's
// availability itself. exportResults is the frame's own (it asks for a file).
// UI thread.
template <class TView, class TExport>
void DispatchListCommand(TView& view, EListCommand command, int nColumn, TExport&& exportResults)
{
    switch (command)
    {
    case EListCommand::SortByColumn:
        view.SortByColumn(nColumn);
        break;
    case EListCommand::CheckAll:
        view.SetAllChecked(true);
        break;
    case EListCommand::UncheckAll:
        view.SetAllChecked(false);
        break;
    case EListCommand::InvertChecks:
        view.InvertChecks();
        break;
    case EListCommand::ToggleSelected:
        view.ToggleSelectedRows();
        break;
    case EListCommand::OpenFile:
        view.OpenCurrentFile();
        break;
    case EListCommand::OpenFolder:
        view.OpenCurrentFolder();
        break;
    case EListCommand::CopyPath:
        view.CopyCurrentPath(false);
        break;
    case EListCommand::CopyHostPath:
        view.CopyCurrentPath(true);
        break;
    case EListCommand::ExcludeName:
        view.ExcludeCurrentRow(EExclusion::FileName);
        break;
    case EListCommand::ExcludeExtension:
        view.ExcludeCurrentRow(EExclusion::Extension);
        break;
    case EListCommand::FilterFolder:
        view.ExcludeCurrentRow(EExclusion::Folder);
        break;
    case EListCommand::ExportResults:
        exportResults();
        break;
    case EListCommand::UndoLastMove:
        view.UndoLastMove();
        break;
    }
}
