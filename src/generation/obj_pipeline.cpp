#include "generation/obj_pipeline.h"

#include <chrono>

#include "model/store.h"

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

clsObjPipeline::clsObjPipeline(clsObjWriter& writer, materials::clsMaterialPrefixes prefixes)
    : writer_(writer), prefixes_(std::move(prefixes)), current_(std::make_unique<clsBatch>()) {
  for (std::size_t i = 0; i < kBatches; ++i) free_.push_back(std::make_unique<clsBatch>());
  freeBatches_ = kBatches;
  thread_ = std::thread([this] { writeLoop(); });
}

clsObjPipeline::~clsObjPipeline() { close(status::kCancelled); }

void clsObjPipeline::beginElement(int element, std::int32_t itemCount) {
  generatorPrefix_ = model::isRock(element) ? &prefixes_.rock : &prefixes_.grass;
  current_->steps.push_back({Kind::BeginElement, false, itemCount, static_cast<std::int16_t>(element),
                             static_cast<std::uint32_t>(current_->list.items.size()),
                             static_cast<std::uint32_t>(current_->text.size()), false});
}

void clsObjPipeline::endElement() {
  current_->steps.push_back({Kind::EndElement, false, 0, 0, static_cast<std::uint32_t>(current_->list.items.size()),
                             static_cast<std::uint32_t>(current_->text.size()), false});
}

int clsObjPipeline::itemDone(bool report, std::int32_t itemNumber) {
  clsBatch& batch = *current_;
  const auto itemsEnd = static_cast<std::uint32_t>(batch.list.items.size());
  // While every batch waits for the writing stage, this thread formats the item itself rather
  // than wait later: both cores keep busy, and the text is the same whoever formats it.
  const bool formatEarly = freeBatches_.load(std::memory_order_relaxed) == 0;
  if (formatEarly) {
    const std::uint32_t itemsBegin = batch.steps.empty() ? 0 : batch.steps.back().itemsEnd;
    for (std::uint32_t item = itemsBegin; item < itemsEnd; ++item)
      modItemList::appendItemText(batch.text, batch.list, item, *generatorPrefix_);
  }
  batch.steps.push_back({Kind::Item, report, itemNumber, 0, itemsEnd, static_cast<std::uint32_t>(batch.text.size()),
                         formatEarly});
  if ((batch.steps.size() >= kBatchSteps || batch.list.points.size() >= kBatchPoints) && !send(End::None))
    return writer_.cancelRequested() ? status::kCancelled : finalCode_;
  if (writer_.services().events != nullptr) writer_.services().events->processEvents();
  deliverProgress();
  if (writer_.cancelRequested()) return status::kCancelled;
  if (stopped_.load(std::memory_order_acquire)) {
    std::lock_guard lock(mutex_);
    return finalCode_;
  }
  return status::kGoOn;
}

int clsObjPipeline::finish() {
  send(End::Finish);
  return close(status::kGoOn);
}

int clsObjPipeline::close(int code) {
  if (thread_.joinable()) {
    // Ends after the items already handed over; a stopped writing stage has ended already.
    if (!stopped_.load(std::memory_order_acquire)) send(code == status::kGoOn ? End::Finish : End::Cancel);
    thread_.join();
    deliverProgress();
  }
  return finalCode_;
}

// Hands the current batch to the writing stage and takes a free one; false when the writing
// stage has stopped, or Cancel was pressed while waiting for room.
bool clsObjPipeline::send(End end) {
  current_->end = end;
  std::unique_lock lock(mutex_);
  while (free_.empty() && !stopped_.load(std::memory_order_relaxed)) {
    if (room_.wait_for(lock, kPumpEvery) == std::cv_status::timeout && end == End::None) {
      lock.unlock();
      if (writer_.services().events != nullptr) writer_.services().events->processEvents();
      deliverProgress();
      if (writer_.cancelRequested()) return false;
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

void clsObjPipeline::deliverProgress() {
  // A plain load first: the exchange, a locked instruction, is paid only when a line waits.
  if (!progressWaiting_.load(std::memory_order_relaxed) ||
      !progressWaiting_.exchange(false, std::memory_order_acq_rel) || writer_.services().status == nullptr)
    return;
  std::string line;
  {
    std::lock_guard lock(mutex_);
    line.swap(progress_);
  }
  writer_.services().status->setProgress(line);
}

void clsObjPipeline::stop(int code) {
  {
    std::lock_guard lock(mutex_);
    finalCode_ = code;
    stopped_.store(true, std::memory_order_release);
  }
  room_.notify_all();
}

void clsObjPipeline::writeLoop() {
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
      const bool goOn = writeBatch(*batch);
      modItemList::clearItems(batch->list);
      batch->steps.clear();
      batch->text.clear();
      batch->end = End::None;
      {
        std::lock_guard lock(mutex_);
        free_.push_back(std::move(batch));
        freeBatches_.store(free_.size(), std::memory_order_relaxed);
      }
      room_.notify_one();
      if (!goOn) return;
      if (end == End::Finish) {
        stop(writer_.finish());
        return;
      }
      if (end == End::Cancel) {
        stop(status::kCancelled);
        return;
      }
    }
  } catch (...) {
    // Out of memory while formatting: the run fails as a failed write would.
    stop(status::kAppendWriteFailed);
  }
}

// Formats and buffers the batch's items in order; false once the writer gave a status other
// than 1, which ends the run exactly where the one-thread writer would have ended it.
bool clsObjPipeline::writeBatch(clsBatch& batch) {
  std::uint32_t item = 0, text = 0;
  for (const clsStep& step : batch.steps) {
    switch (step.kind) {
      case Kind::BeginElement:
        writer_.beginElement(step.element, step.number);
        prefix_ = model::isRock(step.element) ? &prefixes_.rock : &prefixes_.grass;
        break;
      case Kind::EndElement: writer_.endElement(); break;
      case Kind::Item: {
        if (step.report) writer_.setItemNumber(step.number);
        model::clsTextBuffer& buffer = writer_.buffer();
        const std::size_t before = buffer.size();
        if (step.formatted)
          buffer.append(batch.text.view().substr(text, step.textEnd - text));
        else
          for (std::uint32_t i = item; i < step.itemsEnd; ++i)
            modItemList::appendItemText(buffer, batch.list, i, *prefix_);
        item = step.itemsEnd;
        text = step.textEnd;
        const int code = writer_.bufferAppended(buffer.size() - before);
        if (code != status::kGoOn) {
          stop(code);
          return false;
        }
        if (step.report) {
          std::string line = writer_.progressLine();
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
