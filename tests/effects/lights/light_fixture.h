// A background layer of class T on a small back buffer with its rendering
// context, shown over a picture made by the test.
#pragma once

#include <memory>
#include <vector>

#include "platform/sim_d3d_draws.h"
#include "scene/model/abobj.h"
#include "scene/model/counted_ref.h"
#include "scene/render/render_fixture.h"
#include "scene/render/view_context.h"
#include "scene/resources/texture_record.h"

namespace lights_test {

// Exposes what the tests set up and inspect.
template <class T>
class Exposed : public T {
public:
    using T::m_pictureQuad;
    using T::m_targets;
};

template <class T>
class LightDeviceTest : public render_test::RenderTest {
protected:
    explicit LightDeviceTest(UINT side = 64) : RenderTest(side, side) {}
    void SetUp() override
    {
        RenderTest::SetUp();
        MakeRenderContextCurrent(&context);
    }
    void TearDown() override
    {
        objects.clear();
        light.reset();
        MakeRenderContextCurrent(nullptr);
        RenderTest::TearDown();
    }

    // Created, given the w x h picture (none for 0 x 0), restored and laid
    // out for the back buffer.
    void Show(UINT w, UINT h, const std::vector<D3DCOLOR>& texels)
    {
        light->Create();
        if (w > 0) {
            const float aspect = static_cast<float>(h) / static_cast<float>(w);
            light->m_pictureQuad.SetPicture(TextureRecord(MakeTexture(w, h, texels), w, h, aspect));
            PictureChanged();
        }
        light->RestoreDeviceObjects();
        light->Resize(static_cast<int>(width_), static_cast<int>(height_));
    }
    // One frame as the slide show draws it, capturing when the layer or
    // one of the objects reads the scene.
    void DrawFrame(float time = 0.0f)
    {
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        light->FrameMove(time);
        int readers = light->NeedsSceneTexture() ? 1 : 0;
        for (const CountedRef<KV_ABObj>& object : objects)
            readers += object->ReadsScene() ? 1 : 0;
        if (readers > 0)
            light->BeginSceneCapture();
        light->RenderBackground(0);
        light->RenderObjects(objects, readers);
        light->DrawBorders(0);
        device()->EndScene();
    }
    // What the layer does when its link gives it a new picture.
    virtual void PictureChanged() {}
    void Renew() { light = std::make_unique<Exposed<T>>(); }

    ViewContext context;
    std::unique_ptr<Exposed<T>> light = std::make_unique<Exposed<T>>();
    // Drawn over the layer from the last to the first.
    std::vector<CountedRef<KV_ABObj>> objects;
};

// The draws of a call.
template <class Call>
std::vector<platform::sim::DrawRecord> DrawsOf(Call call)
{
    platform::sim::RecordDraws(true);
    call();
    std::vector<platform::sim::DrawRecord> draws = platform::sim::TakeDraws();
    platform::sim::RecordDraws(false);
    return draws;
}

// The last draw whose first stage has the operation; null when none has.
inline const platform::sim::DrawRecord* LastDrawWith(const std::vector<platform::sim::DrawRecord>& draws, DWORD op)
{
    const platform::sim::DrawRecord* found = nullptr;
    for (const auto& draw : draws)
        if (!draw.stages.empty() && draw.stages[0].colorOp == op)
            found = &draw;
    return found;
}

} // namespace lights_test
