#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include <windows.h>

namespace {

TEST(Apartment, InitialisationIsCountedPerThread) {
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    HRESULT otherThread = E_FAIL;
    std::thread([&] {
        otherThread = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        CoUninitialize();
    }).join();
    EXPECT_EQ(otherThread, S_OK);
    CoUninitialize();
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);  // one initialisation still open
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
}

DWORD BytePrefix(BSTR text) {
    DWORD bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<const char*>(text) - sizeof(DWORD), sizeof bytes);
    return bytes;
}

TEST(Bstr, LengthPrefixedAndTerminated) {
    BSTR text = SysAllocString(L"key");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringLen(text), 3u);
    EXPECT_EQ(BytePrefix(text), 3 * sizeof(OLECHAR));
    EXPECT_EQ(std::wstring(text), L"key");
    SysFreeString(text);

    BSTR embedded = SysAllocStringLen(L"a\0b", 3);
    EXPECT_EQ(SysStringLen(embedded), 3u);
    EXPECT_EQ(std::wstring(embedded, 4), std::wstring(L"a\0b\0", 4));
    SysFreeString(embedded);

    BSTR blank = SysAllocStringLen(nullptr, 4);
    EXPECT_EQ(SysStringLen(blank), 4u);
    EXPECT_EQ(std::wstring(blank, 5), std::wstring(5, L'\0'));
    SysFreeString(blank);
}

TEST(Bstr, NullStrings) {
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
    BSTR empty = SysAllocString(L"");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);
}

TEST(TaskMemory, BlocksAreUsableAndFreed) {
    auto* block = static_cast<unsigned char*>(CoTaskMemAlloc(100));
    ASSERT_NE(block, nullptr);
    std::memset(block, 0x5A, 100);
    CoTaskMemFree(block);
    CoTaskMemFree(nullptr);
}

}  // namespace
