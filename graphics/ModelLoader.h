// graphics/ModelLoader.h
#pragma once
#include <string>

#include <vector>

#include "graphics/AnimatedMesh.h"
#include "graphics/AssimpImport.h"
#include "graphics/MeshData.h"

struct aiScene;

namespace zumek {

/// Reads model files (OBJ text, suffix ".model"). Two readers exist: the small text reader
/// (positions, texture coordinates, normals and triangular faces "f a/b/c a/b/c a/b/c" only; the
/// light-volume sphere uses it) and the Assimp import (any format Assimp knows; sprites use it).
/// Neither needs a GL context. The Assimp import runs in the helper process `tovalik-import`
/// (ImportProcess): a crash, a hang past its time, a memory limit hit or a malformed answer of
/// the helper, or a missing helper, is one log line "Model could not be imported: <path>" with
/// what happened on standard error, and the mesh stays empty (a sprite without a mesh is not drawn).
class ModelLoader {
public:
    /// The text reader: fills `mesh` with every face corner expanded, and per-triangle tangents
    /// and bitangents from the texture coordinates. A missing file, a face that is not three
    /// full corners, or an index out of range logs one line naming the file and returns false
    /// with `mesh` empty.
    static bool ReadText(const std::string& path, MeshData& mesh);

    /// The Assimp import (triangulated, smooth normals and tangent space generated, UVs flipped).
    /// A file Assimp cannot read logs one line naming the file and Assimp's reason and returns
    /// false with `mesh` empty; so does any failure of the helper. Faces that are not triangles
    /// are reported (once per file) and skipped.
    static bool Import(const std::string& path, MeshData& mesh);

    /// The process-wide cache in front of Import: each path is imported once; later calls
    /// return the same arrays (also for a failed import, which stays empty and is not retried).
    static const MeshData& ImportCached(const std::string& path);
    /// How many imports the cache has run (for tests).
    static int ImportCount();

    /// The file a model key names: "<key>.model", else "<key>.<ext>" for the formats Assimp
    /// imports (glTF, COLLADA, FBX, DirectX .x first, then the rest of Assimp's list), in the
    /// user's overlay folder first, then in the shipped resources/models/.
    static std::string ModelPath(const std::string& key);
    /// The extensions (without the dot) ModelPath tries after ".model", in order.
    static const std::vector<std::string>& ImportExtensions();

    /// The Assimp import of an animated model (any format Assimp reads; ".model" files as OBJ
    /// text): indexed vertices with their strongest four bone weights renormalised, the parts
    /// with their textures, bones, nodes and animations. A file Assimp cannot read, or one with
    /// more bones than AnimatedMesh::kMaxBones, logs one line naming the file and returns false
    /// with `mesh` empty. Keys out of order are clamped and empty channels ignored (one line).
    static bool ImportAnimated(const std::string& path, AnimatedMesh& mesh);
    /// ImportAnimated from a scene already in memory (`path` names it in messages), in this process.
    static bool BuildAnimated(const aiScene& scene, const std::string& path, AnimatedMesh& mesh);
    /// The process-wide cache in front of ImportAnimated: each path is imported once (a failed
    /// import stays empty and is not retried). The reference stays valid for the whole run.
    static const AnimatedMesh& ImportAnimatedCached(const std::string& path);
    /// How many animated imports the cache has run (for tests).
    static int AnimatedImportCount();

private:
    /// Reports what the import met, as ReportProblem lines.
    static void ReportNotes(const ImportNotes& notes);
};

} // namespace zumek
