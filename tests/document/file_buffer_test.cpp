#include "document/file_buffer.h"

#include <gtest/gtest.h>

#include <memory>

#include "document/errors.h"

namespace qarn {
namespace {

class FileBufferTest : public testing::Test {
 protected:
  std::unique_ptr<FileBuffer> buffer = std::make_unique<FileBuffer>();
};

TEST_F(FileBufferTest, StartsZeroAndEmpty) {
  EXPECT_EQ(buffer->usedLength, 0);
  EXPECT_EQ(buffer->bytes.size(), 60001u);
  EXPECT_TRUE(buffer->Image().empty());
}

TEST_F(FileBufferTest, SetImageCopiesToOffsetZeroAndKeepsLaterBytes) {
  buffer->SetImage(std::vector<uint8_t>(10, 0xAA));
  buffer->SetImage(std::vector<uint8_t>{1, 2, 3});
  EXPECT_EQ(buffer->usedLength, 3);
  EXPECT_EQ(buffer->Image(), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(buffer->bytes[3], 0xAA) << "bytes beyond the used length are left as they were";
}

TEST_F(FileBufferTest, HoldsUpTo60001Bytes) {
  std::vector<uint8_t> image(kBufferSize);
  image.back() = 0x42;
  buffer->SetImage(image);
  EXPECT_EQ(buffer->usedLength, kBufferSize);
  EXPECT_EQ(buffer->bytes[kBufferLastOffset], 0x42);
  EXPECT_EQ(buffer->Image(), image);
}

TEST_F(FileBufferTest, RefusesALargerImageAndStaysAsItWas) {
  buffer->SetImage(std::vector<uint8_t>{9, 8});
  EXPECT_THROW(buffer->SetImage(std::vector<uint8_t>(kBufferSize + 1, 0xFF)), RangeCheckError);
  EXPECT_EQ(buffer->usedLength, 2);
  EXPECT_EQ(buffer->bytes[2], 0);
}

TEST_F(FileBufferTest, ImageNeverReachesOutsideTheBuffer) {
  buffer->usedLength = kBufferSize + 100;
  EXPECT_EQ(buffer->Image().size(), static_cast<size_t>(kBufferSize));
  buffer->usedLength = -5;
  EXPECT_TRUE(buffer->Image().empty());
}

}  // namespace
}  // namespace qarn
