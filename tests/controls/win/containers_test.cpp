// Containers: change links, string and bitmap items in container streams and files (bitmaps at every colour
// depth, plain and compressed), damaged streams that change nothing, and bitmap items that load themselves.
#include "controls/ctl_containers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/object.h"
#include "classlib/core/streams.h"
#include "classlib/win/bitmap.h"
#include "controls/container_file.h"
#include "controls/ctl_image_lists.h"

namespace ctl {
namespace {

std::string TestFile(const std::string& name) {
  return std::string(std::getenv("PROJECT_TEST_DIR")) + "\\" + name;
}

// A bitmap of the given format with a different colour in each quarter.
cl::Owned<cl::TBitmap> Quarters(cl::TPixelFormat format, int width = 10, int height = 6) {
  cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
  bitmap->SetPixelFormat(format);
  bitmap->SetSize(width, height);
  const cl::TColor colors[4] = {cl::clRed, cl::clBlue, cl::clWhite, cl::clBlack};
  cl::TCanvas* canvas = bitmap->Canvas();
  for (int q = 0; q < 4; ++q) {
    canvas->Brush()->SetColor(format == cl::pf1bit ? (q % 2 ? cl::clBlack : cl::clWhite) : colors[q]);
    canvas->FillRect(cl::Bounds(q % 2 * width / 2, q / 2 * height / 2, width / 2, height / 2));
  }
  return bitmap;
}

std::vector<cl::TColor> PixelsOf(cl::TBitmap* bitmap) {
  std::vector<cl::TColor> pixels;
  for (int y = 0; y < bitmap->Height(); ++y)
    for (int x = 0; x < bitmap->Width(); ++x) pixels.push_back(bitmap->Canvas()->Pixels(x, y) & 0xFFFFFF);
  return pixels;
}

TEST(ChangeLinks, HearOfChangesInOrderUntilFreed) {
  cl::Owned<TCtlStringList> list = cl::MakeOwned<TCtlStringList>(nullptr);
  std::string heard;
  cl::Owned<TCtlChangeLink> first = cl::MakeOwned<TCtlChangeLink>();
  TCtlChangeLink* second = cl::New<TCtlChangeLink>();
  first->SetOnChange([&](cl::TObject* sender) { heard += sender == list.get() ? "1" : "?"; });
  second->SetOnChange([&](cl::TObject*) { heard += "2"; });
  list->SetOnChange([&](cl::TObject*) { heard += "c "; });
  list->RegisterChanges(first.get());
  list->RegisterChanges(second);
  list->Add();
  list->Items(0)->Items()->Add("line");
  EXPECT_EQ(heard, "12c 12c ");
  EXPECT_EQ(second->Sender(), list.get());
  second->Free();
  heard.clear();
  list->Clear();
  EXPECT_EQ(heard, "1c ");
  list.reset();
  EXPECT_EQ(first->Sender(), nullptr);
}

TEST(Containers, AssignCopiesItemsAndSettingsWithOneNotification) {
  cl::Owned<TCtlStringList> source = cl::MakeOwned<TCtlStringList>(nullptr);
  source->SetDefaultCompressed(true);
  source->Add()->SetDescription("a");
  source->Items(0)->Items()->SetText("one\r\ntwo\r\n");
  cl::Owned<TCtlStringList> copy = cl::MakeOwned<TCtlStringList>(nullptr);
  copy->Add();
  copy->Add();
  int changes = 0;
  copy->SetOnChange([&](cl::TObject*) { ++changes; });
  copy->Assign(source.get());
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(copy->Count(), 1);
  EXPECT_TRUE(copy->DefaultCompressed());
  EXPECT_TRUE(copy->Items(0)->Compressed());
  EXPECT_EQ(copy->Items(0)->Description(), "a");
  EXPECT_EQ(copy->Items(0)->Items()->Text(), "one\r\ntwo\r\n");
  EXPECT_THROW(copy->Assign(cl::MakeOwned<TCtlWaveList>(nullptr).get()), cl::EConvertError);
}

TEST(Containers, ItemsCopyWithoutLossAndLeaveWhenFreed) {
  cl::Owned<TCtlBitmapList> list = cl::MakeOwned<TCtlBitmapList>(nullptr);
  list->SetDefaultPixelFormat(spfMono);
  list->Add();
  list->Items(0)->SetBitmap(Quarters(cl::pf24bit).get());
  cl::Owned<TCtlBitmapList> copy = cl::MakeOwned<TCtlBitmapList>(nullptr);
  copy->Assign(list.get());
  EXPECT_EQ(copy->DefaultPixelFormat(), spfMono);
  EXPECT_EQ(copy->Items(0)->SaveFormat(), spfMono);
  EXPECT_EQ(PixelsOf(copy->Items(0)->Bitmap()), PixelsOf(Quarters(cl::pf24bit).get()));
  copy->Items(0)->Free();
  EXPECT_EQ(copy->Count(), 0);
}

TEST(Containers, BitmapsOfEveryDepthRoundTrip) {
  for (cl::TPixelFormat format : {cl::pf1bit, cl::pf4bit, cl::pf8bit, cl::pf24bit, cl::pf32bit}) {
    for (bool compressed : {false, true}) {
      cl::Owned<cl::TBitmap> original = Quarters(format);
      cl::Owned<TCtlBitmapList> list = cl::MakeOwned<TCtlBitmapList>(nullptr);
      list->SetDefaultCompressed(compressed);
      list->Add();
      list->Items(0)->SetBitmap(original.get());
      cl::TMemoryStream stream;
      list->SaveToStream(&stream, true);
      stream.SetPosition(0);
      cl::Owned<TCtlBitmapList> loaded = cl::MakeOwned<TCtlBitmapList>(nullptr);
      loaded->LoadFromStream(&stream, true);
      ASSERT_EQ(loaded->Count(), 1);
      cl::TBitmap* back = loaded->Items(0)->Bitmap();
      EXPECT_EQ(back->PixelFormat(), format) << format;
      EXPECT_EQ(PixelsOf(back), PixelsOf(original.get())) << format << (compressed ? " compressed" : " plain");
      EXPECT_EQ(loaded->Items(0)->Compressed(), compressed);
    }
  }
}

TEST(Containers, SaveFormatsWriteFewerColours) {
  const struct {
    TCtlSavePixelFormat format;
    cl::TPixelFormat read;
  } cases[] = {{spfMono, cl::pf1bit}, {spf4bit, cl::pf4bit}, {spf8bit, cl::pf8bit}};
  for (const auto& c : cases) {
    cl::Owned<TCtlBitmapList> list = cl::MakeOwned<TCtlBitmapList>(nullptr);
    list->SetDefaultPixelFormat(c.format);
    list->Add();
    list->Items(0)->SetBitmap(Quarters(c.format == spfMono ? cl::pf1bit : cl::pf24bit).get());
    cl::TMemoryStream stream;
    list->SaveToStream(&stream, false);
    stream.SetPosition(0);
    list->LoadFromStream(&stream, false);
    EXPECT_EQ(list->Items(0)->SaveFormat(), c.format);
    EXPECT_EQ(list->Items(0)->Bitmap()->PixelFormat(), c.read) << c.format;
    EXPECT_EQ(list->Items(0)->Bitmap()->Canvas()->Pixels(9, 5) & 0xFFFFFF, 0) << c.format;
  }
}

TEST(Containers, DamagedStreamChangesNothing) {
  cl::Owned<TCtlBitmapList> list = cl::MakeOwned<TCtlBitmapList>(nullptr);
  list->Add()->SetIdent(3);
  list->Items(0)->SetBitmap(Quarters(cl::pf24bit).get());
  list->Add();
  cl::TMemoryStream stream;
  list->SaveToStream(&stream, false);
  const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
  // The second record's flags byte is lost; the first record's bitmap is cut.
  for (int64_t cut : {int64_t{1}, stream.Size() / 2}) {
    cl::TMemoryStream damaged;
    damaged.WriteBuffer(bytes, static_cast<int32_t>(stream.Size() - cut));
    damaged.SetPosition(0);
    int changes = 0;
    list->SetOnChange([&](cl::TObject*) { ++changes; });
    EXPECT_ANY_THROW(list->LoadFromStream(&damaged, false));
    EXPECT_EQ(changes, 0);
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Items(0)->Ident(), 3);
    EXPECT_EQ(list->Items(0)->Bitmap()->Width(), 10);
  }
}

TEST(ContainerFiles, LoadBitmapsByIndexAndRefuseOtherKinds) {
  const std::string fileName = TestFile("pictures.bmp");
  cl::Owned<TCtlBitmapList> list = cl::MakeOwned<TCtlBitmapList>(nullptr);
  for (int i = 0; i < 3; ++i) {
    list->Add()->SetIdent(static_cast<uint16_t>(i));
    list->Items(i)->SetBitmap(Quarters(cl::pf24bit, 10 + i).get());
  }
  list->SaveToFile(fileName);

  cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
  LoadBitmapFromContainer(fileName, 2, bitmap.get());
  EXPECT_EQ(bitmap->Width(), 12);
  EXPECT_EQ(PixelsOf(bitmap.get()), PixelsOf(Quarters(cl::pf24bit, 12).get()));
  EXPECT_THROW(LoadBitmapFromContainer(fileName, 3, bitmap.get()), cl::EListError);

  cl::Owned<TCtlImageListItem> strip = cl::MakeOwned<TCtlImageListItem>();
  try {
    LoadContainerItem(fileName, ckImageList, nullptr, strip.get(), 0);
    ADD_FAILURE();
  } catch (const cl::Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot open file %s: " + fileName);
  }
}

TEST(ContainerFiles, BitmapItemsLoadThemselvesByStorageMode) {
  const std::string containerName = "lazy.bmp", bitmapName = "single.bmp";
  {
    cl::Owned<TCtlBitmapList> list = cl::MakeOwned<TCtlBitmapList>(nullptr);
    list->Add();
    list->Add();
    list->Items(1)->SetBitmap(Quarters(cl::pf24bit, 14).get());
    list->SaveToFile(TestFile(containerName));
    Quarters(cl::pf24bit, 16)->SaveToFile(TestFile(bitmapName));
  }
  cl::Owned<TCtlBitmapList> list = cl::MakeOwned<TCtlBitmapList>(nullptr);
  list->SetPathPrefix(ppFixed);
  list->SetStorageMode(smContainerFile);
  list->SetFileName(TestFile(containerName));
  list->Add()->SetIdent(1);
  int changes = 0;
  list->SetOnChange([&](cl::TObject*) { ++changes; });
  EXPECT_EQ(list->ImageSize(0, 0), 14);
  EXPECT_EQ(changes, 0);

  list->SetStorageMode(smBitmapFile);
  list->SetFileName(TestFile(bitmapName));
  list->Add();
  EXPECT_EQ(list->ImageSize(1, 0), 16);

  // A load that fails raises and leaves the item unlocked: its changes are heard again.
  list->SetStorageMode(smLibrary);
  list->SetFileName(TestFile("missing.dll"));
  TCtlBitmapListItem* item = static_cast<TCtlBitmapListItem*>(list->Add());
  EXPECT_THROW(item->Bitmap(), cl::EFOpenError);
  list->SetStorageMode(smContainerFile);
  list->SetFileName(TestFile("missing.bmp"));
  EXPECT_THROW(item->Bitmap(), cl::EFOpenError);
  EXPECT_FALSE(item->Locked());
  changes = 0;
  item->SetDescription("still heard");
  EXPECT_EQ(changes, 1);
}

TEST(ContainerFiles, AProgramLibraryPassesTheStorageModeCheck) {
  cl::Owned<TCtlBitmapList> list = cl::MakeOwned<TCtlBitmapList>(nullptr);
  list->SetStorageMode(smLibrary);
  list->SetPathPrefix(ppSystem);
  list->SetFileName("kernel32.dll");
  list->Add();
  EXPECT_TRUE(list->Items(0)->Bitmap()->Empty());
}

TEST(GlobalContainer, HoldsOneListOfEachKindAndPassesTheirChangesOn) {
  TCtlContainer* global = GlobalContainer();
  ASSERT_EQ(GlobalContainer(), global);
  EXPECT_EQ(global->ImageList()->Kind(), ckImageList);
  EXPECT_EQ(global->BitmapList()->Kind(), ckBitmapList);
  EXPECT_EQ(global->WaveList()->Kind(), ckWaveList);
  EXPECT_EQ(global->StringList()->Kind(), ckStringList);
  int changes = 0;
  global->SetOnChange([&](cl::TObject*) { ++changes; });
  global->StringList()->Add();
  global->WaveList()->Clear();
  EXPECT_EQ(changes, 2);
  global->SetOnChange(nullptr);
  global->StringList()->Clear();
}

}  // namespace
}  // namespace ctl
