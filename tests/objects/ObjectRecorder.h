// tests/objects/ObjectRecorder.h
// Records the object announcements in the order they arrive.
#pragma once
#include <string>
#include <vector>

#include "engine/SignalManager.h"
#include "objects/Object.h"

namespace zumek::test {

struct ObjectRecorder : SignalHandler<ObjectCreatedSignal>, SignalHandler<ObjectDestroyedSignal> {
    ObjectRecorder() {
        SignalManager::Connect<ObjectCreatedSignal>(this);
        SignalManager::Connect<ObjectDestroyedSignal>(this);
    }
    void Handle(ObjectCreatedSignal signal) override { events.push_back("created " + signal.object->GetId()); }
    void Handle(ObjectDestroyedSignal signal) override { events.push_back("destroyed " + signal.id + "@" + signal.place); }
    std::vector<std::string> events;
};

} // namespace zumek::test
