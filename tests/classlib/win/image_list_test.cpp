// TImageList: images added, replaced and deleted with their counts and errors, masks, change links, and a shared
// handle (the shell's system image list) that outlives the object.
#include "classlib/win/image_list.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"

namespace {

using namespace cl;

// A 16 x 16 bitmap of one colour with a bottom-left corner of another.
TBitmap* SquareWithCorner(TColor fill, TColor corner, int size = 16) {
  auto* bitmap = New<TBitmap>();
  bitmap->SetSize(size, size);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(fill);
  canvas->FillRect(TRect{0, 0, size, size});
  canvas->Brush()->SetColor(corner);
  canvas->FillRect(TRect{0, size - 4, 4, size});
  return bitmap;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

class ImageListTest : public testing::Test {
 protected:
  void SetUp() override {
    list = TImageList::CreateSize(16, 16);
    red = SquareWithCorner(clRed, clLime);
    blue = SquareWithCorner(clBlue, clBlue);
  }
  void TearDown() override {
    Free(red);
    Free(blue);
    Free(list);
  }
  // The colour a pixel of image index shows when drawn on white.
  TColor DrawnPixel(int index, int x, int y) {
    TBitmap* target = New<TBitmap>();
    target->SetSize(16, 16);
    target->Canvas()->Brush()->SetColor(clWhite);
    target->Canvas()->FillRect(TRect{0, 0, 16, 16});
    list->Draw(target->Canvas(), 0, 0, index);
    const TColor color = target->Canvas()->Pixels(x, y);
    Free(target);
    return color;
  }

  TImageList* list = nullptr;
  TBitmap* red = nullptr;
  TBitmap* blue = nullptr;
};

TEST_F(ImageListTest, AddReplaceAndDeleteKeepCountsAndReportBadInput) {
  EXPECT_EQ(list->Count(), 0);
  EXPECT_FALSE(list->HandleAllocated());
  EXPECT_EQ(list->Add(red, nullptr), 0);
  EXPECT_EQ(list->AddMasked(blue, clDefault), 1);
  EXPECT_EQ(list->AddMasked(red, clLime), 2);
  EXPECT_EQ(list->Count(), 3);

  list->Replace(0, blue, nullptr);
  EXPECT_EQ(DrawnPixel(0, 8, 8), clBlue);
  EXPECT_EQ(list->Count(), 3);
  EXPECT_EQ(ErrorOf([&] { list->Replace(3, blue, nullptr); }), "Unable to Replace Image");
  EXPECT_EQ(ErrorOf([&] { list->Replace(-1, blue, nullptr); }), "Unable to Replace Image");

  TBitmap* small = SquareWithCorner(clRed, clRed, 8);
  EXPECT_EQ(ErrorOf([&] { list->Add(small, nullptr); }), "Invalid image size");
  EXPECT_EQ(ErrorOf([&] { list->AddMasked(small, clDefault); }), "Invalid image size");
  EXPECT_EQ(ErrorOf([&] { list->Replace(0, small, nullptr); }), "Invalid image size");
  Free(small);
  EXPECT_EQ(list->Count(), 3);

  list->Delete(1);
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(DrawnPixel(1, 8, 8), clRed);  // the later image moved up
  EXPECT_THROW(list->Delete(2), EListError);
  EXPECT_THROW(list->Delete(-1), EListError);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(ImageListTest, MaskColourPixelsBecomeTransparentAndTheSourceStaysUnchanged) {
  list->AddMasked(red, clLime);     // the corner is masked
  list->AddMasked(red, clDefault);  // the bottom-left pixel (lime) decides too
  list->AddMasked(red, clBtnFace);  // a system colour is passed as its RGB value: nothing of it here
  for (int index = 0; index < 2; ++index) {
    EXPECT_EQ(DrawnPixel(index, 1, 14), clWhite) << index;
    EXPECT_EQ(DrawnPixel(index, 8, 8), clRed) << index;
  }
  EXPECT_EQ(DrawnPixel(2, 1, 14), clLime);
  EXPECT_EQ(red->Canvas()->Pixels(1, 14), clLime);  // the system blackens masked pixels of what it is given
}

TEST_F(ImageListTest, ChangeLinksHearEveryChangeUntilUnregisteredOrFreed) {
  TChangeLink* link = New<TChangeLink>();
  int changes = 0;
  TObject* sender = nullptr;
  link->SetOnChange(TNotifyEvent([&](TObject* s) {
    ++changes;
    sender = s;
  }));
  int ownEvents = 0;
  list->SetOnChange(TNotifyEvent([&](TObject*) { ++ownEvents; }));
  list->RegisterChanges(link);
  EXPECT_EQ(link->Sender(), list);
  list->Add(red, nullptr);
  list->AddMasked(blue, clDefault);
  list->Delete(0);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(ownEvents, 3);
  EXPECT_EQ(sender, list);

  list->UnRegisterChanges(link);
  EXPECT_EQ(link->Sender(), nullptr);
  list->Clear();
  EXPECT_EQ(changes, 3);

  list->RegisterChanges(link);
  Free(list);
  list = nullptr;
  EXPECT_EQ(link->Sender(), nullptr);  // the link outlives the list without a dangling sender
  Free(link);

  // A link freed while registered leaves the list.
  list = TImageList::CreateSize(16, 16);
  link = New<TChangeLink>();
  list->RegisterChanges(link);
  Free(link);
  EXPECT_NO_THROW(list->Add(red, nullptr));
}

TEST_F(ImageListTest, ASharedSystemListSurvivesTheObject) {
  SHFILEINFOA info{};
  auto system =
      reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ASSERT_NE(system, nullptr);
  const int systemCount = ImageList_GetImageCount(system);
  const int before = debug::ImageListCount();
  for (int round = 0; round < 2; ++round) {
    TImageList* shared = New<TImageList>(nullptr);
    shared->SetShareImages(true);
    shared->SetHandle(system);
    EXPECT_EQ(shared->Handle(), system);
    EXPECT_EQ(shared->Count(), systemCount);
    int width = 0, height = 0;
    ImageList_GetIconSize(system, &width, &height);
    EXPECT_EQ(shared->Width(), width);
    EXPECT_EQ(shared->Height(), height);
    Free(shared);
  }
  EXPECT_EQ(ImageList_GetImageCount(system), systemCount);  // still alive and whole
  EXPECT_EQ(debug::ImageListCount(), before);

  // A list of its own is destroyed with its object.
  TImageList* own = New<TImageList>(nullptr);
  own->Handle();
  EXPECT_EQ(debug::ImageListCount(), before + 1);
  Free(own);
  EXPECT_EQ(debug::ImageListCount(), before);
}

TEST_F(ImageListTest, GetBitmapAndANewSizeEmptyTheListAsDocumented) {
  list->Add(red, nullptr);
  TBitmap* copy = New<TBitmap>();
  list->GetBitmap(0, copy);
  EXPECT_EQ(copy->Width(), 16);
  EXPECT_EQ(copy->Canvas()->Pixels(8, 8), clRed);
  Free(copy);
  list->SetWidth(24);
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(ErrorOf([&] { list->Add(red, nullptr); }), "Invalid image size");
}

}  // namespace
