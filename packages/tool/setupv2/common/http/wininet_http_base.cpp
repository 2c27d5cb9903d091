#include "common/http/wininet_http_base.h"

#include <vector>

#include "common/http/wininet_api.h"
#include "common/log/log_file.h"

namespace kivo {
namespace {

const DWORD kNoCacheFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
const DWORD kSecureFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_SECURE |
                           INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_NO_COOKIES |
                           INTERNET_FLAG_NO_AUTH | INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP |
                           INTERNET_FLAG_NO_UI;

// Time-out options, in the order they are applied.
const DWORD kTimeoutOptions[] = {2, 8, 7, 63, 128, 6, 5};

DWORD bodyBufferSize(DWORD contentLength) {
  if (contentLength <= 8192) return 1024;
  if (contentLength <= 65536) return 8192;
  return 16384;
}

}  // namespace

CWinInetHttpBase::CWinInetHttpBase() = default;

CWinInetHttpBase::~CWinInetHttpBase() { closeHandles(); }

void CWinInetHttpBase::setCacheEnabled(bool enabled) {
  if (enabled) flags_ &= ~kNoCacheFlags;
  else flags_ |= kNoCacheFlags;
}

bool CWinInetHttpBase::open() {
  const WinInetApi* api = winInet();
  if (api == nullptr) return false;
  session_ = api->InternetOpenW(L"", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  if (session_ == nullptr) return false;
  setTimeout(timeout_);
  return true;
}

void CWinInetHttpBase::closeHandles() {
  const WinInetApi* api = winInet();
  for (HINTERNET* handle : {&request_, &connection_, &session_}) {
    if (*handle != nullptr && api != nullptr) api->InternetCloseHandle(*handle);
    *handle = nullptr;
  }
}

void CWinInetHttpBase::setSecure(bool secure) {
  secure_ = secure;
  if (secure) flags_ |= kSecureFlags;
}

void CWinInetHttpBase::setTimeout(DWORD milliseconds) {
  timeout_ = milliseconds;
  const WinInetApi* api = winInet();
  if (session_ == nullptr || api == nullptr) return;
  for (DWORD option : kTimeoutOptions)
    api->InternetSetOptionW(session_, option, &timeout_, sizeof timeout_);
}

bool CWinInetHttpBase::request(const std::wstring& address, const std::wstring& headers,
                               const BYTE* body, DWORD bodyLength, bool forcePost) {
  const bool result = send(address, headers, body, bodyLength, forcePost) && RecvResponse();
  if (receiver_ != nullptr) receiver_->onFinished(result, address, context_);
  return result;
}

bool CWinInetHttpBase::send(const std::wstring& address, const std::wstring& headers,
                            const BYTE* body, DWORD bodyLength, bool forcePost) {
  const WinInetApi* api = winInet();
  if (api == nullptr || session_ == nullptr) return false;

  wchar_t host[256] = {0};
  URL_COMPONENTSW parts = {};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = 255;
  parts.dwUrlPathLength = 1;  // ask for a pointer into the address
  if (!api->InternetCrackUrlW(address.c_str(), 0, 0, &parts) || host[0] == 0) return false;
  const std::wstring path = parts.lpszUrlPath != nullptr && parts.dwUrlPathLength > 0
                                ? std::wstring(parts.lpszUrlPath)
                                : std::wstring(L"/");

  // A second request on the same object must not leak the first one's handles.
  if (request_ != nullptr) api->InternetCloseHandle(request_);
  if (connection_ != nullptr) api->InternetCloseHandle(connection_);
  request_ = connection_ = nullptr;

  const INTERNET_PORT port = secure_ ? INTERNET_DEFAULT_HTTPS_PORT : parts.nPort;
  connection_ = api->InternetConnectW(session_, host, port, nullptr, nullptr,
                                      INTERNET_SERVICE_HTTP, 0, 0);
  if (connection_ == nullptr) return false;

  const bool post = bodyLength > 0 || forcePost;
  const wchar_t* verb = post ? L"POST" : L"GET";
  const wchar_t* version = post || secure_ ? L"HTTP/1.1" : L"HTTP/1.0";
  const wchar_t* accept[] = {L"*/*", nullptr};
  request_ = api->HttpOpenRequestW(connection_, verb, path.c_str(), version, nullptr, accept,
                                   flags_, 0);
  if (request_ == nullptr) return false;

  const wchar_t* headerText = headers.empty() ? nullptr : headers.c_str();
  const DWORD headerLength = static_cast<DWORD>(headers.size());
  if (bodyLength == 0 || body == nullptr) {
    return api->HttpSendRequestW(request_, headerText, headerLength, nullptr, 0) != FALSE;
  }

  INTERNET_BUFFERSW buffers = {};
  buffers.dwStructSize = sizeof buffers;
  buffers.lpcszHeader = headerText;
  buffers.dwHeadersLength = headerLength;
  buffers.dwHeadersTotal = headerLength;
  buffers.dwBufferTotal = bodyLength;
  if (!api->HttpSendRequestExW(request_, &buffers, nullptr, 0, 0)) return false;
  bool written = true;
  for (DWORD offset = 0; offset < bodyLength && written;) {
    const DWORD piece = bodyLength - offset < 1024 ? bodyLength - offset : 1024;
    DWORD done = 0;
    written = api->InternetWriteFile(request_, body + offset, piece, &done) != FALSE;
    offset += piece;
  }
  const bool ended = api->HttpEndRequestW(request_, nullptr, 0, 0) != FALSE;
  return written && ended;
}

bool CWinInetHttpBase::RecvResponse() {
  const WinInetApi* api = winInet();
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!api->HttpQueryInfoW(request_, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                           &size, nullptr))
    return false;
  logPrintf(L"CWinInetHttpBase::RecvResponse, nStatus %d.", static_cast<int>(status));
  if (status != 200 && status != 206) return false;

  DWORD contentLength = 0;
  size = sizeof contentLength;
  if (!api->HttpQueryInfoW(request_, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER,
                           &contentLength, &size, nullptr))
    contentLength = 0;

  wchar_t headerText[128] = {0};  // 255 bytes of text, as the receivers expect
  size = sizeof headerText - sizeof(wchar_t);
  const DWORD which = secure_ ? HTTP_QUERY_RAW_HEADERS_CRLF : HTTP_QUERY_CONTENT_ENCODING;
  if (!api->HttpQueryInfoW(request_, which, headerText, &size, nullptr)) headerText[0] = 0;

  if (receiver_ != nullptr && !receiver_->onHeaders(contentLength, status, headerText, context_))
    return false;

  std::vector<BYTE> buffer(bodyBufferSize(contentLength));
  for (;;) {
    DWORD got = 0;
    if (!api->InternetReadFile(request_, buffer.data(), static_cast<DWORD>(buffer.size()), &got))
      return false;
    if (got == 0) return true;
    if (receiver_ != nullptr && !receiver_->onData(buffer.data(), got, context_)) return false;
  }
}

}  // namespace kivo
