#include <gtest/gtest.h>

#include <windows.h>

#include "platform/sim_dialogs.h"

namespace {

class MessageBoxTest : public testing::Test {
protected:
    void SetUp() override { platform::sim::ClearShownMessageBoxes(); }
    void TearDown() override { platform::sim::ClearShownMessageBoxes(); }
};

TEST_F(MessageBoxTest, HeadlessTheBoxGoesToStandardErrorAndAnswersOk) {
    testing::internal::CaptureStderr();
    const int answer = MessageBoxW(nullptr, L"Not enough memory.", L"Lumière", MB_ICONERROR);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(printed, "Lumière: Not enough memory.\n");

    const auto shown = platform::sim::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_EQ(shown[0].text, L"Not enough memory.");
    EXPECT_EQ(shown[0].caption, L"Lumière");
    EXPECT_EQ(shown[0].type, MB_ICONERROR);
}

TEST_F(MessageBoxTest, EveryBoxIsRecordedInOrderAndANullCaptionIsError) {
    testing::internal::CaptureStderr();
    MessageBoxW(nullptr, L"first", L"One", MB_OK | MB_ICONINFORMATION);
    MessageBoxW(nullptr, nullptr, nullptr, MB_OK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "One: first\nError: \n");
    const auto shown = platform::sim::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(shown[1].caption, L"Error");
    EXPECT_EQ(shown[1].text, L"");
}

}  // namespace
