// Which of the four runs the command line asks for.
//
//   0  no option (or an option whose directory does not exist): the first
//      process, interactive
//   1  "-silence": the first process, silent
//   2  "-delete" and "-path" with an existing directory: the copy, interactive
//   3  "-silencedelete" and "-path" with an existing directory: the copy,
//      silent
//
// Options compare exactly, case included; "-silence" wins over the others.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kivo {

enum UninstallModel { kModelPrompt = 0, kModelSilent = 1, kModelDelete = 2, kModelSilentDelete = 3 };

struct UninstallRun {
  int model = kModelPrompt;
  // The directory of models 2 and 3 as given (empty otherwise).
  std::wstring path;
};

// |tokens| as the toolkit's command-line splitter gives them (program name
// first); |exists| tells whether a file or folder of that name exists.
UninstallRun analyzeUninstallModel(const std::vector<std::wstring>& tokens,
                                   const std::function<bool(const std::wstring&)>& exists);

}  // namespace kivo
