#pragma once

#include <Vantrel3/MessageBox.h>

#include <QList>
#include <QString>

// Captures the control's message boxes instead of showing them; restores the default on exit.
class MessageBoxRecorder final : public Vantrel3::MessageBoxService {
public:
    struct Box {
        QString prompt;
        int style;
        QString title;
    };

    MessageBoxRecorder() { Vantrel3::setMessageBoxService(this); }
    ~MessageBoxRecorder() override { Vantrel3::setMessageBoxService(nullptr); }

    int show(QWidget *, const QString &prompt, int style, const QString &title) override {
        boxes.append({prompt, style, title});
        return answer;
    }

    QList<Box> boxes;
    int answer = Vantrel3::vbOK;
};
