#include "effects/screenfx/brush_obj.h"

#include "scene/resources/kv_docresmanager.h"

namespace {

// The mask entry of the key, inserted empty when the table lacks it.
MaskSlot& FindMaskSlot(const GuidKey& key)
{
    static MaskSlot none;
    return g_currentDocResManager ? g_currentDocResManager->GuidTextures()[key] : none;
}

} // namespace

KV_BrushObj::KV_BrushObj(std::unique_ptr<KV_FX_Constructor> clone)
    : KV_ABObj(std::move(clone)), fx(static_cast<KV_FX_Constructor*>(&Description()))
{
    fx->LoadResources(FindMaskSlot(fx->maskKey));
}

void KV_BrushObj::Render(KV_ABRender& renderer) { fx->Render(renderer); }
void KV_BrushObj::Signal(int a, int) { fx->Signal(a); }
bool KV_BrushObj::ReadsScene() const { return fx->ReadsScene() && IsActive(); }
void KV_BrushObj::Update(float localTime) { fx->Update(localTime); }
