// scripting/ScriptValue.h
#pragma once
#include <cstddef>
#include <string>

namespace zumek {

/// One argument of ScriptingSystem::CallScriptFunction: a value to pass to Lua, or where to store
/// one of its results. Built implicitly from the C++ argument, so the kind always matches what was
/// actually passed and the format letters are checked against it instead of being trusted.
class ScriptValue {
public:
    enum class Kind { Number, Integer, String, Pointer, BoolResult, NumberResult, IntegerResult, StringResult };

    ScriptValue(double value) : m_kind(Kind::Number), m_number(value) {}
    ScriptValue(float value) : m_kind(Kind::Number), m_number(value) {}
    ScriptValue(int value) : m_kind(Kind::Integer), m_integer(value) {}
    /// Null is passed as an empty string.
    ScriptValue(const char* text) : m_kind(Kind::String), m_text(text ? text : "") {}
    /// The string must outlive the call (a temporary argument does).
    ScriptValue(const std::string& text) : m_kind(Kind::String), m_text(text.c_str()) {}
    /// Passed as light userdata, or nil when null.
    ScriptValue(const void* pointer) : m_kind(Kind::Pointer), m_pointer(pointer) {}
    ScriptValue(std::nullptr_t) : m_kind(Kind::Pointer), m_pointer(nullptr) {}
    ScriptValue(bool* result) : m_kind(Kind::BoolResult), m_bool(result) {}
    ScriptValue(double* result) : m_kind(Kind::NumberResult), m_numberOut(result) {}
    ScriptValue(int* result) : m_kind(Kind::IntegerResult), m_integerOut(result) {}
    /// A string result is copied: the Lua value does not outlive the call.
    ScriptValue(std::string* result) : m_kind(Kind::StringResult), m_textOut(result) {}

    Kind GetKind() const { return m_kind; }
    double Number() const { return m_kind == Kind::Integer ? m_integer : m_number; }
    int Integer() const { return m_integer; }
    const char* Text() const { return m_text; }
    const void* Pointer() const { return m_pointer; }
    bool* BoolOut() const { return m_bool; }
    double* NumberOut() const { return m_numberOut; }
    int* IntegerOut() const { return m_integerOut; }
    std::string* TextOut() const { return m_textOut; }

private:
    Kind m_kind;
    union {
        double m_number;
        int m_integer;
        const char* m_text;
        const void* m_pointer;
        bool* m_bool;
        double* m_numberOut;
        int* m_integerOut;
        std::string* m_textOut;
    };
};

} // namespace zumek
