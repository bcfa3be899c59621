// How Direct3D's conventions map onto GL, decided once for the whole layer.
//
// Rows: every render target, texture and surface keeps Direct3D's row order
// in GL memory, row 0 at the top. Contexts run with
// glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE), so clip-space +y lands in
// row 0 and clip depth runs 0 to 1, exactly as in Direct3D. Viewports,
// scissor rectangles and read-backs therefore use Direct3D's coordinates
// unchanged, and textures sample with Direct3D's texture coordinates.
// Only the window's default framebuffer is bottom first: Present flips.
#pragma once
