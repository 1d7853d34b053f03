#include "label_fit.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zemra::app {
namespace {

struct PlacedControl {
    HWND window;
    RECT rect;  // in the dialog's client coordinates
};

std::vector<PlacedControl> placedControls(HWND dialog) {
    std::vector<PlacedControl> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        controls.push_back({child, rect});
    }
    return controls;
}

bool sharesRows(const RECT& first, const RECT& second) {
    return first.top < second.bottom && second.top < first.bottom;
}

// The widest the control may become without reaching another control to its right or leaving
// the client area.
int roomToTheRight(const PlacedControl& control, const std::vector<PlacedControl>& controls,
                   const RECT& client) {
    int room = client.right - control.rect.left;
    for (const PlacedControl& other : controls) {
        if (other.window != control.window && other.rect.left >= control.rect.left &&
            sharesRows(control.rect, other.rect)) {
            room = std::min(room, static_cast<int>(other.rect.left - control.rect.left));
        }
    }
    return room;
}

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
    const std::vector<PlacedControl> controls = placedControls(dialog);
    for (const PlacedControl& control : controls) {
        const int width = control.rect.right - control.rect.left;
        const int needed =
            std::min(widthForLabel(control.window), roomToTheRight(control, controls, client));
        if (needed > width) {
            SetWindowPos(control.window, nullptr, 0, 0, needed,
                         control.rect.bottom - control.rect.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

}  // namespace zemra::app
