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
      writer.services.files->writeFile(writer.path, writer.buffer.view().substr(0, length), true);
  if (result == platform::FileStatus::OpenFailed) return openFailed;
  const auto onDisk = writer.services.files->fileLength(writer.path);
  writer.fileBytes = onDisk ? *onDisk : writer.fileBytes + writer.largeLength;
  if (result != platform::FileStatus::Ok) return writeFailed;
  writer.buffer.eraseFront(length);
  writer.largeLength = 0;
  writer.itemsInFile += writer.largeItems;
  writer.largeItems = 0;
  return status::kGoOn;
}

}  // namespace

void resetWriter(clsObjWriter& writer) {
  writer.path.clear();
  writer.finalPath.clear();
  writer.smallItems = writer.largeItems = writer.itemsInFile = 0;
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
  writer.finalPath = path;
  writer.limitBytes = limitBytes;
  writer.label = label;
  writer.buffer.reserve(static_cast<std::size_t>(generation::kLargeBufferChars + 2 * generation::kSmallBufferChars));
  platform::IFileSystem& files = *writer.services.files;
  if (files.createTemporary(writer.finalPath, writer.path) != platform::FileStatus::Ok) {
    writer.path.clear();
    return status::kHeaderOpenFailed;
  }
  const platform::FileStatus result = files.writeFile(writer.path, header, true);
  if (result != platform::FileStatus::Ok) {
    files.removeFile(writer.path);
    return result == platform::FileStatus::OpenFailed ? status::kHeaderOpenFailed : status::kHeaderWriteFailed;
  }
  writer.fileBytes = writer.services.files->fileLength(writer.path).value_or(static_cast<std::int64_t>(header.size()));
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

int closeWriter(clsObjWriter& writer, int code) {
  if (writer.path.empty()) return code;
  platform::IFileSystem& files = *writer.services.files;
  if (code >= 0) {
    // The object file can be made again from its settings, so it is not forced onto the disk.
    if (files.commitTemporary(writer.path, writer.finalPath, false) == platform::FileStatus::Ok) {
      writer.path.clear();
      return code;
    }
    code = status::kFinalWriteFailed;
  }
  files.removeFile(writer.path);
  writer.path.clear();
  return code;
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
