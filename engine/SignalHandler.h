// engine/SignalHandler.h
#pragma once
#include "engine/Sigslot.h"

namespace zumek {

/// Base of every receiver of T. Connect with SignalManager::Connect<T>(this) in the constructor;
/// destroying the receiver disconnects it from every channel.
template <class T>
class SignalHandler : public sigslot::has_slots<sigslot::multi_threaded_local> {
public:
    ~SignalHandler() override = default;
    virtual void Handle(T value) = 0;
};

} // namespace zumek
