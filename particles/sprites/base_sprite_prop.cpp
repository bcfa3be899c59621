#include "particles/sprites/base_sprite_prop.h"

#include "scene/resources/kv_docresmanager.h"

KV_BaseSpriteProp::KV_BaseSpriteProp() = default;

KV_BaseSpriteProp::KV_BaseSpriteProp(const KV_BaseSpriteProp& other) = default;

void KV_BaseSpriteProp::ResolveImages()
{
    // A later record may store an empty path: only inline frames build a link.
    if (g_currentDocResManager && image.GetPath().empty() && !inlineFrames.empty()) {
        image.SetKey(g_currentDocResManager->BuildImageLinkFromList(inlineFrames, inlineDurations).Key());
        if (inlineSecond.Id() != 0)
            secondImage.SetKey(g_currentDocResManager->BuildImageLink(inlineSecond).Key());
    }
    inlineFrames.clear();
    inlineDurations.clear();
}
