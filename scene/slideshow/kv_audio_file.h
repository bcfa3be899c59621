// One item of the background-music playlist: its name and the music file,
// stored in the document as bytes or as a path.
#pragma once

#include "scene/document/embedded_file.h"
#include "scene/document/kv_string.h"
#include "scene/model/kv_iof_item.h"

class KV_AudioFile : public KV_IOF_Item {
public:
    void Write(KV_IOF_Virtual& archive) const override;
    // The whole record; its class name and version are not compared.
    void Read(KV_IOF_Virtual& archive);
    // Makes an item with stored bytes playable from a file.
    void ExportToTempFolder();

    kv_string name;
    EmbeddedFile file;
};
