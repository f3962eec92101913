#include "controls/one_instance.h"

#include "classlib/win/application.h"
#include "classlib/win/dialogs.h"
#include "controls/ctl_application.h"
#include "controls/utility_routines.h"

namespace ctl {
namespace {

int liveGuards = 0;
constexpr int kMaxGuards = 254;

}  // namespace

TCtlOneInstance::TCtlOneInstance(cl::TComponent* owner) : TCtlComponent(owner) {
  ++liveGuards;
}

void TCtlOneInstance::AfterConstruction() {
  inherited::AfterConstruction();
  // Raised once the component is whole, so that freeing it takes it out of its owner again.
  if (liveGuards > 1 && liveGuards - 1 <= kMaxGuards) throw CtlEOneInstError(ClassName(), 1);
}

TCtlOneInstance::~TCtlOneInstance() {
  --liveGuards;
}

int TCtlOneInstance::Count() {
  return liveGuards;
}

void TCtlOneInstance::Loaded() {
  inherited::Loaded();
  if (!FEnabled || !CtlApplication || !CtlApplication->AlreadyRunning()) return;
  switch (FMode) {
    case oiActivateOnly:
      ActivatePrevInstance();
      break;
    case oiDefaultMessage:
      cl::MessageDlg("\"" + (cl::Application ? cl::Application->Title() : std::string()) + "\" was already started...",
                     cl::mtInformation, {cl::mbOK}, 0);
      ActivatePrevInstance();
      break;
    case oiCustom:
      if (FOnCustom) {
        FOnCustom(this);
      } else {
        ActivatePrevInstance();
      }
      break;
  }
  if (cl::Application) cl::Application->Terminate();
  cl::Halt(0);
}

}  // namespace ctl
