// Redrawing an editor view at 100 nodes: the model's drawing list, then painting it into a
// picture the size of the view. A frame lasts 16 ms.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "desktop/drawing_view.h"
#include "editors/frm_curve.h"
#include "editors/frm_shape.h"
#include "fakes/fake_platform.h"

namespace {

template <class Model>
void redraw(benchmark::State& state, int width, int height) {
  fakes::FakePlatform fake;
  fakes::FakeDialogs dialogs;
  editors::clsSession session(fake.platform, dialogs.dialogs, 1);
  Model model(session);
  editors::frmShapeWi shape(session);
  for (int i = 0; i < 100; ++i) shape.changeNodeCount(1);
  model.setViewSize(width, height);
  QImage picture(width, height, QImage::Format_RGB32);
  for (auto _ : state) {
    const editors::clsDrawing drawing = model.drawing();
    QPainter painter(&picture);
    desktop::paintDrawing(painter, drawing, picture.size());
    benchmark::DoNotOptimize(picture.constBits());
  }
}

void BM_CurveViewRedraw100Nodes(benchmark::State& state) { redraw<editors::frmCurve>(state, 440, 310); }
void BM_ShapeViewRedraw100Nodes(benchmark::State& state) { redraw<editors::frmShapeWi>(state, 220, 310); }
BENCHMARK(BM_CurveViewRedraw100Nodes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShapeViewRedraw100Nodes)->Unit(benchmark::kMillisecond);

}  // namespace
