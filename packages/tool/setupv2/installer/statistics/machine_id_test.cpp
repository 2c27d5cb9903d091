#include "installer/statistics/machine_id.h"

#include <gtest/gtest.h>

#include <ctime>
#include <regex>

namespace {

using namespace kivo;

TEST(MachineIdTest, NetbiosFormIsTwoDigitLanaAndTwelveUpperHexDigits) {
  const BYTE address[6] = {0x00, 0x11, 0x22, 0xAA, 0xBB, 0xCC};
  EXPECT_EQ(formatNetbiosAdapterId(0, address), L"00001122AABBCC");
  EXPECT_EQ(formatNetbiosAdapterId(7, address), L"07001122AABBCC");
  EXPECT_EQ(formatNetbiosAdapterId(123, address), L"123001122AABBCC");
}

TEST(MachineIdTest, IpHelperFormHasTheIndexThenEveryAddressByte) {
  const BYTE address[8] = {0x0a, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f, 0x60, 0x71};
  EXPECT_EQ(formatIpHelperAdapterId(3, address, 6), L"030A1B2C3D4E5F");
  EXPECT_EQ(formatIpHelperAdapterId(12, address, 8), L"120A1B2C3D4E5F6071");
  EXPECT_EQ(formatIpHelperAdapterId(5, address, 0), L"05");
}

TEST(MachineIdTest, ComputedAdapterPartHasOneOfTheTwoShapes) {
  // Real adapters differ from machine to machine: check the shape only.
  const std::wstring id = computeAdapterId();
  if (id.empty()) GTEST_SKIP() << "no adapter answers on this machine";
  EXPECT_TRUE(std::regex_match(id, std::wregex(L"\\d{2,3}([0-9A-F]{2})+"))) << id.size();
}

TEST(MachineIdTest, TimePartIsSecondsSince1970) {
  const long long now = static_cast<long long>(std::time(nullptr));
  const long long reported = std::stoll(unixTimeText());
  EXPECT_LE(std::llabs(reported - now), 5);
}

}  // namespace
