// A field of 1,000,000 default blades through the whole creation run, beside the floor that
// the run cannot beat: formatting as many numbers and writing them to the same folder.
// Run it alone for a true peak memory figure:
//   build/bin/quenmoor-bench --benchmark_filter=MillionBlades

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>

#include "document/creation_run.h"
#include "document/settings_files.h"
#include "document/startup.h"
#include "model/number_format.h"
#include "platform/native/std_file_system.h"
#include "platform/qt/qt_picture_loader.h"

namespace {

constexpr int kBlades = 1'000'000;
constexpr int kNumbersPerBlade = 60;  // 10 vertices and 10 normals of three numbers

struct clsQuiet final : platform::IMessageBox, platform::IStatusLine, platform::IEventPump, platform::IClipboard,
                        platform::IUserStore, platform::IClock {
  void showMessage(const std::string&) override {}
  bool askYesNo(const std::string&) override { return true; }
  void setTitle(const std::string&) override {}
  void processEvents() override {}
  void clear() override {}
  void setText(const std::string&) override {}
  std::string text() override { return {}; }
  std::optional<std::string> value(const std::string&) override { return std::nullopt; }
  void setValue(const std::string&, const std::string&) override {}
  std::int64_t nowSeconds() override { return 0; }
  std::uint64_t seedValue() override { return 1; }
};

std::filesystem::path scratchFolder() {
  const auto folder = std::filesystem::temp_directory_path() / "quenmoor-field-bench";
  std::filesystem::create_directories(folder);
  return folder;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The floor: the same count of numbers, formatted and written in half-megabyte pieces.
double formatAndWriteNumbers(const std::string& path, std::uint64_t& bytes) {
  std::mt19937 engine(1);
  std::uniform_real_distribution<float> position(0, 10), normal(-1, 1);
  const auto start = std::chrono::steady_clock::now();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::string buffer;
  buffer.reserve(600'000);
  char number[modNumber::kMaxNumberChars];
  bytes = 0;
  for (int blade = 0; blade < kBlades; ++blade) {
    for (int i = 0; i < kNumbersPerBlade; ++i) {
      const float v = (i / 3) % 2 == 0 ? position(engine) : normal(engine);
      buffer.append(number, static_cast<std::size_t>(modNumber::formatObjSingle(v, number) - number));
      buffer += i % 3 == 2 ? '\n' : ' ';
    }
    if (buffer.size() > 500'000) {
      std::fwrite(buffer.data(), 1, buffer.size(), file);
      bytes += buffer.size();
      buffer.clear();
    }
  }
  std::fwrite(buffer.data(), 1, buffer.size(), file);
  bytes += buffer.size();
  std::fclose(file);
  return secondsSince(start);
}

// Runs the whole creation of one element's items into the scratch folder; returns the seconds.
double runField(const std::string& settings, const std::filesystem::path& folder, std::uint64_t& objectBytes) {
  clsQuiet quiet;
  platform::StdFileSystem files;
  platform::QtPictureLoader pictures;
  platform::clsPlatform platform{quiet, quiet, quiet, quiet, quiet, quiet, files, pictures};
  document::clsDocument document(platform);
  modStartup::startDocument(document, platform);
  modSettingsFiles::applyUserText(document, settings, platform);
  modCreateDialog::setDiskSpace(document.session, generation::kMaxDiskLimitMB);
  modCreateDialog::setFileName(document.project.dialog, (folder / "field").string());
  model::clsRandom random(1);
  generation::clsCreation creation{platform, random};
  const auto start = std::chrono::steady_clock::now();
  const document::clsRunResult result = modCreationRun::runCreation(document, creation);
  const double seconds = secondsSince(start);
  objectBytes = result.outcome == document::RunOutcome::Done ? std::filesystem::file_size(folder / "field.obj") : 0;
  return seconds;
}

double peakResidentMB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
}

void BM_MillionBlades(benchmark::State& state) {
  const std::filesystem::path folder = scratchFolder();
  for (auto _ : state) {
    std::uint64_t objectBytes = 0;
    const double runSeconds =
        runField("Alpha 1 100 100 " + std::to_string(kBlades) + " <empty> 0 -1\r\n", folder, objectBytes);
    if (objectBytes == 0) state.SkipWithError("the run did not finish");

    std::uint64_t floorBytes = 0;
    const double floorSeconds = formatAndWriteNumbers((folder / "floor.txt").string(), floorBytes);

    state.SetIterationTime(runSeconds);
    state.counters["blades_per_s"] = kBlades / runSeconds;
    state.counters["obj_MB_per_s"] = static_cast<double>(objectBytes) / 1e6 / runSeconds;
    state.counters["obj_MB"] = static_cast<double>(objectBytes) / 1e6;
    state.counters["floor_s"] = floorSeconds;
    state.counters["run_s"] = runSeconds;
    state.counters["ratio_to_floor"] = runSeconds / floorSeconds;
    state.counters["peak_RSS_MB"] = peakResidentMB();
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_MillionBlades)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// 100,000 smooth rocks of the default shape.
void BM_HundredThousandRocks(benchmark::State& state) {
  constexpr int kRocks = 100'000;
  const std::filesystem::path folder = scratchFolder();
  for (auto _ : state) {
    std::uint64_t objectBytes = 0;
    const double seconds = runField("Usage 1 0 g\r\nUsage 8 1 r\r\nAlpha 8 100 100 " + std::to_string(kRocks) +
                                        " <empty> 0 -1\r\n",
                                    folder, objectBytes);
    if (objectBytes == 0) state.SkipWithError("the run did not finish");
    state.SetIterationTime(seconds);
    state.counters["rocks_per_s"] = kRocks / seconds;
    state.counters["obj_MB_per_s"] = static_cast<double>(objectBytes) / 1e6 / seconds;
    state.counters["obj_MB"] = static_cast<double>(objectBytes) / 1e6;
    state.counters["peak_RSS_MB"] = peakResidentMB();
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_HundredThousandRocks)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
