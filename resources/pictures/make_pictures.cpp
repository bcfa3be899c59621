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
};

constexpr PictureSpec kPictures[] = {
    {"woven_emblem", 512, 512, 3, pictures::WovenEmblem},
    {"water_ripples", 512, 512, 1, pictures::WaterRipples},
    {"dark_weave", 256, 256, 2, pictures::DarkWeave},
    {"dawn_hills", 1024, 768, 2, pictures::DawnHills},
    {"mountain_lake", 1600, 900, 2, pictures::MountainLake},
    {"desert_dunes", 1200, 600, 2, pictures::DesertDunes},
    {"birch_forest", 720, 1200, 2, pictures::BirchForest},
    {"rose_window", 1024, 1024, 2, pictures::RoseWindow},
    {"tile_mosaic", 160, 120, 4, pictures::TileMosaic},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_pictures <name> <file.png>\n");
        return 2;
    }
    for (const PictureSpec& spec : kPictures) {
        if (std::strcmp(spec.name, argv[1]) != 0) continue;
        const auto rgb = pictures::Paint(spec.width, spec.height, spec.samples, spec.painter);
        if (!pictures::WritePng(argv[2], spec.width, spec.height, rgb)) {
            std::fprintf(stderr, "make_pictures: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "make_pictures: no picture named %s\n", argv[1]);
    return 2;
}
