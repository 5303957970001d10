// The scene (with its vectors, ruler and axis) and two recorded graphs drawn at one pixel per
// unit, compared byte for byte with reference images made by the raster surface before the
// drawing could be scaled. Run with ONDALIS_WRITE_CANVAS_IMAGES set to write them again.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QString>

#include "graph/graphframe.h"
#include "platform/widgets/drawingsurface.h"
#include "recording_run.h"
#include "scene/scenedrawing.h"

namespace ondalis {
namespace {

// The scene animated through a few positions with every vector shown, as the ticks draw it:
// the first drawing whole, the following ones where the solid moved.
void animateScene(DrawingSurface& scene) {
    scene.setSurfaceSize(SceneWidth, SceneHeight);
    QImage sky;
    fond(scene, sky);
    SceneAnimator animator;
    SceneView view;
    view.vectors.velocityShown = true;
    view.vectors.forcesShown = true;
    view.k = 10;
    view.h = 0.5f;
    const float positions[] = {5.f, 4.2f, 2.5f, 0.3f, -1.8f, -3.6f};
    for (size_t i = 0; i < std::size(positions); ++i) {
        view.x = positions[i];
        view.v = -0.4f * float(i);
        view.t = 0.1 * double(i);
        animator.draw(scene, view);
    }
}

OscillatorParameters released(float x0, float h) {
    OscillatorParameters p;
    p.x0 = x0;
    p.m = 145;
    p.k = 10;
    p.h = h;
    return p;
}

struct Drawing {
    const char* name;
    QImage (*draw)();
};

const Drawing drawings[] = {
    {"scene",
     [] {
         DrawingSurface scene;
         animateScene(scene);
         return scene.image();
     }},
    {"graph_position",
     [] {
         testing::RecordingRun run(released(5, 0.2f), 5, PlotPosition, true);
         run.runPastDuration();
         return run.frame.image();
     }},
    {"graph_energies",
     [] {
         testing::RecordingRun run(released(-7, 0.1f), 2, PlotEnergies);
         run.runPastDuration();
         return run.frame.image();
     }},
};

class CanvasImages : public ::testing::TestWithParam<Drawing> {};

TEST_P(CanvasImages, AtOnePixelPerUnitAreTheReferenceImagesByteForByte) {
    const QString file =
        QDir(QStringLiteral(ONDALIS_CANVAS_IMAGES)).filePath(QString::fromLatin1(GetParam().name)) +
        QStringLiteral(".png");
    const QImage drawn = GetParam().draw().convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("ONDALIS_WRITE_CANVAS_IMAGES")) {
        ASSERT_TRUE(drawn.save(file));
        GTEST_SKIP() << "written " << file.toStdString();
    }
    const QImage reference(file);
    ASSERT_FALSE(reference.isNull()) << file.toStdString();
    EXPECT_EQ(drawn, reference.convertToFormat(QImage::Format_RGB32)) << file.toStdString();
}

INSTANTIATE_TEST_SUITE_P(SceneVectorsAndGraphs, CanvasImages, ::testing::ValuesIn(drawings),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ondalis
