// OLE drag and drop: the data object and its format enumerator as COM callers meet them, the drop target driven as
// OLE drives it (with another program's data, hostile blocks included), the component's window registration, and a
// real drag inside the test process onto a window of its own.
#include "controls/ole_drag_drop.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#include "classlib/core/string_list.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/forms.h"
#include "classlib/win/list_box.h"
#include "classlib/win/metafile.h"
#include "controls/core/drop_blocks.h"
#include "controls/drop_source.h"
#include "support/screenshot.h"

namespace {

using namespace ctl;
using cl::com::TComPtr;
using Names = std::vector<std::string>;

const Names kThreeNames = {"C:\\pictures\\a.bmp", "C:\\pictures\\b.gif", "D:\\c.jpg"};

cl::TStringList* ListOf(const Names& lines) {
  cl::TStringList* list = cl::New<cl::TStringList>();
  for (const std::string& line : lines) list->Add(line);
  return list;
}

Names LinesOf(const cl::TStrings* list) {
  Names lines;
  for (int i = 0; list && i < list->Count(); ++i) lines.push_back(list->Strings(i));
  return lines;
}

// A drop source offering the kinds of types with the data of holder.
TComPtr<TDropSource> SourceOf(TSourceTypes types, const TDropObj* holder) {
  TComPtr<TDropSource> source(new TDropSource(nullptr));
  source->SetData(types, holder);
  return source;
}

// Another program's data object: copies of the blocks it holds, by clipboard format, in global memory.
class TForeignData : public cl::com::TInterfacedObject<IDataObject> {
 public:
  std::map<CLIPFORMAT, std::vector<uint8_t>> Blocks;
  // The blocks handed out, which the receiver owns and must free.
  std::vector<HGLOBAL> HandedOut;

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) noexcept override {
    const auto found = Blocks.find(format->cfFormat);
    if (found == Blocks.end() || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    *medium = STGMEDIUM{};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = NewGlobalBlock(found->second);
    HandedOut.push_back(medium->hGlobal);
    return S_OK;
  }
  bool AllFreed() const {
    return std::all_of(HandedOut.begin(), HandedOut.end(),
                       [](HGLOBAL block) { return GlobalFlags(block) == GMEM_INVALID_HANDLE; });
  }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) noexcept override {
    return Blocks.count(format->cfFormat) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) noexcept override { return E_NOTIMPL; }
};

// The references held on an object besides the caller's one.
ULONG OtherReferences(IUnknown* object) {
  object->AddRef();
  return object->Release() - 1;
}

