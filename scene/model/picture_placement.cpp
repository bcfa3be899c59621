#include "scene/model/picture_placement.h"

PicturePlacement g_picturePlacement;
