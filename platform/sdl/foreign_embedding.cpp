#include "sdl/foreign_embedding.h"

#include <set>

#include <SDL.h>
#include <SDL_syswm.h>

#include "sdl/gl_context.h"
#include "sdl/sdl_video.h"

namespace platform {
namespace {

// Every window of an embedding, foreign or ours, for the life of the
// process: errors about them are expected once the foreign one is gone.
struct ErrorState {
    std::set<XID> embeddingWindows;
    XErrorHandler previous = nullptr;
    bool trapping = false;
    bool trapped = false;
};

ErrorState& Errors() {
    static ErrorState state;
    return state;
}

int OnXError(Display* display, XErrorEvent* error) {
    ErrorState& state = Errors();
    if (state.trapping) {
        state.trapped = true;
        return 0;
    }
    if (state.embeddingWindows.count(error->resourceid) != 0) return 0;
    return state.previous ? state.previous(display, error) : 0;
}

// Installed over SDL's own handler, which ends the program.
void InstallErrorHandler() {
    static const bool installed = [] {
        Errors().previous = XSetErrorHandler(OnXError);
        return true;
    }();
    (void)installed;
}

// Runs the requests with every error they cause caught; false when one did.
template <typename Requests>
bool WithoutErrors(Display* display, Requests requests) {
    ErrorState& state = Errors();
    XSync(display, False);  // earlier errors go where they belong
    state.trapping = true;
    state.trapped = false;
    const bool done = requests();
    XSync(display, False);
    state.trapping = false;
    return done && !state.trapped;
}

// The display and visual of a GL window as SDL makes them, learnt from one.
struct GlVisual {
    Display* display = nullptr;
    Visual* visual = nullptr;
    int depth = 0;
};

bool LearnGlVisual(GlVisual& learnt) {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || SDL_strcmp(driver, "x11") != 0) return false;
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!probe) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    XWindowAttributes attributes{};
    const bool known = SDL_GetWindowWMInfo(probe, &info) && info.subsystem == SDL_SYSWM_X11 &&
                       XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) != 0;
    if (known) learnt = GlVisual{info.info.x11.display, attributes.visual, attributes.depth};
    SDL_DestroyWindow(probe);
    return known;
}

}  // namespace

std::unique_ptr<ForeignEmbedding> ForeignEmbedding::Create(uintptr_t foreignId) {
    GlVisual gl;
    if (foreignId == 0 || !EnsureSdlVideo() || !KeepGlLibraryLoaded() || !LearnGlVisual(gl)) return nullptr;
    InstallErrorHandler();
    Display* display = gl.display;
    const auto foreign = static_cast<Window>(foreignId);
    std::unique_ptr<ForeignEmbedding> embedding(new ForeignEmbedding);
    embedding->display_ = display;
    std::set<XID>& expected = Errors().embeddingWindows;
    expected.insert(foreign);
    XWindowAttributes attributes{};
    const bool made = WithoutErrors(display, [&] {
        if (XGetWindowAttributes(display, foreign, &attributes) == 0) return false;
        Window below = 0;
        XTranslateCoordinates(display, foreign, attributes.root, 0, 0, &embedding->x_, &embedding->y_, &below);
        embedding->width_ = attributes.width;
        embedding->height_ = attributes.height;
        embedding->colormap_ = XCreateColormap(display, attributes.root, gl.visual, AllocNone);
        XSetWindowAttributes child{};
        child.colormap = embedding->colormap_;
        child.background_pixel = BlackPixel(display, XScreenNumberOfScreen(attributes.screen));
        child.event_mask = StructureNotifyMask | ExposureMask;
        embedding->child_ = XCreateWindow(display, foreign, 0, 0, attributes.width, attributes.height, 0, gl.depth,
                                          InputOutput, gl.visual, CWColormap | CWBackPixel | CWEventMask, &child);
        expected.insert(embedding->child_);
        // The foreign window's end arrives among SDL's events.
        XSelectInput(display, foreign, StructureNotifyMask);
        XMapWindow(display, embedding->child_);
        return true;
    });
    if (!made) return nullptr;
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
    embedding->sdlWindow_ = SDL_CreateWindowFrom(reinterpret_cast<void*>(embedding->child_));
    if (!embedding->sdlWindow_) return nullptr;
    return embedding;
}

ForeignEmbedding::~ForeignEmbedding() {
    auto* display = static_cast<Display*>(display_);
    if (child_ != 0) XDestroyWindow(display, child_);
    if (colormap_ != 0) XFreeColormap(display, colormap_);
    XFlush(display);
}

uintptr_t ForeignWindowDestroyed(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11) return 0;
    const XEvent& x = event.syswm.msg->msg.x11.event;
    if (x.type != DestroyNotify) return 0;
    const ErrorState& state = Errors();
    return state.embeddingWindows.count(x.xdestroywindow.window) != 0 ? x.xdestroywindow.window : 0;
}

}  // namespace platform
