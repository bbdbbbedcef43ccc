#include "generation/obj_writer.h"

#include "model/number_format.h"
#include "model/store.h"
#include "model/usage_records.h"

namespace generation {

std::string elementLabel(int element) {
  return modUsage::defaultName(element) + (model::isRock(element) ? " - Rock" : " - Blade");
}

// Appends the large part of the buffer to the file; the small part stays in memory.
RunStatus clsObjWriter::flushLarge(RunStatus openFailed, RunStatus writeFailed) {
  const auto length = static_cast<std::size_t>(largeLength_);
  const platform::FileStatus result = file_->append(buffer_.view().substr(0, length));
  if (result == platform::FileStatus::OpenFailed) return openFailed;
  fileBytes_ = file_->length();
  if (result != platform::FileStatus::Ok) return writeFailed;
  buffer_.eraseFront(length);
  largeLength_ = 0;
  itemsInFile_ += largeItems_;
  largeItems_ = 0;
  return RunStatus::GoOn;
}

RunStatus clsObjWriter::open(platform::ITemporaryFile& file, std::int64_t limitBytes, std::string_view header) {
  file_ = &file;
  limitBytes_ = limitBytes;
  buffer_.reserve(static_cast<std::size_t>(kLargeBufferChars + 2 * kSmallBufferChars));
  const platform::FileStatus result = file.append(header);
  if (result != platform::FileStatus::Ok)
    return result == platform::FileStatus::OpenFailed ? RunStatus::HeaderOpenFailed : RunStatus::HeaderWriteFailed;
  fileBytes_ = file.length();
  return RunStatus::GoOn;
}

void clsObjWriter::beginElement(int element, std::int32_t itemCount) {
  label_ = elementLabel(element);
  itemCount_ = itemCount;
}

RunStatus clsObjWriter::writeItem(std::string_view text, bool report) {
  buffer_.append(text);
  const RunStatus code = bufferAppended(text.size());
  if (code != RunStatus::GoOn) return code;
  return yield(report);
}

RunStatus clsObjWriter::yield(bool report) {
  if (report && services_.status != nullptr) services_.status->setProgress(progressLine());
  if (services_.events != nullptr) services_.events->processEvents();
  return cancelRequested() ? RunStatus::Cancelled : RunStatus::GoOn;
}

RunStatus clsObjWriter::bufferAppended(std::size_t length) {
  smallLength_ += static_cast<std::int64_t>(length);
  if (length > 0) ++smallItems_;
  if (smallLength_ > kSmallBufferChars) {
    largeLength_ += smallLength_;
    smallLength_ = 0;
    largeItems_ += smallItems_;
    smallItems_ = 0;
    if (largeLength_ > kLargeBufferChars) {
      const RunStatus code = flushLarge(RunStatus::AppendOpenFailed, RunStatus::AppendWriteFailed);
      if (code != RunStatus::GoOn) return code;
      if (fileBytes_ > limitBytes_) return RunStatus::LimitReached;
    }
  }
  return RunStatus::GoOn;
}

RunStatus clsObjWriter::finish() {
  largeLength_ += smallLength_;
  smallLength_ = 0;
  largeItems_ += smallItems_;
  smallItems_ = 0;
  if (largeLength_ > 0) return flushLarge(RunStatus::FinalOpenFailed, RunStatus::FinalWriteFailed);
  return RunStatus::GoOn;
}

void clsObjWriter::setBytes(std::int64_t fileBytes, std::int64_t waitingBytes) {
  fileBytes_ = fileBytes;
  smallLength_ = 0;
  largeLength_ = waitingBytes;
}

std::string clsObjWriter::progressLine() const {
  const float percent =
      itemCount_ < 1 ? 100.0f : static_cast<float>(itemNumber_) / static_cast<float>(itemCount_) * 100.0f;
  const double onDisk = static_cast<double>(fileBytes_) / kBytesPerMB;
  const double withBuffers = static_cast<double>(fileBytes_ + smallLength_ + largeLength_) / kBytesPerMB;
  return platform::titleWith(" - " + label_ + " " + std::to_string(itemNumber_) + " of " + std::to_string(itemCount_) +
                             " - " + modNumber::wholeText(percent) + "% - " + modNumber::oneDecimalText(onDisk) +
                             " MB (" + modNumber::oneDecimalText(withBuffers) + ")");
}

}  // namespace generation
