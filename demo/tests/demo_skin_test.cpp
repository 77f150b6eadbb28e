// Placeholder replaced below.
#include <gtest/gtest.h>
TEST(DemoSkin, Builds) {}
