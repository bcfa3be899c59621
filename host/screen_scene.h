// One screen unit's scene: the splash of its first frame, its own copy of
// the slide show with the view and document resource manager it draws
// with, and its place in the music playlist.
#pragma once

#include <cstddef>
#include <memory>

#include <windows.h>

#include "scene/render/textured_quad.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/slideshow/kv_slideshow_light.h"

class ScreenScene {
public:
    // The splash picture as a centred square on black; shown once its
    // BeginScene succeeded.
    void DrawSplash();
    // Loads and prepares the unit's copy of the document and starts the
    // music. Throws kDocumentLoadError when the document cannot be loaded.
    void StartShow();
    void DrawShow();
    // At the end of a track (code 1) the next one plays.
    void AdvanceSoundtrack(LONG code);
    // Lets go of everything that holds the unit's device: the splash, the
    // show and its resources. The unit draws nothing afterwards.
    void ReleaseDevice();

    TexturedQuad splash;
    ViewContext view;
    std::unique_ptr<KV_DocResManager> manager;
    std::unique_ptr<KV_SlideShow_Light> root;
    // The playlist item to play next.
    std::size_t nextItem = 0;
    bool running = false;
    bool splashShown = false;

private:
    void PlayNextItem();
    // The primary buffer follows the stored music volume and mute.
    void ApplyPrimaryBufferVolume();
};
