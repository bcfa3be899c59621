// Writes a whole scene document from the engine's own objects: the header,
// the slide show and the document resource manager.
#pragma once

#include <vector>

#include <windef.h>

#include "scene/document/writer/document_builder.h"

class KV_DocResManager;
class KV_SlideShow_Light;

std::vector<BYTE> WriteSceneDocument(const KV_SlideShow_Light& show, const KV_DocResManager& manager,
                                     const kv_string& header = DocumentBuilder::kShippedHeader);
