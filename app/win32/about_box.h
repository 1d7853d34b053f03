#pragma once

#include <windows.h>

namespace zemra::app {

// Shows the About box, template 100, over `owner` until the operator closes it.
void showAboutBox(HINSTANCE instance, HWND owner);

}  // namespace zemra::app
