#include "host/display_help.h"

#include "resources/resource.h"

UINT DisplayHelpStringId(const AdapterRecord* adapter) {
    if (adapter == nullptr) return IDS_INFO_NOHAL_NOSW;
    const bool software = adapter->softwareFormatsPass;
    const bool softwareUsable = adapter->softwareUsable;
    if (adapter->hardwareFormatsPass && adapter->disableHardware != 0) {
        if (!software) return IDS_INFO_DISABLEDHAL_NOSW;
        return softwareUsable ? IDS_INFO_DISABLEDHAL_GOODSW : IDS_INFO_DISABLEDHAL_BADSW;
    }
    if (adapter->hardwareFormatsPass) {
        if (adapter->hardwareUsable) return IDS_INFO_GOODHAL;
        if (!software) return IDS_INFO_BADHAL_NOSW;
        return softwareUsable ? IDS_INFO_BADHAL_GOODSW : IDS_INFO_BADHAL_BADSW;
    }
    if (!software) return IDS_INFO_NOHAL_NOSW;
    return softwareUsable ? IDS_INFO_NOHAL_GOODSW : IDS_INFO_NOHAL_BADSW;
}

UINT RenderingStringId(const AdapterRecord* adapter) {
    if (adapter == nullptr) return IDS_RENDERING_NONE;
    if (adapter->hardwareFormatsPass && adapter->disableHardware == 0 && adapter->hardwareUsable)
        return IDS_RENDERING_HAL;
    if (adapter->softwareFormatsPass && adapter->softwareUsable) return IDS_RENDERING_SW;
    return IDS_RENDERING_NONE;
}
