// tests/graphics/GraphicsScene.cpp
#include "tests/graphics/GraphicsScene.h"

#include <cstdlib>
#include <filesystem>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/SettingManager.h"
#include "graphics/Sprite.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "platform/Paths.h"
#include "platform/PngWriter.h"

namespace zumek {

GraphicsScene::GraphicsScene(int width, int height, Oculus* headset) : m_width(width), m_height(height) {
    Paths::SetResourceRoot(ZUMEK_SOURCE_ROOT);
    Paths::SetDocumentsFolder((std::filesystem::temp_directory_path() / "zumek-graphics-no-documents").string());
    m_window = std::make_unique<Window>("graphics test", width, height);
    m_engine = std::make_unique<GraphicsEngine>(m_window.get(), headset);
    m_engine->Initialize();
    // The camera stands at (0, 0, 5) and looks down -z at the origin.
    SettingManager::GetSetting<CameraSetting*>()->view =
        glm::lookAt(glm::vec3(0.0f, 0.0f, 5.0f), glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
}

GraphicsScene::~GraphicsScene() {
    for (Object* object : m_objects) delete object;
    m_objects.clear();
    m_engine->Shutdown();
}

Object* GraphicsScene::AddObject(const std::string& id, const std::string& tag, const glm::vec3& position) {
    auto* object = new Object(id, tag, "test", "");
    object->SetNumber(m_nextNumber++);
    object->AddComponent(std::make_unique<Transform>(position, glm::vec3(1.0f), glm::vec3(0.0f)));
    m_objects.push_back(object);
    return object;
}

Object* GraphicsScene::AddSprite(const std::string& id, const std::string& tag, const std::string& model,
                                 const glm::vec3& position, const glm::vec3& scale, const glm::vec3& color) {
    Object* object = AddObject(id, tag, position);
    object->GetComponent<Transform>()->SetScale(scale);
    auto* sprite = object->AddComponent(std::make_unique<Sprite>());
    sprite->SetModel(model);
    sprite->SetColor(color);
    return object;
}

void GraphicsScene::RunFrames(int count, float dt) {
    for (int i = 0; i < count; ++i) m_engine->Update(dt, m_objects);
    int width = 0, height = 0;
    std::vector<uint8_t> bottomUp;
    m_engine->ReadFrame(bottomUp, width, height);
    m_frame.assign(bottomUp.size(), 0);
    const size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::copy_n(&bottomUp[static_cast<size_t>(height - 1 - y) * row], row, &m_frame[static_cast<size_t>(y) * row]);
}

glm::vec3 GraphicsScene::Pixel(int x, int y) const {
    const uint8_t* p = &m_frame[(static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)) * 3];
    return glm::vec3(p[0], p[1], p[2]) / 255.0f;
}

std::vector<glm::vec3> GraphicsScene::Frame() const {
    std::vector<glm::vec3> pixels;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) pixels.push_back(Pixel(x, y));
    return pixels;
}

float GraphicsScene::MeanBrightness(int x0, int y0, int x1, int y1) const {
    double sum = 0;
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++count) {
            glm::vec3 p = Pixel(x, y);
            sum += (p.x + p.y + p.z) / 3.0f;
        }
    return count ? static_cast<float>(sum / count) : 0.0f;
}

std::string GraphicsScene::Save(const std::string& name) const {
    std::string path = (std::filesystem::temp_directory_path() / ("zumek-" + name + ".png")).string();
    WritePng(path, m_width, m_height, 3, m_frame.data(), false);
    return path;
}

} // namespace zumek
