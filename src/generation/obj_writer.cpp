#include "generation/obj_writer.h"

#include "model/number_format.h"

namespace modWriting {

using generation::clsObjWriter;
namespace status = generation::status;

namespace {

// Appends the large part of the buffer to the file; the small part stays in memory.
int flushLarge(clsObjWriter& writer, int openFailed, int writeFailed) {
  const auto length = static_cast<std::size_t>(writer.largeLength);
  const platform::FileStatus result = writer.file->append(writer.buffer.view().substr(0, length));
  if (result == platform::FileStatus::OpenFailed) return openFailed;
  writer.fileBytes = writer.file->length();
  if (result != platform::FileStatus::Ok) return writeFailed;
  writer.buffer.eraseFront(length);
  writer.largeLength = 0;
  writer.itemsInFile += writer.largeItems;
  writer.largeItems = 0;
  return status::kGoOn;
}

}  // namespace

void resetWriter(clsObjWriter& writer) {
  writer.file = nullptr;
  writer.smallItems = writer.largeItems = writer.itemsInFile = 0;
  writer.label.clear();
  writer.buffer.clear();
  writer.smallLength = 0;
  writer.largeLength = 0;
  writer.fileBytes = 0;
  writer.cancelRequested = false;
}

int openWriter(clsObjWriter& writer, platform::ITemporaryFile& file, std::int64_t limitBytes, std::string_view label,
               std::string_view header) {
  resetWriter(writer);
  writer.file = &file;
  writer.limitBytes = limitBytes;
  writer.label = label;
  writer.buffer.reserve(static_cast<std::size_t>(generation::kLargeBufferChars + 2 * generation::kSmallBufferChars));
  const platform::FileStatus result = file.append(header);
  if (result != platform::FileStatus::Ok)
    return result == platform::FileStatus::OpenFailed ? status::kHeaderOpenFailed : status::kHeaderWriteFailed;
  writer.fileBytes = file.length();
  return status::kGoOn;
}

int writeItem(clsObjWriter& writer, std::string_view text, bool report) {
  writer.buffer.append(text);
  const int code = bufferAppended(writer, text.size());
  if (code != status::kGoOn) return code;
  if (report && writer.services.status != nullptr) writer.services.status->setProgress(progressLine(writer));
  if (writer.services.events != nullptr) writer.services.events->processEvents();
  return writer.cancelRequested ? status::kCancelled : status::kGoOn;
}

int bufferAppended(clsObjWriter& writer, std::size_t length) {
  writer.smallLength += static_cast<std::int64_t>(length);
  if (length > 0) ++writer.smallItems;
  if (writer.smallLength > generation::kSmallBufferChars) {
    writer.largeLength += writer.smallLength;
    writer.smallLength = 0;
    writer.largeItems += writer.smallItems;
    writer.smallItems = 0;
    if (writer.largeLength > generation::kLargeBufferChars) {
      const int code = flushLarge(writer, status::kAppendOpenFailed, status::kAppendWriteFailed);
      if (code != status::kGoOn) return code;
      if (writer.fileBytes > writer.limitBytes) return status::kLimitReached;
    }
  }
  return status::kGoOn;
}

int finishWriter(clsObjWriter& writer) {
  writer.largeLength += writer.smallLength;
  writer.smallLength = 0;
  writer.largeItems += writer.smallItems;
  writer.smallItems = 0;
  if (writer.largeLength > 0) return flushLarge(writer, status::kFinalOpenFailed, status::kFinalWriteFailed);
  return status::kGoOn;
}

void requestCancel(clsObjWriter& writer) { writer.cancelRequested = true; }

std::string progressLine(const clsObjWriter& writer) {
  const float percent = writer.itemCount < 1
                            ? 100.0f
                            : static_cast<float>(writer.itemNumber) / static_cast<float>(writer.itemCount) * 100.0f;
  const double onDisk = static_cast<double>(writer.fileBytes) / generation::kBytesPerMB;
  const double withBuffers =
      static_cast<double>(writer.fileBytes + writer.smallLength + writer.largeLength) / generation::kBytesPerMB;
  return platform::titleWith(" - " + writer.label + " " + std::to_string(writer.itemNumber) + " of " +
                             std::to_string(writer.itemCount) + " - " + modNumber::wholeText(percent) + "% - " +
                             modNumber::oneDecimalText(onDisk) + " MB (" + modNumber::oneDecimalText(withBuffers) +
                             ")");
}

}  // namespace modWriting
