// Stand-in for the virtual camera filter (a test fixture): a COM in-process
// server that registers and unregisters itself, so that regsvr32 -s and
// regsvr32 -s -u have something real to do. It serves no objects.
#include <windows.h>

#include <olectl.h>

#include <cwchar>

namespace {

HMODULE g_module = nullptr;
const wchar_t kClsidKey[] = L"CLSID\\{6B0A3E55-1F7C-4C0B-9E52-3A5C8E1D7F21}";
const wchar_t kServerKey[] = L"CLSID\\{6B0A3E55-1F7C-4C0B-9E52-3A5C8E1D7F21}\\InprocServer32";

bool setString(HKEY key, const wchar_t* name, const wchar_t* value) {
  return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" HRESULT __stdcall DllRegisterServer() {
  wchar_t path[MAX_PATH] = {0};
  if (::GetModuleFileNameW(g_module, path, MAX_PATH) == 0) return SELFREG_E_CLASS;
  HKEY clsid = nullptr;
  if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, kClsidKey, 0, nullptr, 0, KEY_WRITE, nullptr, &clsid,
                        nullptr) != ERROR_SUCCESS)
    return SELFREG_E_CLASS;
  const bool named = setString(clsid, nullptr, L"Kivo Virtual Camera");
  ::RegCloseKey(clsid);
  HKEY server = nullptr;
  if (!named || ::RegCreateKeyExW(HKEY_CLASSES_ROOT, kServerKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &server, nullptr) != ERROR_SUCCESS)
    return SELFREG_E_CLASS;
  const bool ok = setString(server, nullptr, path) && setString(server, L"ThreadingModel", L"Both");
  ::RegCloseKey(server);
  return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
  const LSTATUS status = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kClsidKey);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID, REFIID, void** object) {
  if (object != nullptr) *object = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT __stdcall DllCanUnloadNow() { return S_OK; }
