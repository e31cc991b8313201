// engine/Sigslot.h
#pragma once
// A small signal/slot layer: a one-argument signal and the receiver base it connects to.
//
// Delivery is synchronous on the emitting thread, in connection order. Every signal and every
// receiver has its own recursive lock, so a handler may emit again (on its own channel too) on
// the same thread. A receiver destroyed while a signal is being delivered -- even the one being
// called right now -- is never called again, and the delivery to the receivers after it goes on:
// disconnected entries are only blanked during a delivery and swept away when it ends.

#include <algorithm>
#include <functional>
#include <mutex>
#include <set>
#include <vector>

namespace sigslot {

/// Lock policy: one recursive lock per signal and per receiver.
class multi_threaded_local {
public:
    multi_threaded_local() = default;
    multi_threaded_local(const multi_threaded_local&) {}
    multi_threaded_local& operator=(const multi_threaded_local&) { return *this; }
    virtual ~multi_threaded_local() = default;
    virtual void lock() { m_mutex.lock(); }
    virtual void unlock() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};

template <class Policy>
class has_slots;

/// What a receiver needs to know of a signal it is connected to.
template <class Policy>
class signal_base : public Policy {
public:
    virtual void slot_disconnect(has_slots<Policy>* receiver) = 0;
};

/// Base of every receiver: remembers the signals it is connected to and leaves them when destroyed.
template <class Policy>
class has_slots : public Policy {
public:
    has_slots() = default;
    has_slots(const has_slots&) = delete;
    has_slots& operator=(const has_slots&) = delete;

    virtual ~has_slots() { disconnect_all(); }

    void signal_connect(signal_base<Policy>* sender) {
        std::lock_guard<Policy> guard(*this);
        m_senders.insert(sender);
    }

    void disconnect_all() {
        std::set<signal_base<Policy>*> senders;
        {
            std::lock_guard<Policy> guard(*this);
            senders.swap(m_senders);
        }
        for (auto* sender : senders) sender->slot_disconnect(this);
    }

private:
    std::set<signal_base<Policy>*> m_senders;
};

/// A signal with one argument, delivered by value (each receiver gets its own copy).
template <class Arg, class Policy>
class signal1 : public signal_base<Policy> {
public:
    signal1() = default;
    signal1(const signal1&) = delete;
    signal1& operator=(const signal1&) = delete;

    ~signal1() override {
        std::vector<Connection> connections;
        {
            std::lock_guard<Policy> guard(*this);
            connections.swap(m_connections);
        }
        for (auto& c : connections)
            if (c.receiver) c.receiver->disconnect_all();
    }

    /// Appends a connection: `call` is invoked for `receiver` on every emit.
    void connect(has_slots<Policy>* receiver, std::function<void(Arg)> call) {
        std::lock_guard<Policy> guard(*this);
        m_connections.push_back({receiver, std::move(call)});
        receiver->signal_connect(this);
    }

    void emit(const Arg& value) {
        std::lock_guard<Policy> guard(*this);
        ++m_depth;
        // Index-based walk: connections made during delivery are appended and reached too, and
        // blanked entries are skipped; nothing is erased until the outermost delivery ends.
        for (size_t i = 0; i < m_connections.size(); ++i) {
            if (!m_connections[i].receiver) continue;
            auto call = m_connections[i].call; // the entry may be blanked while it runs
            call(value);
        }
        if (--m_depth == 0 && m_blanked) Sweep();
    }

    void slot_disconnect(has_slots<Policy>* receiver) override {
        std::lock_guard<Policy> guard(*this);
        for (auto& c : m_connections) {
            if (c.receiver != receiver) continue;
            c.receiver = nullptr;
            c.call = nullptr;
            m_blanked = true;
        }
        if (m_depth == 0 && m_blanked) Sweep();
    }

    size_t connection_count() const {
        return static_cast<size_t>(std::count_if(m_connections.begin(), m_connections.end(),
                                                 [](const Connection& c) { return c.receiver != nullptr; }));
    }

private:
    struct Connection {
        has_slots<Policy>* receiver;
        std::function<void(Arg)> call;
    };

    void Sweep() {
        m_connections.erase(std::remove_if(m_connections.begin(), m_connections.end(),
                                           [](const Connection& c) { return c.receiver == nullptr; }),
                            m_connections.end());
        m_blanked = false;
    }

    std::vector<Connection> m_connections;
    int m_depth = 0;
    bool m_blanked = false;
};

} // namespace sigslot
