// tests/content/ContentFixture.h
// A scratch resource tree for tests that read levels, archetypes and component elements: files
// are written below a fresh folder that becomes the resource root, every component kind is
// registered, and the engine log is read back to check the exact messages.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <tinyxml2.h>

#include "content/ComponentRegistry.h"
#include "content/ObjectComponents.h"
#include "engine/EngineLog.h"
#include "graphics/GraphicsComponents.h"
#include "physics/PhysicsComponents.h"
#include "platform/Paths.h"
#include "scripting/ScriptingComponents.h"

namespace zumek::test {

class ContentFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zumek-content-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        Paths::SetResourceRoot(m_root);
        Paths::SetDocumentsFolder(m_root + "/documents");
        RegisterObjectComponents();
        RegisterScriptingComponents();
        RegisterGraphicsComponents();
        RegisterPhysicsComponents();
        EngineLog::Instance().Clear();
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }

    /// Writes `text` to `relative` below the resource root, creating folders.
    void WriteFile(const std::string& relative, const std::string& text) {
        std::filesystem::path path = std::filesystem::path(m_root) / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    void WriteLevel(const std::string& name, const std::string& body) {
        WriteFile("resources/levels/" + name + ".xml", "<level>\n" + body + "\n</level>\n");
    }
    /// An archetype file whose root carries `attributes` (key, idPrefix, tag, ...).
    void WriteArchetype(const std::string& key, const std::string& attributes, const std::string& body = {}) {
        WriteFile("resources/archetypes/" + key + ".xml", "<archetype " + attributes + ">\n" + body + "\n</archetype>\n");
    }
    /// The usual archetype: key, prefix and tag, a transform at `x`.
    void WriteSimpleArchetype(const std::string& key, const std::string& prefix, const std::string& tag, float x = 0) {
        WriteArchetype(key, "key=\"" + key + "\" idPrefix=\"" + prefix + "\" tag=\"" + tag + "\"",
                       "<component type=\"transform\"><translate x=\"" + std::to_string(x) +
                           "\" y=\"0\" z=\"0\"/><rotation x=\"0\" y=\"0\" z=\"0\"/><scale x=\"1\" y=\"1\" z=\"1\"/></component>");
    }

    /// Reads one "component" element through its registered reader; null when the reader
    /// refuses it or builds another class.
    template <class T>
    std::unique_ptr<T> ReadComponent(const std::string& xml) {
        tinyxml2::XMLDocument document;
        EXPECT_EQ(document.Parse(xml.c_str()), tinyxml2::XML_SUCCESS) << xml;
        const tinyxml2::XMLElement* element = document.FirstChildElement("component");
        if (!element) return nullptr;
        const ComponentKind* kind = ComponentRegistry::Instance().FindByKey(element->Attribute("type"));
        if (!kind) return nullptr;
        std::unique_ptr<Component> component = kind->read(*element, ComponentSource{"test.xml"});
        if (!dynamic_cast<T*>(component.get())) return nullptr;
        return std::unique_ptr<T>(static_cast<T*>(component.release()));
    }

    /// The texts of the log records, oldest first.
    static std::vector<std::string> LogTexts() {
        std::vector<std::string> texts;
        for (const LogMessage& record : EngineLog::Instance().Records()) texts.push_back(record.text);
        return texts;
    }
    static long CountLogged(const std::string& text) {
        auto texts = LogTexts();
        return std::count(texts.begin(), texts.end(), text);
    }
    static bool Logged(const std::string& text) { return CountLogged(text) > 0; }
    /// Log records at Error level.
    static std::vector<std::string> Errors() {
        std::vector<std::string> texts;
        for (const LogMessage& record : EngineLog::Instance().Records())
            if (record.level == Error) texts.push_back(record.text);
        return texts;
    }

    std::string m_root;
};

} // namespace zumek::test
