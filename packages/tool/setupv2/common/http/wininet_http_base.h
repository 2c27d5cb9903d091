// CWinInetHttpBase: one synchronous HTTP request at a time over WinINet.
//
// Order of use: construct, open(), optional settings, request(),
// closeHandles(), destroy. request() blocks the calling thread (a worker,
// or a short main-thread task) and hands the response to the receiver, if
// one is set; without one the body is read and dropped.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <string>

namespace kivo {

class IHttpReceiver {
 public:
  virtual ~IHttpReceiver() = default;
  // False from either stops the request (it then fails).
  virtual bool onHeaders(DWORD contentLength, DWORD statusCode, const std::wstring& headerText,
                         void* context) = 0;
  virtual bool onData(const BYTE* bytes, DWORD count, void* context) = 0;
  virtual void onFinished(bool result, const std::wstring& address, void* context) = 0;
};

class CWinInetHttpBase {
 public:
  CWinInetHttpBase();
  virtual ~CWinInetHttpBase();

  CWinInetHttpBase(const CWinInetHttpBase&) = delete;
  CWinInetHttpBase& operator=(const CWinInetHttpBase&) = delete;

  virtual void setReceiver(IHttpReceiver* receiver) { receiver_ = receiver; }
  virtual void setCacheEnabled(bool enabled);
  virtual void setReceiverContext(void* context) { context_ = context; }
  virtual bool open();
  virtual void closeHandles();
  // GET, or POST when there is a body or |forcePost|. True only for a
  // complete 200/206 response that the receiver accepted.
  virtual bool request(const std::wstring& address, const std::wstring& headers,
                       const BYTE* body, DWORD bodyLength, bool forcePost);
  virtual void setSecure(bool secure);
  virtual void setTimeout(DWORD milliseconds);

  DWORD requestFlags() const { return flags_; }

 private:
  bool send(const std::wstring& address, const std::wstring& headers, const BYTE* body,
            DWORD bodyLength, bool forcePost);
  bool RecvResponse();

  HINTERNET session_ = nullptr;
  HINTERNET connection_ = nullptr;
  HINTERNET request_ = nullptr;
  void* context_ = nullptr;
  IHttpReceiver* receiver_ = nullptr;
  DWORD flags_ = 0;
  bool secure_ = false;
  DWORD timeout_ = 300000;
};

}  // namespace kivo
