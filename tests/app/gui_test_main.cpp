// Runs the GUI tests inside the program's own application object, so the
// general error display and the program's look are the real ones.
#include <gtest/gtest.h>

#include "app/snpp_application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  SnppApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
