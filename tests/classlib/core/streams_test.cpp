// Memory, string and file streams: positions, short transfers, copies and file errors.
#include "classlib/core/streams.h"

#include <gtest/gtest.h>

#include <cstring>

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/core/scratch.h"

namespace {

using cltest::ScratchFile;
using cltest::ScratchFolder;

TEST(MemoryStreamTest, WriteGrowsAndReadStopsAtTheEnd) {
  cl::TMemoryStream stream;
  stream.WriteBuffer("hello", 5);
  EXPECT_EQ(stream.Size(), 5);
  EXPECT_EQ(stream.Position(), 5);
  stream.SetPosition(1);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 8), 4);
  EXPECT_STREQ(buffer, "ello");
  EXPECT_EQ(stream.Read(buffer, 8), 0);
  // Writing past the end fills the gap with zeros.
  stream.Seek(2, cl::soFromEnd);
  stream.WriteBuffer("!", 1);
  EXPECT_EQ(stream.Size(), 8);
  EXPECT_EQ(static_cast<const char*>(stream.Memory())[6], '\0');
  EXPECT_EQ(stream.Seek(-1, cl::soFromCurrent), 7);
  EXPECT_THROW(stream.Seek(-1, cl::soFromBeginning), cl::EStreamError);
}

TEST(MemoryStreamTest, ShortReadBufferRaisesReadError) {
  cl::TMemoryStream stream;
  stream.WriteBuffer("abc", 3);
  stream.SetPosition(0);
  char buffer[4];
  try {
    stream.ReadBuffer(buffer, 4);
    FAIL() << "no exception";
  } catch (const cl::EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  EXPECT_THROW(stream.ReadBuffer(buffer, -1), cl::EReadError);
  stream.ReadBuffer(buffer, 0);  // nothing asked, nothing raised
}

TEST(MemoryStreamTest, SetSizeKeepsContentAndClampsPosition) {
  cl::TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  stream.SetSize(3);
  EXPECT_EQ(stream.Position(), 3);
  EXPECT_EQ(std::memcmp(stream.Memory(), "abc", 3), 0);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_THROW(stream.SetSize(-1), cl::EStreamError);
}

TEST(StreamTest, CopyFromZeroCopiesEverythingFromTheStart) {
  cl::TStringStream source("0123456789");
  source.SetPosition(7);
  cl::TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(&source, 0), 10);
  EXPECT_EQ(target.Size(), 10);
  source.SetPosition(2);
  cl::TStringStream part;
  EXPECT_EQ(part.CopyFrom(&source, 3), 3);
  EXPECT_EQ(part.DataString(), "234");
  EXPECT_THROW(part.CopyFrom(&source, 100), cl::EReadError);
}

TEST(FileStreamTest, CreateWriteReopenAndRead) {
  const std::string name = ScratchFile("stream.bin");
  {
    cl::TFileStream file(name, cl::fmCreate);
    file.WriteBuffer("abcdef", 6);
    file.SetPosition(2);
    char c;
    file.ReadBuffer(&c, 1);  // reading after writing, then writing again, on one handle
    EXPECT_EQ(c, 'c');
    file.WriteBuffer("X", 1);
    EXPECT_EQ(file.Size(), 6);
  }
  cl::TFileStream file(name, cl::fmOpenReadWrite | cl::fmShareDenyWrite);
  char buffer[7] = {};
  file.ReadBuffer(buffer, 6);
  EXPECT_STREQ(buffer, "abcXef");
  file.SetSize(2);
  EXPECT_EQ(file.Size(), 2);
  EXPECT_EQ(file.Position(), 2);
  EXPECT_THROW(file.ReadBuffer(buffer, 1), cl::EReadError);
}

