// graphics/ImportProtocol.cpp
#include "graphics/ImportProtocol.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>

namespace zumek::ImportProtocol {
namespace {

static_assert(std::endian::native == std::endian::little, "the answer is copied as it is in memory");
static_assert(sizeof(glm::vec2) == 8 && sizeof(glm::vec3) == 12 && sizeof(glm::vec4) == 16 && sizeof(glm::ivec4) == 16);
static_assert(sizeof(glm::mat4) == 64);

class Writer {
public:
    void Bytes(const void* data, size_t size) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        m_out.insert(m_out.end(), bytes, bytes + size);
    }
    void U32(uint32_t value) { Bytes(&value, 4); }
    void I32(int32_t value) { Bytes(&value, 4); }
    void F64(double value) { Bytes(&value, 8); }
    void String(const std::string& text) {
        const uint32_t length = static_cast<uint32_t>(std::min<size_t>(text.size(), kMaxString));
        U32(length);
        Bytes(text.data(), length);
    }
    template <class T>
    void Array(const std::vector<T>& values) { Bytes(values.data(), values.size() * sizeof(T)); }
    std::vector<uint8_t>& Out() { return m_out; }

private:
    std::vector<uint8_t> m_out;
};

void WriteHeader(Writer& w, uint32_t kind, bool imported, const ImportNotes& notes) {
    w.Bytes(kMagic, 4);
    w.U32(kVersion);
    w.U32(kind);
    w.U32(imported ? 1 : 0);
    const size_t count = std::min<size_t>(notes.size(), kMaxNotes);
    w.U32(static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        w.U32(static_cast<uint32_t>(notes[i].level));
        w.String(notes[i].text);
        w.String(notes[i].detail);
    }
}

void WriteVertices(Writer& w, const MeshData& mesh) {
    w.U32(static_cast<uint32_t>(mesh.positions.size()));
    w.Array(mesh.positions);
    w.Array(mesh.uvs);
    w.Array(mesh.normals);
    w.Array(mesh.tangents);
    w.Array(mesh.bitangents);
}

template <class Key>
void WriteKeys(Writer& w, const std::vector<Key>& keys) {
    w.U32(static_cast<uint32_t>(keys.size()));
    for (const Key& key : keys) {
        w.F64(key.time);
        if constexpr (std::is_same_v<Key, RotationKey>) {
            const float wxyz[4] = {key.value.w, key.value.x, key.value.y, key.value.z};
            w.Bytes(wxyz, sizeof wxyz);
        } else {
            w.Bytes(&key.value, sizeof key.value);
        }
    }
}

/// Reads the answer's bytes front to back; the first failure sticks and names what was read.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_left(data ? size : 0) {}

    bool Fail(const std::string& what) {
        if (m_error.empty()) m_error = what;
        return false;
    }
    bool Bytes(void* out, size_t size, const char* what) {
        if (!m_error.empty()) return false;
        if (size > m_left) return Fail(std::string("it ends inside ") + what);
        if (size > 0) std::memcpy(out, m_data, size);
        m_data += size;
        m_left -= size;
        return true;
    }
    bool U32(uint32_t& value, const char* what) { return Bytes(&value, 4, what); }
    bool I32(int32_t& value, const char* what) { return Bytes(&value, 4, what); }
    bool F64(double& value, const char* what) { return Bytes(&value, 8, what); }
    bool String(std::string& text, const char* what) {
        uint32_t length = 0;
        if (!U32(length, what)) return false;
        if (length > kMaxString) return Fail(std::string(what) + " is longer than " + std::to_string(kMaxString) + " bytes");
        text.resize(length);
        return Bytes(text.data(), length, what);
    }
    /// A count of elements of at least `minBytes` each: refused when the bytes left cannot hold them.
    bool Count(uint32_t& count, size_t minBytes, const char* what) {
        if (!U32(count, what)) return false;
        if (static_cast<uint64_t>(count) * minBytes > m_left)
            return Fail(std::string(what) + " claims " + std::to_string(count) + " entries, more than the " +
                        std::to_string(m_left) + " bytes left hold");
        return true;
    }
    template <class T>
    bool Array(std::vector<T>& values, size_t count, const char* what) {
        if (static_cast<uint64_t>(count) * sizeof(T) > m_left) return Fail(std::string("it ends inside ") + what);
        values.resize(count);
        return Bytes(values.data(), count * sizeof(T), what);
    }
    bool AtEnd() const { return m_left == 0; }
    const std::string& Error() const { return m_error; }
    bool Ok() const { return m_error.empty(); }

private:
    const uint8_t* m_data;
    size_t m_left;
    std::string m_error;
};

