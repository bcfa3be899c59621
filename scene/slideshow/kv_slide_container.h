// One slide: its background layer, how long it fades in, holds and fades
// out, and two lists of scene objects: those drawn over the layer, and
// those only started and stopped with the slide.
#pragma once

#include <memory>
#include <vector>

#include <windef.h>

#include "scene/document/kv_string.h"
#include "scene/light/kv_2d_light.h"
#include "scene/model/abobj.h"
#include "scene/model/counted_ref.h"
#include "scene/model/kv_iof_item.h"
#include "scene/model/scaled_param.h"

class KV_SlideContainer : public KV_IOF_Item {
public:
    KV_SlideContainer();
    KV_SlideContainer(const KV_SlideContainer&) = delete;
    KV_SlideContainer& operator=(const KV_SlideContainer&) = delete;

    ~KV_SlideContainer() override;
    // The built objects' descriptions, or the descriptions not built yet.
    void Write(KV_IOF_Virtual& archive) const override;
    virtual void InvalidateDeviceObjects();

    // A slide through the slide registry: none (and a failed archive) for a
    // class name that is not registered.
    static std::unique_ptr<KV_SlideContainer> ReadNew(KV_IOF_Virtual& archive);
    void Read(KV_IOF_Virtual& archive, DWORD version);

    // Once, when the show starts: the light is created and every
    // description makes its runtime object. A slide without a light is
    // never built, moved or drawn.
    void Build();
    void FrameMove(float t);
    void Render(int flag);
    void RestoreDeviceObjects();
    void Resize(int width, int height);
    void SetPicturePosition(int mode);
    void StartStopObjects(bool on);
    KV_2D_Light* GetLight() const { return light.Get(); }

    // Whole seconds.
    MediaParamT<unsigned int> fadeIn{1};
    MediaParamT<unsigned int> fadeOut{1};
    MediaParamT<unsigned int> hold{10};
    // Carried in the record, used by nothing.
    MediaParamT<int> number{0};
    MediaParamTB<kv_string> text;
    // The period at which the drawn objects' time lines wrap.
    TimeParam loopPeriod{1000};
    CountedRef<KV_2D_Light> light;

    std::vector<CountedRef<KV_ABObj>> drawnObjects;
    std::vector<CountedRef<KV_ABObj>> startedObjects;
    // What Build turns into the objects above; empty afterwards.
    std::vector<std::unique_ptr<KV_ABObj_Constructor>> drawnDescriptions;
    std::vector<std::unique_ptr<KV_ABObj_Constructor>> startedDescriptions;
};
