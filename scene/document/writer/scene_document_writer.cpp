#include "scene/document/writer/scene_document_writer.h"

#include "scene/document/writer/kv_iof_w.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/slideshow/kv_slideshow_light.h"

std::vector<BYTE> WriteSceneDocument(const KV_SlideShow_Light& show, const KV_DocResManager& manager,
                                     const kv_string& header) {
    KV_IOF_W archive;
    archive.WriteString(&header);
    show.Write(archive);
    manager.Write(archive);
    return archive.TakeBytes();
}
