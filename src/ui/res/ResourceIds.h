#pragma once

#include <cstdint>

// Identifiers of the program's resources: dialogs 100 to 145, controls 1000 to
// 1066, the program's commands 32771 to 32775 and the framework's standard
// commands it shows in its menu or accelerator table.

// Templates and the main frame's menu, toolbar and accelerator table.
constexpr int32_t IDR_MAINFRAME = 128;
constexpr int32_t IDD_ABOUTBOX = 100;
constexpr int32_t IDD_SCRUBIX_FORM = 101;
constexpr int32_t IDD_PROGRESS = 110;
constexpr int32_t IDD_PURGE_WARNING = 137;
constexpr int32_t IDD_WELCOME = 140;

// The Options sheet's pages and the entry dialog.
constexpr int32_t IDD_EXTEN_PAGE = 130;
constexpr int32_t IDD_ENTRY = 131;
constexpr int32_t IDD_FILTER_PAGE = 134;
constexpr int32_t IDD_EXCLUDE_PAGE = 136;
constexpr int32_t IDD_OTHER_PAGE = 138;
constexpr int32_t IDD_DIRECTED_PAGE = 139;
constexpr int32_t IDD_PURGE_PAGE = 141;
constexpr int32_t IDD_RUN_PAGE = 143;
constexpr int32_t IDD_FILES_PAGE = 144;
constexpr int32_t IDD_FOLDERS_PAGE = 145;
constexpr int32_t IDD_AGE_PAGE = 146;

// Dialog results and the buttons that end a dialog with them (named apart
// from the platform headers' macros).
constexpr int32_t ID_RESULT_OK = 1;
constexpr int32_t ID_RESULT_CANCEL = 2;
constexpr int32_t IDC_WELCOME_HELP = 3;

// About box 100: the two links.
constexpr int32_t IDC_LINK_EMAIL = 1165;
constexpr int32_t IDC_LINK_WEB = 1166;

// Form 101.
constexpr int32_t IDC_SEARCH = 1000;
constexpr int32_t IDC_EXTEN_COUNT = 1001;
constexpr int32_t IDC_ZERO_COUNT = 1002;
constexpr int32_t IDC_TOTAL_SIZE = 1003;
constexpr int32_t IDC_ACTION = 1004;
constexpr int32_t IDC_CANCEL_RESULTS = 1005;
constexpr int32_t IDC_RESULTS_LIST = 1006;
constexpr int32_t IDC_SEARCH_PATH = 1007;
constexpr int32_t IDC_CANDIDATE_FILE = 1008;
constexpr int32_t IDC_SEARCH_PATH_CAPTION = 1009;
constexpr int32_t IDC_CANDIDATE_FILE_CAPTION = 1010;
constexpr int32_t IDC_DRIVE_BOX = 1011;
constexpr int32_t IDC_DIRECTED_COUNT = 1013;

// Purge Warning 137 and progress 110.
constexpr int32_t IDC_DONT_SHOW = 1028;
constexpr int32_t IDC_PROGRESS_BAR = 1049;
constexpr int32_t IDC_PROGRESS_FILE = 1052;

// Extensions 130.
constexpr int32_t IDC_EXTEN_LIST = 1012;
constexpr int32_t IDC_EXTEN_ADD = 1014;
constexpr int32_t IDC_EXTEN_DELETE = 1015;
constexpr int32_t IDC_EXTEN_DEFAULTS = 1017;
constexpr int32_t IDC_EXTEN_EDIT = 1046;

// Entry dialog 131.
constexpr int32_t IDC_ENTRY_TEXT = 1016;

// Filters 134.
constexpr int32_t IDC_FILTER_ADD = 1018;
constexpr int32_t IDC_FILTER_DELETE = 1019;
constexpr int32_t IDC_FILTER_DEFAULTS = 1020;
constexpr int32_t IDC_FILTER_LIST = 1021;
constexpr int32_t IDC_FILTER_EDIT = 1023; // hidden and disabled: Filters has no Edit

// Excludes 136.
constexpr int32_t IDC_EXCLUDE_ADD = 1022;
constexpr int32_t IDC_EXCLUDE_EDIT = 1024;
constexpr int32_t IDC_EXCLUDE_DEFAULTS = 1025;
constexpr int32_t IDC_EXCLUDE_LIST = 1026;
constexpr int32_t IDC_EXCLUDE_IGNORE_CASE = 1027;
constexpr int32_t IDC_EXCLUDE_DELETE = 1044;

