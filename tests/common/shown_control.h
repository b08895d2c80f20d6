#pragma once

#include "common/test_form.h"
#include "editing/editor_box.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/vbruntime.h>

#include "host/vb_test_locale.h"

#include <QTest>
#include <gtest/gtest.h>

// A control shown in an active host form, with its parts at hand, for tests that drive it as a
// user would. The derived fixture shapes `grid` in its SetUp, then calls show().
class ShownControlTest : public ::testing::Test {
protected:
    void show(int width, int height) {
        form.setControlSize(width, height);
        ASSERT_TRUE(form.showActive());
    }

    Vantrel3::FlexGrid *grid1() {
        return grid.findChild<Vantrel3::FlexGrid *>(QStringLiteral("MSFlexGrid1"));
    }
    Vantrel3::FlexGrid *grid2() {
        return grid.findChild<Vantrel3::FlexGrid *>(QStringLiteral("MSFlexGrid2"));
    }
    Vantrel3::EditorBox *editor() {
        return grid.findChild<Vantrel3::EditorBox *>(QStringLiteral("Text1"));
    }

    // Enters (row, col) afresh, even when it is the current cell, so that styles registered
    // since are loaded.
    void enterAfresh(qint32 row, qint32 col) {
        if (grid.Row() == row && grid.Col() == col) {
            grid.SetRow(row == 1 ? 2 : 1);
        }
        grid.SetRow(row);
        grid.SetCol(col);
    }

    // A point inside a cell of the visible grid, in the grid's viewport coordinates.
    QPoint cellCentre(qint32 row, qint32 col) {
        const QPoint inGrid(Vantrel3::Twips::toPixelsX(grid1(), grid1()->ColPos(col)) + 5,
                            Vantrel3::Twips::toPixelsY(grid1(), grid1()->RowPos(row)) + 5);
        return grid1()->viewport()->mapFrom(grid1(), inGrid);
    }

    vbtest::RuntimeLocale locale{vbtest::italian()};
    TestForm form;
    Vantrel3::Vantrel &grid = form.control();
};
