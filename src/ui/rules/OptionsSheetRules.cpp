#include "ui/rules/OptionsSheetRules.h"

#include "settings/EDisposalMode.h"

std::vector<EOptionsPage> OptionsPagesFor(ViewState state)
{
    if (state != ViewState::Idle)
        return {EOptionsPage::PurgeMove};
    return {EOptionsPage::Excludes,        EOptionsPage::Filters,
            EOptionsPage::Directeds,       EOptionsPage::FilesToDelete,
            EOptionsPage::FoldersToDelete, EOptionsPage::Extensions,
            EOptionsPage::PurgeMove,       EOptionsPage::RunOptions,
            EOptionsPage::OtherSettings,   EOptionsPage::Age};
}

const char* OptionsPageCaption(EOptionsPage page)
{
    switch (page)
    {
    case EOptionsPage::Excludes:
        return "Excludes";
    case EOptionsPage::Filters:
        return "Filters";
    case EOptionsPage::Directeds:
        return "Directeds";
    case EOptionsPage::FilesToDelete:
        return "Files to Delete";
    case EOptionsPage::FoldersToDelete:
        return "Folders to Delete";
    case EOptionsPage::Extensions:
        return "Extensions";
    case EOptionsPage::PurgeMove:
        return "Purge/Move";
    case EOptionsPage::RunOptions:
        return "Run Options";
    case EOptionsPage::OtherSettings:
        return "Other Settings";
    case EOptionsPage::Age:
        return "Age";
    }
    return "";
}

int ListKindOf(EOptionsPage page)
{
    switch (page)
    {
    case EOptionsPage::Excludes:
        return LIST_EXCLUDE;
    case EOptionsPage::Filters:
        return LIST_FILTER;
    case EOptionsPage::FilesToDelete:
        return LIST_FILE;
    case EOptionsPage::FoldersToDelete:
        return LIST_FOLDER;
    case EOptionsPage::Extensions:
        return LIST_EXTEN;
    default:
        return -1;
    }
}

bool IsListPage(EOptionsPage page)
{
    return ListKindOf(page) >= 0;
}

SOptionsValues CopyIntoSheet(const CScrubixDoc& doc)
{
    SOptionsValues values;
    values.ExcludeCase = doc.ExcludeCase;
    values.IE = doc.IE;
    values.IEURL = doc.IEURL;
    values.Move = doc.Move;
    values.RecycleRadio = doc.RecycleRadio;
    values.WarnMe = doc.WarnMe;
    values.Overwrite = doc.Overwrite;
    values.MovePath = doc.MovePath;
    values.Visible = doc.Visible;
    values.Run = doc.Run;
    values.Anomaly = doc.Anomaly;
    values.Deletereadonly = doc.Deletereadonly;
    values.Zero = doc.Zero;
    values.Scroll = doc.Scroll;
    values.MinAge = doc.MinAge;
    return values;
}

void CopyOutOfSheet(const SOptionsValues& values, ViewState state, CScrubixDoc& doc)
{
    if (state == ViewState::Idle)
    {
        doc.ExcludeCase = values.ExcludeCase;
        doc.IE = values.IE;
        doc.IEURL = values.IEURL;
        doc.Visible = values.Visible;
        doc.Run = values.Run;
        doc.Anomaly = values.Anomaly;
        doc.Deletereadonly = values.Deletereadonly;
        doc.Zero = values.Zero;
        doc.Scroll = values.Scroll;
        doc.MinAge = values.MinAge;
    }
    doc.Move = values.Move;
    doc.RecycleRadio = values.RecycleRadio;
    doc.MovePath = values.MovePath;
    doc.WarnMe = values.WarnMe;
    doc.Overwrite = values.Overwrite;
}

const char* ActionButtonText(int32_t Move)
{
    return DisposalModeOf(Move) == EDisposalMode::Purge ? "Purge Files" : "Move Files";
}