bool ReadHeader(Reader& r, uint32_t kind, Answer& answer) {
    char magic[4];
    if (!r.Bytes(magic, 4, "the magic")) return false;
    if (std::memcmp(magic, kMagic, 4) != 0) return r.Fail("it does not start with ZMIM");
    uint32_t version = 0, gotKind = 0, imported = 0, notes = 0;
    if (!r.U32(version, "the version")) return false;
    if (version != kVersion) return r.Fail("version " + std::to_string(version) + ", expected " + std::to_string(kVersion));
    if (!r.U32(gotKind, "the kind")) return false;
    if (gotKind != kind) return r.Fail("kind " + std::to_string(gotKind) + ", expected " + std::to_string(kind));
    if (!r.U32(imported, "the imported flag")) return false;
    if (imported > 1) return r.Fail("the imported flag is " + std::to_string(imported));
    answer.imported = imported == 1;
    if (!r.U32(notes, "the note count")) return false;
    if (notes > kMaxNotes) return r.Fail(std::to_string(notes) + " notes, at most " + std::to_string(kMaxNotes));
    for (uint32_t i = 0; i < notes; ++i) {
        ImportNote note;
        uint32_t level = 0;
        if (!r.U32(level, "a note's level") || !r.String(note.text, "a note's text") ||
            !r.String(note.detail, "a note's detail"))
            return false;
        if (level > static_cast<uint32_t>(Error)) return r.Fail("a note has level " + std::to_string(level));
        note.level = static_cast<LogLevel>(level);
        answer.notes.push_back(std::move(note));
    }
    return true;
}

bool ReadVertices(Reader& r, MeshData& mesh, uint32_t& count) {
    constexpr size_t kVertexBytes = (3 + 2 + 3 + 3 + 3) * 4;
    return r.Count(count, kVertexBytes, "the vertex count") && r.Array(mesh.positions, count, "the positions") &&
           r.Array(mesh.uvs, count, "the texture coordinates") && r.Array(mesh.normals, count, "the normals") &&
           r.Array(mesh.tangents, count, "the tangents") && r.Array(mesh.bitangents, count, "the bitangents");
}

bool ReadEnd(Reader& r) {
    char mark[4];
    if (!r.Bytes(mark, 4, "the end mark")) return false;
    if (std::memcmp(mark, kEndMark, 4) != 0) return r.Fail("the end mark is missing");
    if (!r.AtEnd()) return r.Fail("bytes follow the end mark");
    return true;
}

template <class Key>
bool ReadKeys(Reader& r, std::vector<Key>& keys, const char* what) {
    constexpr size_t kKeyBytes = 8 + (std::is_same_v<Key, RotationKey> ? 16 : 12);
    uint32_t count = 0;
    if (!r.Count(count, kKeyBytes, what)) return false;
    keys.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        Key& key = keys[i];
        if (!r.F64(key.time, what)) return false;
        if constexpr (std::is_same_v<Key, RotationKey>) {
            float wxyz[4];
            if (!r.Bytes(wxyz, sizeof wxyz, what)) return false;
            key.value = glm::quat(wxyz[0], wxyz[1], wxyz[2], wxyz[3]);
        } else if (!r.Bytes(&key.value, sizeof key.value, what)) {
            return false;
        }
        // Posing looks keys up by time; the importer clamps them into order.
        if (i > 0 && !(key.time >= keys[i - 1].time)) return r.Fail(std::string(what) + " are out of order");
    }
    return true;
}

