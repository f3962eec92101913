// The acquisition sequence against a scripted source manager: which operations go out in which order, what is
// set, what the user is told, and that every container is freed and every transfer ends.
#include "viewer/core/twain_protocol.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>

namespace viewer {
namespace {

using namespace twain;

// Names operations as the log of the test source does: "OPENDS", "SET 1118 7 600", "ENABLEDS 0 0".
std::string OperationName(uint16_t dat, uint16_t msg, TW_MEMREF data,
                          const std::map<void*, std::vector<uint8_t>>& blocks) {
  static const std::map<uint16_t, const char*> messages = {
      {MSG_OPENDSM, "OPENDSM"},       {MSG_CLOSEDSM, "CLOSEDSM"},     {MSG_OPENDS, "OPENDS"},
      {MSG_CLOSEDS, "CLOSEDS"},       {MSG_GETFIRST, "GETFIRST"},     {MSG_GETNEXT, "GETNEXT"},
      {MSG_GETDEFAULT, "GETDEFAULT"}, {MSG_USERSELECT, "USERSELECT"}, {MSG_DISABLEDS, "DISABLEDS"},
      {MSG_ENDXFER, "ENDXFER"},       {MSG_RESET, "RESET"},           {MSG_PROCESSEVENT, "PROCESSEVENT"}};
  if (dat == DAT_CAPABILITY && msg == MSG_SET) {
    const auto* capability = static_cast<TW_CAPABILITY*>(data);
    void* container = capability->hContainer;  // a copy: the packed field is not aligned
    TW_ONEVALUE value{};
    std::memcpy(&value, blocks.at(container).data(), sizeof value);
    char text[48];
    std::snprintf(text, sizeof text, "SET %X %u %u", capability->Cap, value.ItemType, value.Item);
    return text;
  }
  if (dat == DAT_CAPABILITY) return "GET " + std::to_string(static_cast<TW_CAPABILITY*>(data)->Cap);
  if (dat == DAT_USERINTERFACE && msg == MSG_ENABLEDS) {
    const auto* ui = static_cast<TW_USERINTERFACE*>(data);
    return "ENABLEDS " + std::to_string(ui->ShowUI) + " " + std::to_string(ui->ModalUI);
  }
  if (dat == DAT_IMAGEINFO) return "IMAGEINFO";
  if (dat == DAT_IMAGENATIVEXFER) return "NATIVEXFER";
  if (dat == DAT_IMAGELAYOUT) return msg == MSG_SET ? "SET LAYOUT" : "GET LAYOUT";
  if (dat == DAT_STATUS) return "STATUS";
  return messages.at(msg);
}

// A source manager with two sources whose every operation succeeds unless a test's Answer says otherwise; memory
// blocks are counted so that a leak shows.
class ScriptedManager : public TwainHost {
 public:
  std::vector<std::string> Operations;
  std::vector<bool> ToSource;  // per operation: addressed to the open source
  std::vector<std::string> ErrorBoxes, Messages;
  std::vector<TW_HANDLE> Delivered;
  std::vector<std::string> Sources{"Flatbed", "Camera"};
  uint16_t Condition = TWCC_BUMMER;
  // Return code for an operation by name, or nothing for the default answer.
  std::function<std::optional<uint16_t>(const std::string& operation, TW_MEMREF data)> Answer;
  std::map<void*, std::vector<uint8_t>> Blocks;

  uint16_t Entry(TW_IDENTITY*, TW_IDENTITY* dest, uint32_t, uint16_t dat, uint16_t msg, TW_MEMREF data) override {
    const std::string operation = OperationName(dat, msg, data, Blocks);
    Operations.push_back(operation);
    ToSource.push_back(dest != nullptr);
    if (Answer)
      if (auto rc = Answer(operation, data)) return *rc;
    return DefaultAnswer(operation, data);
  }
  TW_HANDLE Allocate(size_t size) override {
    auto block = std::make_unique<char>();
    void* handle = block.release();
    Blocks[handle].assign(size, 0);
    return handle;
  }
  void* Lock(TW_HANDLE block) override { return Blocks.at(block).data(); }
  void Unlock(TW_HANDLE) override {}
  size_t BlockSize(TW_HANDLE block) override { return Blocks.at(block).size(); }
  void Release(TW_HANDLE block) override {
    Blocks.erase(block);
    delete static_cast<char*>(block);
  }
  void ShowErrorBox(const std::string& text) override { ErrorBoxes.push_back(text); }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  void DeliverImage(TW_HANDLE dib) override {
    Delivered.push_back(dib);
    Release(dib);
  }

