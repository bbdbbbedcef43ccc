#include "platform/native/console_platform.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace platform {
namespace {

volatile std::sig_atomic_t interrupted = 0;
long long firstInterruptMs = 0;  // touched by the handler alone

long long monotonicMs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);  // safe in a signal handler
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The first Ctrl+C (or SIGTERM, SIGHUP) cancels the run at the next item, leaving whole files;
// a second one ends the program at once. Tools such as timeout signal the program and its
// process group alike, so a repeat within a moment of the first is the same request.
extern "C" void onInterrupt(int signal) {
  const long long now = monotonicMs();
  if (interrupted == 0) {
    firstInterruptMs = now;
    interrupted = 1;
    return;
  }
  if (now - firstInterruptMs < 100) return;
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void writeError(const std::string& text) {
  // Unchecked on purpose: lost status text is no reason to stop a run.
  (void)std::fwrite(text.data(), 1, text.size(), stderr);
  (void)std::fflush(stderr);
}

}  // namespace

ConsoleOutput::ConsoleOutput() : terminal_(::isatty(STDERR_FILENO) == 1) {}

void ConsoleOutput::endProgress() {
  if (progressShown_) writeError("\r\x1b[K");
  progressShown_ = false;
}

void ConsoleOutput::line(const std::string& text) {
  endProgress();
  writeError(text + "\n");
}

void ConsoleOutput::progress(const std::string& text) {
  const auto now = std::chrono::steady_clock::now();
  if (terminal_) {
    writeError("\r\x1b[K" + text);
    progressShown_ = true;
    return;
  }
  if (lastProgress_ != std::chrono::steady_clock::time_point{} && now - lastProgress_ < std::chrono::seconds(1)) return;
  lastProgress_ = now;
  writeError(text + "\n");
}

void ConsoleMessages::showMessage(const std::string& text) { output_.line(std::string(kAppName) + ": " + text); }

bool ConsoleMessages::askYesNo(const std::string& question) {
  output_.line(std::string(kAppName) + ": " + question);
  output_.line(answerYes_ ? "Yes (--force)." : "No: pass --force to overwrite.");
  return answerYes_;
}

ConsoleEvents::ConsoleEvents() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, onInterrupt);
}

void ConsoleEvents::processEvents() {
  if (interrupted != 0 && onCancel) onCancel();
}

std::optional<std::string> MemoryUserStore::value(const std::string& key) {
  const auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

void ignoreBrokenPipes() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace platform
