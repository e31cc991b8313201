// tests/physics/PhysicsScene.h
// A small world of the tests' own: objects with a transform and a body, stepped by a Physics
// system of their own, with a recorder of the collision signals.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "engine/SignalHandler.h"
#include "engine/SignalManager.h"
#include "engine/Signals.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "physics/BodySerializer.h"
#include "physics/Physics.h"

namespace zumek::test {

/// Records every CollisionSignal, in delivery order.
class CollisionRecorder : public SignalHandler<CollisionSignal> {
public:
    CollisionRecorder() { SignalManager::Connect<CollisionSignal>(this); }
    void Handle(CollisionSignal signal) override { signals.push_back(std::move(signal)); }
    bool Saw(const std::string& first, const std::string& second) const {
        for (const CollisionSignal& s : signals)
            if ((s.firstId == first && s.secondId == second) || (s.firstId == second && s.secondId == first)) return true;
        return false;
    }
    std::vector<CollisionSignal> signals;
};

class PhysicsScene {
public:
    PhysicsScene() { SignalManager::Instance(); }

    /// A static horizontal plane through `position`.
    Body& AddPlane(const glm::vec3& position = glm::vec3(0.0f), const std::string& material = "Ground") {
        return Add("floor", position, glm::vec3(1.0f), Body::kShapePlane, material, true, glm::vec3(0.0f));
    }
    Body& AddBox(const glm::vec3& position, const glm::vec3& extents, const std::string& material = "Cube",
                 const std::string& tag = "box", const glm::vec3& rotationDegrees = glm::vec3(0.0f),
                 bool isStatic = false) {
        return Add(tag, position, extents, Body::kShapeBox, material, isStatic, rotationDegrees);
    }
    Body& AddGhost(const glm::vec3& position, const glm::vec3& extents, const std::string& tag = "trigger") {
        return Add(tag, position, extents, Body::kShapeGhost, "Wall", true, glm::vec3(0.0f));
    }
    Body& AddSphere(const glm::vec3& position, float diameter, const std::string& material = "Ball",
                    const std::string& tag = "ball", bool isStatic = false) {
        return Add(tag, position, glm::vec3(diameter), Body::kShapeSphere, material, isStatic, glm::vec3(0.0f));
    }

    Body& Add(const std::string& tag, const glm::vec3& position, const glm::vec3& extents, int shape,
              const std::string& material, bool isStatic, const glm::vec3& rotationDegrees) {
        auto object = std::make_unique<Object>(tag + std::to_string(m_objects.size()), tag, "test", "");
        object->AddComponent(std::make_unique<Transform>(position, glm::vec3(1.0f), rotationDegrees));
        auto* body = object->AddComponent(std::make_unique<Body>(extents, shape, BodySerializer::MaterialValue(material), isStatic));
        body->Initialize();
        objects.push_back(object.get());
        m_objects.push_back(std::move(object));
        return *body;
    }

    void Step(int steps = 1) {
        for (int i = 0; i < steps; ++i) physics.Step(objects);
    }
    /// Steps for `seconds` of simulated time at 60 steps per second.
    void Simulate(float seconds) { Step(static_cast<int>(seconds * 60.0f + 0.5f)); }

    static glm::vec3 Position(const Body& body) { return body.GetPosition(); }
    static const std::string& Id(const Body& body) { return body.GetOwner()->GetId(); }

    Physics physics;
    std::vector<Object*> objects;

private:
    std::vector<std::unique_ptr<Object>> m_objects;
};

} // namespace zumek::test