  // A capability container the source answers a question with.
  TW_HANDLE Container(const std::vector<uint8_t>& bytes) {
    TW_HANDLE handle = Allocate(bytes.size());
    Blocks[handle] = bytes;
    return handle;
  }

 private:
  uint16_t DefaultAnswer(const std::string& operation, TW_MEMREF data) {
    if (operation == "GETFIRST") FNextSource = 0;
    if (operation == "GETFIRST" || operation == "GETNEXT") {
      if (FNextSource >= Sources.size()) return TWRC_ENDOFLIST;
      auto* identity = static_cast<TW_IDENTITY*>(data);
      *identity = {};
      std::strcpy(identity->ProductName, Sources[FNextSource++].c_str());
    }
    if (operation == "NATIVEXFER") {
      *static_cast<TW_HANDLE*>(data) = Allocate(64);
      return TWRC_XFERDONE;
    }
    if (operation == "STATUS") static_cast<TW_STATUS*>(data)->ConditionCode = Condition;
    return TWRC_SUCCESS;
  }
  size_t FNextSource = 0;
};

// A protocol object over a scripted manager, as the viewer's frame sets it up (600 by 600).
class TwainProtocolTest : public ::testing::Test {
 protected:
  TwainProtocolTest() {
    FTwain = cl::New<TTwain>(FManager, ApplicationIdentity("Maker", "Family", "Product"), nullptr);
    FTwain->Settings.XRes = 600;
    FTwain->Settings.YRes = 600;
  }
  ~TwainProtocolTest() override { FTwain->Free(); }

  // The answer for one operation; every other keeps its default.
  void Answer(const std::string& operation, uint16_t rc) {
    FManager.Answer = [operation, rc](const std::string& name, TW_MEMREF) {
      return name == operation ? std::optional<uint16_t>(rc) : std::nullopt;
    };
  }
  bool AllClosed() const { return !FTwain->ManagerOpen() && !FTwain->SourceOpen() && !FTwain->SourceEnabled(); }
  int Count(const std::string& operation) const {
    return static_cast<int>(std::count(FManager.Operations.begin(), FManager.Operations.end(), operation));
  }

