// game/ResourceStats.h
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/System.h"

namespace zumek {

/// What the process holds: resident memory, open file descriptors and live GL objects
/// (textures, buffers, framebuffers, renderbuffers, vertex arrays, programs and shaders).
struct ResourceCounts {
    long residentKb = 0;
    int fileDescriptors = 0;
    int glObjects = 0;
};

/// Counts them now; the GL objects need the GL context current (0 without one).
ResourceCounts CountResources();

/// --stats-every N: every N frames one engine log line "stats frame=<F> rss_kb=<R> fds=<D>
/// gl_objects=<G> objects=<O> textures=<T> programs=<S> gl_cached=<C> place=<P>", for long runs
/// that must hold their resources flat (zumek_bench soak). Textures and programs are kept for the
/// whole run once asked for, so they rise while new places are first seen; C, the GL objects those
/// caches hold (a texture each, a program with its attached shaders), tells that from a leak.
class ResourceStatsReporter final : public System {
public:
    explicit ResourceStatsReporter(int everyFrames) : System(RESOURCE_STATS_SYSTEM_ID), m_every(everyFrames) {}
    void Update(float dt, std::vector<Object*>& objects) override;
    void Shutdown() override {}

private:
    int m_every;
    long m_frame = 0;
};

} // namespace zumek
