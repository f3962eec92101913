// TRegistry against Wine's registry, read back through TRegistry and through Wine's own "reg query".
#include "classlib/win/registry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "classlib/core/exceptions.h"

namespace {

constexpr char kTestKey[] = "Software\\ClassLibraryTests\\Registry";

// Runs "reg.exe query <key>" and returns what it printed.
std::string RegQuery(const std::string& key) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "pipe failed";
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::string command = "reg.exe query \"" + key + "\"";
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                &startup, &process);
  CloseHandle(writeEnd);
  std::string output;
  if (started) {
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  } else {
    output = "reg.exe did not start";
  }
  CloseHandle(readEnd);
  return output;
}

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey);
  }
  void TearDown() override { SetUp(); }
  cl::TRegistry reg;
};

TEST_F(RegistryTest, ValuesReadBackThroughTRegistryAndRegQuery) {
  ASSERT_TRUE(reg.OpenKey(kTestKey, true));
  reg.WriteString("Name", "C:\\Pictures\\a b.bmp");
  reg.WriteInteger("Count", 42);
  reg.WriteInteger("Negative", -7);
  reg.WriteBool("Flag", true);
  reg.CloseKey();

  ASSERT_TRUE(reg.OpenKey(kTestKey, false));
  EXPECT_EQ(reg.ReadString("Name"), "C:\\Pictures\\a b.bmp");
  EXPECT_EQ(reg.ReadInteger("Count"), 42);
  EXPECT_EQ(reg.ReadInteger("Negative"), -7);
  EXPECT_TRUE(reg.ReadBool("Flag"));
  reg.CloseKey();

  std::string listing = RegQuery(std::string("HKEY_CURRENT_USER\\") + kTestKey);
  EXPECT_NE(listing.find("REG_SZ"), std::string::npos) << listing;
  EXPECT_NE(listing.find("C:\\Pictures\\a b.bmp"), std::string::npos) << listing;
  EXPECT_NE(listing.find("0x2a"), std::string::npos) << listing;
  EXPECT_NE(listing.find("0xfffffff9"), std::string::npos) << listing;
  EXPECT_NE(listing.find("Flag"), std::string::npos) << listing;
}

TEST_F(RegistryTest, MissingStringIsEmptyButMissingIntegerAndBoolRaise) {
  ASSERT_TRUE(reg.OpenKey(kTestKey, true));
  EXPECT_EQ(reg.ReadString("Absent"), "");
  try {
    reg.ReadInteger("Absent");
    FAIL() << "no exception";
  } catch (const cl::ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Failed to get data for 'Absent'");
  }
  EXPECT_THROW(reg.ReadBool("Absent"), cl::ERegistryException);
}

TEST_F(RegistryTest, WrongTypeRaises) {
  ASSERT_TRUE(reg.OpenKey(kTestKey, true));
  reg.WriteString("Text", "12");
  reg.WriteInteger("Number", 12);
  try {
    reg.ReadInteger("Text");
    FAIL() << "no exception";
  } catch (const cl::ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'Text'");
  }
  EXPECT_THROW(reg.ReadString("Number"), cl::ERegistryException);
}

TEST_F(RegistryTest, NoOpenKeyReadsNothingAndWritesRaise) {
  EXPECT_EQ(reg.ReadString("Name"), "");
  EXPECT_FALSE(reg.ValueExists("Name"));
  try {
    reg.WriteString("Name", "x");
    FAIL() << "no exception";
  } catch (const cl::ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Failed to set data for 'Name'");
  }
}

TEST_F(RegistryTest, LeadingBackslashStartsFromTheRootAndOtherPathsAreRelative) {
  ASSERT_TRUE(reg.OpenKey(std::string("\\") + kTestKey + "\\", true));
  EXPECT_EQ(reg.CurrentPath(), kTestKey);
  ASSERT_TRUE(reg.OpenKey("Child", true));
  EXPECT_EQ(reg.CurrentPath(), std::string(kTestKey) + "\\Child");
  reg.WriteString("Where", "child");

  ASSERT_TRUE(reg.OpenKey(std::string("\\") + kTestKey, false));
  EXPECT_TRUE(reg.KeyExists("Child"));
  EXPECT_FALSE(reg.ValueExists("Where"));
  ASSERT_TRUE(reg.OpenKey("Child", false));
  EXPECT_EQ(reg.ReadString("Where"), "child");
}

TEST_F(RegistryTest, FailedOpenKeepsTheOpenKey) {
  ASSERT_TRUE(reg.OpenKey(kTestKey, true));
  reg.WriteString("Kept", "yes");
  EXPECT_FALSE(reg.OpenKey("DoesNotExist", false));
  EXPECT_EQ(reg.CurrentPath(), kTestKey);
  EXPECT_EQ(reg.ReadString("Kept"), "yes");
}

TEST_F(RegistryTest, AKeyOpenedReadOnlyReadsAndRefusesWrites) {
  EXPECT_FALSE(reg.OpenKeyReadOnly(kTestKey));  // never creates
  ASSERT_TRUE(reg.OpenKey(kTestKey, true));
  reg.WriteString("Kept", "yes");
  cl::TRegistry reader;
  ASSERT_TRUE(reader.OpenKeyReadOnly(kTestKey));
  EXPECT_EQ(reader.Access(), REGSAM(KEY_READ));
  EXPECT_EQ(reader.CurrentPath(), kTestKey);
  EXPECT_EQ(reader.ReadString("Kept"), "yes");
  EXPECT_THROW(reader.WriteString("Kept", "no"), cl::ERegistryException);
  EXPECT_EQ(reg.ReadString("Kept"), "yes");
}

TEST_F(RegistryTest, LocalMachineRootAndKeyNamedLikeARoot) {
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  // A path that starts with a root's name names a subkey of that name under the chosen root.
  ASSERT_TRUE(reg.OpenKey(std::string(kTestKey) + "\\HKEY_LOCAL_MACHINE\\SOFTWARE", true));
  reg.WriteInteger("Splitter", 120);
  reg.CloseKey();
  std::string listing = RegQuery(std::string("HKEY_LOCAL_MACHINE\\") + kTestKey + "\\HKEY_LOCAL_MACHINE\\SOFTWARE");
  EXPECT_NE(listing.find("0x78"), std::string::npos) << listing;
}

TEST_F(RegistryTest, DeleteValueAndKeyWithSubkeys) {
  ASSERT_TRUE(reg.OpenKey(std::string(kTestKey) + "\\A\\B", true));
  reg.WriteString("Deep", "1");
  ASSERT_TRUE(reg.OpenKey(std::string("\\") + kTestKey, false));
  reg.WriteString("Top", "1");
  EXPECT_TRUE(reg.DeleteValue("Top"));
  EXPECT_FALSE(reg.ValueExists("Top"));
  EXPECT_FALSE(reg.DeleteValue("Top"));
  EXPECT_TRUE(reg.DeleteKey("A"));
  EXPECT_FALSE(reg.KeyExists("A"));
  EXPECT_FALSE(reg.DeleteKey(""));
}

}  // namespace
