// graphics/MeshData.cpp
#include "graphics/MeshData.h"

#include <GL/glew.h>

namespace zumek {
namespace {

template <class V>
void UploadAttribute(GLuint buffer, GLuint attribute, int components, const std::vector<V>& data) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(V)), data.empty() ? nullptr : data.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(attribute);
    glVertexAttribPointer(attribute, components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

} // namespace

void MeshBuffers::Upload(const MeshData& mesh) {
    if (!vertexArray) {
        glGenVertexArrays(1, &vertexArray);
        glGenBuffers(5, buffers);
    }
    glBindVertexArray(vertexArray);
    UploadAttribute(buffers[0], 0, 3, mesh.positions);
    UploadAttribute(buffers[1], 1, 2, mesh.uvs);
    UploadAttribute(buffers[2], 2, 3, mesh.normals);
    UploadAttribute(buffers[3], 3, 3, mesh.tangents);
    UploadAttribute(buffers[4], 4, 3, mesh.bitangents);
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
