// Acquiring through the system's TWAIN source manager from the test source (installed in the prefix by the test
// fixture): the source is listed and chosen in the manager's dialog, its picture arrives pixel for pixel in a new
// image window, and cancelled, failed or malformed transfers leave no window and nothing open.
#include "viewer/enh_twain.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "classlib/core/files.h"
#include "classlib/core/string_list.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/dib.h"
#include "classlib/win/status_bar.h"
#include "support/screenshot.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/win/twain_source/test_picture.h"

namespace viewer {
namespace {

constexpr char kTestSource[] = "Test Pattern Source";
constexpr char kCameraSource[] = "GPhoto2 Camera";  // the source this system comes with; no camera is attached
constexpr char kInvalidImage[] = "The image from the TWAIN source is not a valid bitmap";

// Every visible image window's caption.
std::vector<std::string> WindowCaptions() {
  std::vector<std::string> captions;
  for (TEditForm* window : ImageWindows()) captions.push_back(window->Caption());
  return captions;
}

// Answers the source manager's "Select Source" dialog with a source, from a timer that runs in its modal loop.
class SourceChoice {
 public:
  explicit SourceChoice(const std::string& name) {
    Chosen = name;
    FTimer = SetTimer(nullptr, 0, 50, Answer);
  }
  ~SourceChoice() { KillTimer(nullptr, FTimer); }

 private:
  static void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) noexcept {
    HWND dialog = FindWindowA("#32770", "Select Source");
    if (!dialog) return;
    SendDlgItemMessageA(dialog, kSourceList, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(Chosen.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  }
  static constexpr int kSourceList = 1001;
  static inline std::string Chosen;
  UINT_PTR FTimer;
};

class TwainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FLog = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\twain.log";
    cl::RemoveFile(FLog);
    SetEnvironmentVariableA("TEST_TWAIN_SOURCE_LOG", FLog.c_str());
    SetMode("");
    FResponder.OnMessageBox = [](const cl::test::MessageBoxCall&) { return IDOK; };
    FResponder.OnShowException = [](const std::string&) {};
    FrameForm = FFrame = cl::New<TFrameForm>(nullptr);
    FFrame->HandleNeeded();
    FTwain = FFrame->Twain1;
  }
  void TearDown() override {
    for (TEditForm* window : ImageWindows()) {
      window->Document().SetModified(false);
      window->Free();
    }
    FFrame->Free();
    FrameForm = nullptr;
  }

  static void SetMode(const char* mode) { SetEnvironmentVariableA("TEST_TWAIN_SOURCE_MODE", mode); }

  // The operations the test source received, in order.
  std::vector<std::string> SourceLog() const {
    std::vector<std::string> lines;
    std::ifstream file(FLog);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }
  bool Logged(const std::string& operation) const {
    const std::vector<std::string> log = SourceLog();
    return std::find(log.begin(), log.end(), operation) != log.end();
  }
  std::vector<std::string> ErrorBoxes() const {
    std::vector<std::string> texts;
    for (const cl::test::MessageBoxCall& box : FResponder.MessageBoxes) texts.push_back(box.Caption + ": " + box.Text);
    return texts;
  }
  std::string HintPanel() const { return FFrame->StatusBar1->Panels()->Items(TFrameForm::kHintPanel)->Text(); }
  // Acquires and checks that the source was closed again and no operation is left running.
  void AcquireAndClose() {
    FFrame->AcquireImage1Click(nullptr);
    const std::vector<std::string> log = SourceLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "CLOSEDS");
    EXPECT_FALSE(cl::Application->OnMessage()) << "the message hook of the operation is gone";
  }

  std::string FLog;
  cl::test::Responder FResponder;
  TFrameForm* FFrame = nullptr;
  TEnhTwain* FTwain = nullptr;
};

TEST_F(TwainTest, TheTestSourceIsListedFirst) {
  ASSERT_TRUE(FTwain->Available());
  ASSERT_GE(FTwain->SourceList()->Count(), 1);
  EXPECT_EQ(FTwain->SourceList()->Strings(0), kTestSource);
  EXPECT_EQ(FTwain->GetSourceList(), FTwain->SourceList()->Count());
}

