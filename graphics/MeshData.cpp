// graphics/MeshData.cpp
#include "graphics/MeshData.h"

#include <GL/glew.h>

namespace zumek {

void UploadVertexAttribute(unsigned int buffer, unsigned int attribute, int components, const float* data, size_t floats) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(floats * sizeof(float)), floats ? data : nullptr, GL_STATIC_DRAW);
    glEnableVertexAttribArray(attribute);
    glVertexAttribPointer(attribute, components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void UploadMeshAttributes(const MeshData& mesh, const unsigned int buffers[5]) {
    UploadVertexAttribute(buffers[0], 0, 3, reinterpret_cast<const float*>(mesh.positions.data()), mesh.positions.size() * 3);
    UploadVertexAttribute(buffers[1], 1, 2, reinterpret_cast<const float*>(mesh.uvs.data()), mesh.uvs.size() * 2);
    UploadVertexAttribute(buffers[2], 2, 3, reinterpret_cast<const float*>(mesh.normals.data()), mesh.normals.size() * 3);
    UploadVertexAttribute(buffers[3], 3, 3, reinterpret_cast<const float*>(mesh.tangents.data()), mesh.tangents.size() * 3);
    UploadVertexAttribute(buffers[4], 4, 3, reinterpret_cast<const float*>(mesh.bitangents.data()), mesh.bitangents.size() * 3);
}

void MeshBuffers::Upload(const MeshData& mesh) {
    if (!vertexArray) {
        glGenVertexArrays(1, &vertexArray);
        glGenBuffers(5, buffers);
    }
    glBindVertexArray(vertexArray);
    UploadMeshAttributes(mesh, buffers);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    vertexCount = static_cast<int>(mesh.positions.size());
}

void MeshBuffers::Release() {
    if (vertexArray) {
        glDeleteBuffers(5, buffers);
        glDeleteVertexArrays(1, &vertexArray);
    }
    vertexArray = 0;
    for (auto& buffer : buffers) buffer = 0;
    vertexCount = 0;
}

} // namespace zumek
