#include "about_box.h"

#include "label_fit.h"
#include "resource_ids.h"

namespace zemra::app {
namespace {

INT_PTR CALLBACK aboutProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            widenToFitLabels(window);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(window, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void showAboutBox(HINSTANCE instance, HWND owner) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(ZEMRA_IDD_ABOUT), owner, aboutProc, 0);
}

}  // namespace zemra::app