std::vector<uint8_t> TextBytes(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

class OleDragDropTest : public testing::Test {
 protected:
  void SetUp() override {
    component = cl::Make<OleDragDrop>(owner.get(), "OleDragDrop1");
    component->SetOnDragEnter(TDragEnterEvent([this](cl::TObject*, TSourceTypes types) { entered.push_back(types); }));
    component->SetOnDragDrop(
        TDragDropProc([this](cl::TObject*, TSourceTypes types, TDropObj* source, int, int, cl::TShiftState) {
          droppedTypes = types;
          droppedFiles = LinesOf(source->Strings(stFiles));
          droppedText = LinesOf(source->Strings(stText));
          ++drops;
        }));
    target = TComPtr<IDropTarget>(component->DropTarget());
  }

  // DragEnter and Drop with the keys given, as OLE calls them; the effect of the drop.
  DWORD EnterAndDrop(IDataObject* data, DWORD keys = 0, DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE) {
    DWORD effect = allowed;
    EXPECT_EQ(target->DragEnter(data, keys, POINTL{}, &effect), S_OK);
    effect = allowed;
    EXPECT_EQ(target->Drop(data, keys, POINTL{}, &effect), S_OK);
    return effect;
  }

  cl::test::Responder responder;
  cl::Owned<cl::TComponent> owner = cl::MakeOwned<cl::TComponent>(nullptr);
  OleDragDrop* component = nullptr;
  TComPtr<IDropTarget> target;
  std::vector<TSourceTypes> entered;
  TSourceTypes droppedTypes;
  Names droppedFiles;
  Names droppedText;
  int drops = 0;
};

TEST(OleDragDropKeys, KeysGiveCopyMoveOrCopyAndLink) {
  EXPECT_EQ(DropEffectOfShift(ShiftStateOfKeys(0)), DWORD{DROPEFFECT_COPY});
  EXPECT_EQ(DropEffectOfShift(ShiftStateOfKeys(MK_CONTROL | MK_LBUTTON)), DWORD{DROPEFFECT_COPY});
  EXPECT_EQ(DropEffectOfShift(ShiftStateOfKeys(MK_SHIFT)), DWORD{DROPEFFECT_MOVE});
  EXPECT_EQ(DropEffectOfShift(ShiftStateOfKeys(MK_SHIFT | MK_CONTROL)), DWORD{DROPEFFECT_COPY | DROPEFFECT_LINK});
  EXPECT_EQ(ShiftStateOfKeys(MK_LBUTTON | MK_RBUTTON | MK_MBUTTON),
            cl::TShiftState({cl::ssLeft, cl::ssRight, cl::ssMiddle}));
}

TEST(OleDataObject, AnswersRequestsAsComRequires) {
  cl::Owned<TDropObj> holder = cl::MakeOwned<TDropObj>();
  holder->SetSlot(stFiles, ListOf(kThreeNames));
  holder->SetSlot(stText, ListOf({"one", "two"}));
  TComPtr<TDropSource> source = SourceOf({stFiles, stText}, holder.get());

  FORMATETC files = SourceTypeFormatEtc(stFiles);
  EXPECT_EQ(source->QueryGetData(&files), S_OK);
  FORMATETC anyMedium = files;
  anyMedium.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
  EXPECT_EQ(source->QueryGetData(&anyMedium), S_OK);
  FORMATETC unoffered = SourceTypeFormatEtc(stUnicodeText);
  EXPECT_EQ(source->QueryGetData(&unoffered), DV_E_FORMATETC);

  struct Case {
    const char* what;
    FORMATETC format;
    HRESULT result;
  };
  const Case refused[] = {
      {"unoffered", unoffered, DV_E_FORMATETC},
      {"unknown format", FORMATETC{CF_WAVE, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, DV_E_FORMATETC},
      {"index 0", FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, 0, TYMED_HGLOBAL}, DV_E_LINDEX},
      {"thumbnail", FORMATETC{CF_HDROP, nullptr, DVASPECT_THUMBNAIL, -1, TYMED_HGLOBAL}, DV_E_DVASPECT},
      {"stream only", FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM}, DV_E_TYMED},
  };
  for (Case c : refused) {
    SCOPED_TRACE(c.what);
    STGMEDIUM medium{};
    EXPECT_EQ(source->GetData(&c.format, &medium), c.result);
  }

  STGMEDIUM medium{};
  ASSERT_EQ(source->GetData(&anyMedium, &medium), S_OK);
  EXPECT_EQ(medium.tymed, DWORD{TYMED_HGLOBAL});
  EXPECT_EQ(medium.pUnkForRelease, nullptr);
  HDROP drop = static_cast<HDROP>(medium.hGlobal);
  ASSERT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0), 3u);
  for (UINT i = 0; i < 3; ++i) {
    char name[MAX_PATH];
    DragQueryFileA(drop, i, name, sizeof name);
    EXPECT_EQ(name, kThreeNames[i]);
  }
  ReleaseStgMedium(&medium);

  FORMATETC text = SourceTypeFormatEtc(stText);
  ASSERT_EQ(source->GetData(&text, &medium), S_OK);
  EXPECT_EQ(ReadTextBlock(*GlobalBlockBytes(medium.hGlobal)), "one\r\ntwo");
  ReleaseStgMedium(&medium);

  FORMATETC canonical{};
  canonical.ptd = reinterpret_cast<DVTARGETDEVICE*>(1);
  EXPECT_EQ(source->GetCanonicalFormatEtc(&files, &canonical), E_FAIL);
  EXPECT_EQ(canonical.ptd, nullptr);
  EXPECT_EQ(source->GetDataHere(&files, &medium), DV_E_FORMATETC);
  EXPECT_EQ(source->SetData(&files, &medium, FALSE), E_NOTIMPL);
  DWORD connection = 0;
  EXPECT_EQ(source->DAdvise(&files, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED);
}