bool ReadAnimatedBody(Reader& r, AnimatedMesh& mesh) {
    uint32_t vertices = 0, indices = 0, parts = 0, bones = 0, nodes = 0, animations = 0;
    if (!ReadVertices(r, mesh.vertices, vertices) || !r.Array(mesh.boneIds, vertices, "the bone ids") ||
        !r.Array(mesh.boneWeights, vertices, "the bone weights"))
        return false;
    if (!r.Count(indices, 4, "the index count") || !r.Array(mesh.indices, indices, "the indices")) return false;
    if (!r.Count(parts, 12 + 4 + 12, "the part count")) return false;
    mesh.subMeshes.resize(parts);
    for (AnimatedSubMesh& part : mesh.subMeshes) {
        if (!r.U32(part.indexCount, "a part") || !r.U32(part.baseIndex, "a part") || !r.U32(part.baseVertex, "a part") ||
            !r.String(part.texture, "a part's texture") || !r.Bytes(&part.color, 12, "a part's colour"))
            return false;
        if (part.indexCount == 0 || part.indexCount % 3 != 0)
            return r.Fail("a part has " + std::to_string(part.indexCount) + " indices, not whole triangles");
        if (static_cast<uint64_t>(part.baseIndex) + part.indexCount > indices) return r.Fail("a part lies past the indices");
        for (uint32_t i = part.baseIndex; i < part.baseIndex + part.indexCount; ++i)
            if (static_cast<uint64_t>(part.baseVertex) + mesh.indices[i] >= vertices)
                return r.Fail("index " + std::to_string(i) + " points past the vertices");
    }
    if (!r.Count(bones, 4 + 4 + 64, "the bone count")) return false;
    if (bones > static_cast<uint32_t>(AnimatedMesh::kMaxBones))
        return r.Fail(std::to_string(bones) + " bones, at most " + std::to_string(AnimatedMesh::kMaxBones));
    mesh.bones.resize(bones);
    for (Bone& bone : mesh.bones)
        if (!r.String(bone.name, "a bone's name") || !r.I32(bone.node, "a bone") || !r.Bytes(&bone.offset, 64, "a bone"))
            return false;
    for (const glm::ivec4& ids : mesh.boneIds)
        for (int k = 0; k < 4; ++k)
            if (ids[k] < -1 || ids[k] >= static_cast<int>(bones)) return r.Fail("a vertex names bone " + std::to_string(ids[k]));
    if (!r.Count(nodes, 4 + 4 + 64 + 40, "the node count")) return false;
    mesh.nodes.resize(nodes);
    for (size_t n = 0; n < nodes; ++n) {
        SkeletonNode& node = mesh.nodes[n];
        float rotation[4];
        if (!r.String(node.name, "a node's name") || !r.I32(node.parent, "a node") || !r.Bytes(&node.transform, 64, "a node") ||
            !r.Bytes(&node.translation, 12, "a node") || !r.Bytes(rotation, 16, "a node") || !r.Bytes(&node.scale, 12, "a node"))
            return false;
        node.rotation = glm::quat(rotation[0], rotation[1], rotation[2], rotation[3]);
        // Posing combines transforms in one pass in order: parents come first, the root has none.
        const bool parentOk = n == 0 ? node.parent == -1 : node.parent >= 0 && static_cast<size_t>(node.parent) < n;
        if (!parentOk) return r.Fail("node " + std::to_string(n) + " has parent " + std::to_string(node.parent));
    }
    for (const Bone& bone : mesh.bones)
        if (bone.node < -1 || bone.node >= static_cast<int>(nodes)) return r.Fail("a bone follows node " + std::to_string(bone.node));
    if (!r.Count(animations, 4 + 8 + 8 + 4, "the animation count")) return false;
    mesh.animations.resize(animations);
    for (Animation& animation : mesh.animations) {
        uint32_t channels = 0;
        if (!r.String(animation.name, "an animation's name") || !r.F64(animation.duration, "an animation") ||
            !r.F64(animation.ticksPerSecond, "an animation") || !r.Count(channels, 4 + 12, "the channel count"))
            return false;
        if (!(animation.ticksPerSecond > 0.0)) return r.Fail("an animation has no ticks per second");
        animation.channels.resize(channels);
        animation.channelOfNode.assign(nodes, -1);
        for (uint32_t c = 0; c < channels; ++c) {
            AnimationChannel& channel = animation.channels[c];
            if (!r.I32(channel.node, "a channel")) return false;
            if (channel.node < 0 || channel.node >= static_cast<int>(nodes))
                return r.Fail("a channel animates node " + std::to_string(channel.node));
            if (!ReadKeys(r, channel.translations, "translation keys") || !ReadKeys(r, channel.rotations, "rotation keys") ||
                !ReadKeys(r, channel.scales, "scale keys"))
                return false;
            int& slot = animation.channelOfNode[static_cast<size_t>(channel.node)];
            if (slot < 0) slot = static_cast<int>(c);
        }
    }
    if (!mesh.IsValid()) return r.Fail("the mesh has no triangles");
    return true;
}

} // namespace

