#include "recording_control.h"
#include "scene/model/com_holder.h"
#include "scene/model/counted_ref.h"
#include "scene/model/crt_random.h"
#include "scene/model/fun_light_ctrl.h"
#include "scene/model/path_point.h"
#include "scene/model/picture_placement.h"
#include "test_description.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

// Lays out a picture of the given size for the duration of a test.
class PictureSize : public testing::Test {
protected:
    void SetPicture(int width, int height)
    {
        placement_.pictureWidth = width;
        placement_.pictureHeight = height;
        g_picturePlacement = &placement_;
    }
    ~PictureSize() override { g_picturePlacement = &g_noPicturePlacement; }

private:
    PicturePlacement placement_;
};

using ViewObjCtrl = PictureSize;

TEST_F(ViewObjCtrl, RelativeValuesSnapToWholePixels)
{
    SetPicture(1000, 500);
    TestDescription description;
    description.relative.left = 0.3337f;
    description.relative.bottom = 0.5f;
    description.UpdatePixelRect();
    EXPECT_EQ(description.pixelRect.left.Value(), 333);
    EXPECT_EQ(description.pixelRect.right.Value(), 1000);
    EXPECT_EQ(description.pixelRect.bottom.Value(), 250);
    EXPECT_FLOAT_EQ(description.relative.left, 0.333f);

    description.pixelRect.top.SetValue(100); // an edit of a pixel edge
    EXPECT_FLOAT_EQ(description.relative.top, 0.2f);
}

TEST_F(ViewObjCtrl, WithoutAPictureRelativeValuesStay)
{
    TestDescription description;
    EXPECT_EQ(description.relative.left, 0.0f);
    EXPECT_EQ(description.relative.right, 1.0f);
    EXPECT_EQ(description.relative.bottom, 1.0f);
    description.pixelRect.right.SetValue(7);
    EXPECT_EQ(description.relative.right, 1.0f);
}

TEST_F(ViewObjCtrl, CopyHasItsOwnBindings)
{
    SetPicture(100, 100);
    auto original = std::make_unique<TestDescription>();
    original->relative.left = 0.25f;
    original->speed.Value() = 70;
    original->setting = true;
    TestDescription copy(*original);
    EXPECT_EQ(copy.pixelRect.left.Value(), 25);
    EXPECT_EQ(copy.speed.Value(), 70u);
    EXPECT_TRUE(copy.setting);

    copy.pixelRect.left.SetValue(50);
    EXPECT_FLOAT_EQ(copy.relative.left, 0.5f);
    EXPECT_FLOAT_EQ(original->relative.left, 0.25f);
    original.reset();
    copy.pixelRect.left.SetValue(60);
    EXPECT_FLOAT_EQ(copy.relative.left, 0.6f);
}

TEST_F(ViewObjCtrl, ScreenQuadAndRandomPointsUseTheRelativeRectangle)
{
    SetPicture(200, 100);
    TestDescription description;
    description.relative = {0.1f, 0.6f, 0.2f, 0.9f};
    const ScreenQuad quad = description.GetScreenQuad();
    const float expected[4][2] = {{20, 90}, {20, 20}, {120, 90}, {120, 20}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(quad.corners[i].x, expected[i][0]);
        EXPECT_FLOAT_EQ(quad.corners[i].y, expected[i][1]);
        EXPECT_EQ(quad.corners[i].z, 1.0f);
    }
    EXPECT_EQ(quad.corners[2].u, 1.0f);
    EXPECT_EQ(quad.corners[2].v, 1.0f);

    // Seed 1 draws 41 then 18467; the point lies between the edges.
    kv_srand(1);
    const D3DXVECTOR3 p = description.RandomPointInRect();
    EXPECT_FLOAT_EQ(p.x, static_cast<float>(20 + 41 / 32767.0 * 100));
    EXPECT_FLOAT_EQ(p.y, static_cast<float>(20 + 18467 / 32767.0 * 70));
    EXPECT_EQ(p.z, 0.0f);

    kv_srand(1);
    const D3DXVECTOR3 inset = description.RandomPointInRectInset(10, 5);
    EXPECT_FLOAT_EQ(inset.x, static_cast<float>(30 + 41 / 32767.0 * 80));
    EXPECT_FLOAT_EQ(inset.y, static_cast<float>(25 + 18467 / 32767.0 * 60));
}

