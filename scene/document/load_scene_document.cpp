#include "scene/document/document_error.h"
#include "scene/document/scene_document.h"

namespace {
constexpr int kSceneDocumentId = 107;
}

SceneDocument LoadSceneDocument() {
    ResourceBuffer buffer;
    if (!buffer.OpenResource(nullptr, kSceneDocumentId)) {
        throw kDocumentLoadError;
    }
    SceneDocument document = ReadSceneDocument(buffer);
    g_currentDocResManager = document.manager.get();
    return document;
}
