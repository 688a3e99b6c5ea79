#include "program_fixture.h"

namespace quorvane::testing {
namespace {

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, OneMonitorIsCoveredExactly)
{
    StartProgram();
    const ProgramState& state = State();
    EXPECT_EQ(state.TargetLeft, 0);
    EXPECT_EQ(state.TargetTop, 0);
    EXPECT_EQ(state.TargetWidth, 1024);
    EXPECT_EQ(state.TargetHeight, 768);
    EXPECT_EQ(state.StepIndex, 1);
    EXPECT_EQ(TestForm().Width(), 1024 * 15);
    EXPECT_EQ(TestForm().Height(), 768 * 15);
}

}  // namespace
}  // namespace quorvane::testing
