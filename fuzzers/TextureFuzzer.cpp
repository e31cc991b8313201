// fuzzers/TextureFuzzer.cpp
// Texture decoding (PNG, JPEG, TGA, BMP... as the texture reader takes them).
#include "graphics/TextureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zumek::DecodedImage image;
    std::string reason;
    zumek::DecodeTexture(data, size, image, reason);
    return 0;
}