std::vector<uint8_t> WriteStill(bool imported, const MeshData& mesh, const ImportNotes& notes) {
    Writer w;
    WriteHeader(w, kStill, imported, notes);
    if (imported) WriteVertices(w, mesh);
    w.Bytes(kEndMark, 4);
    return std::move(w.Out());
}

std::vector<uint8_t> WriteAnimated(bool imported, const AnimatedMesh& mesh, const ImportNotes& notes) {
    Writer w;
    WriteHeader(w, kAnimated, imported, notes);
    if (imported) {
        WriteVertices(w, mesh.vertices);
        w.Array(mesh.boneIds);
        w.Array(mesh.boneWeights);
        w.U32(static_cast<uint32_t>(mesh.indices.size()));
        w.Array(mesh.indices);
        w.U32(static_cast<uint32_t>(mesh.subMeshes.size()));
        for (const AnimatedSubMesh& part : mesh.subMeshes) {
            w.U32(part.indexCount);
            w.U32(part.baseIndex);
            w.U32(part.baseVertex);
            w.String(part.texture);
            w.Bytes(&part.color, 12);
        }
        w.U32(static_cast<uint32_t>(mesh.bones.size()));
        for (const Bone& bone : mesh.bones) {
            w.String(bone.name);
            w.I32(bone.node);
            w.Bytes(&bone.offset, 64);
        }
        w.U32(static_cast<uint32_t>(mesh.nodes.size()));
        for (const SkeletonNode& node : mesh.nodes) {
            w.String(node.name);
            w.I32(node.parent);
            w.Bytes(&node.transform, 64);
            w.Bytes(&node.translation, 12);
            const float rotation[4] = {node.rotation.w, node.rotation.x, node.rotation.y, node.rotation.z};
            w.Bytes(rotation, 16);
            w.Bytes(&node.scale, 12);
        }
        w.U32(static_cast<uint32_t>(mesh.animations.size()));
        for (const Animation& animation : mesh.animations) {
            w.String(animation.name);
            w.F64(animation.duration);
            w.F64(animation.ticksPerSecond);
            w.U32(static_cast<uint32_t>(animation.channels.size()));
            for (const AnimationChannel& channel : animation.channels) {
                w.I32(channel.node);
                WriteKeys(w, channel.translations);
                WriteKeys(w, channel.rotations);
                WriteKeys(w, channel.scales);
            }
        }
    }
    w.Bytes(kEndMark, 4);
    return std::move(w.Out());
}

bool ReadStill(const uint8_t* data, size_t size, MeshData& mesh, Answer& answer, std::string& error) {
    mesh = MeshData{};
    answer = Answer{};
    Reader r(data, size);
    uint32_t vertices = 0;
    bool ok = ReadHeader(r, kStill, answer);
    if (ok && answer.imported) {
        ok = ReadVertices(r, mesh, vertices);
        if (ok && vertices % 3 != 0) ok = r.Fail(std::to_string(vertices) + " corners are not whole triangles");
    }
    ok = ok && ReadEnd(r);
    if (!ok) {
        error = r.Error();
        mesh = MeshData{};
        answer = Answer{};
    }
    return ok;
}

bool ReadAnimated(const uint8_t* data, size_t size, AnimatedMesh& mesh, Answer& answer, std::string& error) {
    const std::string path = mesh.path;
    mesh = AnimatedMesh{};
    mesh.path = path;
    answer = Answer{};
    Reader r(data, size);
    bool ok = ReadHeader(r, kAnimated, answer);
    if (ok && answer.imported) ok = ReadAnimatedBody(r, mesh);
    ok = ok && ReadEnd(r);
    if (!ok) {
        error = r.Error();
        mesh = AnimatedMesh{};
        mesh.path = path;
        answer = Answer{};
    }
    return ok;
}

} // namespace zumek::ImportProtocol
