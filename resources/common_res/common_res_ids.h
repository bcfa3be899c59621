// Identifiers of the resources of the module common_res.
#pragma once

// Resources of type "DDS".
#define IDR_DEFAULT_PICTURE 5
#define IDR_BORDER_PICTURE 6
// The flame layer's flames, and the noise its fire and the fire effect stir
// them with.
#define IDR_FLAME_PATTERN 7
#define IDR_FIRE_NOISE 8
#define IDR_GLYPH_STRIP 40
#define IDR_BALL_HIGHLIGHT 58
#define IDR_BALL_GLINT 59
#define IDR_BALL_STAND 60
// The flame layer's bump map.
#define IDR_DISTORTION_BUMP 62
// The 3D objects' defaults; the butterfly body's picture is the border's.
#define IDR_BUTTERFLY_BODY_MESH 68
#define IDR_BUTTERFLY_WING_MESH 69
#define IDR_CLOCK_MESH 70
#define IDR_CLOCK_DIAL_PICTURE 71
#define IDR_CLOCK_HAND_PICTURE 72
#define IDR_WATER_BUMP 89
// The fire effect's flames.
#define IDR_FIRE_PATTERN 93
// The discharge bolt's pictures: the bright bolt, any picture (the default
// link, which the bolt replaces) and the thin bolt.
#define IDR_BOLT_PICTURE 95
#define IDR_BOLT_ANY_PICTURE 97
#define IDR_BOLT_THIN_PICTURE 98

// Resources of type RCDATA.
#define IDR_PARTICLE_EFFECT 40
// The static animation's default effect, and the plant's.
#define IDR_ANIMATION_EFFECT 116
#define IDR_PLANT_EFFECT 117
// The effect-drawn sprites' effects, which documents link.
#define IDR_GLOW_EFFECT 150
#define IDR_EXPLOSION_EFFECT 151
#define IDR_TEXT_EFFECT 152
