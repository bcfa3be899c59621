// Each control drawn as a user knows it, at its window's place.
#include "dialog/control_painter.h"

#include <array>
#include <algorithm>
#include <string>

#include <platform/unicode.h>

#include "dialog/controls.h"
#include "window/window_table.h"

namespace platform::dialog {
namespace {

using window::LookUpWindow;
using window::Window;

constexpr ImU32 kText = IM_COL32(0, 0, 0, 255);
constexpr ImU32 kGrayText = IM_COL32(160, 160, 160, 255);
constexpr ImU32 kBorder = IM_COL32(122, 122, 122, 255);
constexpr ImU32 kWhite = IM_COL32(255, 255, 255, 255);
constexpr ImU32 kHighlight = IM_COL32(0, 120, 215, 255);

// The text without the & that marks a mnemonic ("&&" stays one &).
std::string Label(const std::wstring& text) {
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        shown.push_back(text[i]);
    }
    return Utf8FromWide(shown);
}

class Painter {
public:
    Painter(ImDrawList& list, ImVec2 origin) : list_(list), origin_(origin) {}

    void Draw(HWND control, bool focused) {
        Window* window = LookUpWindow(control);
        if (!window || !window->IsVisible()) return;
        const POINT at = window::ClientOriginOnScreen(*window);
        const RECT client = window::ClientRectInWindow(*window);
        const ImVec2 min(static_cast<float>(at.x) - origin_.x, static_cast<float>(at.y) - origin_.y);
        const ImVec2 max(min.x + static_cast<float>(client.right), min.y + static_cast<float>(client.bottom));
        const ImU32 text = window->IsEnabled() ? kText : kGrayText;
        const std::string label = Label(window->text);
        const float lineHeight = ImGui::GetTextLineHeight();
        switch (KindOf(control)) {
            case ControlKind::PushButton: {
                list_.AddRectFilled(min, max, IM_COL32(225, 225, 225, 255));
                const bool isDefault = (window->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
                list_.AddRect(min, max, isDefault || focused ? kHighlight : kBorder, 0, 0, isDefault ? 2.0f : 1.0f);
                const ImVec2 size = ImGui::CalcTextSize(label.c_str());
                list_.AddText(ImVec2((min.x + max.x - size.x) / 2, (min.y + max.y - size.y) / 2), text, label.c_str());
                break;
            }
            case ControlKind::CheckBox:
            case ControlKind::RadioButton: {
                const float box = 13;
                const ImVec2 boxMin(min.x, (min.y + max.y - box) / 2);
                const ImVec2 boxMax(boxMin.x + box, boxMin.y + box);
                const bool checked = StateOf<ButtonState>(*window).check == BST_CHECKED;
                if (KindOf(control) == ControlKind::CheckBox) {
                    list_.AddRectFilled(boxMin, boxMax, kWhite);
                    list_.AddRect(boxMin, boxMax, kBorder);
                    if (checked)
                        list_.AddPolyline(std::array{ImVec2(boxMin.x + 3, boxMin.y + 6.5f),
                                                     ImVec2(boxMin.x + 5.5f, boxMin.y + 9.5f),
                                                     ImVec2(boxMin.x + 10, boxMin.y + 3.5f)}
                                              .data(),
                                          3, text, 0, 2.0f);
                } else {
                    const ImVec2 centre((boxMin.x + boxMax.x) / 2, (boxMin.y + boxMax.y) / 2);
                    list_.AddCircleFilled(centre, box / 2, kWhite);
                    list_.AddCircle(centre, box / 2, kBorder);
                    if (checked) list_.AddCircleFilled(centre, 3.5f, text);
                }
                list_.AddText(ImVec2(boxMax.x + 4, (min.y + max.y - lineHeight) / 2), text, label.c_str());
                if (focused) list_.AddRect(min, max, kHighlight);
                break;
            }
            case ControlKind::GroupBox: {
                const float top = min.y + lineHeight / 2;
                list_.AddRect(ImVec2(min.x, top), max, IM_COL32(200, 200, 200, 255));
                const ImVec2 size = ImGui::CalcTextSize(label.c_str());
                list_.AddRectFilled(ImVec2(min.x + 6, min.y), ImVec2(min.x + 10 + size.x, min.y + lineHeight), kDialogFace);
                list_.AddText(ImVec2(min.x + 8, min.y), text, label.c_str());
                break;
            }
            case ControlKind::Static: {
                const ImVec2 size = ImGui::CalcTextSize(label.c_str());
                const DWORD align = window->style & 0x3;
                const float x = align == SS_RIGHT ? max.x - size.x : align == SS_CENTER ? (min.x + max.x - size.x) / 2 : min.x;
                list_.PushClipRect(min, max, true);
                list_.AddText(nullptr, 0, ImVec2(x, min.y), text, label.c_str(), nullptr, max.x - min.x);
                list_.PopClipRect();
                break;
            }
            case ControlKind::ComboBox: {
                list_.AddRectFilled(min, max, window->IsEnabled() ? kWhite : kDialogFace);
                list_.AddRect(min, max, focused ? kHighlight : kBorder);
                const ComboState& state = StateOf<ComboState>(*window);
                if (state.selection >= 0)
                    list_.AddText(ImVec2(min.x + 4, (min.y + max.y - lineHeight) / 2), text,
                                  Utf8FromWide(state.items[static_cast<size_t>(state.selection)].text).c_str());
                const ImVec2 centre(max.x - 9, (min.y + max.y) / 2);
                list_.AddTriangleFilled(ImVec2(centre.x - 4, centre.y - 2), ImVec2(centre.x + 4, centre.y - 2),
                                        ImVec2(centre.x, centre.y + 3), text);
                break;
            }
            case ControlKind::ComboList: {
                const HWND combo = reinterpret_cast<HWND>(window->userData);
                Window* comboWindow = LookUpWindow(combo);
                if (!comboWindow) break;
                const ComboState& state = StateOf<ComboState>(*comboWindow);
                // The frame is the list window's border, round its client area;
                // the items fill the client area, as hit testing counts them.
                list_.AddRectFilled(min, max, kWhite);
                list_.AddRect(ImVec2(min.x - 1, min.y - 1), ImVec2(max.x + 1, max.y + 1), kBorder);
                const int height = ComboItemHeight();
                for (size_t i = static_cast<size_t>(state.firstShown); i < state.items.size(); ++i) {
                    const float top = min.y + static_cast<float>((static_cast<int>(i) - state.firstShown) * height);
                    if (top + static_cast<float>(height) > max.y) break;
                    const bool selected = static_cast<int>(i) == state.selection;
                    if (selected)
                        list_.AddRectFilled(ImVec2(min.x + 1, top), ImVec2(max.x - 1, top + static_cast<float>(height)),
                                            kHighlight);
                    list_.AddText(ImVec2(min.x + 4, top), selected ? kWhite : kText,
                                  Utf8FromWide(state.items[i].text).c_str());
                }
                break;
            }
            case ControlKind::Trackbar: {
                const TrackbarState& state = StateOf<TrackbarState>(*window);
                const RECT channel = TrackbarChannel(control);
                list_.AddRectFilled(ImVec2(min.x + static_cast<float>(channel.left), min.y + static_cast<float>(channel.top)),
                                    ImVec2(min.x + static_cast<float>(channel.right), min.y + static_cast<float>(channel.bottom)),
                                    IM_COL32(220, 220, 220, 255));
                const int range = std::max(1, state.maximum - state.minimum);
                for (int tic = state.minimum; tic <= state.maximum; tic += state.ticFrequency) {
                    const float x = min.x + static_cast<float>(channel.left) +
                                    static_cast<float>((channel.right - channel.left) * (tic - state.minimum)) / static_cast<float>(range);
                    list_.AddLine(ImVec2(x, max.y - 5), ImVec2(x, max.y - 1), kBorder);
                }
                const float thumb = min.x + static_cast<float>(TrackbarThumbX(control));
                const float middle = (min.y + max.y) / 2;
                list_.AddRectFilled(ImVec2(thumb - 5, middle - 9), ImVec2(thumb + 5, middle + 7),
                                    window->IsEnabled() ? kHighlight : kGrayText);
                if (focused) list_.AddRect(min, max, kHighlight);
                break;
            }
            case ControlKind::Tab: {
                const TabState& state = StateOf<TabState>(*window);
                const float strip = static_cast<float>(TabStripHeight());
                list_.AddRect(ImVec2(min.x, min.y + strip), max, kBorder);
                const std::vector<RECT> rects = TabRects(control);
                for (size_t i = 0; i < rects.size(); ++i) {
                    const ImVec2 a(min.x + static_cast<float>(rects[i].left), min.y + static_cast<float>(rects[i].top));
                    const ImVec2 b(min.x + static_cast<float>(rects[i].right), min.y + strip);
                    const bool selected = static_cast<int>(i) == state.selection;
                    list_.AddRectFilled(a, b, selected ? kWhite : IM_COL32(225, 225, 225, 255));
                    list_.AddRect(a, ImVec2(b.x, b.y + (selected ? 1.0f : 0.0f)), kBorder);
                    list_.AddText(ImVec2(a.x + 6, a.y + (strip - lineHeight) / 2), text,
                                  Utf8FromWide(state.labels[i]).c_str());
                }
                break;
            }
            case ControlKind::Other:
                break;
        }
    }

private:
    ImDrawList& list_;
    ImVec2 origin_;
};

}  // namespace

void DrawControl(ImDrawList& list, ImVec2 dialogOrigin, HWND control, bool focused) {
    Painter(list, dialogOrigin).Draw(control, focused);
}

}  // namespace platform::dialog
