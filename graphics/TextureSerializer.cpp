// graphics/TextureSerializer.cpp
#include "graphics/TextureSerializer.h"

#include <GL/glew.h>

#include "content/ContentType.h"
#include "engine/EngineLog.h"
#include "graphics/TextureDecoder.h"

namespace zumek {

Texture* TextureSerializer::Deserialize() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return DeserializeInto(name);
}

Texture* TextureSerializer::DeserializeInto(uint32_t name) {
    std::string path = GetContentPath(ContentType::Texture, m_name);
    DecodedImage image;
    std::string reason;
    const bool decoded = DecodeTextureFile(path, image, reason);
    int width = image.width, height = image.height;
    // Magenta and black: nobody mistakes it for intended art.
    static const unsigned char kPlaceholder[16] = {255, 0, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255, 255};
    const unsigned char* data = decoded ? image.rgba.data() : kPlaceholder;
    if (!decoded) {
        ReportProblem(Error, "Texture could not be loaded: " + path, reason);
        width = height = 2;
    }

    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, data);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, decoded ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, decoded ? GL_LINEAR : GL_NEAREST);
    if (GLEW_EXT_texture_filter_anisotropic) {
        GLfloat maximum = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, maximum);
    }
    glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    return new Texture{name, static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
}

} // namespace zumek
