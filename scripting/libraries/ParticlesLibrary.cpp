// scripting/libraries/ParticlesLibrary.cpp
// Particles: the parameter points and the switch of a particle system.
#include "graphics/ParticleRenderer.h"
#include "graphics/Particles.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// The particle programs read at most this many parameter points; a larger index is a script
/// error (and would otherwise grow the array without bound).
constexpr long long kMaxParameters = 64;

/// SetParameter(particles, index, x, y, z): restarts the system when it already runs on the GPU,
/// then sets parameter point `index`.
int SetParameter(lua_State* L) {
    Particles* particles = script::ComponentArgument<Particles>(L, 1);
    if (!particles) return 0;
    long long index = script::Integer(L, 2);
    if (index < 0 || index >= kMaxParameters) {
        script::ReportMisuse(L, "index " + std::to_string(index) + " is outside 0.." + std::to_string(kMaxParameters - 1) +
                                    "; nothing is done");
        return 0;
    }
    if (particles->Gpu().built) ParticleRenderer::Initialize(*particles);
    particles->SetParameter(static_cast<size_t>(index), script::Vector(L, 3));
    return 0;
}

int EnableRender(lua_State* L) {
    if (Particles* particles = script::ComponentArgument<Particles>(L, 1)) particles->EnableRender(script::Integer(L, 2) != 0);
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"SetParameter", SetParameter},
    {"EnableRender", EnableRender},
    {nullptr, nullptr},
};

} // namespace

int OpenParticlesLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
