// One redraw of the animation scene on the real 785 × 57 surface: sample, the seven readout
// texts written into their labels, spring, solid, the three vectors, ruler and axis. The
// animation tick adds only the graph segment to this; its budget is 0.3 ms.
#include <benchmark/benchmark.h>

#include <QLabel>
#include <array>
#include <memory>

#include "platform/widgets/drawingsurface.h"
#include "scene/readouts.h"
#include "scene/scenedrawing.h"
#include "simulation/motion.h"

namespace {

using namespace ondalis;

// x0 = 8 cm, m = 145 g, k = 10 N/m, h = 0.2 N·s/m: the solid sweeps the whole scene and all
// three vectors are long enough to be drawn.
struct Scene {
    Scene() {
        surface.setSurfaceSize(SceneWidth, SceneHeight);
        fond(surface, sky);
        params.x0 = 8;
        constants = computeMotionConstants(params);
        view.k = params.k;
        view.h = params.h;
        view.vectors.velocityShown = true;
        view.vectors.forcesShown = true;
        view.vectors.forceExponent = constants.forceExponent;
        view.vectors.speedExponent = constants.speedExponent;
        for (auto& label : labels) label = std::make_unique<QLabel>();
    }

    // The instant of the n-th tick, 0.0151 s apart, over two periods.
    MotionSample sampleAt(int n) {
        sample = sampleMotion(constants, params, (n % 100) * 0.0151, sample);
        return sample;
    }

    void draw(const MotionSample& s, bool cached) {
        view.x = s.x;
        view.v = s.v;
        view.t = s.t;
        if (cached)
            drawScene(surface, view, decorations);
        else
            drawScene(surface, view);
    }

    DrawingSurface surface;
    QImage sky;
    SceneDecorations decorations;
    OscillatorParameters params;
    MotionConstants constants;
    MotionSample sample;
    SceneView view;
    std::array<std::unique_ptr<QLabel>, ReadoutCount> labels;
};

// The scene alone, ruler and axis from the cached layer (as the animation draws it).
void BM_DrawScene(benchmark::State& state) {
    Scene scene;
    int n = 0;
    for (auto _ : state) {
        scene.draw(scene.sampleAt(++n), true);
        benchmark::DoNotOptimize(scene.surface.image().constBits());
    }
}
BENCHMARK(BM_DrawScene)->Unit(benchmark::kMicrosecond)->Repetitions(9);

// The scene with the ruler and axis written piece by piece each time.
void BM_DrawSceneUncached(benchmark::State& state) {
    Scene scene;
    int n = 0;
    for (auto _ : state) {
        scene.draw(scene.sampleAt(++n), false);
        benchmark::DoNotOptimize(scene.surface.image().constBits());
    }
}
BENCHMARK(BM_DrawSceneUncached)->Unit(benchmark::kMicrosecond)->Repetitions(9);

// A tick without its graph segment: sample, readouts into their labels, scene.
void BM_SceneTick(benchmark::State& state) {
    Scene scene;
    int n = 0;
    for (auto _ : state) {
        const MotionSample s = scene.sampleAt(++n);
        const auto texts = readoutTexts(s);
        for (int i = 0; i < ReadoutCount; ++i) scene.labels[i]->setText(texts[i]);
        scene.draw(s, true);
        benchmark::DoNotOptimize(scene.surface.image().constBits());
    }
}
BENCHMARK(BM_SceneTick)->Unit(benchmark::kMicrosecond)->Repetitions(9);

}  // namespace
