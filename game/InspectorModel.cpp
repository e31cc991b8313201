// game/InspectorModel.cpp
#include "game/InspectorModel.h"

#include <cxxabi.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "content/ComponentRegistry.h"
#include "engine/EngineLog.h"
#include "engine/SignalManager.h"
#include "graphics/AnimatedSprite.h"
#include "graphics/Light.h"
#include "graphics/Sprite.h"
#include "objects/Object.h"
#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace zumek {
namespace {

bool Finite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool Differs(const glm::vec3& a, const glm::vec3& b) { return a != b; }

/// A component class no reader makes (the player's): its class name, without the namespace.
std::string ClassName(const std::type_index& type) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : type.name();
    std::free(demangled);
    const size_t colons = name.rfind("::");
    return colons == std::string::npos ? name : name.substr(colons + 2);
}

void Push(std::deque<float>& history, float value) {
    history.push_back(value);
    while (history.size() > InspectorModel::kHistory) history.pop_front();
}

} // namespace

InspectorModel::InspectorModel(bool listen) {
    if (listen) SignalManager::Connect<ObjectSelectSignal>(this);
}

std::vector<std::string> InspectorModel::PlaceStack() { return PlaceManager::Instance().Places(); }

std::vector<InspectorModel::ObjectRow> InspectorModel::Rows(const std::vector<Object*>& objects) {
    std::vector<ObjectRow> rows;
    rows.reserve(objects.size());
    for (const Object* object : objects) {
        if (!object) continue;
        ObjectRow row{object->GetId(), object->GetTag(), object->GetNumber(), {}};
        for (const auto& [type, component] : object->Components()) {
            const ComponentKind* kind = ComponentRegistry::Instance().FindByType(type);
            row.components.push_back(kind ? kind->key : ClassName(type));
        }
        std::sort(row.components.begin(), row.components.end());
        rows.push_back(std::move(row));
    }
    return rows;
}

bool InspectorModel::SelectByNumber(int32_t number) {
    for (const Object* object : ObjectManager::Instance().GetObjects()) {
        if (object && object->GetNumber() == number) {
            m_selected = object->GetId();
            return true;
        }
    }
    return false;
}

Object* InspectorModel::Selected() const {
    return m_selected.empty() ? nullptr : ObjectManager::Instance().GetObject(m_selected);
}

std::optional<InspectorModel::Details> InspectorModel::Inspect() const {
    const Object* object = Selected();
    if (!object) return std::nullopt;
    Details details;
    details.id = object->GetId();
    if (const Transform* transform = object->GetComponent<Transform>()) {
        details.hasTransform = true;
        details.position = transform->LocalPosition();
        details.rotationDegrees = transform->LocalRotationDegrees();
        details.scale = transform->LocalScale();
    }
    if (const Body* body = object->GetComponent<Body>()) {
        details.hasBody = true;
        details.velocity = body->GetVelocity();
        details.mass = body->GetMass();
        details.asleep = !body->IsAwake();
    }
    if (const Sprite* sprite = object->GetComponent<Sprite>()) {
        details.hasSprite = true;
        details.spriteColor = sprite->GetColor();
    } else if (const AnimatedSprite* animated = object->GetComponent<AnimatedSprite>()) {
        details.hasSprite = true;
        details.spriteColor = animated->GetColor();
    }
    if (const Light* light = object->GetComponent<Light>()) {
        details.hasLight = true;
        details.lightColor = light->GetColor();
    }
    return details;
}

bool InspectorModel::Apply(const Details& edited) {
    Object* object = Selected();
    std::optional<Details> now = Inspect();
    if (!object || !now || edited.id != now->id) return false;
    Transform* transform = object->GetComponent<Transform>();
    Body* body = object->GetComponent<Body>();
    if (transform) {
        if (Differs(edited.position, now->position) && Finite(edited.position)) {
            transform->SetPosition(edited.position);
            if (body) body->Wake(); // a sleeping body would otherwise hang where it was put
        }
        if (Differs(edited.rotationDegrees, now->rotationDegrees) && Finite(edited.rotationDegrees))
            transform->SetRotation(edited.rotationDegrees);
        if (Differs(edited.scale, now->scale) && Finite(edited.scale)) transform->SetScale(edited.scale);
    }
    if (body) {
        if (Differs(edited.velocity, now->velocity)) body->SetVelocity(edited.velocity); // refuses NaN itself
        if (edited.mass != now->mass && std::isfinite(edited.mass) && edited.mass >= 0.0f) body->SetMass(edited.mass);
        if (edited.asleep != now->asleep) {
            if (edited.asleep) body->Sleep();
            else body->Wake();
        }
    }
    auto colour = [](const glm::vec3& c) { return glm::clamp(c, glm::vec3(0.0f), glm::vec3(1.0f)); };
    if (Differs(edited.spriteColor, now->spriteColor) && Finite(edited.spriteColor)) {
        if (Sprite* sprite = object->GetComponent<Sprite>()) sprite->SetColor(colour(edited.spriteColor));
        else if (AnimatedSprite* animated = object->GetComponent<AnimatedSprite>()) animated->SetColor(colour(edited.spriteColor));
    }
    if (Differs(edited.lightColor, now->lightColor) && Finite(edited.lightColor))
        if (Light* light = object->GetComponent<Light>()) light->SetColor(colour(edited.lightColor));
    return true;
}

void InspectorModel::RecordFrame(float frameMs, float physicsMs) {
    Push(m_frameMs, frameMs);
    Push(m_physicsMs, physicsMs);
}

InspectorModel::Counts InspectorModel::Count(const std::vector<Object*>& objects, size_t contacts) {
    Counts counts;
    counts.contacts = contacts;
    for (const Object* object : objects) {
        if (!object) continue;
        ++counts.objects;
        if (object->HasComponent<Body>()) ++counts.bodies;
        if (object->HasComponent<Light>()) ++counts.lights;
        const Sprite* sprite = object->GetComponent<Sprite>();
        const AnimatedSprite* animated = object->GetComponent<AnimatedSprite>();
        if ((sprite && !sprite->IsHidden()) || (animated && !animated->IsHidden())) ++counts.drawCalls;
    }
    return counts;
}

void InspectorModel::Handle(ObjectSelectSignal signal) {
    if (!m_visible || !m_picking || !signal.selected) return;
    if (SelectByNumber(signal.id)) EngineLog::Instance().WriteInfo("Inspector selected " + m_selected);
}

} // namespace zumek
