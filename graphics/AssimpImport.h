// graphics/AssimpImport.h
#pragma once
#include <string>
#include <vector>

#include "engine/LogMessage.h"
#include "graphics/AnimatedMesh.h"
#include "graphics/MeshData.h"

struct aiScene;

namespace zumek {

/// One problem met while importing a model: the engine log's text and the detail for standard
/// error (ReportProblem's two arguments). The import helper hands them back to the game, which
/// reports them as if it had imported the file itself.
struct ImportNote {
    LogLevel level = Error;
    std::string text;
    std::string detail;
};
using ImportNotes = std::vector<ImportNote>;

/// Assimp's side of model import. The game never calls these on a file: they run inside the
/// import helper (tools/import, `tovalik-import`), where a crash or a hang of Assimp costs that
/// process only. Each returns false with the mesh empty and a note saying why when the file
/// cannot be used; problems that were worked around are notes too.
namespace AssimpImport {

/// The still import (triangulated, smooth normals and tangent space generated, UVs flipped),
/// expanded per face corner. A file Assimp cannot read is tried as OBJ text, as ".model" files are.
bool ReadStill(const std::string& path, MeshData& mesh, ImportNotes& notes);

/// The animated import: indexed vertices with their strongest four bone weights renormalised,
/// parts, bones, nodes and animations (".model" files as OBJ text).
bool ReadAnimated(const std::string& path, AnimatedMesh& mesh, ImportNotes& notes);

/// The animated mesh of a scene already in memory (`path` names it in notes).
bool BuildAnimated(const aiScene& scene, const std::string& path, AnimatedMesh& mesh, ImportNotes& notes);

} // namespace AssimpImport

} // namespace zumek
