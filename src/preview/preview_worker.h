#pragma once
// Builds preview scenes on a thread of its own: the newest request wins, a request that comes
// while a scene is being built cancels it, and finished scenes are handed to a callback (on the
// worker's thread; the caller takes them over to its own).

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "preview/preview_scene.h"

namespace preview {

class clsPreviewWorker {
 public:
  using tDone = std::function<void(std::shared_ptr<const clsPreviewScene> scene, std::uint64_t request)>;

  explicit clsPreviewWorker(tDone done);
  ~clsPreviewWorker();
  clsPreviewWorker(const clsPreviewWorker&) = delete;
  clsPreviewWorker& operator=(const clsPreviewWorker&) = delete;

  // The project is copied by the caller; returns the request's number.
  std::uint64_t request(document::clsProject project, std::uint64_t seed, std::int64_t cap,
                        std::int32_t diskLimitMB = generation::kMinDiskLimitMB);
  // True while a request waits or is being built.
  bool busy() const;
  // The settings changed and a request follows: the scene being built is out of date, so its
  // build stops at once.
  void cancelBuild() { cancel_ = true; }
  // How far the build going on has come, 0 to 100.
  int percentDone() const;

 private:
  struct clsRequest {
    document::clsProject project;
    std::uint64_t seed = 0;
    std::int64_t cap = 0;
    std::uint64_t number = 0;
    std::int32_t diskLimitMB = generation::kMinDiskLimitMB;
  };
  void run();

  tDone done_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<clsRequest> pending_;
  bool building_ = false;
  bool stop_ = false;
  std::atomic<bool> cancel_{false};
  clsBuildProgress progress_;
  std::uint64_t lastNumber_ = 0;
  std::thread thread_;
};

}  // namespace preview
