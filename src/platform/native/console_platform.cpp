#include "platform/native/console_platform.h"

#include <csignal>
#include <iostream>

namespace platform {
namespace {

volatile std::sig_atomic_t interrupted = 0;

// The first Ctrl+C cancels the run at the next item, leaving whole files; a second one ends the
// program at once.
extern "C" void onInterrupt(int signal) {
  if (interrupted != 0) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return;
  }
  interrupted = 1;
}

}  // namespace

void ConsoleMessages::showMessage(const std::string& text) {
  std::cerr << kAppName << ": " << text << '\n';
}

bool ConsoleMessages::askYesNo(const std::string& question) {
  std::cerr << kAppName << ": " << question << '\n'
            << (answerYes_ ? "Yes (--force)." : "No: pass --force to overwrite.") << '\n';
  return answerYes_;
}

void ConsoleStatus::setTitle(const std::string& title) { std::cerr << title << '\n'; }

ConsoleEvents::ConsoleEvents() { std::signal(SIGINT, onInterrupt); }

void ConsoleEvents::processEvents() {
  if (interrupted != 0 && onCancel) onCancel();
}

std::optional<std::string> MemoryUserStore::value(const std::string& key) {
  const auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

}  // namespace platform
