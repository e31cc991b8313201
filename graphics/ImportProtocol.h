// graphics/ImportProtocol.h
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/AssimpImport.h"

namespace zumek {

/// The answer of the import helper (`tovalik-import`) on its standard output: the one place
/// the format is written down. All numbers little-endian; u32/i32 are 4 bytes, f32 IEEE single,
/// f64 IEEE double; str = u32 byte length (at most kMaxString) then that many bytes (no NUL).
///
///   "ZMIM"                 magic, 4 bytes
///   u32 version            kVersion
///   u32 kind               1 still mesh, 2 animated mesh
///   u32 imported           1 the mesh follows, 0 it does not (the notes say why)
///   u32 noteCount          at most kMaxNotes; each: u32 level (0 info, 1 warning, 2 error), str text, str detail
///   -- when imported, kind 1 (MeshData, expanded per corner: V a multiple of 3):
///   u32 V; positions V x 3 f32; uvs V x 2 f32; normals, tangents, bitangents V x 3 f32 each
///   -- when imported, kind 2 (AnimatedMesh):
///   u32 V; the five arrays as above; boneIds V x 4 i32; boneWeights V x 4 f32
///   u32 I; indices I x u32
///   u32 S; each part: u32 indexCount, u32 baseIndex, u32 baseVertex, str texture, 3 f32 colour
///   u32 B; each bone: str name, i32 node, 16 f32 offset (column by column)
///   u32 N; each node: str name, i32 parent, 16 f32 transform, 3 f32 translation,
///          4 f32 rotation (w x y z), 3 f32 scale
///   u32 A; each animation: str name, f64 duration, f64 ticksPerSecond, u32 C; each channel:
///          i32 node, u32 count + count x (f64 time, 3 f32) translations,
///          u32 count + count x (f64 time, 4 f32 w x y z) rotations, u32 count + count x (f64 time, 3 f32) scales
///   "ZEND"                 end mark, 4 bytes; nothing may follow
///
/// The reader treats the answer as outside data: every count is checked against the bytes left
/// before anything is allocated, every index against what it points into (indices plus their
/// part's base vertex inside the vertices, parts inside the indices, bone ids inside the bones,
/// bones and channels on existing nodes, parents before their children, key times in order,
/// at most AnimatedMesh::kMaxBones bones). Any inconsistency refuses the whole answer.
namespace ImportProtocol {

constexpr char kMagic[4] = {'Z', 'M', 'I', 'M'};
constexpr char kEndMark[4] = {'Z', 'E', 'N', 'D'};
constexpr uint32_t kVersion = 1;
constexpr uint32_t kStill = 1;
constexpr uint32_t kAnimated = 2;
constexpr uint32_t kMaxString = 4096;
constexpr uint32_t kMaxNotes = 16;

/// The helper's command line: `tovalik-import still|animated <file> [--memory-mib N]`. Its exit
/// status: 0 an answer was written (imported or not), else one of these.
constexpr int kExitUsage = 2;
constexpr int kExitOutOfMemory = 3;
constexpr int kExitWriteFailed = 4;
/// Tests only: makes the helper fail on purpose - "crash" (abort), "hang" (sleeps for ever),
/// "garbage" (an answer of random bytes), "huge" (a header claiming 2^32-1 vertices),
/// "flood" (answers without end), "memory" (allocates until the memory limit stops it).
constexpr const char* kTestFaultVariable = "TOVALIK_IMPORT_TEST_FAULT";

/// The answer for a still import (`mesh` is sent only when `imported`). Longer strings are cut
/// to kMaxString bytes and notes past kMaxNotes dropped, so the reader accepts every answer written.
std::vector<uint8_t> WriteStill(bool imported, const MeshData& mesh, const ImportNotes& notes);
std::vector<uint8_t> WriteAnimated(bool imported, const AnimatedMesh& mesh, const ImportNotes& notes);

/// What the answer said besides the mesh.
struct Answer {
    bool imported = false;
    ImportNotes notes;
};

/// Reads a still answer into `mesh`; false with `error` saying what is wrong (and `mesh` empty)
/// when the bytes are not a consistent answer of that kind.
bool ReadStill(const uint8_t* data, size_t size, MeshData& mesh, Answer& answer, std::string& error);
/// Reads an animated answer into `mesh` (its `path` is left as it was; channelOfNode is rebuilt).
bool ReadAnimated(const uint8_t* data, size_t size, AnimatedMesh& mesh, Answer& answer, std::string& error);

} // namespace ImportProtocol

} // namespace zumek
