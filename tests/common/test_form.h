#pragma once

#include <Vantrel3/Vantrel.h>

#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>

// A host form as real ones are: the control and, after it in the tab order, a line edit that
// can take the focus, so that a key or a focus change that escapes the control shows.
class TestForm : public QWidget {
public:
    explicit TestForm(std::unique_ptr<Vantrel3::Vantrel> control = {})
        : m_control(control ? control.release() : new Vantrel3::Vantrel) {
        m_control->setParent(this);
        m_next = new QLineEdit(this);
        m_next->setObjectName(QStringLiteral("next"));
        setControlSize(700, 300);
    }

    Vantrel3::Vantrel &control() const { return *m_control; }
    QLineEdit *next() const { return m_next; }

    void setControlSize(int width, int height) {
        m_control->setGeometry(0, 0, width, height);
        m_next->setGeometry(0, height + 4, width, 24);
        resize(width, height + 32);
    }

    // Shown and active, with the focus in the control's grid.
    bool showActive() {
        show();
        activateWindow();
        if (!QTest::qWaitForWindowActive(this)) {
            return false;
        }
        m_control->findChild<QWidget *>(QStringLiteral("MSFlexGrid1"))->setFocus();
        return true;
    }

private:
    Vantrel3::Vantrel *m_control;
    QLineEdit *m_next;
};
