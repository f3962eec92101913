#include "classlib/win/com.h"

#include "classlib/core/format.h"
#include "classlib/win/system_info.h"

namespace cl {

namespace {

std::string OleErrorText(HRESULT errorCode) {
  std::string text = SysErrorMessage(static_cast<DWORD>(errorCode));
  if (text.empty()) text = Format("OLE error %.8x", {static_cast<uint32_t>(errorCode)});
  return text;
}

}  // namespace

EOleSysError::EOleSysError(HRESULT errorCode) : Exception(OleErrorText(errorCode)), FErrorCode(errorCode) {}

HRESULT OleCheck(HRESULT result) {
  if (FAILED(result)) throw EOleSysError(result);
  return result;
}

}  // namespace cl
