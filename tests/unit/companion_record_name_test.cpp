#include "linux/companion_record_name.h"

#include <gtest/gtest.h>

#include "support/named_rows.h"

namespace {

struct NameRow : NamedRow {
    const char* display;  // null: DISPLAY unset
    const char* record;
};

class CompanionRecordName : public testing::TestWithParam<NameRow> {};

TEST_P(CompanionRecordName, IsOnePerDisplay) {
    EXPECT_EQ(companionRecordName(GetParam().display), GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompanionRecordName,
    testing::Values(NameRow{"LocalDisplay", ":0", "grabnik-companion-:0.lock"},
                    NameRow{"ScreenDropped", ":1.0", "grabnik-companion-:1.lock"},
                    NameRow{"HostKept", "localhost:10.2", "grabnik-companion-localhost:10.lock"},
                    NameRow{"DotInTheHostKept", "box.lan:3", "grabnik-companion-box.lan:3.lock"},
                    NameRow{"SlashesReplaced", "/tmp/launch-x/org.x:0",
                            "grabnik-companion-_tmp_launch-x_org.x:0.lock"},
                    NameRow{"Unset", nullptr, "grabnik-companion-.lock"}),
    NamedAfterRow());

}  // namespace
