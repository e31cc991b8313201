// scripting/ScriptClass.h
#pragma once
#include <string>

namespace zumek {

/// One script file as loaded by the ScriptClassProvider: the class name scripts and Script
/// components use, and where its file was found (resources/scripts/<key>.lua or the user's copy).
struct ScriptClass {
    std::string key;
    std::string path;
    std::wstring widePath; ///< the path widened character by character
    bool ran = false;      ///< whether the file loaded and its main chunk ran without error
};

} // namespace zumek
