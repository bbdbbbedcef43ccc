// The 3D view: building the scene of 20,000 default blades (what an edit costs before the view
// follows it), and how often the view redraws at 1280 x 720. The redraw needs OpenGL:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/quenmoor-preview-bench

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "desktop/preview_view.h"
#include "document/settings_files.h"
#include "preview/preview_scene.h"
#include "fakes/fake_platform.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv) {
#ifdef __GLIBC__
  mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);  // as the program sets it for the view
#endif
  QApplication application(argc, argv);
  fakes::FakePlatform fake;
  document::clsDocument document(fake.platform);
  modSettingsFiles::resetSettings(document, fake.platform);
  modSettingsFiles::applyUserText(document, "Alpha 1 100 100 1000000 <empty> 0 -1\r\n", fake.platform);

  if (argc > 1) {
    // A settings file of one's own: the time its scene takes.
    std::ifstream file(argv[1], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file) return 2;
    modSettingsFiles::applyUserText(document, text, fake.platform);
    QElapsedTimer timer;
    timer.start();
    const std::atomic<bool> never{false};
    const auto built = modPreview::buildScene(document.project, 1, 20000, never);
    std::printf("%s: %s, %.1f ms\n", argv[1], modPreview::previewLine(*built).c_str(),
                static_cast<double>(timer.nsecsElapsed()) / 1e6);
    return 0;
  }
  std::vector<double> builds;
  std::shared_ptr<const preview::clsPreviewScene> scene;
  const std::atomic<bool> never{false};
  for (int round = 0; round < 7; ++round) {
    QElapsedTimer timer;
    timer.start();
    auto built = modPreview::buildScene(document.project, static_cast<std::uint64_t>(round + 1), 20000, never);
    builds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    scene = std::make_shared<const preview::clsPreviewScene>(std::move(*built));
  }
  std::sort(builds.begin(), builds.end());
  std::printf("scene of %lld of %lld blades: median %.1f ms, best %.1f ms, worst %.1f ms\n",
              static_cast<long long>(scene->itemsShown), static_cast<long long>(scene->itemsTotal), builds[3],
              builds.front(), builds.back());

  {
    // The same field with the largest disk-space limit: every item is made, and the limit is
    // followed through the text's bound (and exactly where that bound is above the limit).
    QElapsedTimer timer;
    timer.start();
    const auto built = modPreview::buildScene(document.project, 1, 20000, never, generation::kMaxDiskLimitMB);
    std::printf("scene of %lld of %lld blades at a limit of %d MB: %.1f ms\n", static_cast<long long>(built->itemsShown),
                static_cast<long long>(built->itemsTotal), generation::kMaxDiskLimitMB,
                static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  {
    // All eleven elements of 1,000,000 items (Paste settings of a large design): what the view
    // waits for before it shows the new field.
    document::clsDocument all(fake.platform);
    modSettingsFiles::resetSettings(all, fake.platform);
    std::string text;
    for (int e = 1; e <= 11; ++e)
      text += "Usage " + std::to_string(e) + " 1 e" + std::to_string(e) + "\r\nAlpha " + std::to_string(e) +
              " 100 100 1000000 <empty> 0 -1\r\n";
    modSettingsFiles::applyUserText(all, text, fake.platform);
    QElapsedTimer timer;
    timer.start();
    const auto built = modPreview::buildScene(all.project, 1, 20000, never);
    std::printf("scene of %lld of %lld items (eleven elements): %.1f ms\n", static_cast<long long>(built->itemsShown),
                static_cast<long long>(built->itemsTotal), static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::size_t vertices = 0;
  std::size_t triangles = 0;
  for (const auto& element : scene->elements) {
    vertices += element.vertices.size();
    triangles += element.triangles.size() / 3;
  }
  std::printf("  %zu vertices, %zu triangles\n", vertices, triangles);
  if (!desktop::openGlAvailable()) {
    std::printf("no OpenGL on this display: the redraw is not measured\n");
    return 0;
  }
  desktop::PreviewView view;
  view.resize(1280, 720);
  view.show();
  view.setScene(scene);
  int frames = 0;
  QObject::connect(&view, &QOpenGLWindow::frameSwapped, &view, [&] {
    ++frames;
    view.update();
  });
  QElapsedTimer warmUp;
  warmUp.start();
  while (warmUp.elapsed() < 1000) QApplication::processEvents();
  frames = 0;
  QElapsedTimer timer;
  timer.start();
  view.update();
  while (timer.elapsed() < 3000) QApplication::processEvents();
  // The drawing alone, without showing it: draw into a picture.
  QElapsedTimer drawing;
  drawing.start();
  for (int i = 0; i < 10; ++i) view.picture();
  const double drawMs = static_cast<double>(drawing.nsecsElapsed()) / 1e6 / 10;
  std::printf("drawing one frame (and reading it back): %.1f ms\n", drawMs);
  view.makeCurrent();
  std::printf("redraw at 1280x720: %.1f frames per second (%s)\n", frames / (static_cast<double>(timer.elapsed()) / 1000),
              reinterpret_cast<const char*>(view.context()->functions()->glGetString(GL_RENDERER)));
  return 0;
}
