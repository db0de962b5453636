// Names for parameterised cases, so that ctest lists plain words rather than
// the bytes of a parameter.
#pragma once

#include <gtest/gtest.h>

#include <string>

// For tables whose rows carry a `name`: each case is called by its row's name.
struct NamedAfterRow {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& row) const {
        return std::string(row.param.name);
    }
};
