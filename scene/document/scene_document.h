// Loading the scene document: a header string, the slide-show record, then
// the document resource manager's record.
#pragma once

#include <memory>

#include "scene/document/resource_buffer.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/slideshow/kv_slideshow_light.h"

struct SceneDocument {
    std::unique_ptr<KV_SlideShow_Light> root;
    std::unique_ptr<KV_DocResManager> manager;
};

// Reads a document from the buffer's cursor. Throws kDocumentLoadError
// when the document is damaged; nothing read survives then.
SceneDocument ReadSceneDocument(ResourceBuffer& buffer);

// Reads resource "DDS" 107 of the program's own module and makes its
// manager the current one. Throws kDocumentLoadError when the resource is
// missing, empty or damaged; the current manager is then left as it was.
SceneDocument LoadSceneDocument();
