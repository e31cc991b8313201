// tests/graphics/EyeImage.cpp
#include "tests/graphics/EyeImage.h"

#include <GL/glew.h>


namespace zumek::test {

bool EyeImage::IsCube(int x, int y) const {
    const uint8_t* p = &rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
    return p[0] > 40 && p[0] > 2 * p[1] && p[0] > 2 * p[2];
}

float EyeImage::CubeColumn() const {
    double sum = 0;
    long count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (IsCube(x, y)) sum += x, ++count;
    return count ? static_cast<float>(sum / static_cast<double>(count)) : -1.0f;
}

EyeImage ReadTexture(unsigned texture) {
    EyeImage image;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
    image.rgba.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return image;
}

DepthImage ReadDepthTexture(unsigned texture) {
    DepthImage image;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
    image.depth.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height), -1.0f);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, image.depth.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return image;
}

} // namespace zumek::test
