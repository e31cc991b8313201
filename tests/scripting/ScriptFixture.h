// tests/scripting/ScriptFixture.h
// A scripted world for tests: a scratch resource tree holding the shipped start scripts, with one
// of the overlay folders below tests/scripting/overlay/ as the documents folder (its
// Tovalik/resources/... files override and add to the shipped ones, as a player's copies do).
// Lua code run by the tests prints what it observes; the fixture captures standard output.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <lua.hpp>

#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "platform/Paths.h"
#include "scripting/ScriptClassProvider.h"
#include "scripting/ScriptProblems.h"
#include "scripting/ScriptingSystem.h"
#include "tests/content/ContentFixture.h"

namespace zumek::test {

/// Collects every value emitted on the channel of T while it lives.
template <class T>
struct SignalRecorder : SignalHandler<T> {
    SignalRecorder() { SignalManager::Connect<T>(this); }
    void Handle(T value) override { values.push_back(value); }
    std::vector<T> values;
};

class ScriptFixture : public ContentFixture {
protected:
    /// The source tree's tests/scripting folder.
    static std::string TestData() {
        const char* data = std::getenv("ZUMEK_TEST_DATA");
        return data ? data : ".";
    }

    void SetUp() override {
        ContentFixture::SetUp();
        namespace fs = std::filesystem;
        // The shipped start scripts and archetypes (the player's among them).
        for (const char* folder : {"resources/scripts", "resources/archetypes"}) {
            fs::create_directories(fs::path(m_root) / folder);
            for (const auto& entry : fs::directory_iterator(fs::path(TestData()) / "../.." / folder))
                fs::copy_file(entry.path(), fs::path(m_root) / folder / entry.path().filename());
        }
        SettingManager::Instance();
        SignalManager::Instance();
    }

    void TearDown() override {
        ObjectManager::Instance().DestroyAllObjects();
        if (!ScriptingSystem::IsLuaClosed()) ScriptingSystem::Instance().Shutdown();
        ContentFixture::TearDown();
    }

    /// Uses overlay/<name> as the documents folder and starts the scripting system; returns what
    /// the start scripts printed.
    std::string Start(const std::string& overlay = "libraries") {
        Paths::SetDocumentsFolder(TestData() + "/overlay/" + overlay);
        testing::internal::CaptureStdout();
        ScriptingSystem::Instance().Initialize();
        return testing::internal::GetCapturedStdout();
    }

    /// Starts the scripting system with the scratch documents folder (no overlay of the tests').
    void StartHere() {
        testing::internal::CaptureStdout();
        ScriptingSystem::Instance().Initialize();
        testing::internal::GetCapturedStdout();
    }
    /// The level-state folder of the scratch documents folder.
    std::string StateFolder() const { return m_root + "/documents/Tovalik/resources/levelstates/"; }

    /// Starts with the "libraries" overlay and loads its Show helper and the script class `cases`.
    void StartCases(const char* cases) {
        Start();
        LoadClass("Show");
        LoadClass(cases);
    }

    /// Runs `code` as a Lua chunk and returns what it printed; a Lua error fails the test.
    std::string Lua(const std::string& code) {
        lua_State* L = ScriptingSystem::Instance().GetState();
        if (!L) {
            ADD_FAILURE() << "no Lua state";
            return {};
        }
        testing::internal::CaptureStdout();
        int status = luaL_loadstring(L, code.c_str());
        if (status == LUA_OK) status = lua_pcall(L, 0, 0, 0);
        std::string printed = testing::internal::GetCapturedStdout();
        if (status != LUA_OK) {
            ADD_FAILURE() << "Lua error: " << lua_tostring(L, -1) << "\nin: " << code;
            lua_pop(L, 1);
        }
        return printed;
    }

    /// Runs `function` through the engine's protocol path and returns what it printed.
    std::string Procedure(const char* function) {
        testing::internal::CaptureStdout();
        ScriptingSystem::Instance().CallScriptProcedure(function);
        return testing::internal::GetCapturedStdout();
    }

    /// Loads the script class `name` (a file of the overlay) and returns what its file printed.
    std::string LoadClass(const std::string& name) {
        testing::internal::CaptureStdout();
        ScriptClassProvider::Instance().Get(name);
        return testing::internal::GetCapturedStdout();
    }

    /// One engine frame of the scripting system, returning what the scripts printed.
    std::string Frame(float dt = 0.01f) {
        std::vector<Object*> objects = ObjectManager::Instance().GetObjects();
        testing::internal::CaptureStdout();
        ScriptingSystem::Instance().Update(dt, objects);
        return testing::internal::GetCapturedStdout();
    }

    /// Creates an object of `archetype` in the current place under `id`.
    Object* Create(const std::string& archetype, const std::string& id) {
        ObjectCreateSignal request;
        request.archetype = archetype;
        request.id = id;
        return ObjectManager::Instance().CreateObject(request, "");
    }

    /// Log records whose text starts with `prefix`.
    static std::vector<std::string> LoggedStarting(const std::string& prefix) {
        std::vector<std::string> found;
        for (const std::string& text : LogTexts())
            if (text.rfind(prefix, 0) == 0) found.push_back(text);
        return found;
    }

    /// An archetype with a transform at (x, y, z) and scale (s, s, s), plus `body` (component XML).
    void WriteArchetypeAt(const std::string& key, const std::string& tag, float x, float y, float z, float s = 1,
                          const std::string& body = {}) {
        std::ostringstream text;
        text << R"(<component type="transform"><translate x=")" << x << R"(" y=")" << y << R"(" z=")" << z
             << R"("/><rotation x="0" y="0" z="0"/><scale x=")" << s << R"(" y=")" << s << R"(" z=")" << s
             << R"("/></component>)" << body;
        WriteArchetype(key, "key=\"" + key + "\" idPrefix=\"" + key + "\" tag=\"" + tag + "\"", text.str());
    }
};

/// Component XML snippets for WriteArchetypeAt.
inline std::string ScriptXml(const std::string& className) {
    return R"(<component type="script"><key>)" + className + "</key></component>";
}
inline const char* kSphereBodyXml =
    R"(<component type="body"><isStatic>false</isStatic><collider>Sphere</collider><material>Ball</material><extents x="1" y="1" z="1"/></component>)";

} // namespace zumek::test
