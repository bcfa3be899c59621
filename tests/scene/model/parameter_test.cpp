#include "recording_control.h"
#include "scene/document/kv_string.h"
#include "scene/model/scaled_param.h"
#include "scene/model/undo_ctrl.h"

#include <d3dx9math.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <ostream>

namespace {

// A parameter with two observers: the tests below use one as the changer.
struct ObservedInt : testing::Test {
    ObservedInt()
    {
        param.Attach(&first);
        param.Attach(&second);
    }
    ~ObservedInt() override
    {
        param.Remove(&first);
        param.Remove(&second);
    }

    MediaParamT<int> param{5};
    RecordingControl first;
    RecordingControl second;
};

TEST_F(ObservedInt, EqualValueNotifiesNobody)
{
    param.SetValue(5);
    EXPECT_TRUE(first.sources.empty());
    EXPECT_TRUE(second.sources.empty());
}

TEST_F(ObservedInt, ChangerIsNotToldOthersAre)
{
    param.SetValue(6, &first);
    EXPECT_TRUE(first.sources.empty());
    ASSERT_EQ(second.sources.size(), 1u);
    EXPECT_EQ(second.sources[0], &first);

    param.SetValue(7);
    EXPECT_EQ(first.sources.size(), 1u);
    EXPECT_EQ(second.sources.size(), 2u);
    EXPECT_EQ(param.Value(), 7);
}

TEST_F(ObservedInt, UndoAndRedoRestoreAndNotify)
{
    UndoCtrlT<int>& undo = param.UndoControl();
    undo.Checkpoint();
    param.SetValue(7);
    undo.Undo();
    EXPECT_EQ(param.Value(), 5);
    ASSERT_EQ(first.sources.size(), 2u);
    EXPECT_EQ(first.sources.back(), &undo);
    undo.Redo();
    EXPECT_EQ(param.Value(), 7);
    EXPECT_EQ(first.sources.size(), 3u);
}

struct UndoCase {
    const char* name;
    // Values given to the parameter, each after a checkpoint.
    int edits;
    int undos;
    int redos;
    int expectedValue;
    std::size_t expectedEntries;
};

void PrintTo(const UndoCase& c, std::ostream* os) { *os << c.name; }

class UndoHistoryTable : public testing::TestWithParam<UndoCase> {};

TEST_P(UndoHistoryTable, EndsWithExpectedValueAndHistory)
{
    const UndoCase& c = GetParam();
    MediaParamT<int> param(0);
    UndoCtrlT<int>& undo = param.UndoControl();
    for (int i = 1; i <= c.edits; ++i) {
        undo.Checkpoint();
        param.SetValue(i);
    }
    for (int i = 0; i < c.undos; ++i)
        undo.Undo();
    for (int i = 0; i < c.redos; ++i)
        undo.Redo();
    EXPECT_EQ(param.Value(), c.expectedValue);
    EXPECT_EQ(undo.History().Size(), c.expectedEntries);
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, UndoHistoryTable,
    testing::Values(
        UndoCase{"UndoOnEmptyHistoryChangesNothing", 0, 1, 0, 0, 0},
        UndoCase{"RedoAtFrontChangesNothing", 2, 0, 1, 2, 2},
        UndoCase{"TwentyOneCheckpointsKeepTwenty", 21, 21, 0, 1, 20},
        UndoCase{"UndoPastOldestStops", 3, 5, 0, 0, 3},
        UndoCase{"RedoPastNewestStops", 3, 3, 5, 3, 3},
        UndoCase{"UndoThenRedoReturns", 4, 2, 1, 3, 4}),
    [](const auto& info) { return info.param.name; });

TEST(UndoHistory, CheckpointAfterUndoDropsTheRedoBranch)
{
    MediaParamT<int> param(0);
    UndoCtrlT<int>& undo = param.UndoControl();
    for (int i = 1; i <= 3; ++i) {
        undo.Checkpoint();
        param.SetValue(i);
    }
    undo.Undo();
    undo.Undo(); // value 1; entries newer than the cursor are 3 and 2
    undo.Checkpoint();
    param.SetValue(9);
    EXPECT_FALSE(undo.History().CanRedo());
    undo.Redo();
    EXPECT_EQ(param.Value(), 9);
    undo.Undo();
    EXPECT_EQ(param.Value(), 1);
    undo.Undo();
    EXPECT_EQ(param.Value(), 0);
}

TEST(UndoHistory, UndoToEqualValueNotifiesNobody)
{
    MediaParamT<int> param(4);
    RecordingControl observer;
    param.Attach(&observer);
    param.UndoControl().Checkpoint();
    param.UndoControl().Undo();
    EXPECT_TRUE(observer.sources.empty());
    param.Remove(&observer);
}

TEST(MediaParam, CopyHasValueOnlyWithFreshUndo)
{
    MediaParamT<kv_string> original(L"a");
    RecordingControl observer;
    original.Attach(&observer);
    original.UndoControl().Checkpoint();

    MediaParamT<kv_string> copy(original);
    EXPECT_EQ(copy.Value(), L"a");
    ASSERT_EQ(copy.Controls().size(), 1u);
    EXPECT_EQ(copy.Controls().front(), &copy.UndoControl());
    EXPECT_EQ(copy.UndoControl().History().Size(), 0u);
    copy.SetValue(L"b");
    EXPECT_TRUE(observer.sources.empty());
    original.Remove(&observer);
}

TEST(MediaParam, DestructionDetachesControlsAndControlsLeaveOnDestruction)
{
    RecordingControl survivor;
    {
        auto param = std::make_unique<MediaParamT<int>>(1);
        param->Attach(&survivor);
        {
            ObservingControl leaving(param.get());
            param->Attach(&leaving);
            param->Attach(&leaving);
        }
        EXPECT_EQ(param->Controls().size(), 2u); // undo control and survivor
    }
    EXPECT_EQ(survivor.detachCount, 1);

    auto param = std::make_unique<MediaParamTB<int>>(1);
    auto control = std::make_unique<ObservingControl>(param.get());
    param->Attach(control.get());
    param.reset();
    EXPECT_EQ(control->Observed(), nullptr);
    control.reset(); // must not touch the destroyed parameter
}

// An observing control that counts its notifications and may act on one.
class ActingControl : public MediaControlT<MediaParamTB<int>> {
public:
    ActingControl(MediaParamTB<int>* param, int& told) : MediaControlT(param), m_told(told) {}
    void OnChanged(MediaControl*) override
    {
        ++m_told;
        if (action)
            action();
    }

