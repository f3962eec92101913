// The published-property registry: property lists, lookup, typed access with its class and signature checks, and
// published methods.
#include "classlib/core/rtti.h"

#include <gtest/gtest.h>

#include "classlib/core/component.h"

namespace {

using namespace cl;

enum TTone { toSoft, toLoud };
CL_ENUM_INFO(TTone, toSoft, toLoud)

class TBox : public TComponent {
  CL_PUBLISHED_CLASS(TBox, TComponent)
 public:
  explicit TBox(TComponent* owner) : TComponent(owner) {}
  int Size() const { return FSize; }
  void SetSize(int size) { FSize = size; }
  TTone Tone() const { return FTone; }
  void SetTone(TTone tone) { FTone = tone; }
  TBox* Peer() const { return FPeer; }
  void SetPeer(TBox* peer) { FPeer = peer; }
  const TNotifyEvent& OnOpen() const { return FOnOpen; }
  void SetOnOpen(const TNotifyEvent& handler) { FOnOpen = handler; }
  void Opened(TObject*) { ++FOpened; }
  void Counted(int count) { FOpened += count; }
  int FOpened = 0;

 private:
  int FSize = 0;
  TTone FTone = toSoft;
  TBox* FPeer = nullptr;
  TNotifyEvent FOnOpen;
};

void TBox::Publish(rtti::Builder& b) {
  b.Prop("Size", rtti::tiInteger, &TBox::Size, &TBox::SetSize);
  b.Prop("Tone", TToneInfo, &TBox::Tone, &TBox::SetTone);
  b.Prop("Peer", rtti::ClassInfo<TBox>(), &TBox::Peer, &TBox::SetPeer);
  b.Prop("OnOpen", rtti::MethodInfo<TNotifyEvent>(), &TBox::OnOpen, &TBox::SetOnOpen);
  b.Method<&TBox::Opened>("Opened");
  b.Method<&TBox::Counted>("Counted");
}

// Publishes nothing of its own: it shares its base's list.
class TPlainBox : public TBox {
  CL_CLASS(TPlainBox, TBox)
 public:
  using TBox::TBox;
};

TEST(Rtti, PropertiesListTheBaseFirstAndAreFoundWithoutCase) {
  Owned<TPlainBox> box = MakeOwned<TPlainBox>(nullptr);
  std::vector<std::string> names;
  for (const rtti::TPropInfo* prop : rtti::GetPropList(box->ClassInfo())) names.push_back(prop->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Size", "Tone", "Peer", "OnOpen"}));
  const rtti::TPropInfo* size = rtti::GetPropInfo(box.get(), "SIZE");
  ASSERT_NE(size, nullptr);
  rtti::SetOrdProp(box.get(), *size, 12);
  EXPECT_EQ(box->Size(), 12);
  EXPECT_EQ(rtti::GetPropInfo(box.get(), "Missing"), nullptr);
  rtti::SetStrProp(box.get(), *rtti::GetPropInfo(box.get(), "name"), "Box1");
  EXPECT_EQ(box->Name(), "Box1");
  EXPECT_THROW(rtti::GetStrProp(box.get(), *size), rtti::EPropertyError);
}

TEST(Rtti, EnumerationNames) {
  EXPECT_EQ(rtti::EnumCount(TToneInfo), 2);
  EXPECT_EQ(rtti::GetEnumName(TToneInfo, 1), "toLoud");
  EXPECT_EQ(rtti::GetEnumName(TToneInfo, 2), "");
  EXPECT_EQ(rtti::GetEnumValue(TToneInfo, "TOSOFT"), 0);
  EXPECT_EQ(rtti::GetEnumValue(TToneInfo, "toQuiet"), -1);
  EXPECT_EQ(rtti::GetEnumValue(rtti::tiBoolean, "True"), 1);
}

TEST(Rtti, ObjectsOfAnotherClassAndMethodsOfAnotherSignatureAreRefused) {
  Owned<TBox> box = MakeOwned<TBox>(nullptr);
  Owned<TBox> peer = MakeOwned<TBox>(nullptr);
  Owned<TComponent> stranger = MakeOwned<TComponent>(nullptr);
  const rtti::TPropInfo& peerProp = *rtti::GetPropInfo(box.get(), "Peer");
  rtti::SetObjectProp(box.get(), peerProp, peer.get());
  EXPECT_EQ(box->Peer(), peer.get());
  EXPECT_THROW(rtti::SetObjectProp(box.get(), peerProp, stranger.get()), EInvalidCast);
  EXPECT_EQ(box->Peer(), peer.get());

  const rtti::TPropInfo& onOpen = *rtti::GetPropInfo(box.get(), "OnOpen");
  EXPECT_FALSE(rtti::SetMethodProp(box.get(), onOpen, rtti::MethodAddress(peer.get(), "Counted")));
  EXPECT_FALSE(box->OnOpen());
  ASSERT_TRUE(rtti::SetMethodProp(box.get(), onOpen, rtti::MethodAddress(peer.get(), "opened")));
  box->OnOpen()(box.get());
  EXPECT_EQ(peer->FOpened, 1);
  const rtti::TMethod bound = rtti::GetMethodProp(box.get(), onOpen);
  EXPECT_EQ(bound.Data, peer.get());
  EXPECT_STREQ(rtti::MethodName(bound), "Opened");
  // The same identity as an event bound in code.
  EXPECT_TRUE(box->OnOpen() == BindMethod<&TBox::Opened>(peer.get(), "Opened"));
  EXPECT_FALSE(rtti::MethodAddress(peer.get(), "Missing").Code);
  EXPECT_TRUE(rtti::SetMethodProp(box.get(), onOpen, rtti::TMethod{}));
  EXPECT_FALSE(box->OnOpen());
}

}  // namespace
