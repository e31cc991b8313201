// engine/SignalManager.h
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>

#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "engine/TypeName.h"

namespace zumek {

/// The channel registry: one channel per signal type, all created when the registry is first
/// used. Receivers connect by type; senders emit by type; delivery is synchronous, in
/// connection order, on the sender's thread.
class SignalManager {
public:
    static SignalManager& Instance();

    /// Connects `handler` to the channel of T; "Missing channel for <type>" when T has none.
    template <class T>
    static void Connect(SignalHandler<T>* handler) {
        auto* channel = Instance().Find<T>();
        if (!channel) {
            Instance().ReportMissing(ReadableTypeName<T>());
            return;
        }
        channel->signal.connect(handler, [handler](T value) { handler->Handle(std::move(value)); });
    }

    /// Delivers a copy of `value` to every receiver of T; "Missing channel for <type>" when T has none.
    template <class T>
    static void Emit(T value) {
        auto* channel = Instance().Find<T>();
        if (!channel) {
            Instance().ReportMissing(ReadableTypeName<T>());
            return;
        }
        channel->signal.emit(value);
    }

    /// Creates the channel of T; a second creation keeps the first and logs
    /// "Channel for <type> has already been created".
    template <class T>
    void CreateChannel() {
        auto key = typeid(T).hash_code();
        if (m_channels.count(key)) {
            ReportDuplicate(ReadableTypeName<T>());
            return;
        }
        m_channels.emplace(key, std::make_unique<Channel<T>>());
    }

    /// Whether T has a channel, and how many receivers it has (for tests and diagnostics).
    template <class T>
    bool HasChannel() const {
        return m_channels.count(typeid(T).hash_code()) != 0;
    }
    template <class T>
    size_t ReceiverCount() {
        auto* channel = Find<T>();
        return channel ? channel->signal.connection_count() : 0;
    }
    size_t ChannelCount() const { return m_channels.size(); }

private:
    SignalManager();

    struct ChannelBase {
        virtual ~ChannelBase() = default;
    };
    template <class T>
    struct Channel final : ChannelBase {
        sigslot::signal1<T, sigslot::multi_threaded_local> signal;
    };

    template <class T>
    Channel<T>* Find() {
        auto it = m_channels.find(typeid(T).hash_code());
        return it == m_channels.end() ? nullptr : static_cast<Channel<T>*>(it->second.get());
    }

    void ReportMissing(const std::string& typeName);
    void ReportDuplicate(const std::string& typeName);

    std::unordered_map<size_t, std::unique_ptr<ChannelBase>> m_channels;
};

} // namespace zumek
