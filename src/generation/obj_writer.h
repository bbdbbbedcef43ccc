#pragma once
// The buffered writer every generated item goes through: items collect in memory and reach the
// object file half a megabyte at a time, the disk-space limit is tested after each write, and
// the user interface gets its turn after every item so that Cancel works.

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

struct clsWriterServices {
  platform::IStatusLine* status = nullptr;
  platform::IEventPump* events = nullptr;
};

struct clsObjWriter {
  clsWriterServices services;
  // The object file's temporary file, open for the whole run; the run puts it in place.
  platform::ITemporaryFile* file = nullptr;
  std::int64_t limitBytes = 0;
  std::int64_t fileBytes = 0;  // length of the file after the last write
  // One buffer holds the large part followed by the small part; moving the small buffer into
  // the large one is then only a change of the two lengths.
  model::clsTextBuffer buffer;
  std::int64_t smallLength = 0;
  std::int64_t largeLength = 0;
  std::string label;
  std::int32_t itemCount = 0;
  std::int32_t itemNumber = 0;
  bool cancelRequested = false;
  // Items whose text waits in the small and the large part, and items already in the file.
  std::int64_t smallItems = 0;
  std::int64_t largeItems = 0;
  std::int64_t itemsInFile = 0;
};

}  // namespace generation

namespace modWriting {

void resetWriter(generation::clsObjWriter& writer);
// Starts the run in file, an empty temporary file, with the header.
int openWriter(generation::clsObjWriter& writer, platform::ITemporaryFile& file, std::int64_t limitBytes,
               std::string_view label, std::string_view header);
int writeItem(generation::clsObjWriter& writer, std::string_view text, bool report);
// The buffering half of writeItem, for text of length characters already appended to the
// buffer: moves it through the two buffers and writes a full one; 1, 2 at the limit, or a
// file failure. No title, no events, no Cancel.
int bufferAppended(generation::clsObjWriter& writer, std::size_t length);
int finishWriter(generation::clsObjWriter& writer);
// What the Cancel button does; the next writeItem reports it.
void requestCancel(generation::clsObjWriter& writer);

std::string progressLine(const generation::clsObjWriter& writer);

}  // namespace modWriting
