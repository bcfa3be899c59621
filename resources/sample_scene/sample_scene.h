// The sample scene: a slide show built from the engine's own classes,
// which the build writes as the program's scene document.
#pragma once

#include <memory>
#include <vector>

#include <windows.h>

class KV_DocResManager;
class KV_SlideShow_Light;
struct SampleSounds;

// The show, with the bytes of the picture and of the sounds that the
// document stores put into the manager, which must be the current one
// while the show is written.
std::unique_ptr<KV_SlideShow_Light> BuildSampleShow(KV_DocResManager& manager, const std::vector<BYTE>& storedPicture,
                                                    const SampleSounds& sounds);
