// The settings registry: the seventeen settings, their first values and order, and misuse.
#include "engine/SettingManager.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace zumek;

namespace {
enum NotASetting : int32_t {};
}

TEST(SettingManager, CreatesSeventeenSettingsInOrderAsTheFirstLogLines) {
    (void)SettingManager::GetSetting<ResolutionSetting>();
    const char* expected[] = {
        "enum zumek::LocaleSetting",         "enum zumek::DebugSetting",       "enum zumek::DebugDrawSetting",
        "enum zumek::HudDrawSetting",        "enum zumek::EngineStateSetting", "class zumek::ResolutionSetting",
        "class zumek::CameraSetting*",       "enum zumek::CameraMovementSetting", "enum zumek::EditorGUISetting",
        "enum zumek::SelectObjectSetting",   "enum zumek::AnimationSetting",   "enum zumek::PhysicsSetting",
        "enum zumek::RenderModeSetting",     "enum zumek::CacheSetting",       "enum zumek::OculusSetting",
        "enum zumek::ScriptSetting",         "enum zumek::ApplicationStateSetting",
    };
    const auto& records = EngineLog::Instance().Records();
    ASSERT_EQ(records.size(), 17u);
    auto it = records.begin();
    for (const char* name : expected) {
        EXPECT_EQ(it->text, std::string("Setting for ") + name + " has been created.");
        EXPECT_EQ(it->level, Info);
        ++it;
    }
}

TEST(SettingManager, FirstValues) {
    EXPECT_EQ(SettingManager::GetSetting<DebugSetting>(), 1);
    EXPECT_EQ(SettingManager::GetSetting<DebugDrawSetting>(), 1);
    EXPECT_EQ(SettingManager::GetSetting<HudDrawSetting>(), 1);
    EXPECT_EQ(SettingManager::GetSetting<EngineStateSetting>(), ENGINE_RUNNING);
    EXPECT_EQ(SettingManager::GetSetting<ResolutionSetting>().width, 1024);
    EXPECT_EQ(SettingManager::GetSetting<ResolutionSetting>().height, 800);
    EXPECT_EQ(SettingManager::GetSetting<CameraSetting*>(), &SettingManager::Instance().DefaultCamera());
    EXPECT_EQ(SettingManager::GetSetting<CameraSetting*>()->view, glm::mat4(1.0f));
    EXPECT_EQ(SettingManager::GetSetting<CameraMovementSetting>(), 1);
    EXPECT_EQ(SettingManager::GetSetting<OculusSetting>(), 1);
    EXPECT_EQ(SettingManager::GetSetting<ScriptSetting>(), 0);
    EXPECT_EQ(SettingManager::GetSetting<ApplicationStateSetting>(), 0);
}

TEST(SettingManager, ValuesChangeInPlaceThroughTheReference) {
    SettingManager::GetSetting<ResolutionSetting>() = {640, 480};
    EXPECT_EQ(SettingManager::GetSetting<ResolutionSetting>().width, 640);
    auto& debug = SettingManager::GetSetting<DebugSetting>();
    debug = DebugSetting(0);
    debug = DebugSetting(1);
    EXPECT_EQ(SettingManager::GetSetting<DebugSetting>(), 1);
}

TEST(SettingManager, ReadingAnUnknownTypeLogsAndThrows) {
    EXPECT_THROW(SettingManager::GetSetting<NotASetting>(), std::logic_error);
    EXPECT_EQ(EngineLog::Instance().Records().back().text,
              "Setting for enum (anonymous namespace)::NotASetting has not been created.");
}

TEST(SettingManager, CreatingASettingTwiceLogsAndThrows) {
    EXPECT_THROW(SettingManager::Instance().CreateSetting<DebugSetting>(DebugSetting(0)), std::logic_error);
    EXPECT_EQ(EngineLog::Instance().Records().back().text,
              "Setting for enum zumek::DebugSetting has already been created.");
    EXPECT_EQ(SettingManager::GetSetting<DebugSetting>(), 1);
}

TEST(SettingManager, NumbersAreReadWithDotDecimalsWhateverTheUserLocale) {
    (void)SettingManager::Instance();
    float value = 0;
    ASSERT_EQ(std::sscanf("2.5", "%f", &value), 1);
    EXPECT_FLOAT_EQ(value, 2.5f);
}
