// bench/LevelBench.cpp
// Pushing a large level against the bare XML parse of the same file. A level of N objects over
// five archetypes (each with a transform, a sprite, a body and a light or script) is written to
// a scratch resource tree; every entry carries its own transform and every fourth a sprite too.
// Each run pushes the level (read, build, initialise, file, announce) and pops it again; the
// figures are the medians of the runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <tinyxml2.h>

#include "bench/BenchCommands.h"
#include "bench/BenchOptions.h"
#include "content/ObjectComponents.h"
#include "graphics/GraphicsComponents.h"
#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "physics/PhysicsComponents.h"
#include "platform/Paths.h"
#include "scripting/ScriptingComponents.h"

namespace zumek::bench {
namespace {

constexpr const char* kArchetypes[] = {"crate", "ball", "lamp", "wall", "pickup"};

std::string Transform(float x, float y, float z) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "<component type=\"transform\"><translate x=\"%.2f\" y=\"%.2f\" z=\"%.2f\"/>"
                  "<rotation x=\"0\" y=\"%.1f\" z=\"0\"/><scale x=\"1\" y=\"1\" z=\"1\"/></component>",
                  x, y, z, x * 3.0f);
    return text;
}

void WriteArchetype(const std::filesystem::path& folder, const std::string& key, int index) {
    std::ofstream file(folder / (key + ".xml"));
    file << "<archetype key=\"" << key << "\" idPrefix=\"" << key << "\" tag=\"" << key << "\">\n"
         << Transform(0, 1, 0) << "\n"
         << "<component type=\"sprite\"><shader>NORMAL_SHADER</shader><model>cube</model><multiplier>2</multiplier>"
            "<SpriteColor r=\"0.5\" g=\"0.5\" b=\"0.5\"/><textures><properties name=\"wood.png\" property=\"MAIN_TEXTURE\"/>"
            "</textures></component>\n"
         << "<component type=\"body\"><isStatic>false</isStatic><collider>Box</collider><material>Cube</material>"
            "<extents x=\"1\" y=\"1\" z=\"1\"/></component>\n";
    if (index % 2 == 0)
        file << "<component type=\"light\"><intensity constant=\"1\" linear=\"0.1\" exponential=\"0.01\"/>"
                "<LightColor r=\"1\" g=\"1\" b=\"1\"/><Volume x=\"4\" y=\"4\" z=\"4\"/></component>\n";
    else
        file << "<component type=\"script\"><key>Pickup</key></component>\n";
    file << "</archetype>\n";
}

void WriteLevel(const std::filesystem::path& path, int objects) {
    std::ofstream file(path);
    file << "<level>\n";
    for (int i = 0; i < objects; ++i) {
        file << "<archetype key=\"" << kArchetypes[i % 5] << "\">" << Transform(i % 100, 0.5f, i / 100);
        if (i % 4 == 0) file << "<component type=\"sprite\"><model>sphere</model></component>";
        file << "</archetype>\n";
    }
    file << "</level>\n";
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int RunLevelBench(int argc, char** argv) {
    int objects = 10000;
    int runs = 5;
    if (!BenchOptions("zumek_bench level", argc, argv).Number("--objects", objects, 1).Number("--runs", runs, 1).Ok())
        return 2;

    char pattern[] = "/tmp/zumek-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    std::filesystem::path root = pattern;
    std::filesystem::create_directories(root / "resources/levels");
    std::filesystem::create_directories(root / "resources/archetypes");
    for (int i = 0; i < 5; ++i) WriteArchetype(root / "resources/archetypes", kArchetypes[i], i);
    WriteLevel(root / "resources/levels/bench.xml", objects);
    std::ofstream(root / "resources/levels/base.xml") << "<level/>\n";
    Paths::SetResourceRoot(root.string());
    Paths::SetDocumentsFolder((root / "documents").string());

    RegisterObjectComponents();
    RegisterScriptingComponents();
    RegisterGraphicsComponents();
    RegisterPhysicsComponents();

    // A base place stays below, so popping the benchmark level never brings the main menu.
    PlaceManager& places = PlaceManager::Instance();
    places.Push("base");
    std::vector<double> pushMs;
    std::vector<double> parseMs;
    size_t created = 0;
    const std::string levelPath = (root / "resources/levels/bench.xml").string();
    for (int run = 0; run < runs; ++run) {
        auto start = std::chrono::steady_clock::now();
        {
            tinyxml2::XMLDocument document;
            if (document.LoadFile(levelPath.c_str()) != tinyxml2::XML_SUCCESS) return 1;
        }
        parseMs.push_back(MillisecondsSince(start));

        start = std::chrono::steady_clock::now();
        places.Push("bench");
        pushMs.push_back(MillisecondsSince(start));
        created = ObjectManager::Instance().CountObjects("bench");
        places.Pop();
        places.Update();
    }
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
    if (created != static_cast<size_t>(objects)) {
        std::fprintf(stderr, "zumek_bench level: %zu of %d objects were created\n", created, objects);
        return 1;
    }
    double push = Median(pushMs);
    double parse = Median(parseMs);
    std::printf("level objects=%d push_ms=%.2f parse_ms=%.2f ratio=%.2f\n", objects, push, parse, push / parse);
    return 0;
}

} // namespace zumek::bench
