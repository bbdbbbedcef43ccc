#include "generation/item_pipeline.h"

#include <chrono>

#include "geometry/item_normals.h"

namespace generation {

namespace {

// A batch is handed over at this many steps or points; four of them may wait, which keeps
// the queue within a few megabytes.
constexpr std::size_t kBatchSteps = 512;
constexpr std::size_t kBatchPoints = 48 * 1024;
constexpr std::size_t kBatches = 4;
// While it waits for room, the calling thread still lets the user interface have its turn.
constexpr auto kPumpEvery = std::chrono::milliseconds(20);

}  // namespace

clsItemPipeline::clsItemPipeline(clsObjWriter& writer, IItemStage& stage)
    : services_(writer.services()), stage_(stage), current_(std::make_unique<clsBatch>()) {
  for (std::size_t i = 0; i < kBatches; ++i) free_.push_back(std::make_unique<clsBatch>());
  freeBatches_ = kBatches;
  thread_ = std::thread([this] { stageLoop(); });
}

clsItemPipeline::~clsItemPipeline() { close(RunStatus::Cancelled); }

void clsItemPipeline::addStep(Kind kind, bool report, std::int32_t number, int element, bool ahead) {
  current_->steps.push_back({kind, report, number, static_cast<std::int16_t>(element),
                             static_cast<std::uint32_t>(current_->list.items.size()),
                             static_cast<std::uint32_t>(current_->text.size()), ahead});
}

void clsItemPipeline::beginElement(int element, std::int32_t itemCount) {
  element_ = element;
  addStep(Kind::BeginElement, false, itemCount, element);
}

void clsItemPipeline::endElement() { addStep(Kind::EndElement, false, 0, 0); }

RunStatus clsItemPipeline::itemDone(bool report, std::int32_t itemNumber) {
  clsBatch& batch = *current_;
  // While every batch waits for the stage, this thread does the stage's work itself rather than
  // wait later: both cores keep busy, and the result is the same whoever does it.
  bool ahead = false;
  if (freeBatches_.load(std::memory_order_relaxed) == 0 && stage_.worksAhead()) {
    const std::uint32_t itemsBegin = batch.steps.empty() ? 0 : batch.steps.back().itemsEnd;
    const auto itemsEnd = static_cast<std::uint32_t>(batch.list.items.size());
    modItemNormals::computeNormals(batch.list, itemsBegin, itemsEnd);
    stage_.workAhead(element_, batch.list, itemsBegin, itemsEnd, batch.text);
    ahead = true;
  }
  addStep(Kind::Item, report, itemNumber, 0, ahead);
  if ((current_->steps.size() >= kBatchSteps || current_->list.points.size() >= kBatchPoints) && !send(End::None))
    return cancelRequested() ? RunStatus::Cancelled : finalCode_;
  if (services_.events != nullptr) services_.events->processEvents();
  deliverProgress();
  if (cancelRequested()) return RunStatus::Cancelled;
  if (stopped_.load(std::memory_order_acquire)) {
    std::lock_guard lock(mutex_);
    return finalCode_;
  }
  return RunStatus::GoOn;
}

RunStatus clsItemPipeline::finish() {
  send(End::Finish);
  return close(RunStatus::GoOn);
}

RunStatus clsItemPipeline::close(RunStatus code) {
  if (thread_.joinable()) {
    // Ends after the items already handed over; a stopped stage has ended already.
    if (!stopped_.load(std::memory_order_acquire)) send(code == RunStatus::GoOn ? End::Finish : End::Cancel);
    thread_.join();
    deliverProgress();
  }
  return finalCode_;
}

// Hands the current batch to the stage and takes a free one; false when the stage has stopped,
// or Cancel was pressed while waiting for room.
bool clsItemPipeline::send(End end) {
  current_->end = end;
  std::unique_lock lock(mutex_);
  while (free_.empty() && !stopped_.load(std::memory_order_relaxed)) {
    if (room_.wait_for(lock, kPumpEvery) == std::cv_status::timeout && end == End::None) {
      lock.unlock();
      if (services_.events != nullptr) services_.events->processEvents();
      deliverProgress();
      if (cancelRequested()) return false;
      lock.lock();
    }
  }
  if (stopped_.load(std::memory_order_relaxed)) return false;
  queue_.push_back(std::move(current_));
  current_ = std::move(free_.back());
  free_.pop_back();
  freeBatches_.store(free_.size(), std::memory_order_relaxed);
  lock.unlock();
  ready_.notify_one();
  return true;
}

void clsItemPipeline::deliverProgress() {
  // A plain load first: the exchange, a locked instruction, is paid only when a line waits.
  if (!progressWaiting_.load(std::memory_order_relaxed) ||
      !progressWaiting_.exchange(false, std::memory_order_acq_rel) || services_.status == nullptr)
    return;
  std::string line;
  {
    std::lock_guard lock(mutex_);
    line.swap(progress_);
  }
  services_.status->setProgress(line);
}

void clsItemPipeline::stop(RunStatus code) {
  {
    std::lock_guard lock(mutex_);
    finalCode_ = code;
    stopped_.store(true, std::memory_order_release);
  }
  room_.notify_all();
}

void clsItemPipeline::stageLoop() {
  try {
    for (;;) {
      std::unique_ptr<clsBatch> batch;
      {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return !queue_.empty(); });
        batch = std::move(queue_.front());
        queue_.pop_front();
      }
      const End end = batch->end;
      const bool goOn = runBatch(*batch);
      modItemList::clearItems(batch->list);
      batch->text.clear();
      batch->steps.clear();
      batch->end = End::None;
      {
        std::lock_guard lock(mutex_);
        free_.push_back(std::move(batch));
        freeBatches_.store(free_.size(), std::memory_order_relaxed);
      }
      room_.notify_one();
      if (!goOn) return;
      if (end == End::Finish) {
        stop(stage_.finish());
        return;
      }
      if (end == End::Cancel) {
        stop(RunStatus::Cancelled);
        return;
      }
    }
  } catch (...) {
    // Out of memory in the stage: the run fails as a failed write would.
    stop(RunStatus::AppendWriteFailed);
  }
}

// Gives the batch's steps to the stage in order, with the normals the generator left to this
// thread filled in; false once the stage gave a status other than GoOn, which ends the run
// exactly where the stage as the generator's own sink would have ended it.
bool clsItemPipeline::runBatch(clsBatch& batch) {
  std::uint32_t item = 0, text = 0;
  for (const clsStep& step : batch.steps) {
    switch (step.kind) {
      case Kind::BeginElement: stage_.beginElement(step.element, step.number); break;
      case Kind::EndElement: stage_.endElement(); break;
      case Kind::Item: {
        const std::string_view ahead = batch.text.view().substr(text, step.textEnd - text);
        modItemNormals::computeNormals(batch.list, item, step.itemsEnd);
        const RunStatus code =
            stage_.itemDone(batch.list, item, step.itemsEnd, step.report, step.number, step.ahead ? &ahead : nullptr);
        item = step.itemsEnd;
        text = step.textEnd;
        if (code != RunStatus::GoOn) {
          stop(code);
          return false;
        }
        if (step.report) {
          std::string line = stage_.progressLine();
          {
            std::lock_guard lock(mutex_);
            progress_.swap(line);
          }
          progressWaiting_.store(true, std::memory_order_release);
        }
        break;
      }
    }
  }
  return true;
}

}  // namespace generation