TEST(FileStreamTest, AskingPositionAndSizeBetweenTransfersChangesNothing) {
  const std::string name = ScratchFile("queries.bin");
  cl::TStringStream("0123456789").SaveToFile(name);
  cl::TFileStream file(name, cl::fmOpenReadWrite);
  std::string read;
  for (int i = 1; i <= 5; ++i) {
    char c;
    file.ReadBuffer(&c, 1);
    read += c;
    EXPECT_EQ(file.Position(), i);
    EXPECT_EQ(file.Size(), 10);
  }
  EXPECT_EQ(read, "01234");
  file.WriteBuffer("X", 1);  // a write straight after reading and asking
  EXPECT_EQ(file.Position(), 6);
  char c;
  file.ReadBuffer(&c, 1);
  EXPECT_EQ(c, '6');
  file.WriteBuffer("YZ", 2);
  EXPECT_EQ(file.Size(), 10);
  char all[11] = {};
  file.SetPosition(0);
  file.ReadBuffer(all, 10);
  EXPECT_STREQ(all, "01234X6YZ9");
}

TEST(FileStreamTest, WritingAReadOnlyStreamRaises) {
  const std::string name = ScratchFile("readonly.bin");
  cl::TStringStream("data").SaveToFile(name);
  cl::TFileStream file(name, cl::fmOpenRead);
  EXPECT_THROW(file.WriteBuffer("x", 1), cl::EWriteError);
}

TEST(FileStreamTest, OpenAndCreateFailuresNameTheFile) {
  const std::string missing = ScratchFile("missing.bin");
  try {
    cl::TFileStream file(missing, cl::fmOpenRead);
    FAIL() << "no exception";
  } catch (const cl::EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + missing);
  }
  const std::string directory = ScratchFolder();
  EXPECT_THROW(cl::TFileStream(directory, cl::fmOpenRead), cl::EFOpenError);
  try {
    cl::TFileStream file(directory, cl::fmCreate);
    FAIL() << "no exception";
  } catch (const cl::EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + directory);
  }
  EXPECT_THROW(cl::TFileStream(ScratchFile("no folder") + cl::PathDelim + "x.bin", cl::fmCreate), cl::EFCreateError);
}

TEST(FileStreamTest, MemoryStreamFileRoundTrip) {
  const std::string name = ScratchFile("round.bin");
  cl::TMemoryStream out;
  for (int i = 0; i < 200000; ++i) {
    const uint8_t b = static_cast<uint8_t>(i * 7);
    out.WriteBuffer(&b, 1);
  }
  out.SaveToFile(name);
  cl::TMemoryStream in;
  in.WriteBuffer("old", 3);
  in.LoadFromFile(name);
  EXPECT_EQ(in.Position(), 0);
  ASSERT_EQ(in.Size(), 200000);
  EXPECT_EQ(std::memcmp(in.Memory(), out.Memory(), 200000), 0);
}

std::string ReadAll(const std::string& name) {
  cl::TMemoryStream stream;
  stream.LoadFromFile(name);
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

TEST(SaveFileSafelyTest, AFailedSaveKeepsTheOldFile) {
  const std::string name = ScratchFile("safe.txt");
  cl::TStringStream("old contents").SaveToFile(name);
  EXPECT_THROW(cl::SaveFileSafely(name,
                                  [](cl::TStream* file) {
                                    file->WriteBuffer("half", 4);
                                    throw cl::EWriteError("Stream write error");
                                  }),
               cl::EWriteError);
  EXPECT_EQ(ReadAll(name), "old contents");
  EXPECT_FALSE(cl::FileExists(name + ".new~"));
  cl::TStringStream("new").SaveToFile(name);
  EXPECT_EQ(ReadAll(name), "new");
  EXPECT_FALSE(cl::FileExists(name + ".new~"));
}

TEST(SaveFileSafelyTest, AnUnwritableTargetRaisesWithItsName) {
  const std::string name = ScratchFile("no folder") + cl::PathDelim + "x.txt";
  try {
    cl::TStringStream("x").SaveToFile(name);
    FAIL() << "no exception";
  } catch (const cl::EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + name);
  }
  // A folder in the way of the file is not replaced.
  const std::string directory = ScratchFolder();
  EXPECT_THROW(cl::TStringStream("x").SaveToFile(directory), cl::EFCreateError);
  EXPECT_TRUE(cl::DirectoryExists(directory));
}

}  // namespace