TEST(OleDataObject, IsOneObjectBehindEachOfItsInterfaces) {
  TComPtr<TDropSource> source = SourceOf({stFiles}, nullptr);
  IDataObject* data = nullptr;
  IDropSource* dropSource = nullptr;
  IDropTarget* notOne = nullptr;
  ASSERT_EQ(source->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data)), S_OK);
  ASSERT_EQ(source->QueryInterface(IID_IDropSource, reinterpret_cast<void**>(&dropSource)), S_OK);
  EXPECT_EQ(source->QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&notOne)), E_NOINTERFACE);
  EXPECT_EQ(notOne, nullptr);
  IUnknown* fromData = nullptr;
  IUnknown* fromDropSource = nullptr;
  data->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromData));
  dropSource->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromDropSource));
  EXPECT_EQ(fromData, fromDropSource);
  for (IUnknown* reference :
       {static_cast<IUnknown*>(data), static_cast<IUnknown*>(dropSource), fromData, fromDropSource}) {
    reference->Release();
  }
  EXPECT_EQ(OtherReferences(static_cast<IDataObject*>(source.Get())), 0u);
}

TEST(OleDataObject, BitmapAndMetafileAreHandedOutAsCopies) {
  cl::Owned<TDropObj> holder = cl::MakeOwned<TDropObj>();
  cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
  bitmap->SetWidth(30);
  bitmap->SetHeight(20);
  holder->SetSlot(stBitmap, bitmap);
  HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  Rectangle(recorder, 0, 0, 50, 40);
  cl::TMetafile* metafile = cl::New<cl::TMetafile>();
  metafile->SetHandle(CloseEnhMetaFile(recorder));
  holder->SetSlot(stEnhMetafile, metafile);
  TComPtr<TDropSource> source = SourceOf({stBitmap, stEnhMetafile}, holder.get());

  STGMEDIUM medium{};
  FORMATETC bitmapFormat = SourceTypeFormatEtc(stBitmap);
  ASSERT_EQ(source->GetData(&bitmapFormat, &medium), S_OK);
  ASSERT_EQ(medium.tymed, DWORD{TYMED_GDI});
  BITMAP info{};
  GetObjectA(medium.hBitmap, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 30);
  EXPECT_EQ(info.bmHeight, 20);
  EXPECT_NE(medium.hBitmap, bitmap->Handle());
  ReleaseStgMedium(&medium);

  FORMATETC metafileFormat = SourceTypeFormatEtc(stEnhMetafile);
  ASSERT_EQ(source->GetData(&metafileFormat, &medium), S_OK);
  ASSERT_EQ(medium.tymed, DWORD{TYMED_ENHMF});
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(medium.hEnhMetaFile, sizeof header, &header);
  EXPECT_EQ(header.rclBounds.right, 49);
  EXPECT_NE(medium.hEnhMetaFile, metafile->Handle());
  ReleaseStgMedium(&medium);
}

