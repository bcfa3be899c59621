#include "scene/document/dds_resource.h"
#include "scene/document/resource_buffer.h"

bool ResourceBuffer::OpenResource(HMODULE module, int id) {
    const auto bytes = FindDdsResource(module, id);
    if (!bytes || bytes->empty()) {
        return false;
    }
    *this = ResourceBuffer(bytes->data(), bytes->size());
    return HasCursor();
}
