#include "installer/extract/archive_extraction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "7zTypes.h"

namespace {

#include "good_archive.inc"
#include "hostile_archive.inc"

using kivo::ExtractOutcome;
using kivo::extractEntries;

struct Output {
  WString name;
  bool directory;
  std::string bytes;
};

struct Progress {
  unsigned index;
  unsigned count;
  WString name;
};

// Records what the loop hands over; can refuse one entry by name or stop
// after a number of entries.
class RecordingSink : public kivo::ExtractSink {
 public:
  bool acceptEntry(const WString&) override { return true; }
  bool output(const WString& name, bool isDirectory, const unsigned char* bytes, size_t size) override {
    outputs.push_back({name, isDirectory, std::string(reinterpret_cast<const char*>(bytes), size)});
    return name != refuse;
  }
  bool shouldContinue() override { return outputs.size() < continueFor; }
  void reportProgress(unsigned index, unsigned count, const WString& name) override {
    progress.push_back({index, count, name});
  }

  std::vector<Output> outputs;
  std::vector<Progress> progress;
  WString refuse;
  size_t continueFor = static_cast<size_t>(-1);
};

class CancelAfter : public kivo::CancelSource {
 public:
  explicit CancelAfter(int polls) : left_(polls) {}
  bool isCancelled() const override { return --left_ < 0; }

 private:
  mutable int left_;
};

ExtractOutcome extract(const std::vector<unsigned char>& archive, RecordingSink& sink,
                       const kivo::CancelSource* cancel = nullptr, bool full = true) {
  return extractEntries(archive.data(), archive.size(), sink, cancel, full);
}

std::vector<unsigned char> good() { return {kGoodArchive, kGoodArchive + sizeof kGoodArchive}; }

TEST(ArchiveExtractionTest, HandsEveryEntryOverInArchiveOrderWithItsBytes) {
  RecordingSink sink;
  const ExtractOutcome outcome = extract(good(), sink);
  ASSERT_TRUE(outcome.ok()) << outcome.error;
  ASSERT_EQ(sink.outputs.size(), 9u);
  EXPECT_EQ(sink.outputs[0].name, KW("install"));
  EXPECT_TRUE(sink.outputs[0].directory);
  bool sawFilter = false, sawEmpty = false, sawChinese = false;
  for (const Output& o : sink.outputs) {
    if (o.name == KW("install/3.1.0.5/KivoVirtualCam.ax")) {
      sawFilter = true;
      EXPECT_EQ(o.bytes, "filter bytes of the fixture\r\n");
    }
    if (o.name == KW("install/3.1.0.5/empty.dat")) {
      sawEmpty = true;
      EXPECT_FALSE(o.directory);
      EXPECT_TRUE(o.bytes.empty());
    }
    if (o.name == KW("install/3.1.0.5/\u97f3\u6548/\u6b22\u8fce.txt")) {
      sawChinese = true;
      EXPECT_EQ(o.bytes, "\xe6\xac\xa2\xe8\xbf\x8e\r\n");
    }
  }
  EXPECT_TRUE(sawFilter && sawEmpty && sawChinese);
}

TEST(ArchiveExtractionTest, ReportsProgressOncePerEntryWithItsLastComponent) {
  RecordingSink sink;
  ASSERT_TRUE(extract(good(), sink).ok());
  ASSERT_EQ(sink.progress.size(), sink.outputs.size());
  for (unsigned i = 0; i < sink.progress.size(); ++i) {
    EXPECT_EQ(sink.progress[i].index, i);
    EXPECT_EQ(sink.progress[i].count, 9u);
    const WString& full = sink.outputs[i].name;
    EXPECT_EQ(sink.progress[i].name, full.substr(full.find_last_of('/') + 1));
  }
}

TEST(ArchiveExtractionTest, CheckModeHandsOverOnlyTheFilterUnderTheCheckLabel) {
  RecordingSink sink;
  ASSERT_TRUE(extract(good(), sink, nullptr, false).ok());
  ASSERT_EQ(sink.outputs.size(), 1u);  // the lower-case twin does not count
  EXPECT_EQ(sink.outputs[0].name, KW("InstallDir/KivoVirtualCam.ax"));
  EXPECT_EQ(sink.outputs[0].bytes, "filter bytes of the fixture\r\n");
}

TEST(ArchiveExtractionTest, SinkRefusalAndCancelEndAsFailure) {
  RecordingSink refusing;
  refusing.refuse = KW("install/3.1.0.5");
  EXPECT_EQ(extract(good(), refusing).error, SZ_ERROR_FAIL);
  EXPECT_EQ(refusing.outputs.size(), 2u);

  RecordingSink cancelled;
  CancelAfter cancel(3);
  EXPECT_EQ(extract(good(), cancelled, &cancel).error, SZ_ERROR_FAIL);
  EXPECT_EQ(cancelled.outputs.size(), 4u);

  // A sink that asks to stop ends the walk without an error.
  RecordingSink stopping;
  stopping.continueFor = 2;
  EXPECT_TRUE(extract(good(), stopping).ok());
  EXPECT_EQ(stopping.outputs.size(), 2u);
}

TEST(ArchiveExtractionTest, DamagedArchivesFailWithoutWritingBadBytes) {
  const std::vector<unsigned char> archive = good();
  const struct {
    const char* what;
    std::vector<unsigned char> bytes;
  } cases[] = {
      {"empty", {}},
      {"not an archive", std::vector<unsigned char>(300, 'x')},
      {"truncated", {archive.begin(), archive.begin() + archive.size() / 2}},
      {"one byte short", {archive.begin(), archive.end() - 1}},
      {"flipped packed byte", [&] {
         std::vector<unsigned char> b = archive;
         b[32 + 10] ^= 0x5A;
         return b;
       }()},
  };
  for (const auto& c : cases) {
    RecordingSink sink;
    const ExtractOutcome outcome = extract(c.bytes, sink);
    EXPECT_FALSE(outcome.ok()) << c.what;
    // Directories and empty files need no decoding; nothing else gets through.
    for (const Output& o : sink.outputs) EXPECT_TRUE(o.bytes.empty()) << c.what;
  }
}

TEST(ArchiveExtractionTest, UnsafeEntryNameRefusesTheWholeArchiveFirst) {
  const std::vector<unsigned char> hostile(kHostileArchive, kHostileArchive + sizeof kHostileArchive);
  RecordingSink sink;
  const ExtractOutcome outcome = extract(hostile, sink);
  EXPECT_EQ(outcome.error, SZ_ERROR_ARCHIVE);
  EXPECT_EQ(outcome.refusedName.substr(0, 10), KW("install/.."));
  EXPECT_TRUE(sink.outputs.empty());
  EXPECT_TRUE(sink.progress.empty());
}

}  // namespace
