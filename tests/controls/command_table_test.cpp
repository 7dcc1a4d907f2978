#include "controls/command_table.h"

#include <gtest/gtest.h>

TEST(Placeholder, Builds) { snpp::TCommandProcessor p; EXPECT_EQ(p.Tables().size(), 3u); }
