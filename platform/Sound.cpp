// Sound -- silent placeholder; the SDL_mixer implementation replaces it.
#include "platform/Sound.h"

namespace Platform {

int PlaySoundA(const char*, void*, uint32_t) { return 1; }
int GGSSetDevice(int32_t, int32_t) { return 0; }
int GGSLoadFile(const char*, int32_t) { return 1; }
int GGSPlay(int32_t, int32_t, int32_t) { return 1; }
int GGSStop() { return 0; }
int GGSFree() { return 0; }

}  // namespace Platform
