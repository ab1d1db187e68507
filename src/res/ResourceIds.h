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
