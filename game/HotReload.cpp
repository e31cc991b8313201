// game/HotReload.cpp
#include "game/HotReload.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>

#include "content/ArchetypeProvider.h"
#include "engine/EngineLog.h"
#include "graphics/ShaderProvider.h"
#include "graphics/TextureProvider.h"
#include "objects/Camera.h"
#include "objects/Object.h"
#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "objects/Transform.h"
#include "platform/Clock.h"
#include "scripting/ScriptClassProvider.h"
#include "sound/SoundEngine.h"

namespace zumek {
namespace {

/// Each line of a driver's message as its own log line, so the on-screen log shows it whole.
void LogLines(LogLevel level, const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty()) EngineLog::Instance().Write(level, line);
}

} // namespace

HotReload::HotReload(const std::string& shippedResources, const std::string& userResources, SoundEngine* sound)
    : m_shipped(shippedResources), m_user(userResources), m_sound(sound) {
    // The user's folder is made when missing, so that files put there later are seen.
    std::error_code ec;
    std::filesystem::create_directories(m_user, ec);
    for (const std::string& folder : {m_shipped, m_user}) {
        std::string error;
        if (!m_watcher.AddFolder(folder, error)) ReportProblem(Warning, "Cannot watch a resource folder", error);
    }
    EngineLog::Instance().WriteInfo("Watching " + m_shipped + " and " + m_user);
}

void HotReload::ApplyChanges() {
    std::vector<ContentChange> changes;
    for (const FileChange& file : m_watcher.Poll(Clock::NowMs())) {
        std::optional<ContentChange> change = ClassifyContentFile(file.path, m_shipped, m_user);
        // A removed user copy is a change too: the shipped file takes its place.
        if (change) changes.push_back(*change);
    }
    if (m_watcher.TakeOverflow())
        ReportProblem(Warning, "Too many file changes at once; some were not reloaded", "save the files again");
    if (!changes.empty()) Apply(changes);
}

void HotReload::Apply(const std::vector<ContentChange>& changes) {
    EngineLog& log = EngineLog::Instance();
    bool reloadPlace = false;
    bool reloadSounds = false;
    for (const ContentChange& change : changes) {
        switch (change.kind) {
        case ContentKind::Level:
            if (change.key == PlaceManager::Instance().CurrentPlace()) reloadPlace = true;
            else log.WriteInfo("Level changed: " + change.key + " (loads at its next visit)");
            break;
        case ContentKind::Archetype:
            ArchetypeProvider::Instance().Forget(change.key);
            reloadPlace = true;
            break;
        case ContentKind::Script: {
            bool reloaded = false;
            if (!ScriptClassProvider::Instance().Reload(change.key, reloaded))
                log.WriteError("Script reload failed, the old code stays: " + change.key);
            else if (reloaded)
                log.WriteInfo("Script reloaded: " + change.key);
            break;
        }
        case ContentKind::Shader: {
            std::vector<std::string> failures;
            for (const std::string& key : ShaderProvider::Instance().ReloadFile(change.key, failures))
                log.WriteInfo("Shader reloaded: " + key + " (" + change.key + ")");
            for (const std::string& failure : failures) {
                log.WriteError("Shader reload failed, the old program stays: " + change.key);
                LogLines(Error, failure);
            }
            break;
        }
        case ContentKind::Texture:
            if (TextureProvider::Instance().Reload(change.key)) log.WriteInfo("Texture reloaded: " + change.key);
            break;
        case ContentKind::Sound: reloadSounds = true; break;
        case ContentKind::Model:
            log.WriteInfo("Model changed: " + change.key + " (shows when the game starts again)");
            break;
        }
    }
    if (reloadSounds && m_sound) {
        m_sound->ReloadSounds();
        log.WriteInfo("Sounds reloaded");
    }
    if (reloadPlace) ReloadCurrentPlace();
}

void HotReload::ReloadCurrentPlace() {
    PlaceManager& places = PlaceManager::Instance();
    ObjectManager& objects = ObjectManager::Instance();
    const std::string place = places.CurrentPlace();
    if (place.empty()) return;
    struct Pose {
        glm::vec3 position;
        glm::vec3 rotationDegrees;
        std::optional<glm::vec2> view; ///< yaw, pitch
    };
    std::optional<Pose> pose;
    if (Object* player = objects.GetObjectByTag("player")) {
        if (const Transform* transform = player->GetComponent<Transform>()) {
            pose = Pose{transform->LocalPosition(), transform->LocalRotationDegrees(), std::nullopt};
            if (const Camera* camera = player->GetComponent<Camera>()) pose->view = glm::vec2(camera->GetYaw(), camera->GetPitch());
        }
    }
    // Pushing the place whose pop is pending replaces it at once (the old objects go first).
    places.Pop();
    places.Push(place);
    if (pose) {
        if (Object* player = objects.GetObjectByTag("player")) {
            if (Transform* transform = player->GetComponent<Transform>()) {
                transform->SetPosition(pose->position);
                transform->SetRotation(pose->rotationDegrees);
            }
            if (Camera* camera = player->GetComponent<Camera>(); camera && pose->view)
                camera->AddOrientation(pose->view->x - camera->GetYaw(), pose->view->y - camera->GetPitch());
        }
    }
    EngineLog::Instance().WriteInfo("Level reloaded: " + place);
}

} // namespace zumek
