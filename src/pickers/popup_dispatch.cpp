#include "control/vantrel_p.h"
#include "pickers/frm_list.h"

#include <Vantrel3/FlexGrid.h>

#include <QListWidget>

namespace Vantrel3 {

void VantrelPrivate::createPopups() {
    frmListObj = new frmList(q);
}

bool VantrelPrivate::listOpen() const {
    return frmListObj->isVisible();
}
bool VantrelPrivate::calendarOpen() const {
    return false;
}
bool VantrelPrivate::calculatorOpen() const {
    return false;
}

void VantrelPrivate::unloadList() {
    frmListObj->hide();
}
void VantrelPrivate::unloadCalendar() {}
void VantrelPrivate::unloadCalculator() {}

void VantrelPrivate::Command1_Click() {
    if (listOpen()) {
        unloadList();
        return;
    }
    MSFlexGrid1->setFocus();
}

void VantrelPrivate::Command2_Click() {
    Command1_Click();
}

void VantrelPrivate::FillLookupList() {
    QListWidget *list = frmListObj->List1();
    list->clear();
    list->addItems(registry.lookUpItems(MSFlexGrid1->Row(), MSFlexGrid1->Col()));
}

} // namespace Vantrel3
