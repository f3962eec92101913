#include "controls/ini_out.h"

#include "classlib/core/paths.h"
#include "classlib/core/string_list.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/forms.h"
#include "classlib/win/registry.h"
#include "controls/core/ini_out_text.h"
#include "controls/ini_ctrl.h"

namespace ctl {
namespace {

struct ItemTarget {
  cl::TObject* Object = nullptr;
  const cl::rtti::TPropInfo* Prop = nullptr;
};

// The item's component (the form itself for the form's own name, compared exactly) and its property.
ItemTarget FindTarget(cl::TForm* form, const TIniOutItem& item) {
  cl::TComponent* component = item.Component == form->Name() ? form : form->FindComponent(item.Component);
  if (!component) return {};
  return ItemTarget{component, cl::rtti::GetPropInfo(component, item.Property)};
}

constexpr uint32_t kFirstRootKey = 0x80000000u;

}  // namespace

TIniOut::TIniOut(cl::TComponent* owner) : TComponent(owner), FItems(cl::New<cl::TStringList>()) {}

void TIniOut::BeforeDestruction() {
  inherited::BeforeDestruction();
  cl::FreeAndNil(FItems);
}

void TIniOut::SetFileName(const std::string& fileName) {
  FFileName = cl::UpperCase(cl::ChangeFileExt(fileName, ".INI"));
}

void TIniOut::SetItems(const cl::TStrings* items) {
  FItems->Assign(items);
}

cl::TForm* TIniOut::OwnerForm() const {
  auto* form = dynamic_cast<cl::TForm*>(Owner());
  if (!form) throw cl::EInvalidCast();
  return form;
}

void TIniOut::Load() {
  cl::TForm* form = OwnerForm();
  // Read access only: reading needs no right to write, also under HKEY_LOCAL_MACHINE.
  cl::TRegistry registry(KEY_READ);
  registry.SetRootKey(PredefinedKey(kFirstRootKey + FRegistryRoot));
  for (int i = 0; i < FItems->Count(); ++i) {
    const TIniOutItem item = ParseIniOutItem(FItems->Strings(i));
    if (!item.Used()) continue;
    const ItemTarget target = FindTarget(form, item);
    if (!target.Prop) continue;
    try {
      registry.CloseKey();
      const bool found = registry.OpenKey(item.Key, false) && registry.ValueExists(item.ValueName);
      const std::string text = found ? registry.ReadString(item.ValueName) : item.Default;
      TextToProperty(target.Object, *target.Prop, text, form);
    } catch (const std::exception&) {
      // This item keeps its property as it was; the next one follows.
    }
  }
}

void TIniOut::Save() {
  cl::TForm* form = OwnerForm();
  cl::TRegistry registry;
  registry.SetRootKey(PredefinedKey(kFirstRootKey + FRegistryRoot));
  for (int i = 0; i < FItems->Count(); ++i) {
    const TIniOutItem item = ParseIniOutItem(FItems->Strings(i));
    if (!item.Used() || item.IsReadOnly()) continue;
    const ItemTarget target = FindTarget(form, item);
    if (!target.Prop) continue;
    try {
      registry.CloseKey();
      if (!registry.OpenKey(item.Key, true)) continue;
      if (const std::optional<std::string> text = PropertyToText(target.Object, *target.Prop))
        registry.WriteString(item.ValueName, *text);
    } catch (const std::exception&) {
      // Nothing of this item is written; the next one follows.
    }
  }
}

}  // namespace ctl
