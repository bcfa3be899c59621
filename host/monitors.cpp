// The monitor table: every display device that is not a mirroring driver,
// at most nine.
#include "host/d3d_screensaver.h"

void CD3DScreensaver::ListMonitors() {
    monitorCount_ = 0;
    DISPLAY_DEVICEW device{};
    device.cb = sizeof(device);
    for (DWORD n = 0; monitorCount_ < kMaxMonitors && EnumDisplayDevicesW(nullptr, n, &device, 0); ++n) {
        if ((device.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) == 0) {
            MonitorRecord& record = monitors_[monitorCount_++];
            record = MonitorRecord{};
            record.adapterDescription = device.DeviceString;

            DISPLAY_DEVICEW monitorDevice{};
            monitorDevice.cb = sizeof(monitorDevice);
            if (EnumDisplayDevicesW(device.DeviceName, 0, &monitorDevice, 0))
                record.monitorDescription = monitorDevice.DeviceString;

            if (device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) {
                DEVMODEW settings{};
                settings.dmSize = sizeof(settings);
                EnumDisplaySettingsW(device.DeviceName, ENUM_CURRENT_SETTINGS, &settings);
                RECT& rect = record.rect;
                if ((device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) == 0) {
                    rect.left = settings.dmPosition.x;
                    rect.top = settings.dmPosition.y;
                }
                rect.right = rect.left + static_cast<LONG>(settings.dmPelsWidth);
                rect.bottom = rect.top + static_cast<LONG>(settings.dmPelsHeight);
                record.monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONULL);
            }
        }
        device = DISPLAY_DEVICEW{};
        device.cb = sizeof(device);
    }
}
