// On a display, a dialog is drawn with Dear ImGui through a GL context of
// its own window: each control at its window's place, in the dialog font.
// The controls take their input as window messages; ImGui only draws.
#include "dialog/dialog_painter.h"

#include <cstring>
#include <map>
#include <memory>

#include <SDL.h>
#include <epoxy/gl.h>
#include <imgui.h>

#include "sdl/gl_context.h"
#include <backends/imgui_impl_opengl3.h>

#include "dialog/control_painter.h"
#include "dialog/dialog_window.h"
#include "gdi/font_face.h"
#include "sdl/sdl_video.h"
#include "window/window_table.h"

namespace platform::dialog {
namespace {

using window::LookUpWindow;
using window::Window;

bool HaveDisplay() {
    if (!EnsureSdlVideo()) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

// The GL context and the ImGui context of one dialog window.
class DialogDrawing {
public:
    static std::unique_ptr<DialogDrawing> Create(SDL_Window* window, float fontPixels) {
        const RestoreCurrentGlContext restore;
        SDL_GLContext gl = CreateCoreGlContext(window);
        if (!gl) return nullptr;
        std::unique_ptr<DialogDrawing> drawing(new DialogDrawing(window, gl));
        ImGuiContext* previousImGui = ImGui::GetCurrentContext();
        drawing->imgui_ = ImGui::CreateContext();
        ImGui::SetCurrentContext(drawing->imgui_);
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        std::string file;
        int index = 0;
        if (gdi::FindSansFont(false, file, index)) {
            ImFontConfig config;
            config.FontNo = index;
            io.Fonts->AddFontFromFileTTF(file.c_str(), fontPixels, &config);
        }
        if (io.Fonts->Fonts.empty()) io.Fonts->AddFontDefault();
        drawing->rendererReady_ = ImGui_ImplOpenGL3_Init("#version 330 core");
        ImGui::SetCurrentContext(previousImGui);
        return drawing;
    }

    ~DialogDrawing() {
        {
            const RestoreCurrentGlContext restore;
            SDL_GL_MakeCurrent(window_, gl_);
            ImGuiContext* previousImGui = ImGui::GetCurrentContext();
            ImGui::SetCurrentContext(imgui_);
            if (rendererReady_) ImGui_ImplOpenGL3_Shutdown();
            ImGui::DestroyContext(imgui_);
            ImGui::SetCurrentContext(previousImGui == imgui_ ? nullptr : previousImGui);
        }
        SDL_GL_DeleteContext(gl_);
    }

    DialogDrawing(const DialogDrawing&) = delete;
    DialogDrawing& operator=(const DialogDrawing&) = delete;

    void Draw(Window& dialog, HWND focus) {
        if (!rendererReady_) return;
        const RestoreCurrentGlContext restore;
        if (SDL_GL_MakeCurrent(window_, gl_) != 0) return;
        ImGuiContext* previousImGui = ImGui::GetCurrentContext();
        ImGui::SetCurrentContext(imgui_);
        const RECT client = window::ClientRectInWindow(dialog);
        ImGuiIO& io = ImGui::GetIO();
        io.DisplaySize = ImVec2(static_cast<float>(client.right), static_cast<float>(client.bottom));
        io.DeltaTime = 1.0f / 60;
        ImGui_ImplOpenGL3_NewFrame();
        ImGui::NewFrame();
        ImDrawList& list = *ImGui::GetBackgroundDrawList();
        list.AddRectFilled(ImVec2(0, 0), io.DisplaySize, kDialogFace);
        const POINT origin = window::ClientOriginOnScreen(dialog);
        const ImVec2 dialogOrigin(static_cast<float>(origin.x), static_cast<float>(origin.y));
        for (HWND control : window::ChildWindows(dialog.handle)) DrawControl(list, dialogOrigin, control, control == focus);
        ImGui::Render();
        int width = 0, height = 0;
        SDL_GL_GetDrawableSize(window_, &width, &height);
        glViewport(0, 0, width, height);
        ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
        SDL_GL_SwapWindow(window_);
        ImGui::SetCurrentContext(previousImGui);
    }

private:
    DialogDrawing(SDL_Window* window, SDL_GLContext gl) : window_(window), gl_(gl) {}

    SDL_Window* window_;
    SDL_GLContext gl_;
    ImGuiContext* imgui_ = nullptr;
    bool rendererReady_ = false;
};

std::map<HWND, std::unique_ptr<DialogDrawing>>& Drawings() {
    static std::map<HWND, std::unique_ptr<DialogDrawing>> drawings;
    return drawings;
}

}  // namespace

void PaintDialog(HWND dialog) {
    ValidateRect(dialog, nullptr);
    for (HWND control : window::ChildWindows(dialog)) ValidateRect(control, nullptr);
    Window* window = LookUpWindow(dialog);
    const DialogState* state = DialogOf(dialog);
    if (!window || !state || !window->sdlWindow || !HaveDisplay()) return;
    auto& drawing = Drawings()[dialog];
    // The font's pixel height at 96 dots per inch.
    if (!drawing) drawing = DialogDrawing::Create(window->sdlWindow.get(), static_cast<float>(state->pointSize) * 96 / 72);
    if (drawing) drawing->Draw(*window, state->focus);
}

void ForgetDialogDrawing(HWND dialog) { Drawings().erase(dialog); }

}  // namespace platform::dialog
