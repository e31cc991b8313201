// engine/SettingManager.h
#pragma once
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "engine/EngineLog.h"
#include "engine/Settings.h"
#include "engine/SignalManager.h"
#include "engine/TypeName.h"

namespace zumek {

/// The settings registry: one value per setting type, created with its first value when the
/// registry is built, read and changed in place through the reference GetSetting returns.
class SettingManager {
public:
    static SettingManager& Instance();

    /// The stored value of T. Throws (after logging "Setting for <type> has not been created.")
    /// for a type that is not a setting: a programming error.
    template <class T>
    static T& GetSetting() {
        return Instance().Get<T>();
    }

    /// Sets the value of T and emits it on T's channel (used for the engine state).
    template <class T>
    static void SetAndEmit(T value) {
        GetSetting<T>() = value;
        SignalManager::Emit<T>(value);
    }

    /// Creates T with `first`; a second creation logs and throws "Setting for <type> has already
    /// been created.".
    template <class T>
    void CreateSetting(T first) {
        auto key = typeid(T).hash_code();
        std::string name = ReadableTypeName<T>();
        if (m_values.count(key)) {
            std::string text = "Setting for " + name + " has already been created.";
            EngineLog::Instance().WriteError(text);
            throw std::logic_error(text);
        }
        EngineLog::Instance().WriteInfo("Setting for " + name + " has been created.");
        m_values.emplace(key, std::make_unique<Value<T>>(first));
    }

    /// The camera record the CameraSetting* setting points at.
    CameraSetting& DefaultCamera() { return m_camera; }

    /// The locale name the process adopted at construction.
    const std::string& LocaleName() const { return m_localeName; }

private:
    SettingManager();

    struct ValueBase {
        virtual ~ValueBase() = default;
    };
    template <class T>
    struct Value final : ValueBase {
        explicit Value(T v) : value(v) {}
        T value;
    };

    template <class T>
    T& Get() {
        auto it = m_values.find(typeid(T).hash_code());
        if (it == m_values.end()) {
            std::string text = "Setting for " + ReadableTypeName<T>() + " has not been created.";
            EngineLog::Instance().WriteError(text);
            throw std::logic_error(text);
        }
        return static_cast<Value<T>*>(it->second.get())->value;
    }

    CameraSetting m_camera;
    std::string m_localeName;
    std::unordered_map<size_t, std::unique_ptr<ValueBase>> m_values;
};

} // namespace zumek
