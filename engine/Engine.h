// engine/Engine.h
#pragma once

namespace zumek {

/// A long-lived part of the engine driven by the MainEngine: started once after every engine is
/// built, stepped once per frame before the systems, shut down before it is deleted.
class Engine {
public:
    virtual void Initialize() = 0;
    virtual void Shutdown() = 0;
    virtual void Update() = 0;
    virtual ~Engine() = default;
};

} // namespace zumek
