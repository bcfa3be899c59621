#include "scene/model/crt_random.h"

#include <cstdint>

namespace {

uint32_t g_randomState = 1;

} // namespace

int kv_rand()
{
    g_randomState = g_randomState * 214013u + 2531011u;
    return static_cast<int>((g_randomState >> 16) & 0x7FFFu);
}

void kv_srand(unsigned int seed)
{
    g_randomState = seed;
}
