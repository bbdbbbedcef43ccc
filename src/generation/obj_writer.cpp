#include "generation/obj_writer.h"

#include "model/number_format.h"

namespace modWriting {

using generation::clsObjWriter;
namespace status = generation::status;

namespace {

// Appends the large part of the buffer to the file; the small part stays in memory.
int flushLarge(clsObjWriter& writer, int openFailed, int writeFailed) {
  const auto length = static_cast<std::size_t>(writer.largeLength);
  const platform::FileStatus result =
      writer.services.files->writeFile(writer.path, std::string_view(writer.buffer).substr(0, length), true);
  if (result == platform::FileStatus::OpenFailed) return openFailed;
  const auto onDisk = writer.services.files->fileLength(writer.path);
  writer.fileBytes = onDisk ? *onDisk : writer.fileBytes + writer.largeLength;
  if (result != platform::FileStatus::Ok) return writeFailed;
  writer.buffer.erase(0, length);
  writer.largeLength = 0;
  return status::kGoOn;
}

}  // namespace

void resetWriter(clsObjWriter& writer) {
  writer.path.clear();
  writer.label.clear();
  writer.buffer.clear();
  writer.smallLength = 0;
  writer.largeLength = 0;
  writer.fileBytes = 0;
  writer.cancelRequested = false;
}

int openWriter(clsObjWriter& writer, std::string_view path, std::int64_t limitBytes, std::string_view label,
               std::string_view header) {
  resetWriter(writer);
  writer.path = path;
  writer.limitBytes = limitBytes;
  writer.label = label;
  writer.buffer.reserve(static_cast<std::size_t>(generation::kLargeBufferChars + 2 * generation::kSmallBufferChars));
  const platform::FileStatus result = writer.services.files->writeFile(writer.path, header, false);
  if (result == platform::FileStatus::OpenFailed) return status::kHeaderOpenFailed;
  if (result != platform::FileStatus::Ok) return status::kHeaderWriteFailed;
  writer.fileBytes = writer.services.files->fileLength(writer.path).value_or(static_cast<std::int64_t>(header.size()));
  return status::kGoOn;
}

int writeItem(clsObjWriter& writer, std::string_view text, bool report) {
  writer.buffer.append(text);
  writer.smallLength += static_cast<std::int64_t>(text.size());
  if (writer.smallLength > generation::kSmallBufferChars) {
    writer.largeLength += writer.smallLength;
    writer.smallLength = 0;
    if (writer.largeLength > generation::kLargeBufferChars) {
      const int code = flushLarge(writer, status::kAppendOpenFailed, status::kAppendWriteFailed);
      if (code != status::kGoOn) return code;
      if (writer.fileBytes > writer.limitBytes) return status::kLimitReached;
    }
  }
  if (report && writer.services.status != nullptr) writer.services.status->setTitle(progressLine(writer));
  if (writer.services.events != nullptr) writer.services.events->processEvents();
  return writer.cancelRequested ? status::kCancelled : status::kGoOn;
}

int finishWriter(clsObjWriter& writer) {
  writer.largeLength += writer.smallLength;
  writer.smallLength = 0;
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
