#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QTest>

#include "exercisemenu.h"
#include "feuillep.h"

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

}  // namespace ondalis::testing
