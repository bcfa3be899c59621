// Creating and destroying windows, their geometry and their data.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/window/recording_window.h"

namespace {

using namespace window_test;

class WindowLifecycle : public ::testing::Test {
    WindowTest windows_;
};

TEST_F(WindowLifecycle, CreationParameterReachesNcCreateAndCreate) {
    std::vector<std::pair<UINT, void*>> seen;
    SetOverride([&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT*) {
        if (message == WM_NCCREATE || message == WM_CREATE)
            seen.emplace_back(message, reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        return false;
    });
    int marker = 0;
    HWND window = CreateWindowExW(0, RecordingClass(), L"Title", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, &marker);
    ASSERT_NE(window, nullptr);
    const std::vector<std::pair<UINT, void*>> expected = {{WM_NCCREATE, &marker}, {WM_CREATE, &marker}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(Log().front().message, WM_NCCREATE);
    DestroyWindow(window);
}

TEST_F(WindowLifecycle, CreationFailsForUnknownClassOrParent) {
    EXPECT_EQ(CreateWindowExW(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    // A parent handle that is no window, as one given on a command line.
    const HWND madeUp = reinterpret_cast<HWND>(static_cast<uintptr_t>(1234));
    EXPECT_EQ(CreateChild(madeUp, {0, 0, 10, 10}), nullptr);
    EXPECT_EQ(CreateWindowExW(0, RecordingClass(), L"", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_TRUE(Log().empty());
}

TEST_F(WindowLifecycle, CreationFailsWhenTheProcedureRefuses) {
    SetOverride([](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message != WM_CREATE) return false;
        *result = -1;
        return true;
    });
    EXPECT_EQ(CreateTopLevel(), nullptr);
    EXPECT_EQ(Messages(WM_DESTROY).size(), 1u);
    EXPECT_EQ(Messages(WM_NCDESTROY).size(), 1u);
}

TEST_F(WindowLifecycle, ClassNamesAreUniqueAndCaseInsensitive) {
    ASSERT_NE(RecordingClass(), nullptr);
    WNDCLASSW description{};
    description.lpfnWndProc = DefWindowProcW;
    description.lpszClassName = L"recordingwindow";
    EXPECT_EQ(RegisterClassW(&description), 0);
    description.lpszClassName = L"Lifecycle Atom Class";
    const ATOM atom = RegisterClassW(&description);
    ASSERT_NE(atom, 0);
    HWND window = CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_POPUP, 0, 0,
                                  10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(window, nullptr);
    DestroyWindow(window);
}

TEST_F(WindowLifecycle, DestroyOrderOwnedFirstThenDestroyDownAndNcDestroyUp) {
    HWND owner = CreateTopLevel();
    HWND child = CreateChild(owner, {0, 0, 50, 50});
    HWND grandchild = CreateChild(child, {0, 0, 10, 10});
    HWND owned = CreateTopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 20, 20}, child);  // owner is child's top level
    Log().clear();

    ASSERT_TRUE(DestroyWindow(owner));

    std::vector<std::pair<HWND, UINT>> order;
    for (const Received& received : Log())
        if (received.message == WM_DESTROY || received.message == WM_NCDESTROY)
            order.emplace_back(received.window, received.message);
    const std::vector<std::pair<HWND, UINT>> expected = {
        {owned, WM_DESTROY},       {owned, WM_NCDESTROY},      {owner, WM_DESTROY},
        {child, WM_DESTROY},       {grandchild, WM_DESTROY},   {grandchild, WM_NCDESTROY},
        {child, WM_NCDESTROY},     {owner, WM_NCDESTROY},
    };
    EXPECT_EQ(order, expected);
    for (HWND window : {owner, child, grandchild, owned}) EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(owner));
}

TEST_F(WindowLifecycle, WindowIsStillValidDuringDestroy) {
    HWND window = CreateTopLevel();
    bool validInDestroy = false;
    SetOverride([&](HWND handle, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_DESTROY) validInDestroy = IsWindow(handle) != FALSE;
        return false;
    });
    DestroyWindow(window);
    EXPECT_TRUE(validInDestroy);
}

TEST_F(WindowLifecycle, CloseThroughDefWindowProcDestroysTheWindow) {
    HWND window = CreateTopLevel();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Messages(WM_DESTROY).size(), 1u);
}

TEST_F(WindowLifecycle, TestWindowGeometry) {
    // The test mode's window: a 600 by 400 client area at (50, 50).
    const DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT rect{50, 50, 650, 450};
    ASSERT_TRUE(AdjustWindowRect(&rect, style, FALSE));
    EXPECT_LT(rect.left, 50);
    EXPECT_LT(rect.top, 50);
    HWND window = CreateTopLevel(style, rect);
    ASSERT_NE(window, nullptr);
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 400);
    RECT onScreen{};
    ASSERT_TRUE(GetWindowRect(window, &onScreen));
    EXPECT_EQ(onScreen.left, rect.left);
    EXPECT_EQ(onScreen.bottom, rect.bottom);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(origin.x, 50);
    EXPECT_EQ(origin.y, 50);
}

TEST_F(WindowLifecycle, ChildGeometryIsRelativeToTheParentsClientArea) {
    RECT client{0, 0, 400, 300};
    HWND parent = CreateTopLevel(WS_POPUP | WS_VISIBLE, {100, 200, 500, 500});
    RECT adjusted = client;
    AdjustWindowRect(&adjusted, WS_CHILD | WS_VISIBLE, FALSE);
    EXPECT_EQ(adjusted.right, 400);  // no frame for a plain child
    HWND child = CreateChild(parent, {10, 20, 110, 70});
    ASSERT_NE(child, nullptr);
    RECT rect{};
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 110);
    EXPECT_EQ(rect.top, 220);
    EXPECT_EQ(rect.right, 210);
    POINT point{115, 225};
    ScreenToClient(child, &point);
    EXPECT_EQ(point.x, 5);
    EXPECT_EQ(point.y, 5);
}

TEST_F(WindowLifecycle, SetWindowPosMovesAndSizes) {
    HWND window = CreateTopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    ASSERT_TRUE(SetWindowPos(window, HWND_TOPMOST, 1920, 0, 1280, 1024, SWP_NOACTIVATE));
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 1920);
    EXPECT_EQ(rect.right, 3200);
    EXPECT_EQ(rect.bottom, 1024);
    GetClientRect(window, &rect);
    EXPECT_EQ(rect.right, 1280);
    ASSERT_TRUE(SetWindowPos(window, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 5);
    EXPECT_EQ(rect.right, 1285);
}

TEST_F(WindowLifecycle, UserDataAndVisibility) {
    HWND window = CreateTopLevel(WS_POPUP);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 0);
    EXPECT_EQ(SetWindowLongPtrW(window, GWLP_USERDATA, 42), 0);
    EXPECT_EQ(SetWindowLongPtrW(window, GWLP_USERDATA, 43), 42);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 43);
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));
    EXPECT_TRUE(ShowWindow(window, SW_HIDE));
    EXPECT_FALSE(IsWindow(nullptr));
}

}  // namespace
