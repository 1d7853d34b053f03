#include "label_fit.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "label_widths.h"

namespace zemra::app {
namespace {

// What a button's frame or a check box's mark takes of the control's width beside its label;
// nothing for a control that shows no label, such as an icon.
std::optional<int> widthBesideLabel(HWND control, const TEXTMETRICW& metrics) {
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    std::array<wchar_t, 16> className{};
    GetClassNameW(control, className.data(), static_cast<int>(className.size()));
    if (lstrcmpiW(className.data(), L"Static") == 0) {
        const LONG_PTR kind = style & SS_TYPEMASK;
        if (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_LEFTNOWORDWRAP) {
            return 0;
        }
        return std::nullopt;
    }
    if (lstrcmpiW(className.data(), L"Button") != 0) {
        return std::nullopt;
    }
    switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return GetSystemMetrics(SM_CXMENUCHECK) + metrics.tmAveCharWidth;
        case BS_GROUPBOX:
            return std::nullopt;
        default:
            return 2 * (GetSystemMetrics(SM_CXEDGE) + metrics.tmAveCharWidth);
    }
}

}  // namespace

int widthForLabel(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring label(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, label.data(), length + 1);
    label.resize(static_cast<std::size_t>(length));

    HDC context = GetDC(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ previousFont = SelectObject(context, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    RECT textRect{};
    // A "&" marks the next letter rather than taking room of its own, as the control draws it.
    DrawTextW(context, label.c_str(), length, &textRect, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(context, previousFont);
    ReleaseDC(control, context);
    const std::optional<int> beside = widthBesideLabel(control, metrics);
    if (!beside || length == 0) {
        return 0;
    }
    return static_cast<int>(textRect.right - textRect.left) + *beside;
}

void widenToFitLabels(HWND dialog) {
    RECT client;
    GetClientRect(dialog, &client);
    std::vector<HWND> windows;
    std::vector<LabelledControl> placed;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        windows.push_back(child);
        placed.push_back({static_cast<int>(rect.left), static_cast<int>(rect.top),
                          static_cast<int>(rect.right - rect.left),
                          static_cast<int>(rect.bottom - rect.top), widthForLabel(child)});
    }
    const std::vector<int> widths = widthsToFitLabels(placed, static_cast<int>(client.right));
    for (std::size_t index = 0; index < windows.size(); ++index) {
        if (widths[index] != placed[index].width) {
            SetWindowPos(windows[index], nullptr, 0, 0, widths[index], placed[index].height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

}  // namespace zemra::app
