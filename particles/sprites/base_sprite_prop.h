// What every sprite system stores: how many sprites, how large and in which
// colour, how they pulse and scale, and the pictures they show.
#pragma once

#include "scene/document/embedded_file.h"
#include "scene/model/media_color.h"
#include "scene/model/scaled_param.h"
#include "scene/model/view_obj_ctrl.h"
#include "scene/resources/kv_imagefilelink.h"

#include <vector>

// 16-bit indices address 4 x 16383 vertices, and 6n x 2 index bytes stay small.
constexpr unsigned kMaxSpriteCount = 16383;

class KV_BaseSpriteProp : public KV_ViewObjCtrl {
public:
    KV_BaseSpriteProp();
    // Parameters by value with their own control lists, links by key.
    KV_BaseSpriteProp(const KV_BaseSpriteProp& other);

    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);
    void WriteFields(KV_IOF_Virtual& archive) const;
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);

    // Turns the pictures an old record stored inline into the two links.
    void ResolveImages();

    // A stored frame count of 0 counts as one frame.
    unsigned FrameCount() const { return frameCount > 0 ? frameCount : 1; }
    BYTE AlphaByte() const { return alpha.Result(); }

    MediaParamT<unsigned int> count{1};
    MediaParamT<unsigned int> size{32};
    // Transparency in percent; the result is the sprite alpha.
    UINTSclaleTo<unsigned char> alpha{0, -2.55f, 255.0f};
    MediaParamT<int> blendMode{0};
    MediaColor colour;
    float pulseSpeed = 0.0f;
    float phaseMinimum = 0.0f;
    float phaseMaximum = 1.0f;
    float scaleMinimum = 1.0f;
    float scaleMaximum = 1.0f;
    KV_ImageFileLink image;
    KV_ImageFileLink secondImage;
    // Stored and copied; playback does not use them.
    unsigned int furtherUInt = 1;
    float furtherFloat = 0.0f;
    unsigned int frameCount = 1;
    float stripRate = 0.0f;
    bool strip = false;
    // 1: the image link names an image sequence.
    int imageKind = 0;
    MediaParamT<int> flipV{0};
    MediaParamT<int> flipU{0};
    MediaParamT<int> staticGeometry{0};
    // Only a version-1 record fills these.
    std::vector<float> inlineDurations;
    std::vector<ResourceEntry> inlineFrames;
    ResourceEntry inlineSecond;
    // Its phase is the animation clock of sequences and swaying kinds.
    MediaSpeedParam animationSpeed{100, 0.01f, 0.0f};
};
