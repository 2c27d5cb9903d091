#include "installer/statistics/setup_ini.h"

#include "installer/statistics/machine_id.h"

namespace kivo {

void ensureMacId(const std::wstring& path) {
  if (!readMacId(path).empty()) return;
  setIniValue(L"macId", computeAdapterId() + unixTimeText(), path);
}

}  // namespace kivo
