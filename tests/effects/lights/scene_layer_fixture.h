// A layer that reads the scene, over the document resource manager with the
// common module as the build lays it beside saver, with objects drawn over
// it and the frames it shows read back.
#pragma once

#include <cstdlib>
#include <memory>
#include <vector>

#include "effects/lights/light_fixture.h"
#include "scene/render/light_fixture.h"
#include "scene/resources/kv_docresmanager.h"

namespace lights_test {

template <class T>
class SceneLayerTest : public LightDeviceTest<T> {
protected:
    void SetUp() override
    {
        LightDeviceTest<T>::SetUp();
        g_currentDocResManager = managerHolder.get();
        setenv("SAVER_MODULE_PATH", SAVER_BUILD_DIR, 1);
    }
    void TearDown() override
    {
        this->objects.clear();
        this->light.reset();
        g_currentDocResManager = nullptr;
        managerHolder.reset();
        unsetenv("SAVER_MODULE_PATH");
        LightDeviceTest<T>::TearDown();
    }

    // The w x h picture stored in the document under the layer's link, as
    // a slide's picture is; created, restored and laid out.
    void ShowStored(UINT w, UINT h, const std::vector<D3DCOLOR>& texels)
    {
        const ResourceKey key{L"picture.png", 1};
        TextureSequence& stored = manager.Tables().sequences[key];
        stored.ReleaseFrames();
        stored.AppendFrame(this->MakeTexture(w, h, texels));
        stored.width = w;
        stored.height = h;
        stored.aspect = static_cast<float>(h) / static_cast<float>(w);
        this->light->pictureLink.SetKey(key);
        this->Show(0, 0, {});
    }
    // A square drawn after the objects already there.
    render_test::SquareObject* Add(const render_test::SquareSetup& setup)
    {
        auto* object = new render_test::SquareObject(setup);
        this->objects.insert(this->objects.begin(), CountedRef<KV_ABObj>(object));
        return object;
    }
    // The back buffer, rows top first.
    std::vector<D3DCOLOR> Frame()
    {
        UINT w = 0, h = 0;
        return d3d9_test::ReadBackBuffer(this->device(), w, h);
    }
    // What an earlier frame left in the back buffer.
    void FillBackBuffer(D3DCOLOR colour) { this->device()->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0); }
    IDirect3DSurface9* BackBuffer()
    {
        backBuffer.Reset();
        this->device()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out());
        return backBuffer.get();
    }
    // How many of a frame's draws went into a render target of the layer's
    // own rather than the back buffer.
    size_t CapturedDraws(const std::vector<platform::sim::DrawRecord>& draws)
    {
        IDirect3DSurface9* shown = BackBuffer();
        size_t captured = 0;
        for (const auto& draw : draws)
            captured += draw.renderTarget != shown ? 1 : 0;
        return captured;
    }

    // Let go before the device, with the effects and textures it holds.
    std::unique_ptr<KV_DocResManager> managerHolder = std::make_unique<KV_DocResManager>();
    KV_DocResManager& manager = *managerHolder;
    d3d9_test::Com<IDirect3DSurface9> backBuffer;
};

// A grey picture, half transparent: a layer that passes the captured alpha
// on lets the back buffer show through.
inline std::vector<D3DCOLOR> HalfClearGrey(UINT texels) { return std::vector<D3DCOLOR>(texels, 0x80808080); }

} // namespace lights_test
