#include "document/image_delta.h"

#include <algorithm>
#include <string>

#include "document/errors.h"
#include "document/path_set_layout.h"

namespace qarn {

ImageDelta::ImageDelta(std::span<const uint8_t> before, std::span<const uint8_t> after) {
  // The object count at the start changes together with objects far behind it: compared on
  // their own, the header words do not stretch the body's difference over the whole file.
  const size_t head = std::min({layout::kHeaderBytes, before.size(), after.size()});
  head_ = Between(before.first(head), after.first(head), 0);
  body_ = Between(before.subspan(head), after.subspan(head), head);
}

ImageDelta::Splice ImageDelta::Between(std::span<const uint8_t> before,
                                       std::span<const uint8_t> after, size_t offset) {
  const auto shorter = static_cast<std::ptrdiff_t>(std::min(before.size(), after.size()));
  const std::ptrdiff_t start =
      std::mismatch(before.begin(), before.begin() + shorter, after.begin()).first - before.begin();
  // The common end stops where the common start ends, so the two never overlap.
  const std::ptrdiff_t common =
      std::mismatch(before.rbegin(), before.rbegin() + (shorter - start), after.rbegin()).first -
      before.rbegin();
  return Splice{offset + static_cast<size_t>(start),
                std::vector<uint8_t>(before.begin() + start, before.end() - common),
                std::vector<uint8_t>(after.begin() + start, after.end() - common)};
}

// Builds the new image aside, so a failure leaves the old one whole.
void ImageDelta::Replace(std::vector<uint8_t>& image, size_t offset,
                         const std::vector<uint8_t>& from, const std::vector<uint8_t>& to) {
  if (offset > image.size() || from.size() > image.size() - offset) {
    throw RangeCheckError("an undo step does not fit the document's " +
                          std::to_string(image.size()) + " bytes.");
  }
  const auto at = image.begin() + static_cast<std::ptrdiff_t>(offset);
  if (from.size() == to.size()) {
    std::copy(to.begin(), to.end(), at);
    return;
  }
  std::vector<uint8_t> replaced;
  replaced.reserve(image.size() - from.size() + to.size());
  replaced.insert(replaced.end(), image.begin(), at);
  replaced.insert(replaced.end(), to.begin(), to.end());
  replaced.insert(replaced.end(), at + static_cast<std::ptrdiff_t>(from.size()), image.end());
  image = std::move(replaced);
}

void ImageDelta::Undo(std::vector<uint8_t>& image) const {
  Replace(image, body_.offset, body_.after, body_.before);
  Replace(image, head_.offset, head_.after, head_.before);
}

void ImageDelta::Redo(std::vector<uint8_t>& image) const {
  Replace(image, head_.offset, head_.before, head_.after);
  Replace(image, body_.offset, body_.before, body_.after);
}

size_t ImageDelta::Bytes() const {
  return sizeof(*this) + head_.before.capacity() + head_.after.capacity() +
         body_.before.capacity() + body_.after.capacity();
}

}  // namespace qarn
