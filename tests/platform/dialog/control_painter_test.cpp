// What the dialog painter draws for a control, read from the ImGui draw
// list it fills: no display needed.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include <imgui.h>
#include <windows.h>

#include "dialog/control_painter.h"
#include "dialog/controls.h"

namespace {

using platform::dialog::ComboState;

// A popup at (100, 80) holding one drop-down list combo box.
class ComboListPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::dialog::RegisterControlClasses();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"ComboListPaintTest";
        RegisterClassW(&windowClass);
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.Fonts->AddFontDefault();
        unsigned char* pixels = nullptr;
        int width = 0, height = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
        io.DisplaySize = ImVec2(1000, 1000);
        io.DeltaTime = 1.0f / 60;
        // Lines then sample the white pixel as rectangles do, not the atlas.
        ImGui::GetStyle().AntiAliasedLinesUseTex = false;
        ImGui::NewFrame();
    }
    void TearDown() override {
        ImGui::EndFrame();
        ImGui::DestroyContext();
        if (dialog_) DestroyWindow(dialog_);
    }

    // Drops the list of a combo box of the items, with the selection.
    HWND DropList(int dialogHeight, const std::vector<std::wstring>& items, int selection) {
        dialog_ = CreateWindowExW(0, L"ComboListPaintTest", L"", WS_POPUP | WS_VISIBLE, 100, 80, 300, dialogHeight,
                                  nullptr, nullptr, nullptr, nullptr);
        combo_ = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 200, 20,
                                 dialog_, nullptr, nullptr, nullptr);
        for (const std::wstring& item : items)
            SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
        SendMessageW(combo_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        return State().list;
    }

    const ComboState& State() const {
        return platform::dialog::StateOf<ComboState>(*platform::window::LookUpWindow(combo_));
    }

    HWND dialog_ = nullptr;
    HWND combo_ = nullptr;
};

struct Glyph {
    float middle;  // of its quad, in y
    ImU32 colour;
};

// Each character drawn is a quad of four vertices sampling the font atlas;
// rectangles and lines sample its white pixel instead.
std::vector<Glyph> GlyphsOf(const ImDrawList& list) {
    const ImVec2 white = ImGui::GetIO().Fonts->TexUvWhitePixel;
    std::vector<const ImDrawVert*> corners;
    for (const ImDrawVert& vertex : list.VtxBuffer) {
        if (vertex.uv.x != white.x || vertex.uv.y != white.y) corners.push_back(&vertex);
    }
    std::vector<Glyph> glyphs;
    for (size_t i = 0; i + 3 < corners.size(); i += 4)
        glyphs.push_back({(corners[i]->pos.y + corners[i + 2]->pos.y) / 2, corners[i]->col});
    return glyphs;
}

std::vector<Glyph> GlyphsBetween(const std::vector<Glyph>& glyphs, float top, float bottom) {
    std::vector<Glyph> between;
    std::ranges::copy_if(glyphs, std::back_inserter(between),
                         [&](const Glyph& glyph) { return glyph.middle >= top && glyph.middle < bottom; });
    return between;
}

int VisibleCharacters(const std::wstring& text) {
    return static_cast<int>(std::ranges::count_if(text, [](wchar_t c) { return c != L' '; }));
}

struct DroppedList {
    const char* name;
    int dialogHeight;
    int itemCount;
    int selection;

    friend void PrintTo(const DroppedList& list, std::ostream* out) { *out << list.name; }
};

class DroppedListTest : public ComboListPaintTest, public ::testing::WithParamInterface<DroppedList> {};

TEST_P(DroppedListTest, PaintsTheTextOfEveryShownItemInItsRow) {
    const DroppedList& c = GetParam();
    const std::vector<std::wstring> names = {L"Stretch", L"Fit", L"Fill", L"640 by 480", L"800 by 600",
                                             L"1024 by 768", L"1280 by 1024"};
    std::vector<std::wstring> items;
    for (int i = 0; i < c.itemCount; ++i) items.push_back(names[static_cast<size_t>(i) % names.size()]);
    const HWND list = DropList(c.dialogHeight, items, c.selection);
    ASSERT_NE(list, nullptr);

    RECT client{};
    GetClientRect(list, &client);
    const int height = platform::dialog::ComboItemHeight();
    const int shown = static_cast<int>(client.bottom) / height;
    ASSERT_EQ(client.bottom, shown * height);
    const int first = State().firstShown;
    ASSERT_LE(first, c.selection);
    ASSERT_LT(c.selection, first + shown);

    ImDrawList& drawList = *ImGui::GetBackgroundDrawList();
    platform::dialog::DrawControl(drawList, ImVec2(0, 0), list, false);
    const std::vector<Glyph> glyphs = GlyphsOf(drawList);
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    const auto top = static_cast<float>(origin.y);
    for (int row = 0; row < shown; ++row) {
        const int item = first + row;
        const float rowTop = top + static_cast<float>(row * height);
        const std::vector<Glyph> inRow = GlyphsBetween(glyphs, rowTop, rowTop + static_cast<float>(height));
        EXPECT_EQ(inRow.size(), static_cast<size_t>(VisibleCharacters(items[static_cast<size_t>(item)])))
            << "item " << item;
        const ImU32 colour = item == c.selection ? IM_COL32(255, 255, 255, 255) : IM_COL32(0, 0, 0, 255);
        for (const Glyph& glyph : inRow) EXPECT_EQ(glyph.colour, colour) << "item " << item;
    }
    // Nothing drawn beyond the list.
    EXPECT_EQ(GlyphsBetween(glyphs, top, top + static_cast<float>(client.bottom)).size(), glyphs.size());
}

INSTANTIATE_TEST_SUITE_P(Lists, DroppedListTest,
                         ::testing::Values(DroppedList{"ThreeItemsLastSelected", 200, 3, 2},
                                           DroppedList{"ThreeItemsFirstSelected", 200, 3, 0},
                                           DroppedList{"ScrolledToTheLastOfMany", 120, 20, 19},
                                           DroppedList{"ManyFirstSelected", 120, 20, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
