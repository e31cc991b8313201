// openxr-simulator/OpenXrSimulatorStats.h
// What the OpenXR simulator saw, read by the tests through XrSimGetStats (found with dlsym
// in the runtime the loader opened).
#pragma once

struct XrSimStats {
    long instancesLive = 0;
    long sessionsLive = 0;
    long spacesLive = 0;
    long swapchainsLive = 0;
    long sessionsBegun = 0;
    long framesEnded = 0;
    long framesWithLayer = 0;    ///< ended with one projection layer of two views
    long framesWithDepth = 0;    ///< ... whose views both carried a depth image
    long misuses = 0;            ///< calls the runtime refused as a misuse of the API
    unsigned lastEyeImage[2] = {0, 0}; ///< GL names of the colour images of the last layer
    unsigned lastDepthImage[2] = {0, 0}; ///< ... and of its depth images (0: none)
    float lastEyeX[2] = {0, 0};  ///< the x of each view's pose in the last layer (metres)
};

extern "C" {
/// The runtime's counters (never null).
XrSimStats* XrSimGetStats();
/// Clears the counters of ended frames and misuses.
void XrSimResetFrameStats();
}
