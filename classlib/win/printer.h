// TPrinter: print jobs through a substitutable backend. The default backend prints on a winspool printer; tests
// put in a memory backend (pages are 32-bit DIBs) or a metafile backend (pages are enhanced metafiles).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/core/object.h"
#include "classlib/win/canvas.h"
#include "classlib/win/dib.h"

namespace cl {

// Where a print job goes. BeginDoc and NewPage return the DC of the page to draw on; the backend owns it.
class TPrinterBackend {
 public:
  virtual ~TPrinterBackend() = default;
  virtual HDC BeginDoc(const std::string& title) = 0;
  virtual HDC NewPage() = 0;
  virtual void EndDoc() = 0;
  virtual void Abort() = 0;
  // Size of the printable page in device pixels.
  virtual int PageWidth() = 0;
  virtual int PageHeight() = 0;
};

// Backend for real printers: a printer DC and StartDoc/StartPage/EndPage/EndDoc.
class TWinspoolPrinterBackend : public TPrinterBackend {
 public:
  // An empty device prints on the default printer; EPrinter when there is none.
  // devMode: the printer's settings as a DEVMODE block (empty: the driver's defaults; a malformed one is ignored).
  TWinspoolPrinterBackend(const std::string& device, const std::string& driver, const std::string& port,
                          std::vector<BYTE> devMode = {});
  ~TWinspoolPrinterBackend() override;
  HDC BeginDoc(const std::string& title) override;
  HDC NewPage() override;
  void EndDoc() override;
  void Abort() override;
  int PageWidth() override;
  int PageHeight() override;

 private:
  HDC InfoDC();
  std::string FDevice, FDriver, FPort;
  std::vector<BYTE> FDevMode;
  HDC FDC = nullptr;
};

// True when bytes hold a whole DEVMODE block: its own sizes fit, and it names its fields.
bool DevModeFits(const std::vector<BYTE>& bytes);

// Test backends record the calls ("BeginDoc Title", "NewPage", "EndDoc", "Abort") and keep every page.
class TRecordingPrinterBackend : public TPrinterBackend {
 public:
  TRecordingPrinterBackend(int pageWidth, int pageHeight) : FPageWidth(pageWidth), FPageHeight(pageHeight) {}
  const std::vector<std::string>& Calls() const { return FCalls; }
  HDC BeginDoc(const std::string& title) override;
  HDC NewPage() override;
  void EndDoc() override;
  void Abort() override;
  int PageWidth() override { return FPageWidth; }
  int PageHeight() override { return FPageHeight; }

 protected:
  // Starts a page and returns its DC; finishes the page being drawn (if any) and keeps it.
  virtual HDC StartPage() = 0;
  virtual void FinishPage() = 0;
  const std::string& Title() const { return FTitle; }
  const int FPageWidth;
  const int FPageHeight;

 private:
  std::vector<std::string> FCalls;
  std::string FTitle;
};

// Pages are white 32-bit DIB sections of the page size.
class TMemoryPrinterBackend : public TRecordingPrinterBackend {
 public:
  using TRecordingPrinterBackend::TRecordingPrinterBackend;
  ~TMemoryPrinterBackend() override;
  int PageCount() const { return static_cast<int>(FPages.size()); }
  // The pixels of a finished page, bottom-up 32-bit rows.
  bmp::TDibImage Page(int index) const;

 protected:
  HDC StartPage() override;
  void FinishPage() override;

 private:
  std::vector<gdi::Object<HBITMAP>> FPages;
  HDC FDC = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
};

// Pages are enhanced metafiles whose frame is the page at the screen's resolution.
class TMetafilePrinterBackend : public TRecordingPrinterBackend {
 public:
  using TRecordingPrinterBackend::TRecordingPrinterBackend;
  ~TMetafilePrinterBackend() override;
  int PageCount() const { return static_cast<int>(FPages.size()); }
  HENHMETAFILE Page(int index) const { return FPages.at(index); }

 protected:
  HDC StartPage() override;
  void FinishPage() override;

 private:
  std::vector<HENHMETAFILE> FPages;
  HDC FDC = nullptr;
};

class TPrinter : public TObject {
  CL_CLASS(TPrinter, TObject)
 public:
  TPrinter();
  ~TPrinter() override;
  void BeforeDestruction() override;

  // Installed printer names (winspool); the default printer has index -1.
  std::vector<std::string> Printers() const;
  int PrinterIndex() const { return FPrinterIndex; }
  // Chooses a printer for the default backend; EPrinter outside -1 .. Printers().size() - 1 or while printing.
  void SetPrinterIndex(int index);
  // devMode: the settings chosen for that printer (paper, orientation, copies...) as a DEVMODE block; empty for
  // the driver's defaults. Choosing a printer by index resets them.
  void SetPrinter(const std::string& device, const std::string& driver, const std::string& port,
                  std::vector<BYTE> devMode = {});
  void GetPrinter(std::string& device, std::string& driver, std::string& port) const;
  const std::vector<BYTE>& DevMode() const { return FDevMode; }
  // Replaces the backend (null: back to winspool); EPrinter while printing.
  void SetBackend(std::unique_ptr<TPrinterBackend> backend);
  TPrinterBackend* Backend();

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }
  // EPrinter "Printing in progress" when a job is running.
  void BeginDoc();
  // EPrinter "Printer is not currently printing" outside a job.
  void EndDoc();
  void Abort();
  void NewPage();
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  int PageNumber() const { return FPageNumber; }
  TCanvas* Canvas();
  HDC Handle();
  int PageWidth();
  int PageHeight();

 private:
  struct CanvasOwner {
    void operator()(TCanvas* canvas) const { canvas->Free(); }
  };
  void CheckPrinting(bool printing) const;
  void SetPage(HDC dc);

  std::unique_ptr<TPrinterBackend> FBackend;
  std::unique_ptr<TCanvas, CanvasOwner> FCanvas;
  std::string FTitle;
  std::string FDevice, FDriver, FPort;
  std::vector<BYTE> FDevMode;
  int FPrinterIndex = -1;
  bool FPrinting = false;
  bool FAborted = false;
  int FPageNumber = 0;
};

// The process's printer, made on first use.
TPrinter* Printer();
// Replaces the process's printer and returns the old one (the caller frees it).
TPrinter* SetPrinter(TPrinter* printer);

}  // namespace cl
