#include "preview/preview_worker.h"

#include <algorithm>

namespace preview {

clsPreviewWorker::clsPreviewWorker(tDone done) : done_(std::move(done)), thread_([this] { run(); }) {}

clsPreviewWorker::~clsPreviewWorker() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
    pending_.reset();
    cancel_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

std::uint64_t clsPreviewWorker::request(document::clsProject project, std::uint64_t seed, std::int64_t cap,
                                        std::int32_t diskLimitMB) {
  std::uint64_t number = 0;
  {
    std::lock_guard lock(mutex_);
    number = ++lastNumber_;
    pending_ = clsRequest{std::move(project), seed, cap, number, diskLimitMB};
    cancel_ = true;  // the scene being built, if any, is out of date
  }
  wake_.notify_all();
  return number;
}

bool clsPreviewWorker::busy() const {
  std::lock_guard lock(mutex_);
  return building_ || pending_.has_value();
}

int clsPreviewWorker::percentDone() const {
  const std::int64_t total = progress_.total.load(std::memory_order_relaxed);
  const std::int64_t made = progress_.made.load(std::memory_order_relaxed);
  return total > 0 ? static_cast<int>(std::clamp<std::int64_t>(made * 100 / total, 0, 100)) : 0;
}

void clsPreviewWorker::run() {
  for (;;) {
    clsRequest request;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stop_ || pending_.has_value(); });
      if (stop_) return;
      request = std::move(*pending_);
      pending_.reset();
      cancel_ = false;
      building_ = true;
      progress_.made = 0;
      progress_.total = 0;
    }
    std::optional<clsPreviewScene> scene;
    try {
      scene = modPreview::buildScene(request.project, request.seed, request.cap, cancel_, request.diskLimitMB, &progress_);
    } catch (const std::bad_alloc&) {
      // A scene too large for the memory is no scene; the program goes on.
    }
    bool deliver = false;
    {
      std::lock_guard lock(mutex_);
      deliver = scene && !pending_.has_value() && !stop_;
    }
    // Still busy until the scene is handed over, so a caller waiting for the worker to be idle
    // finds the scene delivered.
    if (deliver) done_(std::make_shared<const clsPreviewScene>(std::move(*scene)), request.number);
    std::lock_guard lock(mutex_);
    building_ = false;
  }
}

}  // namespace preview
