// graphics/ModelLoader.h
#pragma once
#include <string>

#include "graphics/MeshData.h"

namespace zumek {

/// Reads model files (OBJ text, suffix ".model"). Two readers exist: the small text reader
/// (positions, texture coordinates, normals and triangular faces "f a/b/c a/b/c a/b/c" only; the
/// light-volume sphere uses it) and the Assimp import (any format Assimp knows; sprites use it).
/// Neither needs a GL context.
class ModelLoader {
public:
    /// The text reader: fills `mesh` with every face corner expanded, and per-triangle tangents
    /// and bitangents from the texture coordinates. A missing file, a face that is not three
    /// full corners, or an index out of range logs one line naming the file and returns false
    /// with `mesh` empty.
    static bool ReadText(const std::string& path, MeshData& mesh);

    /// The Assimp import (triangulated, smooth normals and tangent space generated, UVs flipped).
    /// A file Assimp cannot read logs one line naming the file and Assimp's reason and returns
    /// false with `mesh` empty. Faces that are not triangles are reported and skipped.
    static bool Import(const std::string& path, MeshData& mesh);

    /// The process-wide cache in front of Import: each path is imported once; later calls
    /// return the same arrays (also for a failed import, which stays empty and is not retried).
    static const MeshData& ImportCached(const std::string& path);
    /// How many imports the cache has run (for tests).
    static int ImportCount();
};

} // namespace zumek
