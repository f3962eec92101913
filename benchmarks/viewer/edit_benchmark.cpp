// Times each editing command of an image window on a 4000x3000 24-bit picture, from the command to the redrawn
// window, against what every command must do anyway: write the working copy and read it back into the window.
// Grayscale is set against one pass over the picture's pixels plus that write and read.
// Usage: edit_benchmark FOLDER: writes the picture into FOLDER (on a drive such as C:) and prints the figures.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "benchmarks/support/bench_support.h"
#include "classlib/win/application.h"
#include "classlib/win/modal_seam.h"
#include "classlib/win/stdctrls.h"
#include "image/load_image.h"
#include "viewer/adjust_form.h"
#include "viewer/core/gray_palette.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/glyph_spin.h"
#include "viewer/pref_form.h"
#include "viewer/rk_buttons.h"
#include "viewer/rotate_form.h"

namespace {

constexpr int kRuns = 3;

// The dialogs answer OK with what the benchmark set in them.
class AnswerOk : public cl::seam::ModalResponder {
 public:
  std::optional<int> AnswerMessageBox(const std::string&, const std::string&, UINT) override { return IDOK; }
  bool AnswerException(const std::string&) override { return true; }
  std::optional<int> AnswerMessageDlg(const std::string&, const std::string&, uint64_t) override { return cl::mrOk; }
  cl::seam::ModalAnswer AnswerModal(cl::TForm& form) override {
    if (&form == viewer::AdjustFrm)
      return cl::seam::ModalAnswer::RunScript([] { viewer::AdjustFrm->RkOkButton1->Click(); });
    return cl::seam::ModalAnswer::Return(cl::mrOk);
  }
  std::optional<bool> AnswerFileDialog(cl::TOpenDialog&) override { return false; }
  std::optional<bool> AnswerPrintDialog(cl::TPrintDialog&) override { return false; }
  std::optional<bool> AnswerPrinterSetup(cl::TPrinterSetupDialog&) override { return false; }
  void ExceptionDropped(const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: edit_benchmark FOLDER\n");
    return 2;
  }
  cl::Initialize();
  AnswerOk answer;
  cl::seam::SetResponder(&answer);
  const std::string picture = std::string(argv[1]) + "\\edit_benchmark.bmp";
  bench::PhotoLikeBitmap(4000, 3000)->SaveToFile(picture);

  viewer::FrameForm = cl::New<viewer::TFrameForm>(nullptr);
  viewer::FrameForm->Show();
  viewer::RotateFrm = cl::New<viewer::TRotateFrm>(nullptr);
  viewer::AdjustFrm = cl::New<viewer::TAdjustFrm>(nullptr);
  viewer::PrefFrm = cl::New<viewer::TPrefFrm>(nullptr);
  viewer::AdjustFrm->SpinEdit1->SetValue(20);
  viewer::AdjustFrm->SpinEdit2->SetValue(10);
  viewer::TEditForm* window = viewer::FrameForm->OpenInNewWindow(picture);
  const auto redrawn = [window] { window->Image1->Repaint(); };

  struct Command {
    const char* Name;
    std::function<void()> Run;
  };
  const Command commands[] = {
      {"Flip", [&] { window->Flip1Click(nullptr); }},
      {"Mirror", [&] { window->Mirror1Click(nullptr); }},
      {"Negative Image", [&] { window->NegativeImage1Click(nullptr); }},
      {"Rotate (right 180)",
       [&] {
         viewer::RotateFrm->RadioButton2->SetChecked(true);
         window->Rotate1Click(nullptr);
       }},
      {"Adjust Brightness/Contrast", [&] { window->AdjustBrightnessContratsSaturation1Click(nullptr); }},
      {"Grayscale", [&] { window->Grayscale1Click(nullptr); }},
  };
  // The write and read back every command ends with.
  const auto writeAndRead = [&] {
    window->Image1->SetSaveName(window->Document().WorkFile());
    window->Image1->ChangeFile(window->Document().WorkFile());
    redrawn();
  };
  // One pass over the pixels, as the grey conversion makes.
  const auto onePass = [&] {
    cl::TBitmap* shown = window->Image1->Picture()->Bitmap();
    unsigned sum = 0;
    for (int y = 0; y < shown->Height(); ++y) {
      const auto* row = static_cast<const uint8_t*>(shown->ScanLine(y));
      for (int x = 0; x < shown->Width(); ++x, row += 3) sum += viewer::GrayOfColor(row[2], row[1], row[0]);
    }
    if (sum == 1) std::printf(" ");
  };

  const double baseline = bench::BestMilliseconds({writeAndRead}, kRuns)[0];
  const double pass = bench::BestMilliseconds({onePass}, kRuns)[0];
  std::printf("write and read back the working copy: %8.1f ms\n", baseline);
  std::printf("one pass over the pixels:             %8.1f ms\n", pass);
  for (const Command& command : commands) {
    const double time = bench::BestMilliseconds({[&] {
                                                  command.Run();
                                                  redrawn();
                                                }},
                                                kRuns)[0];
    const bool gray = std::string(command.Name) == "Grayscale";
    const double against = gray ? pass + baseline : baseline;
    std::printf("%-28s %8.1f ms  %.2fx of %s (target: within %dx)\n", command.Name, time, time / against,
                gray ? "pass + write and read" : "write and read", gray ? 3 : 2);
  }
  window->Document().SetModified(false);
  cl::Finalize();
  return 0;
}
