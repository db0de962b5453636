// Table rows that name their cases, so that ctest lists plain words rather
// than the bytes of a parameter, and a failing case prints its row's name.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// The base of a table's row type, whose rows name their case first:
//   struct Drag : NamedRow { int fromX, fromY; };
//   Drag{"UpLeft", 100, 100}
// The name converts, so that a row is written as if it were a member. The
// printer is found through the base class, for rows in any namespace.
struct NamedRow {
    NamedRow(const char* caseName) : name(caseName) {}
    const char* name;
};

inline std::ostream& operator<<(std::ostream& out, const NamedRow& row) { return out << row.name; }

// The name generator of INSTANTIATE_TEST_SUITE_P: each case is called by
// its row's name.
struct NamedAfterRow {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& row) const {
        return std::string(row.param.name);
    }
};
