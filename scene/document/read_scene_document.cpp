#include "scene/document/document_error.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/scene_document.h"

SceneDocument ReadSceneDocument(ResourceBuffer& buffer) {
    KV_IOF_R<ResourceBuffer> archive(buffer);
    kv_string header;  // any text: documents carry no version gate here
    archive.ReadString(&header);

    SceneDocument document;
    document.root = ReadSlideShowRecord(archive);
    document.manager = ReadDocResManagerRecord(archive);
    if (archive.Failed()) {
        throw kDocumentLoadError;
    }
    return document;
}
