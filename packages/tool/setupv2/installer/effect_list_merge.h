// The effect list merge after an installation: the user's list
// (U\aurae\auraelist.xml) keeps the user's music entries, takes the shipped
// values for music entries the shipped list also has, and gets exactly the
// shipped animation and broadcast sections. A profile without a list gets
// the shipped one with its music. The animation folders are copied either
// way.
#pragma once

#include <string>

namespace kivo {

// |versionDirectory| is D\3.1.0.5, |userDataDirectory| is U.
void mergeEffectList(const std::wstring& versionDirectory, const std::wstring& userDataDirectory);

}  // namespace kivo
