// Times three things a browser user waits for against the bare work under them (best of several rounds each):
// - a click on a 3000x2000 JPEG in the file list until the preview is painted, against the class library's
//   decode of that file into a bitmap;
// - listing a folder of 10,000 image files into the file list, against a FindFirstFile/FindNextFile loop over it;
// - opening a folder with 2,000 subfolders in the folder tree, against a FindFirstFile/FindNextFile loop over it.
// Usage: browser_benchmark FOLDER: writes its test files into FOLDER (on a drive such as C:) and prints the
// figures.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "benchmarks/support/bench_support.h"
#include "browser/core/file_commands.h"
#include "browser/dir_tree.h"
#include "browser/main_form.h"
#include "browser/shell_file_list_box.h"
#include "classlib/win/application.h"
#include "classlib/win/jpeg.h"
#include "classlib/win/scroll_box.h"
#include "image/load_image.h"

namespace {

constexpr int kRuns = 5;
constexpr int kListedFiles = 10000;
constexpr int kSubfolders = 2000;

int CountEntries(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  int count = 0;
  if (find == INVALID_HANDLE_VALUE) return 0;
  do ++count;
  while (FindNextFileA(find, &data));
  FindClose(find);
  return count;
}

// The least the tree must do to open a folder: list it, and look into each subfolder for a first entry (which
// decides whether it gets an expand button).
void LookIntoEach(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..") continue;
    WIN32_FIND_DATAA inner;
    HANDLE look = FindFirstFileA((folder + "\\" + name + "\\*.*").c_str(), &inner);
    if (look != INVALID_HANDLE_VALUE) FindClose(look);
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

void WriteJpegs(const std::string& folder) {
  bench::Owned<cl::TBitmap> photo = bench::PhotoLikeBitmap(3000, 2000);
  bench::Owned<cl::TJPEGImage> image(cl::New<cl::TJPEGImage>());
  image->Assign(photo.get());
  image->SaveToFile(folder + "\\a.jpg");
  image->SaveToFile(folder + "\\b.jpg");
}

void PreviewFigures(const std::string& folder) {
  const std::string pictures = folder + "\\pictures";
  CreateDirectoryA(pictures.c_str(), nullptr);
  WriteJpegs(pictures);
  brw::TTarnby* form = cl::New<brw::TTarnby>(nullptr);
  form->Show();
  form->DirTree1->SetDirectory(pictures);
  form->ShellFileListBox1->SetMask("*.jpg");
  bool second = false;
  const std::vector<double> best =
      bench::BestMilliseconds({[&] {
                                 bench::Owned<cl::TJPEGImage> image(cl::New<cl::TJPEGImage>());
                                 image->LoadFromFile(pictures + "\\a.jpg");
                                 bench::Owned<cl::TBitmap> bitmap(cl::New<cl::TBitmap>());
                                 bitmap->Assign(image.get());
                               },
                               [&] {
                                 // Each click chooses the other file, so that every one is a new preview.
                                 second = !second;
                                 form->ShellFileListBox1->SetItemIndex(second ? 1 : 0);
                                 form->ShellFileListBox1Change(form->ShellFileListBox1);
                                 UpdateWindow(form->ScrollBox1->Handle());
                               }},
                              kRuns);
  std::printf("preview of a 3000x2000 JPEG: bare decode %7.1f ms | click to painted preview %7.1f ms (%.2fx)\n",
              best[0], best[1], best[1] / best[0]);
  cl::Free(form);
}

void ListFigures(const std::string& folder) {
  const std::string many = folder + "\\many", none = folder + "\\none";
  CreateDirectoryA(many.c_str(), nullptr);
  CreateDirectoryA(none.c_str(), nullptr);
  char name[32];
  for (int i = 0; i < kListedFiles; ++i) {
    std::snprintf(name, sizeof name, "\\img%05d.%s", i, i % 2 ? "jpg" : "bmp");
    CloseHandle(CreateFileA((many + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  cl::TForm* form = cl::CreateNew<cl::TForm>(cl::Application);
  form->SetBounds(0, 0, 300, 500);
  auto* list = cl::New<brw::TShellFileListBox>(form);
  list->SetParent(form);
  list->SetAlign(cl::alClient);
  list->SetMask(brw::kDefaultMaskList);
  form->Show();
  int listed = 0, shown = 0;
  // The list leaves the folder between rounds, untimed, so that each round lists it anew.
  const std::vector<double> best = bench::BestMilliseconds({[&] { listed = CountEntries(many); },
                                                            [&] {
                                                              list->SetDirectory(many);
                                                              UpdateWindow(list->Handle());
                                                              shown = list->Items()->Count();
                                                            },
                                                            [&] { list->SetDirectory(none); }},
                                                           kRuns);
  std::printf("listing %d image files (%d entries): FindFirstFile loop %7.1f ms | file list %7.1f ms (%.2fx)\n", shown,
              listed, best[0], best[1], best[1] / best[0]);
  cl::Free(form);
}

void TreeFigures(const std::string& folder) {
  const std::string parent = folder + "\\deep", wide = parent + "\\wide";
  CreateDirectoryA(parent.c_str(), nullptr);
  CreateDirectoryA(wide.c_str(), nullptr);
  char name[32];
  for (int i = 0; i < kSubfolders; ++i) {
    std::snprintf(name, sizeof name, "\\folder%04d", i);
    CreateDirectoryA((wide + name).c_str(), nullptr);
  }
  cl::TForm* form = cl::CreateNew<cl::TForm>(cl::Application);
  form->SetBounds(0, 0, 300, 500);
  brw::TDirTree* tree = nullptr;
  cl::TTreeNode* node = nullptr;
  int found = 0;
  double enumerate = 1e300, lookInto = 1e300, expand = 1e300;
  for (int run = 0; run < kRuns; ++run) {
    // A new tree each round, standing on the parent, so that the folder is read anew.
    cl::Free(tree);
    tree = cl::New<brw::TDirTree>(form);
    tree->SetParent(form);
    tree->SetAlign(cl::alClient);
    form->Show();
    tree->SetDirectory(parent);
    node = tree->Selected()->getFirstChild();
    enumerate = std::min(enumerate, bench::Milliseconds([&] { found = CountEntries(wide); }));
    lookInto = std::min(lookInto, bench::Milliseconds([&] { LookIntoEach(wide); }));
    expand = std::min(expand, bench::Milliseconds([&] {
                        node->SetExpanded(true);
                        UpdateWindow(tree->Handle());
                      }));
  }
  std::printf(
      "opening a folder of %d subfolders (%d entries): FindFirstFile loop %7.1f ms, the same looking into "
      "each subfolder %7.1f ms | tree %7.1f ms (%.2fx, %.2fx)\n",
      node->Count(), found, enumerate, lookInto, expand, expand / enumerate, expand / lookInto);
  cl::Free(form);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: browser_benchmark FOLDER\n");
    return 2;
  }
  cl::Initialize();
  cl::jpeg::RegisterFormats();
  const std::string folder = argv[1];
  CreateDirectoryA(folder.c_str(), nullptr);
  PreviewFigures(folder);
  ListFigures(folder);
  TreeFigures(folder);
  cl::Finalize();
  return 0;
}
