#pragma once
// The generator's items handed to a second thread: the calling thread generates (every random
// draw, all geometry) and keeps the user interface going, while a stage turns the items into a
// file on the other thread. The two meet through a short queue of item batches, so memory stays
// flat, and the stage sees exactly the calls it would see as the generator's own sink, so the
// file is the same whichever way it was made.

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
#include "model/text_buffer.h"

namespace generation {

// The writing half of a sink, run on the pipeline's thread.
class IItemStage {
 public:
  virtual ~IItemStage() = default;
  virtual void beginElement(int element, std::int32_t itemCount) = 0;
  // The list's items [first, end) are what the generator made for one of its items; report and
  // itemNumber as in IItemSink::itemDone; ahead is what workAhead made of them, or null. GoOn,
  // or why the run ends.
  virtual RunStatus itemDone(const geometry::clsItemList& list, std::uint32_t first, std::uint32_t end, bool report,
                             std::int32_t itemNumber, const std::string_view* ahead) = 0;
  virtual void endElement() = 0;
  // Every element was made: the stage's final status.
  virtual RunStatus finish() = 0;
  // The progress line for the calling thread's title, made after an item that asked for one.
  virtual std::string progressLine() = 0;
  // Whether the calling thread can do some of the stage's work (workAhead).
  virtual bool worksAhead() const { return false; }
  // On the calling thread, while every batch waits for the stage: the stage's work on items of
  // element done there instead, appended to text, so that both threads keep busy. What itemDone
  // makes of it must not differ from its own work.
  virtual void workAhead(int /*element*/, const geometry::clsItemList& /*list*/, std::uint32_t /*first*/,
                         std::uint32_t /*end*/, model::clsTextBuffer& /*text*/) {}
};

class clsItemPipeline final : public IItemSink {
 public:
  // The writer gives the services and the Cancel flag, which the calling thread's events may
  // set; the stage runs on the second thread from here until close() returns.
  clsItemPipeline(clsObjWriter& writer, IItemStage& stage);
  ~clsItemPipeline() override;
  clsItemPipeline(const clsItemPipeline&) = delete;
  clsItemPipeline& operator=(const clsItemPipeline&) = delete;

  geometry::clsItemList& items() override { return current_->list; }
  void beginElement(int element, std::int32_t itemCount) override;
  RunStatus itemDone(bool report, std::int32_t itemNumber) override;
  void endElement() override;
  RunStatus finish() override;
  // Ends the run that stopped with code: the items handed over so far reach the stage, then the
  // second thread ends. The run's final status.
  RunStatus close(RunStatus code);

 private:
  enum class Kind : std::uint8_t { Item, BeginElement, EndElement };
  struct clsStep {
    Kind kind = Kind::Item;
    bool report = false;
    std::int32_t number = 0;  // item number, or an element's item count
    std::int16_t element = 0;
    std::uint32_t itemsEnd = 0;  // the list's items up to here belong to this step
    std::uint32_t textEnd = 0;   // and the batch's text up to here, where the work was done ahead
    bool ahead = false;
  };
  enum class End : std::uint8_t { None, Finish, Cancel };
  struct clsBatch {
    geometry::clsItemList list;
    model::clsTextBuffer text;  // what workAhead made while the stage was behind
    std::vector<clsStep> steps;
    End end = End::None;
  };

  void addStep(Kind kind, bool report, std::int32_t number, int element, bool ahead = false);
  bool send(End end);
  void stageLoop();
  bool runBatch(clsBatch& batch);
  void stop(RunStatus code);
  void deliverProgress();
  bool cancelRequested() const { return services_.cancelRequested != nullptr && *services_.cancelRequested; }

  // A copy: the writer's own lies beside the counts the stage changes after every item, and
  // reading it on this thread would share that memory with the stage's thread.
  const clsWriterServices services_;
  IItemStage& stage_;
  std::unique_ptr<clsBatch> current_;

  std::mutex mutex_;
  std::condition_variable ready_;  // a batch waits
  std::condition_variable room_;   // a batch is free again, or the stage stopped
  std::deque<std::unique_ptr<clsBatch>> queue_;
  std::vector<std::unique_ptr<clsBatch>> free_;
  std::string progress_;
  std::atomic<bool> progressWaiting_{false};
  std::atomic<bool> stopped_{false};
  std::atomic<std::size_t> freeBatches_{0};
  int element_ = 0;  // the calling thread's
  RunStatus finalCode_ = RunStatus::GoOn;
  std::thread thread_;
};

}  // namespace generation
