#include "common/http/wininet_http_base.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/unit/tiny_http_server.h"

namespace {

using kivo::CWinInetHttpBase;
using kivo::IHttpReceiver;
using kivo_test::TinyHttpServer;

class CollectingReceiver : public IHttpReceiver {
 public:
  bool onHeaders(DWORD length, DWORD status, const std::wstring&, void* context) override {
    contentLength = length;
    statusSeen = status;
    contextSeen = context;
    return acceptHeaders;
  }
  bool onData(const BYTE* bytes, DWORD count, void*) override {
    body.append(reinterpret_cast<const char*>(bytes), count);
    ++pieces;
    return acceptData;
  }
  void onFinished(bool ok, const std::wstring& url, void*) override {
    finished = true;
    result = ok;
    address = url;
  }

  bool acceptHeaders = true;
  bool acceptData = true;
  DWORD contentLength = 0;
  DWORD statusSeen = 0;
  void* contextSeen = nullptr;
  std::string body;
  int pieces = 0;
  bool finished = false;
  bool result = false;
  std::wstring address;
};

TEST(WinInetHttpBaseTest, GetSendsThePathAndQueryAndStreamsTheBody) {
  const std::string payload(20000, 'x');  // more than one 8 KiB piece
  TinyHttpServer server(200, payload);
  CWinInetHttpBase http;
  CollectingReceiver receiver;
  int context = 0;
  http.setReceiver(&receiver);
  http.setReceiverContext(&context);
  ASSERT_TRUE(http.open());
  http.setCacheEnabled(false);
  const std::wstring url = server.url(L"/KivoMixerInstall.php?mac=00AABB&version=3.1.0.5&installed=1");
  EXPECT_TRUE(http.request(url, L"", nullptr, 0, false));
  http.closeHandles();

  ASSERT_EQ(server.requestLines().size(), 1u);
  EXPECT_EQ(server.requestLines()[0],
            "GET /KivoMixerInstall.php?mac=00AABB&version=3.1.0.5&installed=1 HTTP/1.0");
  EXPECT_EQ(receiver.body, payload);
  EXPECT_EQ(receiver.contentLength, payload.size());
  EXPECT_EQ(receiver.statusSeen, 200u);
  EXPECT_EQ(receiver.contextSeen, &context);
  EXPECT_TRUE(receiver.finished);
  EXPECT_TRUE(receiver.result);
  EXPECT_EQ(receiver.address, url);
}

TEST(WinInetHttpBaseTest, StatusOtherThan200Fails) {
  TinyHttpServer server(404, "missing");
  CWinInetHttpBase http;
  CollectingReceiver receiver;
  http.setReceiver(&receiver);
  ASSERT_TRUE(http.open());
  EXPECT_FALSE(http.request(server.url(L"/x"), L"", nullptr, 0, false));
  EXPECT_TRUE(receiver.finished);
  EXPECT_FALSE(receiver.result);
  EXPECT_TRUE(receiver.body.empty());
}

TEST(WinInetHttpBaseTest, EmptyBodyAndNoReceiverSucceed) {
  TinyHttpServer server(200, "");
  CWinInetHttpBase http;
  ASSERT_TRUE(http.open());
  EXPECT_TRUE(http.request(server.url(L"/empty"), L"", nullptr, 0, false));
  TinyHttpServer other(200, "ignored body");
  EXPECT_TRUE(http.request(other.url(L"/again"), L"", nullptr, 0, false));
  EXPECT_EQ(other.requestLines().size(), 1u);
}

TEST(WinInetHttpBaseTest, ReceiverCanStopTheRequest) {
  TinyHttpServer server(200, "body");
  for (bool stopAtHeaders : {true, false}) {
    CWinInetHttpBase http;
    CollectingReceiver receiver;
    receiver.acceptHeaders = !stopAtHeaders;
    receiver.acceptData = false;
    http.setReceiver(&receiver);
    ASSERT_TRUE(http.open());
    EXPECT_FALSE(http.request(server.url(L"/"), L"", nullptr, 0, false));
    EXPECT_FALSE(receiver.result);
    EXPECT_EQ(receiver.pieces, stopAtHeaders ? 0 : 1);
  }
}

TEST(WinInetHttpBaseTest, BodyMakesAPostWrittenInPieces) {
  TinyHttpServer server(200, "ok");
  CWinInetHttpBase http;
  ASSERT_TRUE(http.open());
  std::string body(2500, 'b');
  body[0] = 'a';
  body[2499] = 'z';
  EXPECT_TRUE(http.request(server.url(L"/post"), L"Content-Type: text/plain\r\n",
                           reinterpret_cast<const BYTE*>(body.data()), static_cast<DWORD>(body.size()),
                           false));
  ASSERT_EQ(server.requestLines().size(), 1u);
  EXPECT_EQ(server.requestLines()[0], "POST /post HTTP/1.1");
  EXPECT_EQ(server.requestBodies()[0], body);
}

TEST(WinInetHttpBaseTest, AddressWithoutSchemeOrHostFailsBeforeAnyTraffic) {
  CWinInetHttpBase http;
  CollectingReceiver receiver;
  http.setReceiver(&receiver);
  ASSERT_TRUE(http.open());
  for (const wchar_t* url : {L"no scheme/path", L"http:///path", L""}) {
    receiver.finished = false;
    EXPECT_FALSE(http.request(url, L"", nullptr, 0, false)) << url;
    EXPECT_TRUE(receiver.finished);
  }
}

TEST(WinInetHttpBaseTest, RefusedConnectionFails) {
  unsigned short port;
  { TinyHttpServer gone(200, ""); port = gone.port(); }
  CWinInetHttpBase http;
  ASSERT_TRUE(http.open());
  http.setTimeout(5000);
  EXPECT_FALSE(http.request(L"http://127.0.0.1:" + std::to_wstring(port) + L"/", L"", nullptr, 0, false));
}

TEST(WinInetHttpBaseTest, FlagsFollowCacheAndSecureSettings) {
  CWinInetHttpBase http;
  EXPECT_EQ(http.requestFlags(), 0u);
  http.setCacheEnabled(false);
  EXPECT_EQ(http.requestFlags(), 0x84000000u);
  http.setCacheEnabled(true);
  EXPECT_EQ(http.requestFlags(), 0u);
  http.setSecure(true);
  EXPECT_EQ(http.requestFlags(), 0x80CC8200u);
}

}  // namespace
