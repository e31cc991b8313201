// game/InspectorWindow.cpp
#include "game/InspectorWindow.h"

#include <imgui.h>

#include <algorithm>
#include <string>

#include "graphics/OverlayInput.h"
#include "input/InputEvents.h"
#include "objects/ObjectManager.h"
#include "physics/Physics.h"

namespace zumek {
namespace {

void Graph(const char* label, const std::deque<float>& values) {
    std::vector<float> data(values.begin(), values.end());
    if (data.empty()) data.push_back(0.0f);
    const float highest = std::max(1.0f, *std::max_element(data.begin(), data.end()));
    char overlay[48];
    std::snprintf(overlay, sizeof overlay, "%.2f ms (max %.1f)", data.back(), highest);
    ImGui::PlotLines(label, data.data(), static_cast<int>(data.size()), 0, overlay, 0.0f, highest * 1.1f,
                     ImVec2(0.0f, 40.0f));
}

} // namespace

InspectorWindow::InspectorWindow(const Physics& physics) : System(INSPECTOR_SYSTEM_ID), m_physics(physics) {
    OverlayInput::Instance().AddWindow(
        {this, [this] { return m_model.IsVisible(); }, [this](int width, int height) { Draw(width, height); }});
}

InspectorWindow::~InspectorWindow() { OverlayInput::Instance().RemoveWindowsOf(this); }

void InspectorWindow::Update(float, std::vector<Object*>&) {
    if (InputEvents::Instance().Take(input_event::TOGGLE_INSPECTOR)) m_model.Toggle();
    const auto now = std::chrono::steady_clock::now();
    const float frameMs = m_hasLastFrame ? std::chrono::duration<float, std::milli>(now - m_lastFrame).count() : 0.0f;
    m_lastFrame = now;
    m_hasLastFrame = true;
    const Physics::StageTimes& stages = m_physics.LastStageTimes();
    m_model.RecordFrame(frameMs, static_cast<float>(stages.integrate + stages.pairs + stages.solve));
}

void InspectorWindow::Draw(int width, int height) {
    const std::vector<Object*> objects = ObjectManager::Instance().GetObjects();
    ImGui::SetNextWindowPos(ImVec2(8.0f, 8.0f), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(std::min(440.0f, width - 16.0f), std::max(100.0f, height - 16.0f)), ImGuiCond_FirstUseEver);
    if (!ImGui::Begin("Inspector (F1)")) {
        m_model.SetPickingEnabled(!ImGui::GetIO().WantCaptureMouse);
        ImGui::End();
        return;
    }
    Graph("frame", m_model.FrameTimes());
    Graph("physics", m_model.PhysicsTimes());
    const InspectorModel::Counts counts = InspectorModel::Count(objects, m_physics.Contacts().size());
    ImGui::Text("objects %zu  bodies %zu  contacts %zu", counts.objects, counts.bodies, counts.contacts);
    ImGui::Text("lights %zu  draw calls %zu", counts.lights, counts.drawCalls);

    std::string stack;
    for (const std::string& place : InspectorModel::PlaceStack()) stack += (stack.empty() ? "" : " > ") + place;
    ImGui::Text("places: %s", stack.c_str());

    ImGui::Separator();
    ImGui::BeginChild("objects", ImVec2(0.0f, 160.0f), true);
    for (const InspectorModel::ObjectRow& row : InspectorModel::Rows(objects)) {
        std::string label = row.id + "  [" + row.tag + "]  ";
        for (size_t i = 0; i < row.components.size(); ++i) label += (i ? ", " : "") + row.components[i];
        ImGui::PushID(row.id.c_str());
        if (ImGui::Selectable(label.c_str(), row.id == m_model.SelectedId())) m_model.Select(row.id);
        ImGui::PopID();
    }
    ImGui::EndChild();

    if (std::optional<InspectorModel::Details> details = m_model.Inspect()) {
        InspectorModel::Details edited = *details;
        bool changed = false;
        ImGui::Text("selected: %s", edited.id.c_str());
        if (edited.hasTransform) {
            changed |= ImGui::DragFloat3("position", &edited.position.x, 0.05f);
            changed |= ImGui::DragFloat3("rotation", &edited.rotationDegrees.x, 1.0f);
            changed |= ImGui::DragFloat3("scale", &edited.scale.x, 0.02f);
        }
        if (edited.hasBody) {
            changed |= ImGui::DragFloat3("velocity", &edited.velocity.x, 0.05f);
            changed |= ImGui::DragFloat("mass", &edited.mass, 0.05f, 0.0f, 1000.0f);
            changed |= ImGui::Checkbox("asleep", &edited.asleep);
        }
        if (edited.hasSprite) changed |= ImGui::ColorEdit3("sprite colour", &edited.spriteColor.x);
        if (edited.hasLight) changed |= ImGui::ColorEdit3("light colour", &edited.lightColor.x);
        if (changed) m_model.Apply(edited);
    } else {
        ImGui::TextUnformatted("click an object, or pick one above");
    }
    // Clicks on the window are for the window, not for the object behind it.
    m_model.SetPickingEnabled(!ImGui::GetIO().WantCaptureMouse);
    ImGui::End();
}

} // namespace zumek