    std::function<void()> action;

private:
    int& m_told;
};

// What the middle one of three controls destroys while it is told.
struct DestroyCase {
    const char* name;
    int destroyed; // index of a control, or -1 for the parameter
    std::array<int, 3> told;
};

void PrintTo(const DestroyCase& c, std::ostream* os) { *os << c.name; }

class DestroyWhileNotifying : public testing::TestWithParam<DestroyCase> {
protected:
    DestroyWhileNotifying()
    {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            controls[i] = std::make_unique<ActingControl>(param.get(), told[i]);
            param->Attach(controls[i].get());
        }
    }

    std::unique_ptr<MediaParamTB<int>> param = std::make_unique<MediaParamTB<int>>(0);
    std::array<int, 3> told{};
    std::array<std::unique_ptr<ActingControl>, 3> controls;
};

TEST_P(DestroyWhileNotifying, TellsOnlyWhatIsStillAttached)
{
    const DestroyCase& c = GetParam();
    controls[1]->action = [this, &c] {
        if (c.destroyed < 0)
            param.reset();
        else
            controls[static_cast<std::size_t>(c.destroyed)].reset();
    };
    MediaParamTB<int>* notifying = param.get();
    notifying->SetValue(1);
    EXPECT_EQ(told, c.told);
    if (param)
        EXPECT_EQ(param->Controls().size(), 2u);
    else
        EXPECT_EQ(controls[2]->Observed(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Parameters, DestroyWhileNotifying,
                         testing::Values(DestroyCase{"next control", 2, {1, 1, 0}},
                                         DestroyCase{"earlier control", 0, {1, 1, 1}},
                                         DestroyCase{"the parameter", -1, {1, 1, 0}}));

TEST(MediaParam, VectorsCompareByComponent)
{
    MediaParamT<D3DXVECTOR3> param(D3DXVECTOR3(1, 2, 3));
    RecordingControl observer;
    param.Attach(&observer);
    param.SetValue(D3DXVECTOR3(1, 2, 3));
    param.SetValue(D3DXVECTOR3(1, 2, 4));
    EXPECT_EQ(observer.sources.size(), 1u);
    param.StoreAndNotify(D3DXVECTOR3(1, 2, 4));
    EXPECT_EQ(observer.sources.size(), 2u);
    param.Remove(&observer);
}

struct ScaleCase {
    unsigned int value;
    unsigned char alpha;
};

void PrintTo(const ScaleCase& c, std::ostream* os) { *os << "transparency " << c.value; }

class ByteScale : public testing::TestWithParam<ScaleCase> {};

TEST_P(ByteScale, TruncatesTowardZero)
{
    UINTSclaleTo<unsigned char> transparency(0, -2.55f, 255.0f);
    transparency.SetValue(GetParam().value);
    EXPECT_EQ(transparency.Result(), GetParam().alpha);
}

INSTANTIATE_TEST_SUITE_P(Parameters, ByteScale,
                         testing::Values(ScaleCase{0, 255}, ScaleCase{50, 127}, ScaleCase{100, 0}));

TEST(UINTSclaleTo, ResultFollowsNotificationOnly)
{
    TimeParam time(50);
    EXPECT_FLOAT_EQ(time.Result(), 0.5f);
    time.Value() = 0; // a reader's direct store
    EXPECT_FLOAT_EQ(time.Result(), 0.5f);
    time.NotifyControls(nullptr);
    EXPECT_FLOAT_EQ(time.Result(), 0.0f);

    time.SetValue(250);
    TimeParam copy(time);
    EXPECT_FLOAT_EQ(copy.Result(), 2.5f);
    EXPECT_EQ(copy.Controls().size(), 2u); // its undo control and itself
}

TEST(MediaSpeedParam, AdvanceCapsStepAndRestartsWhenTimeGoesBack)
{
    MediaSpeedParam speed(50, 0.02f);
    speed.Advance(0.1f);
    EXPECT_NEAR(speed.Phase(), 0.1f, 1e-6f);
    speed.Advance(5.0f); // gap capped at 0.2 s
    EXPECT_NEAR(speed.Phase(), 0.3f, 1e-6f);
    speed.Advance(1.0f); // backwards: nothing added, restarts there
    EXPECT_NEAR(speed.Phase(), 0.3f, 1e-6f);
    EXPECT_FLOAT_EQ(speed.LastTime(), 1.0f);
    speed.Advance(1.05f);
    EXPECT_NEAR(speed.Phase(), 0.35f, 1e-6f);
}

} // namespace
