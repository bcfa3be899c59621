// Identifiers of the resources of the module common_res.
#pragma once

// Resources of type "DDS".
#define IDR_DEFAULT_PICTURE 5
#define IDR_BORDER_PICTURE 6
