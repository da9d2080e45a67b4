// The window tests' main thread is an OLE apartment, as the program's is
// (WinMain): MainWindow's browser box cannot be created without one. Among
// the window tests' own sources, since nothing refers to it by name.
#include <ole2.h>

#include <gtest/gtest.h>

namespace {

class OleApartment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }
};
::testing::Environment* const kOleApartment = ::testing::AddGlobalTestEnvironment(new OleApartment);

}  // namespace
