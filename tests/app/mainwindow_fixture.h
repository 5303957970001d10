#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/feuillep.h"
#include "fake_dialogs.h"
#include "platform/core/periodictimer.h"
#include "recording_printer.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis::testing {

// A real main window in a temporary program folder, with scripted dialogs, a recording printer
// and a timer that only ticks when the test says so.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    void TearDown() override {
        if (window) {
            dialogs.messageAnswers.assign(2, MessageResult::Ok);
            window->close();
            window.reset();
        }
    }

    feuilleP& open(const QString& programFolder = QString()) {
        auto timer = std::make_unique<ManualTimer>();
        clock = timer.get();
        window =
            std::make_unique<feuilleP>(dialogs, *printerInUse, std::move(timer),
                                       programFolder.isEmpty() ? folder.path() : programFolder);
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    // Opens the window and types x0 into the position field, then Enter.
    feuilleP& openAt(const QString& x0) {
        feuilleP& w = open();
        ParameterEdit* field = w.Text5(PositionField);
        field->setFocus();
        field->setText(x0);
        QTest::keyClick(field, Qt::Key_Return);
        return w;
    }

    // Steps the animation clock by hand.
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) clock->fire();
    }

    QString handshakePath() const { return folder.filePath(QStringLiteral("ZANTEK.TMP")); }

    QTemporaryDir folder;
    FakeDialogs dialogs;
    RecordingPrinter printer;
    PrinterService* printerInUse = &printer;  // what the window prints on
    ManualTimer* clock = nullptr;
    std::unique_ptr<feuilleP> window;
};

}  // namespace ondalis::testing
