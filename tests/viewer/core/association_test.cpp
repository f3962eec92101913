#include "viewer/core/association.h"

#include <gtest/gtest.h>

namespace viewer {
namespace {

constexpr char kProgram[] = "C:\\Program Files\\Orvane\\orvane.exe";

TEST(Association, TheFourRecordsOfAnExtensionQuoteTheProgramAndTheFile) {
  const std::array<ClassesRecord, 4> expected = {
      ClassesRecord{".jpg", "Orlanto"}, ClassesRecord{"Orlanto", "Orlanto File"},
      ClassesRecord{"Orlanto\\shell\\open\\command", "\"C:\\Program Files\\Orvane\\orvane.exe\" \"%1\""},
      ClassesRecord{"Orlanto\\DefaultIcon", "C:\\Program Files\\Orvane\\orvane.exe,0"}};
  EXPECT_EQ(AssociationRecords("JPG", kProgram), expected);
  EXPECT_EQ(ExtensionClassKey("Tif"), ".tif");
}

TEST(Association, TheCheckAcceptsTheQuotedAndTheOlderUnquotedCommand) {
  const std::string program = kProgram;
  struct Case {
    std::string ExtensionClass;
    std::string Command;
    bool Associated;
  };
  const Case cases[] = {
      {"Orlanto", OpenCommand(program), true},
      {"Orlanto", program + " %1", true},
      {"Orlanto", "\"" + program + "\" %1", false},
      {"Orlanto", "C:\\Other\\viewer.exe \"%1\"", false},
      {"Orlanto", "", false},
      {"Paintbox", OpenCommand(program), false},
      {"", OpenCommand(program), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsAssociated(c.ExtensionClass, c.Command, program), c.Associated) << c.ExtensionClass << " " << c.Command;
}

}  // namespace
}  // namespace viewer
