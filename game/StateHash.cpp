// game/StateHash.cpp
#include "game/StateHash.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "objects/Object.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace zumek {
namespace {

class Fnv1a {
public:
    void Add(const void* data, size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) m_hash = (m_hash ^ bytes[i]) * 0x100000001b3ull;
    }
    void Add(float value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Add(&bits, sizeof bits);
    }
    void Add(const glm::vec3& v) { Add(v.x), Add(v.y), Add(v.z); }
    uint64_t Value() const { return m_hash; }

private:
    uint64_t m_hash = 0xcbf29ce484222325ull;
};

} // namespace

uint64_t HashState(const std::vector<Object*>& objects) {
    Fnv1a hash;
    for (const Object* object : objects) {
        if (!object) continue;
        const std::string& id = object->GetId();
        hash.Add(id.data(), id.size() + 1); // with its terminator, so "ab"+"c" differs from "a"+"bc"
        if (const Transform* transform = object->GetComponent<Transform>()) {
            hash.Add(transform->GetPosition());
            hash.Add(transform->GetRotation());
            hash.Add(transform->GetScale());
        }
        if (const Body* body = object->GetComponent<Body>()) {
            hash.Add(body->GetPosition());
            const glm::quat& q = body->GetOrientation();
            hash.Add(q.x), hash.Add(q.y), hash.Add(q.z), hash.Add(q.w);
            hash.Add(body->GetVelocity());
            hash.Add(body->GetAngularVelocity());
            const unsigned char awake = body->IsAwake() ? 1 : 0;
            hash.Add(&awake, 1);
        }
    }
    return hash.Value();
}

std::string StateHashLine(const std::vector<Object*>& objects, long frames) {
    size_t count = 0;
    for (const Object* object : objects) count += object != nullptr;
    char line[96];
    std::snprintf(line, sizeof line, "state hash=%016" PRIx64 " frames=%ld objects=%zu", HashState(objects), frames, count);
    return line;
}

} // namespace zumek
