#include "uninstaller/uninstall_model.h"

#include <algorithm>

#include "toolkit/core/tl_command_line.h"

namespace kivo {

UninstallRun analyzeUninstallModel(const std::vector<std::wstring>& tokens,
                                   const std::function<bool(const std::wstring&)>& exists) {
  UninstallRun run;
  const auto has = [&](const wchar_t* option) {
    return std::find(tokens.begin(), tokens.end(), std::wstring(option)) != tokens.end();
  };
  if (has(L"-silence")) {
    run.model = kModelSilent;
    return run;
  }
  const int wanted = has(L"-delete") ? kModelDelete : has(L"-silencedelete") ? kModelSilentDelete : kModelPrompt;
  if (wanted == kModelPrompt) return run;
  bool present = false;
  const std::wstring path = tl::tokenAfter(tokens, L"-path", &present);
  if (path.empty() || !exists(path)) return run;
  run.model = wanted;
  run.path = path;
  return run;
}

}  // namespace kivo
