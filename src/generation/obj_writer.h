#pragma once
// The buffered writer every generated item goes through: items collect in memory and reach the
// object file half a megabyte at a time, the disk-space limit is tested after each write, and
// the user interface gets its turn after every item so that Cancel works. One writer serves one
// run: a new run starts with a new writer, so no count of an earlier run can show in its title.

#include <cstdint>
#include <string>
#include <string_view>

#include "generation/item_sink.h"
#include "model/text_buffer.h"
#include "platform/platform.h"

namespace generation {

inline constexpr std::int64_t kSmallBufferChars = 10000;
inline constexpr std::int64_t kLargeBufferChars = 500000;
inline constexpr std::int64_t kBytesPerMB = 1000000;

// The progress label of an element: "grass 3 - Blade", "rock 2 - Rock".
std::string elementLabel(int element);

struct clsWriterServices {
  platform::IStatusLine* status = nullptr;
  platform::IEventPump* events = nullptr;
  // Set by Cancel (from the events, on the calling thread); the next item reports it.
  const bool* cancelRequested = nullptr;
};

class clsObjWriter {
 public:
  explicit clsObjWriter(clsWriterServices services = {}) : services_(services) {}
  clsObjWriter(const clsObjWriter&) = delete;
  clsObjWriter& operator=(const clsObjWriter&) = delete;

  // Starts the run in file, an empty temporary file that outlives the writer, with the header.
  RunStatus open(platform::ITemporaryFile& file, std::int64_t limitBytes, std::string_view header);
  // Buffers one item's text, then gives the user interface its turn (with a progress line when
  // report is set); GoOn, LimitReached, Cancelled or a file failure.
  RunStatus writeItem(std::string_view text, bool report);
  // The buffering half of writeItem, for text of length characters already appended to
  // buffer(): moves it through the two buffers and writes a full one; GoOn, LimitReached or a
  // file failure. No title, no events, no Cancel.
  RunStatus bufferAppended(std::size_t length);
  model::clsTextBuffer& buffer() { return buffer_; }
  // Writes what the buffers still hold.
  RunStatus finish();

  // The element being written, and how far it got.
  void beginElement(int element, std::int32_t itemCount);
  void setItemNumber(std::int32_t itemNumber) { itemNumber_ = itemNumber; }
  void endElement() { itemNumber_ = itemCount_; }

  // The user interface's turn after an item, for sinks that keep their own buffers: the
  // progress line when report is set, then the events; Cancelled after Cancel, else GoOn.
  RunStatus yield(bool report);
  bool cancelRequested() const { return services_.cancelRequested != nullptr && *services_.cancelRequested; }
  const clsWriterServices& services() const { return services_; }

  // For sinks that write the file their own way: bytes on disk, bytes waiting, items whole in it.
  platform::ITemporaryFile* file() const { return file_; }
  void setBytes(std::int64_t fileBytes, std::int64_t waitingBytes);
  void addFileBytes(std::int64_t bytes) { fileBytes_ += bytes; }
  void addItemsInFile(std::int64_t items) { itemsInFile_ += items; }

  std::int64_t limitBytes() const { return limitBytes_; }
  std::int64_t fileBytes() const { return fileBytes_; }
  std::int64_t itemsInFile() const { return itemsInFile_; }
  std::int32_t itemNumber() const { return itemNumber_; }
  std::int32_t itemCount() const { return itemCount_; }
  std::string progressLine() const;

 private:
  RunStatus flushLarge(RunStatus openFailed, RunStatus writeFailed);

  clsWriterServices services_;
  platform::ITemporaryFile* file_ = nullptr;
  std::int64_t limitBytes_ = 0;
  std::int64_t fileBytes_ = 0;  // length of the file after the last write
  // One buffer holds the large part followed by the small part; moving the small buffer into
  // the large one is then only a change of the two lengths.
  model::clsTextBuffer buffer_;
  std::int64_t smallLength_ = 0;
  std::int64_t largeLength_ = 0;
  std::string label_ = "Blade";
  std::int32_t itemCount_ = 0;
  std::int32_t itemNumber_ = 0;
  // Items whose text waits in the small and the large part, and items already in the file.
  std::int64_t smallItems_ = 0;
  std::int64_t largeItems_ = 0;
  std::int64_t itemsInFile_ = 0;
};

}  // namespace generation
