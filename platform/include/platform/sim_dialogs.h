// Tests only: the message boxes the program has shown, oldest first.
#pragma once

#include <string>
#include <vector>

#include <windef.h>

namespace platform::sim {

struct ShownMessageBox {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

std::vector<ShownMessageBox> ShownMessageBoxes();
void ClearShownMessageBoxes();

}  // namespace platform::sim
