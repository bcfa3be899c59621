// The slide show: the root record of a scene document.
#pragma once

#include <memory>

#include "scene/document/kv_iof_virtual.h"

class KV_SlideShow_Light {};

// The root record: its class name and version are read and not used.
std::unique_ptr<KV_SlideShow_Light> ReadSlideShowRecord(KV_IOF_Virtual& archive);
