// The runtime objects: instance lifecycles of butterflies and clocks, the
// clock's placement on the back buffer, and the mesh arrays' copies.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "particles/objects3d/ac_butterfly.h"
#include "particles/objects3d/kv_3d_in_2d_array.h"
#include "particles/objects3d/kv_3d_in_2d_array_constructor.h"
#include "particles/objects3d/kv_3dobj_array.h"
#include "particles/objects3d/kv_butterfly_constructor.h"
#include "particles/objects3d/kv_clock_constructor.h"
#include "particles/objects3d/leaf_fall_anim.h"
#include "platform/sim_d3d_draws.h"
#include "scene/model/picture_placement.h"
#include "scene/render/light_fixture.h"
#include "shared_module.h"

namespace objects3d_test {
namespace {

class PictureTest : public testing::Test {
protected:
    PublishedPicture picture{400, 300};
};

KV_3DObjArray& AsArray(KV_ABObj& object) { return dynamic_cast<KV_3DObjArray&>(object); }

KV_3D_Obj_Ctrl& CloneOf(KV_3DObjArray& array) { return dynamic_cast<KV_3D_Obj_Ctrl&>(array.Description()); }

// Node 0 lists exactly the roots, node 1 exactly their children, in order.
void ExpectNodesListTheInstances(const KV_3DObjArray& array)
{
    std::list<KV_Frame*> roots, children;
    for (const FrameHierarchy& root : array.Instances()) {
        roots.push_back(root.get());
        children.insert(children.end(), root->children.begin(), root->children.end());
    }
    ASSERT_EQ(array.Meshes().size(), 2u);
    EXPECT_EQ(array.Meshes()[0].instances, roots);
    EXPECT_EQ(array.Meshes()[1].instances, children);
}

TEST_F(PictureTest, ButterflyCountChangesAddTheNewestAndDeleteTheOldest)
{
    KV_ButterflyConstructor description;
    const std::unique_ptr<KV_ABObj> object = description.CreateObject();
    KV_3DObjArray& array = AsArray(*object);
    ASSERT_EQ(array.Instances().size(), 1u);
    EXPECT_EQ(array.Meshes()[1].flag, 1);
    EXPECT_EQ(array.Meshes()[0].flag, 0);

    CloneOf(array).instanceCount.SetValue(3);
    ASSERT_EQ(array.Instances().size(), 3u);
    EXPECT_EQ(array.Meshes()[0].instances.size(), 3u);
    EXPECT_EQ(array.Meshes()[1].instances.size(), 6u);
    ExpectNodesListTheInstances(array);
    const KV_Frame* newest = array.Instances().back().get();
    for (const FrameHierarchy& root : array.Instances()) {
        EXPECT_NE(dynamic_cast<AC_Butterfly*>(root->controller), nullptr);
        ASSERT_EQ(root->children.size(), 2u);
        for (const KV_Frame* wing : root->children)
            EXPECT_NE(dynamic_cast<AC_ButterflyWing*>(wing->controller), nullptr);
    }

    CloneOf(array).instanceCount.SetValue(1);
    ASSERT_EQ(array.Instances().size(), 1u);
    EXPECT_EQ(array.Instances().front().get(), newest);
    ExpectNodesListTheInstances(array);
    // Every frame the nodes list is alive (the sanitizers watch).
    for (float t : {0.1f, 0.2f, 0.3f})
        array.Update(t);
}

TEST_F(PictureTest, StoredInstanceCountsBuildAtMost1024)
{
    struct Case {
        unsigned int count;
        std::size_t built;
    };
    for (const Case& c : {Case{0, 0}, Case{1024, 1024}, Case{0xFFFFFFFF, 1024}}) {
        SCOPED_TRACE(c.count);
        KV_ButterflyConstructor butterfly;
        butterfly.instanceCount.Value() = c.count;
        const std::unique_ptr<KV_ABObj> object = butterfly.CreateObject();
        EXPECT_EQ(AsArray(*object).Instances().size(), c.built);
        EXPECT_EQ(AsArray(*object).Meshes()[1].instances.size(), 2 * c.built);

        KV_3D_in_2D_array_Constructor leaves;
        leaves.instanceCount.Value() = c.count;
        const std::unique_ptr<KV_ABObj> array = leaves.CreateObject();
        EXPECT_EQ(dynamic_cast<KV_3D_in_2D_array&>(*array).Node().instances.size(), c.built);
    }
}

TEST_F(PictureTest, ButterfliesAdvanceTheirClockAndFlyWithIt)
{
    KV_ButterflyConstructor description;
    const std::unique_ptr<KV_ABObj> object = description.CreateObject();
    KV_3DObjArray& array = AsArray(*object);
    auto& butterfly = dynamic_cast<AC_Butterfly&>(*array.Instances().front()->controller);
    const D3DXVECTOR3 start = butterfly.position;
    array.Update(0.1f);
    EXPECT_FLOAT_EQ(CloneOf(array).clock, 0.1f);
    EXPECT_NE(butterfly.position, start);
    // The body bobs with its wings, a few pixels about its position.
    const KV_Frame& root = *array.Instances().front();
    EXPECT_NEAR(root.world._41, butterfly.position.x, 4.0f);
    EXPECT_NEAR(root.world._42, butterfly.position.y, 4.0f);
    // The wings hang on the body: their world ends in the body's.
    const KV_Frame& wing = *root.children.front();
    EXPECT_FLOAT_EQ(wing.world._41, root.world._41);
}

class ClockTest : public render_test::RenderTest {
protected:
    ClockTest() : RenderTest(1024, 768) {}

