// writeItem with 1 KB items beside a plain fwrite loop of the same bytes into the same folder.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "generation/obj_writer.h"
#include "platform/native/std_file_system.h"

namespace {

constexpr int kItems = 50'000;  // 50 MB a run

std::string scratchFile(const char* name) {
  const auto folder = std::filesystem::temp_directory_path() / "quenmoor-bench";
  std::filesystem::create_directories(folder);
  return (folder / name).string();
}

const std::string& itemText() {
  static const std::string item = [] {
    std::string text;
    while (text.size() < 1000) text += "v .1234567 -4.153846E-02 12.5\r\n";
    text.resize(1022);
    return text + "\r\n";
  }();
  return item;
}

struct clsQuietEvents final : platform::IEventPump {
  void processEvents() override {}
};

void BM_WriteItem(benchmark::State& state) {
  platform::StdFileSystem files;
  clsQuietEvents events;
  const std::string path = scratchFile("writer.obj");
  for (auto _ : state) {
    generation::clsObjWriter writer({nullptr, &events});
    const auto file = files.createTemporary(path);
    if (file == nullptr || writer.open(*file, 1'000'000'000'000LL, "") != generation::RunStatus::GoOn) {
      state.SkipWithError("the object file cannot be created");
      break;
    }
    for (int i = 0; i < kItems; ++i) writer.writeItem(itemText(), false);
    if (writer.finish() != generation::RunStatus::GoOn ||
        writer.fileBytes() != static_cast<std::int64_t>(kItems * itemText().size()))
      state.SkipWithError("the object file is not complete");
    (void)file->ready(false);
    (void)file->commit();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kItems * static_cast<std::int64_t>(itemText().size()));
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteItem)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FwriteLoop(benchmark::State& state) {
  const std::string path = scratchFile("fwrite.obj");
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    for (int i = 0; i < kItems; ++i) std::fwrite(itemText().data(), 1, itemText().size(), file);
    if (std::fclose(file) != 0) state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kItems * static_cast<std::int64_t>(itemText().size()));
  std::filesystem::remove(path);
}
BENCHMARK(BM_FwriteLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
