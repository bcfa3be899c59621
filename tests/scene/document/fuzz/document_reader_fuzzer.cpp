// libFuzzer target: any bytes, read as a scene document and as a stream of
// every primitive encoding, either load or fail with the document error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "primitive_stream.h"
#include "scene/document/document_error.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/scene_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        ResourceBuffer buffer(data, size);
        try {
            ReadSceneDocument(buffer);
        } catch (DWORD code) {
            if (code != kDocumentLoadError) {
                std::abort();
            }
        }
    }
    {
        ResourceBuffer buffer(data, size);
        KV_IOF_R<ResourceBuffer> reader(buffer);
        ReadPrimitiveStream(reader);
    }
    return 0;
}
