// The file hotkey's work run in this process: a private folder as the
// temporary directory, and a stand-in overlay to own the clipboard.
#pragma once

#include <gtest/gtest.h>

#include "driver.h"
#include "stand_in_overlay.h"
#include "temp_folder.h"

class FileHotkeyInProcess : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.created());
        ASSERT_TRUE(owner_.created());
    }

    e2e::TempFolder folder_{"clip"};
    const StandInOverlay owner_;
    const e2e::ScopedEnvironment temporaryDirectory_{e2e::temporaryDirectoryIs(folder_.path())};
};
