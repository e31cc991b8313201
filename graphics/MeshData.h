// graphics/MeshData.h
#pragma once
#include <cstddef>
#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace zumek {

/// A triangle list expanded per corner: every array has one entry per vertex (three per
/// triangle), ready for the five vertex attributes 0-4 of the G-buffer programs.
struct MeshData {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
};

/// Uploads `floats` floats as static data into `buffer`, read as attribute `attribute` of
/// `components` floats by the bound vertex array. Needs a current GL context.
void UploadVertexAttribute(unsigned int buffer, unsigned int attribute, int components, const float* data, size_t floats);
/// Uploads the five arrays of `mesh` into `buffers` as attributes 0 (3 floats), 1 (2), 2 (3),
/// 3 (3), 4 (3) of the bound vertex array.
void UploadMeshAttributes(const MeshData& mesh, const unsigned int buffers[5]);

/// The vertex array and five buffers of an uploaded MeshData. Owned by whoever uploaded it.
struct MeshBuffers {
    unsigned int vertexArray = 0;
    unsigned int buffers[5] = {0, 0, 0, 0, 0}; ///< positions, uvs, normals, tangents, bitangents
    int vertexCount = 0;

    /// Creates (once) the vertex array and buffers and uploads `mesh` as static data on
    /// attributes 0 (3 floats), 1 (2), 2 (3), 3 (3), 4 (3). Needs a current GL context.
    void Upload(const MeshData& mesh);
    /// Deletes the GL objects (safe when nothing was uploaded).
    void Release();
};

} // namespace zumek