  ScriptedManager FManager;
  TTwain* FTwain;
};

using Ops = std::vector<std::string>;

TEST_F(TwainProtocolTest, AcquiringWithoutTheSourcesInterfaceRunsTheWholeSequence) {
  FTwain->Acquire(false);
  EXPECT_EQ(FManager.Operations,
            (Ops{"OPENDSM", "OPENDS", "SET 1118 7 600", "SET 1119 7 600", "SET 1 4 1", "ENABLEDS 0 0", "IMAGEINFO",
                 "NATIVEXFER", "ENDXFER", "DISABLEDS", "CLOSEDS", "CLOSEDSM"}));
  EXPECT_EQ(FManager.Delivered.size(), 1u);
  EXPECT_TRUE(FManager.ErrorBoxes.empty());
  EXPECT_TRUE(FManager.Blocks.empty()) << "every capability container is freed";
  EXPECT_TRUE(AllClosed());
}

TEST_F(TwainProtocolTest, WithItsInterfaceTheSourceAnnouncesTheTransfer) {
  FTwain->Acquire(true);
  EXPECT_EQ(FManager.Operations, (Ops{"OPENDSM", "OPENDS", "ENABLEDS 1 1"})) << "FastUI leaves the settings alone";
  EXPECT_TRUE(FTwain->SourceEnabled());

  FManager.Answer = [](const std::string& name, TW_MEMREF data) -> std::optional<uint16_t> {
    if (name != "PROCESSEVENT") return std::nullopt;
    static_cast<TW_EVENT*>(data)->TWMessage = MSG_XFERREADY;
    return TWRC_DSEVENT;
  };
  EXPECT_TRUE(FTwain->ProcessMessage(nullptr));
  EXPECT_EQ(FManager.Delivered.size(), 1u);
  EXPECT_TRUE(AllClosed());
  FManager.Operations.clear();
  EXPECT_FALSE(FTwain->ProcessMessage(nullptr));
  EXPECT_TRUE(FManager.Operations.empty()) << "messages go to no source once all is closed";
}

TEST_F(TwainProtocolTest, ASourceAskingToCloseIsClosed) {
  FTwain->Settings.FastUI = false;
  FTwain->Acquire(true);
  EXPECT_EQ(Count("SET 1 4 1"), 1) << "without FastUI the settings are made";
  FManager.Answer = [](const std::string& name, TW_MEMREF data) -> std::optional<uint16_t> {
    if (name == "PROCESSEVENT") static_cast<TW_EVENT*>(data)->TWMessage = MSG_CLOSEDSREQ;
    return name == "PROCESSEVENT" ? std::optional<uint16_t>(TWRC_NOTDSEVENT) : std::nullopt;
  };
  EXPECT_FALSE(FTwain->ProcessMessage(nullptr));
  EXPECT_TRUE(AllClosed());
  EXPECT_EQ(Count("NATIVEXFER"), 0);
}

TEST_F(TwainProtocolTest, APreferredSourceIsAskedForByNameWhenTheManagerKnowsIt) {
  struct Case {
    std::string Preferred, Requested;
  };
  for (const Case& c : {Case{"camera", "Camera"}, Case{"Scanner", ""}, Case{"", ""}}) {
    FManager.Operations.clear();
    std::string requested = "?";
    FManager.Answer = [&](const std::string& name, TW_MEMREF data) -> std::optional<uint16_t> {
      if (name == "OPENDS") requested = static_cast<TW_IDENTITY*>(data)->ProductName;
      return std::nullopt;
    };
    FTwain->PreferredSource = c.Preferred;
    ASSERT_TRUE(FTwain->OpenSource());
    EXPECT_EQ(requested, c.Requested) << c.Preferred;
    EXPECT_EQ(Count("GETFIRST"), c.Preferred.empty() ? 0 : 1) << c.Preferred;
    FTwain->CloseSource();
  }
}

TEST_F(TwainProtocolTest, TransfersEndWhateverTheSourceAnswers) {
  struct Case {
    const char* Name;
    uint16_t Answer;   // to every transfer request
    uint16_t Pending;  // what ENDXFER leaves pending
    int Requests;      // transfer requests made
    bool Reset;        // pending transfers dropped
    size_t Boxes;      // error boxes
  };
  const Case cases[] = {
      {"cancelled", TWRC_CANCEL, 0, 1, false, 0},
      {"cancelled with more pending", TWRC_CANCEL, 2, 1, true, 0},
      {"failed", TWRC_FAILURE, 0, 1, true, 1},
      {"answered otherwise", TWRC_CHECKSTATUS, 0, kNativeTransferTries, true, 1},
  };
  for (const Case& c : cases) {
    FManager.Operations.clear();
    FManager.ErrorBoxes.clear();
    FManager.Answer = [&](const std::string& name, TW_MEMREF data) -> std::optional<uint16_t> {
      if (name == "NATIVEXFER") return c.Answer;
      if (name == "ENDXFER") static_cast<TW_PENDINGXFERS*>(data)->Count = c.Pending;
      return std::nullopt;
    };
    FTwain->Acquire(false);
    EXPECT_EQ(Count("NATIVEXFER"), c.Requests) << c.Name;
    EXPECT_EQ(Count("RESET"), c.Reset ? 1 : 0) << c.Name;
    EXPECT_EQ(FManager.ErrorBoxes.size(), c.Boxes) << c.Name;
    EXPECT_EQ(FTwain->TransferCancelled(), c.Answer == TWRC_CANCEL) << c.Name;
    EXPECT_TRUE(FManager.Delivered.empty()) << c.Name;
    EXPECT_EQ(FManager.Operations.back(), "CLOSEDSM") << c.Name;
    EXPECT_TRUE(AllClosed()) << c.Name;
  }
}

TEST_F(TwainProtocolTest, EveryPendingImageIsTransferredAndAMissingHandleIsNotDelivered) {
  int images = 0;
  FManager.Answer = [&](const std::string& name, TW_MEMREF data) -> std::optional<uint16_t> {
    if (name == "NATIVEXFER" && ++images == 2) {
      *static_cast<TW_HANDLE*>(data) = nullptr;
      return TWRC_XFERDONE;
    }
    if (name == "ENDXFER") static_cast<TW_PENDINGXFERS*>(data)->Count = static_cast<uint16_t>(3 - images);
    return std::nullopt;
  };
  FTwain->Acquire(false);
  EXPECT_EQ(Count("NATIVEXFER"), 3);
  EXPECT_EQ(FManager.Delivered.size(), 2u);
  EXPECT_TRUE(AllClosed());
}

TEST_F(TwainProtocolTest, AFailedStepTellsTheUserAndLeavesTheSequence) {
  struct Case {
    const char* Failing;
    Ops Expected;
    bool AskedTheSource;  // the status question went to the open source
  };
  const Case cases[] = {
      {"OPENDSM", {"OPENDSM", "STATUS"}, false},
      {"OPENDS", {"OPENDSM", "OPENDS", "STATUS"}, false},
      {"ENABLEDS 0 0",
       {"OPENDSM", "OPENDS", "SET 1118 7 600", "SET 1119 7 600", "SET 1 4 1", "ENABLEDS 0 0", "STATUS", "CLOSEDS"},
       true},
      {"IMAGEINFO",
       {"OPENDSM", "OPENDS", "SET 1118 7 600", "SET 1119 7 600", "SET 1 4 1", "ENABLEDS 0 0", "IMAGEINFO", "STATUS",
        "RESET", "DISABLEDS", "CLOSEDS", "CLOSEDSM"},
       true},
  };
  for (const Case& c : cases) {
    FManager.Operations.clear();
    FManager.ToSource.clear();
    FManager.ErrorBoxes.clear();
    Answer(c.Failing, TWRC_FAILURE);
    FTwain->Acquire(false);
    FTwain->CloseAll();
    const auto status = std::find(FManager.Operations.begin(), FManager.Operations.end(), "STATUS");
    FManager.Operations.resize(std::min(FManager.Operations.size(), c.Expected.size()));
    EXPECT_EQ(FManager.Operations, c.Expected) << c.Failing;
    EXPECT_EQ(FManager.ToSource[status - FManager.Operations.begin()], c.AskedTheSource) << c.Failing;
    EXPECT_EQ(FManager.ErrorBoxes, Ops{"Bummer, there is a TWAIN error"}) << c.Failing;
    EXPECT_TRUE(AllClosed()) << c.Failing;
  }
}

TEST_F(TwainProtocolTest, ARefusedCapabilityIsReportedAndTheAcquisitionGoesOn) {
  Answer("SET 1118 7 600", TWRC_FAILURE);
  FManager.Condition = TWCC_BADVALUE;
  FTwain->Acquire(false);
  EXPECT_EQ(FManager.ErrorBoxes, Ops{"Sorry, bad value"});
  EXPECT_EQ(FManager.Delivered.size(), 1u);
}

TEST_F(TwainProtocolTest, ThePixelFlavorSetIsReported) {
  FTwain->Settings.PixelFlavor = pfVanilla;
  FTwain->SetCapabilities();
  EXPECT_EQ(FManager.Messages, Ops{"pixel flavor 1 OK!"});
  Answer("SET 111F 4 0", TWRC_FAILURE);
  FTwain->Settings.PixelFlavor = pfChocolate;
  FTwain->SetCapabilities();
  EXPECT_EQ(FManager.Messages.back(), "pixel flavor 0 BAD! 1");
}

TEST_F(TwainProtocolTest, TheLayoutHandlerSeesTheSourcesLayoutBeforeItIsSet) {
  FTwain->OnLayout = [](TW_IMAGELAYOUT& layout) { layout.Frame.Right.Whole = 5; };
  int16_t setRight = 0;
  FManager.Answer = [&](const std::string& name, TW_MEMREF data) -> std::optional<uint16_t> {
    if (name == "SET LAYOUT") setRight = static_cast<TW_IMAGELAYOUT*>(data)->Frame.Right.Whole;
    return std::nullopt;
  };
  FTwain->SetCapabilities();
  EXPECT_EQ(FManager.Operations, (Ops{"SET 1118 7 600", "SET 1119 7 600", "GET LAYOUT", "SET LAYOUT", "SET 1 4 1"}));
  EXPECT_EQ(setRight, 5);
}

TEST_F(TwainProtocolTest, SelectingASourceKeepsTheChosenOne) {
  FManager.Answer = [](const std::string& name, TW_MEMREF data) -> std::optional<uint16_t> {
    if (name == "USERSELECT") std::strcpy(static_cast<TW_IDENTITY*>(data)->ProductName, "Camera");
    return std::nullopt;
  };
  EXPECT_TRUE(FTwain->SelectSource());
  EXPECT_STREQ(FTwain->Source().ProductName, "Camera");
  EXPECT_EQ(FManager.Operations, (Ops{"OPENDSM", "GETDEFAULT", "USERSELECT", "CLOSEDSM"}));

  for (uint16_t rc : {TWRC_CANCEL, TWRC_FAILURE}) {
    FManager.ErrorBoxes.clear();
    Answer("USERSELECT", rc);
    EXPECT_FALSE(FTwain->SelectSource());
    EXPECT_EQ(FManager.ErrorBoxes.size(), rc == TWRC_CANCEL ? 0u : 1u);
    EXPECT_FALSE(FTwain->ManagerOpen());
  }
}

TEST_F(TwainProtocolTest, SourceNamesAreListedInTheManagersOrder) {
  EXPECT_EQ(FTwain->SourceNames(), (Ops{"Flatbed", "Camera"}));
  EXPECT_FALSE(FTwain->ManagerOpen());
}

TEST_F(TwainProtocolTest, ACapabilityIsReadFromTheSourcesContainerWhichIsFreed) {
  // An enumeration of resolutions (fixed-point items), the current one being 300.
  const std::vector<uint8_t> resolutions = {7, 0, 2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 150, 0, 0, 0, 44, 1, 0, 0};
  FManager.Answer = [&](const std::string& name, TW_MEMREF data) -> std::optional<uint16_t> {
    if (name.rfind("GET ", 0) != 0) return std::nullopt;
    auto* capability = static_cast<TW_CAPABILITY*>(data);
    capability->ConType = TWON_ENUMERATION;
    capability->hContainer = FManager.Container(resolutions);
    return capability->Cap == ICAP_XRESOLUTION ? TWRC_SUCCESS : TWRC_FAILURE;
  };
  EXPECT_EQ(FTwain->CapabilityValue(ICAP_XRESOLUTION), 300);
  EXPECT_EQ(FTwain->CapabilityValue(ICAP_PIXELTYPE), std::nullopt);
  EXPECT_TRUE(FManager.Blocks.empty());
  EXPECT_TRUE(AllClosed());
  EXPECT_EQ(FManager.Operations.back(), "CLOSEDSM");
}

TEST(TwainTexts, EachConditionHasItsText) {
  EXPECT_EQ(ConditionText(std::nullopt), "Sorry, could not get detailed error code");
  EXPECT_EQ(ConditionText(TWCC_SUCCESS), "Sorry, detailed error status returns success");
  EXPECT_EQ(ConditionText(TWCC_LOWMEMORY), "Sorry, there is not enough memory to acquire");
  EXPECT_EQ(ConditionText(TWCC_NODS), "Sorry, no TWAIN SOURCE found in the TWAIN directory");
  EXPECT_EQ(ConditionText(TWCC_MAXCONNECTIONS), "Sorry, the TWAIN source is already in use");
  EXPECT_EQ(ConditionText(TWCC_OPERATIONERROR), std::nullopt) << "the source has told the user itself";
  EXPECT_EQ(ConditionText(TWCC_BADCAP), "Sorry, capability error has occurred");
  EXPECT_EQ(ConditionText(TWCC_BADPROTOCOL), "Sorry, protocol error has occurred");
  EXPECT_EQ(ConditionText(TWCC_SEQERROR), "Sorry, DG DAT MSG is out of expected sequence");
  EXPECT_EQ(ConditionText(TWCC_BADDEST), "Sorry, unknown error code returned");
}

TEST(TwainIdentity, NamesAreCutToThirtyThreeCharacters) {
  const TW_IDENTITY identity = ApplicationIdentity(std::string(40, 'm'), "Orlanto", "");
  EXPECT_EQ(std::string(identity.Manufacturer), std::string(33, 'm'));
  EXPECT_STREQ(identity.ProductFamily, "Orlanto");
  EXPECT_EQ(identity.Version.MajorNum * 10 + identity.Version.MinorNum, 11);
  EXPECT_STREQ(identity.Version.Info, "1.1");
  EXPECT_EQ(identity.ProtocolMajor * 10 + identity.ProtocolMinor, 16);
  EXPECT_EQ(uint32_t{identity.SupportedGroups}, 3u);
}

}  // namespace
}  // namespace viewer
