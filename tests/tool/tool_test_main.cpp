#include <gtest/gtest.h>

#include <QCoreApplication>

// The tool runs under a core application; so do its tests.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
