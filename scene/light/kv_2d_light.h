// A slide's background layer: the picture moved by the wandering camera,
// and the renderer the slide's objects draw through, with the pair of
// render targets through which objects receive the scene behind them.
#pragma once

#include <memory>
#include <vector>

#include "scene/light/kv_abrender.h"
#include "scene/light/picture_quad.h"
#include "scene/model/counted_ref.h"
#include "scene/model/fun_light_ctrl.h"
#include "scene/render/kvm_camera.h"
#include "scene/render/render_target_pair.h"
#include "scene/resources/kv_imagefilelink.h"

class KV_ABObj;
class KV_IOF_Virtual;

class KV_2D_Light : public KV_ABRender {
public:
    KV_2D_Light();
    KV_2D_Light(const KV_2D_Light&) = delete;
    KV_2D_Light& operator=(const KV_2D_Light&) = delete;
    ~KV_2D_Light() override;

    // The light registry's reader: a registered class name and its fields,
    // or nothing for a name that is not registered.
    static std::unique_ptr<KV_2D_Light> ReadNew(KV_IOF_Virtual& archive);
    // The fields of this class's record of the version.
    void Read(KV_IOF_Virtual& archive, DWORD version);
    // The base part that ends every light record.
    static void ReadRecord(KV_IOF_Virtual& archive, KV_2D_Light& light);
    void Write(KV_IOF_Virtual& archive) const override;

    void PushRenderTarget(const RenderTargetPair& pair, int mode) override;
    void PopRenderTarget() override;
    TextureHolder& GetSceneTexture() override;
    const PictureQuad& GetPictureQuad() const override { return m_pictureQuad; }
    UINT GetPictureWidth() const override { return m_pictureQuad.picture.width; }
    UINT GetPictureHeight() const override { return m_pictureQuad.picture.height; }

    virtual void Create();
    virtual void RestoreDeviceObjects();
    virtual void InvalidateDeviceObjects();
    virtual void DrawBorders(int flag);
    virtual void RenderBackground(int flag);
    virtual void FrameMove(float time);
    virtual void Resize(int width, int height);
    virtual void SetPicturePosition(int mode);
    // The slide fade: an RHWC quad blended by its diffuse alpha.
    virtual void DrawOverlay(const KV_SimpleMesh* quad);
    virtual void DrawTexturedOverlay(const TexturedQuad& quad);
    // Objects from the last to the first; n counts the scene readers among
    // them (and the light itself when it reads the scene).
    virtual void RenderObjects(const std::vector<CountedRef<KV_ABObj>>& objects, int n);
    virtual void BeginSceneCapture();
    virtual IDirect3DTexture9* GetNextSceneTarget();
    virtual const RenderTargetPair& EndSceneCapture(bool clear);
    // Returns whether the camera was wandering.
    virtual bool SetCameraWander(bool on);
    virtual bool NeedsSceneTexture() const { return false; }
    virtual void ReloadPicture();

    // The rendering context's border quads take the camera's border
    // texture: on every entry of the slide, so that each slide shows its own.
    void SetBorderTextures();
    bool Capturing() const { return m_capturing; }

    KV_ImageFileLink pictureLink;
    KVM_Camera camera;

protected:
    PictureQuad m_pictureQuad;
    TextureHolder m_sceneTexture;
    int m_pictureMode = 1;
    RenderTargetPair m_targets;
    int m_targetWidth = 0;
    int m_targetHeight = 0;

    void Layout(int mode, bool insideTarget);
    // The document's device objects, the pair at the back buffer's size and
    // the border textures: the end of every restore.
    void RestoreSceneTargets();

private:
    // Hands the reader being drawn the scene so far: the next target, or
    // for the last reader the back buffer.
    void ResolveSceneReader();
    // A last reader that never asked for the scene: the capture is ended
    // and put on the back buffer as it is.
    void ShowCapturedScene();

    KV_FunLightCtrl2<KV_2D_Light> m_pictureObserver;
    bool m_capturing = false;
    bool m_readerWaiting = false;
    bool m_waitingReaderIsLast = false;
    TexturedQuad m_captureCopy;
};
