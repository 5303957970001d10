#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>

#include "app/feuillep.h"
#include "exercises/widgets/exercisemenu.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis::testing {

// Opens the exercise menu with the exercise button and clicks `entry` in it.
inline void chooseExerciseEntry(feuilleP& w, QAction* entry) {
    QTest::mouseClick(w.btexo, Qt::LeftButton);
    exercises::ExerciseMenu* menu = w.optionexo;
    ASSERT_TRUE(menu->isVisible());
    ASSERT_TRUE(entry->isEnabled()) << entry->text().toStdString();
    const QPoint at = menu->actionGeometry(entry).center();
    QTest::mouseMove(menu, at);
    QTest::mouseClick(menu, Qt::LeftButton, {}, at);
    EXPECT_FALSE(menu->isVisible());
}

// Whether the menu offers `entry` now, as it pops up.
inline bool exerciseEntryEnabled(feuilleP& w, QAction* entry) {
    QTest::mouseClick(w.btexo, Qt::LeftButton);
    const bool enabled = entry->isEnabled();
    QTest::keyClick(w.optionexo, Qt::Key_Escape);
    return enabled;
}

// What opening an exercise or a file may change in the main window.
struct Snapshot {
    QString text, fich, configurationPath, caption, exerciseFolder;
    std::array<QString, 4> parameters;
    bool readOnly, correctionAvailable, textModified;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

inline Snapshot snapshotOf(const feuilleP& w) {
    return {w.supertext->plainText(),
            w.fich->text(),
            w.configurationPath,
            w.windowTitle(),
            w.exerciseFolder,
            {w.Text5(0)->text(), w.Text5(1)->text(), w.Text5(2)->text(), w.Text5(3)->text()},
            w.supertext->isReadOnly(),
            w.correctionAvailable,
            w.textModified};
}

}  // namespace ondalis::testing
