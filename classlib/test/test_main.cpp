// main() of the Windows test programs: the library runs around all tests, and a strict responder fails any test
// that shows unexpected modal UI instead of letting it wait for a person.
#include <gtest/gtest.h>

#include "classlib/test/responder.h"
#include "classlib/win/application.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  cl::Initialize();
  int result = 0;
  {
    cl::test::Responder strict;
    result = RUN_ALL_TESTS();
  }
  cl::Finalize();
  return result;
}
