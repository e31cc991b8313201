// graphics/AnimatedMesh.h
#pragma once
#include <string>
#include <vector>

#include <glm/gtc/quaternion.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

#include "graphics/MeshData.h"

namespace zumek {

/// One drawable part of an animated model: a range of the shared index buffer drawn with
/// glDrawElementsBaseVertex, and its material.
struct AnimatedSubMesh {
    unsigned int indexCount = 0;
    unsigned int baseIndex = 0;  ///< first index of the part in the index buffer
    unsigned int baseVertex = 0; ///< added to every index of the part
    std::string texture;         ///< diffuse texture key below resources/textures/, empty for none
    glm::vec3 color{1.0f};       ///< the material's diffuse colour, times the sprite's colour
};

/// A bone: the node it follows and the matrix taking the mesh's bind pose into the bone's space.
struct Bone {
    std::string name;
    int node = -1;
    glm::mat4 offset{1.0f};
};

/// A node of the model's hierarchy. Nodes are stored parents first (nodes[0] is the root), so
/// one pass in order combines every transform from the root.
struct SkeletonNode {
    std::string name;
    int parent = -1;        ///< -1 for the root
    glm::mat4 transform{1.0f}; ///< bind-pose transform relative to the parent
    // The bind transform taken apart, for channels that animate only some of the three.
    glm::vec3 translation{0.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 scale{1.0f};
};

struct VectorKey {
    double time = 0.0; ///< ticks
    glm::vec3 value{0.0f};
};

struct RotationKey {
    double time = 0.0; ///< ticks
    glm::quat value{1.0f, 0.0f, 0.0f, 0.0f};
};

/// The keys of one node in one animation. Key times never decrease (the importer clamps them).
struct AnimationChannel {
    int node = -1;
    std::vector<VectorKey> translations;
    std::vector<RotationKey> rotations;
    std::vector<VectorKey> scales;
};

struct Animation {
    std::string name;
    double duration = 0.0;        ///< ticks; the clock wraps over it
    double ticksPerSecond = 25.0; ///< > 0
    std::vector<AnimationChannel> channels;
    std::vector<int> channelOfNode; ///< per node: its channel, or -1 when the animation leaves it be
};

/// An imported animated model: indexed vertices with up to four bone weights each, the parts
/// drawn from them, bones, the node hierarchy and the animations. A model without bones is a
/// still mesh (its vertices already placed by their nodes).
struct AnimatedMesh {
    /// The bones the skinning shader takes ("gBones" in skinning.vert); a model with more is refused.
    static constexpr int kMaxBones = 100;
    static constexpr int kWeightsPerVertex = 4;

    std::string path;
    MeshData vertices;                  ///< one entry per vertex, not per corner
    std::vector<glm::ivec4> boneIds;    ///< per vertex; -1 where unused
    std::vector<glm::vec4> boneWeights; ///< per vertex; the strongest four, summing to 1 (or all 0)
    std::vector<unsigned int> indices;
    std::vector<AnimatedSubMesh> subMeshes;
    std::vector<Bone> bones;
    std::vector<SkeletonNode> nodes;
    std::vector<Animation> animations;
    /// Set when an animation index outside the model was asked for and reported (once per model).
    mutable bool reportedAnimationIndex = false;

    bool IsValid() const { return !indices.empty() && !subMeshes.empty(); }
    bool IsSkinned() const { return !bones.empty(); }
};

/// The posing maths of animated models. Times are in ticks of the animation unless said.
namespace AnimationPose {

/// Spherical interpolation from `a` to `b` along the shorter arc (`b` negated when the two
/// are more than half a turn apart); plain linear weights when they are almost equal.
glm::quat Slerp(glm::quat a, glm::quat b, float t);

/// The keyframe pair around `time`: the first key later than `time` and the one before it,
/// t their blend factor in [0, 1]. Before the first key or after the last one, that key
/// alone (prev == next). Needs at least one key.
struct KeyPair {
    size_t prev = 0;
    size_t next = 0;
    float t = 0.0f;
};
template <class Key>
KeyPair FindKeys(const std::vector<Key>& keys, double time);

glm::vec3 Interpolate(const std::vector<VectorKey>& keys, double time);
glm::quat Interpolate(const std::vector<RotationKey>& keys, double time);

/// The animation's tick at `clockSeconds`: seconds times ticks per second, wrapped over the
/// duration so that the animation loops (a duration of 0 or less stays at 0).
double AnimationTicks(const Animation& animation, double clockSeconds);

/// `index` when the model has that animation, else 0 (reported once per model, naming the file).
int ResolveAnimation(const AnimatedMesh& mesh, int index);

/// Every node's model-space transform at `ticks` of `animation` (null: the bind pose).
void PoseNodes(const AnimatedMesh& mesh, const Animation* animation, double ticks, std::vector<glm::mat4>& globals);

/// The skinning matrices ("gBones") of `mesh` at `clockSeconds` of animation `index`: node
/// transform times bone offset, one per bone. `globals` keeps the node transforms (for drawing
/// the skeleton). A model without animations is posed in its bind pose.
void PoseBones(const AnimatedMesh& mesh, int index, double clockSeconds, std::vector<glm::mat4>& bones,
               std::vector<glm::mat4>& globals);

} // namespace AnimationPose

} // namespace zumek
