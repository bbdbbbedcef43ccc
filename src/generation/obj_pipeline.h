#pragma once
// The object file as the generator's sink, in two stages: the calling thread generates (every
// random draw, all geometry) and keeps the user interface going; a second thread formats the
// items and writes them through the buffered writer. The two meet through a short queue of
// item batches, so memory stays flat. The file is byte for byte what the one-thread sink writes,
// including where the disk-space limit or Cancel end it.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "generation/item_sink.h"
#include "generation/obj_writer.h"
#include "materials/mtl_file.h"

namespace generation {

class clsObjPipeline final : public IItemSink {
 public:
  // The writer must be open; from here until close() returns, only the second thread touches
  // it, except for its services and the Cancel flag they point to, which the calling thread uses.
  clsObjPipeline(clsObjWriter& writer, materials::clsMaterialPrefixes prefixes);
  ~clsObjPipeline() override;
  clsObjPipeline(const clsObjPipeline&) = delete;
  clsObjPipeline& operator=(const clsObjPipeline&) = delete;

  geometry::clsItemList& items() override { return current_->list; }
  void beginElement(int element, std::int32_t itemCount) override;
  int itemDone(bool report, std::int32_t itemNumber) override;
  void endElement() override;
  int finish() override;
  // Ends the run that stopped with code (Cancel, or a stop the writing stage reported): the
  // items handed over so far are written, then the second thread ends. The run's final code.
  int close(int code);

 private:
  enum class Kind : std::uint8_t { Item, BeginElement, EndElement };
  struct clsStep {
    Kind kind = Kind::Item;
    bool report = false;
    std::int32_t number = 0;  // item number, or an element's item count
    std::int16_t element = 0;
    std::uint32_t itemsEnd = 0;  // the list's items up to here belong to this step
    std::uint32_t textEnd = 0;   // and the batch's text up to here, where the items were formatted early
    bool formatted = false;
  };
  enum class End : std::uint8_t { None, Finish, Cancel };
  struct clsBatch {
    geometry::clsItemList list;
    model::clsTextBuffer text;  // items the calling thread formatted itself while the writing stage was behind
    std::vector<clsStep> steps;
    End end = End::None;
  };

  bool send(End end);
  void writeLoop();
  bool writeBatch(clsBatch& batch);
  void stop(int code);
  void deliverProgress();

  clsObjWriter& writer_;
  materials::clsMaterialPrefixes prefixes_;
  const std::string* prefix_ = &prefixes_.grass;  // the writing stage's
  std::unique_ptr<clsBatch> current_;

  std::mutex mutex_;
  std::condition_variable ready_;  // a batch waits, or the run ended
  std::condition_variable room_;   // a batch is free again, or the writing stage stopped
  std::deque<std::unique_ptr<clsBatch>> queue_;
  std::vector<std::unique_ptr<clsBatch>> free_;
  std::string progress_;
  std::atomic<bool> progressWaiting_{false};
  std::atomic<bool> stopped_{false};
  std::atomic<std::size_t> freeBatches_{0};
  const std::string* generatorPrefix_ = &prefixes_.grass;
  int finalCode_ = status::kGoOn;
  std::thread thread_;
};

}  // namespace generation
