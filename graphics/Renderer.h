// graphics/Renderer.h
#pragma once

namespace zumek {

/// Something that draws values of type T over the finished frame.
template <class T>
class Renderer {
public:
    virtual void Render(const T value) = 0;
    virtual ~Renderer() = default;
};

} // namespace zumek
