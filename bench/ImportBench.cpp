// bench/ImportBench.cpp
// The cost of importing models in the helper process tovalik-import against Assimp in this
// process: every shipped model of resources/models/ imported as the game does (still meshes for
// sprites, and the glTF models animated as well), all of them in one pass, timed on the wall
// clock (the helper's work happens in another process). The figures are medians of several
// alternating runs, in milliseconds for the whole pass.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchCommands.h"
#include "bench/BenchOptions.h"
#include "engine/EngineLog.h"
#include "graphics/AssimpImport.h"
#include "graphics/ModelLoader.h"

namespace zumek::bench {
namespace {

namespace fs = std::filesystem;

struct ModelFile {
    std::string path;
    bool animated;
};

std::vector<ModelFile> ShippedModels() {
    std::vector<ModelFile> models;
    for (const auto& entry : fs::directory_iterator(fs::path(ZUMEK_SOURCE_ROOT) / "resources" / "models")) {
        const std::string extension = entry.path().extension().string();
        models.push_back({entry.path().string(), false});
        if (extension != ".model") models.push_back({entry.path().string(), true}); // animated sprites use these
    }
    std::sort(models.begin(), models.end(), [](const ModelFile& a, const ModelFile& b) { return a.path < b.path; });
    return models;
}

double Milliseconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

/// One pass over `models`; false when an import failed.
template <class Still, class Animated>
bool Pass(const std::vector<ModelFile>& models, Still still, Animated animated, double& ms) {
    const auto start = std::chrono::steady_clock::now();
    bool ok = true;
    for (const ModelFile& model : models) {
        if (model.animated) {
            AnimatedMesh mesh;
            ok = animated(model.path, mesh) && ok;
        } else {
            MeshData mesh;
            ok = still(model.path, mesh) && ok;
        }
    }
    ms = Milliseconds(std::chrono::steady_clock::now() - start);
    return ok;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int RunImportBench(int argc, char** argv) {
    int runs = 5;
    if (!BenchOptions("zumek_bench import", argc, argv).Number("--runs", runs, 1).Ok()) return 2;
    const std::vector<ModelFile> models = ShippedModels();
    auto localStill = [](const std::string& path, MeshData& mesh) {
        ImportNotes notes;
        return AssimpImport::ReadStill(path, mesh, notes);
    };
    auto localAnimated = [](const std::string& path, AnimatedMesh& mesh) {
        ImportNotes notes;
        return AssimpImport::ReadAnimated(path, mesh, notes);
    };
    std::vector<double> inProcess, helper;
    for (int run = 0; run < runs; ++run) {
        double ms = 0.0;
        if (!Pass(models, localStill, localAnimated, ms)) {
            std::fprintf(stderr, "zumek_bench import: a shipped model failed to import in process\n");
            return 1;
        }
        inProcess.push_back(ms);
        if (!Pass(models, ModelLoader::Import, ModelLoader::ImportAnimated, ms)) {
            std::fprintf(stderr, "zumek_bench import: a shipped model failed to import through the helper\n");
            return 1;
        }
        helper.push_back(ms);
        EngineLog::Instance().Clear();
    }
    const double a = Median(inProcess), b = Median(helper);
    std::printf("import models=%zu in_process_ms=%.1f helper_ms=%.1f ratio=%.2f per_model_extra_ms=%.2f\n", models.size(), a, b,
                a > 0.0 ? b / a : 0.0, (b - a) / static_cast<double>(models.size()));
    return 0;
}

} // namespace zumek::bench
