#pragma once

#include <gtest/gtest.h>

#include <string>

namespace zemra::testing {

// Names each case of a table-driven test after the behaviour it pins down.
struct BehaviourName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& testCase) const {
        return testCase.param.behaviour;
    }
};

}  // namespace zemra::testing