// Files to Delete 144 and Folders to Delete 145.
constexpr int32_t IDC_FOLDERS_ADD = 1057;
constexpr int32_t IDC_FOLDERS_DEFAULTS = 1058;
constexpr int32_t IDC_FILES_ADD = 1059;
constexpr int32_t IDC_FILES_DELETE = 1060;
constexpr int32_t IDC_FILES_DEFAULTS = 1061;
constexpr int32_t IDC_FOLDERS_DELETE = 1062;
constexpr int32_t IDC_FOLDERS_LIST = 1063;
constexpr int32_t IDC_FILES_LIST = 1064;

// Directeds 139 (only 1038 and 1040 carry a setting).
constexpr int32_t IDC_DIRECTED_NETSCAPE_CACHE = 1029;
constexpr int32_t IDC_DIRECTED_NETSCAPE_URL = 1031;
constexpr int32_t IDC_DIRECTED_WINDOWS_TEMP = 1032;
constexpr int32_t IDC_DIRECTED_ROOT_TEMP = 1035;
constexpr int32_t IDC_DIRECTED_IE = 1038;
constexpr int32_t IDC_DIRECTED_IE_URL = 1040;

// Other Settings 138.
constexpr int32_t IDC_OTHER_ANOMALY = 1033;
constexpr int32_t IDC_OTHER_ZERO = 1036;
constexpr int32_t IDC_OTHER_READ_ONLY = 1037;
constexpr int32_t IDC_OTHER_SCROLL = 1041;

// Purge/Move 141.
constexpr int32_t IDC_PURGE_WARN = 1030;
constexpr int32_t IDC_PURGE_OVERWRITE = 1034;
constexpr int32_t IDC_PURGE_MOVE_PATH = 1039;
constexpr int32_t IDC_PURGE_BROWSE = 1042;
constexpr int32_t IDC_PURGE_MOVE = 1047;
constexpr int32_t IDC_PURGE_PURGE = 1048;
constexpr int32_t IDC_PURGE_RECYCLE = 1050;
constexpr int32_t IDC_PURGE_DESTINATION = 1051;
constexpr int32_t IDC_PURGE_DESTINATION_LABEL = 1053;

// Run Options 143.
constexpr int32_t IDC_RUN_INVISIBLE = 1054;
constexpr int32_t IDC_RUN_VISIBLE = 1055;
constexpr int32_t IDC_RUN_AT_BOOT = 1056;

// Age 146.
constexpr int32_t IDC_AGE_ONLY_OLD = 1070;
constexpr int32_t IDC_AGE_DAYS = 1071;
constexpr int32_t IDC_AGE_DAYS_LABEL = 1072;

// The program's commands.
constexpr int32_t ID_SEARCH = 32771;
constexpr int32_t ID_OPTIONS = 32772;
constexpr int32_t ID_CANCEL = 32773;
constexpr int32_t ID_PURGE = 32774;
constexpr int32_t ID_MOVE = 32775;

// The framework's standard commands.
constexpr int32_t ID_FILE_NEW = 57600;
constexpr int32_t ID_FILE_OPEN = 57601;
constexpr int32_t ID_FILE_SAVE = 57603;
constexpr int32_t ID_EDIT_COPY = 57634;
constexpr int32_t ID_EDIT_CUT = 57635;
constexpr int32_t ID_EDIT_PASTE = 57637;
constexpr int32_t ID_EDIT_UNDO = 57643;
constexpr int32_t ID_APP_ABOUT = 57664;
constexpr int32_t ID_APP_EXIT = 57665;
constexpr int32_t ID_HELP_FINDER = 57667;
constexpr int32_t ID_NEXT_PANE = 57680;
constexpr int32_t ID_PREV_PANE = 57681;

// The idle text of the status bar's message pane.
constexpr int32_t AFX_IDS_IDLEMESSAGE = 57345;

// Help contexts: resource help base plus the dialog id.
constexpr int32_t HELP_RESOURCE_BASE = 0x20000;
constexpr int32_t HELP_CONTEXT_WELCOME = HELP_RESOURCE_BASE + IDD_WELCOME;
