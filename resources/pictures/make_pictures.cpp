// make_pictures <name> <file.png>: paints one of the project's pictures.
#include <cstdio>
#include <cstring>

#include "canvas.h"
#include "pictures.h"
#include "png_file.h"

namespace {

struct PictureSpec {
    const char* name;
    int width;
    int height;
    int samples;  // per pixel and axis
    pictures::Painter painter;
    int channels = 3;  // 4 with alpha
};

constexpr PictureSpec kPictures[] = {
    {"woven_emblem", 512, 512, 3, pictures::WovenEmblem},
    {"water_ripples", 512, 512, 1, pictures::WaterRipples},
    {"water_bump", 256, 256, 1, pictures::WaterBump},
    {"dark_weave", 256, 256, 2, pictures::DarkWeave},
    {"dawn_hills", 1024, 768, 2, pictures::DawnHills},
    {"mountain_lake", 1024, 576, 2, pictures::MountainLake},
    {"desert_dunes", 1024, 512, 2, pictures::DesertDunes},
    {"night_harbour", 1024, 576, 2, pictures::NightHarbour},
    {"birch_forest", 576, 1024, 2, pictures::BirchForest},
    {"rose_window", 1024, 1024, 2, pictures::RoseWindow},
    {"cottage_garden", 1024, 576, 2, pictures::CottageGarden},
    {"tile_mosaic", 160, 120, 4, pictures::TileMosaic},
    {"glyph_strip", 32, 512, 4, pictures::GlyphStrip, 4},
    {"ball_highlight", 256, 256, 2, pictures::BallHighlight, 4},
    {"ball_glint", 256, 256, 2, pictures::BallGlint, 4},
    {"ball_stand", 256, 128, 2, pictures::BallStand, 4},
    {"bright_bolt", 512, 128, 2, pictures::BrightBolt, 4},
    {"thin_bolt", 512, 128, 2, pictures::ThinBolt, 4},
    {"flame_pattern", 256, 256, 2, pictures::FlamePattern, 4},
    {"fire_pattern", 256, 256, 2, pictures::FirePattern},
    {"tileable_noise", 256, 256, 1, pictures::TileableNoise},
    {"distortion_bump", 256, 256, 1, pictures::DistortionBump},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_pictures <name> <file.png>\n");
        return 2;
    }
    for (const PictureSpec& spec : kPictures) {
        if (std::strcmp(spec.name, argv[1]) != 0) continue;
        const auto rgb = pictures::Paint(spec.width, spec.height, spec.samples, spec.painter, spec.channels);
        if (!pictures::WritePng(argv[2], spec.width, spec.height, rgb, spec.channels)) {
            std::fprintf(stderr, "make_pictures: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "make_pictures: no picture named %s\n", argv[1]);
    return 2;
}
