// Layers that replace the light's restore still bring the document's
// device objects back after a reset.
#include "effects/lights/fake_lake_2d.h"
#include "effects/lights/flame_light.h"
#include "effects/lights/light_fixture.h"
#include "effects/lights/water_ring_light.h"
#include "scene/render/render_target_pair.h"
#include "scene/resources/kv_docresmanager.h"

#include <gtest/gtest.h>

namespace lights_test {
namespace {

template <class T>
class LayerDeviceObjectsTest : public LightDeviceTest<T> {
protected:
    void SetUp() override
    {
        LightDeviceTest<T>::SetUp();
        g_currentDocResManager = &manager;
    }
    void TearDown() override
    {
        this->light.reset();
        g_currentDocResManager = nullptr;
        manager.ReleaseDeviceObjects();
        LightDeviceTest<T>::TearDown();
    }
    KV_DocResManager manager;
};

using Layers = testing::Types<FakeLake2D, KV_WaterRingLight, KV_FlameLight>;
TYPED_TEST_SUITE(LayerDeviceObjectsTest, Layers);

TYPED_TEST(LayerDeviceObjectsTest, TheDocumentsRenderTargetsComeBackAfterAReset)
{
    this->Show(0, 0, {});
    const RenderTargetPair* pair = this->manager.GetRenderTarget(GuidKey());
    ASSERT_NE(pair->Current(), nullptr);
    this->light->InvalidateDeviceObjects();
    EXPECT_EQ(pair->Current(), nullptr);
    D3DPRESENT_PARAMETERS parameters = this->presentation();
    ASSERT_EQ(this->device()->Reset(&parameters), D3D_OK);
    this->light->RestoreDeviceObjects();
    EXPECT_NE(pair->Current(), nullptr);
}

} // namespace
} // namespace lights_test
