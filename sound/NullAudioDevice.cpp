// sound/NullAudioDevice.cpp
// Everything of the silent back end is inline; this file keeps the one-pair-per-class layout.
#include "sound/NullAudioDevice.h"