TEST(OleDataObject, TheEnumeratorListsTheOfferedFormatsAndOwnsItsRecords) {
  cl::Owned<TDropObj> holder = cl::MakeOwned<TDropObj>();
  TComPtr<TDropSource> source = SourceOf({stBitmap, stText, stFiles, stEnhMetafile}, holder.get());
  IEnumFORMATETC* enumerator = nullptr;
  EXPECT_EQ(source->EnumFormatEtc(DATADIR_SET, &enumerator), E_NOTIMPL);
  EXPECT_EQ(source->EnumFormatEtc(3, &enumerator), E_INVALIDARG);
  ASSERT_EQ(source->EnumFormatEtc(DATADIR_GET, &enumerator), S_OK);
  source.Reset();  // the records outlive the data object

  FORMATETC formats[5]{};
  ULONG fetched = 0;
  EXPECT_EQ(enumerator->Next(2, formats, &fetched), S_OK);
  EXPECT_EQ(fetched, 2u);
  IEnumFORMATETC* clone = nullptr;
  ASSERT_EQ(enumerator->Clone(&clone), S_OK);
  EXPECT_EQ(enumerator->Next(5, formats + 2, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 1u);
  // Files, text, enhanced metafile: bitmaps are not listed.
  EXPECT_EQ(formats[0].cfFormat, CF_HDROP);
  EXPECT_EQ(formats[1].cfFormat, CF_TEXT);
  EXPECT_EQ(formats[2].cfFormat, CF_ENHMETAFILE);
  EXPECT_EQ(formats[2].tymed, DWORD{TYMED_ENHMF});
  EXPECT_EQ(formats[0].lindex, -1);

  EXPECT_EQ(clone->Next(1, formats, nullptr), S_OK);
  EXPECT_EQ(formats[0].cfFormat, CF_ENHMETAFILE);
  EXPECT_EQ(enumerator->Reset(), S_OK);
  EXPECT_EQ(enumerator->Skip(2), S_OK);
  EXPECT_EQ(enumerator->Skip(2), S_FALSE);
  EXPECT_EQ(enumerator->Next(1, formats, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  clone->Release();
  enumerator->Release();

  TComPtr<TDropSource> bitmapsOnly = SourceOf({stBitmap}, holder.get());
  EXPECT_EQ(bitmapsOnly->EnumFormatEtc(DATADIR_GET, &enumerator), E_NOTIMPL);
}

TEST_F(OleDragDropTest, TheTargetEntersWithTheKindsOffered) {
  TComPtr<TForeignData> text(new TForeignData);
  text->Blocks[CF_TEXT] = TextBytes("hello");
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->DragEnter(text.Get(), 0, POINTL{}, &effect), S_OK);
  text->Blocks[CF_UNICODETEXT] = BuildWideTextBlock("hello", AnsiToUtf16);
  EXPECT_EQ(target->DragEnter(text.Get(), 0, POINTL{}, &effect), S_OK);
  TComPtr<TForeignData> nothing(new TForeignData);
  nothing->Blocks[CF_WAVE] = {1};
  EXPECT_EQ(target->DragEnter(nothing.Get(), 0, POINTL{}, &effect), S_OK);
  EXPECT_EQ(target->DragLeave(), S_OK);

  ASSERT_EQ(entered.size(), 2u) << "no entry for data of none of the kinds";
  EXPECT_EQ(entered[0], TSourceTypes{stText});
  EXPECT_EQ(entered[1], TSourceTypes({stUnicodeText, stText}));
  // A new entry let go of the earlier drag's data, and leaving let go of the last.
  EXPECT_EQ(OtherReferences(text.Get()), 0u);
  EXPECT_EQ(OtherReferences(nothing.Get()), 0u);
}

TEST_F(OleDragDropTest, ADropDeliversTheFilesWrittenEitherWayAndLetsGoOfTheData) {
  for (bool wide : {false, true}) {
    SCOPED_TRACE(wide);
    TComPtr<TForeignData> data(new TForeignData);
    data->Blocks[CF_HDROP] = BuildDropFiles(kThreeNames, wide, AnsiToUtf16);
    EXPECT_EQ(EnterAndDrop(data.Get()), DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(droppedTypes, TSourceTypes{stFiles});
    EXPECT_EQ(droppedFiles, kThreeNames);
    EXPECT_EQ(OtherReferences(data.Get()), 0u);
    EXPECT_FALSE(data->HandedOut.empty());
    EXPECT_TRUE(data->AllFreed()) << "the drop's memory is released";
  }
  // Shift asks to move; a source that allows copying only is answered with no effect rather than a move.
  TComPtr<TForeignData> data(new TForeignData);
  data->Blocks[CF_HDROP] = BuildDropFiles(kThreeNames, true, AnsiToUtf16);
  EXPECT_EQ(EnterAndDrop(data.Get(), MK_SHIFT), DWORD{DROPEFFECT_MOVE});
  EXPECT_EQ(EnterAndDrop(data.Get(), MK_SHIFT, DROPEFFECT_COPY), DWORD{DROPEFFECT_NONE});
  EXPECT_EQ(drops, 4);
}

TEST_F(OleDragDropTest, ADropReadsEveryKindOfOurOwnDataObject) {
  cl::Owned<TDropObj> holder = cl::MakeOwned<TDropObj>();
  holder->SetSlot(stUnicodeText, ListOf({"caf\xe9", "au lait"}));
  holder->SetSlot(stRichText, ListOf({"{\\rtf1 x}"}));
  cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
  bitmap->SetWidth(12);
  bitmap->SetHeight(7);
  holder->SetSlot(stBitmap, bitmap);
  HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  Ellipse(recorder, 0, 0, 30, 30);
  cl::TMetafile* metafile = cl::New<cl::TMetafile>();
  metafile->SetHandle(CloseEnhMetaFile(recorder));
  holder->SetSlot(stEnhMetafile, metafile);
  TComPtr<TDropSource> source = SourceOf({stUnicodeText, stRichText, stBitmap, stEnhMetafile}, holder.get());

  Names unicode, rich;
  int bitmapWidth = 0, metafileWidth = 0;
  component->SetOnDragDrop(
      TDragDropProc([&](cl::TObject*, TSourceTypes types, TDropObj* dropped, int, int, cl::TShiftState) {
        EXPECT_EQ(types, TSourceTypes({stUnicodeText, stRichText, stBitmap, stEnhMetafile}));
        unicode = LinesOf(dropped->Strings(stUnicodeText));
        rich = LinesOf(dropped->Strings(stRichText));
        if (dropped->Bitmap()) bitmapWidth = dropped->Bitmap()->Width();
        if (dropped->Metafile()) metafileWidth = dropped->Metafile()->Width();
      }));
  EnterAndDrop(static_cast<IDataObject*>(source.Get()));
  EXPECT_EQ(unicode, Names{"caf\xe9\r\nau lait"}) << "one entry: the whole text";
  EXPECT_EQ(rich, Names{"{\\rtf1 x}"});
  EXPECT_EQ(bitmapWidth, 12);
  EXPECT_EQ(metafileWidth, metafile->Width());
  EXPECT_GT(metafileWidth, 0);
}

TEST_F(OleDragDropTest, ForeignBlocksAreReadWithinTheirSize) {
  TComPtr<TForeignData> data(new TForeignData);
  // 32 bytes, so that no rounding of the block's size adds a terminator: the second name runs into the end.
  std::vector<uint8_t> files(20, 0);
  files[0] = 20;
  for (char c : std::string("ab\0cdefghijk", 12)) files.push_back(static_cast<uint8_t>(c));
  data->Blocks[CF_HDROP] = files;
  data->Blocks[CF_TEXT] = TextBytes("0123456789abcdef");  // no terminator
  EnterAndDrop(data.Get());
  EXPECT_EQ(droppedFiles, Names{"ab"});
  EXPECT_EQ(droppedText, Names{"0123456789abcdef"});

  data->Blocks[CF_HDROP] = std::vector<uint8_t>(8, 0xFF);  // shorter than its header
  EnterAndDrop(data.Get());
  EXPECT_EQ(drops, 2) << "the drop still reports";
  EXPECT_EQ(droppedFiles, Names{});
}

TEST_F(OleDragDropTest, DragOverAcceptsWhatTheHandlerAccepts) {
  bool accept = false;
  component->SetOnDragOver(
      TDragOverEvent([&](cl::TObject*, TSourceTypes, int, int, cl::TShiftState& keys, bool& accepted) {
        accepted = accept;
        keys.Include(cl::ssShift);
      }));
  const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  DWORD effect = all;
  EXPECT_EQ(target->DragOver(0, POINTL{}, &effect), S_OK);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE}) << "no drag entered";

  TComPtr<TForeignData> data(new TForeignData);
  data->Blocks[CF_TEXT] = TextBytes("x");
  target->DragEnter(data.Get(), 0, POINTL{}, &effect);
  effect = all;
  target->DragOver(0, POINTL{}, &effect);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
  EXPECT_FALSE(component->Accepting());
  accept = true;
  effect = all;
  target->DragOver(0, POINTL{}, &effect);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_MOVE});
  EXPECT_TRUE(component->Accepting());
  target->DragLeave();
}

