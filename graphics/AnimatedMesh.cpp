// graphics/AnimatedMesh.cpp
// Posing: for each node, its local transform is T * R * S from the channel's keys at the clock
// (or its bind transform when the animation has no channel for it); a node's model-space
// transform is its parent's times its local one; a bone's skinning matrix is its node's
// model-space transform times its offset (mesh bind pose -> bone space).
#include "graphics/AnimatedMesh.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/EngineLog.h"

namespace zumek::AnimationPose {

glm::quat Slerp(glm::quat a, glm::quat b, float t) {
    float cosine = glm::dot(a, b);
    // q and -q are the same rotation: going to -b when the dot is negative takes the shorter arc.
    if (cosine < 0.0f) {
        b = -b;
        cosine = -cosine;
    }
    float wa = 1.0f - t, wb = t;
    // Nearly equal: sin(angle) is close to 0, and linear weights are as good and stay finite.
    if (cosine <= 0.9999999f) {
        float angle = std::acos(cosine);
        float sine = std::sin(angle);
        wa = std::sin(wa * angle) / sine;
        wb = std::sin(wb * angle) / sine;
    }
    return glm::normalize(glm::quat(wa * a.w + wb * b.w, wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z));
}

template <class Key>
KeyPair FindKeys(const std::vector<Key>& keys, double time) {
    KeyPair pair;
    if (keys.size() < 2 || time <= keys.front().time) return pair;
    auto later = std::upper_bound(keys.begin(), keys.end(), time, [](double t, const Key& k) { return t < k.time; });
    if (later == keys.end()) {
        pair.prev = pair.next = keys.size() - 1;
        return pair;
    }
    pair.next = static_cast<size_t>(later - keys.begin());
    pair.prev = pair.next - 1;
    // prev.time <= time < next.time, so the span is positive; the clamp guards the rounding.
    double span = keys[pair.next].time - keys[pair.prev].time;
    pair.t = span > 0.0 ? std::clamp(static_cast<float>((time - keys[pair.prev].time) / span), 0.0f, 1.0f) : 1.0f;
    return pair;
}

template KeyPair FindKeys<VectorKey>(const std::vector<VectorKey>&, double);
template KeyPair FindKeys<RotationKey>(const std::vector<RotationKey>&, double);

glm::vec3 Interpolate(const std::vector<VectorKey>& keys, double time) {
    KeyPair pair = FindKeys(keys, time);
    if (pair.prev == pair.next) return keys[pair.prev].value;
    return glm::mix(keys[pair.prev].value, keys[pair.next].value, pair.t);
}

glm::quat Interpolate(const std::vector<RotationKey>& keys, double time) {
    KeyPair pair = FindKeys(keys, time);
    if (pair.prev == pair.next) return keys[pair.prev].value;
    return Slerp(keys[pair.prev].value, keys[pair.next].value, pair.t);
}

double AnimationTicks(const Animation& animation, double clockSeconds) {
    if (!(animation.duration > 0.0)) return 0.0;
    double ticks = std::fmod(clockSeconds * animation.ticksPerSecond, animation.duration);
    return ticks < 0.0 ? ticks + animation.duration : ticks;
}

int ResolveAnimation(const AnimatedMesh& mesh, int index) {
    if (index >= 0 && index < static_cast<int>(mesh.animations.size())) return index;
    if (!mesh.reportedAnimationIndex && !mesh.animations.empty()) {
        mesh.reportedAnimationIndex = true;
        ReportProblem(Warning, "Animation index out of range, the first animation is used: " + mesh.path,
                      "asked for " + std::to_string(index) + ", the model has " + std::to_string(mesh.animations.size()));
    }
    return 0;
}

void PoseNodes(const AnimatedMesh& mesh, const Animation* animation, double ticks, std::vector<glm::mat4>& globals) {
    globals.resize(mesh.nodes.size());
    for (size_t i = 0; i < mesh.nodes.size(); ++i) {
        const SkeletonNode& node = mesh.nodes[i];
        glm::mat4 local = node.transform;
        const int channelIndex = animation && i < animation->channelOfNode.size() ? animation->channelOfNode[i] : -1;
        if (channelIndex >= 0) {
            const AnimationChannel& channel = animation->channels[static_cast<size_t>(channelIndex)];
            glm::vec3 t = channel.translations.empty() ? node.translation : Interpolate(channel.translations, ticks);
            glm::quat r = channel.rotations.empty() ? node.rotation : Interpolate(channel.rotations, ticks);
            glm::vec3 s = channel.scales.empty() ? node.scale : Interpolate(channel.scales, ticks);
            local = glm::mat4_cast(r);
            local[0] *= s.x;
            local[1] *= s.y;
            local[2] *= s.z;
            local[3] = glm::vec4(t, 1.0f);
        }
        globals[i] = node.parent >= 0 ? globals[static_cast<size_t>(node.parent)] * local : local;
    }
}

void PoseBones(const AnimatedMesh& mesh, int index, double clockSeconds, std::vector<glm::mat4>& bones,
               std::vector<glm::mat4>& globals) {
    const Animation* animation = nullptr;
    double ticks = 0.0;
    if (!mesh.animations.empty()) {
        animation = &mesh.animations[static_cast<size_t>(ResolveAnimation(mesh, index))];
        ticks = AnimationTicks(*animation, clockSeconds);
    }
    PoseNodes(mesh, animation, ticks, globals);
    bones.resize(mesh.bones.size());
    for (size_t b = 0; b < mesh.bones.size(); ++b) {
        const Bone& bone = mesh.bones[b];
        bones[b] = bone.node >= 0 ? globals[static_cast<size_t>(bone.node)] * bone.offset : glm::mat4(1.0f);
    }
}

} // namespace zumek::AnimationPose
