#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>

#include "mainwindow/widgets/tabstrip.h"
#include "mainwindow_fixture.h"
#include "platform/core/recordfile.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis::testing {
namespace {

QByteArray recordBytes(const QString& path, int record, int length) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    f.seek((record - 1) * 128);
    return f.read(length);
}

using StartUp = MainWindowTest;

TEST_F(StartUp, opensWithItsCaptionControlsAndDefaults) {
    feuilleP& w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ondalis"));
    struct Expected {
        QWidget* control;
        QRect geometry;
    };
    const Expected layout[] = {
        {w.Command2, {0, 0, 113, 41}},       {w.Command11, {112, 0, 121, 41}},
        {w.Command4, {232, 0, 113, 41}},     {w.Command10, {344, 0, 121, 41}},
        {w.Command8, {464, 0, 121, 41}},     {w.Command7, {584, 0, 105, 41}},
        {w.Command1, {688, 0, 113, 41}},     {w.Picture4, {8, 48, 161, 169}},
        {w.Frame1, {176, 48, 617, 225}},     {w.Image4, {32, 248, 24, 24}},
        {w.Command18, {64, 248, 24, 24}},    {w.command15, {96, 248, 24, 24}},
        {w.command16, {128, 248, 24, 24}},   {w.Picture2, {8, 280, 785, 57}},
        {w.Image2, {80, 344, 32, 32}},       {w.info, {128, 344, 233, 33}},
        {w.btexo, {432, 344, 97, 19}},       {w.fich, {432, 344, 361, 19}},
        {w.supertext, {432, 362, 361, 183}}, {w.Onglets, {8, 384, 417, 161}},
    };
    for (const Expected& e : layout) {
        EXPECT_EQ(e.control->geometry(), e.geometry) << e.control->objectName().toStdString();
        EXPECT_FALSE(e.control->accessibleName().isEmpty())
            << e.control->objectName().toStdString();
    }
    EXPECT_EQ(w.Command1->text(), QStringLiteral("&Fermer"));
    EXPECT_EQ(w.Command4->text(), QStringLiteral("Co&pier"));
    EXPECT_EQ(w.Text5(0)->text(), QStringLiteral("0"));
    EXPECT_EQ(w.Text5(1)->text(), QStringLiteral("145"));
    EXPECT_EQ(w.Text5(2)->text(), QStringLiteral("10"));
    EXPECT_EQ(w.Text5(3)->text(), QStringLiteral("0,2"));
    EXPECT_EQ(w.info->text(), QStringLiteral("Vous pouvez modifier les paramètres,\r\nouvrir une "
                                             "configuration ou un exercice"));
    EXPECT_FALSE(w.isRunning());
    EXPECT_EQ(w.motionConstants().regime, Regime::Underdamped);
    // Paramètres is the selected tab and the only panel shown.
    EXPECT_EQ(w.Onglets->selectedTab(), 1);
    EXPECT_TRUE(w.Picture3->isVisible());
}

TEST_F(StartUp, paintsTheBackgroundGradientShadowAndHeading) {
    feuilleP& w = open();
    const QImage img = w.grab().toImage();
    // Between the readouts and the graph: 255 - 100·55/600 = 245.83 -> 246 and
    // 255 - 100·75/600 = 242.5, a half that goes to the even 242.
    EXPECT_EQ(img.pixelColor(172, 100), QColor(246, 246, 242));
    // Row 560 of the gradient: 255 - 560·55/600 = 203.67 -> 204; 255 - 560·75/600 = 185.
    EXPECT_EQ(img.pixelColor(5, 560), QColor(204, 204, 185));
    // The shadow rectangle runs from (435, 347) to (796, 548) in dark grey.
    EXPECT_EQ(img.pixelColor(600, 548), QColor(128, 128, 128));
    // The heading "Animation :" is blue with a grey shadow above the animation buttons.
    bool blue = false;
    for (int x = 32; x < 140 && !blue; ++x)
        for (int y = 222; y < 246 && !blue; ++y) blue = img.pixelColor(x, y) == QColor(0, 0, 255);
    EXPECT_TRUE(blue);
}

TEST_F(StartUp, handshakeSaysRunningThenClosedAfterTheCloseConfirmation) {
    feuilleP& w = open();
    EXPECT_EQ(recordBytes(handshakePath(), 12, 5), QByteArray("\x03\x00OUI", 5));
    dialogs.messageAnswers = {MessageResult::Ok};
    EXPECT_TRUE(w.close());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, QStringLiteral("Quitter vraiment Ondalis ?"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Fermer"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(recordBytes(handshakePath(), 12, 5), QByteArray("\x03\x00NON", 5));
    window.reset();
}

TEST_F(StartUp, closingAsksTwiceWhenTheTextWasModifiedAndCancelStops) {
    feuilleP& w = open();
    w.textModified = true;
    dialogs.messageAnswers = {MessageResult::Cancel};
    EXPECT_FALSE(w.close());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Abandon des données?"));
    EXPECT_EQ(recordBytes(handshakePath(), 12, 5), QByteArray("\x03\x00OUI", 5));

    dialogs.messageAnswers = {MessageResult::Ok, MessageResult::Cancel};
    EXPECT_FALSE(w.close());
    EXPECT_EQ(dialogs.messages.size(), 3u);
    EXPECT_TRUE(w.isVisible());

    dialogs.messageAnswers = {MessageResult::Ok, MessageResult::Ok};
    EXPECT_TRUE(w.close());
    window.reset();
}

TEST_F(StartUp, anExerciseRequestIsReadAndClearedAtActivation) {
    // A handshake file shorter than record 31, then a request of spaces only.
    ASSERT_TRUE(RecordFile::writeOne(handshakePath(), 2, QStringLiteral("x")));
    feuilleP& w = open();
    EXPECT_EQ(RecordFile::readOne(handshakePath(), 31), QString());
    ASSERT_TRUE(RecordFile::writeOne(handshakePath(), 31, QStringLiteral("   ")));
    w.Form_Activate();
    EXPECT_EQ(recordBytes(handshakePath(), 31, 2), QByteArray("\x00\x00", 2));
    EXPECT_TRUE(w.exerciseFolder.isEmpty());
}

TEST_F(StartUp, anUnwritableProgramFolderDoesNotStopStartUpOrShutdown) {
    const QString missing = folder.filePath(QStringLiteral("no/such/folder"));
    feuilleP& w = open(missing);
    EXPECT_EQ(w.Text5(1)->text(), QStringLiteral("145"));
    dialogs.messageAnswers = {MessageResult::Ok};
    EXPECT_TRUE(w.close());
    window.reset();
    EXPECT_FALSE(QFile::exists(missing + QStringLiteral("/ZANTEK.TMP")));
}

TEST_F(StartUp, onANarrowScreenTheWindowSpringsBackTo800By600) {
    feuilleP& w = open();
    if (w.screen()->geometry().width() >= 850) GTEST_SKIP() << "screen is wide";
    w.resize(640, 480);
    EXPECT_EQ(w.frameGeometry().size(), QSize(800, 600));
    w.showMaximized();
    EXPECT_EQ(w.frameGeometry().size(), QSize(800, 600));
}

}  // namespace
}  // namespace ondalis::testing