    PublishedPicture picture{1024, 768};
};

TEST_F(ClockTest, CentredOnTheBackBufferWithItsRectangleAroundTheCentre)
{
    const KV_ClockConstructor description;
    EXPECT_EQ(description.placement.extra1.Value(), 512);
    EXPECT_EQ(description.placement.extra2.Value(), 384);
    const std::unique_ptr<KV_ABObj> object = description.CreateObject();
    KV_3DObjArray& array = AsArray(*object);
    const auto& clock = dynamic_cast<const KV_ClockConstructor&>(CloneOf(array));
    EXPECT_EQ(clock.placement.left.Value(), 312);
    EXPECT_EQ(clock.placement.right.Value(), 712);
    EXPECT_EQ(clock.placement.top.Value(), 184);
    EXPECT_EQ(clock.placement.bottom.Value(), 584);
    ExpectNodesListTheInstances(array);
    EXPECT_EQ(array.Meshes()[0].flag, 1);
    EXPECT_EQ(array.Meshes()[1].flag, 1);
}

TEST_F(ClockTest, HitTestAndScreenQuadFollowTheRectangle)
{
    const std::unique_ptr<KV_ABObj> object = KV_ClockConstructor().CreateObject();
    KV_3DObjArray& array = AsArray(*object);
    auto& clock = dynamic_cast<KV_ClockConstructor&>(CloneOf(array));
    struct Case {
        POINT point;
        bool inside;
    };
    for (const Case& c : {Case{{312, 184}, true}, Case{{712, 584}, true}, Case{{500, 400}, true},
                          Case{{311, 400}, false}, Case{{500, 585}, false}}) {
        SCOPED_TRACE(testing::Message() << c.point.x << ", " << c.point.y);
        EXPECT_EQ(array.HitTest(c.point), c.inside);
    }
    clock.placement.left.SetValue(100);
    EXPECT_TRUE(array.HitTest({150, 400}));
    // Back-buffer points are mapped into picture pixels: a picture of half
    // the size fills the back buffer.
    picture.placement = WholePicture(512, 384);
    picture.placement.fitQuad = WholePicture(1024, 768).fitQuad;
    EXPECT_TRUE(array.HitTest({1000, 700}));
    EXPECT_FALSE(array.HitTest({300, 300}));

    const ScreenQuad quad = clock.GetScreenQuad();
    const float expected[4][2] = {{100, 584}, {100, 184}, {712, 584}, {712, 184}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(quad.corners[i].x, expected[i][0]);
        EXPECT_FLOAT_EQ(quad.corners[i].y, expected[i][1]);
    }
}

Bytes XText(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes TriangleX()
{
    return XText("xof 0303txt 0032\nMesh {\n 3;\n 0.0;0.0;0.0;,\n 4.0;0.0;0.0;,\n 0.0;4.0;0.0;;\n 1;\n 3;0,2,1;;\n}\n");
}

class ModuleTest : public ModuleSceneTest {
protected:
    std::unique_ptr<KV_ABObj> MakeArray(unsigned int count, const Bytes& mesh, const wchar_t* fileName)
    {
        KV_3D_in_2D_array_Constructor description;
        description.instanceCount.Value() = count;
        description.drift.size.Value() = 20;
        description.mesh.Assign(fileName, static_cast<DWORD>(mesh.size()), mesh.data());
        return description.CreateObject();
    }

    // The primitive counts of every draw of the object.
    std::vector<UINT> Draws(KV_ABObj& object)
    {
        platform::sim::RecordDraws(true);
        object.Update(0.1f);
        EXPECT_EQ(device()->BeginScene(), D3D_OK);
        object.Render(light);
        device()->EndScene();
        std::vector<UINT> counts;
        for (const auto& draw : platform::sim::TakeDraws())
            counts.push_back(draw.primitiveCount);
        platform::sim::RecordDraws(false);
        return counts;
    }
};

TEST_F(ModuleTest, CountZeroBuildsAndDrawsNothing)
{
    const std::unique_ptr<KV_ABObj> object = MakeArray(0, OneSidedSquareX(), L"square.x");
    EXPECT_TRUE(dynamic_cast<KV_3D_in_2D_array&>(*object).Node().instances.empty());
    EXPECT_TRUE(Draws(*object).empty());
}

TEST_F(ModuleTest, EachCopyHasItsOwnControllerAndTheMeshsSphere)
{
    const std::unique_ptr<KV_ABObj> object = MakeArray(5, OneSidedSquareX(), L"square.x");
    const MeshNode& node = dynamic_cast<KV_3D_in_2D_array&>(*object).Node();
    EXPECT_NEAR(node.boundingRadius, std::sqrt(200.0f), 1e-4f);
    ASSERT_EQ(node.instances.size(), 5u);
    std::set<KV_AnimationBase*> controllers;
    for (const KV_Frame* frame : node.instances) {
        EXPECT_NE(dynamic_cast<KV_LeafFallAnim*>(frame->controller), nullptr);
        controllers.insert(frame->controller);
        EXPECT_FLOAT_EQ(frame->boundingRadius, node.boundingRadius);
        EXPECT_FLOAT_EQ(frame->local._41, -node.boundingCentre[0]);
    }
    EXPECT_EQ(controllers.size(), 5u);
    EXPECT_EQ(Draws(*object), std::vector<UINT>(10, 2u));  // both sides of each copy
    EXPECT_FLOAT_EQ(g_meshArrayTime, 0.1f);
}

TEST_F(ModuleTest, ArraysWithDifferentMeshesUnderIdZeroDrawTheirOwn)
{
    struct Case {
        const char* name;
        const wchar_t* squareName;
        const wchar_t* triangleName;
    };
    for (const Case& c : {Case{"named files", L"square.x", L"triangle.x"}, Case{"unnamed bytes", L"", L""}}) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<KV_ABObj> square = MakeArray(1, OneSidedSquareX(), c.squareName);
        const std::unique_ptr<KV_ABObj> triangle = MakeArray(1, TriangleX(), c.triangleName);
        EXPECT_EQ(Draws(*square), (std::vector<UINT>{2, 2}));
        EXPECT_EQ(Draws(*triangle), (std::vector<UINT>{1, 1}));
    }
}

TEST_F(ModuleTest, NodesTakeTheDefaultMeshesAndTheClockDialFollowsItsLink)
{
    const std::unique_ptr<KV_ABObj> object = KV_ClockConstructor().CreateObject();
    KV_3DObjArray& array = AsArray(*object);
    for (const MeshNode& node : array.Meshes()) {
        EXPECT_EQ(node.triangleCount, 2u);
        EXPECT_NE(node.texture.Get(), nullptr);
        EXPECT_EQ(node.primitiveType, D3DPT_TRIANGLELIST);
    }
    EXPECT_NEAR(array.Meshes()[0].boundingRadius, std::sqrt(5000.0f), 1e-3f);
    const IDirect3DTexture9* hands = array.Meshes()[1].texture.Get();
    EXPECT_NE(array.Meshes()[0].texture.Get(), hands);

    KV_3D_Obj_Ctrl& clock = CloneOf(array);
    clock.texture.SetKey(dynamic_cast<KV_ClockConstructor&>(clock).handsTexture.Key());
    clock.texture.NotifyControls(nullptr);
    EXPECT_EQ(array.Meshes()[0].texture.Get(), hands);

    const std::unique_ptr<KV_ABObj> butterfly = KV_ButterflyConstructor().CreateObject();
    const auto& nodes = AsArray(*butterfly).Meshes();
    EXPECT_GT(nodes[0].triangleCount, 100u);
    EXPECT_NE(nodes[0].texture.Get(), nullptr);
    EXPECT_EQ(nodes[1].triangleCount, 2u);
    // The wings' picture link is empty by default.
    EXPECT_EQ(nodes[1].texture.Get(), nullptr);
}

}  // namespace
}  // namespace objects3d_test
