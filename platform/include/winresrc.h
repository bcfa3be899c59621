// What resource scripts include for the window and control styles.
#pragma once

#include <winuser.rh>
#include <commctrl.rh>
