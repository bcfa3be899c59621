#include "scene/render/current_device.h"

IDirect3DDevice9* g_currentDevice = nullptr;
