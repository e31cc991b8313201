// graphics/ConeModelProvider.h
#pragma once
#include <map>
#include <string>
#include <vector>

namespace zumek {

/// Procedural cones (the bone marker of animated sprites), built on first request per name and
/// kept for the whole run.
class ConeModelProvider {
public:
    /// A cone mesh on the GPU: its vertex array and the number of indices to draw as triangles.
    struct Mesh {
        unsigned int vertexArray = 0;
        int indexCount = 0;
    };

    static ConeModelProvider& Instance();

    /// The cone of `name`, built on the first request. Needs a current GL context.
    Mesh Get(const std::string& name);

    /// The geometry of a cone of height `height` and radius height / 2 around the y axis, apex
    /// up at y = height / 2: ten apex vertices, ten base-ring vertices (angles i 2pi/9, the last
    /// closing the ring) and the base centre, eight floats each (position, normal, texture
    /// coordinate), with triangle indices for the sides and the base.
    static void BuildCone(float height, std::vector<float>& vertices, std::vector<unsigned int>& indices);

    static constexpr int kFloatsPerVertex = 8;
    static constexpr int kRingVertices = 10;

private:
    ConeModelProvider() = default;
    std::map<std::string, Mesh> m_meshes;
};

} // namespace zumek
