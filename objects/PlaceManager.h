// objects/PlaceManager.h
#pragma once
#include <string>
#include <vector>

namespace zumek {

/// The stack of places: each place is a loaded level whose objects are filed under its name.
/// Pushing loads at once; popping and replacing the stack are requested during the frame and
/// carried out by Update at the frame's place update.
class PlaceManager {
public:
    static PlaceManager& Instance();

    /// Adds `name` on top and creates the objects of its level, in file order, in that place.
    /// An unknown level is reported by the level reader and gives an empty place. Pushing the
    /// place whose pop is pending carries the pop out first, so the place is reloaded.
    void Push(const std::string& name);
    /// Requests removal of the top place (every entry of that name) at the next Update.
    void Pop();
    /// Requests that the whole stack be replaced by `name` at the next Update.
    void Set(const std::string& name);
    /// The top place; empty while the stack is empty (before the first place is pushed).
    const std::string& CurrentPlace() const;
    /// Carries out a requested pop, then a requested replacement; an empty stack then gets
    /// "mainmenu".
    void Update();

    /// The stack, bottom first.
    const std::vector<std::string>& Places() const { return m_places; }

private:
    PlaceManager() = default;

    std::vector<std::string> m_places;
    std::string m_pendingPop;
    std::string m_pendingSet;
    int m_pushDepth = 0; ///< pushes under way: a push may run inside another (see Push)
};

} // namespace zumek
