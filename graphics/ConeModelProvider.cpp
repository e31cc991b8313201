// graphics/ConeModelProvider.cpp
#include "graphics/ConeModelProvider.h"

#include <GL/glew.h>

#include <cmath>

namespace zumek {

ConeModelProvider& ConeModelProvider::Instance() {
    static ConeModelProvider* instance = new ConeModelProvider();
    return *instance;
}

void ConeModelProvider::BuildCone(float height, std::vector<float>& vertices, std::vector<unsigned int>& indices) {
    vertices.clear();
    indices.clear();
    const float half = height * 0.5f;
    const float twoPi = 6.28318530718f;
    auto push = [&](float x, float y, float z, float nx, float ny, float nz, float u, float v) {
        vertices.insert(vertices.end(), {x, y, z, nx, ny, nz, u, v});
    };
    // One apex copy per side, so each side keeps its own slanted normal.
    for (int i = 0; i < kRingVertices; ++i) {
        float a = static_cast<float>(i) * twoPi / 9.0f;
        push(0.0f, half, 0.0f, std::cos(a) / 1.4142f, 0.70711356f, std::sin(a) / 1.4142f, static_cast<float>(i) / 9.0f, 0.0f);
    }
    for (int i = 0; i < kRingVertices; ++i) {
        float a = static_cast<float>(i) * twoPi / 9.0f;
        push(std::cos(a) * half, -half, std::sin(a) * half, std::cos(a) / 1.4142f, 0.70711356f, std::sin(a) / 1.4142f,
             static_cast<float>(i) / 9.0f, 0.5f);
    }
    push(0.0f, -half, 0.0f, 0.0f, -1.0f, 0.0f, 0.5f, 1.0f);
    const unsigned ring = kRingVertices, centre = 2 * kRingVertices;
    for (unsigned i = 0; i + 1 < ring; ++i) {
        // Seen from outside the side runs apex, next ring vertex, this ring vertex (counter-clockwise).
        indices.insert(indices.end(), {i, ring + i + 1, ring + i});
        indices.insert(indices.end(), {centre, ring + i, ring + i + 1});
    }
}

ConeModelProvider::Mesh ConeModelProvider::Get(const std::string& name) {
    auto it = m_meshes.find(name);
    if (it != m_meshes.end()) return it->second;
    std::vector<float> vertices;
    std::vector<unsigned int> indices;
    BuildCone(1.0f, vertices, indices);
    Mesh mesh;
    GLuint buffers[2];
    glGenVertexArrays(1, &mesh.vertexArray);
    glGenBuffers(2, buffers);
    glBindVertexArray(mesh.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(unsigned int)), indices.data(),
                 GL_STATIC_DRAW);
    const GLsizei stride = kFloatsPerVertex * sizeof(float);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(6 * sizeof(float)));
    glBindVertexArray(0);
    mesh.indexCount = static_cast<int>(indices.size());
    m_meshes[name] = mesh;
    return mesh;
}

} // namespace zumek
