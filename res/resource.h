// Resource and control ids shared by the code and the resource scripts.
#ifndef BRELLOX_RESOURCE_H
#define BRELLOX_RESOURCE_H

#define IDI_BRELLOX 104

// Edge cursors, by the edge of the bar they show over.
#define IDCUR_EDGE_LEFT 101
#define IDCUR_EDGE_RIGHT 106
#define IDCUR_EDGE_TOP 109
#define IDCUR_EDGE_BOTTOM 108

#define IDM_BAR_JA 102
#define IDM_BAR_EN 111
#define IDM_OPTIONS 40001
#define IDM_CLOSE 40002
#define IDM_START_WITH_WINDOWS 40003

#define IDD_OPTIONS_JA 103
#define IDD_OPTIONS_EN 110

#define IDC_COLOR_BUTTON 1000
#define IDC_WIDTH_SPIN 1003
#define IDC_ALPHA_SPIN 1004
#define IDC_WIDTH_FIELD 1005
#define IDC_EDGE_LEFT 1006
#define IDC_ALPHA_FIELD 1007
#define IDC_EDGE_RIGHT 1008
#define IDC_EDGE_TOP 1009
#define IDC_EDGE_BOTTOM 1010
#define IDC_OFFSET_SPIN 1011
#define IDC_OFFSET_FIELD 1012
#define IDC_OPENWIDTH_SPIN 1013
#define IDC_OPENWIDTH_FIELD 1014
#define IDC_SWATCH 1015

// The texts of the messages, in English; the same text in Japanese has its id
// plus IDS_JAPANESE.
#define IDS_JAPANESE 1000
#define IDS_CAPTION 200
#define IDS_NO_EDGE 201
#define IDS_SAVE_BEFORE_PATH 210
#define IDS_SAVE_AFTER_PATH 211
#define IDS_SAVE_NO_PATH 212
#define IDS_SAVE_BEFORE_ERROR 213
#define IDS_SAVE_AFTER_ERROR 214
#define IDS_SAVE_UNTIL_END 215
#define IDS_HOTKEY_BEFORE_VALUE 220
#define IDS_HOTKEY_AFTER_VALUE 221
#define IDS_HOTKEY_BEFORE_PART 222
#define IDS_HOTKEY_RUNS_ON 223
// Why a hot key cannot be used, in the order of the reasons the program names.
#define IDS_HOTKEY_TOO_LONG 231
#define IDS_HOTKEY_EMPTY_PART 232
#define IDS_HOTKEY_UNKNOWN_NAME 233
#define IDS_HOTKEY_REPEATED_NAME 234
#define IDS_HOTKEY_TWO_KEYS 235
#define IDS_HOTKEY_NO_KEY 236
#define IDS_HOTKEY_NO_MODIFIER 237
#define IDS_HOTKEY_TAKEN 238
#define IDS_LEAVE_TOO_LONG 240
// The shortcut that starts Brellox with Windows, made or removed: each in the
// order before the path, after it, and what it means; the reason's number
// comes with IDS_SAVE_BEFORE_ERROR and IDS_SAVE_AFTER_ERROR.
#define IDS_SHORTCUT_MAKE_BEFORE_PATH 250
#define IDS_SHORTCUT_MAKE_AFTER_PATH 251
#define IDS_SHORTCUT_MAKE_CLOSING 252
#define IDS_SHORTCUT_REMOVE_BEFORE_PATH 253
#define IDS_SHORTCUT_REMOVE_AFTER_PATH 254
#define IDS_SHORTCUT_REMOVE_CLOSING 255
#define IDS_SHORTCUT_NO_PATH 256

#ifndef RC_INVOKED
// The id of a text in the user's language.
inline unsigned TextId(unsigned englishId, bool japanese)
{
    return englishId + (japanese ? IDS_JAPANESE : 0);
}
#endif

#endif
