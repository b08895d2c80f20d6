#pragma once

#include "editing/cell_button.h"
#include "editing/editor_box.h"
#include "pickers/calculator.h"
#include "pickers/frm_cal.h"
#include "pickers/frm_list.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>

#include <QListWidget>

// The parts of a control that a user sees, found by the names they carry.
namespace parts {

template <typename T>
T *named(const QObject &control, const char *name) {
    return control.findChild<T *>(QLatin1String(name));
}

inline Vantrel3::FlexGrid *grid1(const QObject &c) {
    return named<Vantrel3::FlexGrid>(c, "MSFlexGrid1");
}
inline Vantrel3::FlexGrid *grid2(const QObject &c) {
    return named<Vantrel3::FlexGrid>(c, "MSFlexGrid2");
}
inline Vantrel3::EditorBox *editor(const QObject &c) {
    return named<Vantrel3::EditorBox>(c, "Text1");
}
inline Vantrel3::CellButton *command1(const QObject &c) {
    return named<Vantrel3::CellButton>(c, "Command1");
}
inline Vantrel3::CellButton *command2(const QObject &c) {
    return named<Vantrel3::CellButton>(c, "Command2");
}
inline Vantrel3::frmCal *calendar(const QObject &c) {
    return named<Vantrel3::frmCal>(c, "frmCal");
}
inline Vantrel3::Calculator *calculator(const QObject &c) {
    return named<Vantrel3::Calculator>(c, "Calculator");
}
inline Vantrel3::frmList *list(const QObject &c) {
    return named<Vantrel3::frmList>(c, "frmList");
}
inline QListWidget *list1(const QObject &c) {
    return named<QListWidget>(c, "List1");
}

} // namespace parts
