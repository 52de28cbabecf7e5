// The options dialog: fills its controls from the settings, lets the user step
// the values, tick the edges and pick the colour, and on OK hands the chosen
// record over to be saved, read back and applied.
#include "options_dialog_win32.h"

#include "../core/language_win32.h"
#include "../core/state_win32.h"
#include "../platform/libraries_win32.h"
#include "../res/resource.h"
#include "options_rules.h"
#include "save_failure_win32.h"

namespace {

// The colour the dialog works with until OK; set afresh by every start.
COLORREF g_WorkingColor;
// The one brush the swatch is painted with. Each repaint releases the one
// before it, and the end of the dialog releases the last.
HBRUSH g_hSwatchBrush;
// The dialog while it is up; NULL otherwise.
HWND g_hOptionsDialog;
// What OK does with the chosen record, for the dialog that is up.
ApplyChosenSettingsProc g_pfnApplyChosenSettings;

void ReleaseSwatchBrush()
{
    if (g_hSwatchBrush != NULL) {
        DeleteObject(g_hSwatchBrush);
        g_hSwatchBrush = NULL;
    }
}

void InitialiseDialog(HWND dialog)
{
    ValueRange ranges[OPTION_VALUE_COUNT];
    OptionRanges(g_ScreenSize, ranges);
    const OptionsView view = StartingView(g_Settings, g_ScreenSize, LayeredWindowAttributes() != NULL);
    const int values[OPTION_VALUE_COUNT] = {g_Settings.Width, g_Settings.Alpha, g_Settings.Offset,
                                            g_Settings.OpenWidth};
    for (int i = 0; i < OPTION_VALUE_COUNT; ++i) {
        HWND field = GetDlgItem(dialog, ranges[i].fieldId);
        HWND spinner = GetDlgItem(dialog, ranges[i].spinnerId);
        char text[12];
        FormatInt(values[i], text);
        SetWindowTextA(field, text);
        SendMessageA(spinner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
        SendMessageA(spinner, UDM_SETRANGE32, ranges[i].lowest, ranges[i].highest);
        SendMessageA(spinner, UDM_SETPOS, 0, view.shown[i]);
        if (i == ValueAlpha && !view.alphaEnabled) {
            EnableWindow(field, FALSE);
            EnableWindow(spinner, FALSE);
        }
    }
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        if (view.ticked[edge])
            CheckDlgButton(dialog, kEdgeBoxIds[edge], BST_CHECKED);
    }
    SetFocus(GetDlgItem(dialog, IDOK));
    g_WorkingColor = view.workingColor;
    g_hOptionsDialog = dialog;
}

void PickColor(HWND dialog)
{
    COLORREF custom[16] = {};
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = dialog;
    choose.rgbResult = g_WorkingColor;
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT;
    // Loaded for the pick alone: at start it would bring the printing
    // libraries along and multiply the memory Brellox holds at rest.
    HMODULE library = LoadLibraryA("comdlg32.dll");
    if (library == NULL)
        return;
    const ChooseColorProc pfnChooseColor =
        reinterpret_cast<ChooseColorProc>(reinterpret_cast<void (*)()>(GetProcAddress(library, "ChooseColorA")));
    const BOOL picked = pfnChooseColor != NULL && pfnChooseColor(&choose);
    FreeLibrary(library);
    if (!picked)
        return;
    g_WorkingColor = choose.rgbResult;
    HWND swatch = GetDlgItem(dialog, IDC_SWATCH);
    InvalidateRect(swatch, NULL, TRUE);
    UpdateWindow(swatch);
}

void Confirm(HWND dialog)
{
    bool ticked[EDGE_COUNT];
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        ticked[edge] = IsDlgButtonChecked(dialog, kEdgeBoxIds[edge]) == BST_CHECKED;
    if (!AnyEdgeTicked(ticked)) {
        const bool japanese = UserLanguageIsJapanese(32);
        char warning[256];
        char caption[64];
        LoadText(TextId(IDS_NO_EDGE, japanese), warning, sizeof(warning));
        LoadText(TextId(IDS_CAPTION, japanese), caption, sizeof(caption));
        MessageBoxA(dialog, warning, caption, MB_ICONERROR);
        return;
    }

    ValueRange ranges[OPTION_VALUE_COUNT];
    OptionRanges(g_ScreenSize, ranges);
    char texts[OPTION_VALUE_COUNT][30];
    const char *textPointers[OPTION_VALUE_COUNT];
    for (int i = 0; i < OPTION_VALUE_COUNT; ++i) {
        GetWindowTextA(GetDlgItem(dialog, ranges[i].fieldId), texts[i], sizeof(texts[i]));
        textPointers[i] = texts[i];
    }
    g_pfnApplyChosenSettings(dialog, ConfirmedSettings(textPointers, g_WorkingColor, ticked));
    EndDialog(dialog, 1);
}

} // namespace

void ShowOptions(ApplyChosenSettingsProc apply)
{
    if (!LoadCommonControls())
        return;
    g_pfnApplyChosenSettings = apply;
    const int dialog = UserLanguageIsJapanese(64) ? IDD_OPTIONS_JA : IDD_OPTIONS_EN;
    DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(dialog), g_EdgeBarSet.hwndOwner, OptionsDialogProc, 0);
    g_hOptionsDialog = NULL;
    ReleaseSwatchBrush();
}

void FitOptionsToScreen(ScreenSize screen)
{
    if (g_hOptionsDialog == NULL)
        return;
    ValueRange ranges[OPTION_VALUE_COUNT];
    OptionRanges(screen, ranges);
    const ValueRange &offset = ranges[ValueOffset];
    char text[30];
    GetWindowTextA(GetDlgItem(g_hOptionsDialog, offset.fieldId), text, sizeof(text));
    HWND spinner = GetDlgItem(g_hOptionsDialog, offset.spinnerId);
    SendMessageA(spinner, UDM_SETRANGE32, offset.lowest, offset.highest);
    // The spinner holds the position within its bounds and writes it into the field.
    SendMessageA(spinner, UDM_SETPOS, 0, FieldTextToInt(text));
}

void ReportSaveFailure(HWND dialog, const SaveFailure &failure)
{
    const unsigned wordIds[] = {IDS_SAVE_BEFORE_PATH,  IDS_SAVE_AFTER_PATH,  IDS_SAVE_NO_PATH,
                                IDS_SAVE_BEFORE_ERROR, IDS_SAVE_AFTER_ERROR, IDS_SAVE_UNTIL_END};
    TellSaveFailure(dialog, failure, wordIds);
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitialiseDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_COLOR_BUTTON))
            PickColor(dialog);
        else if (LOWORD(wParam) == IDOK)
            Confirm(dialog);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 2);
        return FALSE;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dialog, IDC_SWATCH))
            return FALSE;
        ReleaseSwatchBrush();
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        g_hSwatchBrush = CreateSolidBrush(g_WorkingColor);
        return reinterpret_cast<INT_PTR>(g_hSwatchBrush);
    }
    return FALSE;
}