TEST(ViewObjCtrlClock, AdvancesByCappedAbsoluteSteps)
{
    TestDescription description;
    description.AdvanceClock(0.15f);
    EXPECT_FLOAT_EQ(description.clock, 0.15f);
    EXPECT_FLOAT_EQ(description.clampedStep, 0.1f);
    description.AdvanceClock(2.0f); // capped at 0.2 s
    EXPECT_FLOAT_EQ(description.clock, 0.35f);
    description.AdvanceClock(1.9f); // backwards: the absolute difference
    EXPECT_NEAR(description.clock, 0.45f, 1e-6f);

    description.speed.Value() = 100; // twice real time
    description.AdvanceClock(2.0f);
    EXPECT_NEAR(description.clockStep, 0.2f, 1e-6f);

    description.Reset();
    EXPECT_EQ(description.clock, 0.0f);
    EXPECT_EQ(description.clockStep, 0.0f);
    EXPECT_EQ(description.lastTime, 0.0f);
}

TEST(ABObj, AdvanceGivesTheTimeLinesLocalTime)
{
    TestDescription description;
    description.TimeLine().mode.Value() = KV_TimeLineControl::kModeCycle;
    description.TimeLine().speedMode.Value() = KV_TimeLineControl::kSpeedFollowsOpacity;
    const std::unique_ptr<KV_ABObj> object = description.CreateObject();
    auto& test = static_cast<TestObject&>(*object);
    object->Advance(0.1f);  // enters the fade-in: opacity 0
    object->Advance(0.35f); // half way: 0.25 s at half speed
    ASSERT_EQ(test.updates.size(), 2u);
    EXPECT_FLOAT_EQ(test.updates[0], 0.0f);
    EXPECT_FLOAT_EQ(test.updates[1], 0.125f);
    // The object owns its own copy: the description's clock did not move.
    EXPECT_EQ(description.TimeLine().Machine().LastTime(), 0.0f);

    object->SetTimeLineTime(12.5f);
    EXPECT_EQ(object->Description().TimeLine().intervalTime, 12.5f);
    EXPECT_EQ(object->GetKindCode(), 3);
    EXPECT_EQ(object->IsActive(), 1);
    object->SetActive(0);
    EXPECT_EQ(object->IsActive(), 0);
}

TEST(ABObj, DestructionDeletesTheDescriptionCopy)
{
    int destroyed = 0;
    TestDescription description;
    description.destroyed = &destroyed;
    std::unique_ptr<KV_ABObj> object = description.CreateObject();
    MediaParamT<int>& left = static_cast<TestDescription&>(object->Description()).pixelRect.left;
    EXPECT_EQ(left.Controls().size(), 2u); // undo control and the edge binding
    object.reset();
    EXPECT_EQ(destroyed, 1);
}

TEST(ABObjConstructor, CopyDeepCopiesTheTimeLine)
{
    TestDescription description;
    description.name = L"fish";
    description.flag = 7;
    description.TimeLine().fadeIn.SetValue(80);
    const TestDescription copy(description);
    EXPECT_EQ(copy.name, L"fish");
    EXPECT_EQ(copy.flag, 7);
    EXPECT_NE(&copy.TimeLine(), &description.TimeLine());
    EXPECT_FLOAT_EQ(copy.TimeLine().fadeIn.Result(), 0.8f);
    EXPECT_EQ(copy.GetImageInfo().link, nullptr);
    EXPECT_EQ(copy.GetImageInfo().scale, 1.0f);
}

// An owner for the binding tests.
struct Owner {
    explicit Owner(int* deleted = nullptr) : deleted(deleted) {}
    ~Owner()
    {
        if (deleted)
            ++*deleted;
    }
    void OnValue(unsigned int v) { values.push_back(v); }
    void OnAny() { ++calls; }

    int* deleted;
    std::vector<unsigned int> values;
    int calls = 0;
};

TEST(Bindings, FunLightCtrlTellsTheOwnerAtOnceAndOnEveryChange)
{
    MediaParamT<unsigned int> param(4);
    Owner owner;
    {
        BoundControlList list;
        list.SetOwner(&owner);
        KV_FunLightCtrl<unsigned int, Owner>::Create(list, &Owner::OnValue, param);
        param.SetValue(9);
        EXPECT_EQ(owner.values, (std::vector<unsigned int>{4, 9}));
        EXPECT_EQ(param.Controls().size(), 2u);
    }
    EXPECT_EQ(param.Controls().size(), 1u); // the list deleted its binding
    param.SetValue(10);
    EXPECT_EQ(owner.values.size(), 2u);
}

