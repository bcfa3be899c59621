#include "scene/model/picture_placement.h"

const PicturePlacement g_noPicturePlacement;
const PicturePlacement* g_picturePlacement = &g_noPicturePlacement;
