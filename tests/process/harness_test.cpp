// The harness itself: a child that never ends is killed, and nothing blocks.
#include <gtest/gtest.h>

#include "process/engine_process.h"

using namespace engine_test;

TEST(Harness, AChildThatHangsIsKilledAtTheTimeout) {
  EngineProcess cat("/bin/cat");
  ASSERT_TRUE(cat.send("hello"));
  EXPECT_EQ(cat.read_line(), "hello");
  EXPECT_EQ(cat.read_line(std::chrono::milliseconds(50)), std::nullopt);
  EXPECT_EQ(cat.wait_exit(std::chrono::milliseconds(100)), EXIT_TIMED_OUT);
  EXPECT_FALSE(cat.send("after the end"));
}

TEST(Harness, LargeInputAndOutputDoNotBlockEachOther) {
  std::string input;
  for (int i = 0; i < 20000; ++i) input += "line " + std::to_string(i) + "\n";
  const EngineRun run = run_engine(input, DEFAULT_TIMEOUT, "/bin/cat");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, input);
}