TEST(Bindings, ListDeletesAnOwnerItOwns)
{
    int deleted = 0;
    MediaParamT<unsigned int> param(1);
    {
        BoundControlList list;
        list.SetOwner(std::make_unique<Owner>(&deleted));
        KV_FunLightCtrl<unsigned int, Owner>::Create(list, &Owner::OnValue, param);
    }
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(param.Controls().size(), 1u);

    Owner kept(&deleted);
    {
        BoundControlList list;
        list.SetOwner(&kept);
    }
    EXPECT_EQ(deleted, 1);
}

// An owner that refuses every value.
struct RefusingOwner {
    void OnValue(unsigned int) { throw std::runtime_error("refused"); }
};

TEST(Bindings, ACallbackThrowingAtBindingLeavesNothingBehind)
{
    MediaParamT<unsigned int> param(1);
    RefusingOwner owner;
    {
        BoundControlList list;
        list.SetOwner(&owner);
        using Binding = KV_FunLightCtrl<unsigned int, RefusingOwner>;
        EXPECT_THROW(Binding::Create(list, &RefusingOwner::OnValue, param), std::runtime_error);
        EXPECT_EQ(param.Controls().size(), 2u);
    }
    EXPECT_EQ(param.Controls().size(), 1u); // the list still owned and destroyed it
    param.SetValue(2);
}

TEST(Bindings, FunLightCtrl2CallsWithoutTheValueAndDetaches)
{
    Owner owner;
    auto param = std::make_unique<MediaParamT<int>>(0);
    KV_FunLightCtrl2<Owner> control(param.get(), &Owner::OnAny, &owner);
    param->Attach(&control);
    EXPECT_EQ(owner.calls, 0); // not called at binding
    param->SetValue(3);
    EXPECT_EQ(owner.calls, 1);
    param.reset();
    EXPECT_EQ(control.Observed(), nullptr);
}

TEST(CountedRef, SharesCellsAndDeletesWithTheLastHolder)
{
    int destroyed = 0;
    {
        CountedRef<KV_ABObj_Constructor> first(new TestDescription);
        static_cast<TestDescription*>(first.Get())->destroyed = &destroyed;
        CountedRef<KV_ABObj_Constructor> second(first);
        EXPECT_EQ(first.UseCount(), 2u);
        second = second;
        EXPECT_EQ(second.UseCount(), 2u);
        CountedRef<KV_ABObj_Constructor> third(new TestDescription);
        second = third;
        EXPECT_EQ(first.UseCount(), 1u);
        EXPECT_EQ(third.UseCount(), 2u);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);

    const CountedRef<MediaParam> empty(nullptr);
    EXPECT_EQ(empty.UseCount(), 1u);
    EXPECT_FALSE(empty);
}

TEST(PathPoint, MadeAndAssignedPointsShareCells)
{
    PathPoint a = MakePathPoint(1, 2, 3);
    EXPECT_EQ(a.position->Value(), D3DXVECTOR3(1, 2, 3));
    EXPECT_EQ(a.position.UseCount(), 1u);
    EXPECT_EQ(a.unused.UseCount(), 1u);
    EXPECT_EQ(a.unused.Get(), nullptr);

    PathPoint b = MakePathPoint(4, 5, 6);
    b = a;
    EXPECT_EQ(b.position.Get(), a.position.Get());
    EXPECT_EQ(a.position.UseCount(), 2u);
    EXPECT_EQ(a.unused.UseCount(), 2u);
    b = b;
    EXPECT_EQ(a.position.UseCount(), 2u);

    const PathPoint fresh;
    EXPECT_EQ(fresh.position->Value(), D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(fresh.unused.UseCount(), 1u);
}

// A COM object that counts its releases.
struct FakeInterface {
    void Release() { ++releases; }
    int releases = 0;
};

TEST(ComHolder, ReleasesWhatItHolds)
{
    FakeInterface first, second;
    {
        ComHolder<FakeInterface> holder;
        EXPECT_FALSE(holder);
        holder.Reset(&first);
        *holder.Receive() = &second; // releases first, takes second
        EXPECT_EQ(first.releases, 1);
        EXPECT_EQ(holder.Get(), &second);
    }
    EXPECT_EQ(second.releases, 1);
}

} // namespace