TEST_F(TwainTest, AnAcquiredPictureArrivesPixelForPixelInANewUntitledWindow) {
  FFrame->SetBounds(0, 0, 640, 480);
  // Showing the frame opens the test program's own command line: a window of a name that does not exist.
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  FFrame->Show();
  for (TEditForm* window : ImageWindows()) window->Free();
  AcquireAndClose();
  cl::test::PumpFor(300);
  testsupport::SaveScreenshot("orvane_twain_acquired");
  ASSERT_EQ(WindowCaptions(), std::vector<std::string>{"Untitled1"});
  TEditForm* window = ImageWindows()[0];
  EXPECT_TRUE(window->Document().Modified()) << "closing the window asks before the picture is lost";
  EXPECT_EQ(HintPanel(), "") << "the wait is over";

  cl::Owned<cl::TBitmap> saved = cl::MakeOwned<cl::TBitmap>();
  saved->LoadFromFile(window->Document().WorkFile());
  const cl::bmp::TDibImage image = cl::dib::Read32(saved->Handle(), saved->Palette());
  ASSERT_EQ(image.Width, test::kTestPictureWidth);
  ASSERT_EQ(image.Height, test::kTestPictureHeight);
  int wrong = 0;
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) {
      const uint8_t* pixel = image.Bits.data() + (image.Height - 1 - y) * image.Stride() + 4 * x;
      wrong += !(test::TestColor{pixel[2], pixel[1], pixel[0]} == test::TestPictureColor(x, y));
    }
  }
  EXPECT_EQ(wrong, 0);
  // The frame's settings went to the source: 600 by 600, one image.
  for (const char* set : {"SET 1118 7 600", "SET 1119 7 600", "SET 1 4 1", "ENABLEDS 0 0"})
    EXPECT_TRUE(Logged(set)) << set;
  EXPECT_TRUE(FResponder.MessageBoxes.empty());
}

TEST_F(TwainTest, CancelledFailedAndMalformedTransfersLeaveNoWindowAndNothingOpen) {
  struct Case {
    const char* Mode;
    std::vector<std::string> Boxes;
    std::vector<std::string> Exceptions;
  };
  const Case cases[] = {
      {"cancel", {}, {}},
      {"fail", {"TWAIN Error: Bummer, there is a TWAIN error"}, {}},
      {"lying", {}, {kInvalidImage}},
  };
  for (const Case& c : cases) {
    SetMode(c.Mode);
    cl::RemoveFile(FLog);
    FResponder.MessageBoxes.clear();
    FResponder.Exceptions.clear();
    AcquireAndClose();
    EXPECT_TRUE(WindowCaptions().empty()) << c.Mode;
    EXPECT_EQ(HintPanel(), "") << c.Mode;
    EXPECT_EQ(ErrorBoxes(), c.Boxes) << c.Mode;
    EXPECT_EQ(FResponder.Exceptions, c.Exceptions) << c.Mode;
  }
  // The manager was left clean: the next acquisition goes through.
  SetMode("");
  AcquireAndClose();
  EXPECT_EQ(WindowCaptions().size(), 1u);
}

TEST_F(TwainTest, TheChosenSourceIsTheOneAcquiredFrom) {
  {
    SourceChoice choice(kCameraSource);
    EXPECT_TRUE(FTwain->SelectSource());
  }
  FFrame->AcquireImage1Click(nullptr);
  EXPECT_FALSE(Logged("OPENDS")) << "the camera source was asked for, not the test source";
  EXPECT_TRUE(WindowCaptions().empty());
  // No camera is attached: the source brings nothing and says nothing, so the wait ends and the user is told.
  EXPECT_EQ(HintPanel(), "");
  EXPECT_EQ(ErrorBoxes(),
            std::vector<std::string>{"Orlanto: No image was acquired: the TWAIN source delivered no picture."});
  {
    SourceChoice choice(kTestSource);
    FFrame->SelectSource1Click(nullptr);
  }
  AcquireAndClose();
  EXPECT_EQ(WindowCaptions().size(), 1u);
}

TEST_F(TwainTest, WithItsOwnInterfaceTheSourceAnnouncesThePicture) {
  bool captured = false;
  FTwain->SetOnCapture(cl::TNotifyEvent([&](cl::TObject*) { captured = true; }));
  EXPECT_FALSE(FTwain->Acquire(true));
  EXPECT_TRUE(Logged("ENABLEDS 1 1"));
  EXPECT_TRUE(cl::test::PumpUntil([&] { return captured && !cl::Application->OnMessage(); }));
  EXPECT_EQ(FTwain->Picture()->Width(), test::kTestPictureWidth);
  EXPECT_EQ(SourceLog().back(), "CLOSEDS");
}

TEST_F(TwainTest, CapabilitiesAreReadFromTheSource) {
  EXPECT_EQ(FTwain->PixelType(), ptRGB);
  EXPECT_EQ(FTwain->XRes(), 300);
  EXPECT_EQ(FTwain->Units(), etwuInches);
  EXPECT_EQ(FTwain->BitDepth(), bd8);
  EXPECT_EQ(FTwain->LightPath(), lpNotSupported);
  EXPECT_EQ(SourceLog().back(), "CLOSEDS");
}