TEST_F(OleDragDropTest, AHandlerExceptionStaysOutOfOle) {
  component->SetOnDragDrop(TDragDropProc(
      [](cl::TObject*, TSourceTypes, TDropObj*, int, int, cl::TShiftState) { throw cl::Exception("handler failed"); }));
  responder.OnShowException = [](const std::string&) {};
  TComPtr<TForeignData> data(new TForeignData);
  data->Blocks[CF_TEXT] = TextBytes("x");
  DWORD effect = DROPEFFECT_COPY;
  target->DragEnter(data.Get(), 0, POINTL{}, &effect);
  EXPECT_EQ(target->Drop(data.Get(), 0, POINTL{}, &effect), E_UNEXPECTED);
  EXPECT_EQ(responder.Exceptions, Names{"handler failed"});
  EXPECT_EQ(OtherReferences(data.Get()), 0u);
}

TEST_F(OleDragDropTest, ADestroyedComponentRevokesItsWindowAndItsTargetAnswersNoEffect) {
  cl::TForm* form = cl::CreateNew<cl::TForm>(owner.get());
  component->SetDropWindow(form);
  HWND window = form->Handle();
  EXPECT_EQ(RegisterDragDrop(window, target.Get()), DRAGDROP_E_ALREADYREGISTERED);
  cl::Free(component);
  EXPECT_EQ(RevokeDragDrop(window), DRAGDROP_E_NOTREGISTERED);

  TComPtr<TForeignData> data(new TForeignData);
  data->Blocks[CF_TEXT] = TextBytes("x");
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->DragEnter(data.Get(), 0, POINTL{}, &effect), S_OK);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->Drop(data.Get(), 0, POINTL{}, &effect), S_OK);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
  EXPECT_EQ(drops, 0);
  EXPECT_EQ(OtherReferences(data.Get()), 0u);
}

