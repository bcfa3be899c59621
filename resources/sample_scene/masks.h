// Masks for the sample's masked effects: grey pictures (white covers,
// black leaves alone) stored in the document's generated-picture table.
#pragma once

#include <vector>

#include <windows.h>

class KV_DocResManager;
struct GuidKey;

// Coverage from 0 to 1 at (u, v), both running from 0 to 1 across and down.
using Coverage = float (*)(float u, float v);

// 1 inside an ellipse of radii (ru, rv) about (cu, cv), falling to 0 over
// its outer sixth.
float SoftEllipse(float u, float v, float cu, float cv, float ru, float rv);

// A 24-bit bottom-up BMP file of the coverage, size x size pixels.
std::vector<BYTE> MaskBitmap(int size, Coverage coverage);
// The mask as the generated picture under the key.
void StoreMask(KV_DocResManager& manager, const GuidKey& key, Coverage coverage);
