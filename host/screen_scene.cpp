#include "host/screen_scene.h"

#include "host/settings_values.h"
#include "scene/document/scene_document.h"
#include "scene/render/current_device.h"
#include "sound/direct_sound.h"
#include "sound/soundtrack.h"

namespace {

constexpr LONG kTrackComplete = 1;

struct MusicSettings {
    DWORD volume;
    DWORD muted;
};

// The stored music volume and mute, each kept as given when not stored.
MusicSettings ReadMusicSettings(MusicSettings settings) {
    ReadSettingValue(&settings.volume, kSoundVolumeValue);
    ReadSettingValue(&settings.muted, kMuteSoundValue);
    return settings;
}

}  // namespace

void ScreenScene::DrawSplash() {
    CreateSplashQuad(splash);
    if (FAILED(g_currentDevice->BeginScene())) return;
    g_currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    g_currentDevice->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    g_currentDevice->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    g_currentDevice->SetTexture(0, splash.texture.Get());
    SetScreenMeshStream(splash);
    g_currentDevice->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    g_currentDevice->EndScene();
    splashShown = true;
}

void ScreenScene::StartShow() {
    running = true;
    SceneDocument document = LoadSceneDocument();
    manager = std::move(document.manager);
    root = std::move(document.root);
    root->BuildSlides();
    for (const CountedRef<KV_AudioFile>& item : root->playlist) item->ExportToTempFolder();
    root->SetPicturePosition(GetPicturePosition());
    nextItem = 0;
    if (!root->playlist.empty()) PlayNextItem();
    ApplyPrimaryBufferVolume();
}

void ScreenScene::DrawShow() {
    const bool began = SUCCEEDED(g_currentDevice->BeginScene());
    if (began && root) root->Render(0);
    g_currentDevice->EndScene();
}

void ScreenScene::AdvanceSoundtrack(LONG code) {
    if (code != kTrackComplete || !root || root->playlist.empty()) return;
    if (nextItem >= root->playlist.size()) {
        if (root->playlist.size() == 1) {
            RewindSoundtrack();
            return;
        }
        nextItem = 0;
    }
    PlayNextItem();
}

void ScreenScene::ReleaseDevice() {
    if (g_currentDocResManager == manager.get()) g_currentDocResManager = nullptr;
    root.reset();
    manager.reset();
    view = ViewContext();
    splash = TexturedQuad();
}

void ScreenScene::ApplyPrimaryBufferVolume() {
    const MusicSettings settings = ReadMusicSettings({kDefaultSoundVolume, 0});
    if (!g_primarySoundBuffer) return;
    // Hundredths of a decibel: 0 at full volume down to -5000 at none.
    const LONG level = settings.muted != 0 ? DSBVOLUME_MIN : (static_cast<LONG>(settings.volume) - 100) * 50;
    g_primarySoundBuffer->SetVolume(level);
}

void ScreenScene::PlayNextItem() {
    PlaySoundtrackFile(root->playlist[nextItem]->file.FileName());
    const MusicSettings settings =
        ReadMusicSettings({static_cast<DWORD>(g_soundVolume), static_cast<DWORD>(g_muteSound)});
    g_soundVolume = static_cast<int>(settings.volume);
    g_muteSound = static_cast<int>(settings.muted);
    ApplySoundtrackVolume(g_muteSound);
    ++nextItem;
}
