#pragma once
// Parameterized cases named after their own `name` field in the test list.
#include <gtest/gtest.h>

#include <string>

namespace velokrom::testing {

struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& c) const {
        return c.param.name;
    }
};

} // namespace velokrom::testing
