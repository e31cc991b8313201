// The settings registry: misuse, and numbers read the same whatever the user's locale. (The
// settings' order as the log's first lines is checked by the spine scene.)
#include "engine/SettingManager.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace zumek;

namespace {
enum NotASetting : int32_t {};
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