TEST_F(OleDragDropTest, AFreedDropWindowIsRevokedAndForgotten) {
  cl::TForm* form = cl::CreateNew<cl::TForm>(owner.get());
  component->SetDropWindow(form);
  HWND window = form->Handle();
  cl::TForm* other = cl::CreateNew<cl::TForm>(owner.get());
  component->SetDropWindow(other);
  EXPECT_EQ(RevokeDragDrop(window), DRAGDROP_E_NOTREGISTERED) << "the previous window is revoked";
  EXPECT_EQ(RegisterDragDrop(window, target.Get()), S_OK);
  RevokeDragDrop(window);
  cl::Free(other);
  EXPECT_EQ(component->DropWindow(), nullptr);
  cl::Free(form);
}

TEST_F(OleDragDropTest, ATargetNeedsItsComponentAndADragNeedsAKind) {
  try {
    TDropTarget unowned(nullptr);
    FAIL() << "made without a component";
  } catch (const EDragDropOleError& e) {
    EXPECT_EQ(e.Message(), "Create, owner MUST be specified.");
  }
  EXPECT_EQ(component->DragStart({}, nullptr), -1);
}

// A real drag: with the cursor over a registered window of this process and no button held, OLE drops at once.
TEST_F(OleDragDropTest, ADragInsideTheProcessDropsTheFilesOnTheTarget) {
  cl::TForm* form = cl::CreateNew<cl::TForm>(owner.get());
  form->SetCaption("Drop target");
  form->SetBounds(100, 100, 420, 220);
  cl::TListBox* list = cl::New<cl::TListBox>(form);
  list->SetParent(form);
  list->SetAlign(cl::alClient);
  form->Show();
  cl::test::PumpFor(200);
  component->SetDropWindow(list);
  component->SetOnDragDrop(TDragDropProc([&](cl::TObject*, TSourceTypes, TDropObj* source, int, int, cl::TShiftState) {
    droppedFiles = LinesOf(source->Strings(stFiles));
    list->Items()->Assign(source->Strings(stFiles));
  }));
  int beforeDrops = 0;
  component->SetOnDragBeforeDrop(cl::TNotifyEvent([&](cl::TObject*) { ++beforeDrops; }));
  const cl::TPoint centre = list->ClientToScreen(cl::Point(list->Width() / 2, list->Height() / 2));
  SetCursorPos(centre.X, centre.Y);

  cl::Owned<cl::TStringList> files(ListOf(kThreeNames));
  EXPECT_EQ(component->DragFiles(files.get()), DROPEFFECT_COPY);
  EXPECT_EQ(droppedFiles, kThreeNames);
  EXPECT_EQ(beforeDrops, 1);
  cl::test::PumpFor(200);
  testsupport::SaveScreenshot("ole_drag_drop");

  // A handler that fails ends the drag, and its exception reaches the drag's starter.
  component->SetOnDragBeforeDrop(cl::TNotifyEvent([](cl::TObject*) { throw std::runtime_error("not now"); }));
  droppedFiles.clear();
  EXPECT_THROW(component->DragFiles(files.get()), std::runtime_error);
  EXPECT_TRUE(droppedFiles.empty());
}

}  // namespace
