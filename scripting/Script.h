// scripting/Script.h
#pragma once
#include <string>

#include "objects/Component.h"

namespace zumek {

/// Gives an object a Lua script class; the Lua side keeps all the script's state.
class Script final : public Component {
public:
    explicit Script(std::string className) : m_className(std::move(className)) {}
    /// A new, unattached script of the same class.
    Script(const Script&) = default;

    void Initialize() override {}
    void Respawn() override {}

    /// The script class name: resources/scripts/<name>.lua.
    const std::string& GetClassName() const { return m_className; }

private:
    std::string m_className;
};

} // namespace zumek