TEST_F(TwainTest, RefusedSettingsAreReportedAndKeepTheStoredValue) {
  FResponder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  FTwain->SetPixelType(ptUnknown);
  FTwain->SetXRes(-1);
  ASSERT_EQ(FResponder.MessageDlgs.size(), 2u);
  EXPECT_EQ(FResponder.MessageDlgs[0].Text, "Invalid Pixel type.");
  EXPECT_EQ(FResponder.MessageDlgs[1].Text, "Invalid Resolution value.");
  AcquireAndClose();
  EXPECT_FALSE(Logged("SET 101 4 0")) << "no pixel type was set";
  EXPECT_TRUE(Logged("SET 1118 7 600"));
}

// Hand-made DIBs sent to the component's window as a source's transfer would.
class TwainImageTest : public TwainTest {
 protected:
  // A 4 x 2 DIB of the given depth whose colour table (when entries > 0) holds entries in blue, green, red order
  // as given, and whose rows (bottom-up) are the given bytes.
  static HGLOBAL Dib(uint16_t bitCount, const std::vector<RGBQUAD>& table, const std::vector<uint8_t>& rows) {
    const size_t size = sizeof(BITMAPINFOHEADER) + table.size() * sizeof(RGBQUAD) + rows.size();
    HGLOBAL block = GlobalAlloc(GHND, size);
    auto* bytes = static_cast<uint8_t*>(GlobalLock(block));
    BITMAPINFOHEADER header{sizeof header, 4, 2, 1, bitCount, BI_RGB, 0, 0, 0, static_cast<DWORD>(table.size()), 0};
    std::memcpy(bytes, &header, sizeof header);
    std::memcpy(bytes + sizeof header, table.data(), table.size() * sizeof(RGBQUAD));
    std::memcpy(bytes + sizeof header + table.size() * sizeof(RGBQUAD), rows.data(), rows.size());
    GlobalUnlock(block);
    return block;
  }
  static bool Freed(HGLOBAL block) { return GlobalFlags(block) == GMEM_INVALID_HANDLE; }
  // The colour of the picture's pixel (x from the left, y from the top).
  COLORREF Pixel(int x, int y) {
    const cl::bmp::TDibImage image = cl::dib::Read32(FTwain->Picture()->Handle(), FTwain->Picture()->Palette());
    const uint8_t* p = image.Bits.data() + (image.Height - 1 - y) * image.Stride() + 4 * x;
    return RGB(p[2], p[1], p[0]);
  }
};

TEST_F(TwainImageTest, PaletteImagesKeepTheirColours) {
  // 8 bits, three colours: row 1 (top) 0 1 2 0, row 0 (bottom) 2 2 1 1.
  HGLOBAL dib = Dib(8, {{255, 0, 0, 0}, {0, 128, 0, 0}, {10, 20, 30, 0}}, {2, 2, 1, 1, 0, 1, 2, 0});
  SendMessageA(FTwain->Handle(), WM_USER, reinterpret_cast<WPARAM>(dib), 0);
  EXPECT_TRUE(Freed(dib));
  ASSERT_EQ(FTwain->Picture()->Width(), 4);
  EXPECT_NE(FTwain->Picture()->Palette(), nullptr);
  EXPECT_EQ(Pixel(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(Pixel(1, 0), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(2, 0), RGB(30, 20, 10));
  EXPECT_EQ(Pixel(2, 1), RGB(0, 128, 0));
}

TEST_F(TwainImageTest, TwoColourImagesBecomeMonochromeBitmaps) {
  // White is colour 0: the top row 1010 (black white black white), the bottom one 0000 (all white).
  HGLOBAL dib = Dib(1, {{255, 255, 255, 0}, {0, 0, 0, 0}}, {0x00, 0, 0, 0, 0xA0, 0, 0, 0});
  SendMessageA(FTwain->Handle(), WM_USER, reinterpret_cast<WPARAM>(dib), 0);
  EXPECT_TRUE(Freed(dib));
  EXPECT_TRUE(FTwain->Picture()->Monochrome());
  EXPECT_EQ(Pixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(1, 0), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(0, 1), RGB(255, 255, 255));
}

TEST_F(TwainImageTest, AMalformedImageIsRefusedFreedAndLeavesThePictureAlone) {
  HGLOBAL dib = Dib(24, {}, std::vector<uint8_t>(10));  // two rows of 4 pixels need 24 bytes
  SendMessageA(FTwain->Handle(), WM_USER, reinterpret_cast<WPARAM>(dib), 0);
  EXPECT_TRUE(Freed(dib));
  EXPECT_EQ(FResponder.Exceptions, std::vector<std::string>{kInvalidImage});
  EXPECT_TRUE(FTwain->Picture()->Empty());
}

}  // namespace
}  // namespace viewer
